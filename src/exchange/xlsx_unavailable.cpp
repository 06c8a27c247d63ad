// The xlsx format in a build without its libraries (libzip, pugixml, libxlsxwriter), as in the
// Windows cross build: a workbook is refused with a message, and csv and json still work.
#include "xlsx_reader.h"
#include "xlsx_writer.h"

namespace zelbor::exchange {
namespace {

constexpr const char* kNoXlsx = "this build of zelbor-db has no xlsx support; use csv or json";

}  // namespace

db::Result<std::string> xlsxWorkbook(const SheetTable&, const std::string&) {
  return db::FileError{"", std::string("Cannot write an xlsx workbook: ") + kNoXlsx + "."};
}

db::Result<std::vector<ImportRow>> readXlsxFirstSheet(std::string_view, const std::string& path) {
  return db::FileError{path, "Cannot read \"" + path + "\" as an xlsx workbook: " + kNoXlsx + "."};
}

}  // namespace zelbor::exchange
