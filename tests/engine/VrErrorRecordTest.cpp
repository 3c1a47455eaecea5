#include <gtest/gtest.h>

#include "updater/base/VrBase.h"
#include "updater/base/VrErrorRecord.h"
#include "updater/base/VrResult.h"

namespace {

class FailedTransport : public CVrBase {
public:
    FailedTransport(int32_t result, uint32_t systemError) : CVrBase("CVrScsi_Nt") {
        SetResult(result);
        m_systemError = systemError;
    }
};

}  // namespace

TEST(VrErrorRecord, StartsWithNoComponentAndEmptyTexts) {
    CVrErrorRecord record;
    EXPECT_EQ(255, record.GetComponentIndex());
    EXPECT_EQ("", record.GetObjectName());
    EXPECT_EQ(L"", record.GetDetail());
    EXPECT_EQ(0, record.GetResultCode());
    EXPECT_EQ(0u, record.GetSystemError());
}

TEST(VrErrorRecord, RecordCopiesTheObjectAndKeepsEarlierComponentAndDetail) {
    CVrErrorRecord record;
    FailedTransport checkCondition(kVrCheckCondition, 0);
    EXPECT_EQ(0u, record.RecordWithDetail(checkCondition, L"0x70, 0x0, 0x5"));
    EXPECT_EQ(kVrCheckCondition, record.GetResultCode());
    EXPECT_EQ(L"0x70, 0x0, 0x5", record.GetDetail());

    FailedTransport component(kVrFileOpenFailed, 2);
    EXPECT_EQ(2u, record.RecordWithComponent(component, 3));
    EXPECT_EQ(3, record.GetComponentIndex());

    FailedTransport control(kVrControlFailed, 31);
    EXPECT_EQ(31u, record.Record(control));
    EXPECT_EQ("CVrScsi_Nt", record.GetObjectName());
    EXPECT_EQ(kVrControlFailed, record.GetResultCode());
    EXPECT_EQ(31u, record.GetSystemError());
    EXPECT_EQ(3, record.GetComponentIndex());
    EXPECT_EQ(L"0x70, 0x0, 0x5", record.GetDetail());

    record.Set(kVrNoPlayer, 0);
    EXPECT_EQ(kVrNoPlayer, record.GetResultCode());
    EXPECT_EQ(0u, record.GetSystemError());
    EXPECT_EQ("CVrScsi_Nt", record.GetObjectName());
}
