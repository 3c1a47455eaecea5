#include <gtest/gtest.h>

#include <vector>

#include "updater/base/VrArray.h"
#include "updater/base/VrByteArray.h"
#include "updater/base/VrOwningArray.h"

static std::vector<uint32_t> Elements(const CVrArray& array) {
    std::vector<uint32_t> values(array.GetCount());
    for (uint32_t i = 0; i < array.GetCount(); ++i) array.GetAt(i, values[i]);
    return values;
}

TEST(VrArray, IndexesAtOrPastTheCountAreRefusedAndChangeNothing) {
    CVrArray array(3);
    EXPECT_EQ(kVrOk, array.GetLastResult());
    EXPECT_EQ("CVrArray", array.GetObjectName());
    EXPECT_EQ((std::vector<uint32_t>{0, 0, 0}), Elements(array));
    uint32_t untouched = 99;
    EXPECT_EQ(kVrIndexOutOfRange, array.GetAt(3, untouched));
    EXPECT_EQ(99u, untouched);
    EXPECT_EQ(nullptr, array.GetPtr(3));
    EXPECT_EQ(kVrIndexOutOfRange, array.SetAt(0xFFFFFFFF, 7));
    ASSERT_EQ(kVrOk, array.SetAt(2, 0xDEADBEEF));
    EXPECT_EQ((std::vector<uint32_t>{0, 0, 0xDEADBEEF}), Elements(array));
}

TEST(VrArray, SetSizeReplacesTheElementsWithZeroes) {
    CVrArray array(2);
    array.SetAt(0, 42);
    ASSERT_EQ(kVrOk, array.SetSize(0));
    uint32_t value = 99;
    EXPECT_EQ(kVrIndexOutOfRange, array.GetAt(0, value));
    ASSERT_EQ(kVrOk, array.SetSize(3));
    EXPECT_EQ((std::vector<uint32_t>{0, 0, 0}), Elements(array));
}

// Only a 32-bit process is sure to be refused 4 GiB; a 64-bit one may get it.
// The byte array asks the allocator for it; the 32-bit array's size does not
// even fit in a 32-bit size.
TEST(VrArray, StorageThatCannotBeObtainedLeavesAnEmptyArrayAndNoMemory) {
    if (sizeof(void*) != 4) GTEST_SKIP() << "needs a 32-bit address space";
    CVrByteArray bytes(0xFFFFFFFF);
    EXPECT_EQ(kVrNoMemory, bytes.GetLastResult());
    EXPECT_EQ(0u, bytes.GetCount());
    EXPECT_EQ(nullptr, bytes.GetPtr(0));

    CVrArray array(2);
    EXPECT_EQ(kVrNoMemory, array.SetSize(0xFFFFFFFF));
    EXPECT_EQ(kVrNoMemory, array.GetLastResult());
    EXPECT_EQ(0u, array.GetCount());
    ASSERT_EQ(kVrOk, array.SetSize(2));
    EXPECT_EQ(kVrOk, array.GetLastResult());
}

namespace {

class Counted {
public:
    explicit Counted(int& destroyed) : m_destroyed(destroyed) {}
    virtual ~Counted() = default;

protected:
    int& m_destroyed;
};

// Deleted through a Counted pointer: only a virtual destructor counts it.
class CountedRecord : public Counted {
public:
    using Counted::Counted;
    ~CountedRecord() override { ++m_destroyed; }
};

}  // namespace

TEST(VrOwningArray, DestroysEachHeldElementOnceAndSkipsEmptySlots) {
    int destroyed = 0;
    {
        CVrOwningArray<Counted> array(4);
        array.SetAt(0, new CountedRecord(destroyed));
        array.SetAt(2, new CountedRecord(destroyed));
        array.SetAt(3, new CountedRecord(destroyed));
    }
    EXPECT_EQ(3, destroyed);
}

TEST(VrOwningArray, ClearAndSetSizeDestroyButSetAtOnlyHandsOver) {
    int destroyed = 0;
    CVrOwningArray<Counted> array(2, "CVrVersionInfoPtrArray");
    EXPECT_EQ("CVrVersionInfoPtrArray", array.GetObjectName());
    CountedRecord taken(destroyed);
    array.SetAt(0, &taken);
    array.SetAt(0, nullptr);
    EXPECT_EQ(0, destroyed);

    array.SetAt(1, new CountedRecord(destroyed));
    array.Clear();
    EXPECT_EQ(1, destroyed);
    EXPECT_EQ(nullptr, *array.GetPtr(1));

    array.SetAt(0, new CountedRecord(destroyed));
    array.SetSize(1);
    EXPECT_EQ(2, destroyed);
    EXPECT_EQ(nullptr, *array.GetPtr(0));
}
