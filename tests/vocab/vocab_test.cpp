#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/test_support.h"
#include "vocab/pipeline.h"
#include "vocab/reference_pipeline.h"

namespace velkart::vocab {
namespace {

namespace fs = std::filesystem;
using testing::cp1252;
using testing::read_bytes;
using testing::reference_lists;
using testing::write_bytes;
using Messages = std::vector<std::string>;

const std::string no_source{
    cp1252("Es wurden keine Wörter ausgewählt oder die Datei konnte nicht geöffnet werden!")};
const std::string not_created{"Konnte Datei nicht erstellen!"};

class VocabularyPipeline : public ::testing::Test {
 protected:
  VocabularyPipeline() { folder_.lay_out_program_folders(); }

  fs::path file(std::string_view name, std::string_view ending = ".txt") const {
    return folder_.path() / "Wortschatz_erweitern" /
           testing::utf8_path(std::string(name) + std::string(ending));
  }
  // Runs the pipeline as the window's start button does and keeps every
  // state of the progress display.
  void run(std::string name = "quelle") {
    shown_.clear();
    name_reads_ = 0;
    PipelineHooks hooks;
    hooks.read_source_name = [this, name] {
      ++name_reads_;
      return name;
    };
    hooks.show_progress = [this](std::string_view log) { shown_.emplace_back(log); };
    hooks.tell = [this](std::string_view text) { messages_.emplace_back(text); };
    run_vocabulary_pipeline(hooks);
  }
  std::string alphabetical(std::string_view name = "quelle") const {
    return read_bytes(file(name, "_bearbeitet_ABC.txt"));
  }
  std::string by_length(std::string_view name = "quelle") const {
    return read_bytes(file(name, "_bearbeitet_Groesse.txt"));
  }

