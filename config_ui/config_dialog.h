// The configuration dialog (template 2003). Main thread only.
#pragma once
#include <windows.h>

INT_PTR CALLBACK SaverConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
