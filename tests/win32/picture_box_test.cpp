#include "win32/picture_box.h"

#include <gtest/gtest.h>
#include <wincodec.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "db/win32_text.h"

namespace zelbor::win32 {
namespace {

// A solid JPEG of `width` x `height` in `colour` (0x00RRGGBB), written with the system's encoder.
void writeJpeg(const std::wstring& path, UINT width, UINT height, DWORD colour) {
  IWICImagingFactory* factory = nullptr;
  ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                            IID_PPV_ARGS(&factory)));
  IWICStream* stream = nullptr;
  IWICBitmapEncoder* encoder = nullptr;
  IWICBitmapFrameEncode* frame = nullptr;
  ASSERT_HRESULT_SUCCEEDED(factory->CreateStream(&stream));
  ASSERT_HRESULT_SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE));
  ASSERT_HRESULT_SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr, &encoder));
  ASSERT_HRESULT_SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache));
  ASSERT_HRESULT_SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr));
  ASSERT_HRESULT_SUCCEEDED(frame->Initialize(nullptr));
  ASSERT_HRESULT_SUCCEEDED(frame->SetSize(width, height));
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  ASSERT_HRESULT_SUCCEEDED(frame->SetPixelFormat(&format));
  std::vector<BYTE> pixels;
  for (UINT i = 0; i < width * height; ++i) {
    pixels.insert(pixels.end(), {GetBValue(colour), GetGValue(colour), GetRValue(colour)});
  }
  ASSERT_HRESULT_SUCCEEDED(
      frame->WritePixels(height, width * 3, static_cast<UINT>(pixels.size()), pixels.data()));
  ASSERT_HRESULT_SUCCEEDED(frame->Commit());
  ASSERT_HRESULT_SUCCEEDED(encoder->Commit());
  frame->Release();
  encoder->Release();
  stream->Release();
  factory->Release();
}

class PictureBoxTest : public testing::Test {
 protected:
  void SetUp() override {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"zelbor pictures \u00E9";
    CreateDirectoryW(folder_.c_str(), nullptr);
    window_ = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    box_ = createPictureBox(window_, 1, RECT{0, 0, 60, 90});
    ASSERT_NE(box_, nullptr);
  }
  void TearDown() override {
    DestroyWindow(window_);
    CoUninitialize();
  }

  // The colour painted at (x, y) of the box, as 0x00RRGGBB.
  COLORREF paintedAt(int x, int y) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 60, 90);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    SendMessageW(box_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    const COLORREF colour = GetPixel(memory, x, y);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return colour;
  }

  std::wstring folder_;
  HWND window_ = nullptr;
  HWND box_ = nullptr;
};

bool closeTo(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) < 12 && std::abs(GetGValue(a) - GetGValue(b)) < 12 &&
         std::abs(GetBValue(a) - GetBValue(b)) < 12;
}

TEST_F(PictureBoxTest, AJpegIsStretchedOverTheWholeBox) {
  const std::wstring path = folder_ + L"\\12.jpg";
  writeJpeg(path, 4, 3, RGB(200, 40, 30));
  showPicture(box_, db::utf8FromWide(path));
  ASSERT_TRUE(hasPicture(box_));
  for (const POINT point : {POINT{0, 0}, POINT{30, 45}, POINT{59, 89}}) {
    EXPECT_TRUE(closeTo(paintedAt(point.x, point.y), RGB(200, 40, 30)))
        << point.x << "," << point.y;
  }
}

TEST_F(PictureBoxTest, MissingOrUnreadableFilesShowAnEmptyPicture) {
  const std::wstring path = folder_ + L"\\1.jpg";
  writeJpeg(path, 4, 3, RGB(200, 40, 30));
  const std::wstring notAPicture = folder_ + L"\\2.jpg";
  std::ofstream(notAPicture.c_str()) << "not a picture";
  for (const std::string& shown :
       {std::string(), db::utf8FromWide(folder_ + L"\\-1.jpg"), db::utf8FromWide(notAPicture)}) {
    showPicture(box_, db::utf8FromWide(path));
    showPicture(box_, shown);
    EXPECT_FALSE(hasPicture(box_)) << shown;
    EXPECT_FALSE(closeTo(paintedAt(30, 45), RGB(200, 40, 30))) << shown;
  }
}

}  // namespace
}  // namespace zelbor::win32
