#pragma once

#include <functional>
#include <streambuf>
#include <string>
#include <string_view>

namespace zelbor::cli {

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
