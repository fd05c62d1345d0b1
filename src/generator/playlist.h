#pragma once
// Extended M3U playlists of the sound files of a run or a lesson, and the
// length of an mp3 file read from its frame headers.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "generator/output_names.h"

namespace velkart::generator {

struct PlaylistEntry {
  std::string file;               // relative to the playlist's folder, Windows-1252
  std::string title;              // shown by the player
  std::optional<double> seconds;  // unknown: -1 in the list
};

// The sound files of `count` texts in `folder`, in order, each with its
// length when the file is there; before the encoder has written them, the
// files of that name are an earlier run's, and no length is known.
enum class Lengths { measured, unknown };
std::vector<PlaylistEntry> sound_playlist(std::string_view folder, const SetName& name,
                                          std::size_t count, Lengths lengths = Lengths::measured);

// The playlist of a set, playlist_name in `folder`, replaced whole; false when
// it could not be.
bool write_playlist(std::string_view folder, const SetName& name, std::size_t count,
                    Lengths lengths);

// "#EXTM3U", then "#EXTINF:<whole seconds>,<title>" and the file name per
// entry, CR LF after every line. Names and titles are written as UTF-8, the
// way the files are named on disk.
std::string playlist_text(const std::vector<PlaylistEntry>& entries);

// Seconds of audio in an MPEG audio layer III file, summed over its frames;
// nullopt when the file is missing or holds no frame.
std::optional<double> mp3_duration(std::string_view path);

// Writes `bytes` to `path` through a temporary file in the same folder that
// replaces it only once complete: false (and the old file untouched) on any
// error.
bool replace_file(std::string_view path, std::string_view bytes);

}  // namespace velkart::generator
