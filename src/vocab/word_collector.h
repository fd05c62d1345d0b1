#pragma once
// The word-building steps of the vocabulary builder in one pass over the
// source bytes: upper-casing, the replacement of tabs, line ends and typographic
// quotes by blanks, the split at blanks with commas turned into blanks, the
// trimming, the length limits of 3 to 10 and the allowed letters, and the
// removal of duplicates. Only what would survive all of these is kept, so the
// bytes of a source text of any size are looked at once and never copied.
//
// A surviving word has at most 10 of the 30 letters A-Z, Ä, Ö, Ü, ß, so it
// is held as one 64-bit key of ten 5-bit letter codes, left-aligned and padded
// with 0. The codes rise with the letters' Windows-1252 byte values, so keys
// compare exactly as the words' bytes do, a shorter prefix first.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velkart::vocab {

using WordKey = std::uint64_t;

class WordCollector {
 public:
  WordCollector();

  // Takes the next piece of the source text; a piece may end anywhere, even
  // inside a word. Returns false once a 0 byte has been met: the text ends
  // there and the rest of the piece and every later piece are ignored.
  bool scan(std::string_view bytes);
  // Ends the last word, as the end of the text does.
  void finish();

  // The distinct words, in ascending byte order.
  std::vector<WordKey> sorted_words() const;
  bool empty() const { return count_ == 0; }

 private:
  void end_word();
  void remember(WordKey key);
  void grow();

  // The word being read: whether letters have begun, whether a comma came
  // after them, whether anything rules it out, its length and its key.
  bool letters_begun_ = false;
  bool comma_after_letters_ = false;
  bool ruled_out_ = false;
  int length_ = 0;
  WordKey key_ = 0;
  bool ended_ = false;

  // Open addressing, 0 marks a free place (no real key is 0).
  std::vector<WordKey> table_;
  std::size_t count_ = 0;
  int shift_ = 0;
};

// The word of a key, in Windows-1252 bytes.
std::string word_of(WordKey key);
int word_length(WordKey key);

// Sorted words regrouped by length, shortest first; within one length the
// sorted order stays.
std::vector<WordKey> grouped_by_length(const std::vector<WordKey>& sorted);

// Every word followed by one blank; "" for no words.
std::string result_line(const std::vector<WordKey>& words);

}  // namespace velkart::vocab
