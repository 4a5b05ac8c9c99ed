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
#include "settled_value.h"

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>

namespace {

using Command = std::function<void(WindowFixture&)>;

std::string RootIn(const TempDir& dest)
{
    return dest.Child("Recovered BKF");
}

// Scans `backup`, then saves into a fresh folder through `command`.
struct SavedWindow {
    WindowFixture f;
    TempDir dest;
    SavedWindow(const std::vector<std::uint8_t>& backup, const Command& command, const QString& suffix = "")
    {
        ScanIntoReview(f, backup);
        f.folderChooser.answers = {QString::fromStdString(dest.Path()) + suffix};
        command(f);
    }
};

const Command kSave = [](WindowFixture& f) { f.View().Save().OnSaveFiles(); };

std::uint64_t BytesBelow(const std::string& root)
{
    std::error_code error;
    std::uint64_t bytes = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root, error))
        bytes += entry.is_regular_file() ? entry.file_size() : 0;
    return bytes;
}

} // namespace

// A destination that ends with its separator already gets no second one.
TEST(SaveFlow, EveryCommandSavesTheTickedFilesByteExact)
{
    const std::pair<const char*, Command> cases[] = {
        {"File > Save", [](WindowFixture& f) { f.frame.Command(CommandId::kSave)->trigger(); }},
        {"Ctrl+S", [](WindowFixture& f) { QTest::keyClick(&f.frame, Qt::Key_S, Qt::ControlModifier); }},
        {"Save File", [](WindowFixture& f) { QTest::mouseClick(f.Controls().btnSave, Qt::LeftButton); }},
        {"Next on page 1", [](WindowFixture& f) { QTest::mouseClick(f.Controls().btnNext, Qt::LeftButton); }},
        {"tree", [](WindowFixture& f) { emit f.Controls().folderTree->saveRequested(32003); }},
        {"contents list", [](WindowFixture& f) { emit f.Controls().folderContents->saveRequested(61475); }},
        {"found-files list", [](WindowFixture& f) { emit f.Controls().catalogueList->saveRequested(32777); }},
    };
    const std::vector<std::uint8_t> backup = SaveBackup(4, 70000);
    int k = 0;
    for (const auto& [name, command] : cases) {
        SCOPED_TRACE(name);
        SavedWindow s(backup, [&command = command](WindowFixture& f) {
            f.View().ListModel().SetCatalogueRowTicked(1, false);
            command(f);
        }, ++k % 2 ? "" : "/");
        EXPECT_EQ(ExpectSavedExactly(s.f, backup, RootIn(s.dest)), 3u);
        EXPECT_TRUE(s.f.messages.shown.empty()) << "a clean save shows no message";
        EXPECT_TRUE(StatusText(s.f).startsWith("3 of 3 files, ")
                    && StatusText(s.f).endsWith(" saved into " + QString::fromStdString(RootIn(s.dest))))
            << StatusText(s.f).toStdString();
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the progress window has closed";
    }
}

