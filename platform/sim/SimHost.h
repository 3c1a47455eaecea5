// One program running on the simulated PC: a process with its own handles,
// modules, current folder and last errors (one per thread, as on Windows),
// answering every host call the way Windows would, failures included.
//
// Several SimHosts on one SimMachine are several programs on one PC: they
// share its drives, registry, named objects and clock. Destroying a SimHost
// ends the process: its handles close and the mutexes it owns are abandoned.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/Host.h"
#include "platform/sim/PeImage.h"
#include "platform/sim/SimCompletions.h"
#include "platform/sim/SimHandles.h"
#include "platform/sim/SimMachine.h"

class SimHost : public Host {
public:
    // `programPath` is the program's Windows path ("C:\Caddis\Caddis.exe");
    // its folder is the current folder and the first place LoadLibrary looks.
    SimHost(SimMachine& machine, const std::wstring& programPath);
    ~SimHost() override;
    SimHost(const SimHost&) = delete;
    SimHost& operator=(const SimHost&) = delete;

    // Gives the program's own module the resources of a resource library
    // image (the natively built programs carry their resources that way).
    // False, and no change, when the bytes are no valid image.
    bool SetProgramImage(const unsigned char* bytes, size_t size);
    SimMachine& Machine() { return machine_; }

    DWORD GetLastError() override;
    void SetLastError(DWORD error) override;
    DWORD FormatMessage(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPWSTR buffer,
                        DWORD size) override;

    BOOL GetVersionEx(OSVERSIONINFOEXW* info) override;
    LANGID GetUserDefaultLangID() override;
    LANGID GetSystemDefaultLangID() override;

    HMODULE LoadLibrary(LPCWSTR fileName) override;
    BOOL FreeLibrary(HMODULE module) override;
    FARPROC GetProcAddress(HMODULE module, LPCSTR procName) override;
    HMODULE GetModuleHandle(LPCWSTR moduleName) override;
    DWORD GetModuleFileName(HMODULE module, LPWSTR fileName, DWORD size) override;
    HRSRC FindResourceEx(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language) override;
    HGLOBAL LoadResource(HMODULE module, HRSRC resource) override;
    LPVOID LockResource(HGLOBAL data) override;
    DWORD SizeofResource(HMODULE module, HRSRC resource) override;

