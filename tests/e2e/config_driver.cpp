// Driving the configuration dialog and its sheet from outside (see config_driver.h).
#include "tests/e2e/config_driver.h"
#include <commctrl.h>
#include <fstream>
#include <iterator>
#include <string.h>

namespace e2e {

namespace {

std::wstring Wide(const std::string& text, UINT codePage) {
  std::wstring wide(text.size() + 1, L'\0');
  MultiByteToWideChar(codePage, 0, text.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
  return wide.c_str();
}

std::string Narrow(const wchar_t* wide, UINT codePage) {
  std::string out(4 * wcslen(wide) + 1, '\0');
  WideCharToMultiByte(codePage, 0, wide, -1, &out[0], static_cast<int>(out.size()), nullptr, nullptr);
  return out.c_str();
}

}  // namespace

// Through the wide messages: across processes Wine hands the ANSI forms of some of them (list
// texts) back as UTF-16.
// The whole text. An ANSI window (the help viewer's rich edit) fills the buffer with bytes of the
// code page first, and gives none of the text when they do not all fit: twice the characters do.
std::string TextOf(HWND control) {
  std::wstring text(2 * SendMessageW(control, WM_GETTEXTLENGTH, 0, 0) + 1, L'\0');
  SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
  return Narrow(text.c_str(), CP_UTF8);
}

void SetTextOf(HWND control, const std::string& utf8) {
  SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(utf8, CP_UTF8).c_str()));
}

std::string Utf8(const std::string& ansi) { return Narrow(Wide(ansi, 932).c_str(), CP_UTF8); }
std::string Ansi(const char* utf8) { return Narrow(Wide(utf8, CP_UTF8).c_str(), 932); }

std::string AboutText(const char* sourceName) {
  std::ifstream file(std::string(E2E_SOURCE_DIR "/resources/") + sourceName, std::ios::binary);
  std::string source((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::string text, line;
  for (char c : source + "\n") {
    if (c != '\n') {
      line += c;
      continue;
    }
    line.erase(line.find_last_not_of(' ') + 1);
    text += line + "\r\n";
    line.clear();
  }
  return text.erase(text.find_last_not_of("\r\n") + 1);
}

HWND ConfigTest::OpenDialogOf(const std::string& commandLine, const char* locale) {
  process_ = Launch(commandLine, locale);
  dialog_ = WaitForTopLevel(process_, "#32770");
  if (!dialog_) {
    ADD_FAILURE() << "no configuration dialog within 10 s";
    return nullptr;
  }
  // The dialog is listed before its controls exist, and filled in its initialisation after that.
  EXPECT_TRUE(WaitUntil([&] {
    HWND combo = GetDlgItem(dialog_, TextCombo);
    return combo && SendMessageA(combo, CB_GETCOUNT, 0, 0) == 6;
  }, 5000)) << "the six slots in the list";
  return dialog_;
}

std::vector<std::string> ConfigTest::ListEntries() {
  HWND combo = GetDlgItem(dialog_, TextCombo);
  std::vector<std::string> entries;
  LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t text[512] = L"";
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    entries.push_back(Narrow(text, CP_UTF8));
  }
  return entries;
}

void ConfigTest::SelectEntry(int index) {
  HWND combo = GetDlgItem(dialog_, TextCombo);
  SendMessageA(combo, CB_SETCURSEL, index, 0);
  SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(TextCombo, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void ConfigTest::Click(HWND window, int button) {
  // Posted, not sent: a press may open a nested modal loop (the sheet, a message box).
  PostMessageA(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, button)));
}

HWND ConfigTest::WaitForOwnedDialog(HWND owner, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil([&] {
    for (HWND window : TopLevelWindows("#32770", process_.Id()))
      if (GetWindow(window, GW_OWNER) == owner && IsWindowVisible(window)) found = window;
    return found != nullptr;
  }, timeoutMs);
  return found;
}

HWND ConfigTest::OpenSheet() {
  Click(dialog_, DetailsButton);
  sheet_ = WaitForOwnedDialog(dialog_, 10000);
  EXPECT_NE(nullptr, sheet_) << "no property sheet within 10 s";
  EXPECT_TRUE(sheet_ && WaitUntil([&] { return PropSheet_GetCurrentPageHwnd(sheet_) != nullptr; }, 5000));
  return sheet_;
}

HWND ConfigTest::ShowPage(int index) {
  SendMessageA(sheet_, PSM_SETCURSEL, index, 0);
  return PropSheet_GetCurrentPageHwnd(sheet_);
}

bool ConfigTest::PressSheetButton(int button) {
  PostMessageA(sheet_, PSM_PRESSBUTTON, button, 0);
  return WaitUntil([&] { return !IsWindow(sheet_); }, 3000);
}

}  // namespace e2e
