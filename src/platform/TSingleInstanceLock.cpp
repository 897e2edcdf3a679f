#include "platform/TSingleInstanceLock.h"

#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace ndlemo::platform {

TSingleInstanceLock::TSingleInstanceLock(std::string name, fs::path lockDir) {
    if (lockDir.empty()) {
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        std::error_code ec;
        lockDir =
            runtime && *runtime && fs::is_directory(runtime, ec) ? fs::path(runtime) : fs::temp_directory_path(ec);
    }
    m_Path = lockDir / (name + ".lock");
}

TSingleInstanceLock::~TSingleInstanceLock() {
    Release();
}

bool TSingleInstanceLock::TryAcquire() {
    if (m_Fd >= 0)
        return true;
    int fd = ::open(m_Path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    // flock belongs to the open file, so the lock ends with the process however it ends.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    m_Fd = fd;
    return true;
}

void TSingleInstanceLock::Release() {
    if (m_Fd < 0)
        return;
    ::flock(m_Fd, LOCK_UN);
    ::close(m_Fd);
    m_Fd = -1;
}

} // namespace ndlemo::platform
