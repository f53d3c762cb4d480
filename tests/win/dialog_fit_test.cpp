// Every text a dialog or page shows fits its control, in both languages, at 96 and at 192 dpi:
// each template's static and button texts (the about page's with the version strings it puts in
// their place) measured in the template's font against the control's size in pixels.
#include "tests/win/test_support.h"
#include "host/language.h"
#include "resources/resource.h"
#include <stdint.h>
#include <string.h>
#include <string>
#include <vector>

namespace {

struct Control {
  uint32_t style;
  int x, y, cx, cy, id;
  uint16_t kind;  // 0x80 button, 0x82 static; 0 for any other class
  std::wstring text;
};

struct Template {
  int pointSize = 0;
  std::wstring face, caption;
  std::vector<Control> controls;
};

// A sz_Or_Ord field of a template: an ordinal (its number) or a string, and the next field.
const WORD* Field(const WORD* at, uint16_t* ordinal, std::wstring* text) {
  *ordinal = 0;
  if (*at == 0xFFFF) {
    *ordinal = at[1];
    return at + 2;
  }
  const wchar_t* start = reinterpret_cast<const wchar_t*>(at);
  if (text) *text = start;
  return at + wcslen(start) + 1;
}

const WORD* Aligned(const WORD* at) {
  return reinterpret_cast<const WORD*>((reinterpret_cast<uintptr_t>(at) + 3) & ~uintptr_t{3});
}

Template Parse(const void* resource) {
  Template t;
  const WORD* at = static_cast<const WORD*>(resource);
  uint32_t style;
  memcpy(&style, at + 6, 4);
  WORD count = at[8];
  at += 13;  // version, signature, help id, ex style, style, count, x, y, cx, cy
  uint16_t ordinal;
  at = Field(at, &ordinal, nullptr);  // menu
  at = Field(at, &ordinal, nullptr);  // class
  at = Field(at, &ordinal, &t.caption);
  if (style & DS_SETFONT) {
    t.pointSize = at[0];
    at = Field(at + 3, &ordinal, &t.face);  // point size, weight, italic and charset
  }
  for (WORD i = 0; i < count; ++i) {
    at = Aligned(at);
    Control c;
    memcpy(&c.style, at + 4, 4);
    c.x = static_cast<short>(at[6]), c.y = static_cast<short>(at[7]);
    c.cx = static_cast<short>(at[8]), c.cy = static_cast<short>(at[9]);
    int32_t id;
    memcpy(&id, at + 10, 4);
    c.id = id;
    std::wstring className;
    at = Field(at + 12, &c.kind, &className);
    if (className == L"Button") c.kind = 0x80;
    if (className == L"Static") c.kind = 0x82;
    uint16_t textOrdinal;
    at = Field(at, &textOrdinal, &c.text);
    at += 1 + *at / 2;  // creation data
    t.controls.push_back(c);
  }
  return t;
}

// The text as the control shows it: without its mnemonic marks.
std::wstring Shown(std::wstring text) {
  for (size_t at = text.find(L'&'); at != std::wstring::npos; at = text.find(L'&', at + 1)) text.erase(at, 1);
  return text;
}

// The version strings of a language, which the about page puts in place of their names.
std::wstring VersionString(uint16_t language, const wchar_t* name) {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  DWORD unused = 0, size = GetFileVersionInfoSizeW(path, &unused);
  std::vector<BYTE> block(size);
  void* found = nullptr;
  UINT length = 0;
  wchar_t query[96];
  wsprintfW(query, L"\\StringFileInfo\\%04x04b0\\%ls", language, name);
  if (!size || !GetFileVersionInfoW(path, 0, size, block.data()) || !VerQueryValueW(block.data(), query, &found, &length))
    return L"";
  return static_cast<const wchar_t*>(found);
}

TEST(DialogFit, EveryTextFitsItsControlInBothLanguagesAt96And192Dpi) {
  const int dialogs[] = {IDD_CONFIG, IDD_AWAY, IDD_SHAPE_PAGE, IDD_LIGHT_PAGE, IDD_MATERIAL_PAGE,
                         IDD_OPTIONS_PAGE, IDD_MOTION_PAGE, IDD_ABOUT_PAGE};
  HMODULE module = GetModuleHandleA(nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  int measured = 0;
  for (uint16_t language : {JapaneseLanguage, EnglishLanguage}) {
    for (int dpi : {96, 192}) {
      for (int id : dialogs) {
        HRSRC found = FindResourceExA(module, RT_DIALOG, MAKEINTRESOURCEA(id), language);
        ASSERT_NE(nullptr, found) << "dialog " << id << " in language " << std::hex << language;
        Template t = Parse(LockResource(LoadResource(module, found)));
        HFONT font = CreateFontW(-MulDiv(t.pointSize, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                 DEFAULT_CHARSET, 0, 0, 0, 0, t.face.c_str());
        HGDIOBJ previous = SelectObject(dc, font);
        // The dialog units of the font, as the dialog manager takes them.
        TEXTMETRICW metrics;
        GetTextMetricsW(dc, &metrics);
        SIZE alphabet;
        GetTextExtentPoint32W(dc, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &alphabet);
        const int baseX = (alphabet.cx / 26 + 1) / 2, baseY = metrics.tmHeight;
        for (Control& c : t.controls) {
          const uint32_t type = c.style & 0xF;
          bool text = c.kind == 0x82 ? type <= SS_RIGHT : c.kind == 0x80;
          if (!text || c.text.empty()) continue;
          if (id == IDD_ABOUT_PAGE && (c.id == IDC_PRODUCT_NAME || c.id == IDC_FILE_VERSION || c.id == IDC_COPYRIGHT))
            c.text = VersionString(language, c.text.c_str());
          const int width = MulDiv(c.cx, baseX, 4), height = MulDiv(c.cy, baseY, 8);
          // Room the control's own drawing takes: a button's frame, a box's or circle's width and its
          // gap, a group box's corner.
          int room = width;
          if (c.kind == 0x80) {
            const bool pushButton = type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
            const bool groupBox = type == BS_GROUPBOX;
            room -= pushButton ? MulDiv(8, dpi, 96) : groupBox ? MulDiv(16, dpi, 96) : MulDiv(18, dpi, 96);
          }
          RECT needed = {0, 0, room, 0};
          std::wstring shown = Shown(c.text);
          DrawTextW(dc, shown.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
          SIZE line;
          GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &line);
          const bool wraps = c.kind == 0x82 && needed.bottom > metrics.tmHeight;  // a static of two lines
          EXPECT_TRUE(wraps ? needed.bottom <= height && needed.right <= room : line.cx <= room)
              << "dialog " << id << ", language " << std::hex << language << std::dec << ", " << dpi
              << " dpi: control " << c.id << " needs " << (wraps ? needed.right : line.cx) << " x "
              << (wraps ? needed.bottom : line.cy) << " px, has " << room << " x " << height;
          ++measured;
        }
        SelectObject(dc, previous);
        DeleteObject(font);
      }
    }
  }
  DeleteDC(dc);
  EXPECT_GT(measured, 200) << "texts measured";
}

}  // namespace
