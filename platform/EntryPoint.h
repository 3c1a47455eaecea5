// A library's entry point as the function type it has, and back: through
// the plain function pointer type, which the compiler accepts for any
// function (a direct cast between the types warns).
#pragma once

#include "platform/WinTypes.h"

template <class Entry>
Entry EntryPoint(FARPROC address) {
    return reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(address));
}

template <class Entry>
FARPROC AsFarProc(Entry entry) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(entry));
}
