// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small real files for the sample backup, written by hand (no image or PDF
// library): the preview shows them as pictures and text, not as hex.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace sample_content {

using Bytes = std::vector<std::uint8_t>;

// `text` repeated line by line and cut to exactly `size` bytes, ending with a
// line break.
Bytes TextOfSize(const std::string& text, std::size_t size);
// A PNG (8-bit RGB, stored deflate) of a sunset, `width` x `height`.
Bytes SunsetPng(std::uint32_t width, std::uint32_t height);
// A baseline JPEG of a beach, padded with comment segments to exactly
// `size` bytes (at least its 438 bytes, and never 1 to 3 more).
Bytes BeachJpeg(std::size_t size);
// A one-page PDF showing `lines`, padded with comment lines to exactly
// `size` bytes when it is shorter.
Bytes PdfOfLines(const std::vector<std::string>& lines, std::size_t size);
// Bytes of every value in an order that differs with `seed`.
Bytes Noise(std::size_t size, std::uint32_t seed);

} // namespace sample_content
