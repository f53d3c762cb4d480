// The language of the texts (see language.h).
#include "host/language.h"

uint16_t UiLanguageFor(uint16_t displayLanguage) {
  constexpr uint16_t PrimaryMask = 0x03FF, Japanese = 0x11;
  return (displayLanguage & PrimaryMask) == Japanese ? JapaneseLanguage : EnglishLanguage;
}

const char* HelpFileOf(uint16_t uiLanguage) { return uiLanguage == JapaneseLanguage ? "vorlux.hlp" : "vorlux-en.hlp"; }

const char16_t* HtmlHelpFileOf(uint16_t uiLanguage) {
  return uiLanguage == JapaneseLanguage ? u"vorlux.chm" : u"vorlux-en.chm";
}
