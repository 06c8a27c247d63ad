#include "line_writer.h"

namespace zelbor::cli {

LineWriter::int_type LineWriter::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  const char text = traits_type::to_char_type(c);
  return xsputn(&text, 1) == 1 ? c : traits_type::eof();
}

std::streamsize LineWriter::xsputn(const char* text, std::streamsize count) {
  if (failed_) return 0;
  pending_.append(text, static_cast<std::size_t>(count));
  const std::size_t lastLineEnd = pending_.rfind('\n');
  if (lastLineEnd != std::string::npos && !pass(lastLineEnd + 1)) return 0;
  return count;
}

int LineWriter::sync() {
  return !failed_ && pass(pending_.size()) ? 0 : -1;
}

bool LineWriter::pass(std::size_t end) {
  if (end == 0) return true;
  failed_ = !sink_(std::string_view(pending_).substr(0, end));
  pending_.erase(0, end);
  return !failed_;
}

}  // namespace zelbor::cli
