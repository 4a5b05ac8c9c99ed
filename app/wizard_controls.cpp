// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizard_controls.h"

#include "artwork.h"
#include "catalogue_controls.h"
#include "catalogue_filter_bar.h"
#include "catalogue_list.h"
#include "catalogue_list_model.h"
#include "file_preview_pane.h"
#include "folder_contents_list.h"
#include "folder_contents_list_model.h"
#include "folder_tree.h"
#include "gradient_static.h"
#include "header_sort.h"
#include "hover_button.h"
#include "label_font.h"
#include "surface_ink.h"
#include "system_texts.h"
#include "window_layout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include <iterator>
#include <utility>

const char* const kStartHelpText = QT_TRANSLATE_NOOP("Texts",
    "1.\tselect file for repair from Browse button or from Add File button from toolbar \n2.\tPress Next button");
const char* const kBackHelpText = QT_TRANSLATE_NOOP("Texts",
    "1.\tselect file for repair from browse Button or from Add File button from toolbar \n2.\tPress Next button");

namespace {

using Artwork::ButtonFace;

// The colour the view gives the file-name box and the instruction label.
const QColor kPaleYellow(255, 252, 179);

CHoverButton* MakeButton(QWidget& view, const QPixmap& normal, const QPixmap& hover, const char* tip,
                         const char* status)
{
    auto* button = new CHoverButton(&view);
    button->SetImages(normal, hover);
    button->SetToolTipText(Texts::Tr(tip));
    button->SetStatusText(Texts::Tr(status));
    return button;
}

CHoverButton* MakeToolbarButton(QWidget& view, Artwork::ToolbarCommand command, int left, const char* tip,
                                const char* status)
{
    CHoverButton* button = MakeButton(view, Artwork::ToolbarButton(command, ButtonFace::kNormal),
                                      Artwork::ToolbarButton(command, ButtonFace::kHover), tip, status);
    button->setGeometry(left, 0, Artwork::kToolbarButtonSize.width(), Artwork::kToolbarButtonSize.height());
    return button;
}

CHoverButton* MakeNavigationButton(QWidget& view, Artwork::NavigationCommand command, const char* text)
{
    CHoverButton* button = MakeButton(view, Artwork::NavigationButton(command, ButtonFace::kNormal),
                                      Artwork::NavigationButton(command, ButtonFace::kHover), text, text);
    button->setGeometry(482, 0, 58, 50);
    return button;
}

void MakeToolbar(QWidget& view, WizardControls& c)
{
    using Artwork::ToolbarCommand;
    const char* const update = QT_TRANSLATE_NOOP("Texts", "Update the software from latest changes from Internet");
    const char* const add = QT_TRANSLATE_NOOP("Texts", "Add File to repair");
    const char* const repair = QT_TRANSLATE_NOOP("Texts", "Repair selected file ");
    const char* const save = QT_TRANSLATE_NOOP("Texts", "Select location to save repaired file");
    c.btnAddFile = MakeToolbarButton(view, ToolbarCommand::kAddFile, 14, add, add);
    c.btnRepair = MakeToolbarButton(view, ToolbarCommand::kRepair, 103, repair, repair);
    c.btnSave = MakeToolbarButton(view, ToolbarCommand::kSave, 199, save, save);
    c.btnSettings = MakeToolbarButton(view, ToolbarCommand::kSettings, 288,
                                      QT_TRANSLATE_NOOP("Texts", "Settings for repaired file name."),
                                      QT_TRANSLATE_NOOP("Texts", "Settings for repaired file name"));
    c.btnUpdate = MakeToolbarButton(view, ToolbarCommand::kUpdate, 385, update, update);
}

void MakeNavigation(QWidget& view, WizardControls& c)
{
    using Artwork::NavigationCommand;
    c.btnNext = MakeNavigationButton(view, NavigationCommand::kNext, QT_TRANSLATE_NOOP("Texts", "Next"));
    c.btnBack = MakeNavigationButton(view, NavigationCommand::kBack, QT_TRANSLATE_NOOP("Texts", "Back"));
    c.btnStop = MakeNavigationButton(view, NavigationCommand::kStop, QT_TRANSLATE_NOOP("Texts", "Stop"));
    c.btnHomePage = new CHoverButton(&view);
    c.btnHomePage->SetImages(Artwork::Logo(ButtonFace::kNormal), Artwork::Logo(ButtonFace::kHover));
    c.btnHomePage->SetToolTipText(Texts::Tr("Go to the software Homepage"));
}

// Alt+letter for every image button. Browse (Alt+B) and Back share a
// letter: they never show together.
void GiveMnemonics(const WizardControls& c)
{
    const std::pair<CHoverButton*, char> keys[] = {
        {c.btnAddFile, 'A'}, {c.btnRepair, 'R'}, {c.btnSave, 'L'}, {c.btnSettings, 'E'}, {c.btnUpdate, 'U'},
        {c.btnNext, 'N'},    {c.btnBack, 'B'},   {c.btnStop, 'S'}, {c.btnHomePage, 'O'},
    };
    for (const auto& [button, letter] : keys)
        button->SetMnemonic(QChar(letter));
}

void MakeFileBox(QWidget& view, WizardControls& c)
{
    c.editFileName = new QLineEdit(&view);
    c.editFileName->setFont(QFont(QStringLiteral("Times New Roman")));
    c.editFileName->setAccessibleName(Texts::Tr("Backup file name"));
    QPalette palette = c.editFileName->palette();
    palette.setColor(QPalette::Base, kPaleYellow);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        palette.setColor(group, QPalette::Text, LightSurfaceInk()); // on the pale yellow in every theme
    c.editFileName->setPalette(palette);
    c.btnBrowse = new QPushButton(Texts::Tr("&Browse"), &view);
    c.chkDeepScan = new QCheckBox(Texts::Tr("&Deep scan"), &view);
    c.chkDeepScan->setToolTip(Texts::Tr(SystemText::kDeepScanTip));
    UseLightSurfaceControl(*c.chkDeepScan); // on the cream page, its box too
}

void MakeLabels(QWidget& view, WizardControls& c)
{
    const QFont font = CellHeightFont(QStringLiteral("Arial"), 14);
    c.lblHelpTop = new CGradientStatic(&view);
    c.lblHelpTop->setFont(font);
    UseLightSurfaceControl(*c.lblHelpTop);
    c.lblHelpTop->SetGradient(kPaleYellow, QColor(255, 186, 16));
    c.lblHelpTop->SetText(Texts::Tr(kStartHelpText));
    c.lblSelectHint = new CGradientStatic(&view);
    c.lblSelectHint->setFont(font);
    c.lblSelectHint->SetSolidBackground(QColor(255, 210, 87));
    c.lblSelectHint->SetTextColor(WarningRed());
    c.lblSelectHint->SetText(Texts::Tr("Please select file to repair , Using Browse button"));
}

void MakeCatalogue(QWidget& view, WizardControls& c, FolderTreeModel& tree, CatalogueListModel& list,
                   MessageService& messages)
{
    c.catalogueList = new CatalogueList(list, &view);
    c.filterBar = new CatalogueFilterBar(list, &view);
    c.folderTree = new FolderTree(tree, &view);
    c.folderContents = new FolderContentsList(tree, list, &view);
    LinkCatalogueControls(*c.folderTree, *c.folderContents, list, &messages);
}

} // namespace

