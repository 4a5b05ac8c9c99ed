// SPDX-License-Identifier: GPL-3.0-or-later
#include "private_save.h"

#include "output_path.h"

#include <QDir>
#include <QFileInfo>

#include <utility>

namespace {

// The components below the output root, "/"-joined; "" when unsafe.
QString BelowRoot(std::string_view cataloguePath)
{
    const auto components = SafePathComponents(cataloguePath, nullptr);
    if (!components)
        return QString();
    QStringList parts;
    for (const std::string& component : *components)
        parts << QString::fromStdString(component);
    return parts.join(QLatin1Char('/'));
}

} // namespace

PrivateSave::PrivateSave(SaveRunner run, DataChecked checked) : m_run(std::move(run)), m_checked(std::move(checked))
{
}

std::optional<ExtractionReport> PrivateSave::Save(const CatalogueStore& store, const std::vector<std::size_t>& rows)
{
    if (!m_folder.isValid())
        return std::nullopt;
    CatalogueStore chosen;
    for (const std::size_t row : rows)
        chosen.SetTicked(chosen.Append(store.Row(row)), true);
    ExtractionReport report;
    if (!m_run(chosen, QDir(m_folder.path()).absolutePath().toStdString() + "/", report))
        return std::nullopt;
    // The report numbers the rows as they were chosen.
    for (const std::size_t index : report.verifiedRows)
        m_checked(rows[index], true);
    for (const DamagedFile& damaged : report.damaged)
        m_checked(rows[damaged.row], false);
    return report;
}

QString PrivateSave::SavedPath(const ExtractionReport& report, std::size_t index, std::string_view cataloguePath)
{
    QString below = BelowRoot(cataloguePath);
    for (const RenamedFile& renamed : report.renamed) {
        if (renamed.row == index)
            below = QString::fromStdString(renamed.savedAs).replace(QLatin1Char('\\'), QLatin1Char('/'));
    }
    const QString path = QString::fromStdString(report.rootFolder) + QLatin1Char('/') + below;
    return !below.isEmpty() && !report.rootFolder.empty() && QFileInfo(path).isFile() ? path : QString();
}

QString PrivateSave::SavedFolder(const ExtractionReport& report, std::string_view folderKey)
{
    std::string_view key = folderKey;
    if (!key.empty() && key.back() == '\\')
        key.remove_suffix(1);
    const QString below = BelowRoot(key);
    const QString path = QString::fromStdString(report.rootFolder) + QLatin1Char('/') + below;
    return !below.isEmpty() && !report.rootFolder.empty() && QFileInfo(path).isDir() ? path : QString();
}
