// What the terminal shows of the updater's dialogs: each dialog whole when
// it comes up, then what changes in it. The download dialog's bars and stage
// text make one progress line that a terminal redraws in place; a file or
// pipe gets one line per stage instead, so that a log stays readable.
#pragma once

#include <string>

#include "updater/console/VrConsoleSurface.h"
#include "updater/console/VrConsoleTerminal.h"

void VrPrintDialog(const VrConsoleDialog& dialog, VrConsoleTerminal& terminal);
// Control `id` (or kVrConsoleTitle) of a dialog that is up has changed.
void VrShowChange(const VrConsoleDialog& dialog, int id, VrConsoleTerminal& terminal);

// A label as the terminal shows it: the accelerator mark "&x" written "[x]"
// when `marked`, else dropped; "&&" stands for one "&".
std::wstring VrConsoleLabel(const std::wstring& label, bool marked);
// The accelerator letter of `label`, lower-cased; 0 when it has none.
wchar_t VrConsoleAccelerator(const std::wstring& label);
