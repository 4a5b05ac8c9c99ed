// SPDX-License-Identifier: GPL-3.0-or-later
// The message box answers with the button the user chose, Escape and the
// close button give the answer a user expects, and each style shows its own
// icon and buttons.

#include "modal_driver.h"
#include "pp_message_box.h"
#include "pp_message_dialog.h"
#include "report_file.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

struct AnswerCase {
    const char* name;
    int style;
    std::function<void(PPMessageDialog*)> act;
    int expected;
};

void Press(PPMessageDialog* dialog, Qt::Key key)
{
    QTest::keyClick(dialog, key);
}

void Click(PPMessageDialog* dialog, int button)
{
    ASSERT_NE(dialog->Button(button), nullptr);
    QTest::mouseClick(dialog->Button(button), Qt::LeftButton);
}

TEST(PPMessageBoxTest, ReturnsTheButtonPressed)
{
    const AnswerCase cases[] = {
        { "notice, Enter", 0x20, [](auto* d) { Press(d, Qt::Key_Return); }, MessageService::kOk },
        { "notice, Escape", 0x20, [](auto* d) { Press(d, Qt::Key_Escape); }, MessageService::kOk },
        { "confirm, Enter takes Yes", 0x24, [](auto* d) { Press(d, Qt::Key_Return); }, MessageService::kYes },
        { "confirm, Escape is No", 0x24, [](auto* d) { Press(d, Qt::Key_Escape); }, MessageService::kNo },
        { "confirm, click No", 0x24, [](auto* d) { Click(d, MessageService::kNo); }, MessageService::kNo },
        { "confirm, click Yes", 0x24, [](auto* d) { Click(d, MessageService::kYes); }, MessageService::kYes },
        { "confirm, N key", 0x24, [](auto* d) { Press(d, Qt::Key_N); }, MessageService::kNo },
        { "confirm, Y key", 0x24, [](auto* d) { Press(d, Qt::Key_Y); }, MessageService::kYes },
        { "confirm, closed", 0x24, [](auto* d) { d->close(); }, MessageService::kNo },
        { "report, click OK", 0x40, [](auto* d) { Click(d, MessageService::kOk); }, MessageService::kOk },
        { "report, closed", 0x40, [](auto* d) { d->close(); }, MessageService::kOk },
    };
    for (const AnswerCase& test : cases) {
        SCOPED_TRACE(test.name);
        AnswerNextModal([&test](QWidget* modal) {
            auto* dialog = qobject_cast<PPMessageDialog*>(modal);
            if (dialog == nullptr) {
                ADD_FAILURE() << "another modal widget is active";
                modal->close();
                return;
            }
            test.act(dialog);
        });
        PPMessageBox box;
        EXPECT_EQ(box.ShowMessage(QStringLiteral("Brevant test message"), test.style), test.expected);
    }
}

TEST(PPMessageBoxTest, EachStyleShowsItsButtonsAndAnIcon)
{
    struct {
        int style;
        QVector<int> buttons;
    } const cases[] = {
        { 0x20, { MessageService::kOk } },
        { 0x24, { MessageService::kYes, MessageService::kNo } },
        { 0x40, { MessageService::kOk } },
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.style);
        PPMessageDialog dialog(QStringLiteral("Invalid File Name"), test.style);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Brevant Veltra BKF"));
        EXPECT_EQ(dialog.findChildren<QPushButton*>().size(), test.buttons.size());
        for (int button : test.buttons)
            EXPECT_NE(dialog.Button(button), nullptr) << button;
        int icons = 0;
        const auto labels = dialog.findChildren<QLabel*>();
        for (const QLabel* label : labels)
            icons += label->pixmap().isNull() ? 0 : 1;
        EXPECT_EQ(icons, 1);
    }
}

TEST(PPMessageBoxTest, TextIsShownAsPlainText)
{
    const QString text = QStringLiteral("<b>not bold</b>\nsecond line");
    PPMessageDialog dialog(text, 0x40);
    bool found = false;
    const auto labels = dialog.findChildren<QLabel*>();
    for (const QLabel* label : labels)
        found = found || (label->text() == text && label->textFormat() == Qt::PlainText);
    EXPECT_TRUE(found);
}

TEST(PPMessageBoxTest, DetailsOpenWithOneClick)
{
    PPMessageDialog dialog(QStringLiteral("3 files could not be saved"), 0x40, QStringLiteral("a.txt: disk full"));
    dialog.show();
    EXPECT_FALSE(dialog.DetailsVisible());
    QPushButton* details = nullptr;
    const auto buttons = dialog.findChildren<QPushButton*>();
    for (QPushButton* button : buttons)
        details = button->text().contains(QStringLiteral("Details")) ? button : details;
    ASSERT_NE(details, nullptr);
    QTest::mouseClick(details, Qt::LeftButton);
    EXPECT_TRUE(dialog.DetailsVisible());
    EXPECT_FALSE(dialog.isHidden()); // the details button does not answer
    const auto* area = dialog.findChild<QPlainTextEdit*>();
    ASSERT_NE(area, nullptr);
    EXPECT_TRUE(area->textInteractionFlags() & Qt::TextSelectableByKeyboard) << "selectable, so it can be copied";
    EXPECT_EQ(dialog.AnswerButtons().size(), 1) << "\"Save report...\" and Details answer nothing";
    // The open details can be made larger (fault: a fixed box cut every long line).
    const QSize opened = dialog.size();
    dialog.resize(opened + QSize(300, 200));
    EXPECT_EQ(dialog.size(), opened + QSize(300, 200));
    EXPECT_EQ(area->lineWrapMode(), QPlainTextEdit::NoWrap) << "long lines scroll, whole";
}

TEST(PPMessageBoxTest, ReportFileHoldsTheTextWithAFinalLineBreak)
{
    const QString path = QDir::temp().filePath(QStringLiteral("bkf-report-test.txt"));
    EXPECT_EQ(WriteReportFile(path, QStringLiteral("Saved\n\na.txt: disk full")), QString());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("Saved\n\na.txt: disk full\n"));
    file.remove();
    EXPECT_FALSE(WriteReportFile(QStringLiteral("/nonexistent-folder/report.txt"), QStringLiteral("x")).isEmpty());
}

} // namespace
