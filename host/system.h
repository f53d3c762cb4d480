// The system's services that every part of the program may use, on any thread: the version test,
// components loaded at run time and the functions looked up in them, the program's texts as
// UTF-16, and the active code page's conversions.
#pragma once
#include <windows.h>
#include <stdint.h>

extern int32_t ConsumerPlatform;       // 1 on the consumer Windows line (95, 98, Me), 0 on NT
extern uint32_t WindowsMajorVersion;   // 4 up to NT 4 and Me, 5: 2000 and XP, 6: Vista on; 0 unknown

// The one version test: GetVersionExA, once, sets ConsumerPlatform (0 when it reports NT or fails)
// and WindowsMajorVersion (0 when it fails). The main thread runs it before any mode.
void TestWindowsVersion();

// The system's components that the program loads at run time, by their full path in the system
// folder: a file of the same name beside the program (an unpacked download, say) or in the current
// folder is never taken. The libraries they need in turn are looked for from the system folder
// too. Null when the component is missing.
HMODULE LoadSystemLibrary(const char* name);

// A function found by name in a module loaded at run time, or null. GetProcAddress gives a
// generic FARPROC; going through void (*)() says that the caller knows the real type.
template <typename Function>
Function ProcAddress(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// The path of a module of the program (the .scr itself) in UTF-16, as GetModuleFileNameW gives it:
// the ANSI call gives "?" for what the code page cannot spell, a Korean user name on Japanese
// Windows, say, and a saver installed for one user lies in that user's folder. The consumer
// platform has only the ANSI call, and its paths are in the code page: converted. The length; 0
// when the call fails or the path does not fit in `size` characters.
DWORD ModulePath(HMODULE module, wchar_t* path, DWORD size);

// The next character of a text in the active code page (CharNextA): the CharAdvance that the
// pure walks over paths and command lines are given.
const char* NextChar(const char* text);

// Text that people read travels as UTF-16 through the Unicode calls, so that it reads right on
// every code page. The consumer platform has none of those calls: there the ANSI ones take the
// text, converted with the active code page. These convert, always terminating within `size`
// (characters of the output); what the code page lacks becomes its default character.
void AnsiFromWide(const wchar_t* text, char* out, int size);
void WideFromAnsi(const char* text, wchar_t* out, int size);
// The language of the texts the program shows (host/language.h): chosen once, by the main thread
// before any mode, from the user's display language.
extern uint16_t UiLanguage;
void ChooseUiLanguage();
// A resource of the module in UiLanguage (in the other language where it has none there): its
// bytes, which stay while the module is loaded, and their size; null when there is none.
const void* LanguageResource(HINSTANCE module, LPCSTR type, UINT id, DWORD* size = nullptr);
// A dialog template of the program in UiLanguage, for the ...Indirect calls.
const DLGTEMPLATE* DialogTemplate(UINT id);
// A string resource of the module in UiLanguage as UTF-16, on every platform: at most size - 1
// characters and the terminator; 0 and an empty text when it is missing.
int LoadText(HINSTANCE module, UINT id, wchar_t* out, int size);
