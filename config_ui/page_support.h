// What the configuration dialog and its pages share: storing settings with the user told when
// that fails, and the edit fields' numbers. Main thread only.
#pragma once
#include <windows.h>
#include <stdint.h>
#include "settings/settings.h"

// A writer's pass over the settings key. BeginSettingsWrite opens it for writing; when that fails
// it tells the user, in a box owned by `owner`, and returns false. EndSettingsWrite closes it and,
// when `status` (the first failed write, see FirstFailure) is not ERROR_SUCCESS, tells the user
// and returns false.
bool BeginSettingsWrite(HWND owner);
bool EndSettingsWrite(HWND owner, LSTATUS status);
// Tells the user, in a box owned by `owner`, that the settings could not be stored, and why.
void ReportSaveFailure(HWND owner, DWORD reason);

// A page's WM_NOTIFY: true for the sheet's apply.
bool IsApply(LPARAM notification);
// The answer to an apply that could not store: the sheet stays open on the page, nothing typed
// is lost.
INT_PTR RefuseApply(HWND page);

// What the pages read of an edit: at most 254 characters and the terminator.
constexpr int EditReadSize = 255;

// The edits' numbers: shown with "%f"; read back keeping the value when no number was typed.
void ShowFloat(HWND page, int control, float value);
void ReadFloat(HWND page, int control, float* value);

// The pages of single values (shape, motion; and the configuration dialog, for what goes with the
// word): the group's rows of the settings table, read and shown in their controls when the page
// starts, and read back and stored when the sheet applies (the dialog: when it stores the slots).
// An entry that is refused keeps the value shown. One sheet runs at a time (it is modal), so the
// values shown are kept in one record for every page.
void ShowSettings(HWND page, SettingGroup group);
INT_PTR ApplySettings(HWND page, SettingGroup group);
// True when the group's rows, read back from their controls, differ from what was shown.
bool SettingsChanged(HWND page, SettingGroup group);
// The group's rows read back from their controls and written through the key a writer's pass
// opened (BeginSettingsWrite); the first failure, or ERROR_SUCCESS.
LSTATUS StoreSettings(HWND page, SettingGroup group);
