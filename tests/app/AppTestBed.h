// The updater's application on a simulated PC, shown through a recording
// front end: a test plugs a player in, sets the front end's answers and
// scripts, and runs the program or a part of its start-up.
#pragma once

#include <string>
#include <vector>

#include "tests/support/RecordingFrontEnd.h"
#include "tests/support/SimulatedPc.h"
#include "updater/app/VrUpdaterApp.h"

class AppTestBed : public SimulatedPc {
public:
    explicit AppTestBed(const std::vector<std::string>& libraries = {"vrxa0409.dll"}) : SimulatedPc(libraries) {}

    RecordingFrontEnd frontEnd;
    CVrUpdaterApp app{host, frontEnd};
};
