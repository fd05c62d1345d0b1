#include "app/settings_store.h"

#include "runtime/encoding.h"
#include "runtime/files.h"
#include "runtime/text.h"

namespace velkart::app {

namespace {

bool is_blank(char c) {
  return c == ' ' || c == '\t';
}
bool is_line_end(char c) {
  return c == '\r' || c == '\n' || c == '\0';
}

std::string_view trim_trailing_blanks(std::string_view text) {
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view trim_blanks_and_tabs(std::string_view text) {
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  return trim_trailing_blanks(text);
}

// A UTF-8 settings file stores single-byte texts as the characters of the
// same code point; everything beyond U+00FF reads as "?".
std::string latin1_to_utf8(std::string_view bytes) {
  std::string out;
  for (char byte : bytes) runtime::append_utf8(out, static_cast<unsigned char>(byte));
  return out;
}

std::string utf8_to_latin1(std::string_view utf8) {
  std::string out;
  for (std::size_t at = 0; at < utf8.size();) {
    const runtime::Utf8Character character = runtime::decode_utf8(utf8, at);
    out.push_back(character.valid && character.code <= 0xFF ? static_cast<char>(character.code)
                                                            : '?');
    at += character.length;
  }
  return out;
}

}  // namespace

bool names_match(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t k = 0; k < a.size(); ++k) {
    char x = a[k], y = b[k];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 32);
    if (x != y) return false;
  }
  return true;
}

std::vector<SettingsEntry> parse_settings(std::string_view content) {
  using Entry = SettingsEntry;
  std::vector<Entry> entries;
  std::size_t at = 0;
  const auto line_rest = [&content, &at]() {
    const std::size_t begin = at;
    while (at < content.size() && !is_line_end(content[at])) ++at;
    return content.substr(begin, at - begin);
  };
  while (at < content.size() && content[at] != '\0') {
    while (at < content.size() && is_blank(content[at])) ++at;
    if (at >= content.size()) break;
    const char first = content[at];
    if (first == ';') {
      ++at;
      if (at < content.size() && content[at] == ' ') ++at;
      entries.push_back({Entry::Kind::comment, std::string(line_rest()), {}});
    } else if (first == '[') {
      ++at;
      std::string_view line = line_rest();
      entries.push_back({Entry::Kind::group, std::string(line.substr(0, line.find(']'))), {}});
    } else if (!is_line_end(first)) {
      std::string_view line = line_rest();
      const std::size_t equals = line.find('=');
      Entry entry{Entry::Kind::key, std::string(trim_trailing_blanks(line.substr(0, equals))), {}};
      if (equals != std::string_view::npos) {
        std::string_view value = line.substr(equals + 1);
        while (!value.empty() && is_blank(value.front())) value.remove_prefix(1);
        entry.value = value;
      }
      entries.push_back(std::move(entry));
    }
    if (at < content.size() && content[at] == '\0') break;
    while (at < content.size() && (content[at] == '\r' || content[at] == '\n')) ++at;
  }
  return entries;
}

std::string render_settings(const std::vector<SettingsEntry>& entries, bool utf8) {
  using Entry = SettingsEntry;
  std::string output = utf8 ? "\xEF\xBB\xBF\r\n" : "";
  for (const Entry& entry : entries) {
    switch (entry.kind) {
      case Entry::Kind::group:
        output += "[" + entry.name + "]";
        break;
      case Entry::Kind::comment:
        output += "; " + entry.name;
        break;
      case Entry::Kind::key:
        output += entry.name + " = " + entry.value;
        break;
    }
    output += "\r\n";
  }
  // A single-byte file whose first entry begins with the signature's bytes
  // keeps a blank first line: read back, it would be taken for UTF-8.
  if (!utf8 && output.starts_with("\xEF\xBB\xBF")) output.insert(0, "\r\n");
  return output;
}

int SettingsStore::open_settings_file(std::string_view path) {
  close_settings_file();
  // Ours is well under a kilobyte; a bigger file is none of ours and must not
  // fill the memory: it counts as missing.
  const runtime::FileBytes file =
      runtime::read_file_bytes(path, static_cast<std::int64_t>(settings_size_limit));
  if (file.status != runtime::ReadStatus::read) {
    kept_path_ = path;
    return 0;
  }
  has_file_ = true;
  path_ = path;
  read_only_ = !runtime::may_replace_file(path);
  std::string_view content = file.bytes;
  if (content.starts_with("\xEF\xBB\xBF")) {
    utf8_ = true;
    content.remove_prefix(3);
  }
  entries_ = parse_settings(content);
  return 1;
}

