// SPDX-License-Identifier: GPL-3.0-or-later
#include "mount_filesystem.h"

#include "bkf_file_handle.h"
#include "data_check.h"
#include "extraction_report.h"
#include "display_path.h"
#include "messages.h"
#include "mount_tree.h"
#include "scan_report.h"
#include "spliced_read.h"

// 3.2: the loop's settings as a structure (the older call leaks the one it
// makes in libfuse 3.12 to 3.14).
#define FUSE_USE_VERSION 32
#include <fuse_lowlevel.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

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

const Served& Context(fuse_req_t request)
{
    return *static_cast<const Served*>(fuse_req_userdata(request));
}

// Inode numbers are the tree's node numbers plus one: the root is inode 1.
MountTree::NodeId NodeOf(fuse_ino_t inode)
{
    return static_cast<MountTree::NodeId>(inode - FUSE_ROOT_ID);
}

fuse_ino_t InodeOf(MountTree::NodeId node)
{
    return static_cast<fuse_ino_t>(node) + FUSE_ROOT_ID;
}

bool Known(const Served& served, fuse_ino_t inode)
{
    return inode >= FUSE_ROOT_ID && NodeOf(inode) < served.tree.NodeCount();
}

struct stat Attributes(const Served& served, MountTree::NodeId node)
{
    struct stat info {};
    const bool folder = served.tree.IsFolder(node);
    info.st_ino = InodeOf(node);
    info.st_mode = folder ? (S_IFDIR | 0555) : (S_IFREG | 0444);
    info.st_nlink = folder ? served.tree.FolderLinks(node) : 1;
    info.st_size = static_cast<off_t>(served.tree.Size(node));
    info.st_blocks = (info.st_size + 511) / 512;
    info.st_blksize = kPreferredReadSize;
    info.st_uid = served.owner;
    info.st_gid = served.group;
    info.st_mtim.tv_sec = info.st_atim.tv_sec = info.st_ctim.tv_sec =
        static_cast<time_t>(served.tree.ModifiedSeconds(node));
    return info;
}

void Init(void*, fuse_conn_info* connection)
{
    // A reply's bytes go from the pipe they were read into to the kernel without a copy.
    if (connection->capable & FUSE_CAP_SPLICE_WRITE)
        connection->want |= FUSE_CAP_SPLICE_WRITE;
}

void Lookup(fuse_req_t request, fuse_ino_t parent, const char* name)
{
    const Served& served = Context(request);
    if (!Known(served, parent) || !served.tree.IsFolder(NodeOf(parent))) {
        fuse_reply_err(request, ENOTDIR);
        return;
    }
    fuse_entry_param entry {};
    entry.entry_timeout = kCacheSeconds; // a name not found stays not found
    if (const auto child = served.tree.Child(NodeOf(parent), name)) {
        entry.ino = InodeOf(*child);
        entry.generation = 1;
        entry.attr = Attributes(served, *child);
        entry.attr_timeout = kCacheSeconds;
    }
    fuse_reply_entry(request, &entry);
}

void GetAttr(fuse_req_t request, fuse_ino_t inode, fuse_file_info*)
{
    const Served& served = Context(request);
    if (!Known(served, inode)) {
        fuse_reply_err(request, ENOENT);
        return;
    }
    const struct stat info = Attributes(served, NodeOf(inode));
    fuse_reply_attr(request, &info, kCacheSeconds);
}

