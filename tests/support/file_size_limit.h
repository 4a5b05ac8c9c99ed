// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A cap on the size of every file the tests write, so that a regression that
// writes a 2^64-byte file fails at once instead of filling the disk.

#include <cstdint>

constexpr std::uint64_t kTestFileSizeLimit = std::uint64_t{512} << 20;

// Sets the soft limit to kTestFileSizeLimit (children inherit it) and makes
// a write past it fail with EFBIG instead of killing the process.
void LimitTestFileSize();

// Sets the soft limit to `bytes` (at most the hard one) while it lives: a
// small one stands in for a disk that fills up.
class FileSizeLimitScope {
public:
    explicit FileSizeLimitScope(std::uint64_t bytes);
    ~FileSizeLimitScope();
    FileSizeLimitScope(const FileSizeLimitScope&) = delete;
    FileSizeLimitScope& operator=(const FileSizeLimitScope&) = delete;

private:
    std::uint64_t m_previous;
};

// Lifts the soft limit to the hard one while it lives (sparse backups
// beyond 4 GiB).
class FileSizeLimitLift : public FileSizeLimitScope {
public:
    FileSizeLimitLift();
};
