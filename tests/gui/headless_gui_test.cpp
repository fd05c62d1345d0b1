#include "gui/headless_gui.h"

#include <gtest/gtest.h>

#include "gui/backend_contract.h"

namespace velkart::gui {
namespace {

TEST(HeadlessGui, AgreesWithTheScreenBackend) {
  HeadlessGui gui;
  EXPECT_EQ(testing::backend_contract_failures(gui), std::vector<std::string>{});
  // Typing, unlike the program's texts, keeps only the digits.
  gui.open_window(0, 0, 0, 100, 100, "", WindowOptions{});
  gui.create_edit(1, {0, 0, 50, 15}, "", EditOptions{Align::left, true, true});
  gui.user_types(1, "x7y8");
  EXPECT_EQ(gui.get_text(1), "78");
}

}  // namespace
}  // namespace velkart::gui
