// The configuration dialog (template 2003) and the property sheet its details button opens.
// Main thread only.
#pragma once
#include <windows.h>

INT_PTR CALLBACK SaverConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Runs the six-page sheet modally over `parent`; returns PropertySheetA's result.
INT_PTR OpenPropertySheet(HWND parent);
