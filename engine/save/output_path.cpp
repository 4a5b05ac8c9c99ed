// SPDX-License-Identifier: GPL-3.0-or-later
#include "output_path.h"

#include "name_check.h"
#include "path_limits.h"

std::optional<std::vector<std::string>> SafePathComponents(std::string_view cataloguePath, std::string* why)
{
    const auto refuse = [&](const char* reason) -> std::optional<std::vector<std::string>> {
        if (why)
            *why = reason;
        return std::nullopt;
    };
    if (cataloguePath.empty())
        return refuse("empty path");
    if (cataloguePath.front() == '\\' || cataloguePath.front() == '/'
        || (cataloguePath.size() > 1 && cataloguePath[1] == ':'))
        return refuse("absolute path");
    // The depth of the folders made for a path is bounded by its length: a
    // cache row can hold a path far longer than a scan ever takes.
    const std::size_t pathLimit = PathLimits{}.path;
    if (cataloguePath.size() > pathLimit && Utf8Length(cataloguePath) > pathLimit)
        return refuse("path longer than 1,024 characters");

    std::vector<std::string> components;
    std::size_t begin = 0;
    while (true) {
        const std::size_t end = cataloguePath.find('\\', begin);
        const std::string_view component =
            cataloguePath.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin);
        if (component.empty())
            return refuse("empty path component");
        if (component == "." || component == "..")
            return refuse("path component \".\" or \"..\"");
        if (component.find('/') != std::string_view::npos || component.find('\0') != std::string_view::npos)
            return refuse("path component holding \"/\"");
        components.emplace_back(component);
        if (end == std::string_view::npos)
            break;
        begin = end + 1;
    }
    return components;
}
