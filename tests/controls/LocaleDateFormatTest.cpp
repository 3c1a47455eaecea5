// The date column's text: the locale's pictures converted to format codes,
// the codes rendered, and the whole text of a file time on a simulated PC
// whose locale a test sets.
#include <gtest/gtest.h>

#include <string>

#include "manager/app/DatePicture.h"
#include "manager/app/DateTimeText.h"
#include "manager/app/LocaleDateFormat.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimHost.h"
#include "platform/sim/SimMachine.h"

namespace {

TEST(DatePicture, TokensBecomeCodesAndTheRestStays) {
    EXPECT_EQ(L"%d/%m/%Y", ConvertDatePicture(L"dd/MM/yyyy"));
    EXPECT_EQ(L"%#I:%M %p", ConvertDatePicture(L"h:mm tt"));
    EXPECT_EQ(L"%A, %B %#d, %Y", ConvertDatePicture(L"dddd, MMMM d, yyyy"));
    // Runs are whole: a run that is no token is copied as it is.
    EXPECT_EQ(L"yyyyMMdd", ConvertDatePicture(L"yyyyMMdd"));
    EXPECT_EQ(L"yyyy'x'M", ConvertDatePicture(L"yyyy'x'M"));
    // A '%' of the picture is no code.
    EXPECT_EQ(L"100%%", ConvertDatePicture(L"100%"));
    EXPECT_EQ(L"", ConvertDatePicture(L""));
}

class LocaleOnPc : public ::testing::Test {
protected:
    // 2004-03-05 09:07:02, a Friday.
    static FILETIME March5() {
        SYSTEMTIME time = {2004, 3, 5, 5, 9, 7, 2, 0};
        const uint64_t value = SimFileTimeFromSystemTime(time);
        return {static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
    }
    std::wstring Format(const wchar_t* date, const wchar_t* time) {
        if (date) machine.Locale().SetText(LOCALE_SSHORTDATE, date); else machine.Locale().RemoveText(LOCALE_SSHORTDATE);
        if (time) machine.Locale().SetText(LOCALE_STIMEFORMAT, time); else machine.Locale().RemoveText(LOCALE_STIMEFORMAT);
        CLocaleDateFormat format(host);
        return format.Format(March5());
    }

    SimMachine machine;
    SimHost host{machine, L"C:\\Tavlo\\Tavlo.exe"};
};

TEST_F(LocaleOnPc, FileTimesByTheUsersPictures) {
    EXPECT_EQ(L"05/03/2004 09:07:02", Format(L"dd/MM/yyyy", L"HH:mm:ss"));
    EXPECT_EQ(L"5.3.04 9:07 AM", Format(L"d.M.yy", L"h:mm tt"));
    // The abbreviated day name, from the locale's names.
    EXPECT_EQ(L"Fri 5 Mar 2004 9:07", Format(L"ddd d MMM yyyy", L"H:mm"));
}

TEST_F(LocaleOnPc, TheLocalesOwnNamesAndDesignators) {
    machine.Locale().SetText(LOCALE_SDAYNAME1 + 4, L"vendredi");
    machine.Locale().SetText(LOCALE_SMONTHNAME1 + 2, L"mars");
    machine.Locale().SetText(LOCALE_S1159, L"vorm.");
    EXPECT_EQ(L"vendredi 5 mars 2004 09 vorm.", Format(L"dddd d MMMM yyyy", L"hh tt"));
}

TEST_F(LocaleOnPc, MissingPicturesHaveStandIns) {
    EXPECT_EQ(L"2004-03-05 9:07", Format(nullptr, nullptr));
    CLocaleDateFormat format(host);
    std::wstring text;
    EXPECT_FALSE(format.Text(LOCALE_STIMEFORMAT, text));
    EXPECT_TRUE(format.Text(LOCALE_STHOUSAND, text));
    EXPECT_EQ(L",", text);
}

TEST_F(LocaleOnPc, ATimeWindowsCannotConvertGivesNoText) {
    CLocaleDateFormat format(host);
    EXPECT_EQ(L"", format.Format({0xFFFFFFFF, 0xFFFFFFFF}));
}

TEST(DateTimeText, CodesOutsideTheListAndTwelveOClock) {
    LocaleNames names;
    const SYSTEMTIME noon = {2004, 3, 5, 5, 12, 0, 0, 0};
    const SYSTEMTIME midnight = {2004, 3, 5, 5, 0, 5, 0, 0};
    EXPECT_EQ(L"12 PM %Q %", FormatDateTime(L"%#I %p %Q %", noon, names));
    EXPECT_EQ(L"12:05 AM", FormatDateTime(L"%I:%M %p", midnight, names));
}

}  // namespace
