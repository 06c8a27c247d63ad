#pragma once

#include <QString>

class QWidget;

namespace zelbor::app {

// What the main window shows, one "name: value" line each: its caption and icon, the font family
// in use, the team, the player, the lists filled from the list files and the face picture. Lets a
// check from outside see that an installed program found its files and fonts.
QString describeMainWindow(const QWidget& window);

}  // namespace zelbor::app
