// SPDX-License-Identifier: GPL-3.0-or-later
#include "temp_path.h"

#include "byte_file.h"

#include <filesystem>
#include <random>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

TempDir::TempDir()
{
    std::random_device seed;
    std::mt19937_64 random(seed());
    const fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = base / ("bkf-test-" + std::to_string(random()));
        std::error_code error;
        // create_directory reports false for an existing folder: never share one.
        if (fs::create_directory(candidate, error)) {
            m_path = candidate.string();
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder under " + base.string());
}

TempDir::~TempDir()
{
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

std::string TempDir::Child(const std::string& name) const
{
    return (fs::path(m_path) / name).string();
}

TempFile::TempFile(const std::vector<std::uint8_t>& bytes, const std::string& name)
    : m_path(m_dir.Child(name))
{
    Rewrite(bytes);
}

void TempFile::Rewrite(const std::vector<std::uint8_t>& bytes) const
{
    if (!WriteBytes(m_path, bytes))
        throw std::runtime_error("cannot write " + m_path);
}

void TempFile::Resize(std::uint64_t size) const
{
    fs::resize_file(m_path, size);
}
