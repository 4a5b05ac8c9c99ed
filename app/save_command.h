// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The save of the ticked files and the check of the found files' data, for
// the menu, the toolbar, the lists and the private save: the questions
// before, the save's window, the files' states and the report after, and the
// log "Save report..." writes. Window thread only.

#include "bkf_file_handle.h"
#include "extraction_report.h"
#include "view_frame.h"
#include "window_services.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class CatalogueStore;
class CSaveProgressDlg;
class QWidget;
struct DataCheckReport;
struct ScanReport;

class SaveCommand {
public:
    // What the window knows of the catalogue under review and its backup.
    struct Review {
        std::function<QString()> backupPath;
        std::function<FileIdentity()> scanned;
        // The catalogue may be read now (the results page, no scan running);
        // says why not where the user should hear it.
        std::function<bool()> readable;
        std::function<const ScanReport&()> scanReport;
        std::function<std::int64_t()> scannedAt; // seconds since 1970
        // Files' states changed: the lists show them again.
        std::function<void()> refreshStates;
    };

    // Everything given outlives this object; `window` parents the save's window.
    SaveCommand(QWidget& window, CatalogueStore& store, Review review, ViewFrame frame,
                const WindowServices& services);

    // Saves the ticked files: refused when the catalogue cannot be read
    // (silently on the file page) and when nothing is ticked; asks for the
    // destination folder (and whether to continue an earlier save found
    // there), runs the save's window, then reports on the status bar and,
    // when a file was not saved completely or was renamed, in a message that
    // can open the output folder.
    void OnSaveFiles();
    // Reads the data of every found file and compares them with their
    // checksums, in the save's window. The Status column follows as files
    // are checked; a message names every file that is not sound.
    void OnCheckData();
    // Runs a new save of the ticked rows of `rows` into `destination` (ends
    // with "/") in the save's window; false when it did not run or the
    // application ends now (no report then).
    bool RunSaveWindow(const CatalogueStore& rows, const std::string& destination, ExtractionReport& report);

    // The save's window is open.
    bool IsSaving() const { return m_saveDialog != nullptr; }
    // Stops a running save after the file it is writing, or at once (that
    // file kept as NAME.partial).
    void StopSave(bool atOnce);
    // While the save's window is open: asks whether to stop, with the save
    // held meanwhile; on Yes runs `stop` and returns true.
    bool AskToStopSave(const std::function<void()>& stop);

    // A preview, an Open or a drag compared row `row`'s data with their checksum.
    void NoteDataCheck(std::size_t row, bool intact);
    // A scan's report came: the last save belongs to another catalogue.
    void ScanReported() { m_lastSave.reset(); }
    // The report "Save report..." writes.
    QString Log() const;

private:
    // Runs the save of the ticked rows into `destination` (ends with "/").
    void RunSave(const std::string& destination);
    // When `destination` holds the output folder of an earlier save of this
    // backup and the user wants to go on in it: that folder; "" otherwise.
    std::string AskToContinue(const std::string& destination);
    // As RunSaveWindow, continuing in the output folder `continueIn` unless it is "".
    bool RunSaveWindowIn(const CatalogueStore& rows, const std::string& destination, const std::string& continueIn,
                         ExtractionReport& report);
    // Runs the save's window; false when it did not run or the application ends now.
    bool Run(CSaveProgressDlg& dialog);
    void ShowStatesChanged();
    // The states are kept with the catalogue, so the next opening shows them.
    void KeepCheckedStates();
    void ShowCheckReport(const DataCheckReport& report);
    void ShowSaveReport(const ExtractionReport& report, std::size_t chosen, const std::string& destination);

    QWidget& m_window;
    CatalogueStore& m_store;
    Review m_review;
    ViewFrame m_frame;
    WindowServices m_services;
    std::optional<ExtractionReport> m_lastSave; // since the catalogue was shown
    std::size_t m_lastChosen = 0;               // the files that save was given
    CSaveProgressDlg* m_saveDialog = nullptr;   // while a save's window is open
};
