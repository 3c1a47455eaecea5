// The simulated PC that targets needing a host run on, made once per
// process: drive C: is the process's scratch folder, holding the language
// libraries of the build, and the program is C:\Caddis.exe, so files the
// program opens beside itself are files of that folder.
#pragma once

#include "platform/sim/SimHost.h"
#include "platform/sim/SimMachine.h"

struct FuzzPc {
    SimMachine machine;
    SimHost host;

    FuzzPc();
};

FuzzPc& TheFuzzPc();
