// SPDX-License-Identifier: GPL-3.0-or-later
#include "row_filter.h"

#include "catalogue_store.h"

#include <algorithm>
#include <cstring>
#include <thread>
#include <utility>

namespace {

// Fewer rows than this a thread are not worth its start.
constexpr std::size_t kRowsPerThread = 100'000;
constexpr unsigned kMostThreads = 8;

// Lambdas rather than functions, so that HoldsAscii's search inlines them.
constexpr auto FoldAscii = [](unsigned char c) -> std::uint32_t { return c >= 'A' && c <= 'Z' ? c + 0x20u : c; };
// Catalogue paths use "\"; bkf-recover's patterns see "/".
constexpr auto FoldAsciiWithSlashes = [](unsigned char c) -> std::uint32_t {
    return c == '\\' ? '/' : FoldAscii(c);
};

bool IsAscii(const std::vector<std::uint32_t>& characters)
{
    return std::all_of(characters.begin(), characters.end(), [](std::uint32_t c) { return c < 0x80; });
}

// The place in an ASCII `needle` of a character that only the byte of the
// same value folds to (a digit, "_", "."), from the end: a search can then
// jump between that byte's places with memchr. None when every character
// comes from two bytes (a letter, "/").
template <typename Fold>
std::optional<std::size_t> AnchorOf(const std::vector<std::uint32_t>& needle, Fold fold)
{
    for (std::size_t at = needle.size(); at-- > 0;) {
        int sources = 0;
        for (unsigned byte = 0; byte < 0x80; ++byte)
            sources += fold(static_cast<unsigned char>(byte)) == needle[at] ? 1 : 0;
        if (sources == 1 && fold(static_cast<unsigned char>(needle[at])) == needle[at])
            return at;
    }
    return std::nullopt;
}

// Whether the bytes hold the ASCII `needle` (folded code points), each byte
// folded by `fold`: no other character folds to ASCII, and UTF-8 never uses
// ASCII bytes inside a longer sequence, so the bytes need no decoding.
// `anchor` is the needle's AnchorOf.
template <typename Fold>
bool HoldsAscii(std::string_view bytes, const std::vector<std::uint32_t>& needle, Fold fold,
                std::optional<std::size_t> anchor)
{
    const auto same = [fold](char c, std::uint32_t n) { return fold(static_cast<unsigned char>(c)) == n; };
    if (!anchor)
        return std::search(bytes.begin(), bytes.end(), needle.begin(), needle.end(), same) != bytes.end();
    if (bytes.size() < needle.size())
        return false;
    const char anchorByte = static_cast<char>(needle[*anchor]);
    const char* const last = bytes.data() + (bytes.size() - needle.size()) + *anchor; // the anchor's last place
    for (const char* at = bytes.data() + *anchor; at <= last; ++at) {
        at = static_cast<const char*>(std::memchr(at, anchorByte, static_cast<std::size_t>(last - at) + 1));
        if (at == nullptr)
            return false;
        if (std::equal(needle.begin(), needle.end(), at - *anchor, [&](std::uint32_t n, char c) { return same(c, n); }))
            return true;
    }
    return false;
}

// The file name: after the last separator.
std::string_view NameOf(std::string_view path)
{
    // A plain loop: find_last_of calls memchr on its set for every character.
    std::size_t start = path.size();
    while (start > 0 && path[start - 1] != '\\' && path[start - 1] != '/')
        --start;
    return path.substr(start);
}

// A select rather than a branch per character, which the compiler vectorises.
void UseSlashes(std::vector<std::uint32_t>& characters)
{
    for (std::uint32_t& c : characters)
        c = c == '\\' ? std::uint32_t{'/'} : c;
}

} // namespace

RowFilter::RowFilter(RowFilterSettings settings) : m_settings(std::move(settings))
{
    if (PathPattern::LooksLikePattern(m_settings.text)) {
        m_pattern.emplace(m_settings.text, false);
        if (IsAscii(m_pattern->RequiredRun()))
            m_requiredAnchor = AnchorOf(m_pattern->RequiredRun(), FoldAsciiWithSlashes);
        return;
    }
    // Names hold no "/": one typed means the catalogue's separator.
    std::string word = m_settings.text;
    std::replace(word.begin(), word.end(), '/', '\\');
    m_word = Characters(word, false);
    m_asciiWord = IsAscii(m_word);
    if (m_asciiWord)
        m_wordAnchor = AnchorOf(m_word, FoldAscii);
}

bool RowFilter::PassesAll() const
{
    return m_settings.text.empty() && !m_settings.onlyNotOk && !m_settings.largerThan;
}

bool RowFilter::Passes(const CatalogueStore& store, std::size_t row) const
{
    if (m_settings.onlyNotOk || m_settings.largerThan) {
        const CatalogueRow record = store.Row(row);
        if (m_settings.onlyNotOk && IsOkStatus(record.status))
            return false;
        if (m_settings.largerThan && !(record.located && record.size > *m_settings.largerThan))
            return false;
    }
    return m_settings.text.empty() || TextMatches(store.Path(row));
}

// A name pattern reads only the name; a path without the pattern's longest
// plain run is passed over before it is decoded.
bool RowFilter::TextMatches(std::string_view path) const
{
    if (!m_pattern)
        return WordMatches(path);
    const std::string_view text = m_pattern->WholePath() ? path : NameOf(path);
    const std::vector<std::uint32_t>& required = m_pattern->RequiredRun();
    if (IsAscii(required) && !HoldsAscii(text, required, FoldAsciiWithSlashes, m_requiredAnchor))
        return false;
    CharactersInto(text, false, m_characters);
    UseSlashes(m_characters);
    return m_pattern->Matches(m_characters);
}

bool RowFilter::WordMatches(std::string_view path) const
{
    if (m_asciiWord)
        return HoldsAscii(path, m_word, FoldAscii, m_wordAnchor);
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

void KeepPassing(const RowFilter& filter, const CatalogueStore& store, std::vector<std::uint32_t>& rows)
{
    const std::size_t wanted = std::min<std::size_t>(std::max(1u, std::thread::hardware_concurrency()), kMostThreads);
    const std::size_t threads = std::max<std::size_t>(1, std::min(wanted, rows.size() / kRowsPerThread));
    std::vector<std::uint8_t> passes(rows.size());
    const auto judge = [&store, &rows, &passes](RowFilter own, std::size_t first, std::size_t end) {
        for (std::size_t i = first; i < end; ++i)
            passes[i] = own.Passes(store, rows[i]) ? 1 : 0;
    };
    const std::size_t share = (rows.size() + threads - 1) / threads;
    std::vector<std::thread> helpers;
    for (std::size_t t = 1; t < threads; ++t)
        helpers.emplace_back(judge, filter, t * share, std::min(rows.size(), (t + 1) * share));
    judge(filter, 0, std::min(rows.size(), share));
    for (std::thread& helper : helpers)
        helper.join();
    std::size_t kept = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (passes[i] != 0)
            rows[kept++] = rows[i];
    }
    rows.resize(kept);
}
