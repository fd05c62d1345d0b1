#include <gtest/gtest.h>

#include "runtime/encoding.h"
#include "scoring/class_register.h"
#include "scoring/copy_file.h"
#include "scoring/score.h"
#include "support/test_support.h"

namespace velkart::scoring {
namespace {

using velkart::testing::cp1252;

TEST(ScoreText, CountsWordsCharactersAndErrorsForEveryKindOfCopy) {
  struct Case {
    const char* what;
    const char* key;   // UTF-8, converted
    const char* copy;  // UTF-8, converted
    std::int64_t words_right;
    std::int64_t characters_right;
    std::string_view errors;
    std::vector<std::string> extra_words;
  };
  const Case cases[] = {
      {"exact, blanks and case", "HAUS BAUM", "  haus   baum ", 2, 8, "", {}},
      {"substitution", "HAUS BAUM", "HAUS BAUN", 1, 7, "M>N 1", {}},
      {"missed word",
       "HAUS BAUM TOR",
       "HAUS TOR",
       2,
       7,
       "A fehlt 1, B fehlt 1, M fehlt 1, U fehlt 1",
       {}},
      {"extra word", "HAUS TOR", "HAUS XY TOR", 2, 7, "X zuviel 1, Y zuviel 1", {"XY"}},
      {"merged words", "AB CD EF", "ABCD EF", 1, 6, "", {}},
      {"split word", "ABCD EF", "AB CD EF", 1, 6, "", {}},
      {"merged words with a slip", "HAUS TOR", "HAUSTOT", 0, 6, "R>T 1", {}},
      {"empty copy", "HAUS", "", 0, 0, "A fehlt 1, H fehlt 1, S fehlt 1, U fehlt 1", {}},
      {"umlauts and sharp s", "STRASSE ÜBER", "Straße ueber", 2, 12, "", {}},
      {"confusions before misses, most frequent first",
       "EEEE AB",
       "IIIE AC",
       0,
       2,
       "E>I 3, B>C 1",
       {}},
      // Ties: items are paired as early as possible, the rest stays at the end.
      {"tie between characters", "AB", "C", 0, 0, "A>C 1, B fehlt 1", {}},
      {"tie between words", "AB CD", "XY", 0, 0, "A>X 1, B>Y 1, C fehlt 1, D fehlt 1", {}},
      {"equal word found twice", "A B A", "A", 1, 1, "A fehlt 1, B fehlt 1", {}},
  };
  for (const Case& c : cases) {
    const TextScore score = score_text(cp1252(c.key), cp1252(c.copy));
    EXPECT_EQ(score.words_right, c.words_right) << c.what;
    EXPECT_EQ(score.characters_right, c.characters_right) << c.what;
    EXPECT_EQ(error_list(score.errors), c.errors) << c.what;
    EXPECT_EQ(score.extra_words, c.extra_words) << c.what;
  }
  const TextScore umlauts = score_text(cp1252("STRASSE ÜBER"), "");
  EXPECT_EQ(umlauts.words_sent, 2);
  EXPECT_EQ(umlauts.characters_sent, 12);
  EXPECT_EQ(sent_list(umlauts.sent), "A 1, B 1, E 3, R 2, S 3, T 1, U 1");
}

TEST(ScoreText, KeepsAHugeCopyWithinBoundsAndCountsItsTailAsExtra) {
  std::string copy = "HAUS";
  for (int k = 0; k < 200000; ++k) copy += " XY";
  const TextScore score = score_text("HAUS", copy);
  EXPECT_EQ(score.words_right, 1);
  EXPECT_EQ(score.extra_words.size(), 200000u);
}

TEST(DecodeFileText, RecognisesUtf8AndUtf16AndLeavesWindows1252Alone) {
  struct Case {
    std::string bytes;
    runtime::FileEncoding encoding;
    std::string text;
  };
  const Case cases[] = {
      {"\xEF\xBB\xBFHAUS", runtime::FileEncoding::utf8, "HAUS"},
      {"\xC3\x84PFEL \xE2\x82\xAC \xF0\x9F\x98\x80", runtime::FileEncoding::utf8,
       "\xC4PFEL \x80 ?"},
      {"\xC4PFEL", runtime::FileEncoding::windows_1252, "\xC4PFEL"},
      {"HAUS", runtime::FileEncoding::windows_1252, "HAUS"},
      {std::string("\xFF\xFE\xC4\x00"
                   "B\x00\xAC\x20\x3D\xD8\x00\xDE",
                   12),
       runtime::FileEncoding::utf16_le,
       "\xC4"
       "B\x80?"},
      {std::string("\xFE\xFF\x00\xC4\x00"
                   "B\xD8\x00",
                   8),
       runtime::FileEncoding::utf16_be,
       "\xC4"
       "B?"},
  };
  for (const Case& c : cases) {
    const runtime::DecodedText decoded = runtime::decode_file_text(c.bytes);
    EXPECT_EQ(decoded.encoding, c.encoding) << c.text;
    EXPECT_EQ(decoded.text, c.text);
  }
}

TEST(ParseCopy, SplitsTextsAtEmptyLinesAndJoinsTheirLines) {
  const ParsedCopy copy = parse_copy("HAUS\r\nBAUM\r\n\r\n  \r\n-\n\nTOR\n");
  EXPECT_EQ(copy.problem, CopyProblem::none);
  EXPECT_EQ(copy.texts, (std::vector<std::string>{"HAUS BAUM", "", "TOR"}));
  EXPECT_EQ(parse_copy(" \r\n\r\n").problem, CopyProblem::empty);
  EXPECT_EQ(parse_copy("").problem, CopyProblem::empty);
  EXPECT_EQ(parse_copy(std::string("PK\x03\x04\x00", 5)).problem, CopyProblem::binary);
}

}  // namespace
}  // namespace velkart::scoring
