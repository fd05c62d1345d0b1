#pragma once
// What the in-memory backend and the FLTK backend must agree on, through the
// GUI operations alone: the unit tests check HeadlessGui with it, fltk_smoke
// checks FltkGui on the screen.
#include <string>
#include <vector>

#include "gui/gui.h"

namespace velkart::testing {

// Builds window 9, works its controls and closes it; returns what did not hold.
inline std::vector<std::string> backend_contract_failures(gui::Gui& gui) {
  std::vector<std::string> failures;
  const auto expect = [&failures](bool holds, const char* what) {
    if (!holds) failures.emplace_back(what);
  };
  gui.open_window(9, 0, 0, 200, 100, "Vertrag", gui::WindowOptions{});
  gui.create_slider(91, {5, 5, 100, 15}, 2, 10, true);
  gui.create_option(92, {5, 25, 50, 15}, "a");
  gui.create_option(93, {60, 25, 50, 15}, "b");
  gui.create_checkbox(94, {5, 45, 50, 15}, "c");
  gui.create_edit(95, {5, 65, 50, 15}, "12", gui::EditOptions{gui::Align::left, true, true});
  gui.create_progress(97, {5, 85, 100, 15}, 1000);
  gui.set_state(91, 99);
  expect(gui.get_state(91) == 10, "a slider stops at its maximum");
  gui.set_state(91, -3);
  expect(gui.get_state(91) == 2, "a slider stops at its minimum");
  gui.set_state(92, 1);
  gui.set_state(93, 7);
  expect(gui.get_state(92) == 0 && gui.get_state(93) == 1, "an option clears its group");
  gui.set_state(94, 5);
  expect(gui.get_state(94) == 1, "a check box holds 0 or 1");
  // Only typing is limited to digits; the program's own texts go in unchanged.
  gui.set_text(95, "4x2");
  expect(gui.get_text(95) == "4x2", "a digits-only field takes the program's text");
  gui.set_state(97, 1001);
  expect(gui.get_state(97) == 1000, "a progress bar stops at its maximum");
  gui.set_state(97, 250);
  gui.set_text(97, "1 von 4");
  expect(gui.get_state(97) == 250 && gui.get_text(97) == "1 von 4",
         "a progress bar holds its text");
  expect(gui.get_text(96).empty() && gui.get_state(96) == 0, "an unknown control reads empty");
  gui.close_window(9);
  return failures;
}

}  // namespace velkart::testing
