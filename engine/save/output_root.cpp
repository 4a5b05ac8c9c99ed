// SPDX-License-Identifier: GPL-3.0-or-later
// What the output root decides without asking the system: shorter names
// until the file system takes one, and the first free number of a name.
#include "output_root.h"

#include "output_name.h"
#include "output_root_parts.h"

#include <utility>

void SetWhy(std::string* why, std::string text)
{
    if (why)
        *why = std::move(text);
}

std::string JoinComponents(const std::vector<std::string>& components)
{
    std::string joined;
    for (const std::string& component : components)
        joined.append(component).append(1, '\0');
    return joined;
}

OutputFile::~OutputFile()
{
    Close(nullptr);
}

OutputFile::OutputFile(OutputFile&& other) noexcept
{
    *this = std::move(other);
}

namespace {

constexpr std::size_t kShortestNameLimit = 32; // bytes; shortening further would hardly help

} // namespace

std::optional<OutputFile> OutputRoot::CreateNumbered(const std::vector<std::string>& components,
                                                     std::size_t byteLimit, std::string* why, bool& tooLong,
                                                     const ExistingFileCheck* existing, Resumed* resumed)
{
    std::vector<std::string> fitted;
    for (const std::string& component : components)
        fitted.push_back(FitNameLength(component, byteLimit));
    const std::string base = fitted.back();
    const std::string key = JoinComponents(fitted);
    const auto known = m_nextNumber.find(key);
    for (std::uint64_t number = known == m_nextNumber.end() ? 1 : known->second;; ++number) {
        fitted.back() = CandidateName(base, number, byteLimit);
        if (m_continuing && existing && resumed) {
            const NameUse use = ResumeName(fitted, *existing, *resumed, why);
            if (use == NameUse::Taken)
                continue;
            if (use == NameUse::Failed)
                return std::nullopt;
            if (use == NameUse::Kept) {
                UseFolderNames(fitted);
                m_lastCreated = std::move(fitted);
                return std::nullopt;
            }
        }
        bool exists = false;
        auto file = CreateIn(fitted, why, exists, tooLong);
        if (exists)
            continue;
        if (file && m_continuing)
            m_claimed.insert(std::hash<std::string>()(JoinComponents(fitted)));
        if (file) {
            if (number > 1) // only names that met a taken one are remembered
                m_nextNumber[key] = number + 1;
            UseFolderNames(fitted);
            m_lastCreated = std::move(fitted);
        }
        return file;
    }
}

std::optional<OutputFile> OutputRoot::CreateFile(const std::vector<std::string>& components, std::string* why,
                                                 std::vector<std::string>* savedAs,
                                                 const ExistingFileCheck* existing, Resumed* resumed)
{
    if (components.empty()) {
        SetWhy(why, "empty path");
        return std::nullopt;
    }
    // Shorter names until the file system takes them: its limit may be
    // below 255 bytes, or the whole path may be too long.
    for (std::size_t limit = kNameByteLimit;; limit = limit * 3 / 4) {
        bool tooLong = false;
        auto file = CreateNumbered(components, limit, why, tooLong, existing, resumed);
        const bool kept = resumed && resumed->kept;
        if (file || kept || !tooLong || limit <= kShortestNameLimit) {
            if ((file || kept) && savedAs)
                *savedAs = m_lastCreated;
            return file;
        }
    }
}
