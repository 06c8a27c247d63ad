#include "table_dialog.h"

#include <commctrl.h>

#include <algorithm>

#include "db/win32_text.h"
#include "forms/exchange_texts.h"
#include "modal_dialog.h"

namespace zelbor::win32 {
namespace {

class TableWindow final : public ModalDialog {
 public:
  explicit TableWindow(const TableContent& content)
      : ModalDialog(forms::exchange_texts::kTableWindowWidth,
                    forms::exchange_texts::kTableWindowHeight),
        content_(content) {}

  int chosenRow() const { return chosenRow_; }

 private:
  void created() override {
    caption_ = addControl(WC_STATICW, content_.caption, SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL,
                          kTableCaptionId);
    table_ =
        addControl(WC_LISTVIEWW, "", WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                   kTableId, WS_EX_CLIENTEDGE);
    SendMessageW(table_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    fillTable();
    ok_ = addButton(content_.okCaption, IDOK, content_.offerOk);
    addButton(content_.cancelCaption, IDCANCEL, !content_.offerOk);
    EnableWindow(ok_, content_.offerOk ? TRUE : FALSE);
    setDefaultButton(content_.offerOk ? IDOK : IDCANCEL);
  }

  void fillTable() {
    for (std::size_t i = 0; i < content_.columns.size(); ++i) {
      std::wstring header = db::wideFromUtf8(content_.columns[i]);
      LVCOLUMNW column{};
      column.mask = LVCF_TEXT | LVCF_SUBITEM;
      column.pszText = header.data();
      column.iSubItem = static_cast<int>(i);
      SendMessageW(table_, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
    for (std::size_t row = 0; row < content_.rows.size(); ++row) {
      const std::vector<std::string>& cells = content_.rows[row];
      for (std::size_t i = 0; i < cells.size() && i < content_.columns.size(); ++i) {
        std::wstring text = db::wideFromUtf8(cells[i]);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(row);
        item.iSubItem = static_cast<int>(i);
        item.pszText = text.data();
        SendMessageW(table_, i == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, row,
                     reinterpret_cast<LPARAM>(&item));
      }
    }
    if (content_.choosing && !content_.rows.empty()) {
      LVITEMW state{};
      state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
      state.state = LVIS_SELECTED | LVIS_FOCUSED;
      SendMessageW(table_, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
    }
  }

  void place() override {
    const SIZE client = clientSize();
    const int space = margin();
    const int width = client.cx - 2 * space;
    // The caption is as tall as its wrapped lines, at most half the window.
    RECT text{0, 0, width, 0};
    HDC context = GetDC(caption_);
    HGDIOBJ previous = SelectObject(context, font());
    const std::wstring caption = db::wideFromUtf8(content_.caption);
    DrawTextW(context, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
    SelectObject(context, previous);
    ReleaseDC(caption_, context);
    const int captionHeight = std::min<int>(text.bottom, client.cy / 2);
    MoveWindow(caption_, space, space, width, captionHeight, TRUE);
    const int buttonTop = placeButtons();
    const int tableTop = 2 * space + captionHeight;
    MoveWindow(table_, space, tableTop, width, buttonTop - space - tableTop, TRUE);
    sizeColumns();
  }

  // Each column as wide as its header and its widest cell, measured in the design font: the list
  // view's own sizing leaves the header out under Wine and cuts it ("Te...").
  void sizeColumns() {
    HDC context = GetDC(table_);
    HGDIOBJ previous = SelectObject(context, font());
    const auto textWidth = [&](std::string_view text) {
      const std::wstring wide = db::wideFromUtf8(text);
      SIZE size{};
      GetTextExtentPoint32W(context, wide.c_str(), static_cast<int>(wide.size()), &size);
      return static_cast<int>(size.cx);
    };
    // Room for the margins the header and the cells draw their texts with.
    const int padding = pixels(kColumnPaddingTwips);
    for (std::size_t i = 0; i < content_.columns.size(); ++i) {
      int width = textWidth(content_.columns[i]);
      for (const std::vector<std::string>& cells : content_.rows) {
        if (i < cells.size()) width = std::max(width, textWidth(cells[i]));
      }
      SendMessageW(table_, LVM_SETCOLUMNWIDTH, i, MAKELPARAM(width + padding, 0));
    }
    SelectObject(context, previous);
    ReleaseDC(table_, context);
  }

  static constexpr int kColumnPaddingTwips = 300;

  bool command(int id, int) override {
    if (id != IDOK) return false;
    // Enter or a stray OK while there is nothing to apply does nothing.
    if (!content_.offerOk) return true;
    chosenRow_ = static_cast<int>(SendMessageW(table_, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
    return false;
  }

  void notify(const NMHDR& header) override {
    if (header.hwndFrom != table_ || header.code != NM_DBLCLK || !content_.choosing) return;
    if (reinterpret_cast<const NMITEMACTIVATE&>(header).iItem < 0) return;
    SendMessageW(dialog(), WM_COMMAND, IDOK, 0);
  }

  const TableContent& content_;
  HWND caption_ = nullptr;
  HWND table_ = nullptr;
  HWND ok_ = nullptr;
  int chosenRow_ = -1;
};

}  // namespace

std::optional<int> showTable(HWND owner, const TableContent& content) {
  TableWindow window(content);
  if (window.run(owner, content.title) != IDOK) return std::nullopt;
  return window.chosenRow();
}

}  // namespace zelbor::win32
