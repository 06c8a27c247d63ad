#pragma once

#include <windows.h>

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "editor/messages.h"

namespace zelbor::win32 {

// The ids of a table window's caption and table (a list view in report mode); its buttons are
// IDOK and IDCANCEL.
inline constexpr int kTableCaptionId = 100;
inline constexpr int kTableId = 101;

// What a table window shows: `caption` above a table of `columns` and `rows`, an OK button
// carrying `okCaption` and a Cancel button carrying `cancelCaption`.
struct TableContent {
  std::string_view title;
  std::string caption;
  std::span<const std::string_view> columns;
  std::vector<std::vector<std::string>> rows = {};
  std::string_view okCaption;
  // OK is enabled, and the default, only with something to do; Cancel is the default otherwise.
  bool offerOk = true;
  std::string_view cancelCaption = editor::messages::kCancelButton;
  // A row is chosen: the first one starts highlighted and a double click on a row is OK.
  bool choosing = false;
};

// Shows `content` in a modal window over `owner`. Nothing on Cancel; on OK, the row highlighted
// then, -1 when none was.
std::optional<int> showTable(HWND owner, const TableContent& content);

}  // namespace zelbor::win32
