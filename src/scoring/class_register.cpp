#include "scoring/class_register.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <filesystem>
#include <system_error>

#include "runtime/encoding.h"
#include "runtime/files.h"
#include "runtime/text.h"
#include "runtime/texts.h"
#include "scoring/copy_file.h"

namespace velkart::scoring {

namespace {

using runtime::integer_to_text;

constexpr std::size_t column_count = 10;

std::string two_digits(int value) {
  return runtime::pad_left(integer_to_text(value), 2, "0");
}

std::optional<std::int64_t> parse_count(std::string_view text) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0)
    return std::nullopt;
  return value;
}

bool is_date(std::string_view text) {
  if (text.size() != 10 || text[2] != '.' || text[5] != '.') return false;
  for (std::size_t k : {0, 1, 3, 4, 6, 7, 8, 9}) {
    if (text[k] < '0' || text[k] > '9') return false;
  }
  return true;
}

// Reads digits at `at` up to ", " or the end; the list goes on after ", ".
std::optional<std::int64_t> parse_item_count(std::string_view text, std::size_t& at) {
  std::size_t end = text.find(", ", at);
  if (end == std::string_view::npos) end = text.size();
  const auto count = parse_count(text.substr(at, end - at));
  at = end == text.size() ? end : end + 2;
  if (!count || *count == 0) return std::nullopt;
  return count;
}

void append_field(std::string& line, std::string_view field) {
  if (field.find_first_of(";\"\r\n") == std::string_view::npos) {
    line += field;
    return;
  }
  line += '"';
  line += runtime::replace_all(field, "\"", "\"\"");
  line += '"';
}

// The fields of each record, RFC 4180 style with semicolons, and the line
// each record starts on; nullopt at the first record that does not read.
struct Record {
  std::vector<std::string> fields;
  std::int64_t line = 0;
};
struct Records {
  std::vector<Record> records;
  std::int64_t bad_line = 0;
};

Records split_records(std::string_view text) {
  Records result;
  std::int64_t line = 1;
  std::size_t at = 0;
  while (at < text.size()) {
    Record record;
    record.line = line;
    std::string field;
    bool record_done = false;
    while (!record_done) {
      if (at < text.size() && text[at] == '"') {
        ++at;
        bool closed = false;
        while (at < text.size()) {
          if (text[at] == '"') {
            if (at + 1 < text.size() && text[at + 1] == '"') {
              field += '"';
              at += 2;
              continue;
            }
            ++at;
            closed = true;
            break;
          }
          if (text[at] == '\n') ++line;
          field += text[at++];
        }
        if (!closed || (at < text.size() &&
                        std::string_view(";\r\n").find(text[at]) == std::string_view::npos)) {
          result.bad_line = record.line;
          return result;
        }
      } else {
        const std::size_t end = std::min(text.find_first_of(";\r\n", at), text.size());
        field.assign(text.substr(at, end - at));
        if (field.find('"') != std::string::npos) {
          result.bad_line = line;
          return result;
        }
        at = end;
      }
      record.fields.push_back(std::move(field));
      field.clear();
      if (at < text.size() && text[at] == ';') {
        ++at;
        continue;
      }
      record_done = true;
      if (at < text.size() && text[at] == '\r') ++at;
      if (at < text.size() && text[at] == '\n') ++at;
      ++line;
    }
    const bool empty_line = record.fields.size() == 1 && record.fields[0].empty();
    if (!empty_line) result.records.push_back(std::move(record));
  }
  return result;
}

std::optional<RegisterRow> row_of(const std::vector<std::string>& fields) {
  if (fields.size() != column_count) return std::nullopt;
  RegisterRow row;
  row.date = fields[0];
  row.learner = fields[1];
  row.set = fields[2];
  const auto text = parse_count(fields[3]);
  const auto words_right = parse_count(fields[4]);
  const auto words_sent = parse_count(fields[5]);
  const auto characters_right = parse_count(fields[6]);
  const auto characters_sent = parse_count(fields[7]);
  auto errors = parse_error_list(fields[8]);
  auto sent = parse_sent_list(fields[9]);
  if (!is_date(row.date) || row.learner.empty() || !runtime::plain_file_name(row.learner) ||
      row.set.empty() || !text || !words_right || !words_sent || !characters_right ||
      !characters_sent || *words_right > *words_sent || *characters_right > *characters_sent ||
      !errors || !sent)
    return std::nullopt;
  row.text = *text;
  row.words_right = *words_right;
  row.words_sent = *words_sent;
  row.characters_right = *characters_right;
  row.characters_sent = *characters_sent;
  row.errors = std::move(*errors);
  row.sent = std::move(*sent);
  return row;
}

}  // namespace

std::string date_text(const pdf::LocalTime& time) {
  return two_digits(time.day) + "." + two_digits(time.month) + "." +
         runtime::pad_left(integer_to_text(time.year), 4, "0");
}

RegisterRow register_row(std::string_view date, std::string_view learner, std::string_view set,
                         std::int64_t text, const TextScore& score) {
  return {std::string(date),      std::string(learner),
          std::string(set),       text,
          score.words_right,      score.words_sent,
          score.characters_right, score.characters_sent,
          score.errors,           score.sent};
}

std::string error_list(const std::vector<ErrorItem>& errors) {
  std::string list;
  for (const ErrorItem& item : errors) {
    if (!list.empty()) list += ", ";
    switch (item.kind) {
      case ErrorKind::confused:
        list += item.sent;
        list += '>';
        list += item.copied;
        list += ' ';
        break;
      case ErrorKind::missed:
        list += item.sent;
        list += texts::register_missed.view();
        break;
      case ErrorKind::extra:
        list += item.copied;
        list += texts::register_extra.view();
        break;
    }
    list += integer_to_text(item.count);
  }
  return list;
}

