// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a save put each file and folder below its output root, as made: with
// the names the file system needed (shortened, numbered). Folders are kept
// once each and files as a name and their folder, so that a million saved
// rows cost little more than their names.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class SavedPlaces {
public:
    // Row `row`, whose catalogue path splits into `components`, lies below
    // the root at `savedAs` (as many components, as made).
    void NoteFile(std::size_t row, const std::vector<std::string>& components, const std::vector<std::string>& savedAs);
    // The path below the root ("/"-joined) of row `row`'s file, or nothing
    // when the save left no file of it under its name.
    std::optional<std::string> FileOf(std::size_t row) const;
    // The path below the root of the catalogue folder `folder` ("BKF\set\dir",
    // a trailing "\" allowed), or nothing when no saved file lies below it.
    std::optional<std::string> FolderOf(std::string_view folder) const;

private:
    static constexpr std::uint32_t kRoot = 0;
    struct Folder {
        std::uint32_t parent = kRoot;
        std::string name; // as made
    };
    struct File {
        std::size_t row = 0;
        std::size_t nameAt = 0; // in m_names
        std::uint32_t nameLength = 0;
        std::uint32_t folder = kRoot;
    };

    // The folder `name` (as the catalogue names it) in `parent`, recorded as `made` when new.
    std::uint32_t Enter(std::uint32_t parent, std::string_view name, const std::string& made);
    std::optional<std::uint32_t> Find(std::uint32_t parent, std::string_view name) const;
    std::string PathOf(std::uint32_t folder) const;

    std::vector<Folder> m_folders{Folder{}};
    // The parent's number and the catalogue name, NUL-joined -> the folder.
    std::unordered_map<std::string, std::uint32_t> m_children;
    std::vector<File> m_files; // by row
    std::string m_names;       // the files' names as made, one after the other
};
