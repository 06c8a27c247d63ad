#pragma once

#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>

namespace zelbor::exchange {

// A text as one tab-separated cell. Backslash, tab, line feed and carriage return are written as
// \\, \t, \n and \r: names may hold any byte, and a record must stay on its one line. A byte
// that is no part of UTF-8 (a path's, on Linux) is written as \xHH, so the output stays UTF-8.
std::string tsvCell(std::string_view text);

// Writes one record: the cells, each as tsvCell, separated by tabs, and a line end.
void writeRow(std::ostream& out, std::initializer_list<std::string_view> cells);

// The shortest decimal text that reads back as the same float: "45.5", "0.1", "nan", "inf".
std::string shortestText(float value);

}  // namespace zelbor::exchange
