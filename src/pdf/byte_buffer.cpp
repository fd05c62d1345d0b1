#include "pdf/byte_buffer.h"

#include <cstdlib>
#include <cstring>
#include <utility>

namespace velkart::pdf {

ByteBuffer::ByteBuffer(std::size_t capacity, std::size_t limit) : limit_(limit) {
  if (capacity > limit_) return;
  // malloc/realloc rather than new[]: a large buffer can then grow in place
  // instead of being copied at every 64000-byte step.
  memory_ = static_cast<char*>(std::malloc(capacity == 0 ? 1 : capacity));
  if (memory_ != nullptr) capacity_ = capacity;
}

ByteBuffer::~ByteBuffer() {
  std::free(memory_);
}

ByteBuffer::ByteBuffer(ByteBuffer&& other) noexcept
    : memory_(std::exchange(other.memory_, nullptr)),
      capacity_(std::exchange(other.capacity_, 0)),
      length_(std::exchange(other.length_, 0)),
      limit_(other.limit_) {}

ByteBuffer& ByteBuffer::operator=(ByteBuffer&& other) noexcept {
  if (this != &other) {
    std::free(memory_);
    memory_ = std::exchange(other.memory_, nullptr);
    capacity_ = std::exchange(other.capacity_, 0);
    length_ = std::exchange(other.length_, 0);
    limit_ = other.limit_;
  }
  return *this;
}

bool ByteBuffer::reserve_for(std::size_t extra) {
  if (memory_ == nullptr) return false;
  if (extra > limit_ - length_) return false;
  const std::size_t needed = length_ + extra;
  if (needed <= capacity_) return true;
  const std::size_t grown = (needed / growth_step + 1) * growth_step;
  if (grown > limit_) return false;
  char* moved = static_cast<char*>(std::realloc(memory_, grown));
  if (moved == nullptr) return false;
  memory_ = moved;
  capacity_ = grown;
  return true;
}

bool ByteBuffer::append(std::string_view bytes) {
  if (!reserve_for(bytes.size())) return false;
  if (!bytes.empty()) std::memcpy(memory_ + length_, bytes.data(), bytes.size());
  length_ += bytes.size();
  return true;
}

bool ByteBuffer::append_line(std::string_view bytes) {
  if (!reserve_for(bytes.size() + 1)) return false;
  if (!bytes.empty()) std::memcpy(memory_ + length_, bytes.data(), bytes.size());
  length_ += bytes.size();
  memory_[length_++] = '\n';
  return true;
}

void ByteBuffer::release() {
  std::free(memory_);
  memory_ = nullptr;
  capacity_ = 0;
  length_ = 0;
}

}  // namespace velkart::pdf
