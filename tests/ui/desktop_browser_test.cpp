#include <gtest/gtest.h>

#include <QByteArray>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/temp_file.h"
#include "ui/desktop_browser.h"

namespace zelbor::testing {
namespace {

// Sets an environment variable for one scope, or removes it when `value` is null.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name), had_(qEnvironmentVariableIsSet(name)) {
    old_ = qgetenv(name);
    if (value != nullptr) {
      qputenv(name, value);
    } else {
      qunsetenv(name);
    }
  }
  ~ScopedVariable() {
    if (had_) {
      qputenv(name_, old_);
    } else {
      qunsetenv(name_);
    }
  }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  const char* name_;
  bool had_;
  QByteArray old_;
};

std::string contentsOf(const std::string& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The desktop's handler is looked for on PATH: without one, open says no browser started; with
// one, the handler gets the address byte for byte.
TEST(DesktopBrowser, SaysWhenNoHandlerStartsAndHandsTheAddressToOne) {
  TempDir dir;
  const ScopedVariable path("PATH", dir.path().c_str());
  const ScopedVariable browser("BROWSER", nullptr);
  const ScopedVariable defaultBrowser("DEFAULT_BROWSER", nullptr);
  const std::string address = "http://example.com/search.html?search=Ren%C3%A9+O%27Neil";
  ui::DesktopBrowser desktop;
  EXPECT_FALSE(desktop.open(address));

  const std::string handed = dir.file("handed");
  {
    std::ofstream handler(dir.file("xdg-open"));
    handler << "#!/bin/sh\nprintf '%s' \"$1\" > '" << handed << ".part' && mv '" << handed
            << ".part' '" << handed << "'\n";
  }
  std::filesystem::permissions(dir.file("xdg-open"), std::filesystem::perms::owner_all);
  EXPECT_TRUE(desktop.open(address));
  EXPECT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(handed); }, 10000));
  EXPECT_EQ(contentsOf(handed), address);
}

}  // namespace
}  // namespace zelbor::testing
