#include "field_cells.h"

#include <charconv>
#include <cmath>

#include "text_output.h"

namespace zelbor::exchange {

namespace {

// An item text import would read as a position: "7", " 12 ".
bool readsAsPosition(std::string_view item) {
  const std::string text = db::trimSpaces(item);
  int number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  return !text.empty() && error == std::errc{} && end == text.data() + text.size();
}

}  // namespace

std::optional<std::string> itemName(const db::PlayerField& field, const db::FieldValue& value,
                                    ItemNames names) {
  if (!names || !field.list) return std::nullopt;
  std::optional<std::string> item = names->get()[*field.list].itemText(std::get<int>(value));
  if (item && readsAsPosition(*item)) return std::nullopt;
  return item;
}

std::string cellText(const db::PlayerField& field, const db::FieldValue& value, ItemNames names) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  if (const auto* number = std::get_if<float>(&value)) {
    return std::isfinite(*number) ? shortestText(*number) : "";
  }
  return itemName(field, value, names).value_or(std::to_string(std::get<int>(value)));
}

std::string changeText(const db::PlayerField& field, const db::FieldValue& value) {
  if (const auto* number = std::get_if<float>(&value)) return shortestText(*number);
  return cellText(field, value, kRawNumbers);
}

nlohmann::ordered_json jsonValue(const db::PlayerField& field, const db::FieldValue& value,
                                 ItemNames names) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  if (const auto* number = std::get_if<float>(&value)) {
    if (!std::isfinite(*number)) return nullptr;
    // The shortest decimal read back as a double, so 0.1f is written 0.1 and not
    // 0.10000000149011612.
    const std::string text = shortestText(*number);
    double widened = 0;
    std::from_chars(text.data(), text.data() + text.size(), widened);
    return widened;
  }
  if (auto name = itemName(field, value, names)) return *name;
  return std::get<int>(value);
}

}  // namespace zelbor::exchange
