#include "usbsupport/QuellApp.h"

CQuellApp::CQuellApp(Host& host, std::atomic<uint32_t>& runCount) : m_host(host), m_runCount(runCount) {
    m_runCount.fetch_add(1);
}

CQuellApp::~CQuellApp() {
    // Never below 0: a counter that started out of step stays sane.
    uint32_t count = m_runCount.load();
    while (count != 0 && !m_runCount.compare_exchange_weak(count, count - 1)) {
    }
}
