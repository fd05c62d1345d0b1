#pragma once
#include <functional>
#include <string_view>

namespace velkart::runtime {

// Where a run's German messages go: a message box in the window, a line on
// standard error in the batch companion.
using MessageSink = std::function<void(std::string_view text)>;

}  // namespace velkart::runtime
