#include "runtime/run_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "runtime/files.h"
#include "runtime/process.h"

namespace velkart::runtime {

RunLock::RunLock(std::string_view path) {
  descriptor_ = open_regular_file(native_path(path), O_RDWR | O_CREAT);
  if (descriptor_ < 0) return;
  int locked;
  do {
    locked = ::flock(descriptor_, LOCK_EX | LOCK_NB);
  } while (locked != 0 && errno == EINTR);
  if (locked != 0) {
    busy_ = errno == EWOULDBLOCK;
    ::close(descriptor_);
    descriptor_ = -1;
    return;
  }
  pass_descriptor_to_children(descriptor_);
}

RunLock::~RunLock() {
  if (descriptor_ < 0) return;
  pass_descriptor_to_children(-1);
  ::close(descriptor_);
}

}  // namespace velkart::runtime
