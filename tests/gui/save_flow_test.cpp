// SPDX-License-Identifier: GPL-3.0-or-later
// The save road from the window's side: every save command down to the files
// on disk, the refusals, Cancel with its question, a backup that has gone
// away, and the report after a save that lost something.

#include "catalogue_list_model.h"
#include "command_table.h"
#include "file_size_limit.h"
#include "hover_button.h"
#include "modal_driver.h"
#include "save_progress_dlg.h"
#include "save_road.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <utility>

namespace {

const QString kStopQuestion = "Do you want to stop repairing process?";

std::string RootIn(const TempDir& dest)
{
    return dest.Child("Recovered BKF");
}

} // namespace

TEST(SaveFlow, EveryCommandSavesTheTickedFilesByteExact)
{
    struct Case {
        const char* name;
        std::function<void(WindowFixture&)> command;
    };
    const Case cases[] = {
        {"File > Save", [](WindowFixture& f) { f.frame.Command(CommandId::kSave)->trigger(); }},
        {"Ctrl+S", [](WindowFixture& f) { QTest::keyClick(&f.frame, Qt::Key_S, Qt::ControlModifier); }},
        {"Save File button", [](WindowFixture& f) { QTest::mouseClick(f.Controls().btnSave, Qt::LeftButton); }},
        {"Next on the results page",
         [](WindowFixture& f) { QTest::mouseClick(f.Controls().btnNext, Qt::LeftButton); }},
        {"tree's Save Files", [](WindowFixture& f) { emit f.Controls().folderTree->saveRequested(32003); }},
        {"contents list's Save File",
         [](WindowFixture& f) { emit f.Controls().folderContents->saveRequested(61475); }},
        {"found-files list's menu", [](WindowFixture& f) { emit f.Controls().catalogueList->saveRequested(32777); }},
    };
    const std::vector<std::uint8_t> backup = SaveBackup(4, 70000);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WindowFixture f;
        ScanIntoReview(f, backup);
        // One file left out: only the ticked ones are saved.
        CatalogueListModel& list = f.View().ListModel();
        list.setData(list.index(1, 0), Qt::Unchecked, Qt::CheckStateRole);
        TempDir dest;
        f.folderChooser.answers = {QString::fromStdString(dest.Path())};
        c.command(f);
        EXPECT_EQ(f.folderChooser.asked, 1);
        EXPECT_EQ(ExpectSavedExactly(f, backup, RootIn(dest)), 3u);
        EXPECT_TRUE(f.messages.shown.empty()) << "a clean save shows no message";
        EXPECT_TRUE(StatusText(f).startsWith("3 of 3 files, ")) << StatusText(f).toStdString();
        EXPECT_TRUE(StatusText(f).endsWith(" saved into " + QString::fromStdString(RootIn(dest))));
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the progress window has closed";
    }
}

TEST(SaveFlow, RefusalsLeaveTheDiskAlone)
{
    struct Case {
        const char* name;
        std::function<void(WindowFixture&, const std::vector<std::uint8_t>&)> setUp;
        const char* message; // nullptr: none
        int style;
        int chooserAsked;
    };
    const Case cases[] = {
        {"file page", [](WindowFixture&, const std::vector<std::uint8_t>&) {}, nullptr, 0, 0},
        {"scan running",
         [](WindowFixture& f, const std::vector<std::uint8_t>& backup) {
             // Its end steps wait for this thread, so the scan still runs below.
             f.TypeAndNext(f.WriteFile("running.bkf", backup));
         },
         "Please stop search process , then save files", MessageService::kNotice, 0},
        {"nothing ticked",
         [](WindowFixture& f, const std::vector<std::uint8_t>& backup) {
             ScanIntoReview(f, backup);
             f.View().ListModel().SetAllTicked(false);
         },
         "Please select file(s) to save ", MessageService::kNotice, 0},
        {"chooser cancelled",
         [](WindowFixture& f, const std::vector<std::uint8_t>& backup) { ScanIntoReview(f, backup); }, nullptr, 0,
         1},
    };
    const std::vector<std::uint8_t> backup = SaveBackup(3, 1000);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WindowFixture f;
        c.setUp(f, backup);
        f.messages.shown.clear();
        f.View().OnSaveFiles();
        ASSERT_EQ(f.messages.shown.size(), c.message ? 1u : 0u);
        if (c.message) {
            EXPECT_EQ(f.messages.shown[0].text, c.message);
            EXPECT_EQ(f.messages.shown[0].style, c.style);
        }
        EXPECT_EQ(f.folderChooser.asked, c.chooserAsked);
        EXPECT_TRUE(StatusText(f).isEmpty());
        f.WaitForScanEnd();
    }
}

