#include "platform/win32/Win32Host.h"

// The header's macros have already turned names such as CreateFile into their
// wide forms on both sides of each definition; the calls spell the wide
// function out so that no narrow entry point is ever reached by accident.

DWORD Win32Host::GetLastError() { return ::GetLastError(); }

void Win32Host::SetLastError(DWORD error) { ::SetLastError(error); }

DWORD Win32Host::FormatMessage(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId,
                               LPWSTR buffer, DWORD size) {
    // The seam carries no argument list: callers ask for the system's text
    // with its inserts left as they are.
    return ::FormatMessageW(flags, source, messageId, languageId, buffer, size, nullptr);
}

BOOL Win32Host::GetVersionEx(OSVERSIONINFOEXW* info) {
    // Windows tells the extended record from the plain one by the size the
    // caller wrote into it; the plain record is its leading part.
    return ::GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(info));
}

LANGID Win32Host::GetUserDefaultLangID() { return ::GetUserDefaultLangID(); }

LANGID Win32Host::GetSystemDefaultLangID() { return ::GetSystemDefaultLangID(); }

HMODULE Win32Host::LoadLibrary(LPCWSTR fileName) { return ::LoadLibraryW(fileName); }

BOOL Win32Host::FreeLibrary(HMODULE module) { return ::FreeLibrary(module); }

FARPROC Win32Host::GetProcAddress(HMODULE module, LPCSTR procName) {
    return ::GetProcAddress(module, procName);
}

HMODULE Win32Host::GetModuleHandle(LPCWSTR moduleName) { return ::GetModuleHandleW(moduleName); }

DWORD Win32Host::GetModuleFileName(HMODULE module, LPWSTR fileName, DWORD size) {
    return ::GetModuleFileNameW(module, fileName, size);
}

HRSRC Win32Host::FindResourceEx(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language) {
    return ::FindResourceExW(module, type, name, language);
}

HGLOBAL Win32Host::LoadResource(HMODULE module, HRSRC resource) {
    return ::LoadResource(module, resource);
}

LPVOID Win32Host::LockResource(HGLOBAL data) { return ::LockResource(data); }

DWORD Win32Host::SizeofResource(HMODULE module, HRSRC resource) {
    return ::SizeofResource(module, resource);
}

HANDLE Win32Host::CreateFile(LPCWSTR fileName, DWORD access, DWORD shareMode,
                             SECURITY_ATTRIBUTES* security, DWORD disposition, DWORD flags,
                             HANDLE templateFile) {
    return ::CreateFileW(fileName, access, shareMode, security, disposition, flags, templateFile);
}

BOOL Win32Host::ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read,
                         OVERLAPPED* overlapped) {
    return ::ReadFile(file, buffer, toRead, read, overlapped);
}

BOOL Win32Host::WriteFile(HANDLE file, LPCVOID buffer, DWORD toWrite, LPDWORD written,
                          OVERLAPPED* overlapped) {
    return ::WriteFile(file, buffer, toWrite, written, overlapped);
}

BOOL Win32Host::WriteFileEx(HANDLE file, LPCVOID buffer, DWORD toWrite, OVERLAPPED* overlapped,
                            LPOVERLAPPED_COMPLETION_ROUTINE completion) {
    return ::WriteFileEx(file, buffer, toWrite, overlapped, completion);
}

BOOL Win32Host::CancelIo(HANDLE file) { return ::CancelIo(file); }

DWORD Win32Host::SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD method) {
    return ::SetFilePointer(file, distance, distanceHigh, method);
}

BOOL Win32Host::CloseHandle(HANDLE object) { return ::CloseHandle(object); }

DWORD Win32Host::GetFileAttributes(LPCWSTR fileName) { return ::GetFileAttributesW(fileName); }

BOOL Win32Host::SetFileAttributes(LPCWSTR fileName, DWORD attributes) {
    return ::SetFileAttributesW(fileName, attributes);
}

BOOL Win32Host::DeleteFile(LPCWSTR fileName) { return ::DeleteFileW(fileName); }

DWORD Win32Host::GetCurrentDirectory(DWORD size, LPWSTR buffer) {
    return ::GetCurrentDirectoryW(size, buffer);
}

BOOL Win32Host::DeviceIoControl(HANDLE device, DWORD code, LPVOID in, DWORD inSize, LPVOID out, DWORD outSize,
                                LPDWORD returned, OVERLAPPED* overlapped) {
    return ::DeviceIoControl(device, code, in, inSize, out, outSize, returned, overlapped);
}

HDEVINFO Win32Host::SetupDiGetClassDevs(const GUID* classGuid, LPCWSTR enumerator, HWND parent, DWORD flags) {
    return ::SetupDiGetClassDevsW(classGuid, enumerator, parent, flags);
}

