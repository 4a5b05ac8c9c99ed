// SPDX-License-Identifier: GPL-3.0-or-later
#include "type_ranks.h"

#include "catalogue_store.h"
#include "shell_file_info.h"

#include <QString>

#include <algorithm>
#include <numeric>
#include <string>
#include <string_view>
#include <unordered_map>

namespace {

// The bytes after the last "." of the last path component, ASCII letters
// lower-cased (ShellFileInfo folds the rest); empty when there is none.
std::string ExtensionKey(std::string_view path)
{
    const std::size_t name = path.rfind('\\') + 1; // npos + 1 == 0
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || dot < name)
        return {};
    std::string key(path.substr(dot + 1));
    std::transform(key.begin(), key.end(), key.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c; });
    return key;
}

// The rank of each name: its place in case-blind order.
std::vector<std::uint32_t> RanksOf(const std::vector<QString>& names)
{
    std::vector<std::uint32_t> order(names.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(), [&names](std::uint32_t a, std::uint32_t b) {
        return names[a].compare(names[b], Qt::CaseInsensitive) < 0;
    });
    std::vector<std::uint32_t> ranks(names.size());
    for (std::uint32_t place = 0; place < order.size(); ++place)
        ranks[order[place]] = place;
    return ranks;
}

} // namespace

std::vector<std::uint32_t> TypeRanks(const CatalogueStore& store, std::size_t rowCount, ShellFileInfo& fileInfo)
{
    std::unordered_map<std::string, std::uint32_t> extensions;
    std::vector<QString> names;
    std::vector<std::uint32_t> ranks(rowCount);
    for (std::size_t row = 0; row < rowCount; ++row) {
        const auto [found, added] =
            extensions.try_emplace(ExtensionKey(store.Path(row)), static_cast<std::uint32_t>(names.size()));
        if (added)
            names.push_back(fileInfo.GetFileTypeName(QStringLiteral("a.") + QString::fromStdString(found->first)));
        ranks[row] = found->second;
    }
    const std::vector<std::uint32_t> rankOfName = RanksOf(names);
    for (std::uint32_t& rank : ranks)
        rank = rankOfName[rank];
    return ranks;
}
