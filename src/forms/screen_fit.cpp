#include "screen_fit.h"

#include <algorithm>

namespace zelbor::forms {

ScreenFit fitToRoom(PixelSize content, PixelSize room, int scrollBarThickness) {
  ScreenFit fit;
  room.width = std::max(room.width, 0);
  room.height = std::max(room.height, 0);
  // Each bar may bring in the other; two rounds settle it.
  for (int round = 0; round < 2; ++round) {
    fit.verticalBar = content.height + (fit.horizontalBar ? scrollBarThickness : 0) > room.height;
    fit.horizontalBar = content.width + (fit.verticalBar ? scrollBarThickness : 0) > room.width;
  }
  const int barWidth = fit.verticalBar ? scrollBarThickness : 0;
  const int barHeight = fit.horizontalBar ? scrollBarThickness : 0;
  fit.window = {std::min(content.width + barWidth, room.width),
                std::min(content.height + barHeight, room.height)};
  fit.view = {std::max(fit.window.width - barWidth, 0), std::max(fit.window.height - barHeight, 0)};
  fit.scrollRange = {content.width - std::min(fit.view.width, content.width),
                     content.height - std::min(fit.view.height, content.height)};
  return fit;
}

int scrollToShow(int position, int view, int start, int end, int range) {
  if (end - start > view || start < position) {
    position = start;
  } else if (end > position + view) {
    position = end - view;
  }
  return std::clamp(position, 0, std::max(range, 0));
}

}  // namespace zelbor::forms
