#include "platform/TSingleInstanceLock.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace ndlemo::platform {

namespace {
// The runtime directory counts only when it is the user's own and private, as it should be.
bool IsPrivateDirectory(const char* dir) {
    struct stat st {};
    return dir && *dir && ::stat(dir, &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
           (st.st_mode & 077) == 0;
}
} // namespace

TSingleInstanceLock::TSingleInstanceLock(std::string name, fs::path lockDir) {
    if (lockDir.empty()) {
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        if (IsPrivateDirectory(runtime)) {
            lockDir = runtime;
        } else {
            // A directory shared by all users: the user id keeps one user's lock from another's.
            std::error_code ec;
            lockDir = fs::temp_directory_path(ec);
            if (ec)
                lockDir = "/tmp";
            name += "-" + std::to_string(::getuid());
        }
    }
    m_Path = lockDir / (name + ".lock");
}

TSingleInstanceLock::~TSingleInstanceLock() {
    Release();
}

TSingleInstanceLock::TResult TSingleInstanceLock::Acquire() {
    if (m_Fd >= 0)
        return TResult::Acquired;
    m_Error.clear();
    // No link is followed: in a shared directory another user could point the name elsewhere.
    const int fd = ::open(m_Path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        m_Error = std::strerror(errno);
        return TResult::Failed;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || st.st_uid != ::getuid() || !S_ISREG(st.st_mode)) {
        m_Error = std::strerror(EPERM);
        ::close(fd);
        return TResult::Failed;
    }
    // flock belongs to the open file, so the lock ends with the process however it ends.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK)
            return TResult::Busy;
        m_Error = std::strerror(error);
        return TResult::Failed;
    }
    m_Fd = fd;
    return TResult::Acquired;
}

void TSingleInstanceLock::Release() {
    if (m_Fd < 0)
        return;
    ::flock(m_Fd, LOCK_UN);
    ::close(m_Fd);
    m_Fd = -1;
}

} // namespace ndlemo::platform