// Entry `index` of a folder's listing: ".", "..", then the children by name,
// with the child's attributes (an entry that the kernel keeps as if looked
// up) when `plus`. False past the end.
bool ListingEntry(const Served& served, MountTree::NodeId folder, std::size_t index, bool plus, std::string& name,
                  fuse_entry_param& entry)
{
    const MountTree& tree = served.tree;
    if (index >= 2 + tree.ChildCount(folder))
        return false;
    entry = fuse_entry_param{};
    if (index < 2) {
        name = index == 0 ? "." : "..";
        entry.attr.st_ino = InodeOf(folder);
        entry.attr.st_mode = S_IFDIR;
        return true;
    }
    const MountTree::NodeId child = tree.ChildAt(folder, index - 2);
    name.assign(tree.Name(child));
    entry.attr.st_ino = InodeOf(child);
    entry.attr.st_mode = tree.IsFolder(child) ? S_IFDIR : S_IFREG;
    if (plus) {
        entry.ino = InodeOf(child);
        entry.generation = 1;
        entry.attr = Attributes(served, child);
        entry.attr_timeout = entry.entry_timeout = kCacheSeconds;
    }
    return true;
}

// Lists a folder from entry `offset` on, as many entries as fit in `size` bytes.
void List(fuse_req_t request, fuse_ino_t inode, std::size_t size, off_t offset, bool plus)
{
    const Served& served = Context(request);
    if (!Known(served, inode) || !served.tree.IsFolder(NodeOf(inode))) {
        fuse_reply_err(request, ENOTDIR);
        return;
    }
    std::vector<char> listing(size);
    std::size_t used = 0;
    std::string name;
    fuse_entry_param entry {};
    for (auto index = static_cast<std::size_t>(std::max<off_t>(offset, 0));
         ListingEntry(served, NodeOf(inode), index, plus, name, entry); ++index) {
        char* at = listing.data() + used;
        const auto next = static_cast<off_t>(index + 1);
        const std::size_t length = plus ? fuse_add_direntry_plus(request, at, size - used, name.c_str(), &entry, next)
                                        : fuse_add_direntry(request, at, size - used, name.c_str(), &entry.attr, next);
        if (length > size - used)
            break;
        used += length;
    }
    fuse_reply_buf(request, listing.data(), used);
}

void ReadDir(fuse_req_t request, fuse_ino_t inode, std::size_t size, off_t offset, fuse_file_info*)
{
    List(request, inode, size, offset, false);
}

// A listing with every entry's attributes: `ls -l`, `du` and `cp -r` need no
// lookup per name.
void ReadDirPlus(fuse_req_t request, fuse_ino_t inode, std::size_t size, off_t offset, fuse_file_info*)
{
    List(request, inode, size, offset, true);
}

void Open(fuse_req_t request, fuse_ino_t inode, fuse_file_info* file)
{
    const Served& served = Context(request);
    if ((file->flags & O_ACCMODE) != O_RDONLY || (file->flags & O_TRUNC) != 0) {
        fuse_reply_err(request, EROFS);
        return;
    }
    if (!Known(served, inode)) {
        fuse_reply_err(request, ENOENT);
        return;
    }
    if (served.tree.IsFolder(NodeOf(inode))) {
        fuse_reply_err(request, EISDIR);
        return;
    }
    // The kernel keeps what it read of a file (nothing changes), and reads
    // through its page cache: direct I/O would make cat of a large file about
    // as fast as cat of the backup, but every small read a round trip here
    // (4 KiB reads 6x slower, measured) and shared mappings impossible.
    file->keep_cache = 1;
    fuse_reply_open(request, file);
}

// Replies with the `count` bytes in the pipe of `read`: the kernel takes
// them from there, and libfuse copies them (reading the pipe) only where it
// cannot splice. Neither reads the backup.
void ReplyFromPipe(fuse_req_t request, SplicedRead& read, std::size_t count)
{
    fuse_bufvec piped = FUSE_BUFVEC_INIT(count);
    piped.buf[0].flags = static_cast<fuse_buf_flags>(FUSE_BUF_IS_FD | FUSE_BUF_FD_RETRY);
    piped.buf[0].fd = read.PipeOut();
    fuse_reply_data(request, &piped, FUSE_BUF_SPLICE_NONBLOCK);
    read.EmptyPipe();
}

