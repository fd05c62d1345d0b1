#pragma once
// The preferences store behind "voreinstellungen.pref": a file of group
// lines ("[name]"), comment lines ("; text") and key lines ("key = value"),
// parsed into an ordered list of entries, answered by group and key (letters
// A-Z compared without case), changed in memory and written back in one
// piece when closed. Files edited by hand may use LF, CR or CR LF, blank
// lines, indentation and a UTF-8 signature; what is written ends every line
// with CR LF.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velkart::app {

// A settings file above this size is not one of ours and is not read.
inline constexpr std::size_t settings_size_limit = std::size_t{1} << 20;

struct SettingsEntry {
  enum class Kind { group, comment, key } kind;
  std::string name;   // group name, comment text or key
  std::string value;  // keys only, as stored (UTF-8 in a UTF-8 file)
  bool operator==(const SettingsEntry&) const = default;
};

// The file's lines as entries (after any UTF-8 signature): blank lines
// dropped, a zero byte ends the file.
std::vector<SettingsEntry> parse_settings(std::string_view content);
// The entries as a file, every line ended with CR LF; a UTF-8 file starts
// with the signature and a blank line.
std::string render_settings(const std::vector<SettingsEntry>& entries, bool utf8);

class SettingsStore {
 public:
  SettingsStore() = default;
  ~SettingsStore() { close_settings_file(); }
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;

  // Nonzero when a file was opened (an empty one too); 0 when none could be,
  // in which case the path is kept and created at close if anything is written.
  int open_settings_file(std::string_view path);
  // Empties (or creates) the file; 0 when it cannot be written.
  int create_settings_file(std::string_view path);
  // 1 when the group exists or the name is empty; otherwise the name is kept
  // as pending (reads fail, the first write appends the group) and 0.
  int select_group(std::string_view name);
  std::int32_t read_integer(std::string_view key, std::int32_t default_value) const;
  std::string read_text(std::string_view key, std::string_view default_value) const;
  void write_integer(std::string_view key, std::int64_t value);
  void write_text(std::string_view key, std::string_view value);
  // Writes the entries back when anything was changed, then forgets them.
  void close_settings_file();

 private:
  using Entry = SettingsEntry;

  bool is_open() const { return has_file_ || !kept_path_.empty(); }
  std::string as_stored(std::string_view single_byte) const;
  // Index of the first entry of the current block and one past its last.
  std::size_t block_begin() const;
  std::size_t block_end() const;
  std::optional<std::size_t> find_key(std::string_view key) const;
  void write_back();

  bool has_file_ = false;
  std::string path_;       // the file opened or created
  std::string kept_path_;  // to be created at close: the file did not exist
  bool read_only_ = false;
  bool truncate_on_close_ = false;  // created: emptied even when nothing is written
  bool changed_ = false;
  bool utf8_ = false;
  std::vector<Entry> entries_;
  std::optional<std::size_t> current_group_;
  std::optional<std::string> pending_group_;
};

// Letters A-Z and a-z compared without case; every other byte must be equal.
bool names_match(std::string_view a, std::string_view b);

}  // namespace velkart::app
