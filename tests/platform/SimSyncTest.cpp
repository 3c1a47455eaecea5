// Named mutexes across programs, events with real threads, and waits that
// run on the virtual clock.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "platform/sim/SimHost.h"
#include "tests/platform/SimTestFolder.h"

namespace {

const wchar_t kLockName[] = L"Caddis.exeLumo    MP3 Audio Player";

class SimSync : public ::testing::Test {
protected:
    SimMachine machine;
    SimHost host{machine, L"C:\\Caddis\\Caddis.exe"};
};

}  // namespace

TEST_F(SimSync, ANamedMutexLivesAsLongAsAHandleToIt) {
    host.SetLastError(ERROR_GEN_FAILURE);
    HANDLE first = host.CreateMutex(nullptr, FALSE, kLockName);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(0u, host.GetLastError());

    auto second = std::make_unique<SimHost>(machine, L"C:\\Caddis\\Caddis.exe");
    HANDLE same = second->CreateMutex(nullptr, FALSE, kLockName);
    ASSERT_NE(nullptr, same);
    EXPECT_EQ(static_cast<DWORD>(ERROR_ALREADY_EXISTS), second->GetLastError());
    // An event cannot take a mutex's name.
    EXPECT_EQ(nullptr, second->CreateEvent(nullptr, TRUE, FALSE, kLockName));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE), second->GetLastError());

    // The first program ends; the second still holds the name.
    ASSERT_TRUE(host.CloseHandle(first));
    second->CreateMutex(nullptr, FALSE, kLockName);
    EXPECT_EQ(static_cast<DWORD>(ERROR_ALREADY_EXISTS), second->GetLastError());
    second.reset();
    host.CreateMutex(nullptr, FALSE, kLockName);
    EXPECT_EQ(0u, host.GetLastError());
}

TEST_F(SimSync, MutexesBelongToAThreadOfAProcess) {
    HANDLE owned = host.CreateMutex(nullptr, TRUE, L"lock");
    EXPECT_EQ(WAIT_OBJECT_0, host.WaitForSingleObject(owned, 0));  // again, by its owner

    auto other = std::make_unique<SimHost>(machine, L"C:\\Other\\Other.exe");
    HANDLE theirs = other->CreateMutex(nullptr, TRUE, L"lock");  // the owner flag does not apply
    DWORD ticks = other->GetTickCount();
    EXPECT_EQ(WAIT_TIMEOUT, other->WaitForSingleObject(theirs, 30000));
    EXPECT_EQ(ticks + 30000, other->GetTickCount());
    EXPECT_FALSE(other->ReleaseMutex(theirs));
    EXPECT_EQ(288u, other->GetLastError());  // not the owner

    EXPECT_TRUE(host.ReleaseMutex(owned));
    EXPECT_EQ(WAIT_TIMEOUT, other->WaitForSingleObject(theirs, 0));  // still held once
    EXPECT_TRUE(host.ReleaseMutex(owned));
    EXPECT_EQ(WAIT_OBJECT_0, other->WaitForSingleObject(theirs, 0));
    // A program that ends holding it abandons it to the next waiter.
    other.reset();
    EXPECT_EQ(WAIT_ABANDONED, host.WaitForSingleObject(owned, 0));
    EXPECT_EQ(WAIT_OBJECT_0, host.WaitForSingleObject(owned, 0));
}

TEST_F(SimSync, EventsResetByWaitOrByHand) {
    HANDLE automatic = host.CreateEvent(nullptr, FALSE, TRUE, nullptr);
    HANDLE manual = host.CreateEvent(nullptr, TRUE, TRUE, nullptr);
    EXPECT_EQ(WAIT_OBJECT_0, host.WaitForSingleObject(automatic, 0));
    EXPECT_EQ(WAIT_TIMEOUT, host.WaitForSingleObject(automatic, 0));
    EXPECT_EQ(WAIT_OBJECT_0, host.WaitForSingleObject(manual, 0));
    EXPECT_EQ(WAIT_OBJECT_0, host.WaitForSingleObject(manual, 0));
    EXPECT_TRUE(host.ResetEvent(manual));
    EXPECT_EQ(WAIT_TIMEOUT, host.WaitForSingleObject(manual, 0));

    EXPECT_FALSE(host.SetEvent(host.CreateMutex(nullptr, FALSE, nullptr)));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE), host.GetLastError());
    EXPECT_EQ(WAIT_FAILED, host.WaitForSingleObject(reinterpret_cast<HANDLE>(0x4444), 0));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE), host.GetLastError());
}

TEST_F(SimSync, AnotherThreadEndsAWait) {
    HANDLE done = host.CreateEvent(nullptr, FALSE, FALSE, nullptr);
    DWORD ticks = host.GetTickCount();
    // A worker that takes a little real time; the waits must see its signal.
    std::thread worker([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        host.SetEvent(done);
    });
    EXPECT_EQ(WAIT_OBJECT_0, host.WaitForSingleObject(done, INFINITE));
    worker.join();
    std::thread again([&] { host.SetEvent(done); });
    EXPECT_EQ(WAIT_OBJECT_0, host.WaitForSingleObject(done, 60000));
    again.join();
    EXPECT_EQ(ticks, host.GetTickCount());  // time spent on real threads is no virtual time
}

