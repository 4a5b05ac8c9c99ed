// SPDX-License-Identifier: GPL-3.0-or-later
// FolderContentsList on screen: the rows ShowFolder builds, presses and keys
// on folder, file and parent rows, the roll-up into the tree, navigation, the
// context menu and the refusal while a scan runs.

#include "catalogue_controls_fixture.h"
#include "scan_refusal.h"

#include <QHeaderView>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

using Rows = std::vector<std::string>;

class FolderContentsListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        c.AddFile(R"(BKF\S\A\one)");
        c.AddFile(R"(BKF\S\A\sub\deep)");
        c.AddFile(R"(BKF\S\DATA\two)");
        c.AddFile(R"(BKF\S\A\nosize)", false);
        c.AddFile(R"(BKF\S\A\one)", true, 99); // the same catalogue path again
        c.FinishScan();
        c.tree.SelectNode(c.Node({"BKF", "S", "A"}));
    }

    void Key(int key) { QTest::keyClick(&c.contents, static_cast<Qt::Key>(key)); }
    void Mark(int row) { c.contents.setCurrentIndex(c.contents.model()->index(row, 0)); }

    CatalogueControls c;
};

TEST_F(FolderContentsListTest, ShowFolderListsParentThenFoldersThenFilesDirectlyInIt)
{
    EXPECT_EQ(c.ContentsRows(), (Rows{"..|||^", "sub|Folder||C", "one|File|10 B|C", "nosize|File||C", "one|File|99 B|C"}));
    const QModelIndex parentRow = c.contents.model()->index(0, 2);
    EXPECT_EQ(parentRow.data(Qt::BackgroundRole).value<QColor>(), QColor(220, 242, 226));
    EXPECT_FALSE(c.contents.model()->index(1, 2).data(Qt::BackgroundRole).isValid());

    c.tree.SelectNode(c.Node({"BKF"}));
    EXPECT_EQ(c.ContentsRows(), (Rows{"S|Folder||C"})) << "the root has no parent row";
    EXPECT_EQ(c.contents.model()->headerData(2, Qt::Horizontal).toString(), "File Size");
    EXPECT_GE(c.contents.columnWidth(0), c.contents.horizontalHeader()->sectionSizeHint(0));

    c.treeModel.Clear(); // before the next scan: no row may outlive its folder
    EXPECT_TRUE(c.ContentsRows().empty());
}

// Membership is a prefix test on whole folder names: A never takes DATA's files.
// The parent row stays first and folders stay before files; ticks stay with their rows.
TEST_F(FolderContentsListTest, HeadingsSortFoldersAndFilesAmongThemselves)
{
    Mark(2);
    Key(Qt::Key_Space); // unticks the first "one"
    const struct {
        int column;
        Qt::SortOrder order;
        Rows rows;
    } cases[] = {
        {FolderContentsListModel::SizeColumn, Qt::DescendingOrder,
         {"..|||^", "sub|Folder||C", "one|File|99 B|C", "one|File|10 B|U", "nosize|File||C"}},
        {FolderContentsListModel::NameColumn, Qt::AscendingOrder,
         {"..|||^", "sub|Folder||C", "nosize|File||C", "one|File|10 B|U", "one|File|99 B|C"}},
        {-1, Qt::AscendingOrder,
         {"..|||^", "sub|Folder||C", "one|File|10 B|U", "nosize|File||C", "one|File|99 B|C"}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.column);
        c.contents.model()->sort(k.column, k.order);
        c.tree.SelectNode(c.Node({"BKF", "S"}));
        c.tree.SelectNode(c.Node({"BKF", "S", "A"})); // the sort holds for the next folder shown
        EXPECT_EQ(c.ContentsRows(), k.rows);
    }
}

TEST_F(FolderContentsListTest, TogglingAFolderRowTicksOnlyRowsUnderThatFolder)
{
    c.tree.SelectNode(c.Node({"BKF", "S"}));
    ASSERT_EQ(c.ContentsRows(), (Rows{"..|||^", "A|Folder||C", "DATA|Folder||C"}));
    CatalogueControls::Press(c.contents, Qt::LeftButton, c.RowBox(c.contents, 1));

    EXPECT_EQ(c.ContentsRows(), (Rows{"..|||^", "A|Folder||U", "DATA|Folder||C"}));
    EXPECT_EQ(c.store.TickedCount(), 1u);
    EXPECT_TRUE(c.store.IsTicked(2)) << "DATA's file";
    EXPECT_EQ(c.State({"BKF", "S", "A", "sub"}), CheckState::Unchecked);
    EXPECT_EQ(c.State({"BKF", "S"}), CheckState::Partial);
    EXPECT_EQ(c.State({"BKF"}), CheckState::Partial);
}

