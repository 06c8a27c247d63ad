#include "control_rows.h"

namespace zelbor::forms {

double designPointSize(unsigned look) {
  if ((look & kWrapped) != 0) return 7.5;
  if ((look & kLargeText) != 0) return 20.25;
  return 8;
}

std::string arrayElement(std::string_view array, int index) {
  return std::string(array) + "(" + std::to_string(index) + ")";
}

}  // namespace zelbor::forms
