#pragma once

#include <filesystem>
#include <string>

namespace ndlemo::platform {

// A named lock held for the life of the process; the system releases it when the process dies.
class TSingleInstanceLock {
public:
    // The lock file lives in lockDir (the user's runtime directory, else the temporary directory, when empty).
    explicit TSingleInstanceLock(std::string name, std::filesystem::path lockDir = {});
    ~TSingleInstanceLock();
    TSingleInstanceLock(const TSingleInstanceLock&) = delete;
    TSingleInstanceLock& operator=(const TSingleInstanceLock&) = delete;

    // True when this process now holds the lock (also when it held it already).
    bool TryAcquire();
    void Release();
    [[nodiscard]] bool Held() const { return m_Fd >= 0; }
    [[nodiscard]] const std::filesystem::path& LockFile() const { return m_Path; }

private:
    std::filesystem::path m_Path;
    int m_Fd = -1;
};

} // namespace ndlemo::platform
