#include "updater/console/VrConsoleTerminal.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cwchar>

#include <poll.h>
#include <pthread.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "platform/TextCodec.h"

namespace {

// The signal handler can reach nothing else: the one global the terminal keeps.
std::atomic<int> g_interrupts{0};

void OnInterrupt(int) { g_interrupts.fetch_add(1); }

// The library's texts end their lines the Windows way.
std::string TerminalText(const std::wstring& text) {
    std::string bytes = Utf8FromWide(text);
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes)
        if (c != '\r') out += c;
    return out;
}

// The longest start of `text` that takes at most `columns` cells (a Chinese
// or Japanese character takes two).
std::wstring CutToWidth(const std::wstring& text, int columns) {
    int used = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        int width = ::wcwidth(text[i]);
        if (width < 0) width = 1;
        if (used + width > columns) return text.substr(0, i);
        used += width;
    }
    return text;
}

}  // namespace

VrConsoleTerminal::VrConsoleTerminal(int input, FILE* output, FILE* errors)
    : m_input(input),
      m_output(output),
      m_errors(errors),
      m_inputIsTerminal(::isatty(input) != 0),
      m_outputIsTerminal(::isatty(::fileno(output)) != 0) {}

void VrConsoleTerminal::CatchInterrupts() {
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a read waiting for the user returns at Ctrl-C.
    action.sa_flags = 0;
    sigaction(SIGINT, &action, nullptr);
}

bool VrConsoleTerminal::TakeInterrupt() { return g_interrupts.exchange(0) > 0; }

VrConsoleTerminal::Input VrConsoleTerminal::ReadLine(std::string& line) {
    for (;;) {
        const size_t end = m_pending.find('\n');
        if (end != std::string::npos) {
            line = m_pending.substr(0, end);
            m_pending.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return Input::kLine;
        }
        // SIGINT stays blocked from the look at the flag until the wait has
        // begun, so a Ctrl-C between the two cannot be slept through.
        sigset_t interrupt, previous;
        sigemptyset(&interrupt);
        sigaddset(&interrupt, SIGINT);
        pthread_sigmask(SIG_BLOCK, &interrupt, &previous);
        if (g_interrupts.load() > 0) {
            pthread_sigmask(SIG_SETMASK, &previous, nullptr);
            return Input::kInterrupted;
        }
        pollfd wait{m_input, POLLIN, 0};
        const int ready = ::ppoll(&wait, 1, nullptr, &previous);
        pthread_sigmask(SIG_SETMASK, &previous, nullptr);
        if (ready < 0 && errno == EINTR) {
            if (g_interrupts.load() > 0) return Input::kInterrupted;
            continue;
        }
        char buffer[256];
        const ssize_t got = ready < 0 ? -1 : ::read(m_input, buffer, sizeof buffer);
        if (got > 0) {
            m_pending.append(buffer, static_cast<size_t>(got));
            continue;
        }
        if (got < 0 && errno == EINTR) continue;
        if (m_pending.empty()) return Input::kEnd;
        line.swap(m_pending);
        m_pending.clear();
        return Input::kLine;
    }
}

void VrConsoleTerminal::Print(const std::wstring& text, bool error) {
    EndProgress();
    FILE* stream = error ? m_errors : m_output;
    std::fflush(m_output);
    std::fputs((TerminalText(text) + "\n").c_str(), stream);
    std::fflush(stream);
}

void VrConsoleTerminal::Prompt(const std::wstring& text) {
    EndProgress();
    std::fputs(TerminalText(text).c_str(), m_output);
    std::fflush(m_output);
}

void VrConsoleTerminal::ShowProgress(const std::wstring& line) {
    if (!m_outputIsTerminal || (m_progressShown && line == m_progress)) return;
    // The last column stays free: a line that fills it wraps on some terminals.
    const std::wstring shown = CutToWidth(line, Columns() - 1);
    std::fputs(("\r" + TerminalText(shown) + "\033[K").c_str(), m_output);
    std::fflush(m_output);
    m_progress = line;
    m_progressShown = true;
}

void VrConsoleTerminal::EndProgress() {
    if (!m_progressShown) return;
    std::fputs("\n", m_output);
    std::fflush(m_output);
    m_progressShown = false;
    m_progress.clear();
}

int VrConsoleTerminal::Columns() const {
    winsize size{};
    if (::ioctl(::fileno(m_output), TIOCGWINSZ, &size) == 0 && size.ws_col > 1) return size.ws_col;
    return 80;
}
