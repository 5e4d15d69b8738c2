// What the game's two saved files (the scores and the settings) share: a lock that keeps two
// copies of the game from saving at once, and keeping a damaged file aside.
#pragma once

#include <string>

// An advisory lock (flock) on "<path>.lock", held while the object lives. The lock is on a file
// beside, not on the file itself, because a save replaces the file by a rename and a lock on it
// would hold an inode that is no longer the file. The kernel drops the lock with the process, so
// a copy killed while it saves blocks no one. Without a lock file (a folder it cannot write to)
// the save goes on unlocked; its own write then fails and is reported.
class FileLock {
public:
    explicit FileLock(const std::string& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    int fd_;
};

// Moves a file that could not be read completely aside to "<path>.bad" (or "<path>.bad.2", …
// when older ones exist), so that saving over it loses nothing. A rename: it needs no read
// access to the file. Returns the new path; raises EInOutError when it cannot be moved.
std::string KeepFileAside(const std::string& path);
