#include "shell/farm_preload.h"

#include "model/farm_data_sets.h"

namespace rb::ui {

FarmPreload::FarmPreload(const QString& path) {
  // A farm of its own gives the shape of the tables: the window's farm is
  // not touched from this thread. Where no thread can be had, the file is
  // read when it is taken.
  reading_ = std::async(std::launch::async | std::launch::deferred, [file = path.toStdString()] {
    const Farm shape;
    return readFarmFile(shape, file);
  });
}

FarmFileContents FarmPreload::take() { return reading_.get(); }

}  // namespace rb::ui
