// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What this process holds open, as the kernel sees it (Linux /proc).

#include <string>
#include <vector>

// Descriptors of this process that point at `path`.
std::vector<int> FdsOn(const std::string& path);

// The access mode (O_RDONLY, O_WRONLY, O_RDWR) that the kernel records for
// `fd`, or -1 when it cannot be told.
int AccessMode(int fd);
