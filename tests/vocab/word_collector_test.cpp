#include "vocab/word_collector.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "support/test_support.h"
#include "vocab/reference_pipeline.h"

namespace velkart::vocab {
namespace {

using testing::cp1252;

std::vector<std::string> words_of(const std::vector<WordKey>& keys) {
  std::vector<std::string> words;
  for (const WordKey key : keys) words.push_back(word_of(key));
  return words;
}

std::vector<WordKey> collect(std::string_view source, std::size_t piece = std::string_view::npos) {
  WordCollector collector;
  for (std::size_t at = 0; at < source.size(); at += piece) {
    if (!collector.scan(source.substr(at, piece))) break;
    if (piece == std::string_view::npos) break;
  }
  collector.finish();
  return collector.sorted_words();
}

// Sources made of the bytes that matter to the word builder, in runs that
// often form words of the interesting lengths.
std::string random_source(std::mt19937& random, std::size_t length) {
  static const std::string alphabet =
      cp1252("abcXYZäöüÄÖÜßéÉ,, ,  \t\r\n\v\f1-'.\x84\x93\x94\xff\x9a");
  std::string source;
  while (source.size() < length) {
    const std::size_t run = std::uniform_int_distribution<std::size_t>(1, 12)(random);
    const bool letters = random() % 3 != 0;
    for (std::size_t i = 0; i < run; ++i) {
      source += letters ? "ABCEfgh"[random() % 7] : alphabet[random() % alphabet.size()];
    }
  }
  if (random() % 50 == 0) source[random() % source.size()] = '\0';
  return source;
}

TEST(WordCollector, GivesTheSameListsAsTheStepByStepPipelineForRandomSources) {
  std::mt19937 random(4711);
  for (int round = 0; round < 400; ++round) {
    const std::string source = random_source(random, 1 + random() % 300);
    const testing::ReferenceLists expected = testing::reference_lists(source);
    const std::vector<WordKey> sorted = collect(source);
    ASSERT_EQ(words_of(sorted), expected.alphabetical) << "round " << round;
    ASSERT_EQ(words_of(grouped_by_length(sorted)), expected.by_length) << "round " << round;
  }
}

TEST(WordCollector, DoesNotDependOnWhereTheSourceIsCutIntoPieces) {
  std::mt19937 random(815);
  for (int round = 0; round < 100; ++round) {
    const std::string source = random_source(random, 200);
    const std::vector<WordKey> whole = collect(source);
    for (std::size_t piece : {1u, 2u, 3u, 7u, 64u}) {
      ASSERT_EQ(collect(source, piece), whole) << "round " << round << ", pieces of " << piece;
    }
  }
}

TEST(WordCollector, StopsAtTheFirstZeroByteEvenInALaterPiece) {
  WordCollector collector;
  EXPECT_TRUE(collector.scan("Haus Ma"));
  EXPECT_FALSE(collector.scan(std::string_view("us\0Baum", 7)));
  EXPECT_FALSE(collector.scan(" Tor "));
  collector.finish();
  EXPECT_EQ(words_of(collector.sorted_words()), (std::vector<std::string>{"HAUS", "MAUS"}));
}

TEST(WordCollector, KeepsWordsOfThreeToTenLettersOnly) {
  EXPECT_EQ(words_of(collect("ab abc abcdefghij abcdefghijk")),
            (std::vector<std::string>{"ABC", "ABCDEFGHIJ"}));
}

TEST(WordCollector, DropsCommasAtTheEndsOfAWordButNotInside) {
  EXPECT_EQ(words_of(collect(",Wort, AB,CD Haus,,")), (std::vector<std::string>{"HAUS", "WORT"}));
}

TEST(WordCollector, TrimsTheLastWordOfTheTextLikeEveryOther) {
  EXPECT_EQ(words_of(collect("Haus Wort,")), (std::vector<std::string>{"HAUS", "WORT"}));
}

TEST(WordCollector, SortsByWindows1252BytesWithUmlautsAfterZ) {
  EXPECT_EQ(words_of(collect(cp1252("äpfel Zebra Straße strasse Übel ÖL öl"))),
            (std::vector<std::string>{"STRASSE", cp1252("STRAßE"), "ZEBRA", cp1252("ÄPFEL"),
                                      cp1252("ÜBEL")}));
}

TEST(WordCollector, DeletesWordsWithLettersOutsideGerman) {
  EXPECT_TRUE(collect(cp1252("café niño garçon ÿes") + " \x9a"
                                                       "al")
                  .empty());
}

TEST(WordCollector, SplitsAtTabsLineEndsAndTypographicQuotes) {
  EXPECT_EQ(words_of(collect(cp1252("eins\tzwei\rdrei\nvier\vfünf\fsechs") + "\x84"
                                                                             "sieben\x93\x94"
                                                                             "acht\x94")),
            (std::vector<std::string>{"ACHT", "DREI", "EINS", cp1252("FÜNF"), "SECHS", "SIEBEN",
                                      "VIER", "ZWEI"}));
}

TEST(GroupedByLength, PutsShortWordsFirstAndKeepsTheOrderWithinALength) {
  const std::vector<WordKey> sorted = collect("zzzz aaaaa bbb aaa cccc");
  EXPECT_EQ(words_of(grouped_by_length(sorted)),
            (std::vector<std::string>{"AAA", "BBB", "CCCC", "ZZZZ", "AAAAA"}));
}

TEST(ResultLine, EndsEveryWordWithOneBlankAndIsEmptyWithoutWords) {
  EXPECT_EQ(result_line(collect("Tor Haus")), "HAUS TOR ");
  EXPECT_EQ(result_line({}), "");
}

}  // namespace
}  // namespace velkart::vocab
