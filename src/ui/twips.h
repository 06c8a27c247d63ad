#pragma once

namespace zelbor::ui {

// Window measures are designed in twips (1/1440 inch): 15 twips are one pixel at 96 dpi. Every
// conversion goes through here so that all windows scale alike with the screen's logical dpi.
int pixelsFromTwips(double twips, double logicalDpi);

// The logical dpi of the screen new windows open on; 96 when there is no screen.
double screenLogicalDpi();

}  // namespace zelbor::ui
