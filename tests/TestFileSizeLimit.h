#pragma once

#include <sys/resource.h>

#include <csignal>

namespace ndlemo::test {

// Files may not grow beyond the given size while it lives: writes past it store less, then fail with the
// system's own error, as on a full disk.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_Saved);
        m_Handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_Saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~TFileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_Saved);
        std::signal(SIGXFSZ, m_Handler);
    }
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

private:
    rlimit m_Saved{};
    void (*m_Handler)(int) = nullptr;
};

} // namespace ndlemo::test
