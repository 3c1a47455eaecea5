// Modules and their resources on the simulated PC.
#include "platform/sim/SimHost.h"

#include <cstring>

namespace {

const wchar_t kSystemFolder[] = L"C:\\WINDOWS\\system32";

bool HasFolder(const std::wstring& name) {
    return name.find_first_of(L"\\/") != std::wstring::npos || (name.size() >= 2 && name[1] == L':');
}

std::wstring BaseName(const std::wstring& name) {
    size_t separator = name.find_last_of(L"\\/");
    return separator == std::wstring::npos ? name : name.substr(separator + 1);
}

// Windows adds ".dll" to a module name without extension; a trailing dot
// says there is none.
std::wstring WithDefaultExtension(const std::wstring& name) {
    std::wstring base = BaseName(name);
    if (!base.empty() && base.back() == L'.') return name.substr(0, name.size() - 1);
    if (base.find(L'.') == std::wstring::npos) return name + L".dll";
    return name;
}

}  // namespace

SimHost::Module* SimHost::FindModule(HMODULE module) {
    if (!module) return &program_;
    Module* candidate = reinterpret_cast<Module*>(module);
    if (candidate == &program_) return candidate;
    return modules_.count(candidate) ? candidate : nullptr;
}

// A loaded module of that name: by full path when a folder is given, else
// by file name, as the loader reuses what a process has loaded already.
SimHost::Module* SimHost::FindLoaded(const std::wstring& name) {
    std::wstring wanted = WithDefaultExtension(name);
    bool byPath = HasFolder(wanted);
    SimPath path;
    if (byPath && ParseSimPath(wanted, currentDirectory_, path) != ERROR_SUCCESS) return nullptr;
    auto matches = [&](const Module& module) {
        return byPath ? SimSameName(module.path.Text(), path.Text())
                      : !module.path.parts.empty() && SimSameName(module.path.parts.back(), wanted);
    };
    if (matches(program_)) return &program_;
    for (auto& entry : modules_) {
        if (matches(*entry.second)) return entry.second.get();
    }
    return nullptr;
}

DWORD SimHost::LoadFrom(const SimPath& path, Module*& module) {
    auto loaded = std::make_unique<Module>();
    loaded->path = path;
    loaded->native = machine_.LoadNativeModule(path, *this);
    if (!loaded->native) {
        SimOpenRequest request;
        request.access = GENERIC_READ;
        request.share = FILE_SHARE_READ;
        request.disposition = OPEN_EXISTING;
        std::shared_ptr<SimFileObject> file;
        bool existed = false;
        DWORD error = machine_.Open(path, request, file, existed);
        if (error != ERROR_SUCCESS) return error;
        std::vector<unsigned char> bytes(static_cast<size_t>(file->Size()));
        DWORD read = 0;
        error = file->ReadAt(0, bytes.data(), static_cast<DWORD>(bytes.size()), read);
        if (error != ERROR_SUCCESS) return error;
        bytes.resize(read);
        loaded->image = PeImage::Parse(std::move(bytes));
        if (!loaded->image) return ERROR_BAD_EXE_FORMAT;
    }
    module = loaded.get();
    modules_[module] = std::move(loaded);
    return ERROR_SUCCESS;
}

HMODULE SimHost::LoadLibrary(LPCWSTR fileName) {
    if (!fileName || !*fileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::wstring name = WithDefaultExtension(fileName);
    std::lock_guard<std::mutex> lock(modulesMutex_);
    if (Module* loaded = FindLoaded(name)) {
        if (loaded != &program_) ++loaded->references;
        return reinterpret_cast<HMODULE>(loaded);
    }
    // A bare name is looked for beside the program, then in the system folder.
    std::vector<std::wstring> candidates;
    if (HasFolder(name)) {
        candidates.push_back(name);
    } else {
        candidates.push_back(program_.path.Parent().Text() + L"\\" + name);
        candidates.push_back(std::wstring(kSystemFolder) + L"\\" + name);
    }
    for (const std::wstring& candidate : candidates) {
        SimPath path;
        DWORD error = ParseSimPath(candidate, currentDirectory_, path);
        Module* module = nullptr;
        if (error == ERROR_SUCCESS) error = LoadFrom(path, module);
        if (error == ERROR_SUCCESS) {
            module->references = 1;
            return reinterpret_cast<HMODULE>(module);
        }
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND && error != ERROR_NOT_READY) {
            SetLastError(error);
            return nullptr;
        }
    }
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

BOOL SimHost::FreeLibrary(HMODULE module) {
    std::lock_guard<std::mutex> lock(modulesMutex_);
    Module* found = module ? FindModule(module) : nullptr;
    if (!found) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return FALSE;
    }
    if (found != &program_ && --found->references == 0) modules_.erase(found);
    return TRUE;
}

