// Password verification on the consumer platform (the system's PASSWORD.CPL, held for a
// full-screen run) and the password change (MPR.DLL). Main thread only.
#pragma once
#include <windows.h>
#include <stdint.h>

// Sent to the saver window to ask the verifier; the first message of the application range.
constexpr UINT VerifyPasswordRequest = 0x8000;

// The close gate: written only by MayCloseSaver, read by the saver window's procedures.
extern int32_t CloseAllowed;     // the saver may close; never goes back to 0
extern int32_t CheckInProgress;  // a verification is under way

void LoadPasswordVerifier();
void UnloadPasswordVerifier();
// Nonzero when the saver may close now; asks the verifier when one is loaded.
int32_t MayCloseSaver(HWND window);
// The answer to VerifyPasswordRequest on the consumer platform: the verifier's, or 1 without one.
LRESULT AnswerPasswordRequest(HWND window);
// Mode A: hands the change to the system's password service; returns 0.
int32_t ChangePassword(const char* text);
