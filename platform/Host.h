// The operating-system services the programs use, in one interface.
//
// Every call keeps its Win32 name, arguments and conventions (BOOL plus the
// last error, INVALID_HANDLE_VALUE, predefined registry keys), so that code
// written against it reads one-to-one against the platform's documentation.
// Win32Host forwards each call to Windows; SimHost answers it from a
// simulated PC. The host object is handed down explicitly: no global.
//
// On Windows the platform headers turn names such as CreateFile into their
// wide forms (CreateFileW); every user of this header sees the same macros,
// so the renaming is consistent and harmless.
#pragma once

#include "WinTypes.h"

class Host {
public:
    virtual ~Host() = default;

    // --- Errors -----------------------------------------------------------
    virtual DWORD GetLastError() = 0;
    virtual void SetLastError(DWORD error) = 0;
    // Only FORMAT_MESSAGE_FROM_SYSTEM text into a caller's buffer is needed;
    // inserts are never expanded (pass FORMAT_MESSAGE_IGNORE_INSERTS).
    virtual DWORD FormatMessage(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId,
                                LPWSTR buffer, DWORD size) = 0;

    // --- Versions and languages -------------------------------------------
    // Fills the version record; dwOSVersionInfoSize must be set by the caller.
    virtual BOOL GetVersionEx(OSVERSIONINFOEXW* info) = 0;
    virtual LANGID GetUserDefaultLangID() = 0;
    virtual LANGID GetSystemDefaultLangID() = 0;

    // --- Modules and resources --------------------------------------------
    virtual HMODULE LoadLibrary(LPCWSTR fileName) = 0;
    virtual BOOL FreeLibrary(HMODULE module) = 0;
    virtual FARPROC GetProcAddress(HMODULE module, LPCSTR procName) = 0;
    // A null name gives the program's own module.
    virtual HMODULE GetModuleHandle(LPCWSTR moduleName) = 0;
    virtual DWORD GetModuleFileName(HMODULE module, LPWSTR fileName, DWORD size) = 0;
    virtual HRSRC FindResourceEx(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language) = 0;
    virtual HGLOBAL LoadResource(HMODULE module, HRSRC resource) = 0;
    virtual LPVOID LockResource(HGLOBAL data) = 0;
    virtual DWORD SizeofResource(HMODULE module, HRSRC resource) = 0;

