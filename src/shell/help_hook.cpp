// The window's help requests go to the built-in help window.
#include "shell/help_hook.h"

#include "help/ui/help_window.h"

void showHelpTopic(QWidget* parent, int topic) {
  if (topic <= 0) {
    rb::ui::openHelpContents(parent);
  } else {
    rb::ui::openHelpTopic(parent, topic);
  }
}
