#include "generator/word_pool.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "gui/controls.h"
#include "gui/texts.h"
#include "reference_draw.h"
#include "runtime/random.h"
#include "runtime/text.h"
#include "support/main_window_fixture.h"

namespace velkart::generator {
namespace {

using velkart::testing::cp1252;
using velkart::testing::reference_draw;
namespace c = controls;

TEST(DrawFromPool, TakesTheSameWordsAsTheLinkedListShuffle) {
  for (std::size_t size : {0u, 1u, 2u, 3u, 7u, 64u, 1000u}) {
    WordPool pool;
    // Appending to "W" rather than "W" + ...: GCC 12 at -O3 reports a false
    // -Wrestrict for a literal prepended to a temporary string.
    for (std::size_t k = 0; k < size; ++k)
      pool.push_back(std::string("W").append(std::to_string(k)));
    for (std::uint32_t seed : {0u, 1u, 4711u, 0xFFFFFFFFu}) {
      for (std::int32_t limit : {-1, 0, 1, 5, 300}) {
        runtime::seed_random(seed);
        const std::string expected = reference_draw(pool, limit);
        const std::uint32_t next_expected = runtime::random_up_to(-1);
        runtime::seed_random(seed);
        EXPECT_EQ(draw_from_pool(pool, limit), expected) << size << " " << seed << " " << limit;
        // The generator must have moved on exactly as far, or the next text differs.
        EXPECT_EQ(runtime::random_up_to(-1), next_expected);
      }
    }
  }
}

TEST(DrawFromPool, UsesEveryEntryOnceAndTidiesBlanks) {
  runtime::seed_random(7);
  const std::string text = draw_from_pool({"A", "B", "", "C D", "E "}, 300);
  std::multiset<std::string> words;
  for (std::size_t at = 0; at <= text.size();) {
    const std::size_t blank = std::min(text.find(' ', at), text.size());
    words.insert(text.substr(at, blank - at));
    at = blank + 1;
  }
  EXPECT_EQ(words, (std::multiset<std::string>{"A", "B", "C", "D", "E"}));
  EXPECT_EQ(text.find("  "), std::string::npos);
  EXPECT_EQ(draw_from_pool({"A", "B"}, 0), "");
}

// A rebuild of the lists that lost its blocklist would bring these back.
TEST(ShippedGermanList, HoldsNoneOfASampleOfTheBlockedWords) {
  std::istringstream words(runtime::upper_case(velkart::testing::read_bytes(
      std::string(VELKART_SOURCE_DIR) + "/data/wordlists/de_AllgemAfuTechnik.txt")));
  const std::set<std::string> blocked{"TOD", "KRIEG", "WAFFE", "MORD"};
  std::size_t count = 0;
  for (std::string word; words >> word; ++count) EXPECT_FALSE(blocked.contains(word)) << word;
  EXPECT_EQ(count, 13000u);
}

TEST(SplitPoolText, TurnsCommasIntoBlanksInsideEntries) {
  EXPECT_EQ(split_pool_text("HAUS,BOOT"), WordPool{"HAUS BOOT"});
  EXPECT_EQ(split_pool_text("HAUS, BOOT"), (WordPool{"HAUS ", "BOOT"}));
  EXPECT_EQ(split_pool_text(""), WordPool{""});
  EXPECT_EQ(split_pool_text("  A  B "), (WordPool{"A", "B", ""}));
  EXPECT_EQ(split_pool_text("A\tB"), WordPool{"A\tB"});
}

TEST(PassesFilter, AppliesLettersMandatoryAndLength) {
  PoolFilter filter{"BCD", "", 5, true};
  EXPECT_TRUE(passes_filter("AEE", filter));
  EXPECT_FALSE(passes_filter("ABE", filter));
  EXPECT_TRUE(passes_filter("73", filter));
  EXPECT_TRUE(passes_filter("", filter));
  EXPECT_FALSE(passes_filter("AAAAAA", filter));
  filter.up_to = false;
  EXPECT_FALSE(passes_filter("AAAA", filter));
  EXPECT_TRUE(passes_filter("AAAAA", filter));
  filter = PoolFilter{"", "K ", 10, true};
  EXPECT_FALSE(passes_filter("KM", filter));
  EXPECT_TRUE(passes_filter("K M", filter));
  EXPECT_FALSE(passes_filter("", filter));
}

class RunTrial : public velkart::testing::MainWindowTest {};

bool only_allowed_letters(std::string_view text, std::string_view allowed) {
  for (char byte : text) {
    if (letter_alphabet.find(byte) != std::string_view::npos &&
        allowed.find(byte) == std::string_view::npos) {
      return false;
    }
  }
  return true;
}

TEST_F(RunTrial, DefaultSettingsNeverLeakAFilteredLetter) {
  for (std::uint32_t seed = 1; seed <= 20; ++seed) {
    runtime::seed_random(seed);
    const std::string text = run_trial(gui);
    ASSERT_FALSE(text.empty());
    EXPECT_TRUE(only_allowed_letters(text, "KMURESNIAT")) << text;
    for (std::size_t at = 0; at < text.size();) {
      const std::size_t blank = std::min(text.find(' ', at), text.size());
      EXPECT_LE(blank - at, 5u);
      at = blank + 1;
    }
  }
  EXPECT_EQ(gui.get_text(c::filtered_label), cp1252("BCDFGHJLOPQVWXYZÄÖÜß"));
  EXPECT_EQ(gui.get_text(c::word_length_label), "5");
  EXPECT_TRUE(gui.messages().empty());
}

TEST_F(RunTrial, ExactModeKeepsOnlyThatLength) {
  gui.set_state(c::exact_option, 1);
  gui.set_state(c::word_length_slider, 2);
  runtime::seed_random(3);
  const std::string text = run_trial(gui);
  ASSERT_FALSE(text.empty());
  for (std::size_t at = 0; at < text.size(); at += 3)
    EXPECT_TRUE(at + 2 == text.size() || text[at + 2] == ' ');
}

TEST_F(RunTrial, ReplacesSharpSAndUmlautsBeforeFiltering) {
  tick_only({1});
  write_list("eigeneDatei.txt", cp1252("straße öl größe\r\n"));
  gui.set_text(c::allowed_field, "straeol");
  gui.set_state(c::word_length_slider, 10);
  EXPECT_EQ(run_trial(gui).size(), std::string("STRASSE OEL").size());
  gui.set_state(c::replace_sz, 0);
  gui.set_state(c::replace_umlauts, 0);
  gui.set_text(c::allowed_field, cp1252("straßölgeßä"));
  const std::string text = run_trial(gui);
  EXPECT_NE(text.find(cp1252("STRAßE")), std::string::npos);
  EXPECT_NE(text.find(cp1252("GRÖßE")), std::string::npos);
  EXPECT_NE(text.find(cp1252("ÖL")), std::string::npos);
}

TEST_F(RunTrial, MandatoryCharactersAreAllowedAndRequired) {
  tick_only({1});
  write_list("eigeneDatei.txt", "kam mast am ruf,kam see");
  gui.set_text(c::mandatory_field, "k");
  runtime::seed_random(1);
  const std::string text = run_trial(gui);
  EXPECT_NE(text.find("KAM"), std::string::npos);
  EXPECT_EQ(text.find("MAST"), std::string::npos);
  EXPECT_EQ(text.find("SEE"), std::string::npos);
  gui.set_text(c::mandatory_field, "k m");
  gui.set_state(c::word_length_slider, 10);
  gui.set_text(c::allowed_field, "kamrufse");
  EXPECT_EQ(run_trial(gui), "RUF KAM");  // only the entry joined by a comma holds a blank
}

TEST_F(RunTrial, MissingListShowsTheMessageAndUsesTheOthers) {
  tick_only({1, 2});
  std::filesystem::remove(folder.path() / "nicht_loeschen" / "eigeneDatei.txt");
  EXPECT_FALSE(run_trial(gui).empty());
  ASSERT_EQ(gui.messages().size(), 1u);
  EXPECT_EQ(gui.messages()[0].title, "Information");
  EXPECT_EQ(gui.messages()[0].text, texts::no_words_or_file.view());
  tick_only({1});
  EXPECT_EQ(run_trial(gui), "");
  EXPECT_EQ(gui.get_text(c::output_area), "");
}

TEST_F(RunTrial, OddBytesInListsStayInTheirWords) {
  tick_only({1});
  std::string bytes = "mut\rrest\n\nsau\x01m";
  bytes += '\0';
  bytes += "uns\xFF\x80\n" + std::string(10 * 1024 * 1024, 'k');
  write_list("eigeneDatei.txt", bytes);
  gui.set_state(c::word_length_slider, 10);
  gui.set_text(c::allowed_field, "mutresnka");
  runtime::seed_random(5);
  const std::string text = run_trial(gui);
  std::multiset<std::string> words;
  for (std::size_t at = 0; at <= text.size();) {
    const std::size_t blank = std::min(text.find(' ', at), text.size());
    words.insert(text.substr(at, blank - at));
    at = blank + 1;
  }
  // A lone CR and the 0 byte end lines; the control byte, € and ÿ stay in
  // their words (ÿ becomes Ÿ, which the filter cannot remove); the 10 MB
  // line is simply too long.
  EXPECT_EQ(words, (std::multiset<std::string>{"MUT", "REST", "SAU\x01M", "UNS\x9F\x80"}));
}

TEST_F(RunTrial, EmptyListFileGivesAnEmptyTextWithoutMessage) {
  tick_only({1});
  write_list("eigeneDatei.txt", "");
  EXPECT_EQ(run_trial(gui), "");
  EXPECT_TRUE(gui.messages().empty());
}

TEST_F(RunTrial, WordLimitCutsAndZeroGivesNothing) {
  gui.set_text(c::word_limit_field, "3");
  const std::string limited = run_trial(gui);
  EXPECT_EQ(std::count(limited.begin(), limited.end(), ' '), 2);
  gui.set_text(c::word_limit_field, "");
  EXPECT_EQ(run_trial(gui), "");
  gui.set_text(c::word_limit_field, "4294967299");  // low 32 bits: 3
  const std::string three = run_trial(gui);
  EXPECT_EQ(std::count(three.begin(), three.end(), ' '), 2);
}

TEST_F(RunTrial, TrailingBlankInTheLastListGivesOneSilentEmptyEntry) {
  tick_only({1});
  write_list("eigeneDatei.txt", "a b \r\n");
  gui.set_text(c::allowed_field, "ab");
  runtime::seed_random(11);
  const std::string text = run_trial(gui);
  EXPECT_TRUE(text == "A B" || text == "B A") << text;
}

}  // namespace
}  // namespace velkart::generator
