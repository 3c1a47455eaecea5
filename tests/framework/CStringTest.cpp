// The framework's string: its characters on the process heap, which every
// module of a process shares, and the parts and edits Tavlo and Quell use.
#include "framework/String.h"

#include <gtest/gtest.h>

namespace {

// Whether `at` lies in a block the process heap has handed out.
bool OnProcessHeap(const void* at) {
    HANDLE heap = ::GetProcessHeap();
    ::HeapLock(heap);
    PROCESS_HEAP_ENTRY entry = {};
    bool found = false;
    while (!found && ::HeapWalk(heap, &entry)) {
        const char* first = static_cast<const char*>(entry.lpData);
        found = (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) && at >= first && at < first + entry.cbData;
    }
    ::HeapUnlock(heap);
    return found;
}

TEST(CString, KeepsItsCharactersOnTheProcessHeap) {
    CString text(L"E:\\F:\\");
    EXPECT_TRUE(OnProcessHeap(text.GetString()));
    CString empty;
    EXPECT_STREQ(L"", empty.GetString());
    EXPECT_TRUE(empty.IsEmpty());
}

TEST(CString, CopiesJoinsAndPartsStayWithinTheString) {
    CString text(L"MP3 Audio Player");
    CString copy = text;
    copy += L" / ";
    copy += copy;  // joined with itself
    EXPECT_EQ(L"MP3 Audio Player / MP3 Audio Player / ", copy);
    EXPECT_EQ(L"MP3 Audio Player", text);

    EXPECT_EQ(L"MP3", text.Left(3));
    EXPECT_EQ(L"Player", text.Right(6));
    EXPECT_EQ(L"Audio", text.Mid(4, 5));
    EXPECT_EQ(L"Player", text.Mid(10, 100));
    EXPECT_EQ(L"", text.Mid(40, 2));
    EXPECT_EQ(L"MP3 Audio Player", text.Left(99));
    EXPECT_EQ(4, text.Find(L"Audio"));
    EXPECT_EQ(-1, text.Find(L"Audio", 5));
    EXPECT_EQ(0, CString(L"/V").CompareNoCase(L"/v"));

    text = text.GetString() + 4;  // assigned from its own characters
    EXPECT_EQ(L"Audio Player", text);
}

TEST(CString, ABufferFilledByTheSystemTakesItsLength) {
    CString path(L"old");
    wchar_t* buffer = path.GetBuffer(MAX_PATH);
    ASSERT_NE(nullptr, buffer);
    EXPECT_STREQ(L"old", buffer);  // the text so far stays
    ASSERT_NE(0u, ::GetWindowsDirectoryW(buffer, MAX_PATH));
    path.ReleaseBuffer();
    EXPECT_EQ(static_cast<int>(wcslen(path.GetString())), path.GetLength());
    EXPECT_GT(path.GetLength(), 2);

    path.GetBuffer(10);
    path.ReleaseBuffer(2);
    EXPECT_EQ(2, path.GetLength());
}

}  // namespace
