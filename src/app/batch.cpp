#include "app/batch.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <ostream>
#include <thread>
#include <variant>
#include <vector>

#include "app/settings.h"
#include "app/settings_store.h"
#include "generator/course.h"
#include "generator/course_run.h"
#include "generator/encoder_progress.h"
#include "generator/generation.h"
#include "generator/output_names.h"
#include "generator/playlist.h"
#include "generator/word_pool.h"
#include "pdf/document.h"
#include "runtime/encoding.h"
#include "runtime/files.h"
#include "runtime/interruption.h"
#include "runtime/process.h"
#include "runtime/random.h"
#include "runtime/run_lock.h"
#include "runtime/text.h"
#include "runtime/texts.h"
#include "scoring/commands.h"
#include "scoring/drill.h"
#include "vocab/pipeline.h"

namespace velkart::app {

namespace {

using runtime::to_cp1252;
using runtime::to_utf8;

enum class Command { none, trial, generate, vocab, course, pool, score, report, drill };

struct Options {
  Command command = Command::none;
  std::optional<std::uint32_t> seed;
  std::vector<std::pair<const SettingKey*, std::string>> overrides;  // values in Windows-1252
  std::optional<std::string> vocab_name;
  std::vector<std::string> operands;  // score: PREFIX FILE, in Windows-1252
  std::optional<std::string> learner;
  int weak = scoring::default_weak_characters;
  bool wait_for_encoder = true;
  bool help = false;
  // course
  std::optional<int> from, to, texts, minutes;
  std::optional<generator::SpeedRamp> ramp;
  std::optional<generator::GroupsMode> groups;
  bool overwrite = false;
  bool course_option = false;  // any of the above given
  pdf::Clock clock = pdf::local_time_now;
};

// A usage error: its German text, ready for the terminal.
struct UsageError {
  std::string message;
};

std::optional<std::uint32_t> parse_seed(std::string_view text) {
  std::uint32_t value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size() || text.empty())
    return std::nullopt;
  return value;
}

// The fields hold 32-bit numbers: a value beyond would silently wrap.
bool is_integer(std::string_view text) {
  std::int32_t value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && result.ec == std::errc() && result.ptr == text.data() + text.size();
}

std::optional<int> parse_small_number(std::string_view text) {
  int value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size() || text.empty())
    return std::nullopt;
  return value;
}

std::optional<generator::SpeedRamp> parse_ramp(std::string_view text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  const auto first = parse_small_number(text.substr(0, colon));
  const auto last = parse_small_number(text.substr(colon + 1));
  if (!first || !last) return std::nullopt;
  return generator::SpeedRamp{*first, *last};
}

// SOURCE_DATE_EPOCH, when set, fixes the time the PDF files carry: the same
// seed then gives the same files, byte for byte, on every system. Nothing
// when it is not set; the text itself when it names no time we can print.
std::variant<std::monostate, pdf::LocalTime, std::string> fixed_time() {
  const char* text = std::getenv("SOURCE_DATE_EPOCH");
  if (text == nullptr) return std::monostate{};
  if (const auto time = epoch_time(text)) return *time;
  return std::string(text);
}

std::string usage(std::string_view what, std::string_view detail = {}) {
  return to_utf8(what) + std::string(detail);
}

// A word of the command line as the program's texts hold it; nothing when a
// character has no place in Windows-1252 (it would turn into "?").
std::optional<std::string> program_text(std::string_view utf8) {
  std::string text = to_cp1252(utf8);
  if (to_utf8(text) != utf8) return std::nullopt;
  return text;
}

constexpr std::pair<std::string_view, Command> command_names[] = {
    {"trial", Command::trial},   {"pool", Command::pool},     {"generate", Command::generate},
    {"vocab", Command::vocab},   {"course", Command::course}, {"score", Command::score},
    {"report", Command::report}, {"drill", Command::drill}};

