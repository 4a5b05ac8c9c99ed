// SPDX-License-Identifier: GPL-3.0-or-later
#include "save_command.h"

#include "catalogue_cache_scan.h"
#include "catalogue_store.h"
#include "continued_save.h"
#include "data_check_run.h"
#include "desktop_shell.h"
#include "message_service.h"
#include "report_log.h"
#include "save_folder_chooser.h"
#include "save_progress_dlg.h"
#include "save_report.h"
#include "scan_report.h"
#include "system_texts.h"

#include <QDir>

#include <ctime>
#include <utility>
#include <vector>

SaveCommand::SaveCommand(QWidget& window, CatalogueStore& store, Review review, ViewFrame frame,
                         const WindowServices& services)
    : m_window(window), m_store(store), m_review(std::move(review)), m_frame(std::move(frame)), m_services(services)
{
}

void SaveCommand::OnSaveFiles()
{
    if (!m_review.readable())
        return;
    if (m_store.TickedCount() == 0) {
        m_services.messages.ShowMessage(Texts::Tr(SystemText::kNothingTicked), MessageService::kNotice);
        return;
    }
    QString folder = m_services.folderChooser.BrowseForSaveFolder(&m_window);
    if (folder.isEmpty())
        return;
    folder = QDir::fromNativeSeparators(folder);
    if (!folder.endsWith('/'))
        folder += '/';
    RunSave(folder.toStdString());
}

std::string SaveCommand::AskToContinue(const std::string& destination)
{
    auto earlier = FindEarlierSave(destination, m_frame.filePrefix().toStdString(), m_store, m_review.scanned().size);
    if (!earlier)
        return std::string();
    const QString folder = QDir(QString::fromStdString(earlier->folder)).dirName();
    const QString question = Texts::Tr(SystemText::kContinueSave).arg(folder).arg(earlier->filesThere);
    if (m_services.messages.ShowMessage(question, MessageService::kConfirm) != MessageService::kYes)
        return std::string();
    return std::move(earlier->folder);
}

void SaveCommand::RunSave(const std::string& destination)
{
    const std::size_t chosen = m_store.TickedCount();
    const std::string continueIn = AskToContinue(destination);
    ExtractionReport report;
    if (!RunSaveWindowIn(m_store, destination, continueIn, report))
        return;
    // The lists' Status column says which chosen files were saved, damaged or not saved.
    MarkSavedRows(report, m_store);
    ShowStatesChanged();
    m_lastSave = std::move(report);
    m_lastChosen = chosen;
    ShowSaveReport(*m_lastSave, chosen, destination);
}

void SaveCommand::ShowStatesChanged()
{
    m_review.refreshStates();
}

void SaveCommand::NoteDataCheck(std::size_t row, bool intact)
{
    m_store.NoteDataCheck(row, intact);
    ShowStatesChanged();
}

bool SaveCommand::RunSaveWindow(const CatalogueStore& rows, const std::string& destination, ExtractionReport& report)
{
    return RunSaveWindowIn(rows, destination, std::string(), report);
}

bool SaveCommand::RunSaveWindowIn(const CatalogueStore& rows, const std::string& destination,
                                  const std::string& continueIn, ExtractionReport& report)
{
    const ExtractionOptions options{m_frame.restoreDates(), !continueIn.empty(), false, continueIn};
    CSaveProgressDlg dialog(CSaveProgressDlg::Save{m_review.backupPath(), m_review.scanned(), rows, destination,
                                                   m_frame.filePrefix().toStdString(), options},
                            m_services.messages, &m_window);
    const bool ran = Run(dialog);
    if (m_frame.saveEnded() || !ran)
        return false;
    report = dialog.Report();
    return true;
}

bool SaveCommand::Run(CSaveProgressDlg& dialog)
{
    m_saveDialog = &dialog;
    const bool ran = dialog.Run();
    m_saveDialog = nullptr;
    return ran;
}

void SaveCommand::OnCheckData()
{
    if (!m_review.readable())
        return;
    std::vector<std::size_t> rows;
    for (std::size_t row = 0; row < m_store.RowCount(); ++row) {
        if (m_store.Row(row).located)
            rows.push_back(row);
    }
    if (rows.empty()) {
        m_services.messages.ShowMessage(Texts::Tr(SystemText::kNothingToCheck), MessageService::kInform);
        return;
    }
    DataCheckRun run(m_store, [this] { ShowStatesChanged(); });
    CSaveProgressDlg dialog(CSaveProgressDlg::Save{m_review.backupPath(), m_review.scanned(), m_store, {}, {}, {},
                                                   run.Work(std::move(rows))},
                            m_services.messages, &m_window);
    const bool ran = Run(dialog);
    const DataCheckReport& report = run.Finish();
    if (m_frame.saveEnded() || !ran)
        return;
    KeepCheckedStates();
    ShowCheckReport(report);
}

QString SaveCommand::Log() const
{
    return ReportLog(ReportLogFacts{m_review.backupPath(), m_review.scanned(), m_review.scannedAt(),
                                    m_review.scanReport(), m_store, m_lastSave ? &*m_lastSave : nullptr,
                                    m_lastChosen});
}

void SaveCommand::KeepCheckedStates()
{
    BkfFileHandle backup;
    std::string why;
    if (backup.Open(m_review.backupPath().toStdString()) && backup.OpenedAs() == m_review.scanned())
        KeepCatalogue(backup, m_store, m_store.FolderDates(), m_review.scanReport(),
                      static_cast<std::int64_t>(std::time(nullptr)), &why);
}

void SaveCommand::ShowCheckReport(const DataCheckReport& report)
{
    const QString summary = QString::fromStdString(DataCheckReportSummary(report));
    const QString text = Texts::Tr(report.completed ? SystemText::kCheckDone : SystemText::kCheckStopped).arg(summary);
    m_frame.showStatusText(text);
    if (report.problems.empty())
        return;
    QStringList details;
    for (const CheckedFile& file : report.problems)
        details << QString::fromStdString(PrintableName(file.path) + ": " + DescribeCheckedFile(file));
    details << QString() << Log();
    m_services.messages.ShowMessageWithDetails(text, details.join(QLatin1Char('\n')), MessageService::kInform);
}

void SaveCommand::StopSave(bool atOnce)
{
    if (m_saveDialog != nullptr)
        m_saveDialog->StopSave(atOnce);
}

bool SaveCommand::AskToStopSave(const std::function<void()>& stop)
{
    return m_saveDialog != nullptr && m_saveDialog->AskToStop(stop);
}

void SaveCommand::ShowSaveReport(const ExtractionReport& report, std::size_t chosen, const std::string& destination)
{
    const SaveReportText text = DescribeSave(report, chosen, QString::fromStdString(destination),
                                             m_review.scanReport(), m_frame.restoreDates());
    m_frame.showStatusText(text.status);
    if (text.message.isEmpty())
        return;
    if (!report.rootCreated) {
        m_services.messages.ShowMessage(text.message, MessageService::kInform);
        return;
    }
    const QString question = text.message + QStringLiteral("\n\n") + Texts::Tr(SystemText::kOpenOutputFolder);
    const QString details = text.details + QStringLiteral("\n\n") + Log();
    if (m_services.messages.ShowMessageWithDetails(question, details, MessageService::kConfirm)
        == MessageService::kYes)
        m_services.shell.OpenDocument(QString::fromStdString(report.rootFolder));
}
