// Every test has a minute. A test that hangs (a loop that never ends, a wait
// nothing signals) is reported by name and ends the test program, so a run
// fails at once instead of sitting until its runner gives up: ctest runs
// each native test in a process of its own, but under Wine one process runs
// them all.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace {

constexpr std::chrono::seconds kTestTimeLimit{60};

class TestTimeLimit : public testing::EmptyTestEventListener {
public:
    TestTimeLimit() : m_watchdog([this] { Watch(); }) {}
    ~TestTimeLimit() override {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stopping = true;
        }
        m_changed.notify_one();
        m_watchdog.join();
    }

    void OnTestStart(const testing::TestInfo& test) override {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_running = std::string(test.test_suite_name()) + "." + test.name();
        m_deadline = std::chrono::steady_clock::now() + kTestTimeLimit;
        m_changed.notify_one();
    }

    void OnTestEnd(const testing::TestInfo&) override {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_running.clear();
        m_changed.notify_one();
    }

private:
    void Watch() {
        std::unique_lock<std::mutex> lock(m_mutex);
        while (!m_stopping) {
            if (m_running.empty()) {
                m_changed.wait(lock);
            } else if (m_changed.wait_until(lock, m_deadline) == std::cv_status::timeout &&
                       !m_running.empty() && std::chrono::steady_clock::now() >= m_deadline) {
                std::fprintf(stderr, "\n%s did not finish within %lld seconds: the run stops here.\n",
                             m_running.c_str(), static_cast<long long>(kTestTimeLimit.count()));
                std::fflush(stderr);
                std::_Exit(EXIT_FAILURE);
            }
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::string m_running;
    std::chrono::steady_clock::time_point m_deadline;
    bool m_stopping = false;
    std::thread m_watchdog;  // last: it starts once the members it reads exist
};

// gtest owns the listener once appended and deletes it at exit.
const bool kRegistered = [] {
    testing::UnitTest::GetInstance()->listeners().Append(new TestTimeLimit);
    return true;
}();

}  // namespace
