#include "cli/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace zav::cli {
namespace {

// The permissions the file gets: those of the file it replaces, or those a newly
// created file would get, rather than the owner-only ones of a temporary file.
mode_t permissionsFor(const std::string& path) {
    struct stat existing;
    if (::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

std::string replaceFileWith(const std::string& path, std::string_view bytes) {
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return std::strerror(errno);
    // Permissions are a courtesy: a file system that keeps none still takes the bytes.
    (void)::fchmod(fd, permissionsFor(path));
    // Flushed to the disk before the rename, so that a crash cannot leave the path
    // naming a file whose bytes never arrived.
    bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    int error = errno;
    if (::close(fd) != 0 && written) {
        written = false;
        error = errno;
    }
    if (written && std::rename(temporary.c_str(), path.c_str()) == 0) return {};
    if (written) error = errno;
    ::unlink(temporary.c_str());
    return std::strerror(error);
}

}  // namespace zav::cli