// The options that take a value, with the value already taken from the
// command line: nullopt when all is well.
std::optional<UsageError> parse_option_value(const std::string& option, const std::string& value,
                                             Options& options) {
  if (option == "--seed") {
    options.seed = parse_seed(value);
    if (!options.seed) return UsageError{usage(texts::batch_bad_seed, value)};
  } else if (option == "--from" || option == "--to" || option == "--texts" ||
             option == "--minutes") {
    const auto number = parse_small_number(value);
    if (!number) return UsageError{option + usage(texts::batch_option_not_a_number, value)};
    (option == "--from"    ? options.from
     : option == "--to"    ? options.to
     : option == "--texts" ? options.texts
                           : options.minutes) = number;
    options.course_option = true;
  } else if (option == "--effective") {
    options.ramp = parse_ramp(value);
    if (!options.ramp) return UsageError{usage(texts::course_bad_ramp, " " + value)};
    options.course_option = true;
  } else if (option == "--groups") {
    const auto mode = generator::groups_mode_from_text(value);
    if (!mode) return UsageError{usage(texts::batch_bad_groups, value)};
    options.groups = *mode;
    options.course_option = true;
  } else if (option == "--weak") {
    const auto number = parse_small_number(value);
    if (!number || *number < 1 || *number > scoring::most_weak_characters)
      return UsageError{usage(texts::batch_bad_weak, value)};
    options.weak = *number;
  } else if (option == "--learner") {
    options.learner = program_text(value);
    if (!options.learner) return UsageError{usage(texts::batch_not_windows_1252, value)};
  } else {  // --set
    const std::size_t equals = value.find('=');
    if (equals == std::string::npos || equals == 0)
      return UsageError{usage(texts::batch_bad_set, value)};
    const std::string key = value.substr(0, equals);
    const std::string setting_value = value.substr(equals + 1);
    const SettingKey* setting = find_setting_key(key);
    if (setting == nullptr) return UsageError{usage(texts::batch_unknown_key, key)};
    if (setting->kind == SettingKind::integer && !is_integer(setting_value))
      return UsageError{usage(texts::batch_not_a_number, value)};
    const std::optional<std::string> text = program_text(setting_value);
    if (!text) return UsageError{usage(texts::batch_not_windows_1252, setting_value)};
    options.overrides.emplace_back(setting, *text);
  }
  return std::nullopt;
}

std::variant<Options, UsageError> parse_arguments(std::span<const std::string> arguments) {
  static constexpr std::string_view options_with_value[] = {
      "--seed",   "--from", "--to",      "--texts", "--effective",
      "--groups", "--set",  "--learner", "--weak",  "--minutes"};
  Options options;
  for (std::size_t k = 0; k < arguments.size(); ++k) {
    const std::string& argument = arguments[k];
    if (std::ranges::find(options_with_value, argument) != std::end(options_with_value)) {
      // "--from --to 3": the next option is no value of this one.
      if (k + 1 >= arguments.size() || arguments[k + 1].starts_with("--"))
        return UsageError{usage(texts::batch_missing_value, argument)};
      if (auto error = parse_option_value(argument, arguments[++k], options)) return *error;
    } else if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (argument == "--no-wait") {
      options.wait_for_encoder = false;
    } else if (argument == "--overwrite") {
      options.overwrite = true;
      options.course_option = true;
    } else if (argument.starts_with("-") && argument != "-") {
      return UsageError{usage(texts::batch_unknown_option, argument)};
    } else if (options.command == Command::none) {
      const auto named = std::ranges::find(command_names, std::string_view(argument),
                                           &std::pair<std::string_view, Command>::first);
      if (named == std::end(command_names))
        return UsageError{usage(texts::batch_unknown_command, argument)};
      options.command = named->second;
    } else if ((options.command == Command::vocab && !options.vocab_name) ||
               (options.command == Command::score && options.operands.size() < 2)) {
      const std::optional<std::string> text = program_text(argument);
      if (!text) return UsageError{usage(texts::batch_not_windows_1252, argument)};
      if (options.command == Command::vocab) {
        options.vocab_name = *text;
      } else {
        options.operands.push_back(*text);
      }
    } else {
      return UsageError{usage(texts::batch_too_many, argument)};
    }
  }
  if (options.command == Command::none && !options.help)
    return UsageError{usage(texts::batch_no_command)};
  if (options.course_option && options.command != Command::course)
    return UsageError{usage(texts::batch_course_only)};
  if (options.learner && options.command != Command::score && options.command != Command::report &&
      options.command != Command::drill)
    return UsageError{usage(texts::batch_learner_only)};
  if (options.command == Command::drill && !options.learner)
    return UsageError{usage(texts::batch_drill_needs)};
  if (options.command == Command::score && (options.operands.size() != 2 || !options.learner))
    return UsageError{usage(texts::batch_score_needs)};
  const auto time = fixed_time();
  if (const auto* bad = std::get_if<std::string>(&time))
    return UsageError{usage(texts::batch_bad_epoch, *bad)};
  if (const auto* at = std::get_if<pdf::LocalTime>(&time))
    options.clock = [fixed = *at] { return fixed; };
  return options;
}

