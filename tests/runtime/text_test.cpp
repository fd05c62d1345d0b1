#include "runtime/text.h"

#include <gtest/gtest.h>

#include "runtime/encoding.h"
#include "runtime/random.h"
#include "support/test_support.h"

namespace velkart::runtime {
namespace {

using velkart::testing::cp1252;

TEST(Substring, ClampsStartAndCountLikeTheEditFields) {
  EXPECT_EQ(substring("Wort", 3, 10), "rt");
  EXPECT_EQ(substring("Wort", 5, 1), "");
  EXPECT_EQ(substring("Wort", 0, 2), "Wo");
  EXPECT_EQ(substring("Wort", -5, 2), "Wo");
  EXPECT_EQ(substring("Wort", 2, -1), "");
  EXPECT_EQ(substring("", 1, 1), "");
}

TEST(ReplaceAll, MakesOnePassWithoutOverlapOrRescan) {
  EXPECT_EQ(replace_all("aaa", "aa", "b"), "ba");
  EXPECT_EQ(replace_all("abc", "", "x"), "abc");
  EXPECT_EQ(replace_all("a  b   c", "  ", " "), "a b  c");
  EXPECT_EQ(replace_all("ss", "s", "ss"), "ssss");
  EXPECT_EQ(replace_all(cp1252("STRAßE"), cp1252("ß"), "SS"), "STRASSE");
  EXPECT_EQ(remove_all("banana", "an"), "ba");
}

TEST(TrimBlanks, RemovesOnlyBlanks) {
  EXPECT_EQ(trim_blanks("  ab c  "), "ab c");
  EXPECT_EQ(trim_blanks("\tab\t"), "\tab\t");
  EXPECT_EQ(trim_blanks("    "), "");
}

TEST(UpperCase, FollowsTheWindows1252Table) {
  // Every byte against the table: only these change, nothing else; the text
  // form applies the byte form to each byte (the text fuzz target checks it).
  for (int byte = 0; byte < 256; ++byte) {
    int expected = byte;
    if ((byte >= 'a' && byte <= 'z') || (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7))
      expected = byte - 0x20;
    if (byte == 0x9A || byte == 0x9C || byte == 0x9E) expected = byte - 0x10;
    if (byte == 0xFF) expected = 0x9F;
    EXPECT_EQ(static_cast<unsigned char>(upper_case_byte(static_cast<char>(byte))), expected)
        << byte;
  }
}

TEST(PadLeft, PadsWithTheFirstByteOrCutsOnTheRight) {
  EXPECT_EQ(pad_left("7", 4, "0"), "0007");
  EXPECT_EQ(pad_left("12345", 4, "0"), "1234");
  EXPECT_EQ(pad_left("", 2, "0"), "00");
  EXPECT_EQ(pad_left("ab", 4, ""), "  ab");
  EXPECT_EQ(pad_left("ab", 4, "xy"), "xxab");
  EXPECT_EQ(pad_left("ab", -1, "0"), "");
}

TEST(TextToInteger, ReadsSignsHexAndBinaryAndWrapsAndTheSmallestNumberWritesBack) {
  EXPECT_EQ(text_to_integer(" 42abc"), 42);
  EXPECT_EQ(text_to_integer("$1F"), 31);
  EXPECT_EQ(text_to_integer("%101"), 5);
  EXPECT_EQ(text_to_integer(""), 0);
  EXPECT_EQ(text_to_integer("4 2"), 4);
  EXPECT_EQ(text_to_integer("  -0012x"), -12);
  EXPECT_EQ(text_to_integer("+$ff"), 255);
  EXPECT_EQ(text_to_integer("\t%102"), 2);
  EXPECT_EQ(text_to_integer("- 5"), 0);
  EXPECT_EQ(text_to_integer("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(text_to_integer("9223372036854775808"), INT64_MIN);
  EXPECT_EQ(text_to_integer("18446744073709551617"), 1);
  EXPECT_EQ(static_cast<std::int32_t>(text_to_integer("4294967296")), 0);
  EXPECT_EQ(integer_to_text(INT64_MIN), "-9223372036854775808");
}

TEST(TextFromMemory, StopsAtZeroOrMaximum) {
  const char bytes[] = {'a', 'b', 0, 'c'};
  EXPECT_EQ(text_from_memory(bytes), "ab");
  EXPECT_EQ(text_from_memory(bytes, 1), "a");
  EXPECT_EQ(text_from_memory(bytes, 4), "ab");
  EXPECT_EQ(text_from_memory(nullptr), "");
}

TEST(Encoding, RoundTripsEveryByteThroughUtf8AndMarksWhatWindows1252CannotHold) {
  std::string all;
  for (int byte = 1; byte < 256; ++byte) all.push_back(static_cast<char>(byte));
  EXPECT_EQ(to_cp1252(to_utf8(all)), all);
  EXPECT_EQ(to_utf8("\x80"), "\xE2\x82\xAC");
  EXPECT_EQ(to_utf8("\x81"), "\xC2\x81");  // unassigned: the C1 control of the same value
  EXPECT_EQ(to_utf8(cp1252("Wörter")), "Wörter");
  // What Windows-1252 cannot hold becomes a question mark.
  EXPECT_EQ(to_cp1252("Ωx"), "?x");
  EXPECT_EQ(to_cp1252("\xFF\xFEx"), "??x");
  EXPECT_EQ(to_cp1252("\xC3"), "?");       // cut off
  EXPECT_EQ(to_cp1252("\xC0\xAF"), "??");  // overlong "/"
  EXPECT_EQ(to_cp1252("😀"), "?");
}

// Reference values computed independently from the generator's definition
// (seeding, 31 warm-up steps, rotations 13 and 5, lags 0 and 10).
TEST(RandomGenerator, MatchesTheReferenceSequence) {
  RandomGenerator generator;
  generator.seed(0);
  for (const std::uint32_t expected :
       {2341539169u, 3366969473u, 2836287535u, 1626228671u, 1014195291u})
    EXPECT_EQ(generator.step(), expected);
  generator.seed(4711);
  for (const std::uint32_t expected : {8u, 5u, 8u, 9u, 3u, 4u, 4u, 0u, 4u, 8u, 4u, 2u})
    EXPECT_EQ(generator.up_to(9), expected);
  generator.seed(4711);
  EXPECT_EQ(generator.up_to(-1), 3667863528u);  // the raw output
}

}  // namespace
}  // namespace velkart::runtime
