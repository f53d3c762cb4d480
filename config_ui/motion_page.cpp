// The motion page: the speed in steps a second and how the text moves, stored when the sheet
// applies. Main thread only.
#include "config_ui/help.h"
#include "config_ui/help_ids.h"
#include "config_ui/page_support.h"
#include "config_ui/pages.h"

INT_PTR CALLBACK MotionPageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      ShowSettings(page, SettingGroup::Motion);
      return TRUE;
    case WM_NOTIFY:
      return IsApply(lParam) ? ApplySettings(page, SettingGroup::Motion) : FALSE;
    case WM_HELP:
      ShowContextHelp(page, lParam, MotionHelpIds);
      return TRUE;
    default:
      return FALSE;
  }
}