// Once a reader asks for the end of a file with a recorded checksum, its
// whole data are compared with it: the file's state follows, and a damaged
// one is named once. Its bytes are served all the same.
void CheckAtEnd(const Served& served, MountTree::NodeId node)
{
    if (!served.tree.ClaimCheck(node))
        return;
    const CatalogueRow row = served.tree.Row(node);
    const std::optional<bool> intact = RowDataIntact(served.backup, row);
    served.tree.NoteCheck(node, intact);
    if (intact && !*intact)
        PrintMessage(PrintableName(DisplayPath(row.path)) + ": " + kDamagedDataText);
}

void Read(fuse_req_t request, fuse_ino_t inode, std::size_t size, off_t offset, fuse_file_info*)
{
    const Served& served = Context(request);
    const ByteRange data = Known(served, inode) ? served.tree.Data(NodeOf(inode)) : ByteRange{};
    const auto at = static_cast<std::uint64_t>(std::max<off_t>(offset, 0));
    if (at >= data.length) {
        fuse_reply_buf(request, nullptr, 0);
        return;
    }
    const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(size, data.length - at));
    // Before the last bytes go out: a reader that has them sees the state.
    if (at + count == data.length)
        CheckAtEnd(served, NodeOf(inode));
    thread_local SplicedRead read; // each serving thread's own pipe and buffer
    if (read.Take(served.backup, data.offset + at, count))
        ReplyFromPipe(request, read, count);
    else
        fuse_reply_buf(request, reinterpret_cast<const char*>(read.Bytes().data()), read.Bytes().size());
}

// Replies with `text` (with its NUL when `withNul`) as an extended
// attribute's value, or with its length when `size` is 0.
void ReplyAttribute(fuse_req_t request, const char* text, bool withNul, std::size_t size)
{
    const std::size_t length = std::strlen(text) + (withNul ? 1 : 0);
    if (size == 0)
        fuse_reply_xattr(request, length);
    else if (size < length)
        fuse_reply_err(request, ERANGE);
    else
        fuse_reply_buf(request, text, length);
}

void GetXattr(fuse_req_t request, fuse_ino_t inode, const char* name, std::size_t size)
{
    const Served& served = Context(request);
    const char* status = Known(served, inode) ? served.tree.Status(NodeOf(inode)) : nullptr;
    if (!status || std::strcmp(name, kStatusAttribute) != 0)
        fuse_reply_err(request, ENODATA);
    else
        ReplyAttribute(request, status, false, size);
}

void ListXattr(fuse_req_t request, fuse_ino_t inode, std::size_t size)
{
    const Served& served = Context(request);
    if (!Known(served, inode) || served.tree.IsFolder(NodeOf(inode)))
        ReplyAttribute(request, "", false, size);
    else
        ReplyAttribute(request, kStatusAttribute, true, size);
}

fuse_lowlevel_ops Operations()
{
    fuse_lowlevel_ops operations {};
    operations.init = Init;
    operations.lookup = Lookup;
    operations.getattr = GetAttr;
    operations.readdir = ReadDir;
    operations.readdirplus = ReadDirPlus;
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
    const fuse_lowlevel_ops operations = Operations();
    const std::unique_ptr<fuse_session, void (*)(fuse_session*)> session(
        fuse_session_new(&options.args, &operations, sizeof operations, &served), fuse_session_destroy);
    // The handlers come first: a signal from here on ends the loop and unmounts.
    if (!session || fuse_set_signal_handlers(session.get()) != 0) {
        *why = "cannot mount at " + mountpoint;
        return false;
    }
    if (fuse_session_mount(session.get(), mountpoint.c_str()) != 0) {
        fuse_remove_signal_handlers(session.get());
        *why = "cannot mount at " + mountpoint;
        return false;
    }
    mounted();
    fuse_loop_config loop {};
    loop.max_idle_threads = 10;
    fuse_session_loop_mt(session.get(), &loop);
    fuse_remove_signal_handlers(session.get());
    fuse_session_unmount(session.get());
    return true;
}
