#include "platform/Platform.h"
#include "platform/TCurrentDirectoryGuard.h"
#include "platform/TSingleInstanceLock.h"

#include "TestTempDir.h"

#include <gtest/gtest.h>

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
