#include "xlsx_reader.h"

#include <zip.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <memory>
#include <pugixml.hpp>
#include <set>

#include "db/text_codec.h"

namespace zelbor::exchange {
namespace {

// Far beyond any player sheet; a part claiming more is refused before it is inflated.
constexpr zip_uint64_t kLargestPart = 64u << 20;
constexpr int kLastRow = 1048576;
constexpr int kLastColumn = 16384;

struct Failure {
  std::string reason;
};

struct ArchiveCloser {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

struct EntryCloser {
  void operator()(zip_file_t* entry) const { zip_fclose(entry); }
};

std::string_view localName(const char* name) {
  std::string_view text(name);
  const auto colon = text.find(':');
  return colon == std::string_view::npos ? text : text.substr(colon + 1);
}

// Elements are matched by their name without a namespace prefix: writers differ in prefixes.
pugi::xml_node child(pugi::xml_node node, std::string_view name) {
  for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
    if (c.type() == pugi::node_element && localName(c.name()) == name) return c;
  }
  return {};
}

template <class Visit>
void forEachChild(pugi::xml_node node, std::string_view name, Visit&& visit) {
  for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
    if (c.type() == pugi::node_element && localName(c.name()) == name) visit(c);
  }
}

pugi::xml_attribute attribute(pugi::xml_node node, std::string_view name) {
  for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
    if (localName(a.name()) == name) return a;
  }
  return {};
}

std::string ownText(pugi::xml_node node) {
  std::string text;
  for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
    if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata) text += c.value();
  }
  return text;
}

// Characters XML cannot hold are written "_x0001_"; a literal "_x" sequence as "_x005F_x..".
std::string unescapeCharacters(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    unsigned code = 0;
    if (text.compare(i, 2, "_x") == 0 && i + 7 <= text.size() && text[i + 6] == '_') {
      const char* first = text.data() + i + 2;
      const auto [end, error] = std::from_chars(first, first + 4, code, 16);
      if (error == std::errc{} && end == first + 4 && (code < 0xD800 || code > 0xDFFF)) {
        out += db::utf8FromCodePoint(code);
        i += 7;
        continue;
      }
    }
    out += text[i++];
  }
  return out;
}

// A shared or inline string: its text, or its runs' texts, leaving out phonetic hints.
std::string stringItemText(pugi::xml_node item) {
  std::string text;
  for (pugi::xml_node c = item.first_child(); c; c = c.next_sibling()) {
    if (c.type() != pugi::node_element) continue;
    if (localName(c.name()) == "t") text += ownText(c);
    if (localName(c.name()) == "r") text += ownText(child(c, "t"));
  }
  return unescapeCharacters(text);
}

// The first reference to an entity other than XML's own five and character references, outside
// comments and CDATA sections. The parser would keep such a reference as its literal text.
std::optional<std::string> undefinedEntity(std::string_view xml) {
  static constexpr std::array<std::string_view, 5> kDefined = {"lt", "gt", "amp", "apos", "quot"};
  for (std::size_t i = 0; i < xml.size(); ++i) {
    for (const auto& [open, close] : {std::pair<std::string_view, std::string_view>{"<!--", "-->"},
                                      {"<![CDATA[", "]]>"}}) {
      if (xml.substr(i).starts_with(open)) i = std::min(xml.find(close, i), xml.size() - 1);
    }
    if (xml[i] != '&') continue;
    const std::string_view reference = xml.substr(i + 1, xml.find(';', i) - i - 1);
    if (!reference.starts_with('#') && std::ranges::find(kDefined, reference) == kDefined.end()) {
      return "&" + std::string(reference.substr(0, 20)) + ";";
    }
  }
  return std::nullopt;
}

class Workbook {
 public:
  explicit Workbook(zip_t* archive) : archive_(archive) {}