FARPROC SimHost::GetProcAddress(HMODULE module, LPCSTR procName) {
    std::lock_guard<std::mutex> lock(modulesMutex_);
    Module* found = FindModule(module);
    if (!found) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    // Resource libraries export nothing; libraries provided in code export by
    // name (an ordinal finds nothing).
    FARPROC proc = nullptr;
    if (found->native && procName && (reinterpret_cast<ULONG_PTR>(procName) >> 16) != 0) {
        proc = found->native->Export(procName);
    }
    if (!proc) SetLastError(ERROR_PROC_NOT_FOUND);
    return proc;
}

HMODULE SimHost::GetModuleHandle(LPCWSTR moduleName) {
    std::lock_guard<std::mutex> lock(modulesMutex_);
    if (!moduleName) return reinterpret_cast<HMODULE>(&program_);
    Module* found = FindLoaded(moduleName);
    if (!found) SetLastError(ERROR_MOD_NOT_FOUND);
    return reinterpret_cast<HMODULE>(found);
}

// A name that does not fit is cut to `size` characters without a terminator,
// as Windows XP does.
DWORD SimHost::GetModuleFileName(HMODULE module, LPWSTR fileName, DWORD size) {
    std::lock_guard<std::mutex> lock(modulesMutex_);
    Module* found = FindModule(module);
    if (!found) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    std::wstring path = found->path.Text();
    if (path.size() < size) {
        std::memcpy(fileName, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
        return static_cast<DWORD>(path.size());
    }
    if (size > 0) std::memcpy(fileName, path.c_str(), size * sizeof(wchar_t));
    return size;
}

HRSRC SimHost::FindResourceEx(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language) {
    std::lock_guard<std::mutex> lock(modulesMutex_);
    Module* found = FindModule(module);
    if (!found) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    if (!found->image) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    PeImage::Resource resource;
    DWORD error = found->image->Find(ResourceKey::FromWin32(type), ResourceKey::FromWin32(name),
                                     LoaderLanguageOrder(language, machine_.UserLanguage(), machine_.SystemLanguage()),
                                     resource);
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return nullptr;
    }
    // As on Windows, the handle points at the data entry inside the image.
    return reinterpret_cast<HRSRC>(const_cast<unsigned char*>(found->image->Bytes() + resource.entryOffset));
}

namespace {

const PeImage::Resource* ResourceOf(const PeImage* image, HRSRC handle) {
    if (!image || !handle) return nullptr;
    uintptr_t base = reinterpret_cast<uintptr_t>(image->Bytes());
    uintptr_t at = reinterpret_cast<uintptr_t>(handle);
    if (at < base || at - base >= image->Size()) return nullptr;
    return image->ResourceAt(at - base);
}

}  // namespace

HGLOBAL SimHost::LoadResource(HMODULE module, HRSRC resource) {
    std::lock_guard<std::mutex> lock(modulesMutex_);
    Module* found = FindModule(module);
    const PeImage::Resource* entry = found ? ResourceOf(found->image.get(), resource) : nullptr;
    if (!entry) {
        SetLastError(found ? ERROR_INVALID_HANDLE : ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    return const_cast<unsigned char*>(found->image->Bytes() + entry->dataOffset);
}

LPVOID SimHost::LockResource(HGLOBAL data) { return data; }

DWORD SimHost::SizeofResource(HMODULE module, HRSRC resource) {
    std::lock_guard<std::mutex> lock(modulesMutex_);
    Module* found = FindModule(module);
    const PeImage::Resource* entry = found ? ResourceOf(found->image.get(), resource) : nullptr;
    if (!entry) {
        SetLastError(found ? ERROR_INVALID_HANDLE : ERROR_MOD_NOT_FOUND);
        return 0;
    }
    return entry->size;
}
