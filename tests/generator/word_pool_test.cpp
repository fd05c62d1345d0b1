#include "generator/word_pool.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "runtime/random.h"
#include "runtime/text.h"
#include "support/reference_draw.h"
#include "support/test_support.h"

namespace velkart::generator {
namespace {

using velkart::testing::cp1252;
using velkart::testing::linked_list_draw;

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
        const std::string expected = velkart::testing::linked_list_draw(pool, limit);
        const std::uint32_t next_expected = runtime::random_up_to(-1);
        runtime::seed_random(seed);
        EXPECT_EQ(draw_from_pool(pool, limit), expected) << size << " " << seed << " " << limit;
        // The generator must have moved on exactly as far, or the next text differs.
        EXPECT_EQ(runtime::random_up_to(-1), next_expected);
      }
    }
  }
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
  // The encoder would take these for commands, not send them.
  for (std::string_view word : {"A#B", "#", "Q|W40", "<>", "A<", "B>"})
    EXPECT_FALSE(passes_filter(word, PoolFilter{"", "", 20, true})) << word;
}

// The pool as a trial run builds it, from lists written by the test.
class BuildWordPool : public ::testing::Test {
 protected:
  BuildWordPool() { folder.lay_out_program_folders(); }
  PoolBuild build_from(std::string_view list_bytes) {
    velkart::testing::write_bytes("nicht_loeschen/eigeneDatei.txt", list_bytes);
    options.lists = {"nicht_loeschen/eigeneDatei.txt"};
    return build_word_pool(options);
  }
  velkart::testing::WorkingFolder folder;
  PoolOptions options{{}, 5, true, true, true, "kmuresniat", "", 300};
};

TEST(FilteredAlphabet, RemovesAllowedAndMandatoryLettersWhateverTheirCase) {
  const struct {
    const char *allowed, *mandatory, *filtered;
  } cases[] = {{"kmuresniat", "", "BCDFGHJLOPQVWXYZÄÖÜß"},
               {"KM", "u r", "ABCDEFGHIJLNOPQSTVWXYZÄÖÜß"},
               {"äöüß", "", "ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
               {"", "", "ABCDEFGHIJKLMNOPQRSTUVWXYZÄÖÜß"},
               {"abcdefghijklmnopqrstuvwxyzäöüß 0?/", "", ""}};
  for (const auto& [allowed, mandatory, filtered] : cases) {
    EXPECT_EQ(filtered_alphabet(cp1252(allowed), cp1252(mandatory)), cp1252(filtered)) << allowed;
  }
}

TEST(ReplaceSpecialLetters, FollowsEachSwitchOnItsOwn) {
  const std::string text = cp1252("STRAßE ÖL ÄRGER ÜBER");
  EXPECT_EQ(replace_special_letters(text, true, true), "STRASSE OEL AERGER UEBER");
  EXPECT_EQ(replace_special_letters(text, true, false), cp1252("STRASSE ÖL ÄRGER ÜBER"));
  EXPECT_EQ(replace_special_letters(text, false, true), cp1252("STRAßE OEL AERGER UEBER"));
  EXPECT_EQ(replace_special_letters(text, false, false), text);
}

TEST_F(BuildWordPool, ReplacesSharpSAndUmlautsBeforeFiltering) {
  options.allowed = "straeol";
  options.word_length = 10;
  EXPECT_EQ(build_from(cp1252("straße öl größe\r\n")).pool, (WordPool{"STRASSE", "OEL"}));
  options.replace_sz = options.replace_umlauts = false;
  options.allowed = cp1252("straßölgeßä");
  EXPECT_EQ(build_from(cp1252("straße öl größe\r\n")).pool,
            (WordPool{cp1252("STRAßE"), cp1252("ÖL"), cp1252("GRÖßE")}));
}

TEST_F(BuildWordPool, MandatoryCharactersAreAllowedAndRequiredAndABlankCounts) {
  options.mandatory = "k";
  EXPECT_EQ(build_from("kam mast am ruf,kam see").pool, (WordPool{"KAM"}));
  options.mandatory = "k m";
  options.word_length = 10;
  options.allowed = "kamrufse";
  EXPECT_EQ(build_from("kam mast am ruf,kam see").pool, (WordPool{"RUF KAM"}));
}

TEST_F(BuildWordPool, NamesAMissingListAndUsesTheOthers) {
  velkart::testing::write_bytes("nicht_loeschen/en1000.txt", "kame\r\n");
  options.lists = {"nicht_loeschen/fehlt.txt", "nicht_loeschen/en1000.txt",
                   "nicht_loeschen/fehlt.txt"};
  const PoolBuild build = build_word_pool(options);
  EXPECT_EQ(build.pool, (WordPool{"KAME", ""}));  // the list after the last blank is empty
  EXPECT_EQ(build.unreadable_lists,
            (std::vector<std::string>{"nicht_loeschen/fehlt.txt", "nicht_loeschen/fehlt.txt"}));
  options.lists.clear();
  EXPECT_EQ(build_word_pool(options).pool, WordPool{""});
}

TEST_F(BuildWordPool, OddBytesInListsStayInTheirWords) {
  std::string bytes = "mut\rrest\n\nsau\x01m";
  bytes += '\0';
  bytes += "uns\xFF\x80\nkkkkkkkkkkk";
  options.word_length = 10;
  options.allowed = "mutresnka";
  // A lone CR and the 0 byte end lines; the control byte, € and ÿ stay in
  // their words (ÿ becomes Ÿ, which the filter cannot remove); the last line
  // is simply too long.
  EXPECT_EQ(build_from(bytes).pool, (WordPool{"MUT", "REST", "SAU\x01M", "UNS\x9F\x80"}));
}

TEST_F(BuildWordPool, TrailingBlankInTheLastListGivesOneEmptyEntryThatPrintsNothing) {
  options.allowed = "ab";
  const PoolBuild build = build_from("a b \r\n");
  EXPECT_EQ(build.pool, (WordPool{"A", "B", ""}));
  runtime::seed_random(11);
  const std::string text = draw_from_pool(build.pool, 300);
  EXPECT_TRUE(text == "A B" || text == "B A") << text;
  EXPECT_EQ(build_from("").pool, WordPool{""});
}

}  // namespace
}  // namespace velkart::generator
