#include "platform/ResourceStrings.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/TextCodec.h"

namespace {

const UINT kStringsPerBlock = 16;

uint16_t ReadUnit(const unsigned char* bytes, size_t index) {
    return static_cast<uint16_t>(bytes[2 * index] | (bytes[2 * index + 1] << 8));
}

}  // namespace

BOOL LoadResourceString(Host& host, HMODULE module, UINT id, WORD language, std::wstring& text) {
    UINT block = id / kStringsPerBlock + 1;
    if (block > 0xFFFF) {
        host.SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return FALSE;
    }
    HRSRC resource = host.FindResourceEx(module, RT_STRING, MAKEINTRESOURCEW(block), language);
    if (!resource) return FALSE;
    HGLOBAL loaded = host.LoadResource(module, resource);
    const unsigned char* bytes = loaded ? static_cast<const unsigned char*>(host.LockResource(loaded)) : nullptr;
    if (!bytes) return FALSE;

    // Walk the block's length-prefixed entries up to the one wanted; a
    // block that ends early or claims more than it holds has no such string.
    size_t units = host.SizeofResource(module, resource) / 2;
    size_t at = 0;
    for (UINT entry = 0; entry < id % kStringsPerBlock; ++entry) {
        if (at >= units) break;
        at += 1 + ReadUnit(bytes, at);
    }
    if (at >= units || ReadUnit(bytes, at) == 0 || at + 1 + ReadUnit(bytes, at) > units) {
        host.SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return FALSE;
    }
    size_t length = ReadUnit(bytes, at);
    std::vector<uint16_t> chars(length);
    std::memcpy(chars.data(), bytes + 2 * (at + 1), 2 * length);
    text = WideFromUtf16(chars.data(), chars.size());
    return TRUE;
}
