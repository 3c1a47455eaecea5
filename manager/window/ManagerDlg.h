// CManagerDlg: Tavlo's main window, dialog template 102 of the skin
// library. It owns every view and control, lays them out from the skin,
// finds the player's drives and shows their files and capacity, and keeps
// the state every command of the window works on.
//
// A dialog's procedure never sees WM_CREATE: what the window does as it is
// made (the language, the skin, the first search for the player, the
// brush and font) runs first thing in WM_INITDIALOG, before the controls
// are set up.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/ComboBox.h"
#include "framework/Dialog.h"
#include "manager/app/DriveCapacity.h"
#include "manager/app/FileOperation.h"
#include "manager/app/ListDragging.h"
#include "manager/app/LocaleDateFormat.h"
#include "manager/app/MasterVolume.h"
#include "manager/app/MenuItems.h"
#include "manager/app/PlayerDriveEvents.h"
#include "manager/app/PlayerDrives.h"
#include "manager/app/PopupMenus.h"
#include "manager/app/PreviewSession.h"
#include "manager/app/TransferPlan.h"
#include "manager/controls/CapacityBar.h"
#include "manager/controls/OwnerDrawMenu.h"
#include "manager/controls/SkinSlider.h"
#include "manager/views/FolderTree.h"
#include "manager/views/ShellList.h"
#include "manager/window/PreviewPlayer.h"
#include "manager/window/SkinLayout.h"
#include "platform/Host.h"

class CManagerDlg : public CModalDialog, private PreviewOutlet {
public:
    // `skin` is the skin library the window's template, texts and pictures
    // come from; `dates` writes the lists' date column.
    CManagerDlg(Host& host, HMODULE skin, const CLocaleDateFormat& dates);
    ~CManagerDlg() override;

    // 0 picks the variant by the system's language when the window is made.
    void SetLanguageMode(int mode) { m_languageMode = mode; }
    int LanguageMode() const { return m_languageMode; }

protected:
    bool OnInit() override;
    bool OnCommand(WORD code, WORD id, HWND control) override;
    bool OnSysCommand(WPARAM command) override;
    bool OnNotify(const NMHDR& header) override;
    bool OnPaint() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    bool OnTimer(UINT_PTR timer) override;
    void OnDestroy() override;

private:
    // The window as it is made, then its controls (ManagerDlg.cpp).
    void Create();
    void TakeControls();
    void SetUpControls();
    void FillFilterBox();
    bool Erase(HDC dc);
    HBRUSH ControlColour(HDC dc, HWND control, UINT message);

    // The player: its drives, the list of its files and its capacity
    // (ManagerDlgPlayer.cpp).
    void DetectDrives();
    void RefreshPlayer(bool deviceChange, DeviceEvents::Event event);
    void ShowDrive(int index);
    const ShellItemPtr& DriveRecord(int index) const { return index == 0 ? m_drive1 : m_drive2; }
    void ShowFolder(const ShellItemPtr& record);
    void FillPlayerList();
    void FillPcList();
    void SetDriveButtons();
    void RefreshGauge(bool repaint);
    void RefreshCapacityTexts();
    void DeselectPcList(bool everySelected);

    // The popup menus of the four menu buttons (ManagerDlgMenus.cpp).
    void SetUpMenuRecords();
    void ShowPopup(int button);
    MenuContext CurrentMenuContext() const;
    // Shows `items` at a screen point; a separator follows the first
    // `separatorAfter` items when it is not 0.
    void TrackMenu(const std::vector<PopupItem>& items, POINT screen, size_t separatorAfter);

    // Copying and deleting through the shell (ManagerDlgTransfers.cpp).
    void CopyToPlayer();
    void CopyToPc();
    void DeleteSelection();
    FileOperationOutcome RunFileOperation(const TransferPlan& plan, UINT operation, WORD flags);
    std::vector<TransferItem> Selection(const CShellList& list) const;
    PlayerFolder ShownPlayerFolder() const;
    void RefreshPlayerSide();
    void RefreshPcSide();

