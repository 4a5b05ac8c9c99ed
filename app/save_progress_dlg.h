// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The modal window of a running save: the catalogue path of the file being
// written, a progress bar over the catalogue's rows, the bytes saved of the
// total with the rate and the time left, and Cancel. It opens the backup
// afresh, runs the extraction on a SaveWorker and closes itself once the
// worker has ended. Cancel, Escape and the close box ask first, with the save
// held while the question is open; a stop lets the file being written
// finish. Window thread only.

#include "bitmap_dialog.h"
#include "extraction_report.h"
#include "human_units.h"
#include "save_progress_snapshot.h"
#include "save_worker.h"
#include "stop_question.h"

#include <QString>

#include <memory>
#include <string>

class CatalogueStore;
class MessageService;
class QLabel;
class QProgressBar;
class QPushButton;

class CSaveProgressDlg : public CBitmapDialog {
    Q_OBJECT

public:
    // What one save needs; everything outlives the window.
    struct Save {
        QString backupPath;
        FileIdentity scanned; // the backup as the scan found it
        const CatalogueStore& rows;
        std::string destination; // ends with a separator
        std::string prefix;
        ExtractionOptions options;
        // When set, the window runs this check of the data instead of a save:
        // its own title, and Stop ends it at once without a question.
        SaveWorker::Work check = {};
    };

    CSaveProgressDlg(const Save& save, MessageService& messages, QWidget* parent = nullptr);
    ~CSaveProgressDlg() override;

    // Opens the backup, starts the worker and runs the window until the worker
    // has ended. False when the backup could not be opened or is not the file
    // scanned: the message was shown, the window never ran and nothing was written.
    bool Run();
    // Stops the save after the file being written, or at once (that file is
    // kept as NAME.partial); the window closes when the worker has ended.
    void StopSave(bool atOnce);
    // Asks whether to stop, with the save held meanwhile; on Yes runs `stop`
    // (which stops the save) and returns true.
    bool AskToStop(const std::function<void()>& stop);
    // What the save did; valid once Run has returned true.
    const ExtractionReport& Report() const { return m_report; }

    QLabel& FileNameLabel() const { return *m_lblFileName; }
    QProgressBar& ProgressBar() const { return *m_wndProgress; }
    QLabel& BytesLabel() const { return *m_lblBytes; }

public slots:
    // The cancel action (Cancel, Escape, the close box).
    void reject() override;

private:
    void CreateControls();
    void ShowProgress(const SaveProgressSnapshot& snapshot);
    void OnSaveEnded(const ExtractionReport& report);

    Save m_save;
    MessageService& m_messages;
    QLabel* m_lblFileName = nullptr;
    QProgressBar* m_wndProgress = nullptr;
    QLabel* m_lblBytes = nullptr;
    QPushButton* m_btnCancel = nullptr;
    bool m_bSaveDone = false;
    qreal m_scale = 1.0; // the font's line spacing against that of the 8-point dialog font
    RateMeter m_meter;
    ExtractionReport m_report;
    SaveWorker m_worker;
    StopQuestion m_question;
};
