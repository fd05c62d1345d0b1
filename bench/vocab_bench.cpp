// The vocabulary builder on a source text of 100 MB, made from the shipped
// word lists with commas and line ends, beside the shell pipeline a user
// would otherwise reach for (tr, tr, grep, sort -u), which must give the
// same alphabetical list. Reports the time of each, their ratio and the peak
// memory of the process against the size of the source.
//
// The word lists are found beside this file (data/wordlists/); the
// environment variable VELKART_WORDLISTS names another folder.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "vocab/pipeline.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t source_size = std::size_t{100} << 20;

fs::path word_list_folder() {
  if (const char* folder = std::getenv("VELKART_WORDLISTS")) return folder;
  return fs::path(__FILE__).parent_path().parent_path() / "data" / "wordlists";
}

std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> shipped_words() {
  std::vector<std::string> words;
  for (const char* name : {"de_AllgemAfuTechnik.txt", "en1000.txt", "Qgruppe.txt",
                           "CWabkuerzungen.txt", "eigeneDatei.txt"}) {
    std::istringstream list(read_file(word_list_folder() / name));
    std::string word;
    while (list >> word) words.push_back(word);
  }
  return words;
}

// A folder of its own holding Wortschatz_erweitern/gross.txt; made once.
struct Workspace {
  fs::path folder;
  bool ready = false;

  Workspace() {
    const std::vector<std::string> words = shipped_words();
    if (words.empty()) return;
    folder = fs::temp_directory_path() / ("velkart-vocab-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder / "Wortschatz_erweitern");
    std::ofstream out(folder / "Wortschatz_erweitern" / "gross.txt", std::ios::binary);
    // Written piece by piece so that making the source does not count
    // towards the pipeline's peak memory.
    std::mt19937 random(4711);
    std::string piece;
    std::size_t written = 0;
    std::size_t on_line = 0;
    while (written < source_size) {
      piece += words[random() % words.size()];
      const unsigned after = random() % 16;
      if (++on_line >= 12) {
        piece += after < 4 ? ",\r\n" : "\r\n";
        on_line = 0;
      } else {
        piece += after < 3 ? ", " : " ";
      }
      if (piece.size() >= (1u << 20) || written + piece.size() >= source_size) {
        out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
        written += piece.size();
        piece.clear();
      }
    }
    ready = static_cast<bool>(out);
  }
  ~Workspace() {
    std::error_code ignored;
    if (!folder.empty()) fs::remove_all(folder, ignored);
  }
};

Workspace& workspace() {
  static Workspace instance;
  return instance;
}

double peak_memory_mb() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

double pipeline_seconds = 0;

void vocab_pipeline_100mb(benchmark::State& state) {
  Workspace& space = workspace();
  if (!space.ready) {
    state.SkipWithError("the word lists were not found");
    return;
  }
  fs::current_path(space.folder);
  std::size_t messages = 0;
  const velkart::vocab::PipelineHooks hooks{[] { return std::string("gross"); },
                                            [](std::string_view) {},
                                            [&messages](std::string_view) { ++messages; }};
  double fastest = 1e9;
  for (auto _ : state) {
    const auto started = std::chrono::steady_clock::now();
    velkart::vocab::run_vocabulary_pipeline(hooks);
    fastest = std::min(
        fastest, std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
  }
  pipeline_seconds = fastest;
  const double source_mb = static_cast<double>(source_size) / (1 << 20);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * source_size));
  state.counters["peak_rss_MB"] = peak_memory_mb();
  state.counters["peak_per_source"] = peak_memory_mb() / source_mb;
  state.counters["messages"] = static_cast<double>(messages);
}
BENCHMARK(vocab_pipeline_100mb)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// The same list the Unix way, one word a line.
void unix_pipeline_100mb(benchmark::State& state) {
  Workspace& space = workspace();
  if (!space.ready || pipeline_seconds == 0) {
    state.SkipWithError("the pipeline did not run first");
    return;
  }
  fs::current_path(space.folder);
  // Windows-1252: ä ö ü -> Ä Ö Ü, and the letters Ä Ö Ü ß may stay.
  const std::string command =
      "LC_ALL=C tr 'a-z\344\366\374' 'A-Z\304\326\334' < Wortschatz_erweitern/gross.txt"
      " | LC_ALL=C tr -s ' ,\\t\\r\\n' '\\n'"
      " | LC_ALL=C grep -aE '^[A-Z\304\326\334\337]{3,10}$'"
      " | LC_ALL=C sort -u > unix.txt";
  double fastest = 1e9;
  for (auto _ : state) {
    const auto started = std::chrono::steady_clock::now();
    if (std::system(command.c_str()) != 0) state.SkipWithError("the shell pipeline failed");
    fastest = std::min(
        fastest, std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
  }
  // Same words in the same order, one a line instead of each followed by a blank.
  std::string ours = read_file(space.folder / "Wortschatz_erweitern" / "gross_bearbeitet_ABC.txt");
  for (char& byte : ours) {
    if (byte == ' ') byte = '\n';
  }
  ours = ours.substr(0, ours.size() - 2);  // the final CR LF
  const std::string theirs = read_file(space.folder / "unix.txt");
  if (ours != theirs) state.SkipWithError("the two lists differ");
  state.counters["words"] = static_cast<double>(std::count(theirs.begin(), theirs.end(), '\n'));
  state.counters["speedup"] = fastest / pipeline_seconds;
}
BENCHMARK(unix_pipeline_100mb)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
