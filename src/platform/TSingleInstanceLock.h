#pragma once

#include <filesystem>
#include <string>

namespace ndlemo::platform {

// A named lock of the user, held for the life of the process; the system releases it when the process dies.
// The lock file lives in the user's runtime directory, or in the temporary directory under a name carrying
// the user id; it is created private (0600), and a file of that name that is not the user's own is refused.
class TSingleInstanceLock {
public:
    enum class TResult {
        Acquired, // this process holds the lock (also when it held it already)
        Busy,     // another process holds it
        Failed,   // the lock file could not be opened or locked: Error() says why
    };

    // lockDir empty: the runtime directory or the temporary directory, as above.
    explicit TSingleInstanceLock(std::string name, std::filesystem::path lockDir = {});
    ~TSingleInstanceLock();
    TSingleInstanceLock(const TSingleInstanceLock&) = delete;
    TSingleInstanceLock& operator=(const TSingleInstanceLock&) = delete;

    TResult Acquire();
    // True when this process now holds the lock.
    bool TryAcquire() { return Acquire() == TResult::Acquired; }
    void Release();
    [[nodiscard]] bool Held() const { return m_Fd >= 0; }
    [[nodiscard]] const std::filesystem::path& LockFile() const { return m_Path; }
    // The system's reason of the last failure.
    [[nodiscard]] const std::string& Error() const { return m_Error; }

private:
    std::filesystem::path m_Path;
    int m_Fd = -1;
    std::string m_Error;
};

} // namespace ndlemo::platform
