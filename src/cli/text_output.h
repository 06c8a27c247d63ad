#pragma once

#include <functional>
#include <initializer_list>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

namespace zelbor::cli {

// A text as one tab-separated cell. Backslash, tab, line feed and carriage return are written as
// \\, \t, \n and \r: names may hold any byte, and a record must stay on its one line.
std::string tsvCell(std::string_view text);

// Writes one record: the cells, each as tsvCell, separated by tabs, and a line end.
void writeRow(std::ostream& out, std::initializer_list<std::string_view> cells);

// The shortest decimal text that reads back as the same float: "45.5", "0.1", "nan", "inf".
std::string shortestText(float value);

// A stream buffer that hands its sink whole lines, several at once where they come together: a
// console given part of a character shows it as garbage. Flushing hands over an unfinished line
// too. A failed sink fails the stream, and every write after it.
class LineWriter final : public std::streambuf {
 public:
  // Writes all the bytes given, or returns false.
  using Sink = std::function<bool(std::string_view)>;

  explicit LineWriter(Sink sink) : sink_(std::move(sink)) {}

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* text, std::streamsize count) override;
  int sync() override;

 private:
  // Hands the sink the pending bytes up to `end`.
  bool pass(std::size_t end);

  Sink sink_;
  std::string pending_;
  bool failed_ = false;
};

}  // namespace zelbor::cli
