// SPDX-License-Identifier: GPL-3.0-or-later
// The output root on POSIX descriptors: folders are entered with openat and
// O_NOFOLLOW from the root's descriptor, files created with O_EXCL.
#include "output_root.h"

#include "file_system.h"
#include "output_name.h"
#include "output_root_parts.h"

#include <cerrno>
#include <cstdio> // renameat2
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The `counter`th name (from 0) a file `name` set aside with `suffix` gets:
// NAME.partial, NAME.partial1, ... A name near the length limit is shortened
// first, so that the suffix and the number always fit.
std::string AsideName(const std::string& name, const std::string& suffix, std::uint64_t counter)
{
    constexpr std::size_t kNumberRoom = 20;
    const std::size_t room = kNameByteLimit - suffix.size() - kNumberRoom;
    const std::string base = name.size() > room ? FitNameLength(name, room) : name;
    return base + suffix + (counter == 0 ? std::string() : std::to_string(counter));
}

// A new modification time; the access time stays as it is.
struct ModificationTimes {
    explicit ModificationTimes(std::int64_t seconds)
    {
        times[0].tv_nsec = UTIME_OMIT;
        times[1].tv_sec = static_cast<time_t>(seconds);
    }
    struct timespec times[2] = {};
};

} // namespace

// ---------------------------------------------------------------- OutputFile

OutputFile& OutputFile::operator=(OutputFile&& other) noexcept
{
    if (this != &other) {
        Close(nullptr);
        std::swap(m_fd, other.m_fd);
        std::swap(m_diskFull, other.m_diskFull);
    }
    return *this;
}

void OutputFile::NoteFailure()
{
    m_diskFull = m_diskFull || errno == ENOSPC;
}

bool OutputFile::IsOpen() const { return m_fd >= 0; }

bool OutputFile::Write(const void* data, std::size_t length, std::size_t& written, std::string* why)
{
    const char* bytes = static_cast<const char*>(data);
    written = 0;
    while (written < length) {
        const ssize_t wrote = ::write(m_fd, bytes + written, length - written);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0) {
            if (wrote < 0)
                NoteFailure();
            SetWhy(why, wrote < 0 ? LastSystemError() : std::string("nothing was written"));
            return false;
        }
        written += static_cast<std::size_t>(wrote);
    }
    return true;
}

void OutputFile::StartWriteBack(std::uint64_t offset, std::uint64_t length)
{
#ifdef SYNC_FILE_RANGE_WRITE
    if (m_fd >= 0)
        ::sync_file_range(m_fd, static_cast<off_t>(offset), static_cast<off_t>(length), SYNC_FILE_RANGE_WRITE);
#else
    (void)offset;
    (void)length;
#endif
}

bool OutputFile::SetModified(std::int64_t seconds)
{
    const ModificationTimes times(seconds);
    return m_fd >= 0 && ::futimens(m_fd, times.times) == 0;
}

bool OutputFile::Close(std::string* why)
{
    if (m_fd < 0)
        return true;
    const bool closed = ::close(m_fd) == 0;
    if (!closed) {
        NoteFailure();
        SetWhy(why, LastSystemError());
    }
    m_fd = -1;
    return closed;
}

// ---------------------------------------------------------------- OutputRoot

// The root's descriptor and the chain of folders of the last file, so that
// consecutive files of one folder do not walk the path again. The chain is
// remembered by name at every level but held open only at the first 16
// levels, at every 16th below them and at the last: a path hundreds of
// folders deep must not take a descriptor per level (a process may be
// allowed no more than 256). A level not held is reopened from the nearest
// held one above it.
struct OutputRoot::Impl {
    static constexpr std::size_t kHeldStride = 16;

    int rootFd = -1;
    std::vector<std::string> cachedNames;  // as asked for
    std::vector<std::string> cachedActual; // as made
    std::vector<int> cachedFds;
    // Folder (its path's components, NUL-joined) -> the numbered name it got
    // because a file of this save held its name.
    std::unordered_map<std::string, std::string> numberedFolders;

    ~Impl()
    {
        DropCacheFrom(0);
        if (rootFd >= 0)
            ::close(rootFd);
    }

    bool Open(const std::string& path, std::string* why)
    {
        rootFd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (rootFd < 0)
            SetWhy(why, "cannot open \"" + path + "\": " + LastSystemError());
        return rootFd >= 0;
    }

    void DropCacheFrom(std::size_t depth)
    {
        for (std::size_t i = depth; i < cachedFds.size(); ++i) {
            if (cachedFds[i] >= 0)
                ::close(cachedFds[i]);
        }
        cachedFds.resize(depth);
        cachedNames.resize(depth);
        cachedActual.resize(depth);
    }

