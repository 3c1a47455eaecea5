// A picture of a window as it is on the screen, title bar and frame included,
// kept as a 24-bit BMP file (the test script turns it into PNG).
#pragma once

#include <windows.h>

#include <string>

// Copies the window's screen rectangle into `path`. False, with `error`
// saying why, when nothing was written.
bool CaptureWindow(HWND window, const std::wstring& path, std::string& error);