  // A part's bytes; none when the workbook has no such part.
  std::optional<std::string> part(std::string name) const {
    if (name.starts_with('/')) name.erase(0, 1);
    zip_stat_t stat;
    if (zip_stat(archive_, name.c_str(), ZIP_FL_NOCASE, &stat) != 0) return std::nullopt;
    if ((stat.valid & ZIP_STAT_SIZE) == 0 || stat.size > kLargestPart) {
      throw Failure{"the part " + name + " is too large"};
    }
    std::unique_ptr<zip_file_t, EntryCloser> entry(
        zip_fopen(archive_, name.c_str(), ZIP_FL_NOCASE));
    if (!entry) throw Failure{"the part " + name + " cannot be read: " + zip_strerror(archive_)};
    std::string bytes(stat.size, '\0');
    zip_uint64_t done = 0;
    while (done < stat.size) {
      const zip_int64_t n = zip_fread(entry.get(), bytes.data() + done, stat.size - done);
      if (n < 0) {
        throw Failure{"the part " + name + " cannot be read: " + zip_file_strerror(entry.get())};
      }
      if (n == 0) throw Failure{"the part " + name + " is cut short"};
      done += static_cast<zip_uint64_t>(n);
    }
    return bytes;
  }

  // The part parsed as XML; an empty document when the workbook has no such part.
  pugi::xml_document document(const std::string& name) const {
    pugi::xml_document document;
    const std::optional<std::string> bytes = part(name);
    if (!bytes) return document;
    if (const auto entity = undefinedEntity(*bytes)) {
      throw Failure{"the part " + name + " refers to the entity \"" + *entity +
                    "\", which XML does not define"};
    }
    const pugi::xml_parse_result parsed = document.load_buffer(
        bytes->data(), bytes->size(), pugi::parse_default | pugi::parse_ws_pcdata);
    if (!parsed) throw Failure{"the part " + name + " is not valid XML: " + parsed.description()};
    return document;
  }

 private:
  zip_t* archive_;
};

// Where the first sheet and the shared strings are; the usual places when the workbook does not
// say.
struct Relationships {
  std::string firstSheet = "xl/worksheets/sheet1.xml";
  std::string sharedStrings = "xl/sharedStrings.xml";
};

std::string partName(const std::string& target) {
  return target.starts_with('/') ? target.substr(1) : "xl/" + target;
}

Relationships relationships(const Workbook& workbook) {
  Relationships found;
  const pugi::xml_document book = workbook.document("xl/workbook.xml");
  const pugi::xml_node sheet = child(child(child(book, "workbook"), "sheets"), "sheet");
  const std::string sheetId = attribute(sheet, "id").value();
  const pugi::xml_document links = workbook.document("xl/_rels/workbook.xml.rels");
  forEachChild(child(links, "Relationships"), "Relationship", [&](pugi::xml_node link) {
    const std::string target = link.attribute("Target").value();
    const std::string_view type = link.attribute("Type").value();
    if (target.empty()) return;
    if (!sheetId.empty() && sheetId == link.attribute("Id").value()) {
      found.firstSheet = partName(target);
    } else if (type.ends_with("/sharedStrings")) {
      found.sharedStrings = partName(target);
    }
  });
  return found;
}

std::vector<std::string> sharedStrings(const Workbook& workbook, const std::string& name) {
  std::vector<std::string> strings;
  const pugi::xml_document document = workbook.document(name);
  forEachChild(child(document, "sst"), "si",
               [&](pugi::xml_node item) { strings.push_back(stringItemText(item)); });
  return strings;
}

// Column 1 as "B", column 26 as "AA".
std::string columnName(int column) {
  std::string name;
  for (int rest = column + 1; rest > 0; rest = (rest - 1) / 26) {
    name.insert(name.begin(), static_cast<char>('A' + (rest - 1) % 26));
  }
  return name;
}

// "B7" as column 1 and row 7; none for a reference without a row.
std::optional<std::pair<int, int>> cellPosition(std::string_view reference) {
  int column = 0;
  std::size_t i = 0;
  for (; i < reference.size() && reference[i] >= 'A' && reference[i] <= 'Z'; ++i) {
    column = column * 26 + (reference[i] - 'A' + 1);
    if (column > kLastColumn) return std::nullopt;
  }
  int row = 0;
  const auto [end, error] =
      std::from_chars(reference.data() + i, reference.data() + reference.size(), row);
  if (column == 0 || error != std::errc{} || end != reference.data() + reference.size() ||
      row < 1 || row > kLastRow) {
    return std::nullopt;
  }
  return std::pair{column - 1, row};
}

