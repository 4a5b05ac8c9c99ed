// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main frame with scripted services, shown offscreen at a fixed size,
// for window tests: a message box that answers from a script, a desktop that
// records what it was asked, a file chooser and a folder chooser that answer
// from a script.
// Header-only (Qt); the working directory is a fresh folder while it lives,
// so the help file and the updater are looked up there.

#include "backup_file_chooser.h"
#include "brevant_veltra_file_scan_view.h"
#include "byte_file.h"
#include "catalogue_list.h"
#include "catalogue_list_model.h"
#include "catalogue_store.h"
#include "desktop_shell.h"
#include "file_preview_controller.h"
#include "folder_contents_list.h"
#include "folder_tree.h"
#include "folder_tree_model.h"
#include "hover_button.h"
#include "main_frame.h"
#include "save_command.h"
#include "save_folder_chooser.h"
#include "scan_report_line.h"
#include "scan_session.h"
#include "scripted_message_service.h"
#include "temp_path.h"
#include "window_services.h"
#include "wizard_controls.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>

#include <deque>
#include <memory>
#include <string>
#include <vector>

class RecordingShell : public DesktopShell {
public:
    QStringList documents;
    QStringList webPages;
    QStringList programs; // program, then its arguments, joined by "|"
    std::vector<int> endedWith;

    void OpenDocument(const QString& path) override { documents << path; }
    void OpenWebPage(const QString& url) override { webPages << url; }
    void StartProgram(const QString& program, const QStringList& arguments) override
    {
        programs << (QStringList{program} + arguments).join('|');
    }
    void EndApplication(int exitCode) override { endedWith.push_back(exitCode); }
};

// Answers a chooser from a script, in order; cancels ("") once it is used up.
struct ScriptedAnswers {
    std::deque<QString> answers; // "" cancels
    int asked = 0;

    QString NextAnswer()
    {
        ++asked;
        if (answers.empty())
            return QString();
        const QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class ScriptedChooser : public BackupFileChooser, public ScriptedAnswers {
public:
    QString folder; // where the chooser last opened
    QString ChooseBackupFile(QWidget*, const QString& start) override
    {
        folder = start;
        return NextAnswer();
    }
};

class ScriptedFolderChooser : public SaveFolderChooser, public ScriptedAnswers {
public:
    QString BrowseForSaveFolder(QWidget*) override { return NextAnswer(); }
};

struct WindowFixture {
    TempDir dir;
    QString previousDir = QDir::currentPath();
    bool enteredDir = QDir::setCurrent(QString::fromStdString(dir.Path()));
    ScriptedMessageService messages;
    RecordingShell shell;
    ScriptedChooser chooser;
    ScriptedFolderChooser folderChooser;
    QSettings settings{QString::fromStdString(dir.Child("settings.ini")), QSettings::IniFormat};
    CMainFrame frame{WindowServices{messages, shell, chooser, folderChooser, settings}};
    QAbstractItemModelTester treeTester{&View().TreeModel(), QAbstractItemModelTester::FailureReportingMode::Warning};
    QAbstractItemModelTester listTester{&View().ListModel(), QAbstractItemModelTester::FailureReportingMode::Warning};

    explicit WindowFixture(const QSize& size = QSize(1024, 720))
    {
        frame.resize(size);
        frame.show();
        QApplication::setActiveWindow(&frame);
        QApplication::processEvents();
    }
    ~WindowFixture() { QDir::setCurrent(previousDir); }

    CBrevantVeltraFileScanView& View() { return frame.View(); }
    const WizardControls& Controls() { return View().Controls(); }

    // Writes `bytes` into the test folder under `name`; returns its path.
    QString WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes)
    {
        const std::string path = dir.Child(name);
        WriteBytes(path, bytes);
        return QString::fromStdString(path);
    }

    // Types `path` into the file-name box and presses Next.
    void TypeAndNext(const QString& path)
    {
        Controls().editFileName->setText(path);
        Controls().btnNext->click();
    }

    // Serves the window until the scan's worker and its end steps are done.
    bool WaitForScanEnd()
    {
        QDeadlineTimer deadline(60000);
        while (View().Session().IsScanUnfinished() && !deadline.hasExpired())
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        return !View().Session().IsScanUnfinished();
    }

    QStringList MessageTexts() const
    {
        QStringList texts;
        for (const ScriptedMessageService::Shown& shown : messages.shown)
            texts << shown.text;
        return texts;
    }
};
