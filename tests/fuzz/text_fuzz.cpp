// text_to_integer, upper_case and the recognition of a text's encoding on
// any bytes.
#include <charconv>

#include "fuzz_support.h"
#include "runtime/encoding.h"
#include "runtime/text.h"

using velkart::fuzz::check;
namespace rt = velkart::runtime;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = velkart::fuzz::bytes_of(data, size);
  const std::int64_t value = rt::text_to_integer(text);
  check(rt::text_to_integer(rt::integer_to_text(value)) == value, "number does not round-trip");

  // A plain decimal number that fits must read as std::from_chars reads it.
  std::string_view digits = text;
  while (!digits.empty() && (digits.front() == ' ' || digits.front() == '\t'))
    digits.remove_prefix(1);
  const bool plus = !digits.empty() && digits.front() == '+';
  if (plus) digits.remove_prefix(1);
  std::int64_t plain = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), plain);
  if (error == std::errc() && end != digits.data() && !(plus && digits.front() == '-'))
    check(value == plain, "decimal number misread");

  const std::string upper = rt::upper_case(text);
  check(upper.size() == text.size(), "upper_case changed the length");
  check(rt::upper_case(upper) == upper, "upper_case is not idempotent");
  for (std::size_t k = 0; k < text.size(); ++k) {
    check(upper[k] == rt::upper_case_byte(text[k]), "upper_case differs from upper_case_byte");
    if (text[k] >= 'a' && text[k] <= 'z') check(upper[k] == text[k] - 32, "a-z not upper-cased");
  }

  // A text read in pieces reads as in one piece, wherever the pieces end.
  const std::size_t cut = size == 0 ? 0 : data[size - 1] % (size + 1);
  rt::PieceDecoder whole, pieces;
  std::string at_once = whole.decode(text);
  at_once += whole.finish();
  std::string in_pieces = pieces.decode(text.substr(0, cut));
  in_pieces += pieces.decode(text.substr(cut));
  in_pieces += pieces.finish();
  check(at_once == in_pieces, "a piece boundary changed the decoded text");
  // Windows-1252 text saved as UTF-8 comes back as it was.
  const std::string utf8 = rt::to_utf8(text);
  if (utf8.size() != text.size() && text.find('\0') == std::string_view::npos)
    check(rt::decode_file_text(utf8).text == text, "UTF-8 text not recognised");
  return 0;
}
