#include "form_controls.h"

#include <commctrl.h>

#include <map>
#include <stdexcept>

#include "db/win32_text.h"
#include "design_font.h"
#include "dpi.h"
#include "link_label.h"
#include "picture_box.h"

namespace zelbor::win32 {

using forms::ControlKind;
using forms::ControlSpec;

namespace {

// Ids below 100 are left to the dialog keys (IDOK, IDCANCEL).
constexpr int kFirstId = 100;
// A drop-down list opens this far below its box.
constexpr int kDropDownTwips = 3000;

constexpr unsigned kFontLooks = forms::kBold | forms::kLargeText | forms::kWrapped | forms::kLink;

struct WindowKind {
  const wchar_t* className;
  DWORD style;
  DWORD extendedStyle;
  bool tabStop;
};

WindowKind labelKind(unsigned look) {
  DWORD style = SS_NOPREFIX;
  if ((look & forms::kCentred) != 0) {
    style |= SS_CENTER;
  } else {
    style |= (look & forms::kWrapped) != 0 ? SS_LEFT : SS_LEFTNOWORDWRAP;
  }
  if ((look & forms::kBordered) != 0) style |= WS_BORDER;
  const bool link = (look & forms::kLink) != 0;
  if (link) style |= SS_NOTIFY;
  return {WC_STATICW, style, 0, link};
}

WindowKind windowKind(const ControlSpec& row) {
  switch (row.kind) {
    case ControlKind::Frame:
      return {WC_BUTTONW, BS_GROUPBOX, 0, false};
    case ControlKind::Label:
      return labelKind(row.look);
    case ControlKind::TextBox:
      return {WC_EDITW,
              static_cast<DWORD>(ES_AUTOHSCROLL |
                                 ((row.look & forms::kCentred) != 0 ? ES_CENTER : ES_LEFT)),
              WS_EX_CLIENTEDGE, true};
    case ControlKind::ComboBox:
      return {WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL, 0, true};
    case ControlKind::ListBox:
      // Exactly the designed height, lines wider than the list cut.
      return {WC_LISTBOXW, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, WS_EX_CLIENTEDGE, true};
    case ControlKind::Picture:
      return {nullptr, 0, 0, false};
    case ControlKind::Outline:
      return {WC_STATICW, SS_BLACKFRAME, 0, false};
    case ControlKind::Slider:
      return {TRACKBAR_CLASSW, TBS_VERT, 0, true};
    case ControlKind::OptionButton:
      return {WC_BUTTONW, BS_AUTORADIOBUTTON, 0, true};
    case ControlKind::PushButton:
      return {WC_BUTTONW, BS_PUSHBUTTON, 0, true};
  }
  throw std::logic_error("Unknown control kind");
}

HWND createControl(HWND window, const ControlSpec& row, int id, bool startsGroup) {
  if (row.kind == ControlKind::Picture) return createPictureBox(window, id, RECT{});
  const WindowKind kind = windowKind(row);
  DWORD style = WS_CHILD | WS_VISIBLE | kind.style;
  if (kind.tabStop && startsGroup) style |= WS_TABSTOP;
  if (startsGroup) style |= WS_GROUP;
  HWND control =
      CreateWindowExW(kind.extendedStyle, kind.className, db::wideFromUtf8(row.caption).c_str(),
                      style, 0, 0, 0, 0, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                      GetModuleHandleW(nullptr), nullptr);
  if (row.kind == ControlKind::Label && (row.look & forms::kLink) != 0) makeLinkLabel(control);
  return control;
}

// A drop-down list's box is as high as its font makes it: its selection field is sized so that
// the box takes the designed height. Some systems add their own margin to the field's height
// asked for, so the request is corrected by what the box then measures.
void fitDropDownHeight(HWND combo, int height) {
  auto requested = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, -1, 0));
  for (int attempt = 0; attempt < 3; ++attempt) {
    RECT bounds{};
    GetWindowRect(combo, &bounds);
    const int missing = height - (bounds.bottom - bounds.top);
    if (missing == 0 || requested + missing <= 0) return;
    requested += missing;
    SendMessageW(combo, CB_SETITEMHEIGHT, -1, requested);
  }
}

}  // namespace

