// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Temporary files and folders for tests, removed again on destruction.

#include <cstdint>
#include <string>
#include <vector>

// A fresh, empty folder under the system temp folder; removed with all its
// content when the object dies.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_path; }
    // Path of `name` inside the folder (nothing is created).
    std::string Child(const std::string& name) const;

private:
    std::string m_path;
};

// A file holding the given bytes, in a folder of its own; both are removed
// when the object dies.
class TempFile {
public:
    explicit TempFile(const std::vector<std::uint8_t>& bytes, const std::string& name = "backup.bkf");
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::string& Path() const { return m_path; }
    // Replaces the file's content.
    void Rewrite(const std::vector<std::uint8_t>& bytes) const;
    // Cuts the file to `size` bytes (or extends it with zeros) in place.
    void Resize(std::uint64_t size) const;

private:
    TempDir m_dir;
    std::string m_path;
};
