// SPDX-License-Identifier: GPL-3.0-or-later
// How the window ends: a stop signal (SIGTERM, SIGINT, SIGHUP) reaches the
// window thread and ends the application with 128 + N, a running save only
// after whole files (or with the file being written kept as NAME.partial); a
// close during a save asks first; a save that ends under its stop question
// closes the question.

#include "modal_driver.h"
#include "pp_message_box.h"
#include "save_progress_dlg.h"
#include "save_road.h"
#include "stop_signal_notifier.h"

#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>

namespace {

// Every file below `root` is either equal to the catalogue's file at its path
// or named NAME.partial: nothing cut short passes for a saved file.
void ExpectNoTruncatedFile(WindowFixture& f, const std::vector<std::uint8_t>& backup, const std::string& root)
{
    const CatalogueStore& store = f.View().Store();
    for (std::size_t row = 0; row < store.RowCount(); ++row) {
        const std::string path = test_files::OnDisk(root, store.Path(row));
        const auto content = test_files::ReadFileBytes(path);
        const CatalogueRow entry = store.Row(row);
        EXPECT_TRUE(!content || *content == test_files::Slice(backup, entry.offset, entry.size)) << path;
    }
}

} // namespace

#ifdef Q_OS_UNIX
TEST(Ending, StopSignalsReachTheWindowThread)
{
    StopSignalNotifier notifier;
    QSignalSpy received(&notifier, &StopSignalNotifier::stopSignal);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        ASSERT_EQ(std::raise(signal), 0);
        ASSERT_TRUE(received.wait(10000)) << signal;
        EXPECT_EQ(received.takeFirst().at(0).toInt(), signal);
    }
}
#endif

TEST(Ending, SignalsAndCloseEndTheApplicationAfterWholeFiles)
{
    struct Case {
        const char* why;
        std::function<void(WindowFixture&)> during; // run at the first turn of the save's window
        int exitCode;
    };
    const Case cases[] = {
        {"SIGTERM: the file being written is finished", [](WindowFixture& f) { f.frame.OnStopSignal(SIGTERM); }, 143},
        {"SIGINT twice: that file is kept as NAME.partial",
         [](WindowFixture& f) {
             f.frame.OnStopSignal(SIGINT);
             f.frame.OnStopSignal(SIGINT);
         },
         130},
        {"close, Yes",
         [](WindowFixture& f) {
             f.messages.answers = {MessageService::kYes};
             f.frame.close();
         },
         0},
    };
    const std::vector<std::uint8_t> backup = SaveBackup(24, 2 << 20);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        WindowFixture f;
        ScanIntoReview(f, backup);
        TempDir dest;
        f.folderChooser.answers = {QString::fromStdString(dest.Path())};
        AnswerModalAtOnce([&](QWidget*) { c.during(f); });
        f.View().Save().OnSaveFiles();
        EXPECT_EQ(f.shell.endedWith, std::vector<int>{c.exitCode});
        EXPECT_TRUE(StatusText(f).isEmpty()) << "no report: the application ends";
        const std::string root = dest.Child("Recovered BKF");
        ExpectNoTruncatedFile(f, backup, root);
        std::size_t files = 0;
        for (const std::string& entry : test_files::TreeOf(root))
            files += entry.back() == '/' ? 0 : 1;
        EXPECT_LT(files, 24u) << "the save stopped early";
    }
    WindowFixture idle; // nothing running: the application ends at once
    idle.frame.OnStopSignal(SIGHUP);
    EXPECT_EQ(idle.shell.endedWith, std::vector<int>{129});
    WindowFixture scanning; // a scan stops, and the application ends at once
    scanning.TypeAndNext(scanning.WriteFile("scan.bkf", backup));
    ASSERT_TRUE(scanning.View().Session().IsScanRunning());
    scanning.frame.OnStopSignal(SIGTERM);
    EXPECT_FALSE(scanning.View().Session().IsScanRunning());
    EXPECT_EQ(scanning.shell.endedWith, std::vector<int>{143});
    EXPECT_TRUE(scanning.WaitForScanEnd());
}

// Fault: the stop question stayed open after the save it asked about had
// ended, and answering it then did nothing. The question holds the save, so
// here a stop from elsewhere (as a stop signal sends) ends it meanwhile.
TEST(Ending, SaveEndingUnderItsStopQuestionClosesIt)
{
    WindowFixture f;
    const std::vector<std::uint8_t> backup = SaveBackup(8, 1 << 20);
    ScanIntoReview(f, backup);
    TempDir dest;
    PPMessageBox box;
    BkfFileHandle scanned;
    ASSERT_TRUE(scanned.Open(f.View().Session().BackupPath().toStdString()));
    CSaveProgressDlg dialog({f.View().Session().BackupPath(), scanned.OpenedAs(), f.View().Store(), dest.Path() + "/", "Out", {}},
                            box);
    bool questionClosed = false;
    bool leftOpen = false;
    // Should the question stay open, this closes it so that the test ends.
    QTimer safetyNet;
    safetyNet.setSingleShot(true);
    QObject::connect(&safetyNet, &QTimer::timeout, [&] {
        leftOpen = true;
        if (QWidget* question = QApplication::activeModalWidget())
            question->close();
    });
    AnswerModalAtOnce([&](QWidget* progress) {
        safetyNet.start(30000);
        QTimer::singleShot(200, [&] { dialog.StopSave(false); });
        // Opens the real question; returns once it has closed.
        static_cast<QDialog*>(progress)->reject();
        questionClosed = true;
    });
    ASSERT_TRUE(dialog.Run());
    EXPECT_TRUE(questionClosed);
    EXPECT_FALSE(leftOpen) << "the question outlived the save";
    EXPECT_LT(dialog.Report().filesSaved, 8u) << "the save was held while the question was open";
}