BOOL Win32Host::SetupDiEnumDeviceInterfaces(HDEVINFO set, SP_DEVINFO_DATA* device, const GUID* classGuid,
                                            DWORD index, SP_DEVICE_INTERFACE_DATA* data) {
    return ::SetupDiEnumDeviceInterfaces(set, device, classGuid, index, data);
}

BOOL Win32Host::SetupDiGetDeviceInterfaceDetail(HDEVINFO set, SP_DEVICE_INTERFACE_DATA* data,
                                                SP_DEVICE_INTERFACE_DETAIL_DATA_W* detail, DWORD detailSize,
                                                LPDWORD required, SP_DEVINFO_DATA* device) {
    return ::SetupDiGetDeviceInterfaceDetailW(set, data, detail, detailSize, required, device);
}

BOOL Win32Host::SetupDiDestroyDeviceInfoList(HDEVINFO set) { return ::SetupDiDestroyDeviceInfoList(set); }

DWORD Win32Host::GetLogicalDrives() { return ::GetLogicalDrives(); }

UINT Win32Host::GetDriveType(LPCWSTR rootPath) { return ::GetDriveTypeW(rootPath); }

LONG Win32Host::RegOpenKeyEx(HKEY key, LPCWSTR subKey, DWORD options, REGSAM access,
                             HKEY* result) {
    return ::RegOpenKeyExW(key, subKey, options, access, result);
}

LONG Win32Host::RegCreateKeyEx(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR keyClass,
                               DWORD options, REGSAM access, SECURITY_ATTRIBUTES* security,
                               HKEY* result, LPDWORD disposition) {
    return ::RegCreateKeyExW(key, subKey, reserved, keyClass, options, access, security, result,
                             disposition);
}

LONG Win32Host::RegQueryValueEx(HKEY key, LPCWSTR valueName, LPDWORD reserved, LPDWORD type,
                                LPBYTE data, LPDWORD dataSize) {
    return ::RegQueryValueExW(key, valueName, reserved, type, data, dataSize);
}

LONG Win32Host::RegSetValueEx(HKEY key, LPCWSTR valueName, DWORD reserved, DWORD type,
                              const BYTE* data, DWORD dataSize) {
    return ::RegSetValueExW(key, valueName, reserved, type, data, dataSize);
}

LONG Win32Host::RegEnumKeyEx(HKEY key, DWORD index, LPWSTR name, LPDWORD nameSize,
                             LPDWORD reserved, LPWSTR keyClass, LPDWORD classSize,
                             FILETIME* lastWrite) {
    return ::RegEnumKeyExW(key, index, name, nameSize, reserved, keyClass, classSize, lastWrite);
}

LONG Win32Host::RegCloseKey(HKEY key) { return ::RegCloseKey(key); }

HANDLE Win32Host::CreateMutex(SECURITY_ATTRIBUTES* security, BOOL initialOwner, LPCWSTR name) {
    return ::CreateMutexW(security, initialOwner, name);
}

BOOL Win32Host::ReleaseMutex(HANDLE mutex) { return ::ReleaseMutex(mutex); }

HANDLE Win32Host::CreateEvent(SECURITY_ATTRIBUTES* security, BOOL manualReset, BOOL initialState,
                              LPCWSTR name) {
    return ::CreateEventW(security, manualReset, initialState, name);
}

BOOL Win32Host::SetEvent(HANDLE event) { return ::SetEvent(event); }

BOOL Win32Host::ResetEvent(HANDLE event) { return ::ResetEvent(event); }

DWORD Win32Host::WaitForSingleObject(HANDLE object, DWORD milliseconds) {
    return ::WaitForSingleObject(object, milliseconds);
}

DWORD Win32Host::WaitForSingleObjectEx(HANDLE object, DWORD milliseconds, BOOL alertable) {
    return ::WaitForSingleObjectEx(object, milliseconds, alertable);
}

DWORD Win32Host::MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds,
                                           DWORD wakeMask) {
    return ::MsgWaitForMultipleObjects(count, handles, waitAll, milliseconds, wakeMask);
}

HGLOBAL Win32Host::GlobalAlloc(UINT flags, SIZE_T bytes) { return ::GlobalAlloc(flags, bytes); }

HGLOBAL Win32Host::GlobalFree(HGLOBAL block) { return ::GlobalFree(block); }

void Win32Host::Sleep(DWORD milliseconds) { ::Sleep(milliseconds); }

DWORD Win32Host::GetTickCount() { return ::GetTickCount(); }

void Win32Host::GetLocalTime(SYSTEMTIME* time) { ::GetLocalTime(time); }

void Win32Host::GetSystemTimeAsFileTime(FILETIME* time) { ::GetSystemTimeAsFileTime(time); }

void Win32Host::SHChangeNotify(LONG eventId, UINT flags, LPCVOID item1, LPCVOID item2) {
    ::SHChangeNotify(eventId, flags, item1, item2);
}
