// The outside text-to-speech program Tavlo hands text to: where it is
// installed, how it is started, how its window is found and told to begin.
#pragma once

#include <string>

#include "platform/Host.h"

// Its top-level window's class, and the message that asks it to begin
// (wParam and lParam 0).
extern const wchar_t kSpeechWindowClass[];  // "ZIZIVAZO_TTSPAD_KORVALE"
const unsigned kSpeechBeginMessage = 0x0400 + 6;  // WM_USER + 6

// Its registration under App Paths and the value naming its folder.
extern const wchar_t kSpeechAppPathKey[];  // "...\App Paths\ZUZUVURA_1.exe"
extern const wchar_t kSpeechPathValue[];   // "Path"

// The main window's timers while it waits for the program and before it
// imports a finished file.
const unsigned kSpeechWaitTimer = 2;
const unsigned kSpeechWaitMs = 10000;
const unsigned kSpeechImportTimer = 3;
const unsigned kSpeechImportDelayMs = 500;

// The program's folder; empty when it is not installed, and when the value
// does not fit its buffer of 40 characters (80 bytes on Windows).
std::wstring ReadSpeechProgramFolder(Host& host);

// The command line that starts it from `folder`, the program's path in
// quotes so that a folder with blanks in its name starts the right program.
std::wstring SpeechCommandLine(const std::wstring& folder);
