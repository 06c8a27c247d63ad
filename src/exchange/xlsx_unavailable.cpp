// The xlsx format in a build without its libraries (libzip, pugixml, libxlsxwriter), configured
// with ZELBOR_XLSX=OFF: a workbook is refused with a message, and csv and json still work.
#include "table_format.h"
#include "xlsx_reader.h"
#include "xlsx_writer.h"

namespace zelbor::exchange {

db::Result<std::string> xlsxWorkbook(db::FileSystem&, const SheetTable&, const std::string&) {
  return db::FileError{"", "Cannot write an xlsx workbook: " + std::string(kNoXlsxSupport) + "."};
}

db::Result<std::vector<ImportRow>> readXlsxFirstSheet(std::string_view, const std::string& path) {
  return db::FileError{path, "Cannot read \"" + path +
                                 "\" as an xlsx workbook: " + std::string(kNoXlsxSupport) + "."};
}

}  // namespace zelbor::exchange
