#include "platform/Platform.h"
#include "platform/TCurrentDirectoryGuard.h"
#include "platform/TSingleInstanceLock.h"

#include "TestTempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace ndlemo::platform;
namespace fs = std::filesystem;

TEST(Platform, ProgramPathAndVersion) {
    EXPECT_TRUE(fs::exists(ProgramPath()));
    EXPECT_EQ(ProgramDir(), ProgramPath().parent_path());
    EXPECT_EQ(ProductVersion(), NDLEMO_PRODUCT_VERSION);
    // The version is read back from the executable file itself.
    EXPECT_EQ(ReadProductVersion(ProgramPath()), NDLEMO_PRODUCT_VERSION);
    EXPECT_EQ(ReadProductVersion("/bin/true"), "0.0.0.0");
}

TEST(Platform, CurrentDirectoryIsRestored) {
    fs::path before = CurrentDirectory();
    {
        TCurrentDirectoryGuard guard;
        ASSERT_TRUE(SetCurrentDirectory("/"));
        EXPECT_EQ(CurrentDirectory(), fs::path("/"));
    }
    EXPECT_EQ(CurrentDirectory(), before);
    EXPECT_FALSE(SetCurrentDirectory("/nonexistent-dir-xyz"));
}

TEST(Platform, ExpandFullPath) {
    TCurrentDirectoryGuard guard;
    SetCurrentDirectory("/tmp");
    EXPECT_EQ(ExpandFullPath("a/../b/./c"), fs::path("/tmp/b/c"));
    EXPECT_EQ(ExpandFullPath("/x//y/"), fs::path("/x/y/"));
}

TEST(SingleInstanceLock, SecondHolderIsRefusedUntilTheFirstDies) {
    ndlemo::test::TTestTempDir temp("lock");
    const fs::path& dir = temp.Path();
    int ready[2], release[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(release), 0);
    pid_t child = fork();
    if (child == 0) {
        TSingleInstanceLock lock("ProgramNdLemo", dir);
        char c = lock.TryAcquire() ? 'y' : 'n';
        (void)!write(ready[1], &c, 1);
        (void)!read(release[0], &c, 1);
        _exit(0); // dies holding the lock
    }
    char c = 0;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    ASSERT_EQ(c, 'y');
    TSingleInstanceLock second("ProgramNdLemo", dir);
    EXPECT_FALSE(second.TryAcquire());
    TSingleInstanceLock other("OtherName", dir);
    EXPECT_TRUE(other.TryAcquire());
    (void)!write(release[1], &c, 1);
    waitpid(child, nullptr, 0);
    EXPECT_TRUE(second.TryAcquire());
    EXPECT_TRUE(second.Held());
}

namespace {
// Sets an environment variable for the scope of a test (nullptr: unset).
class TEnvironment {
public:
    TEnvironment(const char* name, const char* value) : m_Name(name) {
        if (const char* old = std::getenv(name))
            m_Old = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~TEnvironment() {
        if (m_Old)
            setenv(m_Name, m_Old->c_str(), 1);
        else
            unsetenv(m_Name);
    }

private:
    const char* m_Name;
    std::optional<std::string> m_Old;
};
} // namespace

TEST(SingleInstanceLock, IsTheUsersOwnAndPrivate) {
    ndlemo::test::TTestTempDir runtime("runtime");
    const std::string uid = std::to_string(getuid());
    {
        // The user's private runtime directory.
        fs::permissions(runtime.Path(), fs::perms::owner_all, fs::perm_options::replace);
        TEnvironment xdg("XDG_RUNTIME_DIR", runtime.Path().c_str());
        TSingleInstanceLock lock("ProgramNdLemo");
        EXPECT_EQ(lock.LockFile(), runtime.Path() / "ProgramNdLemo.lock");
        const mode_t oldMask = umask(0);
        EXPECT_EQ(lock.Acquire(), TSingleInstanceLock::TResult::Acquired);
        umask(oldMask);
        EXPECT_EQ(fs::status(lock.LockFile()).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    }
    ndlemo::test::TTestTempDir shared("tmp");
    TEnvironment tmpdir("TMPDIR", shared.Path().c_str());
    for (const char* xdg : {static_cast<const char*>(nullptr), "", "/nonexistent-runtime"}) {
        TEnvironment env("XDG_RUNTIME_DIR", xdg);
        EXPECT_EQ(TSingleInstanceLock("ProgramNdLemo").LockFile(), shared.Path() / ("ProgramNdLemo-" + uid + ".lock"));
    }
    // A runtime directory that others may write into is no private one.
    fs::permissions(runtime.Path(), fs::perms::all, fs::perm_options::replace);
    TEnvironment xdg("XDG_RUNTIME_DIR", runtime.Path().c_str());
    EXPECT_EQ(TSingleInstanceLock("ProgramNdLemo").LockFile(), shared.Path() / ("ProgramNdLemo-" + uid + ".lock"));
}

TEST(SingleInstanceLock, ALockThatCannotBeOpenedIsAFailureWithItsReason) {
    ndlemo::test::TTestTempDir temp("lock");
    TSingleInstanceLock missing("ProgramNdLemo", temp.Path() / "missing");
    EXPECT_EQ(missing.Acquire(), TSingleInstanceLock::TResult::Failed);
    EXPECT_EQ(missing.Error(), "No such file or directory");

    // Another user's name pointing at a file of the user's.
    fs::create_symlink(temp.Path() / "target", temp.Path() / "ProgramNdLemo.lock");
    TSingleInstanceLock linked("ProgramNdLemo", temp.Path());
    EXPECT_EQ(linked.Acquire(), TSingleInstanceLock::TResult::Failed);
    EXPECT_EQ(linked.Error(), "Too many levels of symbolic links");
    EXPECT_FALSE(fs::exists(temp.Path() / "target"));

    if (getuid() == 0) {
        // A lock file that belongs to someone else.
        const fs::path file = temp.Path() / "Other.lock";
        std::ofstream(file).put('x');
        ASSERT_EQ(chown(file.c_str(), 65534, 65534), 0);
        TSingleInstanceLock foreign("Other", temp.Path());
        EXPECT_EQ(foreign.Acquire(), TSingleInstanceLock::TResult::Failed);
        EXPECT_FALSE(foreign.Held());
    }
}
