// The terminal the console updater talks through: lines read from standard
// input (a Ctrl-C cuts the wait short), text written to standard output and
// error, and one progress line that a real terminal redraws in place while
// a file or pipe gets whole lines only.
#pragma once

#include <cstdio>
#include <string>

class VrConsoleTerminal {
public:
    // Reads from the descriptor `input`, writes to `output` and `errors`;
    // whether each is a terminal is asked of the system.
    VrConsoleTerminal(int input, FILE* output, FILE* errors);

    bool InputIsTerminal() const { return m_inputIsTerminal; }
    bool OutputIsTerminal() const { return m_outputIsTerminal; }

    // From now on Ctrl-C sets a flag instead of ending the process, and a
    // read in progress returns at once.
    static void CatchInterrupts();
    // True once for every Ctrl-C since the last call.
    static bool TakeInterrupt();

    enum class Input { kLine, kEnd, kInterrupted };
    // One line without its line end. kInterrupted leaves the interrupt for
    // TakeInterrupt; what was typed before it is kept for the next read.
    Input ReadLine(std::string& line);

    // A line of text; `error` sends it to the error stream. A progress line
    // on the screen is ended first, so that it stays as it was last drawn.
    void Print(const std::wstring& text, bool error = false);
    // Text without a line end (a question's prompt).
    void Prompt(const std::wstring& text);
    // The progress line: drawn over itself on a terminal (cut to the
    // terminal's width), ignored elsewhere. Redraws only when it changed.
    void ShowProgress(const std::wstring& line);
    // The progress line, if any, is left as it stands.
    void EndProgress();

private:
    int Columns() const;

    int m_input;
    FILE* m_output;
    FILE* m_errors;
    bool m_inputIsTerminal;
    bool m_outputIsTerminal;
    std::string m_pending;       // read ahead of the line end
    std::wstring m_progress;     // the progress line as last drawn
    bool m_progressShown = false;
};
