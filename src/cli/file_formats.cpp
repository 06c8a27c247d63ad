#include "file_formats.h"

#include <CLI/CLI.hpp>

#include "exchange/table_format.h"

namespace zelbor::cli {

using exchange::buildHasXlsx;

std::string formatNames() {
  return buildHasXlsx() ? "csv, json or xlsx" : "csv or json";
}

std::string lackingFormatReason(const std::string& format) {
  if (format == "xlsx" && !buildHasXlsx()) {
    return std::string(exchange::kNoXlsxSupport);
  }
  return {};
}

CLI::Option* takeFormatsOfThisBuild(CLI::Option* option) {
  std::vector<std::string> formats = {"json", "csv"};
  if (buildHasXlsx()) formats.push_back("xlsx");
  // The reason comes first: the list alone would only say that xlsx is not in it.
  return option
      ->check(
          CLI::Validator([](const std::string& format) { return lackingFormatReason(format); }, ""))
      ->check(CLI::IsMember(formats));
}

}  // namespace zelbor::cli
