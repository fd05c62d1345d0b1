#pragma once
// velkart-batch run in-process in a working folder with the shipped word
// lists: what it printed, and what it asked to start.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/batch.h"
#include "support/recording_launcher.h"
#include "support/test_support.h"

namespace velkart::testing {

class BatchTest : public ::testing::Test {
 protected:
  void SetUp() override { folder.copy_shipped_word_lists(); }
  int run(std::vector<std::string> arguments) {
    out.str("");
    err.str("");
    return app::run_batch(arguments, out, err, launcher);
  }
  WorkingFolder folder;
  RecordingLauncher launcher;
  std::ostringstream out, err;
};

}  // namespace velkart::testing
