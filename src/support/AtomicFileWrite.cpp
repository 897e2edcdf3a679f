#include "support/AtomicFileWrite.h"

#include "support/ESubroutineError.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace ndlemo {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void Fail(const fs::path& file, int error) {
    throw ESubroutineError("Do souboru \"%s\" nelze zapisovat: %s", file.string(), std::strerror(error));
}

// Closes and removes the new file unless it was renamed into place.
class TTempFile {
public:
    explicit TTempFile(const fs::path& target)
        : m_Name((target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string()) {
        m_Fd = mkstemp(m_Name.data());
        m_Created = m_Fd >= 0;
    }
    ~TTempFile() {
        if (m_Fd >= 0)
            ::close(m_Fd);
        if (m_Created && !m_Renamed)
            ::unlink(m_Name.c_str());
    }
    TTempFile(const TTempFile&) = delete;
    TTempFile& operator=(const TTempFile&) = delete;

    [[nodiscard]] int Fd() const { return m_Fd; }
    [[nodiscard]] const std::string& Name() const { return m_Name; }
    int Close() {
        const int rc = ::close(m_Fd);
        m_Fd = -1;
        return rc;
    }
    void Renamed() { m_Renamed = true; }

private:
    std::string m_Name;
    int m_Fd = -1;
    bool m_Created = false;
    bool m_Renamed = false;
};

// The mode a new file gets from the process's umask (mkstemp makes its file private).
mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

void WriteFileAtomically(const fs::path& file, std::string_view bytes) {
    const fs::path target = file.has_parent_path() ? file : fs::path(".") / file;
    TTempFile temp(target);
    if (temp.Fd() < 0)
        Fail(file, errno);

    struct stat old {};
    if (::stat(target.c_str(), &old) == 0)
        ::fchmod(temp.Fd(), old.st_mode & 07777);
    else
        ::fchmod(temp.Fd(), NewFileMode());

    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(temp.Fd(), p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            Fail(file, errno);
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    if (::fsync(temp.Fd()) != 0 || temp.Close() != 0)
        Fail(file, errno);
    if (::rename(temp.Name().c_str(), target.c_str()) != 0)
        Fail(file, errno);
    temp.Renamed();
    // The rename itself reaches the disk with the directory.
    const int dir = ::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

} // namespace ndlemo
