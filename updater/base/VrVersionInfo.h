// A firmware version as the player, the component files and the windows
// exchange it: major, minor and revision, each 16 bits (big-endian on the
// wire, in that order).
#pragma once

#include <cstdint>
#include <string>

#include "updater/base/VrBase.h"
#include "updater/base/VrOwningArray.h"

class CVrVersionInfo : public CVrBase {
public:
    CVrVersionInfo() : CVrBase("CVrVersionInfo") {}
    CVrVersionInfo(uint16_t major, uint16_t minor, uint16_t revision)
        : CVrBase("CVrVersionInfo"), m_major(major), m_minor(minor), m_revision(revision) {}

    // Copies carry the numbers, the result code, the system error and the name.
    CVrVersionInfo(const CVrVersionInfo&) = default;
    CVrVersionInfo& operator=(const CVrVersionInfo&) = default;

    uint16_t GetMajor() const { return m_major; }
    uint16_t GetMinor() const { return m_minor; }
    uint16_t GetRevision() const { return m_revision; }
    void Set(uint16_t major, uint16_t minor, uint16_t revision) {
        m_major = major;
        m_minor = minor;
        m_revision = revision;
    }

    // "001.002.010" for version 1.2.10.
    std::wstring ToString() const;

    bool operator==(const CVrVersionInfo& other) const {
        return m_major == other.m_major && m_minor == other.m_minor && m_revision == other.m_revision;
    }
    bool operator!=(const CVrVersionInfo& other) const { return !(*this == other); }

private:
    uint16_t m_major = 0;
    uint16_t m_minor = 0;
    uint16_t m_revision = 0;
};

// One version record per system drive, created with the array.
class CVrVersionInfoPtrArray : public CVrOwningArray<CVrVersionInfo> {
public:
    explicit CVrVersionInfoPtrArray(uint32_t count);
};
