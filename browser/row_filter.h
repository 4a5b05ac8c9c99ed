// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which found-files rows the filter bar lets through. The text: a plain word
// matches anywhere in the catalogue path, case-blind, a "/" in it read as the
// path's "\"; a text with "*", "?" or "[" is a PathPattern, as bkf-recover's
// --include reads it, over the path with "\" read as "/" (as in the pattern).
// Then optionally only rows that are not ok, and only rows whose size is known
// and larger than a bound. Qt-free; one filter serves one thread.

#include "path_pattern.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CatalogueStore;

struct RowFilterSettings {
    std::string text; // UTF-8, as typed; empty lets every path through
    bool onlyNotOk = false;
    std::optional<std::uint64_t> largerThan; // bytes; none: any size

    bool operator==(const RowFilterSettings& other) const
    {
        return text == other.text && onlyNotOk == other.onlyNotOk && largerThan == other.largerThan;
    }
};

class RowFilter {
public:
    explicit RowFilter(RowFilterSettings settings = {});

    const RowFilterSettings& Settings() const { return m_settings; }
    // True when every row passes.
    bool PassesAll() const;
    bool Passes(const CatalogueStore& store, std::size_t row) const;
    // Whether every row `next` passes also passes this filter, so that `next`
    // needs to look only at the rows this one let through (a typed letter).
    bool IsNarrowedBy(const RowFilterSettings& next) const;

private:
    bool TextMatches(std::string_view path) const;
    bool WordMatches(std::string_view path) const;

    RowFilterSettings m_settings;
    std::optional<PathPattern> m_pattern;
    std::vector<std::uint32_t> m_word; // folded code points of a plain word
    bool m_asciiWord = true;
    // Where a search for the word or the pattern's required run jumps from (see AnchorOf).
    std::optional<std::size_t> m_wordAnchor;
    std::optional<std::size_t> m_requiredAnchor;
    mutable std::vector<std::uint32_t> m_characters; // scratch, reused row after row
};

// Removes from `rows` (catalogue row numbers) those `filter` does not let
// through, keeping their order. A long list is shared out among threads, each
// with a copy of the filter; the store must not change meanwhile.
void KeepPassing(const RowFilter& filter, const CatalogueStore& store, std::vector<std::uint32_t>& rows);
