#include "updater/console/VrConsoleRender.h"

#include <algorithm>
#include <cwctype>

#include "updater/app/VrDialogIds.h"

namespace {

const int kOverallBarWidth = 20;
const int kStageBarWidth = 10;
const int kRecoveryBarWidth = 40;

std::wstring Bar(const VrConsoleControl& bar, int width) {
    const int filled = bar.upper > 0 ? std::clamp(bar.position, 0, bar.upper) * width / bar.upper : 0;
    return L"[" + std::wstring(filled, L'#') + std::wstring(width - filled, L'.') + L"]";
}

std::wstring Percent(const VrConsoleControl& bar) {
    const int percent = bar.upper > 0 ? std::clamp(bar.position, 0, bar.upper) * 100 / bar.upper : 0;
    std::wstring text = std::to_wstring(percent) + L"%";
    return std::wstring(4 - std::min<size_t>(text.size(), 4), L' ') + text;
}

std::wstring Padded(const std::wstring& text, size_t width) {
    return text + std::wstring(width > text.size() ? width - text.size() : 0, L' ');
}

// A text on a line of its own, set in by `indent` blanks; an empty one is left out.
void Line(VrConsoleTerminal& terminal, const std::wstring& text, size_t indent = 0) {
    if (!text.empty()) terminal.Print(std::wstring(indent, L' ') + text);
}

// --- The search dialog: its status, and its bar while a player in recovery
// mode receives the mass-storage firmware.

void ShowSearchChange(const VrConsoleDialog& dialog, int id, VrConsoleTerminal& terminal) {
    if (id == kVrConsoleTitle) Line(terminal, dialog.title);
    if (id == kVrSearchStatus) Line(terminal, dialog.Control(id).text, 2);
    if (id != kVrSearchBar) return;
    const VrConsoleControl& bar = dialog.Control(id);
    // Drawn once the stream has a length: a bar merely shown is still empty.
    if (bar.shown && bar.upper > 0)
        terminal.ShowProgress(L"  " + Bar(bar, kRecoveryBarWidth) + L" " + Percent(bar));
    else
        terminal.EndProgress();
}

// --- The download dialog: versions, the Format Data Area box, the bars.

// The two version lines, their values one under the other.
std::wstring VersionLine(const VrConsoleDialog& dialog, int label, int version) {
    const size_t width = std::max(dialog.Control(kVrDownloadCurrentLabel).text.size(),
                                  dialog.Control(kVrDownloadNewLabel).text.size());
    return L"  " + Padded(dialog.Control(label).text, width) + L" " + dialog.Control(version).text;
}

std::wstring FormatBoxLine(const VrConsoleDialog& dialog) {
    const VrConsoleControl& box = dialog.Control(kVrDownloadFormatBox);
    return std::wstring(box.checked ? L"  [x] " : L"  [ ] ") + VrConsoleLabel(box.text, false);
}

std::wstring DownloadProgress(const VrConsoleDialog& dialog) {
    const VrConsoleControl& overall = dialog.Control(kVrDownloadOverallBar);
    return L"  " + Bar(overall, kOverallBarWidth) + L" " + Percent(overall) + L"  " +
           Bar(dialog.Control(kVrDownloadStageBar), kStageBarWidth) + L" " +
           dialog.Control(kVrDownloadStageText).text;
}

void PrintDownload(const VrConsoleDialog& dialog, VrConsoleTerminal& terminal) {
    Line(terminal, dialog.title);
    terminal.Print(VersionLine(dialog, kVrDownloadCurrentLabel, kVrDownloadCurrentVersion));
    terminal.Print(VersionLine(dialog, kVrDownloadNewLabel, kVrDownloadNewVersion));
    terminal.Print(FormatBoxLine(dialog));
}

void ShowDownloadChange(const VrConsoleDialog& dialog, int id, VrConsoleTerminal& terminal) {
    switch (id) {
    case kVrConsoleTitle: Line(terminal, dialog.title); break;
    case kVrDownloadCurrentVersion:
        terminal.Print(VersionLine(dialog, kVrDownloadCurrentLabel, kVrDownloadCurrentVersion));
        break;
    case kVrDownloadNewVersion:
        terminal.Print(VersionLine(dialog, kVrDownloadNewLabel, kVrDownloadNewVersion));
        break;
    case kVrDownloadFormatBox: terminal.Print(FormatBoxLine(dialog)); break;
    case kVrDownloadStageText:
        if (!terminal.OutputIsTerminal()) Line(terminal, dialog.Control(id).text, 2);
        terminal.ShowProgress(DownloadProgress(dialog));
        break;
    case kVrDownloadStageBar:
    case kVrDownloadOverallBar: terminal.ShowProgress(DownloadProgress(dialog)); break;
    default: break;
    }
}

// --- The details dialog and the about box, read at once.

void PrintDetails(const VrConsoleDialog& dialog, VrConsoleTerminal& terminal) {
    Line(terminal, dialog.title);
    size_t width = 0;
    for (const VrDetailsRow& row : kVrDetailsRows)
        width = std::max({width, dialog.Control(row.currentLabel).text.size(), dialog.Control(row.newLabel).text.size()});
    Line(terminal, dialog.Control(kVrDetailsCurrentGroup).text, 2);
    for (const VrDetailsRow& row : kVrDetailsRows) {
        const std::wstring& label = dialog.Control(row.currentLabel).text;
        if (!label.empty())
            terminal.Print(L"    " + Padded(label, width) + L"  " + dialog.Control(row.currentVersion).text);
    }
    Line(terminal, dialog.Control(kVrDetailsNewGroup).text, 2);
    for (const VrDetailsRow& row : kVrDetailsRows) {
        const std::wstring& label = dialog.Control(row.newLabel).text;
        if (!label.empty())
            terminal.Print(L"    " + Padded(label, width) + L"  " + dialog.Control(row.newVersion).text + L"  " +
                           dialog.Control(row.path).text);
    }
    if (dialog.Control(kVrDetailsChipLabel).shown)
        terminal.Print(L"  " + dialog.Control(kVrDetailsChipLabel).text + L" " +
                       dialog.Control(kVrDetailsChipRevision).text);
}

void PrintTexts(const VrConsoleDialog& dialog, VrConsoleTerminal& terminal) {
    Line(terminal, dialog.title);
    for (const auto& [id, control] : dialog.controls)
        if (control.shown) Line(terminal, VrConsoleLabel(control.text, false), 2);
}

}  // namespace