TEST_F(FolderContentsListTest, EitherRowOfADuplicatePathTogglesTheFirstCatalogueRowOnly)
{
    CatalogueControls::Press(c.contents, Qt::LeftButton, c.RowBox(c.contents, 4));
    EXPECT_FALSE(c.store.IsTicked(0));
    EXPECT_TRUE(c.store.IsTicked(4));
    EXPECT_EQ(c.contents.GetCheckState(4), CheckState::Unchecked);
    EXPECT_EQ(c.State({"BKF", "S", "A"}), CheckState::Partial);
}

TEST_F(FolderContentsListTest, FolderStateFollowsItsRowsOneByOne)
{
    for (int row = 1; row <= 4; ++row)
        CatalogueControls::Press(c.contents, Qt::LeftButton, c.RowBox(c.contents, row));
    // Both "one" rows untick the first catalogue row: the second stays ticked
    // (a save writes it), so the folder is partly ticked, as the tree counts.
    EXPECT_EQ(c.State({"BKF", "S", "A"}), CheckState::Partial);
    EXPECT_EQ(c.State({"BKF", "S", "A", "sub"}), CheckState::Unchecked);
    EXPECT_EQ(c.State({"BKF", "S"}), CheckState::Partial);

    CatalogueControls::Press(c.contents, Qt::LeftButton, c.RowBox(c.contents, 2));
    EXPECT_EQ(c.State({"BKF", "S", "A"}), CheckState::Partial);
    EXPECT_EQ(c.State({"BKF", "S", "A", "sub"}), CheckState::Unchecked) << "Partial is the node alone";

    for (int row : {1, 3, 4})
        CatalogueControls::Press(c.contents, Qt::LeftButton, c.RowBox(c.contents, row));
    EXPECT_EQ(c.State({"BKF", "S", "A"}), CheckState::Checked);
    EXPECT_EQ(c.State({"BKF", "S", "A", "sub"}), CheckState::Checked);
    EXPECT_EQ(c.State({"BKF"}), CheckState::Checked);
}

TEST_F(FolderContentsListTest, TheParentRowNeverChangesAndNeverAsks)
{
    for (bool scanning : {false, true}) {
        SCOPED_TRACE(scanning ? "during a scan" : "after the scan");
        SetCatalogueScanRunning(c.tree, c.contents, scanning);
        CatalogueControls::Press(c.contents, Qt::LeftButton, c.RowBox(c.contents, 0));
        CatalogueControls::Press(c.contents, Qt::RightButton, c.RowBox(c.contents, 0));
        Mark(0);
        Key(Qt::Key_Space);
        EXPECT_EQ(c.ContentsRows().front(), "..|||^");
        EXPECT_TRUE(c.messages.shown.empty());
        EXPECT_EQ(c.store.TickedCount(), c.store.RowCount());
    }
}

TEST_F(FolderContentsListTest, DoubleClickAndEnterOpenFoldersAndTheParent)
{
    CatalogueControls::DoubleClick(c.contents, c.RowLabel(c.contents, 2));
    EXPECT_EQ(c.tree.SelectedNode(), c.Node({"BKF", "S", "A"})) << "a file row opens nothing";

    CatalogueControls::DoubleClick(c.contents, c.RowLabel(c.contents, 1));
    EXPECT_EQ(c.tree.SelectedNode(), c.Node({"BKF", "S", "A", "sub"}));
    EXPECT_EQ(c.ContentsRows(), (Rows{"..|||^", "deep|File|10 B|C"}));

    Mark(0);
    Key(Qt::Key_Return);
    EXPECT_EQ(c.tree.SelectedNode(), c.Node({"BKF", "S", "A"}));
    EXPECT_EQ(c.contents.SelectionMark(), 0);
    Mark(1);
    Key(Qt::Key_Enter);
    EXPECT_EQ(c.tree.SelectedNode(), c.Node({"BKF", "S", "A", "sub"}));

    // A double click on a box toggles twice: once per press.
    CatalogueControls::DoubleClick(c.contents, c.RowBox(c.contents, 1));
    EXPECT_EQ(c.contents.GetCheckState(1), CheckState::Checked);
    EXPECT_TRUE(c.store.IsTicked(1));
}

TEST_F(FolderContentsListTest, WhileAScanRunsChangesAreRefusedAndTheRowEndsUnchecked)
{
    SetCatalogueScanRunning(c.tree, c.contents, true);
    CatalogueControls::Press(c.contents, Qt::RightButton, c.RowLabel(c.contents, 2));
    Mark(1);
    Key(Qt::Key_Space);

    ASSERT_EQ(c.messages.shown.size(), 2u);
    EXPECT_EQ(c.messages.shown[0].text, kScanRefusalText);
    EXPECT_EQ(c.messages.shown[0].style, 32);
    EXPECT_EQ(c.ContentsRows()[2], "one|File|10 B|U");
    EXPECT_EQ(c.ContentsRows()[1], "sub|Folder||U");
    EXPECT_EQ(c.store.TickedCount(), c.store.RowCount());
    EXPECT_EQ(c.State({"BKF", "S", "A"}), CheckState::Checked);
    EXPECT_FALSE(c.contents.ContextMenu()->isVisible());
}

