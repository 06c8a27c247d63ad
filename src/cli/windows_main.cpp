// zelbor-db.exe: arguments arrive as UTF-16 and are passed on as UTF-8; output is UTF-8.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <iostream>

#include "cli/cli.h"
#include "cli/line_writer.h"
#include "db/win32_io.h"
#include "db/win32_program_folder.h"
#include "db/win32_text.h"

namespace {

// The console shows the UTF-8 output while the program runs; its own code page comes back after.
class Utf8Console {
 public:
  Utf8Console() : codePage_(::GetConsoleOutputCP()) {
    if (codePage_ != 0) ::SetConsoleOutputCP(CP_UTF8);
  }
  ~Utf8Console() {
    if (codePage_ != 0) ::SetConsoleOutputCP(codePage_);
  }
  Utf8Console(const Utf8Console&) = delete;
  Utf8Console& operator=(const Utf8Console&) = delete;

 private:
  UINT codePage_;
};

// A standard stream written a whole line at a time straight to its handle, as the console needs
// to show UTF-8; the stream it stood in for comes back after.
class WholeLines {
 public:
  WholeLines(std::ostream& stream, DWORD handleNumber)
      : stream_(stream),
        writer_([handleNumber](std::string_view bytes) {
          const HANDLE handle = ::GetStdHandle(handleNumber);
          return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
                 zelbor::db::writeAll(handle, zelbor::db::bytesOf(bytes)) == 0;
        }),
        replaced_(stream.rdbuf(&writer_)),
        flags_(stream.flags()) {
    // A flush after every insertion would break lines apart.
    stream.unsetf(std::ios::unitbuf);
  }
  ~WholeLines() {
    stream_.flush();
    stream_.rdbuf(replaced_);
    stream_.flags(flags_);
  }
  WholeLines(const WholeLines&) = delete;
  WholeLines& operator=(const WholeLines&) = delete;

 private:
  std::ostream& stream_;
  zelbor::cli::LineWriter writer_;
  std::streambuf* replaced_;
  std::ios::fmtflags flags_;
};

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
  const Utf8Console console;
  // Bytes pass unchanged, as on every other system: input is read as it is, and output goes
  // straight to the handles, its lines ending in a line feed alone.
  _setmode(_fileno(stdin), _O_BINARY);
  const WholeLines out(std::cout, STD_OUTPUT_HANDLE);
  const WholeLines err(std::cerr, STD_ERROR_HANDLE);
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(zelbor::db::utf8FromWide(argv[i]));
  return zelbor::cli::runCli(
      arguments, std::cout, std::cerr,
      {zelbor::db::systemFileSystem(), zelbor::db::programFolder().utf8(), &std::cin});
}
