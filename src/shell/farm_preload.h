#pragma once
// The start-up farm is read on a second thread while the window is being
// built; the window applies what was read once its pages are ready for it.
// The core first: its signals' `emit` member clashes with Qt's keyword macro.
#include "files/farm_file_reader.h"

#include <QString>

#include <future>

namespace rb::ui {

class FarmPreload {
 public:
  // Starts reading the file at once.
  explicit FarmPreload(const QString& path);
  // Waits for the reading to end if nobody took it.
  ~FarmPreload() = default;
  FarmPreload(const FarmPreload&) = delete;
  FarmPreload& operator=(const FarmPreload&) = delete;

  // What was read, waiting for it if need be; a reading that failed throws
  // here the error a load of the file would have thrown. Only once.
  FarmFileContents take();

 private:
  std::future<FarmFileContents> reading_;
};

}  // namespace rb::ui
