// A built WinHelp file (the one VORLUX_HELP_FILE names: vorlux.hlp, or vorlux-en.hlp with
// VORLUX_HELP_LANGUAGE=en), read as a WinHelp reader reads it: the internal directory, |SYSTEM,
// the topic chain of |TOPIC, |CTXOMAP and the |CONTEXT tree. Every context number of the program's
// help tables, and every IDH_ name, must lead to the topic that the language's source
// (help/vorlux.txt, help/vorlux_en.txt) titles for it.
#include "config_ui/help_context_ids.h"
#include "tests/help/help_source.h"
#include <gtest/gtest.h>
#include <iconv.h>
#include <stdlib.h>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <vector>

namespace {

uint32_t U16(const std::string& s, size_t at) { return uint8_t(s.at(at)) | uint8_t(s.at(at + 1)) << 8; }
uint32_t U32(const std::string& s, size_t at) { return U16(s, at) | U16(s, at + 2) << 16; }

// A text of the file, from the code page of the language under test.
std::string Utf8(std::string ansi) {
  iconv_t convert = iconv_open("UTF-8", HelpLanguageUnderTest()->codePage);
  std::string out(ansi.size() * 3, '\0');
  char *in = &ansi[0], *to = &out[0];
  size_t inLeft = ansi.size(), outLeft = out.size();
  iconv(convert, &in, &inLeft, &to, &outLeft);
  iconv_close(convert);
  out.resize(out.size() - outLeft);
  return out;
}

// The hash of a context name, as |CONTEXT files it.
int32_t ContextHash(const std::string& name) {
  uint32_t hash = 0;
  for (unsigned char c : name)
    hash = hash * 43 + (isalpha(c) ? toupper(c) - 'A' + 17 : c == '0' ? 10 : isdigit(c) ? c - '0' : c == '.' ? 12 : 13);
  return static_cast<int32_t>(hash);
}

constexpr const char* NoTopic = "(no topic)";

class HelpFileReader {
 public:
  explicit HelpFileReader(const char* path) {
    std::ifstream in(path, std::ios::binary);
    data_.assign(std::istreambuf_iterator<char>(in), {});
    if (data_.size() < 16 || U32(data_, 0) != 0x00035F3F || U32(data_, 12) != data_.size()) return;
    // The directory: file name, then the offset of the file's header.
    WalkTree(Content(U32(data_, 4)), [&](const std::string& page, size_t at) {
      std::string name = page.c_str() + at;
      files_[name] = Content(U32(page, at + name.size() + 1));
      return name.size() + 5;
    });
    valid = files_.count("|SYSTEM") && files_.count("|TOPIC") && ReadSystem() && ReadTopics();
  }
  bool valid = false;
  std::string title, contentsTitle;
  uint32_t charset = 0, language = 0;

  // The title of the topic a context number leads to through |CTXOMAP (NoTopic when none).
  std::string TopicOfNumber(uint32_t number) {
    const std::string& map = files_["|CTXOMAP"];
    for (size_t i = 0; map.size() >= 2 && i < U16(map, 0); ++i)
      if (U32(map, 2 + 8 * i) == number) return TitleAt(U32(map, 6 + 8 * i));
    return NoTopic;
  }
  // The title of the topic a context name leads to through |CONTEXT, searched in the tree's order.
  std::string TopicOfName(const std::string& name) {
    int32_t key = ContextHash(name);
    std::string found = NoTopic;
    bool passed = false;
    WalkTree(files_["|CONTEXT"], [&](const std::string& page, size_t at) {
      int32_t hash = static_cast<int32_t>(U32(page, at));
      if (hash == key && !passed) found = TitleAt(U32(page, at + 4));
      passed = passed || hash >= key;
      return size_t{8};
    });
    return found;
  }

 private:
  // An internal file's bytes after its header (reserved size, used size, flags).
  std::string Content(size_t at) const { return at + 9 <= data_.size() ? data_.substr(at + 9, U32(data_, at + 4)) : ""; }

  // Calls visit(page, offset) for each leaf entry of a B+ tree; visit returns the entry's size.
  template <typename Visit>
  static void WalkTree(const std::string& tree, Visit visit) {
    if (tree.size() < 38 || U16(tree, 0) != 0x293B) return;
    uint32_t pageSize = U16(tree, 4), page = U16(tree, 26);
    for (uint32_t level = U16(tree, 32); level > 1; --level) page = U16(tree, 38 + page * pageSize + 4);
    while (page != 0xFFFF && 38 + (page + 1) * pageSize <= tree.size()) {
      std::string leaf = tree.substr(38 + page * pageSize, pageSize);
      for (size_t i = 0, at = 8; i < U16(leaf, 2); ++i) at += visit(leaf, at);
      page = U16(leaf, 6);
    }
  }

