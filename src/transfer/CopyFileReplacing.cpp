#include "transfer/CopyFileReplacing.h"

#include "support/ESubroutineError.h"
#include "transfer/TBusyCursor.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace ndlemo {

namespace {
constexpr size_t PieceSize = 2048;

class TFd {
public:
    explicit TFd(int fd = -1) : m_Fd(fd) {}
    ~TFd() { Close(); }
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    [[nodiscard]] int Get() const { return m_Fd; }
    // The result of close, which reports a delayed write error.
    int Close() {
        int rc = 0;
        if (m_Fd >= 0)
            rc = close(m_Fd);
        m_Fd = -1;
        return rc;
    }

private:
    int m_Fd;
};

// The temporary copy beside the target; removed unless it was put in the target's place.
class TPartialCopy {
public:
    explicit TPartialCopy(fs::path path) : m_Path(std::move(path)) {}
    ~TPartialCopy() {
        if (!m_Kept)
            unlink(m_Path.c_str());
    }
    TPartialCopy(const TPartialCopy&) = delete;
    TPartialCopy& operator=(const TPartialCopy&) = delete;
    void Keep() { m_Kept = true; }

private:
    fs::path m_Path;
    bool m_Kept = false;
};

std::string Reason(int error) {
    return std::strerror(error);
}

bool SameFile(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec);
}

// Writes everything; a write that stores less than asked is tried once more to learn the system's reason.
void WritePiece(int fd, const char* data, size_t size, const fs::path& source, const fs::path& target) {
    size_t done = 0;
    bool shortWrite = false;
    while (done < size) {
        const ssize_t n = write(fd, data + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw ESubroutineError("Při kopírování souboru \"%s\" do souboru \"%s\" došlo k chybě: %s", source.string(),
                                   target.string(), Reason(errno));
        if (n == 0 || (shortWrite && static_cast<size_t>(n) < size - done))
            throw ESubroutineError("Při kopírování souboru \"%s\" do souboru \"%s\" došlo k chybě: %s", source.string(),
                                   target.string(),
                                   "zapsáno jen " + std::to_string(done + static_cast<size_t>(n)) + " z " +
                                       std::to_string(size) + " bajtů (plný disk?)");
        shortWrite = static_cast<size_t>(n) < size - done;
        done += static_cast<size_t>(n);
    }
}
} // namespace

void CopyFileReplacing(const fs::path& source, const fs::path& target) {
    TBusyCursorGuard busy;
    if (SameFile(source, target))
        throw ESubroutineError("Soubor \"%s\" nemůže být kopírován sám do sebe", source.string());

    TFd in(open(source.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.Get() < 0)
        throw ESubroutineError("Při otevírání vstupního souboru \"%s\" došlo k chybě: %s", source.string(),
                               Reason(errno));

    fs::path partial = target;
    partial += ".ndlemo-XXXXXX";
    std::string pattern = partial.string();
    TFd out(mkostemp(pattern.data(), O_CLOEXEC));
    if (out.Get() < 0) {
        const int error = errno;
        // The directory of the target is what cannot be written; the message names the target all the same.
        throw ESubroutineError("Při otevírání výstupního souboru \"%s\" došlo k chybě: %s", target.string(),
                               Reason(error));
    }
    TPartialCopy guard(pattern);
    fchmod(
        out.Get(), 0666 & ~[] {
            const mode_t mask = umask(0);
            umask(mask);
            return mask;
        }());

    std::array<char, PieceSize> buffer;
    for (;;) {
        const ssize_t n = read(in.Get(), buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw ESubroutineError("Při kopírování souboru \"%s\" do souboru \"%s\" došlo k chybě: %s", source.string(),
                                   target.string(), Reason(errno));
        if (n == 0)
            break;
        WritePiece(out.Get(), buffer.data(), static_cast<size_t>(n), source, target);
    }
    if (out.Close() != 0)
        throw ESubroutineError("Při kopírování souboru \"%s\" do souboru \"%s\" došlo k chybě: %s", source.string(),
                               target.string(), Reason(errno));
    if (rename(pattern.c_str(), target.c_str()) != 0)
        throw ESubroutineError("Při otevírání výstupního souboru \"%s\" došlo k chybě: %s", target.string(),
                               Reason(errno));
    guard.Keep();
}

} // namespace ndlemo
