// SPDX-License-Identifier: GPL-3.0-or-later
// The save's folder chooser with the keyboard alone: the file-name box has
// the focus, a typed path and Enter take that folder (made when missing),
// Escape cancels.

#include "modal_driver.h"
#include "save_folder_chooser.h"
#include "temp_path.h"

#include <QDir>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

TEST(SaveFolderChooser, TypedPathAndEnterTakeThatFolder)
{
    TempDir dir;
    const QString existing = QString::fromStdString(dir.Path());
    const QString fresh = QString::fromStdString(dir.Child("new/deeper"));
    const std::pair<QString, Qt::Key> cases[] = {
        {existing, Qt::Key_Return}, {fresh, Qt::Key_Enter}, {existing, Qt::Key_Escape}};
    for (const auto& [typed, key] : cases) {
        SCOPED_TRACE(typed.toStdString() + (key == Qt::Key_Escape ? " then Escape" : " then Enter"));
        QString title;
        bool editHadFocus = false;
        AnswerNextModal([&, typed = typed, key = key](QWidget* dialog) {
            title = dialog->windowTitle();
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(edit, nullptr);
            QApplication::processEvents();
            editHadFocus = edit->hasFocus();
            QTest::keyClicks(edit, typed);
            QTest::keyClick(edit, key);
        });
        CFolderBrowser chooser;
        const QString chosen = chooser.BrowseForSaveFolder(nullptr);
        EXPECT_EQ(title, "Please select the Directory to Save the repaired files");
        EXPECT_TRUE(editHadFocus);
        if (key == Qt::Key_Escape) {
            EXPECT_TRUE(chosen.isEmpty());
            continue;
        }
        EXPECT_EQ(QDir::cleanPath(chosen), typed);
        EXPECT_TRUE(QDir(typed).exists());
    }
}
