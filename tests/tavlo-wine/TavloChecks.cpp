// Tavlo's start-up under Wine, on its test build: a second start brings the
// first window forward (restoring it when minimised) and ends; "/v" and
// "/V" show Quell's credits and end; without SkinRes.dll the program says
// so and ends; closing the window stores the work folder, and a tree with
// nothing selected stores nothing.
//
//   tavlo-checks TAVLO.EXE TAVLO-WITHOUT-SKIN.EXE
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <string>

#include "manager/app/ManagerControls.h"
#include "manager/app/ManagerStartup.h"
#include "tests/tavlo-wine/TavloProcess.h"

namespace {

const DWORD kWaitMs = 60000;
const wchar_t kMessageBoxClass[] = L"#32770";
const wchar_t kWorkFolderKey[] = L"SOFTWARE\\Merel";
const wchar_t kWorkFolderValue[] = L"WorkFolder";

int g_failures = 0;

void Check(bool good, const std::string& what) {
    std::printf("%s: %s\n", good ? "ok" : "FAILED", what.c_str());
    if (!good) ++g_failures;
}

bool ReadWorkFolder(std::wstring& value) {
    wchar_t text[256] = L"";
    DWORD size = sizeof text - sizeof(wchar_t);
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kWorkFolderKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    const bool read = ::RegQueryValueExW(key, kWorkFolderValue, nullptr, nullptr, reinterpret_cast<BYTE*>(text),
                                         &size) == ERROR_SUCCESS;
    ::RegCloseKey(key);
    value = text;
    return read;
}

void SetWorkFolder(const std::wstring* value) {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kWorkFolderKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        return;
    }
    if (value) {
        ::RegSetValueExW(key, kWorkFolderValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(value->c_str()),
                         static_cast<DWORD>((value->size() + 1) * sizeof(wchar_t)));
    } else {
        ::RegDeleteValueW(key, kWorkFolderValue);
    }
    ::RegCloseKey(key);
}

std::wstring MyComputerLabel() {
    LPITEMIDLIST drives = nullptr;
    SHFILEINFOW info = {};
    if (SUCCEEDED(::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &drives))) {
        ::SHGetFileInfoW(reinterpret_cast<LPCWSTR>(drives), 0, &info, sizeof info, SHGFI_PIDL | SHGFI_DISPLAYNAME);
        ::CoTaskMemFree(drives);
    }
    return info.szDisplayName;
}

void CloseMainWindow(HWND window) {
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(kCloseButton, BN_CLICKED), 0);
}

void SecondStart(const std::wstring& program) {
    TavloProcess first(program, L"");
    HWND window = first.WaitForWindow(kManagerWindowClass, kWaitMs);
    Check(window != nullptr, "the first copy shows its window");
    if (!window) return;
    HWND own = ::CreateWindowExW(0, L"STATIC", L"Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300,
                                 120, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::ShowWindow(window, SW_MINIMIZE);
    ::SetForegroundWindow(own);
    PumpFor(500);
    Check(::IsIconic(window) && ::GetForegroundWindow() == own, "the first copy is minimised, behind another");

    TavloProcess second(program, L"");
    DWORD code = 1;
    Check(second.WaitForExit(kWaitMs, code) && code == 0, "the second copy ends at once");
    PumpFor(500);
    Check(!::IsIconic(window), "the first copy's window is restored");
    Check(::GetForegroundWindow() == window, "the first copy's window is in front");
    ::DestroyWindow(own);
    CloseMainWindow(window);
    Check(first.WaitForExit(kWaitMs, code), "the first copy closes");
}

void Credits(const std::wstring& program, const wchar_t* argument) {
    const std::string name = Narrow(argument);
    TavloProcess tavlo(program, argument);
    HWND box = tavlo.WaitForWindow(kMessageBoxClass, kWaitMs);
    Check(box != nullptr, name + " shows a box");
    if (!box) return;
    const std::wstring texts = ChildTexts(box);
    Check(texts.find(L"Quell, the USB support library") != std::wstring::npos,
          name + " shows Quell's credits: " + Narrow(texts));
    Check(!::FindWindowW(kManagerWindowClass, nullptr), name + " shows no main window");
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    DWORD code = 1;
    Check(tavlo.WaitForExit(kWaitMs, code) && code == 0, name + ": the program ends once the box is closed");
}

void MissingSkin(const std::wstring& program) {
    TavloProcess tavlo(program, L"");
    HWND box = tavlo.WaitForWindow(kMessageBoxClass, kWaitMs);
    Check(box != nullptr, "without SkinRes.dll a box shows");
    if (!box) return;
    const std::wstring texts = ChildTexts(box);
    Check(texts.find(L"Unable to load resource DLL!") != std::wstring::npos,
          "it says \"Unable to load resource DLL!\": " + Narrow(texts));
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    DWORD code = 0;
    Check(tavlo.WaitForExit(kWaitMs, code) && code != 0, "and the program ends without a window");
}

void WorkFolder(const std::wstring& program) {
    SetWorkFolder(nullptr);
    {
        TavloProcess tavlo(program, L"");
        HWND window = tavlo.WaitForWindow(kManagerWindowClass, kWaitMs);
        Check(window != nullptr, "the window shows with no work folder stored");
        if (!window) return;
        CloseMainWindow(window);
        DWORD code = 1;
        Check(tavlo.WaitForExit(kWaitMs, code), "the window closes");
    }
    std::wstring stored;
    const bool read = ReadWorkFolder(stored);
    // My Computer is one of the tree's top-level nodes, the desktop's children.
    const std::wstring myComputer = MyComputerLabel();
    Check(read && !myComputer.empty() && stored == myComputer,
          "closing stores the tree's selection, My Computer, as the work folder: \"" + Narrow(stored) + "\"");

    const std::wstring kept = L"A Folder\\Not Here";
    SetWorkFolder(&kept);
    TavloProcess tavlo(program, L"");
    HWND window = tavlo.WaitForWindow(kManagerWindowClass, kWaitMs);
    if (!window) return Check(false, "the window shows again");
    HWND tree = ::GetDlgItem(window, kFolderTree);
    ::SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, 0);
    Check(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0) == 0, "the tree has nothing selected");
    CloseMainWindow(window);
    DWORD code = 1;
    Check(tavlo.WaitForExit(kWaitMs, code), "the window closes");
    const bool readAgain = ReadWorkFolder(stored);
    Check(readAgain && stored == kept, "a tree without selection stores nothing: \"" + Narrow(stored) + "\" is kept");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: tavlo-checks TAVLO.EXE TAVLO-WITHOUT-SKIN.EXE\n");
        return 2;
    }
    ::CoInitialize(nullptr);
    SecondStart(argv[1]);
    Credits(argv[1], L"/v");
    Credits(argv[1], L"/V");
    MissingSkin(argv[2]);
    WorkFolder(argv[1]);
    std::printf("%d check(s) failed\n", g_failures);
    return g_failures == 0 ? 0 : 1;
}
