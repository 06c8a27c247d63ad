#include "picture_box.h"

#include <wincodec.h>

#include "db/win32_text.h"

namespace zelbor::win32 {
namespace {

constexpr wchar_t kClassName[] = L"ZelborPictureBox";

// Releases a COM interface at the end of its scope.
template <class Interface>
class ComPointer {
 public:
  ComPointer() = default;
  ComPointer(const ComPointer&) = delete;
  ComPointer& operator=(const ComPointer&) = delete;
  ~ComPointer() {
    if (pointer_ != nullptr) pointer_->Release();
  }
  Interface* operator->() const { return pointer_; }
  Interface** put() { return &pointer_; }
  Interface* get() const { return pointer_; }

 private:
  Interface* pointer_ = nullptr;
};

// The picture in `path` as a top-down 32-bit bitmap, or null.
HBITMAP decodePicture(const std::wstring& path) {
  ComPointer<IWICImagingFactory> factory;
  ComPointer<IWICBitmapDecoder> decoder;
  ComPointer<IWICBitmapFrameDecode> frame;
  ComPointer<IWICFormatConverter> converter;
  UINT width = 0;
  UINT height = 0;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(factory.put()))) ||
      FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                WICDecodeMetadataCacheOnDemand, decoder.put())) ||
      FAILED(decoder->GetFrame(0, frame.put())) ||
      FAILED(factory->CreateFormatConverter(converter.put())) ||
      FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGR,
                                   WICBitmapDitherTypeNone, nullptr, 0,
                                   WICBitmapPaletteTypeCustom)) ||
      FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0) {
    return nullptr;
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = static_cast<LONG>(width);
  info.bmiHeader.biHeight = -static_cast<LONG>(height);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (bitmap == nullptr) return nullptr;
  const UINT stride = width * 4;
  if (FAILED(converter->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(pixels)))) {
    DeleteObject(bitmap);
    return nullptr;
  }
  return bitmap;
}

HBITMAP shownBitmap(HWND box) {
  return reinterpret_cast<HBITMAP>(GetWindowLongPtrW(box, GWLP_USERDATA));
}

void replaceBitmap(HWND box, HBITMAP bitmap) {
  if (HBITMAP old = shownBitmap(box)) DeleteObject(old);
  SetWindowLongPtrW(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(bitmap));
}

void paint(HWND box, HDC target) {
  RECT client{};
  GetClientRect(box, &client);
  FillRect(target, &client, GetSysColorBrush(COLOR_BTNFACE));
  HBITMAP bitmap = shownBitmap(box);
  if (bitmap == nullptr) return;
  BITMAP size{};
  GetObjectW(bitmap, sizeof size, &size);
  HDC source = CreateCompatibleDC(target);
  const HGDIOBJ old = SelectObject(source, bitmap);
  SetStretchBltMode(target, HALFTONE);
  StretchBlt(target, 0, 0, client.right, client.bottom, source, 0, 0, size.bmWidth, size.bmHeight,
             SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
}

LRESULT CALLBACK pictureProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT painting{};
      HDC target = BeginPaint(box, &painting);
      paint(box, target);
      EndPaint(box, &painting);
      return 0;
    }
    case WM_PRINTCLIENT:
      paint(box, reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_NCDESTROY:
      replaceBitmap(box, nullptr);
      break;
    default:
      break;
  }
  return DefWindowProcW(box, message, wParam, lParam);
}

void registerClass() {
  static const ATOM atom = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = pictureProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    return RegisterClassExW(&windowClass);
  }();
  (void)atom;
}

}  // namespace

HWND createPictureBox(HWND parent, int id, const RECT& bounds) {
  registerClass();
  return CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE, bounds.left, bounds.top,
                         bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleW(nullptr), nullptr);
}

void showPicture(HWND pictureBox, const std::string& path) {
  replaceBitmap(pictureBox, path.empty() ? nullptr : decodePicture(db::wideFromUtf8(path)));
  InvalidateRect(pictureBox, nullptr, TRUE);
}

bool hasPicture(HWND pictureBox) {
  return shownBitmap(pictureBox) != nullptr;
}

}  // namespace zelbor::win32
