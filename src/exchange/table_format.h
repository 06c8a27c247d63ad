#pragma once

#include <optional>
#include <string_view>

namespace zelbor::exchange {

// The file types players' tables are exported to and imported from.
enum class TableFormat { Csv, Json, Xlsx };

// Whether this build reads and writes xlsx workbooks: one configured with ZELBOR_XLSX=OFF lacks
// the libraries.
bool buildHasXlsx();

// Why a build without them refuses a workbook.
inline constexpr std::string_view kNoXlsxSupport =
    "this build of zelbor-db has no xlsx support; use csv or json";

// "csv", "json", "xlsx": the name of a format as options and extensions give it.
std::string_view formatName(TableFormat format);

// The format called `name`, as formatName gives it; none for another name.
std::optional<TableFormat> formatNamed(std::string_view name);

// The format a file's extension names, in any case ("roster.CSV"); none for another extension.
std::optional<TableFormat> tableFormatOf(std::string_view path);

}  // namespace zelbor::exchange
