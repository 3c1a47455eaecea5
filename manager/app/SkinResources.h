// The resources Tavlo takes from its skin library SkinRes.dll, by id.
//
// A language-dependent resource comes as a pair of ids: the lower one holds
// the Chinese variant, the next one the variant for every other language. A
// fixed resource serves both variants.
#pragma once

#include <cstddef>

struct SkinResource {
    unsigned id;  // the lower id of a pair, or the fixed id
    bool paired;
};

// The id to load for the variant: the one rule by which every paired
// resource is chosen.
constexpr unsigned SkinVariantId(SkinResource resource, bool chinese) {
    return resource.id + (resource.paired && !chinese ? 1 : 0);
}

// Strings: the window's size, and the three lists with their separators.
constexpr SkinResource kSkinWidth{162, true};
constexpr SkinResource kSkinHeight{164, true};
constexpr SkinResource kSkinMenuTexts{156, true};
constexpr SkinResource kSkinColumnTitles{158, true};
constexpr SkinResource kSkinMessages{160, true};
constexpr wchar_t kSkinMenuTextSeparator = L',';
constexpr wchar_t kSkinColumnTitleSeparator = L',';
constexpr wchar_t kSkinMessageSeparator = L';';

// The items of the filter box (1001), first "*.mp3": a combo box's items are
// no part of a dialog template, so the skin lists them in a string of its own
// for the window to fill in.
constexpr SkinResource kSkinFilters{180, false};
constexpr wchar_t kSkinFilterSeparator = L';';

// Pictures, the dialog template, the icon and the hand cursors.
constexpr SkinResource kSkinBackground{2003, true};
constexpr SkinResource kGaugeUsedPicture{2024, false};
constexpr SkinResource kGaugeFreePicture{2025, false};
constexpr unsigned kSkinMainDialog = 102;
constexpr unsigned kSkinIcon = 6000;
constexpr unsigned kHandPressedCursor = 3043;  // while a button is held down
constexpr unsigned kHandCursor = 3044;         // over a button otherwise

// A button strip holds five frames side by side; in the mask frame white
// marks what is cut out of the button.
constexpr int kButtonStripFrames = 5;

// Entries of the message list that the program shows.
enum SkinMessage : size_t {
    kWarningCaption = 0,
    kNoPcSelection = 1,
    kNoPlayer = 2,
    kCopyToPlayerFailed = 3,
    kNoPlayerSelection = 4,
    kCopyToPcFailed = 5,
    kNothingToDelete = 6,
    kPreviewAlreadyPlaying = 8,
    kNoPlayableFile = 9,
    kDeleteFailed = 12,
    kNoPcFolder = 13,
    kHelpWindowTitle = 14,
    kMainWindowCaption = 17,
};

constexpr SkinMessage kSkinMessagesUsed[] = {
    kWarningCaption,    kNoPcSelection,   kNoPlayer,       kCopyToPlayerFailed, kNoPlayerSelection,
    kCopyToPcFailed,    kNothingToDelete, kPreviewAlreadyPlaying, kNoPlayableFile, kDeleteFailed,
    kNoPcFolder,        kHelpWindowTitle, kMainWindowCaption,
};

// Entries of the menu-text list, one per popup menu command 2024 to 2034.
enum SkinMenuText : size_t {
    kUpOneLevelText = 0,
    kCopyToPlayerText = 1,
    kCopyToPcText = 2,
    kDeleteText = 3,
    kFormatText = 4,
    kPlayText = 5,
    kStopText = 6,
    kExitText = 7,
    kHelpText = 8,
    kRefreshText = 9,
    kSpeechText = 10,
    kSkinMenuTextCount = 11,
};

// The column titles of both file lists: name, size, type, modification date.
constexpr size_t kSkinColumnCount = 4;