QSize CaptionNeeds(const QPushButton& button)
{
    const QFontMetrics metrics = button.fontMetrics();
    const QString caption = QString(button.text()).remove(QLatin1Char('&'));
    return QSize(metrics.horizontalAdvance(caption) + 8, metrics.height() + 6);
}

WizardControls CreateWizardControls(QWidget& view, FolderTreeModel& tree, CatalogueListModel& list,
                                    MessageService& messages)
{
    WizardControls c;
    MakeFileBox(view, c);
    MakeCatalogue(view, c, tree, list, messages);
    MakeToolbar(view, c);
    MakeNavigation(view, c);
    MakeLabels(view, c);
    GiveMnemonics(c);
    return c;
}

TextNeeds WizardTextNeeds(const WizardControls& c, const QWidget& reportLine)
{
    // From the fonts: the styles' size hints have minimum widths of their own.
    const QSize fileName(0, c.editFileName->fontMetrics().height() + 6);
    return TextNeeds{CaptionNeeds(*c.btnBrowse), fileName, c.chkDeepScan->sizeHint(),
                     reportLine.fontMetrics().height() + 2};
}

void PlaceWizardControls(const WizardControls& c, const WizardViewLayout& layout)
{
    c.editFileName->setGeometry(layout.fileName);
    c.lblSelectHint->setGeometry(layout.selectHint);
    c.btnBrowse->setGeometry(layout.browse);
    c.chkDeepScan->setGeometry(layout.deepScan);
    c.btnNext->setGeometry(layout.next);
    c.btnBack->setGeometry(layout.back);
    c.btnStop->setGeometry(layout.stop);
    c.btnHomePage->setGeometry(layout.homePage);
    c.folderTree->setGeometry(layout.folderTree);
    c.folderContents->setGeometry(layout.folderContents);
    const QRect list = layout.catalogueList;
    const int bar = c.filterBar->sizeHint().height();
    c.filterBar->setGeometry(list.x(), list.y(), list.width(), bar);
    c.catalogueList->setGeometry(list.adjusted(0, bar, 0, 0));
    c.lblHelpTop->setGeometry(layout.helpTop);
}

void SetWizardTabOrder(const WizardControls& c, const FilePreviewPane& pane, QWidget& reportLine)
{
    QWidget* const order[] = {
        c.btnAddFile, c.btnRepair, c.btnSave, c.btnSettings, c.btnUpdate, c.btnHomePage, // the top row
        c.editFileName, c.btnBrowse, c.chkDeepScan,                                      // the file page
        c.folderTree, c.folderContents, c.folderContents->horizontalHeader(),            // the results page
        c.filterBar->TextBox(), c.filterBar->ClearButton(), c.filterBar->NotOkBox(), c.filterBar->SizeBox(),
        c.catalogueList, c.catalogueList->horizontalHeader(), &pane.CloseButton(), &pane.TextView(), &reportLine,
        c.btnStop, c.btnBack, c.btnNext,                                                 // bottom right
    };
    for (std::size_t k = 1; k < std::size(order); ++k)
        QWidget::setTabOrder(order[k - 1], order[k]);
}

void ResetCatalogueControls(const WizardControls& c)
{
    c.folderContents->ShowFolder(nullptr);
    c.filterBar->Reset();
    SortList(*c.catalogueList, -1);
    SortList(*c.folderContents, -1);
}

void ShowChangedStates(const WizardControls& c, CatalogueListModel& list)
{
    list.RefreshRows();
    c.folderContents->ContentsModel().RefreshStates();
}
