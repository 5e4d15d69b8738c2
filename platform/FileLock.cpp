// The save lock and the damaged-file copies.
#include "platform/FileLock.h"

#include "platform/Errors.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

FileLock::FileLock(const std::string& path)
    : fd_(::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666))
{
    if (fd_ >= 0)
        while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
        }
}

FileLock::~FileLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

std::string KeepFileAside(const std::string& path)
{
    std::string copy = path + ".bad";
    for (int n = 2; std::filesystem::exists(copy); ++n)
        copy = path + ".bad." + std::to_string(n);
    if (std::rename(path.c_str(), copy.c_str()) != 0)
        throw EInOutError(std::strerror(errno));
    return copy;
}
