// The shipped skin library and region file, read in both variants through
// the platform's loader on Windows and the simulated PC's natively: every
// control of the main window has its place inside the window's outline,
// every button its strip, and every text the program shows is there.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "manager/app/SkinDefinition.h"
#include "manager/app/SkinElements.h"
#include "manager/app/SkinRegionFile.h"
#include "manager/app/SkinResources.h"
#include "platform/TextCodec.h"
#include "tests/skin/DialogTemplateReader.h"
#include "tests/support/TestHosts.h"

namespace {

// Resource types, as numbered by the platform.
const WORD kBitmapType = 2;
const WORD kDialogType = 5;
const WORD kCursorGroupType = 12;
const WORD kIconGroupType = 14;
const WORD kNeutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);

// The filter box is as tall as its drop-down list; closed, it is one line.
const int kClosedFilterBoxHeight = 24;

struct Bitmap {
    int width = 0, height = 0;
    int bitCount = 0;
    const unsigned char* pixels = nullptr;

    // Blue, green, red of a 24-bit picture; rows are stored bottom up.
    uint32_t Colour(int x, int y) const {
        const unsigned char* pixel = pixels + (height - 1 - y) * ((3 * width + 3) / 4 * 4) + 3 * x;
        return pixel[0] | pixel[1] << 8 | pixel[2] << 16;
    }
};

class SkinLibrary {
public:
    SkinLibrary() : m_host(MakePlatformHost()), m_skin(m_host->LoadLibrary(L"SkinRes.dll")) {}
    ~SkinLibrary() {
        if (m_skin) m_host->FreeLibrary(m_skin);
    }

    Host& host() { return *m_host; }
    HMODULE skin() const { return m_skin; }

    const unsigned char* Find(WORD type, unsigned id, DWORD* size = nullptr) {
        HRSRC found = m_host->FindResourceEx(m_skin, MAKEINTRESOURCEW(type), MAKEINTRESOURCEW(id), kNeutral);
        HGLOBAL loaded = found ? m_host->LoadResource(m_skin, found) : nullptr;
        if (size) *size = found ? m_host->SizeofResource(m_skin, found) : 0;
        return loaded ? static_cast<const unsigned char*>(m_host->LockResource(loaded)) : nullptr;
    }

    bool FindBitmap(unsigned id, Bitmap& bitmap) {
        const unsigned char* bytes = Find(kBitmapType, id);
        if (!bytes) return false;
        auto i32 = [&](int at) { return static_cast<int>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | bytes[at + 3] << 24); };
        bitmap.width = i32(4);
        bitmap.height = i32(8);
        bitmap.bitCount = bytes[14] | bytes[15] << 8;
        bitmap.pixels = bytes + i32(0);
        return true;
    }

private:
    std::unique_ptr<Host> m_host;
    HMODULE m_skin;
};

class ShippedSkin : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        ASSERT_NE(nullptr, library.skin()) << "cannot load SkinRes.dll, error " << library.host().GetLastError();
        definition.Load(library.host(), library.skin(), chinese);
    }

    // The part of an element a control covers on the window.
    SkinRect Covered(const SkinElementSlot& element) const {
        SkinRect rect = definition.Element(element.string.id).rect;
        if (element.control == kFilterBox) rect.bottom = rect.top + kClosedFilterBoxHeight;
        return rect;
    }

    const bool chinese = GetParam();
    SkinLibrary library;
    SkinDefinition definition;
};

// Window class names are compared without regard to case, as the platform does.
std::string Upper(const std::wstring& name) {
    std::string upper;
    for (wchar_t c : name) upper += static_cast<char>(c >= L'a' && c <= L'z' ? c - L'a' + 'A' : c);
    return upper;
}

std::string Name(const SkinElementSlot& element) { return "element " + std::to_string(element.string.id); }

TEST_P(ShippedSkin, FitsTheSmallestScreenOfItsDay) {
    EXPECT_GT(definition.Width(), 0);
    EXPECT_GT(definition.Height(), 0);
    EXPECT_LE(definition.Width(), 800);
    EXPECT_LE(definition.Height(), 600);
}