int SettingsStore::create_settings_file(std::string_view path) {
  close_settings_file();
  // Nothing changes on disk before the new content is complete at close, so a
  // failure in between never leaves the user without settings.
  if (!runtime::may_replace_file(path)) return 0;
  has_file_ = true;
  path_ = path;
  truncate_on_close_ = true;
  return 1;
}

std::string SettingsStore::as_stored(std::string_view single_byte) const {
  return utf8_ ? latin1_to_utf8(single_byte) : std::string(single_byte);
}

int SettingsStore::select_group(std::string_view name) {
  pending_group_.reset();
  if (!is_open()) return 0;
  if (name.empty()) {
    current_group_.reset();
    return 1;
  }
  const std::string wanted = as_stored(name);
  for (std::size_t k = 0; k < entries_.size(); ++k) {
    if (entries_[k].kind == Entry::Kind::group && names_match(entries_[k].name, wanted)) {
      current_group_ = k;
      return 1;
    }
  }
  pending_group_ = std::string(name);
  return 0;
}

std::size_t SettingsStore::block_begin() const {
  return current_group_ ? *current_group_ + 1 : 0;
}

std::size_t SettingsStore::block_end() const {
  std::size_t end = block_begin();
  while (end < entries_.size() && entries_[end].kind != Entry::Kind::group) ++end;
  return end;
}

std::optional<std::size_t> SettingsStore::find_key(std::string_view key) const {
  const std::string wanted = as_stored(key);
  for (std::size_t k = block_begin(), end = block_end(); k < end; ++k) {
    if (entries_[k].kind == Entry::Kind::key && names_match(entries_[k].name, wanted)) return k;
  }
  return std::nullopt;
}

std::string SettingsStore::read_text(std::string_view key, std::string_view default_value) const {
  if (!is_open() || pending_group_) return std::string(default_value);
  const auto found = find_key(key);
  if (!found) return std::string(default_value);
  const std::string_view value = trim_blanks_and_tabs(entries_[*found].value);
  return utf8_ ? utf8_to_latin1(value) : std::string(value);
}

std::int32_t SettingsStore::read_integer(std::string_view key, std::int32_t default_value) const {
  if (!is_open() || pending_group_) return default_value;
  const auto found = find_key(key);
  if (!found) return default_value;
  std::string_view value = entries_[*found].value;
  std::size_t at = 0;
  while (at < value.size() &&
         std::string_view(" \t\r\n\f\v").find(value[at]) != std::string_view::npos)
    ++at;
  bool negative = false;
  if (at < value.size() && (value[at] == '-' || value[at] == '+')) negative = value[at++] == '-';
  // Values beyond 32 bits keep their low 32 bits, as numbers typed into the fields do.
  std::uint32_t number = 0;
  for (; at < value.size() && value[at] >= '0' && value[at] <= '9'; ++at) {
    number = number * 10u + static_cast<std::uint32_t>(value[at] - '0');
  }
  return static_cast<std::int32_t>(negative ? 0u - number : number);
}

void SettingsStore::write_integer(std::string_view key, std::int64_t value) {
  write_text(key, runtime::integer_to_text(value));
}

void SettingsStore::write_text(std::string_view key, std::string_view value) {
  if (!is_open()) return;
  if (pending_group_) {
    entries_.push_back({Entry::Kind::group, as_stored(*pending_group_), {}});
    current_group_ = entries_.size() - 1;
    pending_group_.reset();
  }
  if (const auto found = find_key(key)) {
    entries_[*found].name = as_stored(key);
    entries_[*found].value = as_stored(value);
  } else {
    const auto at = static_cast<std::ptrdiff_t>(block_end());
    entries_.insert(entries_.begin() + at,
                    Entry{Entry::Kind::key, as_stored(key), as_stored(value)});
    if (current_group_ && static_cast<std::size_t>(at) <= *current_group_) ++*current_group_;
  }
  changed_ = true;
}

void SettingsStore::write_back() {
  if (read_only_) return;
  const std::string& target = has_file_ ? path_ : kept_path_;
  if (target.empty()) return;
  // Replaced whole or not at all: a failed save keeps the old settings.
  runtime::replace_file(runtime::native_path(target),
                        changed_ ? render_settings(entries_, utf8_) : std::string());
}

void SettingsStore::close_settings_file() {
  if (changed_ || truncate_on_close_) write_back();
  has_file_ = false;
  path_.clear();
  kept_path_.clear();
  read_only_ = false;
  truncate_on_close_ = false;
  changed_ = false;
  utf8_ = false;
  entries_.clear();
  current_group_.reset();
  pending_group_.reset();
}

}  // namespace velkart::app
