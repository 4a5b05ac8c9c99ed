// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The five-byte date of a DIRB or FILE block (its last modification, at
// 56): packed big-endian as year 14 bits, month 4, day 5, hour 5, minute 6,
// second 6; all zero means unknown.

#include "byte_view.h"

#include <cstddef>
#include <cstdint>
#include <optional>

constexpr std::size_t kModificationDate = 56;

// The 40 packed bits at `offset`, or 0 (unknown) when they are not there.
std::uint64_t PackedMtfDate(ByteView bytes, std::size_t offset);

// Seconds since 1970-01-01 00:00:00 UTC, or nothing for an unknown date or
// one out of range (years 1601 to 9999, real calendar days, 23:59:59 at most).
std::optional<std::int64_t> MtfDateSeconds(std::uint64_t packed);
