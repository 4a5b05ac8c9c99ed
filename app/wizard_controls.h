// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The controls of the wizard view, created in code at their fixed places
// (the layout moves the rest on every size change), their tab order, and the
// lists' reset for a new catalogue. The view owns them as its children; these
// are plain pointers to them.

class CatalogueFilterBar;
class CatalogueList;
class CatalogueListModel;
class CGradientStatic;
class CHoverButton;
class FilePreviewPane;
class FolderContentsList;
class FolderTree;
class FolderTreeModel;
class MessageService;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QSize;
class QWidget;
struct TextNeeds;
struct WizardViewLayout;

struct WizardControls {
    QLineEdit* editFileName = nullptr;
    QPushButton* btnBrowse = nullptr;
    QCheckBox* chkDeepScan = nullptr; // unticked at every start
    CGradientStatic* lblHelpTop = nullptr;
    CGradientStatic* lblSelectHint = nullptr;
    CHoverButton* btnAddFile = nullptr;
    CHoverButton* btnRepair = nullptr;
    CHoverButton* btnSave = nullptr;
    CHoverButton* btnSettings = nullptr;
    CHoverButton* btnUpdate = nullptr;
    CHoverButton* btnNext = nullptr;
    CHoverButton* btnBack = nullptr;
    CHoverButton* btnStop = nullptr;
    CHoverButton* btnHomePage = nullptr;
    FolderTree* folderTree = nullptr;
    FolderContentsList* folderContents = nullptr;
    CatalogueList* catalogueList = nullptr;
    CatalogueFilterBar* filterBar = nullptr; // above the found-files list
};

// The instruction shown at start-up ("Browse button") and on return to the
// file page ("browse Button").
extern const char* const kStartHelpText;
extern const char* const kBackHelpText;

// The room a push button needs for its caption (in the user's language) in
// its font; the style's size hint has a minimum width of its own.
QSize CaptionNeeds(const QPushButton& button);

// Creates every control as a child of `view`; the models and the message
// service outlive the view.
WizardControls CreateWizardControls(QWidget& view, FolderTreeModel& tree, CatalogueListModel& list,
                                    MessageService& messages);

// What the texts of the controls and of the report line `reportLine` ask for.
TextNeeds WizardTextNeeds(const WizardControls& c, const QWidget& reportLine);
// Puts the controls where `layout` says; the filter bar takes the top of the
// found-files list's place.
void PlaceWizardControls(const WizardControls& c, const WizardViewLayout& layout);

// Tab goes through the controls in reading order: the top row, the file page,
// the results page with the preview `pane` and the report line, then the
// buttons at the bottom right.
void SetWizardTabOrder(const WizardControls& c, const FilePreviewPane& pane, QWidget& reportLine);

// The lists as at start: no folder shown, no filter, no sort.
void ResetCatalogueControls(const WizardControls& c);
// Files' states changed: the found-files list (`list`) and the contents list show them again.
void ShowChangedStates(const WizardControls& c, CatalogueListModel& list);
