// The user of the screenshot run: a thread timer that looks at the program's
// windows five times a second, recognises each dialog by its controls, takes
// its picture once it has painted, and then does what a user would next. It
// walks one fixed tour: the search dialog (the player is plugged in only
// after its picture), the download dialog, its details and about box, the
// Format Data Area question, a full download, then a message box with details
// collapsed and expanded, and Close.
//
// The timer fires inside every message loop of the thread, the modal loops of
// dialogs and boxes included, so the tour goes on while the program sits in
// one. Commands are posted, never sent, so that those loops keep running.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>

class CVrUpdaterApp;

class ScreenshotScript {
public:
    // Pictures go to `folder` as <name>.bmp; `plugPlayer` puts the player on
    // the simulated PC.
    ScreenshotScript(CVrUpdaterApp& app, const std::wstring& folder, std::function<void()> plugPlayer);
    ~ScreenshotScript();
    ScreenshotScript(const ScreenshotScript&) = delete;
    ScreenshotScript& operator=(const ScreenshotScript&) = delete;

    void Start();
    // True once the tour has pressed Close after all its pictures.
    bool Finished() const;
    // What the tour waits for now, for the time limit's message.
    const char* Waiting() const;

private:
    enum class Step {
        kSearch,
        kDownload,
        kDetails,
        kAboutRequest,
        kAbout,
        kFormatBox,
        kFormatQuestion,
        kStart,
        kDownloading,
        kReport,
        kCollapsed,
        kExpanded,
        kReported,
        kClose,
        kDone,
    };
    enum class Kind { kNone, kSearch, kDownload, kDetails, kAbout, kDetailedMessage, kPlainMessage, kOther };

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Tick();
    void Act(HWND window, Kind kind);
    void Advance(Step next);
    void Refresh(HWND window);
    void Capture(HWND window, const wchar_t* name);
    void ShowReport(HWND owner);
    [[noreturn]] void Abort(HWND window, const std::string& why);

    static HWND TopWindow();
    static Kind Recognise(HWND window);

    CVrUpdaterApp& m_app;
    const std::wstring m_folder;
    const std::function<void()> m_plugPlayer;
    UINT_PTR m_timer = 0;
    std::atomic<Step> m_step{Step::kSearch};
    // The window the last ticks saw on top, and for how many ticks in a row.
    HWND m_window = nullptr;
    Kind m_kind = Kind::kNone;
    int m_settled = 0;
};
