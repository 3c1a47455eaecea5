// An array of object pointers that owns what it holds: the message-box text
// lines, the version records and the system drives live in such arrays, and
// go with them.
//
// A slot is handed over with SetAt; the array deletes whatever it holds when
// it is cleared, resized, freed or destroyed. SetAt itself deletes nothing, so
// that a caller can take an element back out by setting its slot to null.
#pragma once

#include "updater/base/VrFixedArray.h"

template <typename T>
class CVrOwningArray : public CVrFixedArray<T*> {
public:
    explicit CVrOwningArray(uint32_t count, const char* name = "CVrArray")
        : CVrFixedArray<T*>(count, name) {}
    ~CVrOwningArray() override { DestroyElements(); }

    int32_t Clear() override {
        DestroyElements();
        return kVrOk;
    }

    void Free() override {
        DestroyElements();
        CVrFixedArray<T*>::Free();
    }

private:
    // Each element is destroyed through its own virtual destructor, and its
    // slot zeroed so that nothing is deleted twice.
    void DestroyElements() {
        for (uint32_t i = 0; i < this->m_count; ++i) {
            delete this->m_elements[i];
            this->m_elements[i] = nullptr;
        }
    }
};
