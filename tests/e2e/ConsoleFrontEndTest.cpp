// The console front end with dialogs that stand in for the updater's: what a
// user sees and types on the terminal, Ctrl-C, and the command line that
// reaches the simulated PC. The real updater runs on it in caddis-e2e.sh.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

#include "tests/support/TestHosts.h"
#include "updater/app/VrDialogIds.h"
#include "updater/console/CaddisCommandLine.h"
#include "updater/console/VrConsoleFrontEnd.h"

namespace {

// A dialog that records what it is told and does what the test asks.
class FakeDialog : public VrDialog {
public:
    explicit FakeDialog(int templateId) : m_templateId(templateId) {}

    int TemplateId() const override { return m_templateId; }
    void OnInit(VrDialogSurface& surface) override {
        this->surface = &surface;
        if (onInit) onInit(surface);
    }
    void OnCommand(int id) override {
        commands.push_back(id);
        boxCheckedAtCommand.push_back(surface->IsChecked(kVrDownloadFormatBox));
        if (onCommand) onCommand(id);
    }
    bool OnSysCommand(int id) override {
        sysCommands.push_back(id);
        return true;
    }
    void OnDestroy() override { ++destroyed; }

    VrDialogSurface* surface = nullptr;
    std::function<void(VrDialogSurface&)> onInit;
    std::function<void(int)> onCommand;
    std::vector<int> commands;
    std::vector<bool> boxCheckedAtCommand;
    std::vector<int> sysCommands;
    int destroyed = 0;

private:
    int m_templateId;
};

// The download dialog's buttons as the updater labels them in English.
void LabelDownloadDialog(VrDialogSurface& surface) {
    surface.SetTitle(L"Lumo MP3 Firmware Download");
    surface.SetItemText(kVrDownloadStart, L"&Start");
    surface.SetItemText(kVrDownloadFormatBox, L"&Format Data Area");
    surface.SetItemText(kVrDownloadShowDetails, L"Show &details");
    surface.SetItemText(kVrDownloadClose, L"&Close");
    surface.AddSystemMenuEntry(kVrAboutCommand, L"&About Lumo MP3 Firmware Download");
}

std::string Contents(FILE* file) {
    std::fflush(file);
    std::rewind(file);
    std::string text;
    for (int c; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
    return text;
}

// A terminal whose input is `typed` from a pipe, or from a pseudo-terminal
// when `asTerminal`, and whose output goes to files the test reads.
class Console {
public:
    explicit Console(const std::string& typed, bool asTerminal = false) {
        if (asTerminal) {
            m_writer = posix_openpt(O_RDWR | O_NOCTTY);
            EXPECT_GE(m_writer, 0);
            EXPECT_EQ(0, grantpt(m_writer));
            EXPECT_EQ(0, unlockpt(m_writer));
            m_reader = open(ptsname(m_writer), O_RDWR | O_NOCTTY);
        } else {
            int ends[2] = {-1, -1};
            EXPECT_EQ(0, pipe(ends));
            m_reader = ends[0];
            m_writer = ends[1];
        }
        EXPECT_EQ(static_cast<ssize_t>(typed.size()), write(m_writer, typed.data(), typed.size()));
        // A pipe ends where the typing ends; a terminal stays open.
        if (!asTerminal) {
            close(m_writer);
            m_writer = -1;
        }
        terminal = std::make_unique<VrConsoleTerminal>(m_reader, m_output, m_errors);
    }
    ~Console() {
        terminal.reset();
        if (m_writer >= 0) close(m_writer);
        close(m_reader);
        std::fclose(m_output);
        std::fclose(m_errors);
    }

    std::string Output() { return Contents(m_output); }
    std::string Errors() { return Contents(m_errors); }

    std::unique_ptr<VrConsoleTerminal> terminal;

private:
    int m_reader = -1;
    int m_writer = -1;
    FILE* m_output = std::tmpfile();
    FILE* m_errors = std::tmpfile();
};

}  // namespace

TEST(ConsoleFrontEnd, PrintsBoxesWithCaptionAndDetailsAndAsksOnlyOnATerminal) {
    SimulatedCaddis pc(0x0409);
    {
        Console console("y\n");
        VrConsoleFrontEnd frontEnd(pc.host(), *console.terminal);
        EXPECT_EQ(kVrButtonOk, frontEnd.ShowMessage(kVrMessageError, L"The player refused a command.",
                                                    L"The player's answer:\r\nno room", nullptr));
        // Typed answers from a pipe are no one's answer.
        EXPECT_EQ(kVrButtonNo, frontEnd.ShowMessage(kVrMessageOption, L"Reformat the player now?", L"", nullptr));
        EXPECT_EQ("[Error] The player refused a command.\n    The player's answer:\n    no room\n", console.Errors());
        EXPECT_EQ("[Option] Reformat the player now?\n[Y]es/[N]o? No (no terminal to answer on)\n", console.Output());
    }
    {
        Console console("maybe\ny\n\nn\n", true);
        VrConsoleFrontEnd frontEnd(pc.host(), *console.terminal);
        EXPECT_EQ(kVrButtonYes, frontEnd.ShowMessage(kVrMessageOption, L"Format?", L"", nullptr));
        EXPECT_EQ(kVrButtonNo, frontEnd.ShowMessage(kVrMessageOption, L"Format?", L"", nullptr));
    }
}

TEST(ConsoleFrontEnd, AnIdleDownloadDialogTakesItsButtonsFromTheInputAndShowsOneLinePerStage) {
    SimulatedCaddis pc(0x0409);
    Console console("f\nd\na\nx\ns\n");
    VrConsoleFrontEnd frontEnd(pc.host(), *console.terminal);
    FakeDialog download(kVrDownloadTemplate);
    download.onInit = LabelDownloadDialog;
    download.onCommand = [&](int id) {
        if (id == kVrDownloadClose) download.surface->Close(kVrDownloadClose);
        if (id != kVrDownloadStart) return;
        for (const wchar_t* stage : {L"Erasing Player...", L"Writing Player...", L"Download completed."}) {
            download.surface->SetBarRange(kVrDownloadStageBar, 4, 1);
            download.surface->SetItemText(kVrDownloadStageText, stage);
            download.surface->StepBar(kVrDownloadStageBar);
            download.surface->StepBar(kVrDownloadOverallBar);
        }
    };

    EXPECT_EQ(kVrDownloadClose, frontEnd.RunModal(download, nullptr));

    // The box turns over before the dialog hears of the click; an unknown
    // letter does nothing; the end of the input closes the dialog.
    EXPECT_EQ((std::vector<int>{kVrDownloadFormatBox, kVrDownloadShowDetails, kVrDownloadStart, kVrDownloadClose}),
              download.commands);
    EXPECT_TRUE(download.boxCheckedAtCommand[0]);
    EXPECT_EQ(std::vector<int>{kVrAboutCommand}, download.sysCommands);
    EXPECT_EQ(1, download.destroyed);
    const std::string output = console.Output();
    EXPECT_NE(std::string::npos, output.find("[S]tart  [F]ormat Data Area  Show [d]etails  [A]bout Lumo MP3 "
                                             "Firmware Download  [C]lose  > f\n  [x] Format Data Area\n"))
        << output;
    // Written to a file, the download is its stages, without bars redrawn.
    EXPECT_NE(std::string::npos, output.find("> s\n  Erasing Player...\n  Writing Player...\n  Download completed.\n"))
        << output;
    EXPECT_EQ(std::string::npos, output.find('\r')) << output;
}

TEST(ConsoleFrontEnd, CtrlCIsTheCancelOfTheDialogOnTopAndIsRefusedWhileADownloadRuns) {
    SimulatedCaddis pc(0x0409);
    Console console("");
    VrConsoleFrontEnd frontEnd(pc.host(), *console.terminal);
    frontEnd.Initialise();

    FakeDialog search(kVrSearchTemplate);
    auto searchWindow = frontEnd.CreateModeless(search);
    std::raise(SIGINT);
    EXPECT_TRUE(frontEnd.PumpMessages());
    EXPECT_EQ(std::vector<int>{kVrIdCancel}, search.commands);

    // A download under way: Close is greyed and the wait cursor shows.
    FakeDialog download(kVrDownloadTemplate);
    download.onInit = LabelDownloadDialog;
    auto downloadWindow = frontEnd.CreateModeless(download);
    downloadWindow->ShowWindow(true);
    downloadWindow->EnableItem(kVrDownloadClose, false);
    downloadWindow->SetWaitCursor(true);
    std::raise(SIGINT);
    EXPECT_TRUE(frontEnd.PumpMessages());
    std::raise(SIGINT);
    EXPECT_TRUE(frontEnd.PumpMessages());
    EXPECT_EQ((std::vector<int>{kVrIdCancel, kVrIdCancel}), download.commands);
    EXPECT_EQ(std::vector<int>{kVrIdCancel}, search.commands);
    const std::string errors = console.Errors();
    const std::string refusal = "Ctrl-C: a download that has begun runs to its end";
    const size_t first = errors.find(refusal);
    ASSERT_NE(std::string::npos, first) << errors;
    EXPECT_NE(std::string::npos, errors.find(refusal, first + 1)) << errors;

    // The download over, the idle dialog waits for the user; the input has
    // ended, so it is closed.
    download.onCommand = [&](int id) {
        if (id == kVrDownloadClose) download.surface->Close(kVrDownloadClose);
    };
    download.commands.clear();
    downloadWindow->EnableItem(kVrDownloadClose, true);
    downloadWindow->SetWaitCursor(false);
    EXPECT_TRUE(frontEnd.PumpMessages());
    EXPECT_EQ(std::vector<int>{kVrDownloadClose}, download.commands);
    EXPECT_EQ(1, download.destroyed);
}

TEST(CaddisCommandLine, PathsOfThisMachineBecomePathsOfTheSimulatedPc) {
    EXPECT_EQ(L"-silent /log Z:\\tmp\\run\\Caddis.log -english D:\\logs\\run.log c:\\x.log -?",
              CaddisCommandLine({"-silent", "/log", "/tmp/run/Caddis.log", "-english", "logs/run.log", "c:\\x.log", "-?"}));
}
