// The request with which the shape page's font button opens the font dialog. The property sheet
// runs in this process; a hook on this thread presses the font button when the shape page starts,
// reads the request that the font dialog receives with its WM_INITDIALOG, and cancels both.
#include "tests/win/test_support.h"
#include "config_ui/config_dialog.h"
#include <commctrl.h>
#include <commdlg.h>
#include <string.h>
#include <string>

namespace {

constexpr int FontButton = 1006;
constexpr int FaceNameBox = 0x470;  // the font dialog's cmb1

struct FontRequestSeen {
  bool asked = false;
  bool timedOut = false;
  CHOOSEFONTA request = {};
  LOGFONTA font = {};
} seen;

LRESULT CALLBACK WatchDialogs(int code, WPARAM wParam, LPARAM lParam) {
  const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && call->message == WM_INITDIALOG) {
    if (HWND button = GetDlgItem(call->hwnd, FontButton)) {
      PostMessageA(call->hwnd, WM_COMMAND, MAKEWPARAM(FontButton, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    } else if (GetDlgItem(call->hwnd, FaceNameBox)) {
      const CHOOSEFONTA* request = reinterpret_cast<const CHOOSEFONTA*>(call->lParam);
      seen.asked = true;
      seen.request = *request;
      if (request->lpLogFont) seen.font = *request->lpLogFont;
      PostMessageA(call->hwnd, WM_COMMAND, IDCANCEL, 0);
      PostMessageA(GetParent(request->hwndOwner), PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Should the dialogs never come, the nested modal loops end on a quit request.
void CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD) {
  seen.timedOut = true;
  PostQuitMessage(0);
}

void AskForAFont() {
  seen = FontRequestSeen();
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchDialogs, nullptr, GetCurrentThreadId());
  UINT_PTR watchdog = SetTimer(nullptr, 0, 20000, GiveUp);
  OpenPropertySheet(nullptr);
  KillTimer(nullptr, watchdog);
  UnhookWindowsHookEx(hook);
  MSG quit;
  PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

std::string Bytes(const LOGFONTA& font) { return Hex(std::string(reinterpret_cast<const char*>(&font), sizeof font)); }

using FontRequest = FreshSettingsTest;

// From the stored font, from the built-in one when the key holds none, from zeros without a key;
// screen fonts, TrueType only, initialised from the record, and nothing else asked for.
TEST_F(FontRequest, StartsOnTheStoredFontWithScreenAndTrueTypeFlags) {
  LOGFONTA none = {}, builtIn = {}, stored = {};
  builtIn.lfHeight = -28;
  builtIn.lfWeight = 400;
  builtIn.lfCharSet = 128;
  memcpy(builtIn.lfFaceName, "MS \x96\xBE\x92\xA9", 7);  // MS 明朝
  stored.lfHeight = -40;
  stored.lfWeight = 700;
  stored.lfCharSet = 128;
  strcpy(stored.lfFaceName, "IPAPGothic");
  const struct {
    const char* what;
    bool key;
    const LOGFONTA* put;
    const LOGFONTA* expected;
  } rows[] = {
    {"no settings key", false, nullptr, &none},
    {"a key without LogFont", true, nullptr, &builtIn},
    {"a stored LogFont", true, &stored, &stored},
  };
  for (const auto& row : rows) {
    DeleteKey(SettingsRoot);
    if (row.key) SetDword(SettingsKeyPath, "Format", 1);
    if (row.put) SetRaw(SettingsKeyPath, "LogFont", REG_BINARY, row.put, sizeof *row.put);
    AskForAFont();
    ASSERT_FALSE(seen.timedOut) << row.what << ": no font dialog within 20 s";
    ASSERT_TRUE(seen.asked) << row.what;
    EXPECT_EQ(0x00040041u, seen.request.Flags) << row.what;
    EXPECT_EQ(0x2000, seen.request.nFontType) << row.what << ": SCREEN_FONTTYPE";
    EXPECT_EQ(0u, seen.request.rgbColors) << row.what;
    EXPECT_EQ(nullptr, seen.request.lpfnHook) << row.what;
    EXPECT_EQ(0, seen.request.nSizeMin + seen.request.nSizeMax) << row.what;
    EXPECT_EQ(Bytes(*row.expected), Bytes(seen.font)) << row.what;
  }
}

}  // namespace