FormControls::FormControls(HWND window, const forms::FormSpec& form) {
  const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
  InitCommonControlsEx(&classes);
  std::map<std::string, forms::TwipsRect, std::less<>> frames;
  bool afterOption = false;
  for (const ControlSpec& row : form.controls) {
    forms::TwipsRect inWindow = row.rect;
    if (!row.parent.empty()) {
      const auto frame = frames.find(row.parent);
      if (frame == frames.end()) {
        throw std::logic_error(row.name + " is placed in " + row.parent + ", which comes later");
      }
      inWindow.left += frame->second.left;
      inWindow.top += frame->second.top;
    }
    if (row.kind == ControlKind::Frame) frames.emplace(row.name, inWindow);
    // Option buttons next to each other make one group, the arrow keys moving between them.
    const bool option = row.kind == ControlKind::OptionButton;
    const int id = kFirstId + static_cast<int>(controls_.size());
    HWND handle = createControl(window, row, id, !(option && afterOption));
    afterOption = option;
    controls_.push_back({row, inWindow, handle});
  }
}

FormControls::~FormControls() {
  deleteVariants();
}

const FormControls::Placed* FormControls::find(std::string_view designName) const {
  for (const Placed& placed : controls_) {
    if (placed.row.name == designName) return &placed;
  }
  return nullptr;
}

HWND FormControls::control(std::string_view designName) const {
  const Placed* placed = find(designName);
  return placed != nullptr ? placed->handle : nullptr;
}

int FormControls::id(std::string_view designName) const {
  const Placed* placed = find(designName);
  return placed != nullptr ? GetDlgCtrlID(placed->handle) : 0;
}

std::string_view FormControls::nameOf(int id) const {
  const int index = id - kFirstId;
  if (index < 0 || index >= static_cast<int>(controls_.size())) return {};
  return controls_[static_cast<size_t>(index)].row.name;
}

HFONT FormControls::fontFor(unsigned look, HFONT font, UINT dpi) {
  const unsigned fontLook = look & kFontLooks;
  if (fontLook == 0) return font;
  for (const auto& [variantLook, variant] : variants_) {
    if (variantLook == fontLook) return variant;
  }
  LOGFONTW described{};
  GetObjectW(font, sizeof described, &described);
  if ((fontLook & forms::kLargeText) != 0)
    described.lfHeight = fontHeight(forms::kLargePointSize, dpi);
  if ((fontLook & forms::kWrapped) != 0)
    described.lfHeight = fontHeight(forms::kTwoLinePointSize, dpi);
  if ((fontLook & forms::kBold) != 0) described.lfWeight = FW_BOLD;
  if ((fontLook & forms::kLink) != 0) described.lfUnderline = TRUE;
  described.lfWidth = 0;
  HFONT variant = CreateFontIndirectW(&described);
  variants_.emplace_back(fontLook, variant);
  return variant;
}

void FormControls::deleteVariants() {
  for (const auto& [look, variant] : variants_) DeleteObject(variant);
  variants_.clear();
}

void FormControls::place(UINT dpi, HFONT font) {
  // The controls take the new fonts before the old variants go.
  std::vector<std::pair<unsigned, HFONT>> old;
  old.swap(variants_);
  for (const Placed& placed : controls_) {
    const forms::TwipsRect& rect = placed.inWindow;
    const int height = pixelsFromTwips(rect.height, dpi);
    const bool dropDown = placed.row.kind == ControlKind::ComboBox;
    SendMessageW(placed.handle, WM_SETFONT,
                 reinterpret_cast<WPARAM>(fontFor(placed.row.look, font, dpi)), FALSE);
    SetWindowPos(placed.handle, nullptr, pixelsFromTwips(rect.left, dpi),
                 pixelsFromTwips(rect.top, dpi), pixelsFromTwips(rect.width, dpi),
                 dropDown ? height + pixelsFromTwips(kDropDownTwips, dpi) : height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (dropDown) fitDropDownHeight(placed.handle, height);
    InvalidateRect(placed.handle, nullptr, TRUE);
  }
  for (const auto& [look, variant] : old) DeleteObject(variant);
}

}  // namespace zelbor::win32
