// Everything that makes Caddis the updater of this one player: the firmware
// components, the player's identity texts, the program's name, the product
// switches and access to the product texts. The values are compiled in.
#pragma once

#include <cstdint>
#include <string>

#include "updater/base/VrBase.h"

class CVrResource;

class CVrConfigInfo : public CVrBase {
public:
    // Component indexes run from 1 to 4; record 0 is never present.
    static const uint8_t kLastComponentIndex = 4;

    CVrConfigInfo();

    int32_t GetComponentCount(uint8_t& count) const;
    int32_t GetComponentTag(uint32_t index, uint8_t& tag) const;
    int32_t GetComponentUpdateFlag(uint32_t index, uint32_t& flag) const;
    int32_t GetComponentReserve(uint32_t index, uint32_t& reserve) const;
    int32_t GetComponentFileName(uint32_t index, std::string& fileName) const;
    int32_t GetComponentDisplayName(uint32_t index, std::wstring& displayName) const;

    int32_t GetRecoveryComponent(uint8_t& index) const;
    int32_t GetPlayerComponent(uint8_t& index) const;
    int32_t GetBootManagerTag(uint8_t& tag) const;
    int32_t GetFormatByDefault(uint32_t& flag) const;
    int32_t GetShowChipRevision(uint32_t& flag) const;

    int32_t GetProgramFileName(std::wstring& name) const;
    int32_t GetVendorIdentity(std::string& vendor) const;
    int32_t GetProductIdentity(std::string& product) const;

    // Product texts of the program's own string table, in the user-interface
    // language; -28 when no resource provider is set yet.
    int32_t GetLegalNotice(std::wstring& text) const;
    int32_t GetTitle(std::wstring& text) const;
    int32_t GetAboutTitle(std::wstring& text) const;
    int32_t GetAboutProductLine(std::wstring& text) const;

    void SetResourceProvider(CVrResource* provider) { m_provider = provider; }

private:
    int32_t GetProductText(uint32_t id, std::wstring& text) const;

    CVrResource* m_provider = nullptr;
};