  testing::WorkingFolder folder_;
  Messages messages_;
  std::vector<std::string> shown_;
  int name_reads_ = 0;
};

TEST_F(VocabularyPipeline, WritesTheGoldenFilesAndShowsTheGrowingLogOfEachExample) {
  const std::pair<const char*, std::string> examples[] = {
      {"haus_maus", cp1252("Haus, Maus\r\nmaus HAUS Baum2 ab Tor Überfluss Straße")},
      {"edge_cases",
       cp1252("Zehnbuchst elfbuchstab Uhu, AB,CD Wort, café niño garçon äpfel Zebra\tgrüße Wort2 "
              "o'clock Öl-Ölen ,Komma, Schluss,")}};
  for (const auto& [golden, source] : examples) {
    SCOPED_TRACE(golden);
    write_bytes(file("quelle"), source);
    run();
    testing::expect_matches_golden(alphabetical(),
                                   "vocab/" + std::string(golden) + "_bearbeitet_ABC.txt");
    testing::expect_matches_golden(by_length(),
                                   "vocab/" + std::string(golden) + "_bearbeitet_Groesse.txt");
    testing::expect_matches_golden(shown_.back(), "vocab/progress_log.txt");
    EXPECT_EQ(name_reads_, 1);
    EXPECT_EQ(shown_.front(), "BITTE WARTEN\n\n-Ursprungsdatei laden");
    for (std::size_t at = 1; at < shown_.size(); ++at)
      EXPECT_TRUE(shown_[at].starts_with(shown_[at - 1])) << "the log only grows, entry " << at;
  }
  EXPECT_TRUE(messages_.empty());
}

TEST_F(VocabularyPipeline, ReadsEveryEncodingAndKeepsEarlierResultsForASourceWithoutWords) {
  // Random bytes meet the collector in the vocab fuzz corpus; here the text
  // ends at the first zero byte.
  const std::string binary("Haus \x01\xff\x93Maus \x7f\x84Tor\0 Nachher", 27);
  write_bytes(file("quelle"), binary);
  run();
  const testing::ReferenceLists expected = reference_lists(binary);
  EXPECT_EQ(alphabetical(), testing::joined(expected.alphabetical) + "\r\n");
  EXPECT_EQ(by_length(), testing::joined(expected.by_length) + "\r\n");
  EXPECT_NE(alphabetical().find("HAUS "), std::string::npos);
  EXPECT_EQ(alphabetical().find("NACHHER"), std::string::npos);

  // UTF-8 (with or without its mark) and UTF-16 give the words of the text
  // in Windows-1252, as the program keeps them.
  const std::string utf8 = "Grün Öl Straße";
  write_bytes(file("quelle"), cp1252(utf8));
  run();
  const std::string words = alphabetical();
  const std::string utf16_le("\xFF\xFEG\0r\0\xFC\0n\0 \0\xD6\0l\0 \0S\0t\0r\0a\0\xDF\0e\0", 30);
  std::string utf16_be = "\xFE\xFF";
  for (std::size_t at = 2; at < utf16_le.size(); at += 2)
    utf16_be += {utf16_le[at + 1], utf16_le[at]};
  for (const std::string& source : {utf8, "\xEF\xBB\xBF" + utf8, utf16_le, utf16_be}) {
    write_bytes(file("quelle"), source);
    run();
    EXPECT_EQ(alphabetical(), words) << source;
  }
  EXPECT_TRUE(messages_.empty());

  // Without a word the earlier results stay, and the user is told.
  for (const std::string& source : {std::string(), std::string("   \r\n  \n\r \t ,, , \r\n")}) {
    messages_.clear();
    write_bytes(file("quelle"), source);
    run();
    EXPECT_EQ(alphabetical(), words);
    EXPECT_EQ(messages_, Messages{no_source});
  }
}

TEST_F(VocabularyPipeline, WarnsOnceAndKeepsEarlierResultsWhenTheSourceIsMissingOrAFolder) {
  fs::create_directory(file("ordner"));
  for (const char* name : {"gibt_es_nicht", "ordner"}) {
    write_bytes(file(name, "_bearbeitet_ABC.txt"), "ALT \r\n");
    messages_.clear();
    run(name);
    EXPECT_EQ(messages_, Messages{no_source}) << name;
    EXPECT_EQ(alphabetical(name), "ALT \r\n") << name;
    EXPECT_FALSE(fs::exists(file(name, "_bearbeitet_Groesse.txt"))) << name;
    EXPECT_TRUE(shown_.back().ends_with("E N D E")) << name;
  }
  fs::remove_all(folder_.path() / "Wortschatz_erweitern");
  messages_.clear();
  run();
  EXPECT_EQ(messages_, Messages{no_source});
  EXPECT_FALSE(fs::exists(folder_.path() / "Wortschatz_erweitern"));
}

TEST_F(VocabularyPipeline, AdoptsTheAlphabeticalListAsOwnListAfterAskingAndTrashesTheOldOne) {
  const std::string own = "nicht_loeschen/eigeneDatei.txt";
  std::vector<std::string> questions;
  bool answer = false;
  const auto adopt = [&] {
    return adopt_alphabetical_list(
        "quelle", own,
        [&](std::string_view question) {
          questions.emplace_back(question);
          return answer;
        },
        [this](std::string_view text) { messages_.emplace_back(text); });
  };
  EXPECT_FALSE(adopt());  // nothing built yet: nothing asked
  EXPECT_TRUE(questions.empty());
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_TRUE(
      messages_[0].starts_with(cp1252("Es gibt noch keine alphabetische Wortliste "
                                      "Wortschatz_erweitern/quelle_bearbeitet_ABC.txt.")));

  write_bytes(file("quelle", "_bearbeitet_ABC.txt"), "BAUM HAUS \r\n");
  write_bytes(own, "ALT \r\n");
  EXPECT_FALSE(adopt());  // "Nein" changes nothing
  EXPECT_EQ(read_bytes(own), "ALT \r\n");
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_NE(questions[0].find(cp1252("kommt in den Papierkorb")), std::string::npos);
  answer = true;
  messages_.clear();
  EXPECT_TRUE(adopt());
  EXPECT_EQ(read_bytes(own), "BAUM HAUS \r\n");
#ifndef _WIN32  // the desktop's trash of the test folder; Windows has its recycle bin
  EXPECT_EQ(read_bytes(folder_.path() / "Daten" / "Trash" / "files" / "eigeneDatei.txt"),
            "ALT \r\n");
#endif
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_TRUE(messages_[0].starts_with(cp1252("Übernommen: ")));
}

TEST_F(VocabularyPipeline, WarnsForTheOneResultFileThatCannotBeCreatedAndWritesTheOther) {
  fs::create_directory(file("quelle", "_bearbeitet_ABC.txt"));
  write_bytes(file("quelle"), "Haus Maus Tor");
  run();
  EXPECT_EQ(messages_, Messages{not_created});
  EXPECT_EQ(by_length(), "TOR HAUS MAUS \r\n");
}

TEST_F(VocabularyPipeline, UsesTheNameAsTypedEvenEmptyOrWithUmlautsAndBlanks) {
  // The typed name is Windows-1252; the files on disk are named in UTF-8.
  const std::pair<std::string, const char*> names[] = {{"", ""},
                                                       {cp1252("Märchen Text"), "Märchen Text"}};
  for (const auto& [typed, on_disk] : names) {
    write_bytes(file(on_disk), "Hexe");
    run(typed);
    EXPECT_EQ(alphabetical(on_disk), "HEXE \r\n") << on_disk;
  }
}

}  // namespace
}  // namespace velkart::vocab
