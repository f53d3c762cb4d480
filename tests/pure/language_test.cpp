// The language of the texts: Japanese for a Japanese display language only.
#include "host/language.h"
#include <gtest/gtest.h>

namespace {

TEST(Language, JapaneseForAJapaneseDisplayLanguageEnglishForEveryOther) {
  const struct {
    uint16_t display, shown;
  } rows[] = {{0x0411, JapaneseLanguage}, {0x0011, JapaneseLanguage}, {0x0409, EnglishLanguage},
              {0x0809, EnglishLanguage}, {0x0412, EnglishLanguage}, {0x0407, EnglishLanguage}, {0, EnglishLanguage}};
  for (const auto& row : rows) EXPECT_EQ(row.shown, UiLanguageFor(row.display)) << std::hex << row.display;
}

}  // namespace
