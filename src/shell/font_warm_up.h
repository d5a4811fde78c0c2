#pragma once
// Reading the desktop's font configuration is the slowest single step of
// showing the first window with text (tens of configuration files and the
// font caches). Nothing needs it until the first caption is measured, so it
// is read on a second thread while the program loads the toolkit, builds the
// window and reads the farm.
#include <thread>

namespace rb::ui {

class FontWarmUp {
 public:
  // Starts reading at once; make it first thing in main. Does nothing where
  // the font library is not in use.
  FontWarmUp();
  // Waits for the reading to end (long done by the time a window closes).
  ~FontWarmUp();
  FontWarmUp(const FontWarmUp&) = delete;
  FontWarmUp& operator=(const FontWarmUp&) = delete;

 private:
  std::thread reader_;
};

}  // namespace rb::ui
