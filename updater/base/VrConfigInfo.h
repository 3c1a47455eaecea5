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

    void GetComponentCount(uint8_t& count) const;
    int32_t GetComponentTag(uint32_t index, uint8_t& tag) const;
    int32_t GetComponentUpdateFlag(uint32_t index, bool& flag) const;
    int32_t GetComponentReserve(uint32_t index, uint32_t& reserve) const;
    int32_t GetComponentFileName(uint32_t index, std::string& fileName) const;
    int32_t GetComponentDisplayName(uint32_t index, std::wstring& displayName) const;

    void GetRecoveryComponent(uint8_t& index) const;
    void GetPlayerComponent(uint8_t& index) const;
    void GetBootManagerTag(uint8_t& tag) const;
    void GetFormatByDefault(bool& flag) const;
    void GetShowChipRevision(bool& flag) const;

    void GetProgramFileName(std::wstring& name) const;
    void GetVendorIdentity(std::string& vendor) const;
    void GetProductIdentity(std::string& product) const;

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
