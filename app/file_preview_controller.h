// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's look inside found files: the preview pane with its loader,
// "Open", which saves one file privately and opens it with the desktop's
// program, and the drag of found files out onto a file manager. The pane
// closes when the lists hide (the file page) and with a new scan. It reaches
// the window only through its signals. Window thread only.

#include "bkf_file_handle.h"
#include "private_save.h"

#include <QObject>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

class CatalogueList;
class CatalogueStore;
class DragOut;
class FolderContentsList;
class FolderTree;
class DesktopShell;
class FilePreviewPane;
class MessageService;
class PreviewLoader;
class ScanSession;
struct PreviewResult;
struct WizardViewLayout;

class FilePreviewController : public QObject {
    Q_OBJECT

public:
    // Everything given outlives this object; the pane becomes a (hidden) child of `view`.
    FilePreviewController(QWidget& view, const CatalogueStore& store, const ScanSession& scan,
                          PrivateSave::SaveRunner save, MessageService& messages, DesktopShell& shell);
    ~FilePreviewController() override;

    FilePreviewPane& Pane() const { return *m_pane; }
    bool IsPaneOpen() const;
    // Shows the pane with row `row`'s preview; its bytes follow from the loader.
    void Preview(std::size_t row);
    // Saves row `row` into the private folder and opens it (refused while a scan runs).
    void Open(std::size_t row);
    void ClosePane();
    // Previews and opens the rows `list` and `contents` ask for; files dragged
    // out of `list` or `tree` are saved privately and handed to the drop
    // target; the pane closes whenever `list` is hidden.
    void Serve(CatalogueList& list, FolderContentsList& contents, FolderTree& tree);
    // When the pane is open it takes its room beside the lists, which give way.
    void PlacePane(WizardViewLayout& layout) const;
    DragOut* Drags() const { return m_drags; }

signals:
    // The pane was opened or closed: the window lays out its controls again.
    void paneToggled();
    // A preview, an Open or a drag read the row's whole data and compared
    // them with their checksum: the row's state follows.
    void dataChecked(std::size_t row, bool intact);
    // A drag's line for the status bar.
    void statusText(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowResult(const PreviewResult& result);
    // What went wrong in a private save, said as after a save.
    void ReportProblems(const ExtractionReport& report);

    const CatalogueStore& m_store;
    const ScanSession& m_scan; // the backup scanned last
    MessageService& m_messages;
    DesktopShell& m_shell;
    FilePreviewPane* m_pane;
    std::unique_ptr<PreviewLoader> m_loader;
    PrivateSave m_private;
    std::size_t m_previewRow = 0; // the row the pane shows
    DragOut* m_drags = nullptr; // a child of this object
};
