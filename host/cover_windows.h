// The black cover windows that hide every other monitor while a full-screen saver runs. Main
// thread only.
#pragma once
#include <windows.h>

// A class of their own: a second start looks for the saver by its class and title and must never
// find a cover.
constexpr const char* CoverClassName = "VorluxMonitorCover";

// Covers every monitor but the one the saver window fills, behind the saver window in the topmost
// band: creates, moves and destroys covers until they match the present monitors. Called when the
// saver window is shown and again on every display change.
void PlaceCoverWindows(HWND saverWindow);
// Destroys every cover; called with the saver window's destruction. No cover is placed after it.
void DestroyCoverWindows();
LRESULT CALLBACK CoverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
