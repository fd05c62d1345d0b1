#pragma once
// The fourth window: a learner's copy scored against a set's texts. Its
// layout is one table like the course window's; the copies typed so far are
// kept here, ten texts shown at a time.
#include <string>
#include <vector>

#include "gui/gui.h"
#include "pdf/document.h"
#include "scoring/sets.h"

namespace velkart::app {

class ScoringWindow {
 public:
  ScoringWindow(gui::Gui& gui, pdf::Clock clock) : gui_(gui), clock_(std::move(clock)) {}

  // Opens window 3 on the newest set; false when it cannot be opened.
  bool open();
  void close();
  // The window's buttons; false for a control that is not the window's.
  bool handle_control(int control);

 private:
  void show_set();
  void show_page();
  void keep_page();  // the copies shown back into copies_
  void score();

  gui::Gui& gui_;
  pdf::Clock clock_;
  std::vector<scoring::SetInfo> sets_;
  std::size_t set_ = 0;  // index into sets_, newest first
  std::size_t page_ = 0;
  std::vector<std::string> copies_;
};

}  // namespace velkart::app
