// CFileOperation against the simulated PC's shell: the buffers it hands
// over, the flags it adds, and the operations it refuses without calling
// the shell.
#include "manager/app/FileOperation.h"

#include <gtest/gtest.h>

#include "platform/sim/SimHost.h"

namespace {

using Paths = std::vector<std::wstring>;

struct FileOperationTest : testing::Test {
    SimMachine machine;
    SimHost host{machine, L"C:\\Tavlo\\Tavlo.exe"};
    HWND owner = reinterpret_cast<HWND>(0x1234);

    FileOperationOutcome Run(UINT function, WORD flags, const Paths& sources, const Paths& destinations) {
        CFileOperation operation(host);
        operation.Initialise(function, owner, flags);
        for (const auto& path : sources) operation.AddSource(path);
        for (const auto& path : destinations) operation.AddDestination(path);
        return operation.Execute();
    }
};

}  // namespace

TEST_F(FileOperationTest, CopyHandsTheShellEveryPairAndAddsMultipleDestinations) {
    const Paths sources = {L"C:\\Music\\Song.MP3", L"C:\\Music\\notes.txt"};
    const Paths destinations = {L"E:\\Song.MP3", L"E:\\edisk\\notes.txt"};
    const FileOperationOutcome outcome = Run(file_operation::kCopy, kImportFlags, sources, destinations);
    EXPECT_TRUE(outcome.started);
    const auto operations = machine.FileOperations();
    ASSERT_EQ(1u, operations.size());
    EXPECT_EQ(owner, operations[0].owner);
    EXPECT_EQ(file_operation::kCopy, operations[0].function);
    EXPECT_EQ(kImportFlags | file_operation::kMultiDestFiles, operations[0].flags);
    EXPECT_EQ(sources, operations[0].from);
    EXPECT_EQ(destinations, operations[0].to);
}

TEST_F(FileOperationTest, OneDestinationTakesEverySourceAndDeletionHasNone) {
    Run(file_operation::kMove, kImportFlags, {L"C:\\a.wav", L"C:\\b.wav"}, {L"E:\\"});
    Run(file_operation::kDelete, kDeleteFlags, {L"E:\\a.mp3"}, {L"ignored"});
    const auto operations = machine.FileOperations();
    ASSERT_EQ(2u, operations.size());
    EXPECT_EQ(kImportFlags, operations[0].flags);  // one destination: no pairs
    EXPECT_EQ(Paths{L"E:\\"}, operations[0].to);
    EXPECT_EQ(file_operation::kDelete, operations[1].function);
    EXPECT_EQ(kDeleteFlags, operations[1].flags);
    EXPECT_TRUE(operations[1].to.empty());
}

TEST_F(FileOperationTest, TheShellsAnswerAndTheUsersAbortComeBack) {
    machine.SetFileOperationAnswer({0x4C7, true});
    const FileOperationOutcome outcome = Run(file_operation::kDelete, kDeleteFlags, {L"E:\\a.mp3"}, {});
    EXPECT_TRUE(outcome.started);
    EXPECT_EQ(0x4C7, outcome.shellResult);
    EXPECT_TRUE(outcome.aborted);
}

TEST_F(FileOperationTest, BadCountsAndPathsTheShellCannotTakeAreRefusedUnstarted) {
    const std::wstring tooLong = L"E:\\" + std::wstring(253, L'x') + L".mp3";  // 260 characters
    const std::wstring longest = tooLong.substr(1);                            // 259
    struct Case {
        const char* what;
        UINT function;
        Paths sources, destinations;
    };
    const Case refused[] = {
        {"no source", file_operation::kCopy, {}, {L"E:\\a"}},
        {"no destination", file_operation::kCopy, {L"C:\\a"}, {}},
        {"two destinations for three sources", file_operation::kCopy, {L"C:\\a", L"C:\\b", L"C:\\c"},
         {L"E:\\a", L"E:\\b"}},
        {"no operation", 0, {L"C:\\a"}, {L"E:\\a"}},
        {"operation 5", 5, {L"C:\\a"}, {L"E:\\a"}},
        // An empty path would end the list early and pair the rest wrongly.
        {"an empty source", file_operation::kCopy, {L"C:\\a", L"", L"C:\\c"}, {L"E:\\a", L"E:\\b", L"E:\\c"}},
        {"a zero inside a path", file_operation::kDelete, {std::wstring(L"C:\\a\0b", 6)}, {}},
        {"a destination too long", file_operation::kCopy, {L"C:\\a.mp3"}, {tooLong}},
    };
    for (const Case& c : refused) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(Run(c.function, kCopyFlags, c.sources, c.destinations).started);
    }
    EXPECT_TRUE(machine.FileOperations().empty());

    EXPECT_TRUE(Run(file_operation::kCopy, kCopyFlags, {L"C:\\a.mp3"}, {longest}).started);

    // Never initialised, or reset since: nothing to run.
    CFileOperation operation(host);
    operation.AddSource(L"C:\\a.mp3");
    EXPECT_FALSE(operation.Execute().started);
    operation.Initialise(file_operation::kDelete, owner, kDeleteFlags);
    operation.Reset();
    operation.AddSource(L"C:\\a.mp3");
    EXPECT_FALSE(operation.Execute().started);
    EXPECT_EQ(1u, machine.FileOperations().size());
}
