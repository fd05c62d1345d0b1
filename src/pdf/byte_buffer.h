#pragma once
// The growable byte buffer that holds the file text outside pages and the
// content stream of each page. Growth follows a fixed rule (the smallest
// multiple of 64000 bytes above what is needed), so memory use is
// predictable for the solution sheet's long documents.
#include <cstddef>
#include <string_view>

namespace velkart::pdf {

class ByteBuffer {
 public:
  static constexpr std::size_t growth_step = 64000;

  // An absent buffer: holds nothing and refuses every append.
  ByteBuffer() = default;
  // Allocates `capacity` bytes; when that fails the buffer stays absent.
  // `limit` caps the capacity the buffer may ever reach (tests use it to
  // stand in for memory running out).
  explicit ByteBuffer(std::size_t capacity, std::size_t limit = default_limit);
  ~ByteBuffer();
  ByteBuffer(ByteBuffer&& other) noexcept;
  ByteBuffer& operator=(ByteBuffer&& other) noexcept;
  ByteBuffer(const ByteBuffer&) = delete;
  ByteBuffer& operator=(const ByteBuffer&) = delete;

  // Appends the bytes; false when the buffer is absent or cannot grow, in
  // which case nothing at all is appended.
  bool append(std::string_view bytes);
  // Appends the bytes and one LF as a single unit: both or neither.
  bool append_line(std::string_view bytes);

  // Grows by the same rule as if `extra` bytes were appended in one piece,
  // without appending them: many small appends that follow then never
  // move the memory. False when the buffer is absent or cannot grow.
  bool reserve(std::size_t extra) { return reserve_for(extra); }

  bool present() const { return memory_ != nullptr; }
  std::size_t size() const { return length_; }
  std::size_t capacity() const { return capacity_; }
  std::string_view view() const { return {memory_, length_}; }

  // Frees the memory; the buffer becomes absent.
  void release();

 private:
  static constexpr std::size_t default_limit = std::size_t{1} << 40;
  bool reserve_for(std::size_t extra);

  char* memory_ = nullptr;
  std::size_t capacity_ = 0;
  std::size_t length_ = 0;
  std::size_t limit_ = default_limit;
};

}  // namespace velkart::pdf
