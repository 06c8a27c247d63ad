#include "window_class.h"

namespace zelbor::win32 {

void registerWindowClass(const wchar_t* name, WNDPROC procedure, HBRUSH background) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = name;
  // A second registration fails with ERROR_CLASS_ALREADY_EXISTS, leaving the first in place.
  RegisterClassExW(&windowClass);
}

}  // namespace zelbor::win32
