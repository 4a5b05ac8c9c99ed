// SPDX-License-Identifier: GPL-3.0-or-later
#include "path_limits.h"

#include "name_check.h"

bool PathLimits::Fits(std::string_view cataloguePath) const
{
    // A character takes one byte or more: most paths fit by their byte count alone.
    if (cataloguePath.size() > path && Utf8Length(cataloguePath) > path)
        return false;
    if (component == 0 || cataloguePath.size() <= component)
        return true;
    for (std::size_t start = 0; start <= cataloguePath.size();) {
        std::size_t end = cataloguePath.find('\\', start);
        if (end == std::string_view::npos)
            end = cataloguePath.size();
        if (Utf8Length(cataloguePath.substr(start, end - start)) > component)
            return false;
        start = end + 1;
    }
    return true;
}