TEST_P(ShippedSkin, PlacesEveryControlInsideTheOutlineAndApart) {
    SkinRegion outline;
    ASSERT_TRUE(LoadSkinRegion(library.host(), SkinRegionPath(library.host()), outline));
    ASSERT_FALSE(outline.rectangles.empty());
    for (const SkinRect& run : outline.rectangles) {
        EXPECT_TRUE(run.left >= 0 && run.top >= 0 && run.right <= definition.Width() &&
                    run.bottom <= definition.Height() && run.left < run.right && run.top < run.bottom)
            << "a rectangle of the outline leaves the window: " << run.left << "," << run.top;
    }
    auto insideOutline = [&](const SkinRect& rect) {
        for (int y = rect.top; y < rect.bottom; ++y) {
            bool covered = false;
            for (const SkinRect& run : outline.rectangles) {
                covered = covered || (run.top <= y && y < run.bottom && run.left <= rect.left && rect.right <= run.right);
            }
            if (!covered) return false;
        }
        return true;
    };

    std::vector<std::pair<std::string, SkinRect>> placed;
    for (const SkinElementSlot& element : SkinElements()) {
        const SkinElement& shown = definition.Element(element.string.id);
        if (element.kind == SkinElementKind::kDecoration) {
            EXPECT_FALSE(shown.Shown()) << Name(element) << " has no control and no picture to show";
            continue;
        }
        ASSERT_TRUE(shown.Shown()) << Name(element);
        const SkinRect rect = Covered(element);
        EXPECT_TRUE(rect.Width() > 0 && rect.Height() > 0) << Name(element);
        EXPECT_TRUE(insideOutline(rect)) << Name(element) << " is not wholly inside the window's outline";
        for (const auto& other : placed) {
            const bool apart = rect.right <= other.second.left || other.second.right <= rect.left ||
                               rect.bottom <= other.second.top || other.second.bottom <= rect.top;
            EXPECT_TRUE(apart) << Name(element) << " overlaps " << other.first;
        }
        placed.emplace_back(Name(element), rect);
    }
}

TEST_P(ShippedSkin, GivesEveryButtonAStripOfItsSizeAndTheWindowItsPictures) {
    for (const SkinElementSlot& element : SkinElements()) {
        if (element.kind != SkinElementKind::kButton) continue;
        const SkinRect place = definition.Element(element.string.id).rect;
        Bitmap strip;
        ASSERT_TRUE(library.FindBitmap(SkinVariantId(element.picture, chinese), strip)) << Name(element);
        ASSERT_EQ(24, strip.bitCount) << Name(element);
        EXPECT_EQ(kButtonStripFrames * place.Width(), strip.width) << Name(element);
        ASSERT_EQ(place.Height(), strip.height) << Name(element);
        // The mask frame is black where the button is and white where it is cut out.
        int black = 0, other = 0;
        for (int y = 0; y < strip.height; ++y)
            for (int x = (kButtonStripFrames - 1) * place.Width(); x < strip.width; ++x) {
                const uint32_t colour = strip.Colour(x, y);
                black += colour == 0;
                other += colour != 0 && colour != 0xFFFFFF;
            }
        EXPECT_GT(black, 0) << Name(element);
        EXPECT_EQ(0, other) << Name(element);
    }

    Bitmap background, used, free;
    ASSERT_TRUE(library.FindBitmap(SkinVariantId(kSkinBackground, chinese), background));
    EXPECT_EQ(definition.Width(), background.width);
    EXPECT_EQ(definition.Height(), background.height);
    ASSERT_TRUE(library.FindBitmap(kGaugeUsedPicture.id, used));
    ASSERT_TRUE(library.FindBitmap(kGaugeFreePicture.id, free));
    const int gaugeHeight = definition.Element(FindSkinElement(132)->string.id).rect.Height();
    EXPECT_EQ(gaugeHeight, used.height);
    EXPECT_EQ(gaugeHeight, free.height);
}

