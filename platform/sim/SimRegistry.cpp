#include "platform/sim/SimRegistry.h"

#include <cstring>

#include "platform/sim/SimClock.h"
#include "platform/sim/SimPath.h"

struct SimRegistry::Key {
    std::wstring name;
    // Directly below HKEY_LOCAL_MACHINE and HKEY_USERS nobody may add keys.
    bool closedToNewKeys = false;
    std::map<std::wstring, std::shared_ptr<Key>> subKeys;  // by upper-case name
    struct Value {
        DWORD type;
        std::vector<BYTE> data;
    };
    std::map<std::wstring, Value> values;  // by upper-case name
    FILETIME lastWrite{};

    std::shared_ptr<Key> Add(const std::wstring& keyName, const FILETIME& now) {
        auto key = std::make_shared<Key>();
        key->name = keyName;
        key->lastWrite = now;
        subKeys[SimUpper(keyName)] = key;
        return key;
    }
};

namespace {

std::vector<std::wstring> SplitKeyPath(const std::wstring& path) {
    std::vector<std::wstring> names;
    std::wstring name;
    for (wchar_t c : path) {
        if (c == L'\\') {
            if (!name.empty()) names.push_back(name);
            name.clear();
        } else {
            name += c;
        }
    }
    if (!name.empty()) names.push_back(name);
    return names;
}

}  // namespace

SimRegistry::SimRegistry(const SimClock& clock) : clock_(clock) {
    FILETIME now = clock_.Now();
    machine_ = std::make_shared<Key>();
    machine_->closedToNewKeys = true;
    classes_ = machine_->Add(L"SOFTWARE", now)->Add(L"Classes", now);
    machine_->Add(L"SYSTEM", now)->Add(L"CurrentControlSet", now);
    machine_->Add(L"HARDWARE", now);
    users_ = std::make_shared<Key>();
    users_->closedToNewKeys = true;
    users_->Add(L".DEFAULT", now);
    currentUser_ = users_->Add(L"S-1-5-21-1085031214-1563985344-725345543-1003", now);
    currentUser_->Add(L"Software", now);
    currentUser_->Add(L"Control Panel", now);
    dynamicData_ = std::make_shared<Key>();
}

SimRegistry::~SimRegistry() = default;

std::shared_ptr<SimRegistry::Key> SimRegistry::Root(HKEY predefined) const {
    if (predefined == HKEY_LOCAL_MACHINE) return machine_;
    if (predefined == HKEY_USERS) return users_;
    if (predefined == HKEY_CURRENT_USER) return currentUser_;
    if (predefined == HKEY_CLASSES_ROOT) return classes_;
    if (predefined == HKEY_DYN_DATA) return dynamicData_;
    return nullptr;
}

std::shared_ptr<SimRegistry::Key> SimRegistry::Walk(const std::shared_ptr<Key>& from, const std::wstring& subKey,
                                                    bool create, LONG& error, bool& created) {
    std::shared_ptr<Key> key = from;
    created = false;
    for (const std::wstring& name : SplitKeyPath(subKey)) {
        auto found = key->subKeys.find(SimUpper(name));
        if (found != key->subKeys.end()) {
            key = found->second;
            continue;
        }
        if (!create) {
            error = ERROR_FILE_NOT_FOUND;
            return nullptr;
        }
        if (key->closedToNewKeys) {
            error = ERROR_ACCESS_DENIED;
            return nullptr;
        }
        key = key->Add(name, clock_.Now());
        created = true;
    }
    error = ERROR_SUCCESS;
    return key;
}

LONG SimRegistry::Open(const std::shared_ptr<Key>& from, const std::wstring& subKey, std::shared_ptr<Key>& result) {
    std::lock_guard<std::mutex> lock(mutex_);
    LONG error = ERROR_SUCCESS;
    bool created = false;
    result = Walk(from, subKey, false, error, created);
    return error;
}

LONG SimRegistry::Create(const std::shared_ptr<Key>& from, const std::wstring& subKey, std::shared_ptr<Key>& result,
                         DWORD& disposition) {
    std::lock_guard<std::mutex> lock(mutex_);
    LONG error = ERROR_SUCCESS;
    bool created = false;
    result = Walk(from, subKey, true, error, created);
    disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return error;
}

void SimRegistry::AddWindows9xKeys() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!machine_->subKeys.count(L"ENUM")) machine_->Add(L"Enum", clock_.Now());
}

LONG SimRegistry::Remove(const std::shared_ptr<Key>& from, const std::wstring& subKey) {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<std::wstring> names = SplitKeyPath(subKey);
    if (names.empty()) return ERROR_INVALID_PARAMETER;
    std::wstring last = names.back();
    names.pop_back();
    std::shared_ptr<Key> parent = from;
    for (const std::wstring& name : names) {
        auto found = parent->subKeys.find(SimUpper(name));
        if (found == parent->subKeys.end()) return ERROR_FILE_NOT_FOUND;
        parent = found->second;
    }
    return parent->subKeys.erase(SimUpper(last)) ? ERROR_SUCCESS : static_cast<LONG>(ERROR_FILE_NOT_FOUND);
}

LONG SimRegistry::QueryValue(const Key& key, const std::wstring& name, LPDWORD type, LPBYTE data, LPDWORD size) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (data && !size) return ERROR_INVALID_PARAMETER;
    auto found = key.values.find(SimUpper(name));
    if (found == key.values.end()) return ERROR_FILE_NOT_FOUND;
    const Key::Value& value = found->second;
    if (type) *type = value.type;
    if (!size) return ERROR_SUCCESS;
    DWORD needed = static_cast<DWORD>(value.data.size());
    DWORD room = *size;
    *size = needed;
    if (!data) return ERROR_SUCCESS;
    if (room < needed) return ERROR_MORE_DATA;
    if (needed > 0) std::memcpy(data, value.data.data(), needed);
    return ERROR_SUCCESS;
}

LONG SimRegistry::SetValue(Key& key, const std::wstring& name, DWORD type, const BYTE* data, DWORD size) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!data && size > 0) return ERROR_NOACCESS;
    Key::Value& value = key.values[SimUpper(name)];
    value.type = type;
    value.data.assign(data, data + size);
    key.lastWrite = clock_.Now();
    return ERROR_SUCCESS;
}

LONG SimRegistry::EnumKey(const Key& key, DWORD index, LPWSTR name, LPDWORD nameSize, FILETIME* lastWrite) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!name || !nameSize) return ERROR_INVALID_PARAMETER;
    if (index >= key.subKeys.size()) return ERROR_NO_MORE_ITEMS;
    auto it = key.subKeys.begin();
    std::advance(it, index);
    const Key& subKey = *it->second;
    if (*nameSize <= subKey.name.size()) return ERROR_MORE_DATA;
    std::memcpy(name, subKey.name.c_str(), (subKey.name.size() + 1) * sizeof(wchar_t));
    *nameSize = static_cast<DWORD>(subKey.name.size());
    if (lastWrite) *lastWrite = subKey.lastWrite;
    return ERROR_SUCCESS;
}
