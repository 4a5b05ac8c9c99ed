// SPDX-License-Identifier: GPL-3.0-or-later
// A partly ticked folder reads as partly checked to a screen reader, in the
// tree and in the contents list, whichever way the ticks were changed; every
// way rolls the folders up alike.

#include "catalogue_controls_fixture.h"

#include <QAccessible>

#include <gtest/gtest.h>

#include <functional>

namespace {

// The accessible cell of `view` named `name` (column 0), or null.
QAccessibleInterface* CellNamed(QAbstractItemView& view, const QString& name)
{
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&view);
    for (int k = 0; list != nullptr && k < list->childCount(); ++k) {
        QAccessibleInterface* cell = list->child(k);
        if (cell != nullptr && cell->object() == nullptr && cell->text(QAccessible::Name) == name)
            return cell;
    }
    return nullptr;
}

// "mixed", "checked" or "unchecked", as a screen reader learns it.
std::string Heard(QAccessibleInterface* cell)
{
    if (cell == nullptr)
        return "missing";
    const QAccessible::State state = cell->state();
    if (!state.checkable)
        return "not checkable";
    return state.checkStateMixed ? "mixed" : state.checked ? "checked" : "unchecked";
}

void ChooseFromMenu(QMenu* menu, const QString& text)
{
    for (QAction* action : menu->actions())
        if (action->text() == text)
            action->trigger();
    menu->close();
}

struct Way {
    const char* name;
    std::function<void(CatalogueControls&)> untickB; // every file under BKF\S\B unticked
};

} // namespace

TEST(PartialTickAccessible, EveryWayOfTickingRollsUpAlikeAndReadsAsPartlyChecked)
{
    using C = CatalogueControls;
    const auto selectB = [](C& c) { c.tree.SelectNode(c.Node({"BKF", "S", "B"})); };
    const auto showS = [](C& c) { c.tree.SelectNode(c.Node({"BKF", "S"})); }; // "..", A, B
    const Way ways[] = {
        {"tree box", [](C& c) { c.Press(c.tree, Qt::LeftButton, c.TreeBox(c.Node({"BKF", "S", "B"}))); }},
        {"tree Space", [&](C& c) { selectB(c); QTest::keyClick(&c.tree, Qt::Key_Space); }},
        {"tree menu", [&](C& c) {
             selectB(c);
             QTest::keyClick(&c.tree, Qt::Key_Menu);
             ChooseFromMenu(c.tree.ContextMenu(), "Untick folder");
         }},
        {"contents box", [&](C& c) { showS(c); c.Press(c.contents, Qt::LeftButton, c.RowBox(c.contents, 2)); }},
        {"contents Space", [&](C& c) {
             showS(c);
             c.contents.setCurrentIndex(c.contents.model()->index(2, 0));
             QTest::keyClick(&c.contents, Qt::Key_Space);
         }},
        {"found files, Untick shown rows under a filter", [](C& c) {
             c.listModel.SetFilter(RowFilterSettings{"\\B\\", false, {}});
             c.Press(c.list, Qt::RightButton, c.RowLabel(c.list, 0));
             ChooseFromMenu(c.list.ContextMenu(), "Untick shown rows");
         }},
    };
    QAccessible::setActive(true); // the views report their model changes
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        C c;
        for (const char* path : {"BKF\\S\\A\\a.txt", "BKF\\S\\B\\b.txt", "BKF\\S\\B\\c.txt"})
            c.AddFile(path);
        c.FinishScan();
        way.untickB(c);
        EXPECT_EQ(c.store.TickedCount(), 1u);
        const std::string states = {"UCP"[int(c.State({"BKF"}))], "UCP"[int(c.State({"BKF", "S"}))],
                                    "UCP"[int(c.State({"BKF", "S", "A"}))], "UCP"[int(c.State({"BKF", "S", "B"}))]};
        EXPECT_EQ(states, "PPCU");
        EXPECT_EQ(Heard(CellNamed(c.tree, "S")), "mixed");
        EXPECT_EQ(Heard(CellNamed(c.tree, "A")), "checked");
        c.tree.SelectNode(c.Node({"BKF"}));
        EXPECT_EQ(Heard(CellNamed(c.contents, "S")), "mixed");
        showS(c);
        EXPECT_EQ(Heard(CellNamed(c.contents, "B")), "unchecked");
        // Qt drops its cells with the rows they showed; so do the wrappers.
        c.listModel.Reset([](CatalogueStore& store) { store.Clear(); });
        c.treeModel.Clear();
        EXPECT_EQ(CellNamed(c.tree, "S"), nullptr);
    }
    QAccessible::setActive(false);
}

// Fault: the contents list rolled its folder up from the rows it shows, which
// count an empty subfolder as ticked: unticking a folder's only file left it
// partly ticked there, and unticked when done in the found-files list.
TEST(PartialTickAccessible, AnEmptySubfolderCountsAlikeWhereverTheFileIsUnticked)
{
    for (const bool inContents : {false, true}) {
        SCOPED_TRACE(inContents ? "contents list" : "found files");
        CatalogueControls c;
        c.treeModel.AddPath("BKF\\S\\empty\\");
        c.AddFile("BKF\\S\\f.txt");
        c.FinishScan();
        c.tree.SelectNode(c.Node({"BKF", "S"})); // "..", "empty", "f.txt"
        if (inContents)
            c.Press(c.contents, Qt::LeftButton, c.RowBox(c.contents, 2));
        else
            c.Press(c.list, Qt::LeftButton, c.RowBox(c.list, 0));
        EXPECT_EQ(c.store.TickedCount(), 0u);
        EXPECT_EQ(c.State({"BKF", "S"}), CheckState::Unchecked);
        EXPECT_EQ(c.State({"BKF"}), CheckState::Unchecked);
    }
}
