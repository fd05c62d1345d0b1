#pragma once
// One generation run per working folder. Two runs in one folder would have
// the first run's encoder read the second run's input, whichever processes
// started them. A run holds an flock on a file in nicht_loeschen/; every
// program started while it holds it (its encoders) inherits the lock's
// descriptor, so the folder stays taken until the last of them has ended,
// even after the run and its process are gone.
#include <string_view>

namespace velkart::runtime {

inline constexpr std::string_view run_lock_path = "nicht_loeschen/velkart.lock";

class RunLock {
 public:
  // Takes the lock. A lock file that cannot be opened (a folder of that name,
  // a file another user left, a missing folder) holds nothing, and a run
  // must not go on as if it held the folder.
  explicit RunLock(std::string_view path = run_lock_path);
  // Our hold ends; programs started meanwhile keep theirs.
  ~RunLock();
  RunLock(const RunLock&) = delete;
  RunLock& operator=(const RunLock&) = delete;

  // Another run (or its encoders) holds the folder.
  bool busy() const { return busy_; }
  // Neither held nor busy: the lock file could not be opened or locked.
  bool unavailable() const { return descriptor_ < 0 && !busy_; }

 private:
  int descriptor_ = -1;
  bool busy_ = false;
};

}  // namespace velkart::runtime
