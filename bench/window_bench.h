#pragma once

#include <string>

namespace zelbor::bench {

// The process a start-up benchmark measures: a QApplication that shows an empty main window
// ("empty"), one holding a single label ("label") or the editor on `databasePath` ("editor"),
// draws it once and ends; or that ends once the editor's window is built ("built") or once the
// editor has started on `databasePath`, before anything is shown ("started").
int runStartupProbe(const std::string& kind, const std::string& databasePath, int argc,
                    char* argv[]);

}  // namespace zelbor::bench