// The drive-root case of a folder that ends with its separator already: no
// second one is added.
TEST(SaveFlow, DestinationEndsWithOneSeparator)
{
    WindowFixture f;
    ScanIntoReview(f, SaveBackup(1, 10));
    TempDir dest;
    const QString folder = QString::fromStdString(dest.Path());
    const std::pair<QString, std::string> cases[] = {{folder, RootIn(dest)}, {folder + "/", RootIn(dest) + "1"}};
    for (const auto& [chosen, root] : cases) {
        f.folderChooser.answers = {chosen};
        f.View().OnSaveFiles();
        EXPECT_TRUE(StatusText(f).endsWith(" saved into " + QString::fromStdString(root)))
            << StatusText(f).toStdString();
        EXPECT_TRUE(QDir(QString::fromStdString(root)).exists()) << "each save makes a new root";
    }
}

TEST(SaveFlow, BackupGoneOrUnreadableWhenTheSaveStarts)
{
    const std::vector<std::uint8_t> backup = SaveBackup(2, 100);
    for (const bool replacedByFolder : {false, true}) {
        SCOPED_TRACE(replacedByFolder ? "a folder now" : "deleted");
        WindowFixture f;
        ScanIntoReview(f, backup);
        ASSERT_TRUE(QFile::remove(f.View().m_strFilePath));
        if (replacedByFolder) {
            ASSERT_TRUE(QDir().mkdir(f.View().m_strFilePath));
        }
        TempDir dest;
        f.folderChooser.answers = {QString::fromStdString(dest.Path())};
        f.View().OnSaveFiles();
        ASSERT_EQ(f.messages.shown.size(), 1u);
        EXPECT_EQ(f.messages.shown[0].text,
                  "Some Error occoured while opening file. Make sure that file is not shared");
        EXPECT_EQ(f.messages.shown[0].style, MessageService::kInform);
        EXPECT_TRUE(test_files::TreeOf(dest.Path()).empty()) << "nothing is written";
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

// Cancel, Escape and the close box ask; No lets the whole save finish.
TEST(SaveFlow, CancelAnsweredNoKeepsSaving)
{
    struct Case {
        const char* name;
        std::function<void(QWidget*)> cancel;
    };
    const Case cases[] = {
        {"Cancel", [](QWidget* w) { QTest::mouseClick(w->findChild<QPushButton*>(), Qt::LeftButton); }},
        {"Escape", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); }},
        {"close box", [](QWidget* w) { w->close(); }},
    };
    const std::vector<std::uint8_t> backup = SaveBackup(48, 1 << 20);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WindowFixture f;
        ScanIntoReview(f, backup);
        TempDir dest;
        f.folderChooser.answers = {QString::fromStdString(dest.Path())};
        f.messages.answers = {MessageService::kNo};
        AnswerModalAtOnce([&](QWidget* dialog) {
            EXPECT_EQ(dialog->windowTitle(), "Brevant Veltra BKF -  Saving files...");
            c.cancel(dialog);
            EXPECT_TRUE(dialog->isVisible()) << "No keeps the window";
        });
        f.View().OnSaveFiles();
        ASSERT_EQ(f.messages.shown.size(), 1u) << "the save ended before Cancel";
        EXPECT_EQ(f.messages.shown[0].text, kStopQuestion);
        EXPECT_EQ(f.messages.shown[0].style, MessageService::kConfirm);
        EXPECT_EQ(ExpectSavedExactly(f, backup, RootIn(dest)), 48u);
    }
}

