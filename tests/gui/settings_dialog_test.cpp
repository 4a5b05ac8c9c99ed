// SPDX-License-Identifier: GPL-3.0-or-later
// The Settings dialog: the prefix shown, the checks made on OK, and the
// prefix naming the output folder of the next save.

#include "command_table.h"
#include "hover_button.h"
#include "modal_driver.h"
#include "save_road.h"
#include "settings_dlg.h"

#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

QPushButton* Button(QWidget* dialog, const char* text)
{
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->text() == text)
            return button;
    return nullptr;
}

} // namespace

TEST(SettingsDialog, OkChecksThePrefixAndCancelChangesNothing)
{
    struct Case {
        const char* name;
        QString typed;
        const char* button;
        const char* message; // nullptr: none, the dialog closes
        QString prefixAfter;
    };
    const QString kDefault = "Recovered BKF";
    const Case cases[] = {
        {"accepted", "My Files", "OK", nullptr, "My Files"},
        {"one space", " ", "OK", nullptr, " "},
        {"double quote and trailing dot", "a\"b.", "OK", nullptr, "a\"b."},
        {"empty", "", "OK", "Please fill prefix", kDefault},
        {"colon", "a:b", "OK", "Illegal character found in file pre fix ", kDefault},
        {"apostrophe", "John's", "OK", "Illegal character found in file pre fix ", kDefault},
        {"dot dot", "..", "OK", "Illegal character found in file pre fix ", kDefault},
        {"cancel after editing", "Other", "Cancel", nullptr, kDefault},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedMessageService messages;
        QString prefix = kDefault;
        bool restoreDates = false;
        CSettingsDlg dialog(prefix, restoreDates, messages);
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), "Settings");
        EXPECT_EQ(dialog.PrefixEdit().text(), kDefault);
        EXPECT_FALSE(dialog.RestoreDatesBox().isChecked());
        dialog.PrefixEdit().setText(c.typed);
        dialog.RestoreDatesBox().setChecked(true);
        QTest::mouseClick(Button(&dialog, c.button), Qt::LeftButton);
        ASSERT_EQ(messages.shown.size(), c.message ? 1u : 0u);
        if (c.message) {
            EXPECT_EQ(messages.shown[0].text, c.message);
            EXPECT_EQ(messages.shown[0].style, MessageService::kInform);
            EXPECT_EQ(dialog.PrefixEdit().text(), c.typed) << "the text stays as typed";
        }
        EXPECT_EQ(dialog.isVisible(), c.message != nullptr);
        EXPECT_EQ(prefix, c.prefixAfter);
        EXPECT_EQ(restoreDates, prefix != kDefault) << "kept with a prefix that is taken, else unchanged";
    }
    // A 51st character is refused by the field.
    ScriptedMessageService messages;
    QString prefix;
    bool restoreDates = false;
    CSettingsDlg dialog(prefix, restoreDates, messages);
    QTest::keyClicks(&dialog.PrefixEdit(), QString(51, 'x'));
    EXPECT_EQ(dialog.PrefixEdit().text(), QString(50, 'x'));
}

// Tools > Setting, Ctrl+T and the Settings button open the same dialog on the
// frame's prefix; a new prefix names the next save's output folder, and a
// new start begins with "Recovered BKF" again.
TEST(SettingsDialog, EveryCommandSetsThePrefixOfTheNextSave)
{
    const std::function<void(WindowFixture&)> commands[] = {
        [](WindowFixture& f) { f.frame.Command(CommandId::kSetting)->trigger(); },
        [](WindowFixture& f) { QTest::keyClick(&f.frame, Qt::Key_T, Qt::ControlModifier); },
        [](WindowFixture& f) { QTest::mouseClick(f.Controls().btnSettings, Qt::LeftButton); },
    };
    const std::vector<std::uint8_t> backup = SaveBackup(2, 500);
    for (const auto& command : commands) {
        WindowFixture f;
        EXPECT_EQ(f.frame.m_strFilePrefix, "Recovered BKF");
        ScanIntoReview(f, backup);
        QString shown;
        AnswerNextModal([&shown](QWidget* modal) {
            auto* dialog = qobject_cast<CSettingsDlg*>(modal);
            ASSERT_NE(dialog, nullptr);
            shown = dialog->PrefixEdit().text();
            dialog->PrefixEdit().setText("Mine");
            QTest::mouseClick(Button(dialog, "OK"), Qt::LeftButton);
        });
        command(f);
        EXPECT_EQ(shown, "Recovered BKF");
        EXPECT_EQ(f.frame.m_strFilePrefix, "Mine");
        TempDir dest;
        f.folderChooser.answers = {QString::fromStdString(dest.Path())};
        f.View().Save().OnSaveFiles();
        EXPECT_EQ(ExpectSavedExactly(f, backup, dest.Child("Mine")), 2u);
    }
}
