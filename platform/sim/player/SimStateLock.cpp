#include "platform/sim/player/SimStateLock.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A writer that replaces the file between our open and our lock sends us
// round again; a handful of rounds is more than two programs can cause.
const int kAttempts = 8;

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

}  // namespace

SimStateLock::SimStateLock(const std::filesystem::path& file) {
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        if (descriptor < 0) {
            m_outcome = errno == ENOENT ? Outcome::kNoFile : Outcome::kFailed;
            m_error = std::strerror(errno);
            return;
        }
        if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(descriptor);
            m_outcome = error == EWOULDBLOCK ? Outcome::kInUse : Outcome::kFailed;
            m_error = std::strerror(error);
            return;
        }
        // The lock counts only on the file that the name still stands for.
        struct stat locked {}, named {};
        if (::fstat(descriptor, &locked) == 0 && ::stat(file.c_str(), &named) == 0 && SameFile(locked, named)) {
            m_descriptor = descriptor;
            m_outcome = Outcome::kHeld;
            m_error.clear();
            return;
        }
        ::close(descriptor);
    }
    m_outcome = Outcome::kInUse;
    m_error = "the file keeps being replaced";
}

SimStateLock::~SimStateLock() {
    if (m_descriptor >= 0) ::close(m_descriptor);
}
