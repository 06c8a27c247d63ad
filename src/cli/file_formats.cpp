#include "file_formats.h"

namespace zelbor::cli {

bool buildHasXlsx() {
  return ZELBOR_HAS_XLSX != 0;
}

std::string formatNames() {
  return buildHasXlsx() ? "csv, json or xlsx" : "csv or json";
}

std::string lackingFormatReason(const std::string& format) {
  if (format == "xlsx" && !buildHasXlsx()) {
    return "this build of zelbor-db has no xlsx support; use csv or json";
  }
  return {};
}

CLI::Validator formatOfThisBuild() {
  return CLI::Validator([](const std::string& format) { return lackingFormatReason(format); }, "");
}

}  // namespace zelbor::cli