    // --- Files --------------------------------------------------------------
    virtual HANDLE CreateFile(LPCWSTR fileName, DWORD access, DWORD shareMode,
                              SECURITY_ATTRIBUTES* security, DWORD disposition, DWORD flags,
                              HANDLE templateFile) = 0;
    virtual BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read,
                          OVERLAPPED* overlapped) = 0;
    virtual BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD toWrite, LPDWORD written,
                           OVERLAPPED* overlapped) = 0;
    // An overlapped write whose completion routine runs on the calling thread
    // during one of its alertable waits.
    virtual BOOL WriteFileEx(HANDLE file, LPCVOID buffer, DWORD toWrite, OVERLAPPED* overlapped,
                             LPOVERLAPPED_COMPLETION_ROUTINE completion) = 0;
    // Cancels the calling thread's pending transfers on the handle; their
    // completion routines still run, with ERROR_OPERATION_ABORTED.
    virtual BOOL CancelIo(HANDLE file) = 0;
    virtual DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD method) = 0;
    virtual BOOL CloseHandle(HANDLE object) = 0;
    virtual DWORD GetFileAttributes(LPCWSTR fileName) = 0;
    virtual BOOL SetFileAttributes(LPCWSTR fileName, DWORD attributes) = 0;
    virtual BOOL DeleteFile(LPCWSTR fileName) = 0;
    virtual DWORD GetCurrentDirectory(DWORD size, LPWSTR buffer) = 0;
    // Synchronous requests only: `overlapped` must be null.
    virtual BOOL DeviceIoControl(HANDLE device, DWORD code, LPVOID in, DWORD inSize, LPVOID out, DWORD outSize,
                                 LPDWORD returned, OVERLAPPED* overlapped) = 0;

    // --- Device interface lists (SetupAPI) -----------------------------------
    // Only lists of device interfaces are asked for (DIGCF_DEVICEINTERFACE).
    // The set is INVALID_HANDLE_VALUE on failure; its records are the
    // platform's own, their cbSize set by the caller to their sizeof.
    virtual HDEVINFO SetupDiGetClassDevs(const GUID* classGuid, LPCWSTR enumerator, HWND parent, DWORD flags) = 0;
    // ERROR_NO_MORE_ITEMS past the last interface.
    virtual BOOL SetupDiEnumDeviceInterfaces(HDEVINFO set, SP_DEVINFO_DATA* device, const GUID* classGuid,
                                             DWORD index, SP_DEVICE_INTERFACE_DATA* data) = 0;
    // Asked first without a record for the size (ERROR_INSUFFICIENT_BUFFER
    // with `required` set), then with a record of that size.
    virtual BOOL SetupDiGetDeviceInterfaceDetail(HDEVINFO set, SP_DEVICE_INTERFACE_DATA* data,
                                                 SP_DEVICE_INTERFACE_DETAIL_DATA_W* detail, DWORD detailSize,
                                                 LPDWORD required, SP_DEVINFO_DATA* device) = 0;
    virtual BOOL SetupDiDestroyDeviceInfoList(HDEVINFO set) = 0;

    // --- Drives -------------------------------------------------------------
    virtual DWORD GetLogicalDrives() = 0;
    virtual UINT GetDriveType(LPCWSTR rootPath) = 0;

    // --- Registry -----------------------------------------------------------
    // HKEY_DYN_DATA, the dynamic data of Windows 95, 98 and Me, opens only there.
    virtual LONG RegOpenKeyEx(HKEY key, LPCWSTR subKey, DWORD options, REGSAM access,
                              HKEY* result) = 0;
    virtual LONG RegCreateKeyEx(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR keyClass,
                                DWORD options, REGSAM access, SECURITY_ATTRIBUTES* security,
                                HKEY* result, LPDWORD disposition) = 0;
    virtual LONG RegQueryValueEx(HKEY key, LPCWSTR valueName, LPDWORD reserved, LPDWORD type,
                                 LPBYTE data, LPDWORD dataSize) = 0;
    virtual LONG RegSetValueEx(HKEY key, LPCWSTR valueName, DWORD reserved, DWORD type,
                               const BYTE* data, DWORD dataSize) = 0;
    virtual LONG RegEnumKeyEx(HKEY key, DWORD index, LPWSTR name, LPDWORD nameSize,
                              LPDWORD reserved, LPWSTR keyClass, LPDWORD classSize,
                              FILETIME* lastWrite) = 0;
    virtual LONG RegCloseKey(HKEY key) = 0;

    // --- Synchronisation ----------------------------------------------------
    virtual HANDLE CreateMutex(SECURITY_ATTRIBUTES* security, BOOL initialOwner, LPCWSTR name) = 0;
    virtual BOOL ReleaseMutex(HANDLE mutex) = 0;
    virtual HANDLE CreateEvent(SECURITY_ATTRIBUTES* security, BOOL manualReset, BOOL initialState,
                               LPCWSTR name) = 0;
    virtual BOOL SetEvent(HANDLE event) = 0;
    virtual BOOL ResetEvent(HANDLE event) = 0;
    virtual DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds) = 0;
    // Alertable: queued completion routines run first and end the wait with
    // WAIT_IO_COMPLETION.
    virtual DWORD WaitForSingleObjectEx(HANDLE object, DWORD milliseconds, BOOL alertable) = 0;
    // Waits for any of the objects (waitAll must be FALSE) or, with a wake
    // mask such as QS_ALLINPUT, for input to the thread's message queue:
    // WAIT_OBJECT_0 + count then.
    virtual DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds,
                                            DWORD wakeMask) = 0;

    // --- Memory that other code reaches by a 32-bit address -----------------
    // Blocks whose address fits 32 bits, as every block of a 32-bit process
    // does: the ASPI request and the DOS register record carry buffer
    // addresses in 32-bit fields. Only GMEM_FIXED, with or without
    // GMEM_ZEROINIT, is asked for; null, with the last error, on failure.
    virtual HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) = 0;
    // Null on success, the block on failure.
    virtual HGLOBAL GlobalFree(HGLOBAL block) = 0;

    // --- Time ---------------------------------------------------------------
    virtual void Sleep(DWORD milliseconds) = 0;
    virtual DWORD GetTickCount() = 0;
    virtual void GetLocalTime(SYSTEMTIME* time) = 0;
    virtual void GetSystemTimeAsFileTime(FILETIME* time) = 0;
    virtual BOOL FileTimeToLocalFileTime(const FILETIME* fileTime, FILETIME* localFileTime) = 0;
    virtual BOOL FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* systemTime) = 0;

    // --- Locale ---------------------------------------------------------------
    // The size in characters, terminator included, of the locale's text (with
    // a size of 0: how large a buffer it needs); 0 with the last error set
    // when there is none or the buffer is too small.
    virtual int GetLocaleInfo(LCID locale, LCTYPE type, LPWSTR data, int size) = 0;

    // --- Windows and messages -----------------------------------------------
    // Only what a hidden message window needs: its class, the window, and the
    // messages the system posts to it, which reach its procedure when the
    // thread that made it takes them from its queue and dispatches them.
    virtual ATOM RegisterClass(const WNDCLASSW* windowClass) = 0;
    virtual BOOL UnregisterClass(LPCWSTR className, HINSTANCE instance) = 0;
    virtual HWND CreateWindowEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                                int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                                LPVOID parameter) = 0;
    virtual BOOL DestroyWindow(HWND window) = 0;
    virtual LRESULT DefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual BOOL PeekMessage(MSG* message, HWND window, UINT first, UINT last, UINT remove) = 0;
    virtual LRESULT DispatchMessage(const MSG* message) = 0;

    // --- Audio mixer ------------------------------------------------------------
    // The records are bytes laid out as platform/MixerRecords.h documents;
    // the arrays a record points to on Windows come as arguments of their own.
    virtual UINT mixerGetNumDevs() = 0;
    // `format` is a wave format record (wave_format::kSize bytes).
    virtual MMRESULT waveOutOpen(HWAVEOUT* waveOut, UINT deviceId, const BYTE* format, DWORD_PTR callback,
                                 DWORD_PTR instance, DWORD flags) = 0;
    virtual MMRESULT waveOutClose(HWAVEOUT waveOut) = 0;
    virtual MMRESULT mixerGetID(HMIXEROBJ object, UINT* mixerId, DWORD flags) = 0;
    // With CALLBACK_WINDOW, `callback` is the window told of changes
    // (MM_MIXM_LINE_CHANGE, MM_MIXM_CONTROL_CHANGE with the control id).
    virtual MMRESULT mixerOpen(HMIXER* mixer, UINT mixerId, DWORD_PTR callback, DWORD_PTR instance,
                               DWORD flags) = 0;
    virtual MMRESULT mixerClose(HMIXER mixer) = 0;
    // `line` is a line record (mixer_line::kSize bytes), in and out.
    virtual MMRESULT mixerGetLineInfo(HMIXEROBJ mixer, BYTE* line, DWORD flags) = 0;
    // `request` is a control request (mixer_line_controls); `controls` the
    // array of its count of control records (mixer_control).
    virtual MMRESULT mixerGetLineControls(HMIXEROBJ mixer, BYTE* request, BYTE* controls, DWORD flags) = 0;
    // `request` is a details request (mixer_details); `values` the array of
    // items x channels values of 4 bytes.
    virtual MMRESULT mixerGetControlDetails(HMIXEROBJ mixer, const BYTE* request, BYTE* values, DWORD flags) = 0;
    virtual MMRESULT mixerSetControlDetails(HMIXEROBJ mixer, const BYTE* request, const BYTE* values,
                                            DWORD flags) = 0;

    // --- Shell ----------------------------------------------------------------
    // Tells the shell that an item changed; only paths (SHCNF_PATHW, possibly
    // with SHCNF_FLUSH) are passed.
    virtual void SHChangeNotify(LONG eventId, UINT flags, LPCVOID item1, LPCVOID item2) = 0;
    // The shell's own file operation (FO_MOVE, FO_COPY, FO_DELETE) with its
    // progress and confirmation windows over `owner`. `from` and `to` are
    // lists of paths, each ending in a zero and the list in one more; `to`
    // may be null for a deletion. The fields of the shell's operation record
    // come as arguments of their own; `anyAborted`, when given, tells
    // whether the user cancelled part of it. 0 on success.
    virtual int SHFileOperation(HWND owner, UINT function, LPCWSTR from, LPCWSTR to, WORD flags,
                                BOOL* anyAborted) = 0;
};
