// The resource ids of the updater's dialogs and their controls: the Win32
// templates carry them, and the portable dialog logic addresses controls by
// them, so both sides read from this one table.
#pragma once

// Templates.
const int kVrAboutTemplate = 100;
const int kVrDownloadTemplate = 102;
const int kVrSearchTemplate = 129;
const int kVrDetailsTemplate = 130;
const int kVrMessageBoxTemplate = 139;

// Icons and the search animation.
const int kVrSmallIcon = 128;
const int kVrAboutIcon = 135;
const int kVrSearchAnimation = 128;

// Commands every dialog shares (the platform's numbers).
const int kVrIdOk = 1;
const int kVrIdCancel = 2;  // also Escape and the close box
// System-menu commands from 16 to 31 open the about box.
const int kVrAboutCommand = 16;
const int kVrLastAboutCommand = 31;

// The search dialog (129).
const int kVrSearchStatus = 1003;
const int kVrSearchFrame = 1000;
const int kVrSearchAnimationControl = 1012;
const int kVrSearchBar = 1011;

// The download dialog (102).
const int kVrDownloadVersionGroup = 1018;
const int kVrDownloadCurrentLabel = 1010;
const int kVrDownloadCurrentVersion = 1015;
const int kVrDownloadNewLabel = 1001;
const int kVrDownloadNewVersion = 1016;
const int kVrDownloadShowDetails = 1017;
const int kVrDownloadOptionGroup = 1007;
const int kVrDownloadFormatBox = 1008;
const int kVrDownloadStageBar = 1011;
const int kVrDownloadStageText = 1013;
const int kVrDownloadOverallBar = 1014;
const int kVrDownloadStart = 1012;
const int kVrDownloadClose = 1;

// The details dialog (130): per component index 1 to 4, its row of controls.
struct VrDetailsRow {
    int currentLabel;
    int currentVersion;
    int newLabel;
    int newVersion;
    int path;
};
const VrDetailsRow kVrDetailsRows[4] = {
    {1024, 1019, 1028, 1029, 1039},
    {1025, 1023, 1034, 1033, 1042},
    {1026, 1022, 1035, 1032, 1041},
    {1027, 1021, 1036, 1031, 1040},
};
const int kVrDetailsCurrentGroup = 1020;
const int kVrDetailsNewGroup = 1030;
const int kVrDetailsDeviceGroup = 1004;
const int kVrDetailsChipLabel = 1038;
const int kVrDetailsChipRevision = 1037;

// The about box (100).
const int kVrAboutIconControl = 1005;
const int kVrAboutProductLine = 1007;
const int kVrAboutLegalNotice = 1006;
const int kVrAboutVersion = 1016;

// The message box with details (139).
const int kVrMessageYes = 6;
const int kVrMessageNo = 7;
const int kVrMessageIcon = 1000;
const int kVrMessageText = 1001;
const int kVrMessageCollapse = 1008;
const int kVrMessageExpand = 1009;
const int kVrMessageDetails = 1010;
const int kVrMessageSeparator = 1013;