std::optional<std::string> cellText(pugi::xml_node cell, const std::vector<std::string>& strings,
                                    std::string_view reference) {
  const std::string_view type = cell.attribute("t").value();
  std::string text;
  if (type == "inlineStr") {
    text = stringItemText(child(cell, "is"));
  } else {
    const pugi::xml_node value = child(cell, "v");
    if (child(cell, "f") && (!value || ownText(value).empty())) {
      // What a script writes: the value exists only once a spreadsheet has calculated it. An
      // empty one is no value either, and would leave the field as stored without a word.
      throw Failure{"cell " + std::string(reference) +
                    " holds a formula without its calculated value; save the workbook in a "
                    "spreadsheet program first"};
    }
    if (!value) return std::nullopt;
    text = ownText(value);
    if (type == "s") {
      std::size_t index = 0;
      const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), index);
      if (error != std::errc{} || end != text.data() + text.size() || index >= strings.size()) {
        throw Failure{"a cell refers to shared string \"" + text + "\", which does not exist"};
      }
      text = strings[index];
    } else if (type == "str") {
      text = unescapeCharacters(text);
    } else if (type == "b") {
      text = text == "1" ? "TRUE" : "FALSE";
    }
  }
  if (text.empty()) return std::nullopt;
  return text;
}

std::vector<ImportRow> sheetRows(const Workbook& workbook) {
  const Relationships parts = relationships(workbook);
  const std::vector<std::string> strings = sharedStrings(workbook, parts.sharedStrings);
  const pugi::xml_document sheet = workbook.document(parts.firstSheet);
  const pugi::xml_node data = child(child(sheet, "worksheet"), "sheetData");
  if (!data) throw Failure{"it has no sheet"};

  std::vector<ImportRow> rows;
  int previousRow = 0;
  std::size_t allCells = 0;
  forEachChild(data, "row", [&](pugi::xml_node row) {
    ImportRow read;
    read.number = row.attribute("r").as_int(previousRow + 1);
    if (read.number < 1 || read.number > kLastRow) {
      throw Failure{"row number " + std::string(row.attribute("r").value()) + " is not a sheet's"};
    }
    int column = -1;
    std::set<int> seen;
    forEachChild(row, "c", [&](pugi::xml_node cell) {
      ++column;
      if (const pugi::xml_attribute reference = cell.attribute("r")) {
        const auto position = cellPosition(reference.value());
        if (!position || position->second != read.number) {
          throw Failure{"cell " + std::string(reference.value()) + " is not in row " +
                        std::to_string(read.number)};
        }
        column = position->first;
      }
      if (column >= kLastColumn)
        throw Failure{"row " + std::to_string(read.number) + " is too long"};
      const std::string reference = columnName(column) + std::to_string(read.number);
      if (!seen.insert(column).second) {
        throw Failure{"row " + std::to_string(read.number) + " holds cell " + reference +
                      " more than once"};
      }
      std::optional<std::string> text = cellText(cell, strings, reference);
      if (!text) return;
      if (read.cells.size() <= static_cast<std::size_t>(column)) read.cells.resize(column + 1);
      read.cells[column] = std::move(text);
      if (auto tooMany = cellLimitReason(read.number, 0, ++allCells)) throw Failure{*tooMany};
      const std::string_view type = cell.attribute("t").value();
      if (type.empty() || type == "n" || type == "d")
        read.numberCells.push_back(static_cast<std::size_t>(column));
      if (child(cell, "f")) read.formulaCells.push_back(static_cast<std::size_t>(column));
    });
    previousRow = read.number;
    rows.push_back(std::move(read));
  });
  return rows;
}

}  // namespace

db::Result<std::vector<ImportRow>> readXlsxFirstSheet(std::string_view bytes,
                                                      const std::string& path) {
  const auto failure = [&path](const std::string& reason) {
    return db::FileError{path, "Cannot read \"" + path + "\" as an xlsx workbook: " + reason + "."};
  };
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
  Archive archive(source == nullptr ? nullptr : zip_open_from_source(source, ZIP_RDONLY, &error));
  if (!archive) {
    if (source != nullptr) zip_source_free(source);
    const std::string reason = zip_error_strerror(&error);
    zip_error_fini(&error);
    return failure("it is not a zip archive (" + reason + ")");
  }
  zip_error_fini(&error);
  try {
    return sheetRows(Workbook(archive.get()));
  } catch (const Failure& f) {
    return failure(f.reason);
  }
}

}  // namespace zelbor::exchange
