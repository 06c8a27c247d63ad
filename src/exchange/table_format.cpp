#include "table_format.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace zelbor::exchange {

bool buildHasXlsx() {
  return ZELBOR_HAS_XLSX != 0;
}

std::string_view formatName(TableFormat format) {
  switch (format) {
    case TableFormat::Csv:
      return "csv";
    case TableFormat::Xlsx:
      return "xlsx";
    case TableFormat::Json:
      break;
  }
  return "json";
}

std::optional<TableFormat> formatNamed(std::string_view name) {
  for (const TableFormat format : {TableFormat::Csv, TableFormat::Json, TableFormat::Xlsx}) {
    if (formatName(format) == name) return format;
  }
  return std::nullopt;
}

std::optional<TableFormat> tableFormatOf(std::string_view path) {
  // Read from the UTF-8 name itself: a narrow std::filesystem path on Windows passes through the
  // ANSI code page.
  const std::size_t lastDot = path.find_last_of("./\\");
  std::string extension = lastDot != std::string_view::npos && path[lastDot] == '.'
                              ? std::string(path.substr(lastDot))
                              : std::string();
  std::ranges::transform(extension, extension.begin(),
                         [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension.empty()) return std::nullopt;
  return formatNamed(std::string_view(extension).substr(1));
}

}  // namespace zelbor::exchange
