// The dialog templates as the program ships them: each control the logic
// addresses is there, of the class the logic expects, and where the dialog's
// design puts it (in dialog units) when the design fixes the place.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/Win32Host.h"
#include "tests/win32ui/ProbeDialog.h"
#include "updater/app/VrDialogIds.h"
#include "updater/win32/VrWin32FrontEnd.h"

namespace {

struct Control {
    int id;
    const wchar_t* windowClass;
    // Left, top, width and height in dialog units; all zero: any place.
    RECT units;
};

// The dialog manager converts a control's place and its size each on its own,
// so the right edge is not the converted left plus width in dialog units.
RECT PixelsOf(HWND dialog, RECT units) {
    RECT place = {units.left, units.top, units.right, units.bottom};
    ::MapDialogRect(dialog, &place);
    return {place.left, place.top, place.left + place.right, place.top + place.bottom};
}

void ExpectTemplate(int templateId, SIZE size, const std::vector<Control>& controls) {
    Win32Host host;
    VrWin32FrontEnd frontEnd(host);
    frontEnd.Initialise();
    ProbeDialog dialog(templateId);
    std::unique_ptr<VrDialogSurface> surface = frontEnd.CreateModeless(dialog);
    HWND window = dialog.window;
    ASSERT_TRUE(::IsWindow(window)) << "template " << templateId;

    RECT expected = PixelsOf(window, {0, 0, size.cx, size.cy});
    RECT client;
    ::GetClientRect(window, &client);
    EXPECT_EQ(expected.right, client.right) << "template " << templateId;
    EXPECT_EQ(expected.bottom, client.bottom) << "template " << templateId;

    for (const Control& control : controls) {
        SCOPED_TRACE(testing::Message() << "template " << templateId << ", control " << control.id);
        HWND item = ::GetDlgItem(window, control.id);
        ASSERT_TRUE(item);
        wchar_t windowClass[64] = {};
        ::GetClassNameW(item, windowClass, 64);
        EXPECT_EQ(0, ::lstrcmpiW(control.windowClass, windowClass)) << windowClass;
        if (control.units.right == 0) continue;
        RECT place = PixelsOf(window, control.units);
        RECT actual;
        ::GetWindowRect(item, &actual);
        ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_EQ(place.left, actual.left);
        EXPECT_EQ(place.top, actual.top);
        EXPECT_EQ(place.right, actual.right);
        EXPECT_EQ(place.bottom, actual.bottom);
    }
}

TEST(CaddisTemplates, SearchDialog) {
    ExpectTemplate(kVrSearchTemplate, {302, 163},
                   {{kVrIdCancel, L"Button", {126, 142, 50, 14}},
                    {kVrSearchStatus, L"Static", {14, 19, 274, 28}},
                    {kVrSearchFrame, L"Button", {7, 7, 287, 100}},
                    {kVrSearchAnimationControl, L"SysAnimate32", {130, 58, 42, 24}},
                    {kVrSearchBar, L"msctls_progress32", {15, 78, 272, 16}}});
}

TEST(CaddisTemplates, DownloadDialog) {
    ExpectTemplate(kVrDownloadTemplate, {208, 232},
                   {{kVrDownloadVersionGroup, L"Button", {7, 7, 194, 90}},
                    {kVrDownloadCurrentLabel, L"Static", {17, 20, 172, 10}},
                    {kVrDownloadCurrentVersion, L"Edit", {17, 30, 174, 12}},
                    {kVrDownloadNewLabel, L"Static", {17, 50, 173, 10}},
                    {kVrDownloadNewVersion, L"Edit", {17, 60, 174, 12}},
                    {kVrDownloadShowDetails, L"Button", {59, 80, 91, 12}},
                    {kVrDownloadOptionGroup, L"Button", {7, 105, 194, 31}},
                    {kVrDownloadFormatBox, L"Button", {17, 118, 173, 12}},
                    {kVrDownloadStageBar, L"msctls_progress32", {7, 145, 68, 12}},
                    {kVrDownloadStageText, L"Edit", {82, 145, 119, 12}},
                    {kVrDownloadOverallBar, L"msctls_progress32", {7, 165, 194, 12}},
                    {kVrDownloadStart, L"Button", {95, 211, 50, 14}},
                    {kVrDownloadClose, L"Button", {151, 211, 50, 14}}});
}

TEST(CaddisTemplates, DetailsDialog) {
    std::vector<Control> controls;
    for (const VrDetailsRow& row : kVrDetailsRows) {
        for (int id : {row.currentLabel, row.newLabel}) controls.push_back({id, L"Static", {}});
        for (int id : {row.currentVersion, row.newVersion, row.path})
            controls.push_back({id, L"Edit", {}});
    }
    for (int id : {kVrDetailsCurrentGroup, kVrDetailsNewGroup, kVrDetailsDeviceGroup, kVrIdOk})
        controls.push_back({id, L"Button", {}});
    controls.push_back({kVrDetailsChipLabel, L"Static", {}});
    controls.push_back({kVrDetailsChipRevision, L"Edit", {}});
    ExpectTemplate(kVrDetailsTemplate, {407, 249}, controls);
}

TEST(CaddisTemplates, AboutBox) {
    ExpectTemplate(kVrAboutTemplate, {321, 102},
                   {{kVrAboutIconControl, L"Static", {}},
                    {kVrAboutProductLine, L"Static", {}},
                    {kVrAboutLegalNotice, L"Static", {}},
                    {kVrAboutVersion, L"Static", {}},
                    {kVrIdOk, L"Button", {}}});
}

}  // namespace
