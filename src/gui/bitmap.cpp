#include <cstdint>

#include "gui/gui.h"

namespace velkart::gui {

namespace {

std::uint32_t little_endian(std::string_view bytes, std::size_t at, int width) {
  std::uint32_t value = 0;
  for (int k = width - 1; k >= 0; --k) {
    value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(k)]);
  }
  return value;
}

}  // namespace

Bitmap load_bitmap(std::string_view bmp) {
  constexpr std::size_t file_header = 14;
  if (bmp.size() < file_header + 40 || bmp.substr(0, 2) != "BM") return {};
  const std::uint32_t pixel_offset = little_endian(bmp, 10, 4);
  const std::uint32_t info_size = little_endian(bmp, 14, 4);
  const auto width = static_cast<std::int32_t>(little_endian(bmp, 18, 4));
  const auto stored_height = static_cast<std::int32_t>(little_endian(bmp, 22, 4));
  const std::uint32_t bits = little_endian(bmp, 28, 2);
  const std::uint32_t compression = little_endian(bmp, 30, 4);
  std::uint32_t colours_used = little_endian(bmp, 46, 4);
  const bool bottom_up = stored_height > 0;
  const std::int32_t height = bottom_up ? stored_height : -stored_height;
  if (width <= 0 || height <= 0 || width > 4096 || height > 4096 || compression != 0) return {};
  if (bits != 8 && bits != 24 && bits != 32) return {};
  if (bits == 8 && colours_used == 0) colours_used = 256;
  const std::size_t palette_at = file_header + info_size;
  const std::size_t row_bytes = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
  if (pixel_offset + row_bytes * static_cast<std::size_t>(height) > bmp.size()) return {};
  if (bits == 8 && (colours_used > 256 || palette_at + colours_used * 4 > pixel_offset)) return {};

  Bitmap out;
  out.width = width;
  out.height = height;
  out.rgb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
  for (std::int32_t row = 0; row < height; ++row) {
    const std::size_t stored_row = static_cast<std::size_t>(bottom_up ? height - 1 - row : row);
    const std::size_t row_at = pixel_offset + stored_row * row_bytes;
    for (std::int32_t column = 0; column < width; ++column) {
      std::size_t pixel_at;
      if (bits == 8) {
        const auto index =
            static_cast<unsigned char>(bmp[row_at + static_cast<std::size_t>(column)]);
        if (index >= colours_used) return {};
        pixel_at = palette_at + index * 4u;
      } else {
        pixel_at = row_at + static_cast<std::size_t>(column) * (bits / 8);
      }
      char* target = &out.rgb[(static_cast<std::size_t>(row) * static_cast<std::size_t>(width) +
                               static_cast<std::size_t>(column)) *
                              3];
      // Stored blue, green, red.
      target[0] = bmp[pixel_at + 2];
      target[1] = bmp[pixel_at + 1];
      target[2] = bmp[pixel_at];
    }
  }
  return out;
}

}  // namespace velkart::gui
