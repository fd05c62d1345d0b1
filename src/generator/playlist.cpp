#include "generator/playlist.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "generator/output_names.h"
#include "runtime/encoding.h"
#include "runtime/files.h"
#include "runtime/text.h"

namespace velkart::generator {

namespace {

// Layer III bit rates in kbit/s by index, for MPEG-1 and for MPEG-2/2.5.
constexpr std::array<int, 15> bit_rates_mpeg1{0,   32,  40,  48,  56,  64,  80, 96,
                                              112, 128, 160, 192, 224, 256, 320};
constexpr std::array<int, 15> bit_rates_mpeg2{0,  8,  16, 24,  32,  40,  48, 56,
                                              64, 80, 96, 112, 128, 144, 160};
constexpr std::array<int, 3> sample_rates_mpeg1{44100, 48000, 32000};

struct Frame {
  std::size_t length = 0;
  int samples = 0;
  int sample_rate = 0;
};

std::optional<Frame> frame_at(const std::string& data, std::size_t at) {
  if (at + 4 > data.size()) return std::nullopt;
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(data[at + k]); };
  if (byte(0) != 0xFF || (byte(1) & 0xE0) != 0xE0) return std::nullopt;
  const int version = (byte(1) >> 3) & 3;  // 3: MPEG-1, 2: MPEG-2, 0: MPEG-2.5
  const int layer = (byte(1) >> 1) & 3;    // 1: layer III
  const int rate_index = byte(2) >> 4;
  const int frequency_index = (byte(2) >> 2) & 3;
  if (version == 1 || layer != 1 || rate_index == 0 || rate_index == 15 || frequency_index == 3)
    return std::nullopt;
  const bool mpeg1 = version == 3;
  const int divisor = mpeg1 ? 1 : (version == 2 ? 2 : 4);
  Frame frame;
  frame.sample_rate = sample_rates_mpeg1[static_cast<std::size_t>(frequency_index)] / divisor;
  const int bit_rate =
      (mpeg1 ? bit_rates_mpeg1 : bit_rates_mpeg2)[static_cast<std::size_t>(rate_index)] * 1000;
  frame.samples = mpeg1 ? 1152 : 576;
  frame.length = static_cast<std::size_t>((mpeg1 ? 144 : 72) * bit_rate / frame.sample_rate +
                                          ((byte(2) >> 1) & 1));
  return frame;
}

}  // namespace

std::vector<PlaylistEntry> sound_playlist(std::string_view folder, const SetName& name,
                                          std::size_t count, Lengths lengths) {
  std::vector<PlaylistEntry> entries;
  for (std::size_t k = 0; k < count; ++k) {
    const std::string file = sound_file_name(name, static_cast<std::int64_t>(k));
    entries.push_back(
        {file, file.substr(0, file.size() - std::string_view(".mp3").size()),
         lengths == Lengths::measured ? mp3_duration(std::string(folder) + file) : std::nullopt});
  }
  return entries;
}

bool write_playlist(std::string_view folder, const SetName& name, std::size_t count,
                    Lengths lengths) {
  return replace_file(std::string(folder) + playlist_name(name),
                      playlist_text(sound_playlist(folder, name, count, lengths)));
}

std::string playlist_text(const std::vector<PlaylistEntry>& entries) {
  std::string text = "#EXTM3U\r\n";
  for (const PlaylistEntry& entry : entries) {
    const std::int64_t seconds = entry.seconds ? std::llround(*entry.seconds) : -1;
    text += "#EXTINF:" + runtime::integer_to_text(seconds) + "," + runtime::to_utf8(entry.title) +
            "\r\n" + runtime::to_utf8(entry.file) + "\r\n";
  }
  return text;
}

std::optional<double> mp3_duration(std::string_view path) {
  std::ifstream file(runtime::file_system_path(path), std::ios::binary);
  if (!file) return std::nullopt;
  const std::string data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::size_t at = 0;
  // An ID3v2 tag in front: 10 bytes of header and a size in 7-bit bytes.
  if (data.size() >= 10 && data.compare(0, 3, "ID3") == 0) {
    std::size_t size = 0;
    for (std::size_t k = 6; k < 10; ++k)
      size = size * 128 + (static_cast<unsigned char>(data[k]) & 0x7F);
    at = 10 + size;
  }
  double seconds = 0;
  bool any = false;
  while (at < data.size()) {
    const std::optional<Frame> frame = frame_at(data, at);
    if (!frame || frame->length == 0) {
      // An ID3v1 tag or padding ends the frames; a stray byte is skipped.
      if (data.compare(at, 3, "TAG") == 0) break;
      ++at;
      continue;
    }
    seconds += static_cast<double>(frame->samples) / frame->sample_rate;
    any = true;
    at += frame->length;
  }
  if (!any) return std::nullopt;
  return seconds;
}

bool replace_file(std::string_view path, std::string_view bytes) {
  return runtime::replace_file(runtime::native_path(path), bytes);
}

}  // namespace velkart::generator
