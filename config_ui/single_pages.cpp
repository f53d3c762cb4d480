// The shape and motion pages, twins over the settings table: each shows its group's rows in their
// controls and stores them when the sheet applies; the shape page also has the glyph font, stored
// as soon as the font dialog is confirmed. Main thread only.
#include "config_ui/help.h"
#include "config_ui/help_ids.h"
#include "config_ui/page_support.h"
#include "config_ui/pages.h"
#include "resources/resource.h"
#include "settings/store.h"
#include <commdlg.h>

namespace {

// The font dialog starts from the stored font (or, without a key, from an all-zero record). A
// choice that cannot be stored is reported and offered again, so it is not lost.
void ChooseGlyphFont(HWND page) {
  LOGFONTA font = {};
  OpenSettingsKeyForRead();
  if (SaverState.SettingsKey) {
    ReadLogFont(SaverState.SettingsKey, &font);
    CloseSettingsKey();
  }
  CHOOSEFONTA request = {};
  request.lStructSize = sizeof request;
  request.hwndOwner = page;
  request.lpLogFont = &font;
  request.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_TTONLY;
  request.nFontType = SCREEN_FONTTYPE;
  while (ChooseFontA(&request)) {
    if (!BeginSettingsWrite(page)) continue;
    LSTATUS status = WriteBinarySetting(SaverState.SettingsKey, LogFontValueName, &font, sizeof font);
    if (EndSettingsWrite(page, status)) return;
  }
}

struct SinglesPage {
  SettingGroup group;
  const uint32_t* const* helpIds;
  int fontButton;  // 0: none
};

const SinglesPage ShapePage = {SettingGroup::Shape, &ShapeHelpIds, IDC_FONT};
const SinglesPage MotionPage = {SettingGroup::Motion, &MotionHelpIds, 0};

INT_PTR SinglesPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam, const SinglesPage& shown) {
  switch (message) {
    case WM_INITDIALOG:
      ShowSettings(page, shown.group);
      return TRUE;
    case WM_NOTIFY:
      return IsApply(lParam) ? ApplySettings(page, shown.group) : FALSE;
    case WM_COMMAND:
      if (shown.fontButton && LOWORD(wParam) == shown.fontButton && HIWORD(wParam) == BN_CLICKED)
        ChooseGlyphFont(page);
      return FALSE;
    case WM_HELP:
      ShowContextHelp(page, lParam, *shown.helpIds);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

INT_PTR CALLBACK ShapePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  return SinglesPageProc(page, message, wParam, lParam, ShapePage);
}

INT_PTR CALLBACK MotionPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  return SinglesPageProc(page, message, wParam, lParam, MotionPage);
}
