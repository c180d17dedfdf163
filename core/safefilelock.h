#pragma once

#include <QString>

#include <chrono>

namespace brisquel {

// An exclusive lock that instances of the program take before they read a
// file to write it back, so that two of them ending together (a logout)
// never write over each other's change. It is a flock on a hidden lock file
// beside the file (".brisquel.ini.lock"), which the system lets go of when
// the process ends, however it ends. A lock held by another is waited for,
// up to `wait`, never longer.
class FileLock {
public:
    enum class State {
        Held,
        Busy,        // another held it for all of `wait`
        Unavailable, // no lock file can be had here (a folder that cannot be written)
    };

    static constexpr std::chrono::milliseconds kWait{3000};

    explicit FileLock(const QString &path, std::chrono::milliseconds wait = kWait);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    State state() const { return m_state; }
    // The lock file, as messages name it.
    QString lockPath() const { return m_lockPath; }

private:
    QString m_lockPath;
    int m_fd = -1;
    State m_state = State::Unavailable;
};

} // namespace brisquel