TEST_F(FolderContentsListTest, RightPressOffTheBoxShowsSaveFileAndOnTheBoxToggles)
{
    QSignalSpy save(&c.contents, &FolderContentsList::saveRequested);
    CatalogueControls::Press(c.contents, Qt::RightButton, c.RowBox(c.contents, 2));
    EXPECT_EQ(c.contents.GetCheckState(2), CheckState::Unchecked);
    EXPECT_FALSE(c.contents.ContextMenu()->isVisible());

    CatalogueControls::Press(c.contents, Qt::RightButton, c.RowLabel(c.contents, 3));
    QMenu* menu = c.contents.ContextMenu();
    ASSERT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->actions()[0]->text(), "Save File");
    menu->actions()[0]->trigger();
    menu->close();
    ASSERT_EQ(save.count(), 1);
    EXPECT_EQ(save.at(0).at(0).toInt(), 61475);

    c.contents.setFocus();
    Key(Qt::Key_Tab);
    EXPECT_TRUE(c.contents.horizontalHeader()->hasFocus()) << "the list's heading row comes next";
    QTest::keyClick(c.contents.horizontalHeader(), Qt::Key_Tab);
    EXPECT_TRUE(c.list.hasFocus()) << "Tab goes on along the focus chain, not back to the tree";
}

// The Menu key and Shift+F10 open a view's menu under its current row.
TEST_F(FolderContentsListTest, MenuKeysOpenTheContextMenuOfTheCurrentRow)
{
    c.list.setCurrentIndex(c.list.model()->index(1, 0));
    c.tree.SelectNode(c.Node({"BKF", "S", "A"}));
    Mark(2);
    const std::pair<QAbstractItemView*, QMenu*> views[] = {
        {&c.tree, c.tree.ContextMenu()}, {&c.contents, c.contents.ContextMenu()}, {&c.list, c.list.ContextMenu()}};
    for (const auto& [view, menu] : views) {
        for (const QKeyCombination key : {QKeyCombination(Qt::Key_Menu), QKeyCombination(Qt::ShiftModifier, Qt::Key_F10)}) {
            view->setFocus();
            QTest::keyClick(view, key.key(), key.keyboardModifiers());
            ASSERT_TRUE(menu->isVisible()) << view->metaObject()->className();
            const QRect row = view->visualRect(view->currentIndex());
            EXPECT_EQ(menu->pos().y(), view->viewport()->mapToGlobal(row.bottomLeft()).y()) << "under the row";
            menu->close();
        }
    }
}

// Space, the menu's tick entries and a press on a selected row's box act on
// the whole selection, in the contents list and the found-files list alike;
// the store's ticks, the folder and the contents list's boxes agree after each.
TEST_F(FolderContentsListTest, TickChangesOnASelectedRowActOnTheWholeSelection)
{
    enum Action { Space, TickMenu, UntickMenu };
    struct Step {
        bool inContents; // else the found-files list
        std::vector<int> selected;
        int current;
        Action action;
        std::string ticks;    // catalogue rows 0..4
        CheckState folder;    // BKF\S\A
        std::string contents; // rows 1..4 of the contents list
    };
    const Step steps[] = {
        {true, {1, 2}, 2, Space, "00111", CheckState::Partial, "UUCC"},
        {true, {0, 2, 3}, 3, TickMenu, "10111", CheckState::Partial, "UCCC"},
        {false, {2, 3, 4}, 3, Space, "10000", CheckState::Partial, "UCUU"},
        {false, {0, 1}, 0, UntickMenu, "00000", CheckState::Unchecked, "UUUU"},
        {false, {1, 2}, 1, TickMenu, "01100", CheckState::Partial, "CUUU"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(&step - steps);
        QTableView& view = step.inContents ? static_cast<QTableView&>(c.contents) : c.list;
        view.setFocus();
        view.clearSelection();
        for (int row : step.selected)
            view.selectionModel()->select(view.model()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        view.selectionModel()->setCurrentIndex(view.model()->index(step.current, 0), QItemSelectionModel::NoUpdate);
        if (step.action == Space) {
            QTest::keyClick(&view, Qt::Key_Space);
        } else {
            CatalogueControls::Press(view, Qt::RightButton, c.RowLabel(view, step.current));
            QMenu* menu = step.inContents ? c.contents.ContextMenu() : c.list.ContextMenu();
            const QString text = step.action == TickMenu ? "Tick selected rows" : "Untick selected rows";
            for (QAction* action : menu->actions()) {
                if (action->text() == text)
                    action->trigger();
            }
            menu->close();
        }
        std::string ticks, contents;
        for (std::size_t row = 0; row < c.store.RowCount(); ++row)
            ticks += c.store.IsTicked(row) ? '1' : '0';
        for (const std::string& row : c.ContentsRows())
            contents += row.back();
        EXPECT_EQ(ticks, step.ticks);
        EXPECT_EQ(c.State({"BKF", "S", "A"}), step.folder);
        EXPECT_EQ(contents, "^" + step.contents);
    }
}

} // namespace
