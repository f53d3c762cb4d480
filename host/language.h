// The language of every text the program shows. Pure: no Win32 types.
#pragma once
#include <stdint.h>

constexpr uint16_t JapaneseLanguage = 0x0411;  // LANG_JAPANESE, SUBLANG_DEFAULT
constexpr uint16_t EnglishLanguage = 0x0409;   // LANG_ENGLISH, SUBLANG_ENGLISH_US

// Japanese for a Japanese display language (any sublanguage), English for every other: the
// language of the resources the program shows, whatever the code page.
uint16_t UiLanguageFor(uint16_t displayLanguage);

// The help files of a language, found beside the program: WinHelp's and HTML Help's.
const char* HelpFileOf(uint16_t uiLanguage);
const char16_t* HtmlHelpFileOf(uint16_t uiLanguage);
