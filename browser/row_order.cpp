// SPDX-License-Identifier: GPL-3.0-or-later
#include "row_order.h"

#include "catalogue_store.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

unsigned char Fold(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte + 0x20) : byte;
}

// The first position from `from` where `a` and `b` differ, or `end`. Paths
// share long folder prefixes: eight bytes are compared at a time.
std::size_t SameBytes(std::string_view a, std::string_view b, std::size_t from, std::size_t end)
{
    std::size_t i = from;
    for (; i + 8 <= end; i += 8) {
        std::uint64_t x = 0;
        std::uint64_t y = 0;
        std::memcpy(&x, a.data() + i, 8);
        std::memcpy(&y, b.data() + i, 8);
        if (x != y)
            break;
    }
    while (i < end && a[i] == b[i])
        ++i;
    return i;
}

// A located file sorts by its size; one without data before every size.
std::uint64_t SizeKey(const CatalogueRow& row)
{
    return row.located ? row.size + 1 : 0;
}

std::uint64_t NumericKey(const CatalogueStore& store, std::size_t row, const SortRequest& request)
{
    switch (request.key) {
    case SortKey::Rank: return request.rank(row);
    case SortKey::Size: return SizeKey(store.Row(row));
    case SortKey::Date: return store.Row(row).modified; // the packed fields run from year to second
    case SortKey::Status: return static_cast<std::uint64_t>(StatusSortRank(store.Status(row)));
    case SortKey::Path: break;
    }
    return 0;
}

// Keys first, so that the sort compares plain numbers; the row number breaks ties.
void SortByNumber(const CatalogueStore& store, std::vector<std::uint32_t>& rows, const SortRequest& request)
{
    std::vector<std::pair<std::uint64_t, std::uint32_t>> keyed;
    keyed.reserve(rows.size());
    for (std::uint32_t row : rows)
        keyed.emplace_back(NumericKey(store, row, request), row);
    const bool descending = request.descending;
    std::sort(keyed.begin(), keyed.end(), [descending](const auto& a, const auto& b) {
        if (a.first != b.first)
            return descending ? a.first > b.first : a.first < b.first;
        return a.second < b.second;
    });
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i] = keyed[i].second;
}

void SortByPath(const CatalogueStore& store, std::vector<std::uint32_t>& rows, bool descending)
{
    std::sort(rows.begin(), rows.end(), [&store, descending](std::uint32_t a, std::uint32_t b) {
        const int order = ComparePathsCaseBlind(store.Path(a), store.Path(b));
        if (order != 0)
            return descending ? order > 0 : order < 0;
        return a < b;
    });
}

} // namespace

int ComparePathsCaseBlind(std::string_view a, std::string_view b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = SameBytes(a, b, 0, common); i < common; i = SameBytes(a, b, i + 1, common)) {
        const unsigned char x = Fold(a[i]);
        const unsigned char y = Fold(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

void SortRows(const CatalogueStore& store, std::vector<std::uint32_t>& rows, const SortRequest& request)
{
    if (request.key == SortKey::Path)
        SortByPath(store, rows, request.descending);
    else
        SortByNumber(store, rows, request);
}