    // The folders of `components` (all but the last) as they were made.
    void UseFolderNames(std::vector<std::string>& components) const
    {
        for (std::size_t i = 0; i + 1 < components.size() && i < cachedActual.size(); ++i)
            components[i] = cachedActual[i];
    }

    static bool IsPlainFile(int parent, const std::string& name)
    {
        struct stat info {};
        return ::fstatat(parent, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode);
    }

    // The files NAME.partial, NAME.partial1, ... in `folder` that earlier
    // saves set aside for `name`, up to the first number that is not one.
    static std::vector<std::string> LeftoversOf(int folder, const std::string& name)
    {
        std::vector<std::string> leftovers;
        for (std::uint64_t counter = 0;; ++counter) {
            std::string aside = AsideName(name, OutputRoot::kAsideSuffix, counter);
            if (!IsPlainFile(folder, aside))
                return leftovers;
            leftovers.push_back(std::move(aside));
        }
    }

    // Makes and opens the first "NAME (n)" of which nothing exists.
    static int MakeNumbered(int parent, const std::string& name, std::string& actual, std::string* why)
    {
        for (std::uint64_t number = 2;; ++number) {
            actual = NumberedName(name, number, kNameByteLimit);
            if (::mkdirat(parent, actual.c_str(), 0777) == 0)
                return ::openat(parent, actual.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (errno != EEXIST) {
                SetWhy(why, "cannot create folder \"" + actual + "\": " + LastSystemError());
                return -1;
            }
        }
    }

    // Enters the folder `name` (key: its path) in `parent`. Where a file of
    // this save holds the name, the folder is numbered as a file would be
    // ("x (2)"), and every later file of that folder goes there too.
    int EnterOrNumber(int parent, const std::string& key, const std::string& name, std::string& actual,
                      std::string* why)
    {
        const auto known = numberedFolders.find(key);
        actual = known != numberedFolders.end() ? known->second : name;
        const int fd = EnterFolder(parent, actual, why);
        if (fd >= 0 || known != numberedFolders.end() || !IsPlainFile(parent, name))
            return fd;
        const int numbered = MakeNumbered(parent, name, actual, why);
        if (numbered >= 0)
            numberedFolders.emplace(key, actual);
        return numbered;
    }

    // Opens (creating when missing) the folder `name` in `parent`, refusing links.
    static int EnterFolder(int parent, const std::string& name, std::string* why)
    {
        const int flags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
        int fd = ::openat(parent, name.c_str(), flags);
        if (fd < 0 && errno == ENOENT) {
            if (::mkdirat(parent, name.c_str(), 0777) != 0 && errno != EEXIST) {
                SetWhy(why, "cannot create folder \"" + name + "\": " + LastSystemError());
                return -1;
            }
            fd = ::openat(parent, name.c_str(), flags);
        }
        if (fd < 0) {
            const bool notFolder = errno == ENOTDIR || errno == ELOOP;
            SetWhy(why, "\"" + name + "\" " + (notFolder ? std::string("is not a folder") : LastSystemError()));
        }
        return fd;
    }

    // Opens the existing folder `components` below the root, refusing links.
    int OpenExisting(const std::vector<std::string>& components) const
    {
        int fd = ::dup(rootFd);
        for (std::size_t i = 0; fd >= 0 && i < components.size(); ++i) {
            const int next = ::openat(fd, components[i].c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            ::close(fd);
            fd = next;
        }
        return fd;
    }

    // Closes the chain's level `level` unless it is one of those held.
    void ReleaseLevel(std::size_t level)
    {
        const bool held = level < kHeldStride || level % kHeldStride == kHeldStride - 1;
        if (!held && cachedFds[level] >= 0) {
            ::close(cachedFds[level]);
            cachedFds[level] = -1;
        }
    }

    // The folder below the chain's first `levels` levels (the root for 0),
    // reopened from the nearest held level above it when it is not held,
    // one folder at a time without following links.
    int ChainFolder(std::size_t levels, std::string* why)
    {
        if (levels == 0 || cachedFds[levels - 1] >= 0)
            return levels == 0 ? rootFd : cachedFds[levels - 1];
        std::size_t from = levels - 1;
        while (from > 0 && cachedFds[from - 1] < 0)
            --from;
        int fd = from == 0 ? rootFd : cachedFds[from - 1];
        for (std::size_t i = from; i < levels; ++i) {
            const int next = ::openat(fd, cachedActual[i].c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (i > from)
                ::close(fd); // reopened on the way, not held
            if (next < 0) {
                SetWhy(why, "cannot enter folder \"" + cachedActual[i] + "\" again: " + LastSystemError());
                return -1;
            }
            fd = next;
        }
        cachedFds[levels - 1] = fd;
        return fd;
    }

    int FolderFor(const std::vector<std::string>& components, std::string* why)
    {
        const std::size_t depth = components.size() - 1;
        std::size_t shared = 0;
        while (shared < depth && shared < cachedNames.size() && cachedNames[shared] == components[shared])
            ++shared;
        DropCacheFrom(shared);
        int fd = ChainFolder(shared, why);
        std::string key;
        for (std::size_t i = 0; fd >= 0 && i < depth; ++i) {
            key.append(components[i]).append(1, '\0');
            if (i < shared)
                continue;
            std::string actual;
            fd = EnterOrNumber(fd, key, components[i], actual, why);
            if (fd < 0)
                break;
            cachedFds.push_back(fd);
            cachedNames.push_back(components[i]);
            cachedActual.push_back(actual);
            if (i > 0)
                ReleaseLevel(i - 1);
        }
        return fd;
    }
};

std::optional<OutputFile> OutputRoot::CreateIn(const std::vector<std::string>& components, std::string* why,
                                               bool& exists, bool& tooLong)
{
    const int folder = m_impl->FolderFor(components, why);
    if (folder < 0) {
        tooLong = errno == ENAMETOOLONG;
        return std::nullopt;
    }
    const int fd = ::openat(folder, components.back().c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                            0666);
    if (fd < 0) {
        exists = errno == EEXIST;
        tooLong = errno == ENAMETOOLONG;
        SetWhy(why, LastSystemError());
        return std::nullopt;
    }
    OutputFile file;
    file.m_fd = fd;
    return file;
}

namespace {

enum class RenameOutcome { Done, Taken, Failed };

RenameOutcome RenameNoReplace(int folder, const std::string& from, const std::string& to, std::string* why)
{
#ifdef RENAME_NOREPLACE
    if (::renameat2(folder, from.c_str(), folder, to.c_str(), RENAME_NOREPLACE) == 0)
        return RenameOutcome::Done;
    if (errno == EEXIST)
        return RenameOutcome::Taken;
    if (errno != EINVAL && errno != ENOSYS) {
        SetWhy(why, LastSystemError());
        return RenameOutcome::Failed;
    }
#endif
    // A new link fails when the target exists; file systems without links
    // (FAT) get a look first, then a plain rename.
    if (::linkat(folder, from.c_str(), folder, to.c_str(), 0) == 0) {
        if (::unlinkat(folder, from.c_str(), 0) == 0)
            return RenameOutcome::Done;
        SetWhy(why, LastSystemError());
        return RenameOutcome::Failed;
    }
    if (errno == EEXIST)
        return RenameOutcome::Taken;
    struct stat info {};
    if (::fstatat(folder, to.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0)
        return RenameOutcome::Taken;
    if (::renameat(folder, from.c_str(), folder, to.c_str()) == 0)
        return RenameOutcome::Done;
    SetWhy(why, LastSystemError());
    return RenameOutcome::Failed;
}

// The file's name + suffix, or + suffix + the first number not taken. A
// name near the length limit is shortened first, so the suffix always fits.
std::optional<std::string> RenameToFreeName(int folder, const std::string& name, const std::string& suffix,
                                            std::string* why)
{
    for (std::uint64_t counter = 0;; ++counter) {
        const std::string target = AsideName(name, suffix, counter);
        switch (RenameNoReplace(folder, name, target, why)) {
        case RenameOutcome::Done:
            return target;
        case RenameOutcome::Failed:
            return std::nullopt;
        case RenameOutcome::Taken:
            break;
        }
    }
}

} // namespace

std::optional<std::string> OutputRoot::RenameAside(const std::vector<std::string>& components,
                                                   const std::string& suffix, std::string* why)
{
    if (components.empty()) {
        SetWhy(why, "empty path");
        return std::nullopt;
    }
    const int folder = m_impl->FolderFor(components, why);
    if (folder < 0)
        return std::nullopt;
    return RenameToFreeName(folder, components.back(), suffix, why);
}

bool OutputRoot::SetFolderModified(const std::vector<std::string>& components, std::int64_t seconds)
{
    const int fd = m_impl->OpenExisting(components);
    if (fd < 0)
        return false;
    const ModificationTimes times(seconds);
    const bool done = ::futimens(fd, times.times) == 0;
    ::close(fd);
    return done;
}

void OutputRoot::UseFolderNames(std::vector<std::string>& components) const
{
    m_impl->UseFolderNames(components);
}

OutputRoot::~OutputRoot() = default;
OutputRoot::OutputRoot(OutputRoot&&) noexcept = default;
OutputRoot& OutputRoot::operator=(OutputRoot&&) noexcept = default;

std::optional<OutputRoot> OutputRoot::Create(const std::string& destination, const std::string& prefix,
                                             std::string* why)
{
    std::string folder = destination;
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    if (!CreateFolderChain(folder, why))
        return std::nullopt;

    // prefix, prefix1, prefix2, ...: the first name of which nothing exists.
    for (std::uint64_t counter = 0;; ++counter) {
        const std::string candidate = folder + prefix + (counter == 0 ? std::string() : std::to_string(counter));
        const PathState state = LookUpPath(candidate, false, why);
        if (state == PathState::Folder || state == PathState::NotFolder)
            continue;
        if (state == PathState::Unknown)
            return std::nullopt; // holds for every candidate: counting on would never end
        const bool made = ::mkdir(candidate.c_str(), 0777) == 0;
        const bool taken = !made && errno == EEXIST;
        if (taken)
            continue; // made by someone else in the meantime
        if (!made) {
            SetWhy(why, "cannot create \"" + candidate + "\": " + LastSystemError());
            return std::nullopt;
        }
        OutputRoot root;
        root.m_impl = std::make_unique<Impl>();
        if (!root.m_impl->Open(candidate, why))
            return std::nullopt;
        root.m_path = candidate;
        return root;
    }
}

namespace {

// The number after `prefix` in `name` (0 for `prefix` itself), or nothing.
std::optional<std::uint64_t> OutputNumber(const std::string& name, const std::string& prefix)
{
    if (name.compare(0, prefix.size(), prefix) != 0 || name.size() > prefix.size() + 18)
        return std::nullopt;
    std::uint64_t number = 0;
    for (std::size_t i = prefix.size(); i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9' || (i == prefix.size() && name[i] == '0'))
            return std::nullopt;
        number = number * 10 + static_cast<std::uint64_t>(name[i] - '0');
    }
    return number;
}

} // namespace

std::optional<std::string> OutputRoot::LatestPath(const std::string& destination, const std::string& prefix)
{
    DIR* listing = ::opendir(destination.c_str());
    if (!listing)
        return std::nullopt;
    std::optional<std::uint64_t> latest;
    while (const dirent* entry = ::readdir(listing)) {
        const auto number = OutputNumber(entry->d_name, prefix);
        struct stat info {};
        if (number && (!latest || *number > *latest)
            && ::fstatat(::dirfd(listing), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(info.st_mode))
            latest = number;
    }
    ::closedir(listing);
    if (!latest)
        return std::nullopt;
    return destination + (destination.back() == '/' ? "" : "/") + prefix
           + (*latest == 0 ? std::string() : std::to_string(*latest));
}

std::optional<OutputRoot> OutputRoot::OpenLatest(const std::string& destination, const std::string& prefix,
                                                 std::string* why)
{
    auto path = LatestPath(destination, prefix);
    if (!path)
        return std::nullopt;
    return OpenEarlier(*path, why);
}

std::optional<OutputRoot> OutputRoot::OpenEarlier(const std::string& folder, std::string* why)
{
    OutputRoot root;
    root.m_impl = std::make_unique<Impl>();
    root.m_path = folder;
    if (!root.m_impl->Open(root.m_path, why))
        return std::nullopt;
    root.m_continuing = true;
    return root;
}

OutputRoot::NameUse OutputRoot::ResumeName(const std::vector<std::string>& fitted, const ExistingFileCheck& check,
                                           Resumed& resumed, std::string* why)
{
    const std::size_t key = std::hash<std::string>()(JoinComponents(fitted));
    if (m_claimed.count(key) != 0)
        return NameUse::Taken;
    const int folder = m_impl->FolderFor(fitted, why);
    if (folder < 0)
        return NameUse::Free; // creating the file says why
    resumed.leftovers = m_impl->LeftoversOf(folder, fitted.back());
    struct stat info {};
    const int fd = ::openat(folder, fitted.back().c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? NameUse::Free : NameUse::Taken;
    const bool file = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    const bool complete = file && check(fd);
    ::close(fd);
    if (!file)
        return NameUse::Taken;
    if (complete) {
        m_claimed.insert(key);
        resumed.kept = true;
        return NameUse::Kept;
    }
    auto aside = RenameAside(fitted, OutputRoot::kAsideSuffix, why);
    if (!aside)
        return NameUse::Failed;
    resumed.leftovers.push_back(std::move(*aside));
    return NameUse::Free;
}

void OutputRoot::RemoveBeside(const std::vector<std::string>& components, const std::vector<std::string>& names)
{
    const int folder = m_impl->FolderFor(components, nullptr);
    for (const std::string& name : names) {
        if (folder >= 0)
            ::unlinkat(folder, name.c_str(), 0);
    }
}