TEST_F(SimSync, TheClockMovesOnlyWhenProgramsWait) {
    SYSTEMTIME start{};
    start.wYear = 2004;
    start.wMonth = 2;
    start.wDay = 28;
    start.wHour = 23;
    start.wMinute = 59;
    start.wSecond = 59;
    machine.Clock().SetStart(start);
    machine.Clock().SetTickCount(0xFFFFFFF0u);
    host.Sleep(0x20);
    EXPECT_EQ(0x10u, host.GetTickCount());  // wrapped, as after 49.7 days

    host.Sleep(24u * 3600 * 1000 - 0x20 + 1001);  // a day and a second and a bit later
    SYSTEMTIME now{};
    host.GetLocalTime(&now);
    EXPECT_EQ(2004, now.wYear);
    EXPECT_EQ(3, now.wMonth);  // past the leap day
    EXPECT_EQ(1, now.wDay);
    EXPECT_EQ(1, now.wDayOfWeek);  // a Monday
    EXPECT_EQ(0, now.wHour);
    EXPECT_EQ(0, now.wMinute);
    EXPECT_EQ(0, now.wSecond);
    EXPECT_EQ(1, now.wMilliseconds);

    FILETIME file{};
    host.GetSystemTimeAsFileTime(&file);
    uint64_t units = (uint64_t(file.dwHighDateTime) << 32) | file.dwLowDateTime;
    EXPECT_EQ(SimFileTimeFromSystemTime(now), units);
    host.Sleep(1);
    host.GetSystemTimeAsFileTime(&file);
    EXPECT_EQ(units + 10000, (uint64_t(file.dwHighDateTime) << 32) | file.dwLowDateTime);
}

TEST_F(SimSync, MsgWaitEndsWithTheFirstSignalledObject) {
    HANDLE events[] = {host.CreateEvent(nullptr, TRUE, FALSE, nullptr), host.CreateEvent(nullptr, FALSE, FALSE, nullptr)};
    EXPECT_EQ(WAIT_TIMEOUT, host.MsgWaitForMultipleObjects(2, events, FALSE, 0, QS_ALLINPUT));

    std::thread signaller([&] { host.SetEvent(events[1]); });
    EXPECT_EQ(WAIT_OBJECT_0 + 1, host.MsgWaitForMultipleObjects(2, events, FALSE, INFINITE, QS_ALLINPUT));
    signaller.join();
    // The auto-reset event was taken by the wait.
    EXPECT_EQ(WAIT_TIMEOUT, host.MsgWaitForMultipleObjects(2, events, FALSE, 0, QS_ALLINPUT));

    EXPECT_EQ(WAIT_FAILED, host.MsgWaitForMultipleObjects(2, events, TRUE, 0, QS_ALLINPUT));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), host.GetLastError());
    for (HANDLE event : events) host.CloseHandle(event);
}

namespace {

DWORD completedError = 0xFFFFFFFF;
DWORD completedBytes = 0;
std::thread::id completedOn;

void WINAPI RecordCompletion(DWORD error, DWORD transferred, OVERLAPPED*) {
    completedError = error;
    completedBytes = transferred;
    completedOn = std::this_thread::get_id();
}

}  // namespace

TEST_F(SimSync, AnOverlappedWriteCompletesOnlyInAnAlertableWaitOfItsThread) {
    SimTestFolder folder;
    machine.MapFolder(L'D', DRIVE_FIXED, folder.Path());
    HANDLE file = host.CreateFile(L"D:\\stream.bin", GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_FLAG_OVERLAPPED,
                                  nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    HANDLE event = host.CreateEvent(nullptr, TRUE, FALSE, nullptr);
    OVERLAPPED record = {};
    const char data[] = "piece";
    completedError = 0xFFFFFFFF;
    ASSERT_TRUE(host.WriteFileEx(file, data, 5, &record, RecordCompletion));

    EXPECT_EQ(WAIT_TIMEOUT, host.WaitForSingleObjectEx(event, 0, FALSE));  // not alertable: nothing runs
    EXPECT_EQ(0xFFFFFFFFu, completedError);
    EXPECT_EQ(WAIT_IO_COMPLETION, host.WaitForSingleObjectEx(event, 1000, TRUE));
    EXPECT_EQ(0u, completedError);
    EXPECT_EQ(5u, completedBytes);
    EXPECT_EQ(std::this_thread::get_id(), completedOn);
    EXPECT_EQ(WAIT_TIMEOUT, host.WaitForSingleObjectEx(event, 0, TRUE));  // ran once

    // A handle opened without the overlapped flag takes no such write.
    HANDLE plain = host.CreateFile(L"D:\\plain.bin", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    EXPECT_FALSE(host.WriteFileEx(plain, data, 5, &record, RecordCompletion));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), host.GetLastError());
    for (HANDLE handle : {file, event, plain}) host.CloseHandle(handle);
}
