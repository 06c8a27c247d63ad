#pragma once

#include <windows.h>

#include <string>

namespace zelbor::win32 {

// A child window showing a picture file stretched to its size, as the face picture is shown.
// Needs COM on the thread (the pictures are decoded by the Windows Imaging Component).
HWND createPictureBox(HWND parent, int id, const RECT& bounds);

// Shows the picture in `path`; an empty, missing or unreadable file shows an empty picture.
void showPicture(HWND pictureBox, const std::string& path);

// Whether `pictureBox` is showing a picture.
bool hasPicture(HWND pictureBox);

}  // namespace zelbor::win32
