// A built HTML Help file (the one VORLUX_CHM_FILE names: vorlux.chm, or vorlux-en.chm with
// VORLUX_HELP_LANGUAGE=en), read back with chmls, Free Pascal's CHM lister: every topic of the
// language's source (help/vorlux.txt, help/vorlux_en.txt) is a page with the source's title, and
// every context number of the program's help tables leads through the context map to its page
// and has a pop-up text in cshelp.txt that starts with that title.
#include "config_ui/help_ids.h"
#include "tests/help/help_source.h"
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>
#include <map>
#include <set>
#include <sstream>

namespace {

// What a shell command writes to its standard output.
std::string Shell(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    pclose(pipe);
  }
  return out;
}

std::string Between(const std::string& text, const std::string& open, const std::string& close) {
  size_t start = text.find(open);
  if (start == std::string::npos) return "(none)";
  start += open.size();
  return text.substr(start, text.find(close, start) - start);
}

// A value of `chmls printsystem`: "<label>  ...  :<value>", without the blanks and the string's
// terminator around it.
std::string SystemValue(const std::string& system, const std::string& label) {
  size_t colon = system.find(':', system.find(label));
  if (system.find(label) == std::string::npos || colon == std::string::npos) return "(none)";
  std::string value = system.substr(colon + 1, system.find('\n', colon) - colon - 1);
  const std::string blank(" \0", 2);
  value.erase(0, value.find_first_not_of(blank));
  return value.erase(value.find_last_not_of(blank) + 1);
}

class ChmFile : public testing::Test {
 protected:
  // A copy of the file in a folder of its own, where chmls puts what it extracts.
  void SetUp() override {
    const char* file = getenv("VORLUX_CHM_FILE");
    ASSERT_NE(nullptr, file) << "set VORLUX_CHM_FILE";
    language_ = HelpLanguageUnderTest();
    ASSERT_NE(nullptr, language_) << "VORLUX_HELP_LANGUAGE names no language";
    char folder[] = "/tmp/vorlux-chm-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(folder));
    folder_ = folder;
    Shell("cd " + folder_ + " && cp '" + file + "' vorlux.chm && chmls extractall vorlux.chm pages >/dev/null 2>&1");
    std::string source = std::string(HELP_SOURCE_DIR "/") + language_->source;
    titles_ = HelpSourceTitles(source);
    ASSERT_FALSE(titles_.empty()) << source;
  }
  void TearDown() override { Shell("rm -rf " + folder_); }

  // A file inside the help file, in UTF-8 (the pages and pop-ups are in the language's code page).
  std::string Inside(const std::string& name) {
    return Shell(std::string("iconv -f ") + language_->codePage + " -t UTF-8 '" + folder_ + "/pages/" + name +
                 "' 2>/dev/null");
  }
  std::string PageTitle(const std::string& name) { return Between(Inside(name), "<title>", "</title>"); }

  std::string folder_;
  const HelpLanguage* language_ = nullptr;
  std::map<std::string, std::string> titles_;
};

TEST_F(ChmFile, ListsAPageForEveryTopicWithItsTitle) {
  std::set<std::string> listed;
  std::istringstream listing(Shell("chmls -n list '" + folder_ + "/vorlux.chm' 2>/dev/null"));
  for (std::string line; std::getline(listing, line);) listed.insert(line);
  for (const auto& topic : titles_) {
    std::string page = topic.first + ".htm";
    EXPECT_EQ(1u, listed.count("/" + page)) << page << " is not listed";
    EXPECT_EQ(topic.second, PageTitle(page)) << page;
  }
  std::string system = Shell("chmls printsystem '" + folder_ + "/vorlux.chm' 2>/dev/null | iconv -f " +
                             language_->codePage + " -t UTF-8");
  EXPECT_EQ(titles_["contents"], SystemValue(system, "Title from [options]")) << "the file's title";
  EXPECT_EQ("contents.htm", SystemValue(system, "Default topic from [options]")) << "the start page";
  EXPECT_EQ(std::to_string(language_->languageId), SystemValue(system, "LCID from HHP file")) << "the language";
}

TEST_F(ChmFile, EveryContextOfTheDialogsLeadsToItsPageAndItsPopUp) {
  // The context map as chmls gives it: vorlux.h ("#define IDH_<n> <number>") and vorlux.ali
  // ("IDH_<n>=<page>"), written beside the file.
  Shell("cd " + folder_ + " && chmls extractalias vorlux.chm >/dev/null 2>&1");
  std::map<uint32_t, std::string> names, pages;
  std::istringstream defines(Shell("cat " + folder_ + "/vorlux.h")), aliases(Shell("cat " + folder_ + "/vorlux.ali"));
  std::string name, define;
  for (uint32_t number; defines >> define >> name >> number;) names[number] = name;
  std::map<std::string, std::string> aliasPages;
  for (std::string line; std::getline(aliases, line);)
    aliasPages[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
  // cshelp.txt: ".topic <number>", then the topic's title on the next line.
  std::map<std::string, std::string> popUps;
  std::istringstream popUpText(Inside("cshelp.txt"));
  for (std::string line, number; std::getline(popUpText, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!number.empty()) popUps[number] = line;
    number = line.compare(0, 7, ".topic ") == 0 ? line.substr(7) : "";
  }
  for (auto* table = HelpTables; table->name; ++table) {
    for (const uint32_t* pair = table->pairs; pair[0] || pair[1]; pair += 2) {
      std::string number = std::to_string(pair[1]), title = titles_[number];
      std::string page = aliasPages[names[pair[1]]];
      EXPECT_EQ(title, page.empty() ? "(no page)" : PageTitle(page.substr(page[0] == '/')))
          << table->name << ": control " << pair[0] << ", context " << number << " through the map to '" << page << "'";
      EXPECT_EQ(title, popUps.count(number) ? popUps[number] : "(no pop-up)")
          << table->name << ": control " << pair[0] << ", context " << number << " in cshelp.txt";
    }
  }
}

}  // namespace
