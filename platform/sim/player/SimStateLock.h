// One run at a time on a player. A program that loads a player's state file,
// changes the player and saves it holds the file's lock from the load to the
// save; a second program that asks meanwhile hears that the player is in
// use instead of working on a copy that the first would overwrite. The lock
// is the system's advisory lock on the file the path names (the target of a
// link), so nothing is left behind when a program ends, however it ends.
// Saving replaces the file: the holder saves last, so the file that replaces
// the one it holds is free at once, and a lock that was taken on a file just
// replaced is let go and taken on its successor. POSIX systems only.
#pragma once

#include <filesystem>
#include <string>

class SimStateLock {
public:
    enum class Outcome {
        kHeld,     // this program is the player's one user until the lock goes
        kNoFile,   // no file there yet: nothing to share
        kInUse,    // another program holds the player
        kFailed,   // the file cannot be opened or locked; see Error
    };

    // Tries once; it does not wait for another holder.
    explicit SimStateLock(const std::filesystem::path& file);
    ~SimStateLock();
    SimStateLock(const SimStateLock&) = delete;
    SimStateLock& operator=(const SimStateLock&) = delete;

    Outcome GetOutcome() const { return m_outcome; }
    // What the system said when the outcome is kFailed.
    const std::string& Error() const { return m_error; }

private:
    int m_descriptor = -1;
    Outcome m_outcome = Outcome::kFailed;
    std::string m_error;
};