void VrPrintDialog(const VrConsoleDialog& dialog, VrConsoleTerminal& terminal) {
    switch (dialog.templateId) {
    case kVrSearchTemplate:
        Line(terminal, dialog.title);
        Line(terminal, dialog.Control(kVrSearchStatus).text, 2);
        break;
    case kVrDownloadTemplate: PrintDownload(dialog, terminal); break;
    case kVrDetailsTemplate: PrintDetails(dialog, terminal); break;
    case kVrAboutTemplate:
        Line(terminal, dialog.title);
        for (int id : {kVrAboutProductLine, kVrAboutLegalNotice, kVrAboutVersion})
            Line(terminal, dialog.Control(id).text, 2);
        break;
    default: PrintTexts(dialog, terminal); break;
    }
}

void VrShowChange(const VrConsoleDialog& dialog, int id, VrConsoleTerminal& terminal) {
    if (dialog.templateId == kVrSearchTemplate) ShowSearchChange(dialog, id, terminal);
    if (dialog.templateId == kVrDownloadTemplate) ShowDownloadChange(dialog, id, terminal);
}

std::wstring VrConsoleLabel(const std::wstring& label, bool marked) {
    std::wstring shown;
    for (size_t i = 0; i < label.size(); ++i) {
        if (label[i] != L'&' || i + 1 == label.size()) {
            shown += label[i];
        } else if (label[i + 1] == L'&') {
            shown += L'&';
            ++i;
        } else if (marked) {
            shown += L"[" + std::wstring(1, label[++i]) + L"]";
        }
    }
    return shown;
}

wchar_t VrConsoleAccelerator(const std::wstring& label) {
    for (size_t i = 0; i + 1 < label.size(); ++i) {
        if (label[i] != L'&') continue;
        if (label[i + 1] != L'&') return static_cast<wchar_t>(std::towlower(static_cast<wint_t>(label[i + 1])));
        ++i;
    }
    return 0;
}