    // Moving through folders and the lists' context menus
    // (ManagerDlgBrowse.cpp).
    bool OnBrowseCommand(WORD id);
    bool OnListNotify(const NMHDR& header);
    void ListClicked(int list, int row);
    void ListDoubleClicked(int list, int row);
    void ShowListMenu(int list, int row);
    void UpOneLevel();

    // Dragging files between the lists and the buttons' hand cursor
    // (ManagerDlgDrag.cpp).
    void SetUpMouseFilters();
    void BeginDrag(int list, POINT start);
    HIMAGELIST ComposeDragImage(const CShellList& list, const std::vector<int>& rows) const;
    void FilterListMouse(int list, UINT message, LPARAM lParam);
    void EndDrag(WindowPoint point);
    void FilterButtonMouse(UINT message);
    ListPlaces Places() const;

    // The preview, formatting, text-to-speech and help, handed out by
    // ManagerDlgMedia.cpp.
    bool OnMediaCommand(WORD id);
    bool OnMediaMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

    // The preview (ManagerDlgPreview.cpp), and the MCI window and controls
    // it lends PreviewSession.
    void PlayPreview(bool fromMenu);
    void StopPreview();
    void OnPreviewPosition(long position);
    void OnSliderScroll(WORD code, HWND slider);
    void EnableFileCommands(bool enable);
    void OpenMedia(const std::wstring& path) override;
    void PlayMedia() override;
    void PauseMedia() override;
    void SeekMedia(long position) override;
    void CloseMedia() override;
    long MediaLength() override;
    void SetPositionRange(long length) override;
    void SetPosition(long position) override;
    void EnablePosition(bool enable) override;
    void ShowPlaying(bool playing) override;
    void Warn(SkinMessage message) override;  // ManagerDlgTransfers.cpp

    // Formatting (ManagerDlgFormat.cpp).
    void FormatPlayer();
    void ShowFormatFailed();

    // Text-to-speech (ManagerDlgSpeech.cpp) and help (ManagerDlgHelp.cpp).
    void StartSpeech();
    void RunSpeechProgram(const std::wstring& folder);
    void OnSpeechWaitOver();
    void OnCopyData(const COPYDATASTRUCT& data);
    void ImportSpeechFile();
    void ShowHelp();

    Host& m_host;
    HMODULE m_skin;
    const CLocaleDateFormat& m_dates;
    int m_languageMode = 1;
    CSkinLayout m_layout;

    SkinButtons m_buttons;
    CCapacityBar m_gauge;
    CapacityTextControls m_capacityTexts;
    CSkinSlider m_positionSlider;
    CSkinSlider m_volumeSlider;
    std::unique_ptr<CMasterVolume> m_masterVolume;
    CFolderTree m_tree;
    CShellList m_pcList;
    CShellList m_playerList;
    CComboBox m_filterBox;
    COwnerDrawMenu m_menu;
    MenuItemRecord m_menuRecords[kSkinMenuTextCount];

    DriveList m_drives;
    ShellItemPtr m_drive1;  // the tree's records, reported by UM_PLAYER_DRIVE1 and 2
    ShellItemPtr m_drive2;
    std::vector<ShellItemPtr> m_navigation;  // the drive root first, the folder shown last
    std::wstring m_filter = L"*.mp3";
    std::wstring m_playableFile;
    int m_activeSide = 0;
    bool m_previewPlaying = false;
    bool m_operationIdle = true;  // false while the shell's file operation runs
    bool m_dragging = false;
    int m_dragSource = 0;  // the list the drag began in
    HIMAGELIST m_dragImage = nullptr;
    std::vector<int> m_draggedRows;
    bool m_buttonPressed = false;  // for the hand cursor
    DeviceEvents m_deviceEvents;

    CPreviewPlayer m_previewPlayer;
    PreviewSession m_preview{*this};
    HWND m_previewWindow = nullptr;  // the MCI window while the preview plays
    HWND m_speechWindow = nullptr;   // the text-to-speech program's window
    bool m_speechWaitOver = false;
    std::wstring m_importPath;

    UINT m_lastSystemMenuItem = 0;
    HICON m_icon = nullptr;
    HBRUSH m_backgroundBrush = nullptr;
    HFONT m_listFont = nullptr;
};
