#include "generator/word_pool.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "runtime/random.h"
#include "runtime/text.h"
#include "support/test_support.h"

namespace velkart::generator {
namespace {

using velkart::testing::cp1252;

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
  // Words the encoder would take for commands: the word_pool fuzz target.
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
}

TEST_F(BuildWordPool, MandatoryCharactersAreAllowedAndRequiredAndABlankCounts) {
  options.mandatory = "k m";
  options.word_length = 10;
  options.allowed = "arufse";  // k and m come from the mandatory characters
  EXPECT_EQ(build_from("kam mast am ruf,kam see").pool, (WordPool{"RUF KAM"}));
}

TEST_F(BuildWordPool, NamesAMissingListAndUsesTheOthers) {
  velkart::testing::write_bytes("nicht_loeschen/en1000.txt", "kame\r\n");
  options.lists = {"nicht_loeschen/fehlt.txt", "nicht_loeschen/en1000.txt",
                   "nicht_loeschen/fehlt.txt"};
  const PoolBuild build = build_word_pool(options);
  EXPECT_EQ(build.pool, (WordPool{"KAME", ""}));  // the list after the last blank: empty
  EXPECT_EQ(build.unreadable_lists,
            (std::vector<std::string>{"nicht_loeschen/fehlt.txt", "nicht_loeschen/fehlt.txt"}));
  runtime::seed_random(11);
  EXPECT_EQ(draw_from_pool(build.pool, 300), "KAME");  // the empty entry prints nothing
  options.lists.clear();
  EXPECT_EQ(build_word_pool(options).pool, WordPool{""});
}

}  // namespace
}  // namespace velkart::generator
