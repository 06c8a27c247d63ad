#include "editor_settings.h"

#include "db/text_codec.h"
#include "db/whole_file.h"
#include "web_lookup.h"

namespace zelbor::editor {
namespace {

// Far beyond any configuration a user writes.
constexpr std::uint64_t kSizeLimit = 64 * 1024;

std::string_view trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

db::Result<EditorSettings> readEditorSettings(db::FileSystem& fileSystem, const std::string& path) {
  EditorSettings settings{std::string(kDefaultLookupAddress)};
  if (path.empty()) return settings;
  const db::Result<db::PathEntry> entry = fileSystem.examine(path);
  if (!entry) return entry.error();
  if (entry.value().kind == db::PathEntry::Kind::Nothing) return settings;
  const db::Result<std::vector<db::Byte>> bytes =
      db::readWholeFile(fileSystem, path, kSizeLimit, "the editor's configuration file");
  if (!bytes) return bytes.error();
  std::string_view text(reinterpret_cast<const char*>(bytes.value().data()), bytes.value().size());
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  int number = 0;
  while (!text.empty()) {
    ++number;
    const std::size_t end = text.find('\n');
    const std::string_view line = trimmed(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty() || line.starts_with('#')) continue;
    const auto refuse = [&](const std::string& why) {
      return db::FileError{path,
                           "\"" + path + "\", line " + std::to_string(number) + ": " + why + "."};
    };
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return refuse("a setting is written \"key = value\"");
    const std::string_view key = trimmed(line.substr(0, equals));
    const std::string_view value = trimmed(line.substr(equals + 1));
    if (key != "lookup-address") return refuse("there is no setting \"" + std::string(key) + "\"");
    if (const auto problem = lookupAddressProblem(value)) {
      return refuse("the lookup-address \"" + std::string(value) + "\" " + *problem);
    }
    settings.lookupAddress = value;
  }
  return settings;
}

}  // namespace zelbor::editor
