#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace ndlemo::test {

// A fresh directory under the system temp directory, removed with everything in it at the end.
class TTempDir {
public:
    TTempDir() {
        std::random_device rd;
        auto base = std::filesystem::temp_directory_path();
        do {
            m_Path = base / ("ndlemo_transfer_" + std::to_string(rd()));
        } while (!std::filesystem::create_directory(m_Path));
    }
    ~TTempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_Path, ec);
    }
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    [[nodiscard]] const std::filesystem::path& Path() const { return m_Path; }

    void WriteFile(const std::filesystem::path& name, const std::string& bytes) const {
        std::ofstream out(m_Path / name, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    [[nodiscard]] std::string ReadFile(const std::filesystem::path& name) const {
        std::ifstream in(m_Path / name, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path m_Path;
};

} // namespace ndlemo::test
