// Process entry and mode dispatch. Main thread only.
#pragma once
#include <windows.h>
#include <stdint.h>

// The program's main routine: rebuilds the command tail itself, runs SaverMain and ends the
// process with its result. Never returns.
void SaverEntry();
// Runs the one mode the command tail names; returns its result (the exit code; -1: no mode).
int32_t SaverMain(HINSTANCE instance, HINSTANCE previousInstance, const char* tail, int showCommand);
int32_t RunPreview(const char* text);
int32_t RunConfigDialog(HWND owner);
