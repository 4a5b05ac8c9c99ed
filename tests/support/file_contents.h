// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File contents and folder listings for tests that save files: patterned
// bytes, slices of a backup, what lies on disk, and where a catalogue path
// lands below an output root. Header-only (no Qt).

#include "byte_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace test_files {

namespace fs = std::filesystem;

using Bytes = std::vector<std::uint8_t>;

// Bytes that differ at every position (no period of 64 KiB or a power of
// two), so a slice written twice, dropped or shifted shows in a comparison.
inline Bytes Pattern(std::size_t length, std::uint32_t seed = 1)
{
    Bytes bytes(length);
    std::uint32_t state = seed * 2654435761u + 12345u;
    for (std::size_t k = 0; k < length; ++k) {
        state = state * 1103515245u + 12345u;
        bytes[k] = static_cast<std::uint8_t>(state >> 16);
    }
    return bytes;
}

inline Bytes Slice(const Bytes& bytes, std::uint64_t offset, std::uint64_t length)
{
    if (offset >= bytes.size())
        return {};
    const std::uint64_t end = std::min<std::uint64_t>(bytes.size(), offset + length);
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(offset), bytes.begin() + static_cast<std::ptrdiff_t>(end));
}

// The file's content, or nothing when it cannot be read (missing, a folder).
inline std::optional<Bytes> ReadFileBytes(const std::string& path)
{
    std::error_code error;
    if (!fs::is_regular_file(fs::symlink_status(path, error)))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    const auto size = fs::file_size(path, error);
    if (!in || error)
        return std::nullopt;
    // One read, not a byte at a time: tests read megabytes, unoptimised.
    Bytes bytes(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (static_cast<std::uintmax_t>(in.gcount()) != size)
        return std::nullopt;
    return bytes;
}

inline void WriteFileBytes(const std::string& path, const Bytes& bytes)
{
    ASSERT_TRUE(WriteBytes(path, bytes)) << "cannot write " << path;
}

// Every entry below `folder`, relative, "/"-separated, folders with a
// trailing "/", links with a trailing "@"; links are not followed.
inline std::set<std::string> TreeOf(const std::string& folder)
{
    std::set<std::string> entries;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(folder, error); !error && it != fs::recursive_directory_iterator();
         it.increment(error)) {
        std::string name = fs::relative(it->path(), folder).generic_string();
        const auto status = it->symlink_status();
        if (fs::is_symlink(status))
            name += "@";
        else if (fs::is_directory(status))
            name += "/";
        entries.insert(name);
    }
    return entries;
}

// The catalogue path of a row as the file's path below the output root.
inline std::string OnDisk(const std::string& root, std::string_view cataloguePath)
{
    std::string path(cataloguePath);
    std::replace(path.begin(), path.end(), '\\', '/');
    return root + "/" + path;
}

} // namespace test_files
