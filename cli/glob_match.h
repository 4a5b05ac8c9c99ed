#pragma once
// Shell-style patterns for --include and --exclude: "*" and "?" do not cross
// "/", "**" does, "[abc]" and "[!a-z]" match one character of a set.

#include <string_view>

bool GlobMatch(std::string_view pattern, std::string_view path);
