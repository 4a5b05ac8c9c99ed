// SPDX-License-Identifier: GPL-3.0-or-later
#include "row_filter.h"

#include "catalogue_store.h"

#include <algorithm>
#include <utility>

namespace {

std::uint32_t FoldAscii(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? c + 0x20u : c;
}

// Catalogue paths use "\"; bkf-recover's patterns see "/".
void UseSlashes(std::vector<std::uint32_t>& characters)
{
    std::replace(characters.begin(), characters.end(), std::uint32_t{'\\'}, std::uint32_t{'/'});
}

std::string WithSlashes(std::string text)
{
    std::replace(text.begin(), text.end(), '\\', '/');
    return text;
}

} // namespace

RowFilter::RowFilter(RowFilterSettings settings) : m_settings(std::move(settings))
{
    if (PathPattern::LooksLikePattern(m_settings.text)) {
        m_pattern.emplace(WithSlashes(m_settings.text), false);
        return;
    }
    m_word = Characters(m_settings.text, false);
    m_asciiWord = std::all_of(m_word.begin(), m_word.end(), [](std::uint32_t c) { return c < 0x80; });
}

bool RowFilter::PassesAll() const
{
    return m_settings.text.empty() && !m_settings.onlyNotOk && !m_settings.largerThan;
}

bool RowFilter::Passes(const CatalogueStore& store, std::size_t row) const
{
    if (m_settings.onlyNotOk || m_settings.largerThan) {
        const CatalogueRow record = store.Row(row);
        if (m_settings.onlyNotOk && record.status == RowStatus::Ok)
            return false;
        if (m_settings.largerThan && !(record.located && record.size > *m_settings.largerThan))
            return false;
    }
    return m_settings.text.empty() || TextMatches(store.Path(row));
}

bool RowFilter::TextMatches(std::string_view path) const
{
    if (!m_pattern)
        return WordMatches(path);
    CharactersInto(path, false, m_characters);
    UseSlashes(m_characters);
    return m_pattern->Matches(m_characters);
}

// An ASCII word is looked for in the bytes themselves: no other character
// folds to ASCII, and UTF-8 never uses ASCII bytes inside a longer sequence.
bool RowFilter::WordMatches(std::string_view path) const
{
    if (m_asciiWord) {
        return std::search(path.begin(), path.end(), m_word.begin(), m_word.end(), [](char c, std::uint32_t w) {
                   return FoldAscii(static_cast<unsigned char>(c)) == w;
               }) != path.end();
    }
    CharactersInto(path, false, m_characters);
    return std::search(m_characters.begin(), m_characters.end(), m_word.begin(), m_word.end())
        != m_characters.end();
}

bool RowFilter::IsNarrowedBy(const RowFilterSettings& next) const
{
    const bool textNarrower = m_settings.text.empty()
        || (!m_pattern && !PathPattern::LooksLikePattern(next.text)
            && next.text.find(m_settings.text) != std::string::npos);
    const bool statusNarrower = next.onlyNotOk || !m_settings.onlyNotOk;
    const bool sizeNarrower = !m_settings.largerThan || (next.largerThan && *next.largerThan >= *m_settings.largerThan);
    return textNarrower && statusNarrower && sizeNarrower;
}
