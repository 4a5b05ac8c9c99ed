// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the two halves of the output root (output_root.cpp, the naming, and
// output_root_posix.cpp, the system calls) share.

#include <string>
#include <vector>

// Sets `*why` when the caller asked for a reason.
void SetWhy(std::string* why, std::string text);

// The components NUL-joined: the key of a path relative to the root.
std::string JoinComponents(const std::vector<std::string>& components);
