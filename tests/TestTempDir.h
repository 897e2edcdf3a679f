#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace ndlemo::test {

// A fresh directory <temp>/ndlemo-<tag>-XXXXXX for one test, removed with everything in it at the end.
class TTestTempDir {
public:
    explicit TTestTempDir(const std::string& tag = "test") {
        std::string name = (std::filesystem::temp_directory_path() / ("ndlemo-" + tag + "-XXXXXX")).string();
        if (!mkdtemp(name.data()))
            throw std::runtime_error("cannot create a temporary directory from " + name);
        m_Path = name;
    }
    ~TTestTempDir() {
        std::error_code ec;
        // A test may have taken the write permission away to provoke a failure.
        std::filesystem::permissions(m_Path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(m_Path, ec);
    }
    TTestTempDir(const TTestTempDir&) = delete;
    TTestTempDir& operator=(const TTestTempDir&) = delete;

    [[nodiscard]] const std::filesystem::path& Path() const { return m_Path; }

    // A relative name is taken inside the directory, an absolute one as it is.
    void WriteFile(const std::filesystem::path& name, const std::string& bytes) const {
        std::ofstream out(m_Path / name, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    [[nodiscard]] std::string ReadFile(const std::filesystem::path& name) const {
        std::ifstream in(m_Path / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    std::filesystem::path m_Path;
};

} // namespace ndlemo::test