// Read by position, so that any character, a comma or ">" too, can be an item's.
std::optional<std::vector<ErrorItem>> parse_error_list(std::string_view text) {
  std::vector<ErrorItem> errors;
  std::size_t at = 0;
  while (at < text.size()) {
    if (at + 2 > text.size()) return std::nullopt;
    const char character = text[at++];
    ErrorItem item;
    if (text.substr(at).starts_with(texts::register_missed.view())) {
      item = {ErrorKind::missed, character, 0, 0};
      at += texts::register_missed.view().size();
    } else if (text.substr(at).starts_with(texts::register_extra.view())) {
      item = {ErrorKind::extra, 0, character, 0};
      at += texts::register_extra.view().size();
    } else if (text[at] == '>' && at + 2 < text.size() && text[at + 2] == ' ') {
      item = {ErrorKind::confused, character, text[at + 1], 0};
      at += 3;
    } else {
      return std::nullopt;
    }
    const auto count = parse_item_count(text, at);
    if (!count) return std::nullopt;
    item.count = *count;
    errors.push_back(item);
  }
  return errors;
}

std::string sent_list(const std::vector<CharacterCount>& sent) {
  std::string list;
  for (const CharacterCount& entry : sent) {
    if (!list.empty()) list += ", ";
    list += entry.character;
    list += ' ';
    list += integer_to_text(entry.count);
  }
  return list;
}

std::optional<std::vector<CharacterCount>> parse_sent_list(std::string_view text) {
  std::vector<CharacterCount> sent;
  std::size_t at = 0;
  while (at < text.size()) {
    if (at + 2 >= text.size() || text[at + 1] != ' ') return std::nullopt;
    const char character = text[at];
    at += 2;
    const auto count = parse_item_count(text, at);
    if (!count) return std::nullopt;
    sent.push_back({character, *count});
  }
  return sent;
}

std::string render_register(const std::vector<RegisterRow>& rows) {
  std::string text(texts::register_header.view());
  text += "\r\n";
  for (const RegisterRow& row : rows) {
    const std::array<std::string, column_count> fields{row.date,
                                                       row.learner,
                                                       row.set,
                                                       integer_to_text(row.text),
                                                       integer_to_text(row.words_right),
                                                       integer_to_text(row.words_sent),
                                                       integer_to_text(row.characters_right),
                                                       integer_to_text(row.characters_sent),
                                                       error_list(row.errors),
                                                       sent_list(row.sent)};
    for (std::size_t k = 0; k < fields.size(); ++k) {
      if (k > 0) text += ';';
      append_field(text, fields[k]);
    }
    text += "\r\n";
  }
  return text;
}

RegisterParse parse_register(std::string_view text) {
  RegisterParse parse;
  const Records records = split_records(text);
  std::string header;
  if (!records.records.empty()) {
    for (const std::string& field : records.records.front().fields) {
      if (!header.empty()) header += ';';
      header += field;
    }
  }
  if (header != texts::register_header.view()) {
    parse.bad_line = records.records.empty() ? 1 : records.records.front().line;
    return parse;
  }
  for (std::size_t k = 1; k < records.records.size(); ++k) {
    std::optional<RegisterRow> row = row_of(records.records[k].fields);
    if (!row) {
      parse.bad_line = records.records[k].line;
      parse.rows.clear();
      return parse;
    }
    parse.rows.push_back(std::move(*row));
  }
  if (records.bad_line != 0) {
    parse.bad_line = records.bad_line;
    parse.rows.clear();
  }
  return parse;
}

void merge_row(std::vector<RegisterRow>& rows, RegisterRow row) {
  const auto same = std::find_if(rows.begin(), rows.end(), [&](const RegisterRow& earlier) {
    return earlier.learner == row.learner && earlier.set == row.set && earlier.text == row.text;
  });
  if (same != rows.end()) {
    *same = std::move(row);
  } else {
    rows.push_back(std::move(row));
  }
}

LoadedRegister load_register() {
  LoadedRegister loaded;
  std::error_code error;
  if (!std::filesystem::exists(runtime::file_system_path(register_path), error) && !error)
    return loaded;
  const FileBytes file = read_file_bytes(register_path, max_register_bytes);
  if (file.status != ReadStatus::read) {
    loaded.state =
        file.status == ReadStatus::too_large ? RegisterState::too_large : RegisterState::unreadable;
    return loaded;
  }
  RegisterParse parse = parse_register(runtime::decode_file_text(file.bytes).text);
  if (parse.bad_line != 0) {
    loaded.state = RegisterState::unreadable;
    loaded.bad_line = parse.bad_line;
    return loaded;
  }
  loaded.state = RegisterState::read;
  loaded.rows = std::move(parse.rows);
  return loaded;
}

std::string register_problem(const LoadedRegister& loaded) {
  std::string message(texts::register_unreadable.view());
  message += register_path;
  if (loaded.state == RegisterState::too_large)
    return message + std::string(texts::register_too_large.view());
  if (loaded.bad_line != 0)
    message +=
        std::string(texts::register_unreadable_line.view()) + integer_to_text(loaded.bad_line);
  return message + std::string(texts::register_unreadable_end.view());
}

std::optional<std::string> save_register(const std::vector<RegisterRow>& rows) {
  std::error_code error;
  std::filesystem::create_directories(runtime::file_system_path(register_folder), error);
  if (error)
    return std::string(texts::register_folder_not_created.view()) + std::string(register_folder);
  if (!runtime::replace_file(runtime::native_path(register_path), render_register(rows)))
    return std::string(texts::register_not_saved.view()) + std::string(register_path);
  return std::nullopt;
}

}  // namespace velkart::scoring
