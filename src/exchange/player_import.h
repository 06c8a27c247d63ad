#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "db/database.h"
#include "db/file_access.h"
#include "db/team_walk.h"
#include "import_plan.h"
#include "table_format.h"

namespace zelbor::exchange {

// Far beyond an export of every player (about 150 KB); a larger input is refused, not read.
inline constexpr std::uint64_t kInputSizeLimit = 64 * 1024 * 1024;

// Why an input of `size` bytes (or more) named `name` is refused as too large; none within the
// limit.
std::optional<std::string> inputSizeRefusal(const std::string& name, std::uint64_t size);

// An import's input file: its bytes, or the refusal of an input larger than kInputSizeLimit,
// which is invalid input rather than a file that cannot be read.
struct ImportFile {
  std::string bytes;
  std::optional<std::string> refusal;
};
db::Result<ImportFile> readImportFile(db::FileSystem& fileSystem, const std::string& path);

// What an input holds as a table, and how it was read.
struct ImportSource {
  TableFormat format = TableFormat::Json;
  ImportTable table;
  std::string encoding;        // CSV: "UTF-8", "UTF-16" or "Windows-1252"
  char separator = ',';        // CSV: the character between cells
  std::size_t notCarried = 0;  // JSON: the differences a patch lists as beyond import
};

// How a CSV input was read: "UTF-8 text with cells separated by commas"; empty for a workbook
// or JSON, whose reading needs no words.
std::string readingDescription(const ImportSource& source);

// `bytes` read as `format`, or the message that refuses them, naming `name`.
std::variant<ImportSource, std::string> readImportSource(std::string_view bytes,
                                                         const std::string& name,
                                                         TableFormat format);

// The input checked against the players as they are stored.
struct ImportPreview {
  LoadedTeams loaded;  // every team as it was read for the check
  std::variant<ImportPlan, CellProblems> plan;
};

// Reads every team of `database` and checks `source` against them into `preview`; nothing is
// written. Fails, naming the team, when a team cannot be loaded.
db::WalkOutcome previewImport(const db::Database& database, const ImportSource& source,
                              const db::ValueLists& lists, bool keepSpoof, ImportPreview& preview);

struct AppliedImport {
  db::WriteOutcome outcome;
  std::vector<int> written;          // the teams that now hold the import's changes
  std::optional<int> changedOnDisk;  // the first team changed on disk since the preview
  std::vector<int> left;             // that team and the later changed ones, not written
};

// Writes the changed teams of a preview whose plan holds no problems, in team order in one write
// operation. From the first team whose players changed on disk since the preview, that team and
// the ones after it keep the players they now hold: the bytes written back are those read.
AppliedImport applyImport(db::Database& database, const ImportPreview& preview,
                          const db::WritePolicy& policy);

}  // namespace zelbor::exchange
