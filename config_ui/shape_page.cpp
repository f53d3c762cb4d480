// The shape page: deviation, extrusion, scale and outline format, stored when the sheet applies,
// and the glyph font, stored as soon as the font dialog is confirmed. Main thread only.
#include "config_ui/help.h"
#include "config_ui/help_ids.h"
#include "config_ui/page_support.h"
#include "config_ui/pages.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "settings/store.h"
#include <commdlg.h>

namespace {

struct ShapeField {
  int control;
  const char* valueName;
  float defaultValue;
};

const ShapeField ShapeFields[] = {
  {IDC_DEVIATION, DeviationValueName, DefaultDeviation},
  {IDC_EXTRUSION, ExtrusionValueName, DefaultExtrusion},
  {IDC_SCALE, UserScaleValueName, DefaultUserScale},
  {0, nullptr, 0.0f},
};

// The numbers the page loaded; an entry without a number stores these. One sheet runs at a time
// (it is modal), so one set serves the page that exists.
float Loaded[sizeof ShapeFields / sizeof ShapeFields[0] - 1];

void InitPage(HWND page) {
  OpenSettingsKeyForRead();
  int32_t format;
  for (int i = 0; ShapeFields[i].valueName; ++i)
    ReadFloatSetting(SaverState.SettingsKey, ShapeFields[i].valueName, &Loaded[i], ShapeFields[i].defaultValue);
  ReadIntSetting(SaverState.SettingsKey, FormatValueName, &format, DefaultFormat);
  CloseSettingsKey();
  for (int i = 0; ShapeFields[i].valueName; ++i) ShowFloat(page, ShapeFields[i].control, Loaded[i]);
  // A stored format other than 0 and 1 checks neither; the apply then stores 1.
  CheckDlgButton(page, IDC_FORMAT_LINES, format == 0 ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(page, IDC_FORMAT_POLYGONS, format == 1 ? BST_CHECKED : BST_UNCHECKED);
}

INT_PTR Apply(HWND page) {
  if (!BeginSettingsWrite(page)) return RefuseApply(page);
  LSTATUS status = ERROR_SUCCESS;
  for (int i = 0; ShapeFields[i].valueName; ++i) {
    ReadFloat(page, ShapeFields[i].control, &Loaded[i]);
    status = FirstFailure(status, WriteBinarySetting(SaverState.SettingsKey, ShapeFields[i].valueName, &Loaded[i],
                                                     sizeof Loaded[i]));
  }
  int32_t format = IsDlgButtonChecked(page, IDC_FORMAT_LINES) == BST_CHECKED ? 0 : 1;
  status = FirstFailure(status, WriteIntSetting(SaverState.SettingsKey, FormatValueName, format));
  if (!EndSettingsWrite(page, status)) return RefuseApply(page);
  return FALSE;
}

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

}  // namespace

INT_PTR CALLBACK ShapePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      InitPage(page);
      return TRUE;
    case WM_NOTIFY:
      return IsApply(lParam) ? Apply(page) : FALSE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_FONT && HIWORD(wParam) == BN_CLICKED) ChooseGlyphFont(page);
      return FALSE;
    case WM_HELP:
      ShowContextHelp(page, lParam, ShapeHelpIds);
      return TRUE;
    default:
      return FALSE;
  }
}
