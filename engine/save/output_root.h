// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The output root folder of one save and the files created below it. Folders
// are created and entered without following links, and files are created
// exclusively: nothing that exists is overwritten and nothing is written
// outside the root.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(OutputFile&& other) noexcept;
    OutputFile& operator=(OutputFile&& other) noexcept;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    bool IsOpen() const;
    // Writes all `length` bytes. On failure `written` says how many of them
    // reached the file before the system refused (they stay in it).
    bool Write(const void* data, std::size_t length, std::size_t& written, std::string* why);
    // Asks the system to start writing [offset, offset + length) to the disk
    // now rather than later, so that a long copy keeps the disk busy instead
    // of piling up dirty pages. Only a hint; does nothing where unsupported.
    void StartWriteBack(std::uint64_t offset, std::uint64_t length);
    // Sets the file's modification date (seconds since 1970) through the
    // open file itself; false when the system refuses.
    bool SetModified(std::int64_t seconds);
    // Closes the file; false when the system reports a late write failure.
    bool Close(std::string* why);
    // True once a write or the close failed because the disk is full.
    bool DiskFull() const { return m_diskFull; }

private:
    friend class OutputRoot;
    void NoteFailure();

    int m_fd = -1;
    bool m_diskFull = false;
};

class OutputRoot {
public:
    ~OutputRoot();
    OutputRoot(OutputRoot&&) noexcept;
    OutputRoot& operator=(OutputRoot&&) noexcept;

    // Creates a new folder under `destination` (made if missing) named
    // `prefix`, or `prefix` followed by the first number for which nothing of
    // that name exists.
    static std::optional<OutputRoot> Create(const std::string& destination, const std::string& prefix,
                                            std::string* why);

    // Opens, for a save that continues an earlier one, the existing folder
    // under `destination` named `prefix` with the highest number (no number
    // counts as 0). Nothing when there is none.
    static std::optional<OutputRoot> OpenLatest(const std::string& destination, const std::string& prefix,
                                                std::string* why);
    // Opens the output folder `folder` (full path) of an earlier save for a
    // save that continues it, as OpenLatest does.
    static std::optional<OutputRoot> OpenEarlier(const std::string& folder, std::string* why);
    // The path of the folder OpenLatest opens, or nothing.
    static std::optional<std::string> LatestPath(const std::string& destination, const std::string& prefix);

    const std::string& Path() const { return m_path; }

    // What a file that is not saved whole gets after its name: NAME.partial.
    static constexpr const char* kAsideSuffix = ".partial";

    // In a root opened by OpenLatest, a name that exists and was not created
    // or kept in this run holds the earlier save's file of the row now asked
    // for. The check gets it open for reading and says whether it is
    // complete: then it is kept (CreateFile returns nothing and sets `kept`);
    // otherwise it is moved aside as NAME.partial (or NAME.partial1, ...)
    // and the name made anew.
    using ExistingFileCheck = std::function<bool(int fd)>;
    struct Resumed {
        bool kept = false;
        // Beside the file's name: the NAME.partial files an earlier save left
        // and the one this call moved aside, for the caller to remove once the
        // file is whole (RemoveBeside).
        std::vector<std::string> leftovers;
    };

    // Creates the folders components[0 .. n-2] below the root and a new file
    // components[n-1]. A name too long for the file system is shortened at a
    // character boundary (keeping the extension), and a file name that is
    // taken already gets the first free number ("NAME (2).EXT"): nothing is
    // overwritten. A folder whose name a file holds gets the first free
    // number too ("x (2)"), and keeps it for every later file of that folder
    // (POSIX). `savedAs` receives the components as created. Fails (with the
    // reason) when a folder on the way is a link, or the system refuses.
    std::optional<OutputFile> CreateFile(const std::vector<std::string>& components, std::string* why,
                                         std::vector<std::string>* savedAs = nullptr,
                                         const ExistingFileCheck* existing = nullptr, Resumed* resumed = nullptr);

    // Removes the files `names` from the folder of the file `components`.
    void RemoveBeside(const std::vector<std::string>& components, const std::vector<std::string>& names);

    // Renames the file `components` (made by CreateFile, closed) to its name
    // + `suffix`, or + `suffix` + the first free number: nothing is ever
    // replaced. Returns the new last component, or nothing (with the reason).
    std::optional<std::string> RenameAside(const std::vector<std::string>& components, const std::string& suffix,
                                           std::string* why);

    // Sets the modification date (seconds since 1970) of the folder
    // `components` below the root. The folder is reached from the root one
    // folder at a time without following links, so that a folder swapped
    // for a link during the save is refused, never dated elsewhere.
    bool SetFolderModified(const std::vector<std::string>& components, std::int64_t seconds);

private:
    OutputRoot() = default;
    std::optional<OutputFile> CreateNumbered(const std::vector<std::string>& components, std::size_t byteLimit,
                                             std::string* why, bool& tooLong, const ExistingFileCheck* existing,
                                             Resumed* resumed);
    enum class NameUse { Free, Taken, Kept, Failed };
    // What the continued save does with the name `fitted`: see ExistingFileCheck.
    NameUse ResumeName(const std::vector<std::string>& fitted, const ExistingFileCheck& check, Resumed& resumed,
                       std::string* why);
    // Creates the folders and the new file exactly as named; on failure
    // `exists` tells a taken name and `tooLong` a name the system refuses
    // for length.
    std::optional<OutputFile> CreateIn(const std::vector<std::string>& components, std::string* why, bool& exists,
                                       bool& tooLong);
    // The folders of `components` (all but the last) as they were made.
    void UseFolderNames(std::vector<std::string>& components) const;

    struct Impl;
    std::unique_ptr<Impl> m_impl;
    std::string m_path;
    // The next number to try for a name that was taken, by relative path,
    // so that a thousand files of one name cost no quadratic search. Names
    // that never met a taken one are not kept: a million files cost nothing.
    std::unordered_map<std::string, std::uint64_t> m_nextNumber;
    std::vector<std::string> m_lastCreated;
    bool m_continuing = false;
    // The names created or kept in a continued save (hashes of their paths).
    std::unordered_set<std::size_t> m_claimed;
};