  bool ReadSystem() {
    const std::string& system = files_["|SYSTEM"];
    // Version 3.1 with flags 0: uncompressed topic blocks of 4 KiB.
    if (U16(system, 0) != 0x036C || U16(system, 2) != 21 || U16(system, 10) != 0) return false;
    for (size_t at = 12; at + 4 <= system.size(); at += 4 + U16(system, at + 2)) {
      std::string record = system.substr(at + 4, U16(system, at + 2));
      switch (U16(system, at)) {
        case 1: title = Utf8(record.c_str()); break;
        case 3: contentsOffset_ = U32(record, 0); break;
        case 9: language = U16(record, 8); break;
        case 11: charset = uint8_t(record.at(0)); break;
      }
    }
    return true;
  }

  // Follows the topic links from the first; a topic's offset is its block and the characters of
  // the text records in that block before it.
  bool ReadTopics() {
    const std::string& topic = files_["|TOPIC"];
    uint32_t block = ~0u, characters = 0;
    for (uint32_t pos = 12, count = 0; pos != 0xFFFFFFFF && count < 10000; ++count) {
      size_t at = ((pos - 12) >> 14) * 4096 + 12 + ((pos - 12) & 0x3FFF);
      if (at + 21 > topic.size()) return false;
      if ((pos - 12) >> 14 != block) block = (pos - 12) >> 14, characters = 0;
      uint32_t dataLen1 = U32(topic, at + 16), kind = uint8_t(topic.at(at + 20));
      if (kind == 2) titles_[block * 0x8000 + characters] = Utf8(topic.c_str() + at + dataLen1);
      if (kind == 0x20) {
        size_t length = at + 21 + (topic.at(at + 21) & 1 ? 4 : 2);  // TopicSize, then TopicLength
        characters += topic.at(length) & 1 ? U16(topic, length) / 2 : uint8_t(topic.at(length)) / 2;
      }
      pos = U32(topic, at + 12);
    }
    contentsTitle = TitleAt(contentsOffset_);
    return !titles_.empty();
  }
  std::string TitleAt(uint32_t offset) const {
    auto title = titles_.find(offset);
    return title == titles_.end() ? NoTopic : title->second;
  }

  std::string data_;
  std::map<std::string, std::string> files_;
  std::map<uint32_t, std::string> titles_;
  uint32_t contentsOffset_ = ~0u;
};

std::string TitleOf(const std::map<std::string, std::string>& titles, const std::string& key) {
  auto title = titles.find(key);
  return title == titles.end() ? "(not in the source)" : title->second;
}

const char* HelpFilePath() {
  const char* path = getenv("VORLUX_HELP_FILE");
  return path ? path : "vorlux.hlp";
}

std::string HelpSource() { return std::string(HELP_SOURCE_DIR "/") + HelpLanguageUnderTest()->source; }

TEST(HelpFile, EveryContextOfTheDialogsLeadsToItsTopic) {
  const HelpLanguage* language = HelpLanguageUnderTest();
  ASSERT_NE(nullptr, language) << "VORLUX_HELP_LANGUAGE names no language";
  HelpFileReader help(HelpFilePath());
  ASSERT_TRUE(help.valid) << HelpFilePath() << " is not a WinHelp 3.1 file with |SYSTEM and |TOPIC";
  auto titles = HelpSourceTitles(HelpSource());
  ASSERT_FALSE(titles.empty()) << HelpSource();
  std::string contents = TitleOf(titles, "contents");
  EXPECT_EQ(contents, help.title) << "|SYSTEM title";
  EXPECT_EQ(contents, help.contentsTitle) << "|SYSTEM contents topic";
  EXPECT_EQ(contents, help.TopicOfName("IDH_CONTENTS")) << "IDH_CONTENTS through |CONTEXT";
  EXPECT_EQ(language->charset, help.charset) << "|SYSTEM character set";
  EXPECT_EQ(language->languageId, help.language) << "|SYSTEM language";
  for (auto* table = HelpTables; table->name; ++table) {
    for (const uint32_t* pair = table->pairs; pair[0] || pair[1]; pair += 2) {
      std::string number = std::to_string(pair[1]);
      EXPECT_EQ(TitleOf(titles, number), help.TopicOfNumber(pair[1]))
          << table->name << ": control " << pair[0] << ", context " << number << " through |CTXOMAP";
      EXPECT_EQ(TitleOf(titles, number), help.TopicOfName("IDH_" + number))
          << table->name << ": control " << pair[0] << ", IDH_" << number << " through |CONTEXT";
    }
  }
}

// The topics of the source are exactly the contents and the context numbers of the help tables.
TEST(HelpFile, TheSourceHasATopicForEachContextOfTheHelpTablesAndNoOther) {
  std::set<std::string> expected = {"contents"}, actual;
  for (uint32_t id : HelpContextIds()) expected.insert(std::to_string(id));
  for (const auto& topic : HelpSourceTitles(HelpSource())) actual.insert(topic.first);
  EXPECT_EQ(expected, actual);
}

}  // namespace