// Yes: the file being written is finished, no later one is started, and the
// window closes by itself.
TEST(SaveFlow, CancelAnsweredYesFinishesTheCurrentFileOnly)
{
    WindowFixture f;
    const std::vector<std::uint8_t> backup = SaveBackup(48, 1 << 20);
    ScanIntoReview(f, backup);
    TempDir dest;
    f.folderChooser.answers = {QString::fromStdString(dest.Path())};
    f.messages.answers = {MessageService::kYes};
    AnswerModalAtOnce([](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
    f.View().OnSaveFiles();
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    const CatalogueStore& store = f.View().Store();
    std::size_t saved = 0;
    while (saved < store.RowCount()
           && test_files::ReadFileBytes(test_files::OnDisk(RootIn(dest), store.Path(saved))))
        ++saved;
    ASSERT_LT(saved, store.RowCount()) << "the stop came too late to test";
    for (std::size_t row = 0; row < store.RowCount(); ++row) {
        SCOPED_TRACE(row);
        const auto content = test_files::ReadFileBytes(test_files::OnDisk(RootIn(dest), store.Path(row)));
        if (row >= saved) {
            EXPECT_FALSE(content) << "no file after the stop";
            continue;
        }
        const CatalogueRow entry = store.Row(row);
        EXPECT_TRUE(content && *content == test_files::Slice(backup, entry.offset, entry.size));
    }
    EXPECT_TRUE(StatusText(f).startsWith(QStringLiteral("Save stopped: %1 of 48 files").arg(saved)))
        << StatusText(f).toStdString();
}

// Fault: the save said nothing at its end, so a save that lost files looked
// like a success. Each loss is now named in one sentence, with the files and
// reasons in the details and the output folder one answer away.
TEST(SaveFlow, ReportNamesWhatWasNotSavedCompletely)
{
    struct Case {
        const char* name;
        std::function<std::vector<std::uint8_t>()> backup;
        std::uint64_t fileSizeLimit; // 0: none
        const char* saved;  // the status bar's first words
        const char* clause; // what the message adds
        const char* detail;
    };
    const Case cases[] = {
        {"cut short",
         [] {
             BkfWriter w;
             w.Sset("Saved").Dirb({"Data"}).File("whole.dat", test_files::Pattern(3000));
             w.File("cut.dat", test_files::Pattern(3000, 2), FileOptions().StreamLength(1 << 20));
             return w.Bytes();
         },
         0, "1 of 2 files, ", "; 1 could not be saved completely", "cut.dat: cut short"},
        {"renamed duplicate",
         [] {
             BkfWriter w;
             w.Sset("Saved").Dirb({"Data"}).File("same.dat", test_files::Pattern(100));
             w.File("same.dat", test_files::Pattern(50, 2));
             return w.Bytes();
         },
         0, "2 of 2 files, 150 B", "; 1 saved under another name", "same.dat: saved as "},
        {"scan passed a file over",
         [] {
             BkfWriter w;
             w.Sset("Saved").Dirb({"Data"}).File("good.dat", test_files::Pattern(100)).File("a|b.txt", "x");
             return w.Bytes();
         },
         0, "1 of 1 files, 100 B", "; the scan passed over files that are not in the list", "a|b.txt"},
        {"disk full", [] { return SaveBackup(2, 200000); }, 100000,
         "0 of 2 files, ", "; 2 could not be saved completely", "file0.dat: write failed after "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WindowFixture f;
        ScanIntoReview(f, c.backup());
        TempDir dest;
        f.folderChooser.answers = {QString::fromStdString(dest.Path())};
        f.messages.answers = {MessageService::kYes};
        {
            std::optional<FileSizeLimitScope> full;
            if (c.fileSizeLimit)
                full.emplace(c.fileSizeLimit);
            f.View().OnSaveFiles();
        }
        const QString root = QString::fromStdString(RootIn(dest));
        const QString status = StatusText(f);
        EXPECT_TRUE(status.startsWith(c.saved) && status.endsWith(" saved into " + root)) << status.toStdString();
        ASSERT_EQ(f.messages.shown.size(), 1u);
        const QString shown = f.messages.shown[0].text;
        EXPECT_TRUE(shown.startsWith(status + c.clause + "\n\nOpen the output folder?")) << shown.toStdString();
        EXPECT_TRUE(shown.contains(c.detail)) << shown.toStdString();
        EXPECT_EQ(f.messages.shown[0].style, MessageService::kConfirm);
        EXPECT_EQ(f.shell.documents, QStringList{root}) << "Yes opens the output folder";
    }
}

// Fault: after Stop the scan still hands over its last rows for a moment; a
// save started then counted the ticks before they came (refusing with
// "nothing ticked", or reading the catalogue while rows were added to it).
TEST(SaveFlow, SaveRightAfterStopWaitsForTheScansLastRows)
{
    WindowFixture f;
    const std::vector<std::uint8_t> backup = SaveBackup(3000, 10);
    f.TypeAndNext(f.WriteFile("stopped.bkf", backup));
    // The worker scans on and waits to hand over its second batch.
    QThread::msleep(50);
    f.messages.answers = {MessageService::kYes};
    f.Pages().OnStop();
    TempDir dest;
    f.folderChooser.answers = {QString::fromStdString(dest.Path())};
    f.View().OnSaveFiles();
    EXPECT_EQ(f.messages.shown.size(), 1u) << "only the Stop question";
    const std::size_t rows = f.View().Store().RowCount();
    ASSERT_GT(rows, 0u);
    EXPECT_EQ(ExpectSavedExactly(f, backup, RootIn(dest)), rows);
    EXPECT_TRUE(StatusText(f).startsWith(QStringLiteral("%1 of %1 files").arg(rows))) << StatusText(f).toStdString();
}

// What the progress window shows at the end: the last file's catalogue path,
// the bar at the last row of the range of rows, and every chosen byte saved.
TEST(SaveFlow, ProgressWindowEndsOnTheLastRow)
{
    WindowFixture f;
    const std::vector<std::uint8_t> backup = SaveBackup(5, 3000);
    ScanIntoReview(f, backup);
    CatalogueListModel& list = f.View().ListModel();
    list.setData(list.index(4, 0), Qt::Unchecked, Qt::CheckStateRole);
    TempDir dest;
    BkfScanner scanner;
    CSaveProgressDlg dialog(CSaveProgressDlg::Save{f.View().m_strFilePath, f.View().Store(), dest.Path() + "/",
                                                   "Out", scanner.RunningFlag()},
                            f.messages);
    EXPECT_EQ(dialog.FileNameLabel().text(), "Filename");
    ASSERT_TRUE(dialog.Run());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.FileNameLabel().text(), QString::fromStdString(std::string(f.View().Store().Path(3))));
    EXPECT_EQ(dialog.ProgressBar().maximum(), 5);
    EXPECT_EQ(dialog.ProgressBar().value(), 4);
    EXPECT_TRUE(dialog.BytesLabel().text().startsWith("11.7 KiB of 11.7 KiB saved\n"))
        << dialog.BytesLabel().text().toStdString();
    EXPECT_EQ(dialog.Report().filesSaved, 4u);
}

// A destination where no output folder can be made: said as a failure, not
// reported as a save.
TEST(SaveFlow, NoOutputFolderIsReportedAsAFailure)
{
    WindowFixture f;
    ScanIntoReview(f, SaveBackup(2, 100));
    const QString underAFile = f.View().m_strFilePath + "/folder";
    f.folderChooser.answers = {underAFile};
    f.View().OnSaveFiles();
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_TRUE(f.messages.shown[0].text.startsWith("No file could be saved: no output folder could be created in "
                                                    + underAFile + "/ ("))
        << f.messages.shown[0].text.toStdString();
    EXPECT_EQ(f.messages.shown[0].style, MessageService::kInform);
    EXPECT_EQ(StatusText(f), f.messages.shown[0].text);
    EXPECT_TRUE(f.shell.documents.isEmpty());
}
