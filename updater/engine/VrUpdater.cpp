#include "updater/engine/VrUpdater.h"

CVrUpdater::CVrUpdater(Host& host, CVrConfigInfo& config, const char* name)
    : CVrBase(name), m_host(host), m_config(config) {}

CVrUpdater::~CVrUpdater() = default;
