// A whole course with the real encoder: lessons 2 to 26, five texts of 50
// words each. The bound is the sum of the single encoder times (measured
// with one encoder at a time) divided by the cores; the parallel run's wall
// time is reported against it.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <thread>

#include "generator/course.h"
#include "generator/course_run.h"
#include "generator/encoder.h"
#include "runtime/process.h"
#include "runtime/random.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace velkart;

// Passes everything on and notes when each process was seen to end.
class TimingLauncher : public runtime::Launcher {
 public:
  int start_program(const std::string& program, const std::vector<std::string>& arguments,
                    const runtime::EnvironmentChanges& environment) override {
    const int pid = real_.start_program(program, arguments, environment);
    if (pid != 0) started_[pid] = Clock::now();
    return pid;
  }
  int open_document(const std::string& path) override { return real_.open_document(path); }
  bool is_running(int pid) override {
    const bool running = real_.is_running(pid);
    if (!running && started_.count(pid) != 0) {
      total_ += Clock::now() - started_[pid];
      started_.erase(pid);
    }
    return running;
  }
  int wait_for(int pid) override { return real_.wait_for(pid); }
  void stop(int pid) override { real_.stop(pid); }
  bool is_runnable(const std::string& program) override { return real_.is_runnable(program); }
  double encoder_seconds() const { return std::chrono::duration<double>(total_).count(); }

 private:
  runtime::Launcher& real_ = runtime::system_launcher();
  std::map<int, Clock::time_point> started_;
  Clock::duration total_{};
};

double run_course(unsigned parallel, TimingLauncher& launcher) {
  generator::CourseOptions options;
  options.from = 2;
  options.to = 26;
  options.texts = 5;
  generator::CourseBase base;
  base.pool.lists = {std::string(generator::word_list_paths[1])};  // as the window starts
  base.pool.word_limit = 50;
  base.encoder = {"20", "5", "650", 0, "0", "Bench", {}};
  runtime::seed_random(4711);
  const generator::PreparedCourse prepared = generator::prepare_course(options, base);
  generator::CourseRun run(
      options, base, prepared.plan, launcher, pdf::local_time_now,
      [](const generator::CourseFiles&) {}, parallel);
  const auto start = Clock::now();
  generator::run_course_to_end(run);
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void course_lessons_2_to_26(benchmark::State& state) {
  if (generator::find_encoder(runtime::system_launcher()).empty()) {
    state.SkipWithError("ebook2cw missing");
    return;
  }
  const fs::path previous = fs::current_path();
  const fs::path folder = fs::temp_directory_path() / "velkart-course-bench";
  fs::remove_all(folder);
  fs::create_directories(folder / "nicht_loeschen");
  fs::create_directories(folder / "eure_Texte");
  fs::copy(fs::path(VELKART_SOURCE_DIR) / "data/wordlists", folder / "nicht_loeschen");
  fs::current_path(folder);
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());

  for (auto _ : state) {
    TimingLauncher alone;
    run_course(1, alone);
    TimingLauncher parallel;
    const double wall = run_course(cores, parallel);
    state.SetIterationTime(wall);
    const double bound = alone.encoder_seconds() / cores;
    state.counters["sum_single_s"] = alone.encoder_seconds();
    state.counters["cores"] = cores;
    state.counters["bound_s"] = bound;
    state.counters["wall_s"] = wall;
    state.counters["wall_over_bound"] = wall / bound;
  }
  fs::current_path(previous);
  fs::remove_all(folder);
}
BENCHMARK(course_lessons_2_to_26)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
