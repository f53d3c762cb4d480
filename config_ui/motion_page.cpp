// The motion page: the speed in steps a second and how the text moves, stored when the sheet
// applies. Main thread only.
#include "config_ui/help.h"
#include "config_ui/help_ids.h"
#include "config_ui/number_field.h"
#include "config_ui/page_support.h"
#include "config_ui/pages.h"
#include "render/pacing.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "settings/store.h"

namespace {

// The speed the page showed; an entry without a number, or outside the range, stores it. One
// sheet runs at a time (it is modal), so one value serves the page that exists.
int32_t LoadedSpeed = DefaultStepsPerSecond;

void InitPage(HWND page) {
  OpenSettingsKeyForRead();
  MotionSettings shown = ReadMotionSettings(SaverState.SettingsKey);
  CloseSettingsKey();
  LoadedSpeed = static_cast<int32_t>(shown.stepsPerSecond);
  char text[NumberFieldSize];
  FormatIntField(text, sizeof text, LoadedSpeed);
  SetDlgItemTextA(page, IDC_SPEED, text);
  CheckRadioButton(page, IDC_MOTION_TUMBLE, IDC_MOTION_FACE,
                   shown.motion == Motion::FaceTheRoom ? IDC_MOTION_FACE : IDC_MOTION_TUMBLE);
}

INT_PTR Apply(HWND page) {
  if (!BeginSettingsWrite(page)) return RefuseApply(page);
  char text[EditReadSize] = "";
  GetDlgItemTextA(page, IDC_SPEED, text, sizeof text);
  ParseIntFieldInRange(text, static_cast<int32_t>(MinStepsPerSecond), static_cast<int32_t>(MaxStepsPerSecond),
                       &LoadedSpeed);
  Motion motion = IsDlgButtonChecked(page, IDC_MOTION_FACE) == BST_CHECKED ? Motion::FaceTheRoom : Motion::Tumble;
  LSTATUS status = WriteIntSetting(SaverState.SettingsKey, StepsPerSecondValueName, LoadedSpeed);
  status = FirstFailure(status, WriteIntSetting(SaverState.SettingsKey, MotionValueName, static_cast<int32_t>(motion)));
  if (!EndSettingsWrite(page, status)) return RefuseApply(page);
  return FALSE;
}

}  // namespace

INT_PTR CALLBACK MotionPageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      InitPage(page);
      return TRUE;
    case WM_NOTIFY:
      return IsApply(lParam) ? Apply(page) : FALSE;
    case WM_HELP:
      ShowContextHelp(page, lParam, MotionHelpIds);
      return TRUE;
    default:
      return FALSE;
  }
}
