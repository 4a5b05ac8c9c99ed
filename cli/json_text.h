// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// `text` (UTF-8) as a quoted JSON string.
std::string JsonString(std::string_view text);
