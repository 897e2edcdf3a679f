#pragma once

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <filesystem>

namespace ndlemo::test {

// Makes a file immutable for its lifetime: nobody, root included, can change its attributes or delete it,
// as a file another program holds open is on Windows. Locked() is false where the file system or the
// process's rights do not allow it; tests skip then.
class TLockedFile {
public:
    explicit TLockedFile(std::filesystem::path file) : m_File(std::move(file)) { m_Locked = SetImmutable(true); }
    ~TLockedFile() {
        if (m_Locked)
            SetImmutable(false);
    }
    TLockedFile(const TLockedFile&) = delete;
    TLockedFile& operator=(const TLockedFile&) = delete;

    [[nodiscard]] bool Locked() const { return m_Locked; }

private:
    bool SetImmutable(bool on) const {
        const int fd = ::open(m_File.c_str(), O_RDONLY | O_NONBLOCK);
        if (fd < 0)
            return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
            done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return done;
    }

    std::filesystem::path m_File;
    bool m_Locked = false;
};

} // namespace ndlemo::test