TEST_P(ShippedSkin, HoldsEveryTextTheProgramShows) {
    for (SkinMessage index : kSkinMessagesUsed) {
        EXPECT_FALSE(definition.Message(index).empty()) << "message " << index;
    }
    ASSERT_EQ(kSkinMenuTextCount, definition.MenuTexts().size());
    for (const std::wstring& text : definition.MenuTexts()) {
        EXPECT_LE(text.size(), 31u) << Utf8FromWide(text) << " does not fit a menu item's record";
    }
    EXPECT_EQ(kSkinColumnCount, definition.ColumnTitles().size());

    // The lists compare a name's last four characters with a filter's.
    ASSERT_FALSE(definition.Filters().empty());
    EXPECT_EQ(std::wstring(L"*.mp3"), definition.Filters().front());
    bool all = false;
    for (const std::wstring& filter : definition.Filters()) {
        all = all || filter == L"*.*";
        EXPECT_TRUE(filter == L"*.*" || (filter.size() == 5 && filter.compare(0, 2, L"*.") == 0))
            << Utf8FromWide(filter);
    }
    EXPECT_TRUE(all);

    SkinDefinition other;
    other.Load(library.host(), library.skin(), !chinese);
    EXPECT_NE(other.Message(kMainWindowCaption), definition.Message(kMainWindowCaption));
    EXPECT_NE(other.MenuText(kDeleteText), definition.MenuText(kDeleteText));
}

INSTANTIATE_TEST_SUITE_P(BothVariants, ShippedSkin, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "Chinese" : "English");
                         });

TEST(ShippedSkinTemplate, NamesTheWindowClassAndHoldsTheControlsOfTheirKinds) {
    SkinLibrary library;
    ASSERT_NE(nullptr, library.skin());
    DWORD size = 0;
    const unsigned char* bytes = library.Find(kDialogType, kSkinMainDialog, &size);
    ASSERT_NE(nullptr, bytes);
    DialogTemplate dialog;
    ASSERT_TRUE(ReadDialogTemplate(bytes, size, dialog));
    EXPECT_EQ(std::wstring(L"MP3MANAGER_MEREL_040218"), dialog.windowClass);
    const uint32_t kPopup = 0x80000000u, kCaption = 0x00C00000u, kGroup = 0x00020000u;
    EXPECT_EQ(kPopup, dialog.style & kPopup);
    EXPECT_EQ(0u, dialog.style & kCaption) << "the skin draws the window's whole face";

    const uint32_t kOwnerDraw = 0xB, kAutoRadio = 0x9, kDropDownList = 0x3, kReport = 0x1;
    std::vector<int> seen(kStopButton + 1, 0);
    for (size_t i = 0; i < dialog.controls.size(); ++i) {
        const DialogControl& control = dialog.controls[i];
        ASSERT_TRUE(control.id >= kFilterBox && control.id <= kStopButton) << control.id;
        ++seen[control.id];
        const std::string id = std::to_string(control.id);
        switch (control.id) {
        case kFilterBox:
            EXPECT_EQ("COMBOBOX", Upper(control.windowClass));
            EXPECT_EQ(kDropDownList, control.style & 0x3) << id;
            break;
        case kPcList:
        case kPlayerList:
            EXPECT_EQ("SYSLISTVIEW32", Upper(control.windowClass)) << id;
            EXPECT_EQ(kReport, control.style & 0x3) << id;
            break;
        case kPositionSlider:
        case kVolumeSlider: EXPECT_EQ("MSCTLS_TRACKBAR32", Upper(control.windowClass)) << id; break;
        case kFolderTree: EXPECT_EQ("SYSTREEVIEW32", Upper(control.windowClass)); break;
        case kDrive1Button:
        case kDrive2Button:
            EXPECT_EQ("BUTTON", Upper(control.windowClass)) << id;
            EXPECT_EQ(kAutoRadio, control.style & 0xF) << id;
            // The two drives are a radio group of their own.
            EXPECT_EQ(control.id == kDrive1Button, (control.style & kGroup) != 0) << id;
            if (control.id == kDrive2Button) {
                ASSERT_LT(i + 1, dialog.controls.size());
                EXPECT_NE(0u, dialog.controls[i + 1].style & kGroup) << "the control after drive 2 starts a group";
            }
            break;
        default:
            EXPECT_EQ("BUTTON", Upper(control.windowClass)) << id;
            EXPECT_EQ(kOwnerDraw, control.style & 0xF) << id;
        }
    }
    for (int id = kFilterBox; id <= kStopButton; ++id) EXPECT_EQ(1, seen[id]) << "control " << id;
}

TEST(ShippedSkinPictures, HoldTheIconAndTheHandCursors) {
    SkinLibrary library;
    ASSERT_NE(nullptr, library.skin());
    EXPECT_NE(nullptr, library.Find(kIconGroupType, kSkinIcon));
    EXPECT_NE(nullptr, library.Find(kCursorGroupType, kHandCursor));
    EXPECT_NE(nullptr, library.Find(kCursorGroupType, kHandPressedCursor));
}

}  // namespace