void apply_overrides(SettingsRecord& record, const Options& options) {
  for (const auto& [setting, value] : options.overrides) {
    if (setting->kind == SettingKind::integer) {
      record.set_number(setting->setting,
                        static_cast<std::int32_t>(runtime::text_to_integer(value)));
    } else {
      record.set_text(setting->setting, value);
    }
  }
}

// What an encoder not waited for has to say.
constexpr std::string_view encoder_log_path = "nicht_loeschen/ebook2cw.log";

// What is listed exists now: checked after the fact, not taken from the plan.
void print_existing(std::ostream& out, const std::string& path) {
  std::error_code failed;
  if (std::filesystem::is_regular_file(runtime::file_system_path(path), failed))
    out << to_utf8(path) << '\n';
}

// The encoder's exit code; nullopt when Ctrl-C ended the wait and the encoder.
std::optional<int> wait_for_encoder(int process, runtime::Launcher& launcher,
                                    const runtime::MessageSink& tell, std::ostream& err) {
  err << to_utf8(texts::batch_encoder_waiting) << '\n';
  while (launcher.is_running(process)) {
    if (runtime::interrupted()) {
      launcher.stop(process);
      return std::nullopt;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  const int code = launcher.wait_for(process);
  if (code != 0) {
    tell(std::string(texts::batch_encoder_failed.view()) + runtime::integer_to_text(code));
    return code;
  }
  err << to_utf8(texts::batch_encoder_done) << '\n';
  return 0;
}

// The words a draw picks from, in the order they are in the lists; the
// pool label on standard error.
void print_pool(const generator::RunSettings& settings, const runtime::MessageSink& tell,
                std::ostream& out, std::ostream& err) {
  const generator::PoolBuild build = generator::build_word_pool(settings.pool);
  for (std::size_t k = 0; k < build.unreadable_lists.size(); ++k) tell(texts::no_words_or_file);
  err << to_utf8(generator::pool_line(build.pool, settings)) << '\n';
  for (const std::string& word : build.pool) {
    if (!word.empty()) out << to_utf8(word) << '\n';
  }
}

// Lists the files this run put in place; waiting, also the sound files the
// encoder wrote, and then gives the playlist their lengths.
void run_generate(const Options& options, const generator::RunSettings& settings,
                  const runtime::MessageSink& tell, std::ostream& out, std::ostream& err,
                  runtime::Launcher& launcher, const generator::SetPlace& place = {}) {
  generator::GenerationContext context;
  context.launcher = &launcher;
  context.clock = options.clock;
  const std::string& base_name = settings.encoder.base_name;
  // Not waited for, the encoder gets an output of its own: a pipe into
  // `tee` would otherwise stay open until it ends.
  if (!options.wait_for_encoder) runtime::send_child_output_to_file(encoder_log_path);
  const generator::GenerationResult result =
      generator::run_generation(settings, context, tell, place);
  runtime::send_child_output_to_file("");
  const generator::WrittenSet& files = result.files;
  // Not a message: the run went well, and says what it did with old files.
  if (!result.note.empty()) err << to_utf8(result.note) << '\n';
  for (const std::string& path : files.text_files) print_existing(out, path);
  for (const std::string* path : {&files.answer_key, &files.copy_sheet, &files.playlist}) {
    if (!path->empty()) print_existing(out, *path);
  }
  if (context.encoder_process == 0) return;
  if (!options.wait_for_encoder) {
    err << to_utf8(texts::batch_encoder_running) << context.encoder_process << '\n';
    return;
  }
  // Only the files the encoder finished are listed and in the playlist; one
  // it failed in, or was stopped in, is removed.
  const std::optional<int> code = wait_for_encoder(context.encoder_process, launcher, tell, err);
  const generator::SettledSounds sounds = generator::settle_sound_files(
      {place.folder.substr(generator::output_folder.size()) + base_name,
       static_cast<std::int64_t>(files.text_files.size()), generator::encoder_input_written()},
      code == 0);
  generator::forget_encoder();
  for (const std::string& sound : sounds.finished) print_existing(out, sound);
  if (!sounds.playlist_written) tell(texts::file_not_created);
  if (!code) tell(texts::batch_interrupted);
}

// A practice set for the learner's weak characters, as a generation run in
// eure_Texte/Uebung_NAME/.
void run_drill(const Options& options, const generator::RunSettings& settings,
               const runtime::MessageSink& tell, std::ostream& out, std::ostream& err,
               runtime::Launcher& launcher) {
  const auto planned = scoring::plan_drill_for(*options.learner, options.weak);
  if (const auto* problem = std::get_if<std::string>(&planned)) return tell(*problem);
  const scoring::Drill& drill = std::get<scoring::Drill>(planned);
  run_generate(options, scoring::drill_settings(settings, drill), tell, out, err, launcher,
               scoring::drill_place(drill));
}

void run_vocab(const std::string& name, const runtime::MessageSink& tell, std::ostream& out) {
  std::string log;
  vocab::run_vocabulary_pipeline(
      {[&name] { return name; }, [&log](std::string_view text) { log = text; }, tell});
  if (!log.empty()) out << to_utf8(log) << '\n';
}

// Every file of the course on standard output as it is written; messages on
// standard error. Exit 1 when anything was reported.
int run_course(const Options& options, const SettingsRecord& record,
               const runtime::MessageSink& tell, std::ostream& out, std::ostream& err,
               runtime::Launcher& launcher) {
  generator::CourseOptions course = course_options(record);
  if (options.from) course.from = *options.from;
  if (options.to) course.to = *options.to;
  if (options.texts) course.texts = *options.texts;
  if (options.minutes) course.minutes = *options.minutes;
  if (options.ramp) course.ramp = options.ramp;
  if (options.groups) course.groups = *options.groups;
  course.seed = options.seed;
  const generator::CourseBase base = run_settings(record);

  // One run per working folder, for a whole course as for a generation run.
  const runtime::RunLock lock;
  if (lock.busy() || lock.unavailable()) {
    tell(lock.busy() ? texts::encoder_still_running.view() : texts::lock_unavailable.view());
    return batch_message_shown;
  }
  const generator::PreparedCourse prepared = generator::prepare_course(course, base);
  if (prepared.error) {
    tell(*prepared.error);
    return batch_message_shown;
  }
  const std::vector<std::string> existing =
      generator::existing_lesson_folders(course, base.encoder.base_name);
  if (!existing.empty() && !options.overwrite) {
    err << to_utf8(texts::course_folders_exist) << '\n';
    for (const std::string& folder : existing) err << "  " << to_utf8(folder) << '\n';
    err << to_utf8(texts::course_overwrite_hint) << '\n';
    return batch_message_shown;
  }
  for (const std::string& list : prepared.unreadable_lists) {
    tell(std::string(texts::no_words_or_file.view()) + " (" + list + ")");
  }

  generator::CourseRun run(course, base, prepared.plan, launcher, options.clock,
                           [&out](const generator::CourseFiles& files) {
                             for (const std::string& path : files.paths)
                               out << to_utf8(path) << '\n';
                             out.flush();
                           });
  err << to_utf8(texts::batch_encoder_waiting) << '\n';
  generator::run_course_to_end(run);
  for (const std::string& problem : run.problems()) tell(problem);
  return run.problems().empty() && prepared.unreadable_lists.empty() ? batch_ok
                                                                     : batch_message_shown;
}

}  // namespace

int run_batch(std::span<const std::string> arguments, std::ostream& out, std::ostream& err,
              runtime::Launcher& launcher) {
  const auto parsed = parse_arguments(arguments);
  if (const auto* error = std::get_if<UsageError>(&parsed)) {
    err << error->message << '\n' << to_utf8(texts::batch_usage_hint) << '\n';
    return batch_usage_error;
  }
  const Options& options = std::get<Options>(parsed);
  if (options.help) {
    out << to_utf8(texts::batch_usage);
    return batch_ok;
  }

  // Scoring reads no settings: only the texts, the copy and the register.
  if (options.command == Command::score)
    return scoring::score_command(options.operands[0], *options.learner, options.operands[1],
                                  options.clock, out, err);
  if (options.command == Command::report)
    return scoring::report_command(options.learner, options.clock, out, err);

  SettingsStore store;
  SettingsRecord record = load_settings(store);
  apply_overrides(record, options);

  bool message_shown = false;
  const runtime::MessageSink tell = [&err, &message_shown](std::string_view text) {
    err << to_utf8(texts::message_title) << ": " << to_utf8(text) << '\n';
    message_shown = true;
  };
  const generator::RunSettings settings = run_settings(record);
  if (options.seed) runtime::seed_random(*options.seed);

  switch (options.command) {
    case Command::trial: {
      // The text on standard output, the pool label on standard error.
      const generator::Trial trial = generator::run_trial(settings, tell);
      out << to_utf8(trial.text) << '\n';
      err << to_utf8(trial.pool_label) << '\n';
      break;
    }
    case Command::pool:
      print_pool(settings, tell, out, err);
      break;
    case Command::generate:
      run_generate(options, settings, tell, out, err, launcher);
      break;
    case Command::vocab:
      run_vocab(options.vocab_name.value_or(record.text(Setting::builder_source)), tell, out);
      break;
    case Command::course:
      out.flush();
      return run_course(options, record, tell, out, err, launcher);
    case Command::drill:
      run_drill(options, settings, tell, out, err, launcher);
      break;
    case Command::none:
    case Command::score:
    case Command::report:
      break;
  }
  out.flush();
  return message_shown ? batch_message_shown : batch_ok;
}

std::optional<pdf::LocalTime> epoch_time(std::string_view seconds) {
  constexpr std::int64_t last_second = 253402300799;  // 9999-12-31 23:59:59
  std::int64_t value = -1;
  const auto result = std::from_chars(seconds.data(), seconds.data() + seconds.size(), value);
  if (seconds.empty() || result.ec != std::errc() ||
      result.ptr != seconds.data() + seconds.size() || value < 0 || value > last_second)
    return std::nullopt;
  // UTC: a time zone would make the same seconds give other files elsewhere.
  using namespace std::chrono;
  const sys_seconds at{std::chrono::seconds{value}};
  const sys_days day = floor<days>(at);
  const year_month_day date{day};
  const hh_mm_ss<std::chrono::seconds> time{at - day};
  return pdf::LocalTime{static_cast<int>(date.year()),
                        static_cast<int>(static_cast<unsigned>(date.month())),
                        static_cast<int>(static_cast<unsigned>(date.day())),
                        static_cast<int>(time.hours().count()),
                        static_cast<int>(time.minutes().count()),
                        static_cast<int>(time.seconds().count())};
}

}  // namespace velkart::app
