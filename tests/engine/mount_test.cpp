// SPDX-License-Identifier: GPL-3.0-or-later
// bkf-recover mount: the folder it shows holds what extract saves, read-only,
// with each file's status as an extended attribute. Skipped (once, saying
// why) where no FUSE mount can be made.

#include "bkf_writer.h"
#include "cli_tool.h"
#include "file_contents.h"
#include "temp_path.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

using namespace test_files;

std::string MountUnavailable()
{
    if (::access("/dev/fuse", R_OK | W_OK) != 0)
        return "/dev/fuse cannot be used here";
    if (std::system("command -v fusermount3 >/dev/null 2>&1") != 0)
        return "fusermount3 is not installed";
    if (RunRecover({"mount", "--help"}).out.find("not built") != std::string::npos)
        return "bkf-recover was built without libfuse3";
    return {};
}

const std::string kSet = "BKF/BACKUP SET 1(_Daily)/";

// Two files of one name, a name too long for a file system, a file where a
// later path wants a folder, a file whose data differ from their checksum,
// and a last file cut short by the end of the backup.
std::vector<std::uint8_t> NamingBackup()
{
    const FileOptions dated = FileOptions().Modified(BkfWriter::Date(2023, 4, 5, 6, 7));
    BkfWriter w;
    w.Sset("Daily").Dirb({"docs"}).File("a.txt", Pattern(10, 1), dated).File("a.txt", Pattern(70000, 2), dated);
    w.File(Repeat("long", 70) + ".txt", Pattern(5, 3), dated).File("x", Pattern(7, 4), dated);
    w.Dirb({"docs", "x"}).File("y.txt", Pattern(9, 5), dated);
    w.Dirb({}).File("sum.bin", Pattern(5000, 7), FileOptions(dated).Checksum());
    w.FlipBytes(w.LastFile().data + 10, 2);
    w.File("big.bin", Pattern(300000, 6), dated);
    w.Truncate(w.LastFile().data + 100000);
    return w.Bytes();
}

std::string Status(const std::string& path)
{
    char value[64] = {};
    const ssize_t length = ::getxattr(path.c_str(), "user.bkf.status", value, sizeof value);
    return length < 0 ? std::string("error ") + std::strerror(errno) : std::string(value, length);
}

int ErrorOf(int result)
{
    return result < 0 ? errno : 0;
}

bool IsMountPoint(const std::string& path)
{
    struct stat inside {}, parent {};
    return ::stat(path.c_str(), &inside) == 0 && ::stat((path + "/..").c_str(), &parent) == 0
           && inside.st_dev != parent.st_dev;
}

TEST(MountTest, ShowsWhatExtractSavesReadOnlyUntilASignalUnmountsIt)
{
    const std::string unavailable = MountUnavailable();
    if (!unavailable.empty())
        GTEST_SKIP() << "mount not tested: " << unavailable;
    const TempFile backup(NamingBackup());
    const TempDir work;
    const std::string mountpoint = work.Child("mnt"), saved = work.Child("saved");
    ASSERT_EQ(::mkdir(mountpoint.c_str(), 0755), 0);
    ASSERT_EQ(RunRecover({"extract", "-q", "--times", backup.Path(), saved}).status, 2);
    const std::string extracted = saved + "/Recovered BKF";

    Tool mount(BKF_RECOVER_PATH, {"mount", backup.Path(), mountpoint});
    ASSERT_TRUE(mount.Start());
    if (!mount.WaitForErr("mounted at")) {
        const Tool::Result failed = mount.Finish();
        // A system that refuses FUSE mounts to this user (no permission, no
        // fusermount3 rights) is a place where the mount cannot be tested.
        if (failed.err.find("cannot mount at") != std::string::npos)
            GTEST_SKIP() << "mount not tested: the system refused the mount: " << failed.err;
        FAIL() << Describe(failed);
    }

    const std::set<std::string> tree = TreeOf(mountpoint);
    EXPECT_EQ(tree, TreeOf(extracted));
    EXPECT_EQ(tree.count(kSet + "docs/a (2).txt"), 1u);
    for (const std::string& entry : tree) {
        if (entry.back() == '/')
            continue;
        EXPECT_EQ(ReadFileBytes(mountpoint + "/" + entry), ReadFileBytes(extracted + "/" + entry)) << entry;
        struct stat shown {}, written {};
        ::stat((mountpoint + "/" + entry).c_str(), &shown);
        ::stat((extracted + "/" + entry).c_str(), &written);
        EXPECT_EQ(shown.st_mtime, written.st_mtime) << entry;
    }
    EXPECT_EQ(ReadFileBytes(mountpoint + "/" + kSet + "docs/a (2).txt"), Pattern(70000, 2));
    EXPECT_EQ(Status(mountpoint + "/" + kSet + "docs/a.txt"), "no checksum");
    EXPECT_EQ(Status(mountpoint + "/" + kSet + "big.bin"), "cut short");
    EXPECT_EQ(Status(mountpoint + "/" + kSet + "sum.bin"), "damaged") << "read whole above";

    const std::string file = mountpoint + "/" + kSet + "docs/a.txt";
    EXPECT_EQ(ErrorOf(::open(file.c_str(), O_WRONLY)), EROFS);
    EXPECT_EQ(ErrorOf(::open((mountpoint + "/new").c_str(), O_WRONLY | O_CREAT, 0644)), EROFS);
    EXPECT_EQ(ErrorOf(::mkdir((mountpoint + "/BKF/new").c_str(), 0755)), EROFS);
    EXPECT_EQ(ErrorOf(::rename(file.c_str(), (file + ".old").c_str())), EROFS);
    EXPECT_EQ(ErrorOf(::unlink(file.c_str())), EROFS);
    EXPECT_EQ(ErrorOf(::setxattr(file.c_str(), "user.bkf.status", "ok", 2, 0)), EROFS);

    ::kill(mount.Pid(), SIGTERM);
    const Tool::Result ended = mount.Finish();
    EXPECT_EQ(ended.status, 0) << Describe(ended);
    EXPECT_NE(ended.err.find("sum.bin: damaged"), std::string::npos) << ended.err;
    EXPECT_FALSE(IsMountPoint(mountpoint));
    if (IsMountPoint(mountpoint))
        std::system(("fusermount3 -u '" + mountpoint + "'").c_str());
}

} // namespace
