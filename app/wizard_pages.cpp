// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizard_pages.h"

#include "backup_file_chooser.h"
#include "brevant_veltra_file_scan_view.h"
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
#include "view_frame.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr const char* kInvalidFileName = QT_TRANSLATE_NOOP("Texts", "Invalid File Name");

} // namespace

CWizardPages::CWizardPages(CBrevantVeltraFileScanView& view)
    : m_view(view)
{
}

void CWizardPages::ShowPage()
{
    ShowFilePage(false);
    ShowResultsPage(false);
    ShowFilePage(m_nPage == 0);
    ShowResultsPage(m_nPage == 1);
    m_view.Controls().lblHelpTop->show();
    m_view.Controls().btnNext->show();
}

void CWizardPages::ShowFilePage(bool show)
{
    const WizardControls& c = m_view.Controls();
    c.lblSelectHint->setVisible(show);
    c.editFileName->setVisible(show);
    c.btnBrowse->setVisible(show);
    c.chkDeepScan->setVisible(show);
}

void CWizardPages::ShowResultsPage(bool show)
{
    const WizardControls& c = m_view.Controls();
    c.btnBack->setVisible(show);
    m_view.SetStopVisible(show);
    c.folderTree->setVisible(show);
    c.folderContents->setVisible(show);
    c.catalogueList->setVisible(show);
    m_view.ReportLine().setVisible(show && m_view.ReportLine().HasReport());
}

void CWizardPages::OnNext()
{
    if (m_view.IsScanRunning()) {
        Notice(SystemText::kStopFirst);
        return;
    }
    if (m_nPage == 1) {
        m_view.OnSaveFiles();
        return;
    }
    const QString path = m_view.Controls().editFileName->text();
    if (path.isEmpty()) {
        BrowseForBackupFile(); // the user presses Next again
        return;
    }
    if (!QFileInfo::exists(path)) {
        Notice(kInvalidFileName);
        return;
    }
    // A worker left running by Back must be gone before the next scan:
    // the two would share the backup and the catalogue.
    if (!m_view.WaitForPreviousScan()) {
        Notice(SystemText::kStopFirst);
        return;
    }
    m_view.m_strFilePath = path;
    m_nPage = 1;
    m_view.Frame().SetProgressVisible(true);
    m_view.ClearCatalogue();
    ShowPage();
    m_view.StartScan();
}

void CWizardPages::OnBack()
{
    if (m_view.IsScanRunning() && !AskToStop())
        return;
    m_view.StopScan();
    if (m_nPage == 1) {
        m_nPage = 0;
        ShowPage();
        m_view.SetHelpText(Texts::Tr(kBackHelpText));
        return;
    }
    // Only when a scan left with Back ends with nothing found; the progress
    // bar stays hidden.
    ShowPage();
}

void CWizardPages::OnStop()
{
    if (AskToStop())
        m_view.StopScan();
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
    m_view.Services().shell.OpenWebPage(QString::fromUtf8(ProductInfo::kHomePage));
}

bool CWizardPages::BrowseForBackupFile()
{
    const QString path = m_view.Services().chooser.ChooseBackupFile(&m_view);
    if (path.isEmpty() || !HasBkfExtension(path))
        return false;
    m_view.Controls().editFileName->setText(path);
    m_view.m_strFilePath = path;
    return true;
}

bool CWizardPages::AskToStop()
{
    return m_view.Services().messages.ShowMessage(Texts::Tr(SystemText::kStopQuestion), MessageService::kConfirm)
        != MessageService::kNo;
}

void CWizardPages::Notice(const char* text)
{
    m_view.Services().messages.ShowMessage(Texts::Tr(text), MessageService::kNotice);
}
