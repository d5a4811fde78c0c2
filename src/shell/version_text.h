#pragma once
// The version the window shows in its caption and in the About window.
#include <QString>

namespace rb::ui {

// The program's version without its last component when it has four
// (3.2.6.0 shows as 3.2.6); empty when the version is empty.
QString versionText(const QString& fullVersion);
// The version text of this build.
QString programVersionText();
// "Ranchbook$ " followed by the version text.
QString mainWindowCaption();

}  // namespace rb::ui
