// What the searching dialog does on the ticks of its timers, apart from the
// window. Timer 1 ticks at the check interval: each tick advances the bar
// by one and, when the device's identifiers are set, looks for the device.
// The tick after the device was found, or after the bar reached its
// maximum, ends the search: a found device is shown for half a second
// (timer 2), otherwise the dialog closes.
#pragma once

#include <functional>

class QuellSearchProgress {
public:
    enum class Step {
        kAdvanced,   // the bar moved on; timer 1 keeps ticking
        kShowFound,  // stop timer 1, show the found text, start timer 2
        kClose,      // stop timer 1 and close: nothing found
    };

    // `canLook` is false while the device's identifiers are 0: the search
    // then never looks for the device.
    QuellSearchProgress(int maximum, bool canLook) : m_maximum(maximum), m_canLook(canLook) {}

    // One tick of timer 1; `look` tells whether the device is attached.
    Step Tick(const std::function<bool()>& look);
    // Escape ends the dialog only once the search is over.
    bool EscapeCloses() const { return m_ticks >= m_maximum || m_found; }

    int Maximum() const { return m_maximum; }
    int Position() const { return m_position; }
    int Ticks() const { return m_ticks; }
    bool Found() const { return m_found; }

private:
    const int m_maximum;
    const bool m_canLook;
    int m_position = 0;
    int m_ticks = 0;
    bool m_found = false;
};
