// The behaviour every engine array shares: a count fixed at construction or by
// SetSize, zeroed storage, and index-checked access. The element type is a
// parameter so that byte buffers, 32-bit values and object pointers (64-bit on
// the native build) all keep their natural width.
//
// Storage is obtained without exceptions: a failed allocation leaves the array
// empty with kVrNoMemory as its result code, which the creator checks at once.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <new>

#include "updater/base/VrBase.h"
#include "updater/base/VrResult.h"

template <typename T>
class CVrFixedArray : public CVrBase {
public:
    CVrFixedArray(uint32_t count, const char* name) : CVrBase(name) {
        if (!Allocate(count)) SetResult(kVrNoMemory);
    }
    ~CVrFixedArray() override { delete[] m_elements; }

    CVrFixedArray(const CVrFixedArray&) = delete;
    CVrFixedArray& operator=(const CVrFixedArray&) = delete;

    virtual uint32_t GetCount() const { return m_count; }

    virtual int32_t GetAt(uint32_t index, T& out) const {
        if (index >= m_count) return kVrIndexOutOfRange;
        out = m_elements[index];
        return kVrOk;
    }

    virtual T* GetPtr(uint32_t index) {
        return index < m_count ? &m_elements[index] : nullptr;
    }

    virtual int32_t SetAt(uint32_t index, T value) {
        if (index >= m_count) return kVrIndexOutOfRange;
        m_elements[index] = value;
        return kVrOk;
    }

    virtual int32_t Clear() {
        std::fill(m_elements, m_elements + m_count, T());
        return kVrOk;
    }

    // The old elements go through Free, so an owning array destroys them
    // before the new, empty storage replaces them.
    virtual int32_t SetSize(uint32_t count) {
        Free();
        return SetResult(Allocate(count) ? kVrOk : kVrNoMemory);
    }

    virtual void Free() {
        delete[] m_elements;
        m_elements = nullptr;
        m_count = 0;
    }

protected:
    T* m_elements = nullptr;
    uint32_t m_count = 0;

private:
    // Zero elements need no storage; an empty array has a null pointer. A
    // 32-bit process cannot even express the size of a large pointer or
    // 32-bit array, and the compiler's new[] throws for such a size even when
    // asked not to, so that case is refused here first.
    bool Allocate(uint32_t count) {
        if (count == 0) return true;
        if (count > SIZE_MAX / sizeof(T)) return false;
        m_elements = new (std::nothrow) T[count]();
        if (m_elements == nullptr) return false;
        m_count = count;
        return true;
    }
};
