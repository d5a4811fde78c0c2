#pragma once
// The one door from the window into help: open a topic page by its number.
// Topic 0 asks for the contents page; the window maps a missing topic of a
// control to topic 1 before it calls.
class QWidget;

void showHelpTopic(QWidget* parent, int topic);
