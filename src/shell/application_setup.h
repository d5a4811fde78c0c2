#pragma once
// What the desktop program sets up once its QApplication exists, before the
// main window is made: shared by main() and the start-up measurement so that
// both start the same program.
namespace rb::ui {

void prepareApplication();

}  // namespace rb::ui
