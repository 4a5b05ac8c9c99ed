// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader finds in the window: the accessible tree of each
// wizard page, walked from the frame, holds every button by its name and the
// painted labels as texts.

#include "bkf_writer.h"
#include "window_fixture.h"

#include <QAccessible>

#include <gtest/gtest.h>

namespace {

// The names of the shown buttons, check boxes, boxes to type in and drop-down
// lists, and of the shown texts, below `node`. (On X11 a drop-down list's
// name is its value; its label reaches a screen reader through its buddy.)
void CollectShown(QAccessibleInterface* node, QStringList& buttons, QStringList& texts)
{
    if (node == nullptr || node->state().invisible)
        return;
    const QAccessible::Role role = node->role();
    if (role == QAccessible::Button || role == QAccessible::CheckBox || role == QAccessible::EditableText
        || role == QAccessible::ComboBox)
        buttons << node->text(QAccessible::Name);
    else if (role == QAccessible::StaticText)
        texts << node->text(QAccessible::Name);
    for (int i = 0; i < node->childCount(); ++i)
        CollectShown(node->child(i), buttons, texts);
}

const QStringList kToolbar = {"Add File to repair", "Repair selected file", "Select location to save repaired file",
                              "Settings for repaired file name.",
                              "Update the software from latest changes from Internet", "Go to the software Homepage"};

TEST(AccessibleNames, EveryButtonOfBothPagesIsFoundByName)
{
    WindowFixture f;
    struct Page {
        const char* name;
        QStringList buttons;
        QString text;
    };
    const Page pages[] = {
        {"file page", kToolbar + QStringList{"Next", "Browse", "Deep scan"},
         "Please select file to repair , Using Browse button"},
        {"results page",
         kToolbar + QStringList{"Next", "Back", "Filter found files", "Clear filter", "Only rows that are not ok"},
         "Please press Save Files button from toolbar or press Next button to save repaired file(s)"},
    };
    for (const Page& page : pages) {
        SCOPED_TRACE(page.name);
        if (&page != pages) {
            BkfWriter writer;
            writer.Sset("S").Dirb({"D"}).File("a.txt", "a");
            f.TypeAndNext(f.WriteFile("a.bkf", writer.Bytes()));
            ASSERT_TRUE(f.WaitForScanEnd());
        }
        QStringList buttons, texts;
        CollectShown(QAccessible::queryAccessibleInterface(&f.frame), buttons, texts);
        for (const QString& name : page.buttons)
            EXPECT_TRUE(std::any_of(buttons.begin(), buttons.end(), [&name](const QString& found) {
                return found.startsWith(name);
            })) << name.toStdString() << " not among " << buttons.join(", ").toStdString();
        EXPECT_TRUE(texts.contains(page.text)) << texts.join(" | ").toStdString();
    }
}

} // namespace
