// Reading a workbook from any bytes fails cleanly or gives rows a sheet can have. Inputs whose
// first byte is odd are taken as a workbook's XML parts separated by NUL bytes, packed into a
// zip here, so the mutations reach the XML rather than breaking the archive's checksums.
#include <zip.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "exchange/xlsx_reader.h"

namespace {

constexpr const char* kPartNames[] = {"xl/worksheets/sheet1.xml", "xl/sharedStrings.xml",
                                      "xl/workbook.xml", "xl/_rels/workbook.xml.rels"};

std::string packedParts(std::string_view parts) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
  zip_source_keep(buffer);
  zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
  for (const char* name : kPartNames) {
    const std::string_view part = parts.substr(0, parts.find('\0'));
    parts.remove_prefix(std::min(parts.size(), part.size() + 1));
    zip_source_t* file = zip_source_buffer(archive, part.data(), part.size(), 0);
    const zip_int64_t index = zip_file_add(archive, name, file, 0);
    zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
  }
  zip_close(archive);
  std::string bytes;
  if (zip_source_open(buffer) == 0) {
    char block[4096];
    for (zip_int64_t n; (n = zip_source_read(buffer, block, sizeof block)) > 0;) {
      bytes.append(block, static_cast<std::size_t>(n));
    }
    zip_source_close(buffer);
  }
  zip_source_free(buffer);
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const bool parts = size > 0 && (data[0] & 1) != 0;
  const std::string bytes = parts ? packedParts(input.substr(1)) : std::string(input);
  const auto rows = zelbor::exchange::readXlsxFirstSheet(bytes, "fuzz.xlsx");
  if (!rows.ok()) {
    if (rows.error().path != "fuzz.xlsx" || rows.error().message.empty()) __builtin_trap();
    return 0;
  }
  for (const zelbor::exchange::ImportRow& row : rows.value()) {
    if (row.number < 1 || row.number > 1048576 || row.cells.size() > 16384) __builtin_trap();
    for (const auto& cell : row.cells) {
      if (cell && cell->empty()) __builtin_trap();
    }
  }
  return 0;
}
