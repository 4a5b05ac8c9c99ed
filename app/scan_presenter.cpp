// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan_presenter.h"

#include "catalogue_controls.h"
#include "folder_contents_list.h"
#include "gradient_static.h"
#include "hover_button.h"
#include "message_service.h"
#include "scan_end_message.h"
#include "scan_report_line.h"
#include "scanner_ui.h"
#include "system_texts.h"
#include "wizard_controls.h"
#include "wizard_pages.h"

#include <ctime>

ScanPresenter::ScanPresenter(const WizardControls& controls, ScanReportLine& reportLine, CWizardPages& pages,
                             MessageService& messages, QObject* parent)
    : QObject(parent), m_controls(controls), m_reportLine(reportLine), m_pages(pages), m_messages(messages)
{
}

void ScanPresenter::Clear()
{
    m_reportLine.Clear();
    m_report = ScanReport();
}

void ScanPresenter::ShowSearching()
{
    SetHelpText(Texts::Tr(SystemText::kSearching));
}

void ScanPresenter::ShowRunning(bool running)
{
    if (!running)
        m_pages.ScanEnded();
    m_controls.btnStop->setVisible(running);
    SetCatalogueScanRunning(*m_controls.folderTree, *m_controls.folderContents, running);
}

void ScanPresenter::ShowEnd(const ScanEnd& end, bool nothingFound)
{
    const QString message = ScanEndMessage(end, nothingFound);
    if (end.kind == ScanEnd::Kind::OpenFailed) {
        // Said over the results page as Next left it, then back to the file page.
        m_messages.ShowMessage(message, MessageService::kInform);
        ShowRunning(false);
        m_pages.OnBack();
        return;
    }
    SetHelpText(Texts::Tr(SystemText::kScanDone));
    m_controls.folderContents->ShowFolder(nullptr);
    ShowRunning(false);
    m_report = end.report;
    m_scannedAt = end.cachedScanAt.value_or(static_cast<std::int64_t>(std::time(nullptr)));
    emit reported();
    m_reportLine.ShowReport(end.report, end.cachedScanAt);
    m_reportLine.setVisible(m_reportLine.HasReport() && m_pages.Page() == 1);
    if (!message.isEmpty())
        m_messages.ShowMessage(message, MessageService::kInform);
    if (nothingFound)
        m_pages.OnBack();
}

void ScanPresenter::SetHelpText(const QString& text)
{
    if (m_pages.Page() == 1)
        m_controls.lblHelpTop->SetText(text);
}
