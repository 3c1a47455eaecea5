// Quell.dll, the USB support library: the functions it exports by name,
// with the cdecl convention and the framework's string, window, bitmap and
// device-context classes in their signatures, so a caller builds against
// the same framework. Strings Quell fills live on the process heap, where
// the caller's copy of the framework frees them.
#pragma once

#include <windows.h>

#include "framework/Bitmap.h"
#include "framework/DeviceContext.h"
#include "framework/String.h"
#include "framework/Window.h"

#ifdef QUELL_BUILDING
#define QUELL_API __declspec(dllexport)
#else
#define QUELL_API __declspec(dllimport)
#endif

// The searching dialog's settings, per process, 0 until set.
QUELL_API void __cdecl SetVidPid(int vendor, int product);
QUELL_API void __cdecl SetCheckSpeed(int milliseconds);
QUELL_API void __cdecl SetSpeedMaxValue(int ticks);

// The number (from 1) of the USB hub the device is on; 0 when it is on none.
QUELL_API int __cdecl QCheckUsbDevice(unsigned int vendor, unsigned int product);
// The searching dialog: 1 when it found the device set by SetVidPid, else 0.
QUELL_API int __cdecl IsUsbConnect();
// The drive number (A = 1) of the first drive whose device identification
// holds both texts, or 0; `roots` gets the roots of all such drives ("E:\F:\").
QUELL_API int __cdecl QGetUSbDrivers(CString& roots, CString first, CString second);
// The Windows version code (0 Win32s ... 7 XP, 8 other NT, -1 unknown).
QUELL_API int __cdecl QGetOSVer();
// 1 Chinese (PRC), 2 Chinese (Taiwan), 3 other, 0xFFFFFFFF no language.
QUELL_API unsigned int __cdecl QGetLangID();
// How many processes have the library loaded.
QUELL_API unsigned int __cdecl QGetRunCount();
// Shows the credit message box; 1 once it is closed.
QUELL_API int __cdecl QGetCopyRight();

// The region of the pixels that are not of the colour (within the
// tolerance, per component); null for a null bitmap or on failure.
QUELL_API HRGN __cdecl BitmapToRegion(HBITMAP bitmap, unsigned long colour, unsigned long tolerance);
// The same, pixel by pixel, with no tolerance: for small bitmaps.
QUELL_API HRGN __cdecl CreateRgnFromBitmap(HBITMAP bitmap, unsigned long colour);
// Gives the window the bitmap's outline, white cut out.
QUELL_API void __cdecl QWndSetupBmp(CWnd* window, CBitmap& bitmap);
// `destination` takes a copy of the source's rectangle.
QUELL_API void __cdecl CopyBitmap(CDC* reference, CBitmap& destination, const CBitmap& source, RECT rect);
