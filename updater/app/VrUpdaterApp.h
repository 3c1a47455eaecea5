// The updater's application object: the whole program runs in Run. It builds
// the configuration, the engine and the language resources, parses the command
// line, makes sure only one copy runs, waits for the player (in mass-storage
// or recovery mode) and opens the download dialog. It owns the error report,
// the log and the message pump that keeps the windows alive.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/Host.h"
#include "updater/app/VrDialogShared.h"
#include "updater/app/VrMessageKinds.h"

class CVrBaseToCmdLineProcessor;
class CVrConfigInfo;
class CVrErrorReport;
class CVrLanguageResource;
class CVrLogFile;
class CVrProgressDlg;
class CVrUpdater;
class VrFrontEnd;

class CVrUpdaterApp {
public:
    CVrUpdaterApp(Host& host, VrFrontEnd& frontEnd);
    ~CVrUpdaterApp();
    CVrUpdaterApp(const CVrUpdaterApp&) = delete;
    CVrUpdaterApp& operator=(const CVrUpdaterApp&) = delete;

    // Run's answer when the last download ended with the user declining the
    // reformat it needed: nothing was written to the player.
    static constexpr int32_t kNothingWritten = 1;

    // The start-up routine, `commandLine` being the text after the program
    // name. Returns 0 when a download ended well or the user closed the
    // download dialog without a failure, kNothingWritten when the user
    // declined the reformat; otherwise the result code of the failure that
    // ended the program (-22 when the user cancelled the search).
    int32_t Run(const std::wstring& commandLine);
    // Run's first part: everything before the search dialog (the objects, the
    // language, the administrator test, the command line, the log, the usage
    // text, the single-instance lock). 0 when the program goes on to wait for
    // the player; otherwise the code already reported, or 1 after the usage
    // text or when another copy was brought forward.
    int32_t StartUp(const std::wstring& commandLine);

    // 1, or 0 once the quit message has been seen.
    int PumpMessages();
    // Waits up to 120 s for the PC's drive mask to differ from `initialMask`,
    // then lets the new drive settle for up to 10 s; the cancel flag cuts both.
    void WaitForDriveChange(DWORD initialMask);

    void ReportError(int32_t code, VrWindowHandle parent, bool logOnly);
    void ComposeError(int32_t code, std::wstring& message, std::wstring& details, bool forLog);
    // Appends `text` to the log when logging is on.
    void Log(const std::wstring& text);
    // Whether a log is being written: the command line asked for one and it
    // has not failed.
    bool IsLogging() const;

    // The search dialog's Cancel; the flag never goes back.
    void Cancel() { m_cancel = 1; }
    bool IsCancelled() const { return m_cancel != 0; }

    // The language id chosen from the user's default language.
    LANGID GetLanguage() const { return m_language; }

    Host& GetHost() { return m_host; }
    VrFrontEnd& GetFrontEnd() { return m_frontEnd; }
    // What the windows take for their texts and about box; once started.
    VrDialogServices GetDialogServices() { return {*m_resource, *m_config, m_frontEnd}; }
    // Present from the start of Run.
    CVrConfigInfo& GetConfig() { return *m_config; }
    CVrUpdater& GetEngine() { return *m_engine; }
    CVrLanguageResource& GetResource() { return *m_resource; }
    // Null until the command line is parsed.
    const CVrBaseToCmdLineProcessor* GetCommandLine() const { return m_commandLine.get(); }

private:
    // The steps of the start-up that can refuse to go on: 0, or the code
    // already reported (1 for a silent stop).
    int32_t CreateObjects();
    int32_t ParseCommandLine(const std::wstring& commandLine);
    int32_t TakeSingleInstance();
    int32_t WaitForPlayer(CVrProgressDlg& search, VrWindowHandle searchWindow);
    int32_t RecoverPlayer(CVrProgressDlg& search, VrWindowHandle searchWindow);
    int32_t RunDownloadDialog(int32_t openResult);
    // The log cannot be opened or written: the user is warned once and the
    // program goes on without it.
    void GiveUpLog();

    Host& m_host;
    VrFrontEnd& m_frontEnd;
    LANGID m_language = 0;
    // Destroyed in the order the program gives: the engine, the log file, the
    // command line, the resource provider, the configuration.
    std::unique_ptr<CVrConfigInfo> m_config;
    std::unique_ptr<CVrLanguageResource> m_resource;
    std::unique_ptr<CVrBaseToCmdLineProcessor> m_commandLine;
    std::unique_ptr<CVrLogFile> m_log;
    std::unique_ptr<CVrUpdater> m_engine;
    // Talks to the front end as its message window; goes before the engine,
    // whose failure record it reads.
    std::unique_ptr<CVrErrorReport> m_report;
    HANDLE m_instanceLock = nullptr;
    uint32_t m_cancel = 0;
};
