// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizard_pages.h"

#include "backup_file_chooser.h"
#include "catalogue_filter_bar.h"
#include "catalogue_list.h"
#include "desktop_shell.h"
#include "folder_contents_list.h"
#include "folder_tree.h"
#include "gradient_static.h"
#include "hover_button.h"
#include "message_service.h"
#include "product_info.h"
#include "scan_report_line.h"
#include "system_texts.h"
#include "window_memory.h"
#include "wizard_host.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr const char* kInvalidFileName = QT_TRANSLATE_NOOP("Texts", "Invalid File Name");

} // namespace

CWizardPages::CWizardPages(WizardHost& host, const WizardControls& controls, ScanReportLine& reportLine,
                           const WindowServices& services, std::function<void()> save)
    : m_host(host), m_save(std::move(save)), m_controls(controls), m_reportLine(reportLine), m_services(services),
      m_stopQuestion(services.messages, [&host](bool held) { host.HoldScan(held); })
{
}

void CWizardPages::ShowPage()
{
    ShowFilePage(false);
    ShowResultsPage(false);
    ShowFilePage(m_nPage == 0);
    ShowResultsPage(m_nPage == 1);
    m_controls.lblHelpTop->show();
    m_controls.btnNext->show();
    // The keyboard starts where the page's work does.
    if (m_nPage == 0) {
        m_controls.editFileName->setFocus();
        m_controls.editFileName->selectAll();
    } else {
        m_controls.folderTree->setFocus();
    }
}

void CWizardPages::ShowFilePage(bool show)
{
    const WizardControls& c = m_controls;
    c.lblSelectHint->setVisible(show);
    c.editFileName->setVisible(show);
    c.btnBrowse->setVisible(show);
    c.chkDeepScan->setVisible(show);
}

void CWizardPages::ShowResultsPage(bool show)
{
    const WizardControls& c = m_controls;
    c.btnBack->setVisible(show);
    c.btnStop->setVisible(show && m_host.IsScanRunning());
    c.folderTree->setVisible(show);
    c.folderContents->setVisible(show);
    c.catalogueList->setVisible(show);
    c.filterBar->setVisible(show);
    m_reportLine.setVisible(show && m_reportLine.HasReport());
}

void CWizardPages::OnNext()
{
    if (m_host.IsScanRunning()) {
        Notice(SystemText::kStopFirst);
        return;
    }
    if (m_nPage == 1) {
        m_save();
        return;
    }
    const QString path = m_controls.editFileName->text();
    if (path.isEmpty()) {
        BrowseForBackupFile(); // the user presses Next again
        return;
    }
    if (!QFileInfo::exists(path)) {
        Notice(kInvalidFileName);
        return;
    }
    // Back and Next on the same backup keep its review as it was.
    if (m_host.ReviewIsOf(path)) {
        if (m_host.ReviewWasDeep() == m_controls.chkDeepScan->isChecked()) {
            ReturnToReview();
            return;
        }
        if (!m_host.MayClearReview())
            return;
    }
    // A worker left running by Back must be gone before the next scan:
    // the two would share the backup and the catalogue.
    if (!m_host.WaitForPreviousScan()) {
        Notice(SystemText::kStopFirst);
        return;
    }
    m_nPage = 1;
    ShowPage();
    if (!m_host.StartScan(path, m_controls.chkDeepScan->isChecked()))
        OnBack();
}

void CWizardPages::ReturnToReview()
{
    m_nPage = 1;
    ShowPage();
    m_controls.lblHelpTop->SetText(Texts::Tr(SystemText::kScanDone));
}

void CWizardPages::OnBack()
{
    if (m_host.IsScanRunning() && !StopScanIfWanted())
        return;
    m_host.StopScan();
    if (m_nPage == 1) {
        m_nPage = 0;
        ShowPage();
        m_controls.lblHelpTop->SetText(Texts::Tr(kBackHelpText));
        return;
    }
    // Only when a scan left with Back ends with nothing found; the progress
    // bar stays hidden.
    ShowPage();
}

void CWizardPages::OnStop()
{
    StopScanIfWanted();
}

void CWizardPages::OnAddFile()
{
    if (m_nPage == 0)
        BrowseForBackupFile();
}

void CWizardPages::OnRepairFile()
{
    if (m_nPage == 0)
        OnNext();
}

void CWizardPages::OnHomePage()
{
    m_services.shell.OpenWebPage(QString::fromUtf8(ProductInfo::kHomePage));
}

bool CWizardPages::BrowseForBackupFile()
{
    const QString path = m_services.chooser.ChooseBackupFile(m_controls.editFileName->parentWidget(),
                                                             WindowMemory(m_services.settings).LastBackupFolder());
    if (path.isEmpty() || !HasBkfExtension(path))
        return false;
    m_controls.editFileName->setText(path);
    return true;
}

bool CWizardPages::StopScanIfWanted()
{
    return m_stopQuestion.Ask([this] { m_host.StopScan(); });
}

void CWizardPages::Notice(const char* text)
{
    m_services.messages.ShowMessage(Texts::Tr(text), MessageService::kNotice);
}
