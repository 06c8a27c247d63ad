#include "control_rows.h"

namespace zelbor::forms {

std::string arrayElement(std::string_view array, int index) {
  return std::string(array) + "(" + std::to_string(index) + ")";
}

}  // namespace zelbor::forms