TEST(SaveFlow, RefusalsLeaveTheDiskAlone)
{
    struct Case {
        const char* name;
        std::function<void(WindowFixture&)> setUp;
        QString message; // empty: none
        int chooserAsked;
    };
    const std::vector<std::uint8_t> backup = SaveBackup(3, 1000);
    const auto review = [&backup](WindowFixture& f) { ScanIntoReview(f, backup); };
    const Case cases[] = {
        {"file page", [](WindowFixture&) {}, "", 0},
        // The scan's end steps wait for this thread, so it still runs below.
        {"scan running", [&](WindowFixture& f) { f.TypeAndNext(f.WriteFile("running.bkf", backup)); },
         "Please stop search process , then save files", 0},
        {"nothing ticked", [&](WindowFixture& f) { review(f), f.View().ListModel().SetAllTicked(false); },
         "Please select file(s) to save ", 0},
        {"chooser cancelled", review, "", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WindowFixture f;
        c.setUp(f);
        f.View().Save().OnSaveFiles();
        ASSERT_EQ(f.messages.shown.size(), c.message.isEmpty() ? 0u : 1u);
        if (!c.message.isEmpty()) {
            EXPECT_EQ(f.messages.shown[0].text, c.message);
            EXPECT_EQ(f.messages.shown[0].style, MessageService::kNotice);
        }
        EXPECT_EQ(f.folderChooser.asked, c.chooserAsked);
        EXPECT_TRUE(StatusText(f).isEmpty());
        f.WaitForScanEnd();
    }
}

// The backup deleted, a folder in its place, or (fault: the save read the
// new file's bytes and reported a success) another file of the same size put
// in its place or written over it, after the scan.
TEST(SaveFlow, BackupGoneOrReplacedWhenTheSaveStarts)
{
    const std::vector<std::uint8_t> backup = SaveBackup(2, 100);
    std::vector<std::uint8_t> other = backup;
    other.back() ^= 1;
    const std::pair<const char*, std::function<bool(const QString&)>> cases[] = {
        {"deleted", [](const QString& path) { return QFile::remove(path); }},
        {"a folder", [](const QString& path) { return QFile::remove(path) && QDir().mkdir(path); }},
        {"replaced", [&](const QString& path) {
             test_files::WriteFileBytes(path.toStdString() + ".new", other);
             return std::rename((path + ".new").toLocal8Bit().constData(), path.toLocal8Bit().constData()) == 0;
         }},
        {"written over", [&](const QString& path) {
             test_files::WriteFileBytes(path.toStdString(), other);
             return true;
         }},
    };
    for (const auto& [name, change] : cases) {
        SCOPED_TRACE(name);
        SavedWindow s(backup, [&change = change](WindowFixture& f) {
            ASSERT_TRUE(change(f.View().Session().BackupPath()));
            f.View().Save().OnSaveFiles();
        });
        ASSERT_EQ(s.f.messages.shown.size(), 1u);
        EXPECT_EQ(s.f.messages.shown[0].text,
                  "Some Error occoured while opening file. Make sure that file is not shared");
        EXPECT_EQ(s.f.messages.shown[0].style, MessageService::kInform);
        EXPECT_TRUE(test_files::TreeOf(s.dest.Path()).empty()) << "nothing is written";
    }
}

// Cancel, Escape and the close box ask; No lets the save finish, Yes lets the
// file being written finish and starts no other. The question comes at the
// first turn of the window's loop, long before 48 MiB are saved.
TEST(SaveFlow, CancelAsksAndYesStopsAfterTheCurrentFile)
{
    const std::pair<int, std::function<void(QWidget*)>> cases[] = {
        {MessageService::kNo, [](QWidget* w) { QTest::mouseClick(w->findChild<QPushButton*>(), Qt::LeftButton); }},
        {MessageService::kNo, [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); }},
        {MessageService::kNo, [](QWidget* w) { w->close(); }},
        {MessageService::kYes, [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); }},
    };
    const std::vector<std::uint8_t> backup = SaveBackup(48, 1 << 20);
    for (const auto& [answer, cancel] : cases) {
        SavedWindow s(backup, [&, answer = answer, cancel = cancel](WindowFixture& f) {
            f.messages.answers = {answer};
            AnswerModalAtOnce([&](QWidget* dialog) {
                EXPECT_EQ(dialog->windowTitle(), "Brevant Veltra BKF -  Saving files...");
                cancel(dialog);
                EXPECT_TRUE(dialog->isVisible()) << "the window waits for the worker";
            });
            kSave(f);
        });
        ASSERT_EQ(s.f.messages.shown.size(), 1u);
        EXPECT_EQ(s.f.messages.shown[0].text, "Do you want to stop repairing process?");
        EXPECT_EQ(s.f.messages.shown[0].style, MessageService::kConfirm);
        const CatalogueStore& store = s.f.View().Store();
        std::size_t saved = 0;
        while (saved < 48 && test_files::ReadFileBytes(test_files::OnDisk(RootIn(s.dest), store.Path(saved))))
            ++saved;
        if (answer == MessageService::kNo) {
            EXPECT_EQ(ExpectSavedExactly(s.f, backup, RootIn(s.dest)), 48u);
            continue;
        }
        ASSERT_LT(saved, 48u) << "the stop came too late to test";
        for (std::size_t row = saved; row < 48; ++row)
            s.f.View().ListModel().SetCatalogueRowTicked(row, false);
        EXPECT_EQ(ExpectSavedExactly(s.f, backup, RootIn(s.dest)), saved) << "whole files, then none";
        EXPECT_TRUE(StatusText(s.f).startsWith(QStringLiteral("Save stopped: %1 of 48 files").arg(saved)));
    }
}

