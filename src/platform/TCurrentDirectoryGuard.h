#pragma once

#include "platform/Platform.h"

namespace ndlemo::platform {

// Remembers the current directory and restores it on leaving the scope, if it still exists.
class TCurrentDirectoryGuard {
public:
    TCurrentDirectoryGuard() : m_Saved(CurrentDirectory()) {}
    ~TCurrentDirectoryGuard() {
        std::error_code ec;
        if (!m_Saved.empty() && std::filesystem::is_directory(m_Saved, ec))
            SetCurrentDirectory(m_Saved);
    }
    TCurrentDirectoryGuard(const TCurrentDirectoryGuard&) = delete;
    TCurrentDirectoryGuard& operator=(const TCurrentDirectoryGuard&) = delete;

private:
    std::filesystem::path m_Saved;
};

} // namespace ndlemo::platform
