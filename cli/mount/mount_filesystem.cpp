// SPDX-License-Identifier: GPL-3.0-or-later
#include "mount_filesystem.h"

#include "bkf_file_handle.h"
#include "mount_tree.h"
#include "recovering_read.h"

#define FUSE_USE_VERSION 31
#include <fuse.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr const char* kStatusAttribute = "user.bkf.status";
// Nothing changes while mounted: the kernel may keep names and sizes for long.
constexpr double kCacheSeconds = 86400;
// Readers that size their reads by st_blksize (cat, cp) ask for 1 MiB at a
// time: fewer, larger requests reach this program.
constexpr blksize_t kPreferredReadSize = 1 << 20;

struct Served {
    const MountTree& tree;
    const BkfFileHandle& backup;
    uid_t owner;
    gid_t group;
};

const Served& Context()
{
    return *static_cast<const Served*>(fuse_get_context()->private_data);
}

// The node a call names: the open file's when there is one.
std::optional<MountTree::NodeId> NodeOf(const char* path, const fuse_file_info* file)
{
    if (file && file->fh != 0)
        return static_cast<MountTree::NodeId>(file->fh);
    return Context().tree.Find(path);
}

void* Init(fuse_conn_info*, fuse_config* config)
{
    config->kernel_cache = 1;
    config->entry_timeout = config->attr_timeout = config->negative_timeout = kCacheSeconds;
    return fuse_get_context()->private_data;
}

int GetAttr(const char* path, struct stat* info, fuse_file_info* file)
{
    const Served& served = Context();
    const auto node = NodeOf(path, file);
    if (!node)
        return -ENOENT;
    std::memset(info, 0, sizeof *info);
    const bool folder = served.tree.IsFolder(*node);
    info->st_mode = folder ? (S_IFDIR | 0555) : (S_IFREG | 0444);
    info->st_nlink = folder ? served.tree.FolderLinks(*node) : 1;
    info->st_size = static_cast<off_t>(served.tree.Size(*node));
    info->st_blocks = (info->st_size + 511) / 512;
    info->st_blksize = kPreferredReadSize;
    info->st_uid = served.owner;
    info->st_gid = served.group;
    info->st_mtim.tv_sec = info->st_atim.tv_sec = info->st_ctim.tv_sec =
        static_cast<time_t>(served.tree.ModifiedSeconds(*node));
    return 0;
}

int ReadDir(const char* path, void* buffer, fuse_fill_dir_t fill, off_t, fuse_file_info*, fuse_readdir_flags)
{
    const MountTree& tree = Context().tree;
    const auto node = tree.Find(path);
    if (!node)
        return -ENOENT;
    if (!tree.IsFolder(*node))
        return -ENOTDIR;
    fill(buffer, ".", nullptr, 0, static_cast<fuse_fill_dir_flags>(0));
    fill(buffer, "..", nullptr, 0, static_cast<fuse_fill_dir_flags>(0));
    std::string name;
    for (const MountTree::NodeId child : tree.Children(*node)) {
        name.assign(tree.Name(child));
        if (fill(buffer, name.c_str(), nullptr, 0, static_cast<fuse_fill_dir_flags>(0)) != 0)
            return -ENOMEM;
    }
    return 0;
}

int Open(const char* path, fuse_file_info* file)
{
    if ((file->flags & O_ACCMODE) != O_RDONLY || (file->flags & O_TRUNC) != 0)
        return -EROFS;
    const MountTree& tree = Context().tree;
    const auto node = tree.Find(path);
    if (!node)
        return -ENOENT;
    if (tree.IsFolder(*node))
        return -EISDIR;
    file->fh = *node;
    file->keep_cache = 1;
    return 0;
}

int Read(const char* path, char* buffer, std::size_t size, off_t offset, fuse_file_info* file)
{
    const Served& served = Context();
    const auto node = NodeOf(path, file);
    if (!node)
        return -ENOENT;
    const std::uint64_t length = served.tree.Size(*node);
    const std::uint64_t at = static_cast<std::uint64_t>(offset);
    if (offset < 0 || at >= length)
        return 0;
    const std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(size, length - at));
    RecoveringRead result;
    ReadRecovering(served.backup, served.tree.DataOffset(*node) + at, reinterpret_cast<std::uint8_t*>(buffer),
                   count, result);
    return static_cast<int>(count);
}

// Copies `text` (with its NUL when `withNul`) as an extended attribute's value.
int AttributeValue(const char* text, bool withNul, char* value, std::size_t size)
{
    const std::size_t length = std::strlen(text) + (withNul ? 1 : 0);
    if (size == 0)
        return static_cast<int>(length);
    if (size < length)
        return -ERANGE;
    std::memcpy(value, text, length);
    return static_cast<int>(length);
}

int GetXattr(const char* path, const char* name, char* value, std::size_t size)
{
    const MountTree& tree = Context().tree;
    const auto node = tree.Find(path);
    if (!node)
        return -ENOENT;
    const char* status = tree.Status(*node);
    if (!status || std::strcmp(name, kStatusAttribute) != 0)
        return -ENODATA;
    return AttributeValue(status, false, value, size);
}

int ListXattr(const char* path, char* list, std::size_t size)
{
    const MountTree& tree = Context().tree;
    const auto node = tree.Find(path);
    if (!node)
        return -ENOENT;
    return tree.IsFolder(*node) ? 0 : AttributeValue(kStatusAttribute, true, list, size);
}

fuse_operations Operations()
{
    fuse_operations operations {};
    operations.init = Init;
    operations.getattr = GetAttr;
    operations.readdir = ReadDir;
    operations.open = Open;
    operations.read = Read;
    operations.getxattr = GetXattr;
    operations.listxattr = ListXattr;
    return operations;
}

struct FuseArgs {
    fuse_args args = FUSE_ARGS_INIT(0, nullptr);
    ~FuseArgs() { fuse_opt_free_args(&args); }
};

} // namespace

bool ServeMount(const MountTree& tree, const BkfFileHandle& backup, const std::string& mountpoint,
                const std::function<void()>& mounted, std::string* why)
{
    Served served{tree, backup, ::geteuid(), ::getegid()};
    FuseArgs options;
    fuse_opt_add_arg(&options.args, "bkf-recover");
    fuse_opt_add_arg(&options.args, "-o");
    fuse_opt_add_arg(&options.args, "ro,default_permissions,subtype=bkf,fsname=bkf-recover");
    const fuse_operations operations = Operations();
    const std::unique_ptr<fuse, void (*)(fuse*)> session(
        fuse_new(&options.args, &operations, sizeof operations, &served), fuse_destroy);
    // The handlers come first: a signal from here on ends the loop and unmounts.
    if (!session || fuse_set_signal_handlers(fuse_get_session(session.get())) != 0) {
        *why = "cannot mount at " + mountpoint;
        return false;
    }
    if (fuse_mount(session.get(), mountpoint.c_str()) != 0) {
        fuse_remove_signal_handlers(fuse_get_session(session.get()));
        *why = "cannot mount at " + mountpoint;
        return false;
    }
    mounted();
    fuse_loop_mt(session.get(), 0);
    fuse_remove_signal_handlers(fuse_get_session(session.get()));
    fuse_unmount(session.get());
    return true;
}
