// The resources zelbor_add_windows_resources() gives a program, as Windows itself reads them from
// this test's own executable: the version, every icon size, and the manifest taking effect.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "version.h"

namespace {

std::wstring ownPath() {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return path;
}

std::vector<char> versionInfo() {
  const std::wstring path = ownPath();
  DWORD ignored = 0;
  std::vector<char> info(GetFileVersionInfoSizeW(path.c_str(), &ignored));
  if (info.empty() ||
      !GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data())) {
    return {};
  }
  return info;
}

std::wstring versionString(std::vector<char>& info, const wchar_t* name) {
  void* value = nullptr;
  UINT length = 0;
  const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
  if (!VerQueryValueW(info.data(), key.c_str(), &value, &length) || length == 0) return {};
  return static_cast<const wchar_t*>(value);
}

std::wstring wide(std::string_view text) {
  return std::wstring(text.begin(), text.end());
}

TEST(WindowsResources, VersionResourceNamesTheProjectVersion) {
  std::vector<char> info = versionInfo();
  ASSERT_FALSE(info.empty()) << "no version resource";
  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", &value, &length));
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  const std::wstring numbers = std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
                               std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"." +
                               std::to_wstring(HIWORD(fixed->dwFileVersionLS));
  EXPECT_EQ(numbers, wide(zelbor::kVersion));
  EXPECT_EQ(versionString(info, L"FileVersion"), wide(zelbor::kVersion));
  EXPECT_EQ(versionString(info, L"ProductVersion"), wide(zelbor::kVersion));
  EXPECT_EQ(versionString(info, L"OriginalFilename"), L"windows_resources_tests.exe");
  EXPECT_EQ(versionString(info, L"FileDescription"), L"Resources test");
}

// The icon Windows picks for each size must be drawn at that size: 256 as PNG, the rest as
// bitmaps.
TEST(WindowsResources, IconHasEverySize) {
  HMODULE self = GetModuleHandleW(nullptr);
  HRSRC group = FindResourceW(self, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14));
  ASSERT_NE(group, nullptr) << "no icon";
  auto* directory = static_cast<BYTE*>(LockResource(LoadResource(self, group)));
  for (const int size : {16, 24, 32, 48, 64, 256}) {
    SCOPED_TRACE(size);
    const int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
    HRSRC icon = FindResourceW(self, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(3));
    ASSERT_NE(icon, nullptr);
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(self, icon)));
    if (size == 256) {
      EXPECT_EQ(std::memcmp(bytes, "\x89PNG", 4), 0);
    } else {
      BITMAPINFOHEADER header;
      std::memcpy(&header, bytes, sizeof header);
      EXPECT_EQ(header.biWidth, size);
      EXPECT_EQ(header.biHeight, 2 * size);  // the picture and its mask
    }
    HANDLE loaded = LoadImageW(self, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0);
    EXPECT_NE(loaded, nullptr);
    if (loaded != nullptr) DestroyIcon(static_cast<HICON>(loaded));
  }
}

// Without the manifest Windows hands out the old common controls from system32; with it, version 6
// from the side-by-side store. (Wine counts every program as DPI aware per monitor, so the
// manifest's DPI setting is checked on its text, by scripts/check-windows-programs.)
TEST(WindowsResources, ManifestGivesCommonControls6) {
  HMODULE controls = LoadLibraryW(L"comctl32.dll");
  ASSERT_NE(controls, nullptr);
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(controls, path.data(), static_cast<DWORD>(path.size())));
  CharLowerW(path.data());
  EXPECT_NE(path.find(L"microsoft.windows.common-controls_6595b64144ccf1df_6."), std::wstring::npos)
      << "comctl32 loaded from " << std::string(path.begin(), path.end());
}

}  // namespace