    HANDLE CreateFile(LPCWSTR fileName, DWORD access, DWORD shareMode, SECURITY_ATTRIBUTES* security,
                      DWORD disposition, DWORD flags, HANDLE templateFile) override;
    BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, OVERLAPPED* overlapped) override;
    BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD toWrite, LPDWORD written, OVERLAPPED* overlapped) override;
    BOOL WriteFileEx(HANDLE file, LPCVOID buffer, DWORD toWrite, OVERLAPPED* overlapped,
                     LPOVERLAPPED_COMPLETION_ROUTINE completion) override;
    BOOL CancelIo(HANDLE file) override;
    DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD method) override;
    BOOL CloseHandle(HANDLE object) override;
    DWORD GetFileAttributes(LPCWSTR fileName) override;
    BOOL SetFileAttributes(LPCWSTR fileName, DWORD attributes) override;
    BOOL DeleteFile(LPCWSTR fileName) override;
    DWORD GetCurrentDirectory(DWORD size, LPWSTR buffer) override;
    BOOL DeviceIoControl(HANDLE device, DWORD code, LPVOID in, DWORD inSize, LPVOID out, DWORD outSize,
                         LPDWORD returned, OVERLAPPED* overlapped) override;

    HDEVINFO SetupDiGetClassDevs(const GUID* classGuid, LPCWSTR enumerator, HWND parent, DWORD flags) override;
    BOOL SetupDiEnumDeviceInterfaces(HDEVINFO set, SP_DEVINFO_DATA* device, const GUID* classGuid, DWORD index,
                                     SP_DEVICE_INTERFACE_DATA* data) override;
    BOOL SetupDiGetDeviceInterfaceDetail(HDEVINFO set, SP_DEVICE_INTERFACE_DATA* data,
                                         SP_DEVICE_INTERFACE_DETAIL_DATA_W* detail, DWORD detailSize,
                                         LPDWORD required, SP_DEVINFO_DATA* device) override;
    BOOL SetupDiDestroyDeviceInfoList(HDEVINFO set) override;

    DWORD GetLogicalDrives() override;
    UINT GetDriveType(LPCWSTR rootPath) override;

    LONG RegOpenKeyEx(HKEY key, LPCWSTR subKey, DWORD options, REGSAM access, HKEY* result) override;
    LONG RegCreateKeyEx(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR keyClass, DWORD options, REGSAM access,
                        SECURITY_ATTRIBUTES* security, HKEY* result, LPDWORD disposition) override;
    LONG RegQueryValueEx(HKEY key, LPCWSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                         LPDWORD dataSize) override;
    LONG RegSetValueEx(HKEY key, LPCWSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                       DWORD dataSize) override;
    LONG RegEnumKeyEx(HKEY key, DWORD index, LPWSTR name, LPDWORD nameSize, LPDWORD reserved, LPWSTR keyClass,
                      LPDWORD classSize, FILETIME* lastWrite) override;
    LONG RegCloseKey(HKEY key) override;

    HANDLE CreateMutex(SECURITY_ATTRIBUTES* security, BOOL initialOwner, LPCWSTR name) override;
    BOOL ReleaseMutex(HANDLE mutex) override;
    HANDLE CreateEvent(SECURITY_ATTRIBUTES* security, BOOL manualReset, BOOL initialState, LPCWSTR name) override;
    BOOL SetEvent(HANDLE event) override;
    BOOL ResetEvent(HANDLE event) override;
    DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds) override;
    DWORD WaitForSingleObjectEx(HANDLE object, DWORD milliseconds, BOOL alertable) override;
    // The simulated PC has no window messages: the wake mask never ends a wait.
    DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds,
                                    DWORD wakeMask) override;

    // Blocks of the PC's memory below 4 GiB (SimMachine::LowMemory).
    HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) override;
    HGLOBAL GlobalFree(HGLOBAL block) override;

    void Sleep(DWORD milliseconds) override;
    DWORD GetTickCount() override;
    void GetLocalTime(SYSTEMTIME* time) override;
    void GetSystemTimeAsFileTime(FILETIME* time) override;
    BOOL FileTimeToLocalFileTime(const FILETIME* fileTime, FILETIME* localFileTime) override;
    BOOL FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* systemTime) override;

    int GetLocaleInfo(LCID locale, LCTYPE type, LPWSTR data, int size) override;

    ATOM RegisterClass(const WNDCLASSW* windowClass) override;
    BOOL UnregisterClass(LPCWSTR className, HINSTANCE instance) override;
    HWND CreateWindowEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                        int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID parameter) override;
    BOOL DestroyWindow(HWND window) override;
    LRESULT DefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PeekMessage(MSG* message, HWND window, UINT first, UINT last, UINT remove) override;
    LRESULT DispatchMessage(const MSG* message) override;

    UINT mixerGetNumDevs() override;
    MMRESULT waveOutOpen(HWAVEOUT* waveOut, UINT deviceId, const BYTE* format, DWORD_PTR callback,
                         DWORD_PTR instance, DWORD flags) override;
    MMRESULT waveOutClose(HWAVEOUT waveOut) override;
    MMRESULT mixerGetID(HMIXEROBJ object, UINT* mixerId, DWORD flags) override;
    MMRESULT mixerOpen(HMIXER* mixer, UINT mixerId, DWORD_PTR callback, DWORD_PTR instance, DWORD flags) override;
    MMRESULT mixerClose(HMIXER mixer) override;
    MMRESULT mixerGetLineInfo(HMIXEROBJ mixer, BYTE* line, DWORD flags) override;
    MMRESULT mixerGetLineControls(HMIXEROBJ mixer, BYTE* request, BYTE* controls, DWORD flags) override;
    MMRESULT mixerGetControlDetails(HMIXEROBJ mixer, const BYTE* request, BYTE* values, DWORD flags) override;
    MMRESULT mixerSetControlDetails(HMIXEROBJ mixer, const BYTE* request, const BYTE* values, DWORD flags) override;

    void SHChangeNotify(LONG eventId, UINT flags, LPCVOID item1, LPCVOID item2) override;
    int SHFileOperation(HWND owner, UINT function, LPCWSTR from, LPCWSTR to, WORD flags,
                        BOOL* anyAborted) override;

private:
    struct Module {
        SimPath path;
        std::unique_ptr<PeImage> image;           // null: no resources
        std::shared_ptr<SimNativeModule> native;  // a library provided in code
        unsigned references = 0;
    };

    SimThread CurrentThread() const { return SimThread::Current(process_); }
    // False, with the last error set, when the name cannot be parsed.
    bool Parse(LPCWSTR name, SimPath& path);
    // The object of a handle of that kind; null, with ERROR_INVALID_HANDLE, if none.
    template <class T>
    std::shared_ptr<T> HandleOf(HANDLE handle) {
        std::shared_ptr<T> object = handles_.Get<T>(handle);
        if (!object) SetLastError(ERROR_INVALID_HANDLE);
        return object;
    }

    // Modules (modulesMutex_ held).
    Module* FindModule(HMODULE module);
    Module* FindLoaded(const std::wstring& name);
    DWORD LoadFrom(const SimPath& path, Module*& module);
    BOOL Transfer(HANDLE file, void* buffer, DWORD size, LPDWORD done, OVERLAPPED* overlapped, bool writing);

    // MMSYSERR_NOERROR when the object names the mixer the way `flags` say.
    MMRESULT MixerObject(HMIXEROBJ object, DWORD flags);
    // Checks a details request; its control and channel count.
    MMRESULT MixerDetails(HMIXEROBJ mixer, const BYTE* request, const BYTE* values, DWORD flags, DWORD& control,
                          DWORD& count);

    std::shared_ptr<SimOpenKey> KeyOf(HKEY key);
    LONG AddKey(const std::shared_ptr<SimRegistry::Key>& key, REGSAM access, HKEY* result);

    SimMachine& machine_;
    const uint64_t process_;
    std::wstring currentDirectory_;
    SimHandles handles_;
    // Shared with the writes in flight, which may complete after the process ended.
    std::shared_ptr<SimCompletions> completions_;
    std::mutex lastErrorsMutex_;
    std::map<std::thread::id, DWORD> lastErrors_;
    std::mutex modulesMutex_;
    Module program_;
    std::map<Module*, std::unique_ptr<Module>> modules_;
};
