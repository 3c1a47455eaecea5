// The simulated PC's registry, shared by its processes and kept in memory.
// Key and value names compare without regard to case; subkeys enumerate in
// name order, as Windows keeps them. Calls answer with Win32 return codes.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/WinTypes.h"

class SimClock;

class SimRegistry {
public:
    struct Key;

    explicit SimRegistry(const SimClock& clock);
    ~SimRegistry();

    // The key behind a predefined handle (HKEY_CLASSES_ROOT, HKEY_CURRENT_USER,
    // HKEY_LOCAL_MACHINE, HKEY_USERS, HKEY_DYN_DATA); null for any other
    // handle. Whether the running Windows has the dynamic data is the
    // process's question.
    std::shared_ptr<Key> Root(HKEY predefined) const;

    // `subKey` is a path of names separated by "\"; an empty path is `from`.
    LONG Open(const std::shared_ptr<Key>& from, const std::wstring& subKey, std::shared_ptr<Key>& result);
    LONG Create(const std::shared_ptr<Key>& from, const std::wstring& subKey, std::shared_ptr<Key>& result,
                DWORD& disposition);

    // The top key of Windows 95, 98 and Me below HKEY_LOCAL_MACHINE: "Enum",
    // where their devices' hardware keys live.
    void AddWindows9xKeys();

    // The key at `subKey` and all below it; ERROR_FILE_NOT_FOUND when there is none.
    LONG Remove(const std::shared_ptr<Key>& from, const std::wstring& subKey);

    // As RegQueryValueEx and RegSetValueEx: ERROR_FILE_NOT_FOUND for a missing
    // value, ERROR_MORE_DATA with the size needed when the buffer is short.
    LONG QueryValue(const Key& key, const std::wstring& name, LPDWORD type, LPBYTE data, LPDWORD size);
    LONG SetValue(Key& key, const std::wstring& name, DWORD type, const BYTE* data, DWORD size);
    // As RegEnumKeyEx: `nameSize` in characters, room for the terminator included.
    LONG EnumKey(const Key& key, DWORD index, LPWSTR name, LPDWORD nameSize, FILETIME* lastWrite);

private:
    std::shared_ptr<Key> Walk(const std::shared_ptr<Key>& from, const std::wstring& subKey, bool create,
                              LONG& error, bool& created);

    const SimClock& clock_;
    std::mutex mutex_;
    std::shared_ptr<Key> machine_;
    std::shared_ptr<Key> users_;
    std::shared_ptr<Key> currentUser_;
    std::shared_ptr<Key> classes_;
    std::shared_ptr<Key> dynamicData_;
};
