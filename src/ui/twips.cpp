#include "twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace zelbor::ui {

namespace {
constexpr double kTwipsPerInch = 1440;
constexpr double kDefaultDpi = 96;
}  // namespace

int pixelsFromTwips(double twips, double logicalDpi) {
  return static_cast<int>(std::lround(twips * logicalDpi / kTwipsPerInch));
}

double screenLogicalDpi() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->logicalDotsPerInchY() : kDefaultDpi;
}

}  // namespace zelbor::ui