// Fault: the save wrote on while its stop question was open. Held there, it
// writes nothing more until the answer, even inside a large file; No lets
// it finish.
TEST(SaveFlow, TheStopQuestionHoldsTheSaveInsideAFile)
{
    constexpr std::uint64_t kSize = std::uint64_t{48} << 20;
    const std::vector<std::uint8_t> backup = SaveBackup(1, kSize);
    WindowFixture f;
    ScanIntoReview(f, backup);
    TempDir dest;
    f.folderChooser.answers = {QString::fromStdString(dest.Path())};
    f.messages.answers = {MessageService::kNo};
    std::uint64_t heldAt = 0;
    f.messages.whileOpen = [&] { heldAt = SettledValue([&] { return BytesBelow(RootIn(dest)); }); };
    AnswerModalAtOnce([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
    kSave(f);
    ASSERT_EQ(f.messages.shown.size(), 1u) << "the question only";
    EXPECT_LT(heldAt, kSize) << "the save went on behind the question";
    EXPECT_EQ(ExpectSavedExactly(f, backup, RootIn(dest)), 1u);
}

// Fault: the save said nothing at its end, so a save that lost files looked
// like a success. Each loss is now named in one sentence, with the files and
// reasons in the details and the output folder one answer away.
TEST(SaveFlow, ReportNamesWhatWasNotSavedCompletely)
{
    struct Case {
        std::vector<std::uint8_t> backup;
        std::uint64_t fileSizeLimit; // 0: none
        const char* saved;           // the status bar's first words
        const char* clause;          // what the message adds
        const char* detail;
    };
    const auto data = [](std::size_t size) { return test_files::Pattern(size); };
    const Case cases[] = {
        {BkfWriter().Sset("S").File("whole", data(300)).File("cut", data(30), FileOptions().StreamLength(1 << 20)).Bytes(),
         0, "1 of 2 files, ", "; 1 could not be saved completely", "cut: cut short"},
        {BkfWriter().Sset("S").File("same", data(100)).File("same", data(50)).Bytes(), 0, "2 of 2 files, 150 B",
         "; 1 saved under another name", "same: saved as "},
        {BkfWriter().Sset("S").File("good", data(100)).File("a|b.txt", "x").Bytes(), 0, "1 of 1 files, 100 B",
         "; the scan passed over files that are not in the list", "a|b.txt"},
        {SaveBackup(2, 200000), 100000, "0 of 2 files, ", "; 2 could not be saved completely",
         "file0.dat: write failed after "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clause);
        SavedWindow s(c.backup, [&c](WindowFixture& f) {
            f.messages.answers = {MessageService::kYes};
            std::optional<FileSizeLimitScope> diskFull;
            if (c.fileSizeLimit)
                diskFull.emplace(c.fileSizeLimit);
            kSave(f);
        });
        const QString root = QString::fromStdString(RootIn(s.dest));
        const QString status = StatusText(s.f);
        EXPECT_TRUE(status.startsWith(c.saved) && status.endsWith(" saved into " + root)) << status.toStdString();
        ASSERT_EQ(s.f.messages.shown.size(), 1u);
        const QString shown = s.f.messages.shown[0].text;
        EXPECT_TRUE(shown.startsWith(status + c.clause + "\n\nOpen the output folder?")) << shown.toStdString();
        EXPECT_TRUE(shown.contains(c.detail)) << shown.toStdString();
        EXPECT_EQ(s.f.messages.shown[0].style, MessageService::kConfirm);
        EXPECT_EQ(s.f.shell.documents, QStringList{root}) << "Yes opens the output folder";
    }
}

// A destination where no output folder can be made is a failure, not a save.
TEST(SaveFlow, NoOutputFolderIsReportedAsAFailure)
{
    WindowFixture f;
    ScanIntoReview(f, SaveBackup(2, 100));
    f.folderChooser.answers = {f.View().Session().BackupPath() + "/x"}; // below a file
    kSave(f);
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_TRUE(f.messages.shown[0].text.startsWith("No file could be saved: no output folder could be created in "));
    EXPECT_EQ(f.messages.shown[0].style, MessageService::kInform);
    EXPECT_EQ(StatusText(f), f.messages.shown[0].text);
}

// Fault: after Stop the scan still hands over its last rows for a moment; a
// save started then counted the ticks before they came (refusing with
// "nothing ticked", or reading the catalogue while rows were added to it).
TEST(SaveFlow, SaveRightAfterStopWaitsForTheScansLastRows)
{
    WindowFixture f;
    const std::vector<std::uint8_t> backup = SaveBackup(3000, 10);
    f.TypeAndNext(f.WriteFile("stopped.bkf", backup));
    QThread::msleep(50); // the worker scans on and waits to hand over its second batch
    f.messages.answers = {MessageService::kYes};
    f.Controls().btnStop->click();
    TempDir dest;
    f.folderChooser.answers = {QString::fromStdString(dest.Path())};
    kSave(f);
    EXPECT_EQ(f.messages.shown.size(), 1u) << "only the Stop question";
    ASSERT_GT(f.View().Store().RowCount(), 0u);
    EXPECT_EQ(ExpectSavedExactly(f, backup, RootIn(dest)), f.View().Store().RowCount());
}

// The progress window at the end: the last file's catalogue path, the bar at
// the last row of the range of rows, every chosen byte saved.
TEST(SaveFlow, ProgressWindowEndsOnTheLastRow)
{
    WindowFixture f;
    ScanIntoReview(f, SaveBackup(5, 3000));
    f.View().ListModel().SetCatalogueRowTicked(4, false);
    TempDir dest;
    BkfFileHandle scanned;
    ASSERT_TRUE(scanned.Open(f.View().Session().BackupPath().toStdString()));
    CSaveProgressDlg dialog({f.View().Session().BackupPath(), scanned.OpenedAs(), f.View().Store(), dest.Path() + "/", "Out", {}},
                            f.messages);
    EXPECT_EQ(dialog.FileNameLabel().text(), "Filename");
    ASSERT_TRUE(dialog.Run());
    EXPECT_EQ(dialog.FileNameLabel().text(), QString::fromStdString(std::string(f.View().Store().Path(3))));
    EXPECT_EQ(dialog.ProgressBar().maximum(), 5);
    EXPECT_EQ(dialog.ProgressBar().value(), 4);
    EXPECT_TRUE(dialog.BytesLabel().text().startsWith("11.7 KiB of 11.7 KiB saved\n"));
}
