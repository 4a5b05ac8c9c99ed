// SPDX-License-Identifier: GPL-3.0-or-later
// FolderTree on screen: presses on boxes and labels, right presses, keys and
// the refusal while a scan runs, asserted through what the user sees: ticks,
// boxes, the open nodes, the selection and the contents list.

#include "catalogue_controls_fixture.h"
#include "scan_refusal.h"

#include <QApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

using Rows = std::vector<std::string>;

class FolderTreeViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        c.AddFile(R"(BKF\S\P\one\a)");
        c.AddFile(R"(BKF\S\P\two\b)");
        c.AddFile(R"(BKF\S\c)");
        c.AddFile(R"(BKF\T\d)");
        c.FinishScan();
    }

    void Key(int key) { QTest::keyClick(&c.tree, static_cast<Qt::Key>(key)); }

    CatalogueControls c;
};

TEST_F(FolderTreeViewTest, BoxPressTicksWithPropagationAndLeavesTheNodeOpen)
{
    FolderNode* one = c.Node({"BKF", "S", "P", "one"});
    CatalogueControls::Press(c.tree, Qt::LeftButton, c.TreeBox(one));

    EXPECT_EQ(c.State({"BKF", "S", "P", "one"}), CheckState::Unchecked);
    EXPECT_EQ(c.State({"BKF", "S", "P"}), CheckState::Partial);
    EXPECT_EQ(c.State({"BKF", "S"}), CheckState::Partial);
    EXPECT_EQ(c.State({"BKF"}), CheckState::Partial);
    EXPECT_EQ(c.store.TickedCount(), 3u);
    EXPECT_FALSE(c.store.IsTicked(0));
    EXPECT_EQ(c.tree.SelectedNode(), one);
    EXPECT_EQ(c.ContentsRows(), (Rows{"..|||^", "a|File|10 B|U"}));
    EXPECT_TRUE(c.tree.isExpanded(c.treeModel.IndexOf(c.Node({"BKF", "S", "P"}))));

    CatalogueControls::Press(c.tree, Qt::LeftButton, c.TreeBox(one));
    EXPECT_EQ(c.store.TickedCount(), 4u);
    for (auto chain : {std::initializer_list<std::string_view>{"BKF"}, {"BKF", "S"}, {"BKF", "S", "P"}})
        EXPECT_EQ(c.State(chain), CheckState::Checked);
}

TEST_F(FolderTreeViewTest, RootToggleSetsEveryRowAndEveryNode)
{
    CatalogueControls::Press(c.tree, Qt::LeftButton, c.TreeBox(c.Node({"BKF"})));
    EXPECT_EQ(c.store.TickedCount(), 0u);
    EXPECT_EQ(c.State({"BKF", "S", "P", "two"}), CheckState::Unchecked);
    EXPECT_EQ(c.State({"BKF", "T"}), CheckState::Unchecked);
    EXPECT_EQ(c.ContentsRows(), (Rows{"S|Folder||U", "T|Folder||U"}));
    EXPECT_EQ(c.list.model()->index(0, 0).data(Qt::CheckStateRole).toInt(), Qt::Unchecked)
        << "the found-files list shows the new ticks";

    CatalogueControls::Press(c.tree, Qt::LeftButton, c.TreeBox(c.Node({"BKF"})));
    EXPECT_EQ(c.store.TickedCount(), 4u);
    EXPECT_EQ(c.State({"BKF", "S", "P", "two"}), CheckState::Checked);
}

TEST_F(FolderTreeViewTest, LabelPressSelectsAndTogglesTheExpansionEachTime)
{
    FolderNode* p = c.Node({"BKF", "S", "P"});
    const QModelIndex index = c.treeModel.IndexOf(p);
    CatalogueControls::Press(c.tree, Qt::LeftButton, c.TreeLabel(p));
    EXPECT_FALSE(c.tree.isExpanded(index));
    EXPECT_EQ(c.tree.SelectedNode(), p);
    EXPECT_EQ(c.ContentsRows(), (Rows{"..|||^", "one|Folder||C", "two|Folder||C"}));

    CatalogueControls::Press(c.tree, Qt::LeftButton, c.TreeLabel(p));
    EXPECT_TRUE(c.tree.isExpanded(index));
    EXPECT_EQ(c.store.TickedCount(), 4u) << "a label press never ticks";

    c.tree.setFocus();
    CatalogueControls::Press(c.tree, Qt::LeftButton, QPoint(5, c.tree.viewport()->height() - 3));
    EXPECT_EQ(c.tree.SelectedNode(), p) << "a press below the last node does nothing";
}

TEST_F(FolderTreeViewTest, WhileAScanRunsABoxPressIsRefusedAndOpensOrClosesInstead)
{
    SetCatalogueScanRunning(c.tree, c.contents, true);
    FolderNode* p = c.Node({"BKF", "S", "P"});
    CatalogueControls::Press(c.tree, Qt::LeftButton, c.TreeBox(p));

    ASSERT_EQ(c.messages.shown.size(), 1u);
    EXPECT_EQ(c.messages.shown[0].text, kScanRefusalText);
    EXPECT_EQ(c.messages.shown[0].style, 32);
    EXPECT_FALSE(c.tree.isExpanded(c.treeModel.IndexOf(p)));
    EXPECT_EQ(c.State({"BKF", "S", "P"}), CheckState::Checked);
    EXPECT_EQ(c.tree.SelectedNode(), nullptr);

    c.tree.SelectNode(p);
    Key(Qt::Key_Space);
    EXPECT_EQ(c.messages.shown.size(), 2u);
    EXPECT_EQ(c.State({"BKF", "S", "P"}), CheckState::Unchecked);
    EXPECT_EQ(c.store.TickedCount(), 4u) << "no tick changes during a scan";
}

TEST_F(FolderTreeViewTest, RightPressShowsTheSaveMenuWithoutSelecting)
{
    QSignalSpy save(&c.tree, &FolderTree::saveRequested);
    c.tree.SelectNode(c.Node({"BKF", "T"}));
    CatalogueControls::Press(c.tree, Qt::RightButton, c.TreeLabel(c.Node({"BKF", "S"})));

    QMenu* menu = c.tree.ContextMenu();
    ASSERT_TRUE(menu->isVisible());
    ASSERT_EQ(menu->actions().size(), 6);
    EXPECT_EQ(menu->actions()[0]->text(), "Save Files");
    EXPECT_TRUE(menu->actions()[1]->isSeparator());
    EXPECT_EQ(c.tree.SelectedNode(), c.Node({"BKF", "T"}));
    menu->actions()[0]->trigger();
    menu->close();
    ASSERT_EQ(save.count(), 1);
    EXPECT_EQ(save.at(0).at(0).toInt(), 32003);
}

// Fault: the tree's menu had only "Save Files". Opened with the Menu key, it
// ticks and unticks the current folder as its box does, and expands or
// collapses the whole tree.
TEST_F(FolderTreeViewTest, TheMenuKeyOffersTickUntickExpandAndCollapse)
{
    const auto choose = [&](const QString& text) {
        c.tree.setFocus();
        c.tree.SelectNode(c.Node({"BKF", "S", "P"}));
        Key(Qt::Key_Menu);
        QMenu* menu = c.tree.ContextMenu();
        ASSERT_TRUE(menu->isVisible());
        QStringList texts;
        for (QAction* action : menu->actions())
            texts << action->text();
        EXPECT_EQ(texts, (QStringList{"Save Files", "", "Tick folder", "Untick folder", "Expand all", "Collapse all"}));
        ASSERT_GE(texts.indexOf(text), 0);
        menu->actions()[texts.indexOf(text)]->trigger();
        menu->close();
    };
    choose("Untick folder");
    EXPECT_EQ(c.State({"BKF", "S", "P"}), CheckState::Unchecked);
    EXPECT_EQ(c.State({"BKF", "S"}), CheckState::Partial);
    EXPECT_EQ(c.store.TickedCount(), 2u);
    choose("Untick folder");
    EXPECT_EQ(c.store.TickedCount(), 2u) << "not a toggle";
    choose("Tick folder");
    EXPECT_EQ(c.State({"BKF"}), CheckState::Checked);
    EXPECT_EQ(c.store.TickedCount(), 4u);
    choose("Collapse all");
    EXPECT_FALSE(c.tree.isExpanded(c.treeModel.IndexOf(c.Node({"BKF"}))));
    choose("Expand all");
    EXPECT_TRUE(c.tree.isExpanded(c.treeModel.IndexOf(c.Node({"BKF", "S", "P", "one"}))));
}

// Fault: a folder ticked from the menu of a node that is not selected showed
// its contents, but a folder row ticked there then looked among the children
// of the selected node: its folder and files stayed as they were.
TEST_F(FolderTreeViewTest, RowsShownByTheMenuOfAnotherNodeTickTheirOwnFolders)
{
    c.tree.SelectNode(c.Node({"BKF", "T"}));
    CatalogueControls::Press(c.tree, Qt::RightButton, c.TreeLabel(c.Node({"BKF", "S", "P"})));
    c.tree.ContextMenu()->actions()[3]->trigger(); // "Untick folder"
    c.tree.ContextMenu()->close();
    ASSERT_EQ(c.ContentsRows(), (Rows{"..|||^", "one|Folder||U", "two|Folder||U"}));

    CatalogueControls::Press(c.contents, Qt::LeftButton, c.RowBox(c.contents, 1));
    EXPECT_EQ(c.State({"BKF", "S", "P", "one"}), CheckState::Checked);
    EXPECT_EQ(c.State({"BKF", "S", "P"}), CheckState::Partial);
    EXPECT_EQ(c.State({"BKF", "T"}), CheckState::Checked);
    EXPECT_EQ(c.store.TickedCount(), 3u);
}

TEST_F(FolderTreeViewTest, KeysToggleMoveAndHandTheFocusOver)
{
    c.tree.setFocus();
    c.tree.SelectNode(c.Node({"BKF", "S"}));
    Key(Qt::Key_Space);
    EXPECT_EQ(c.State({"BKF", "S"}), CheckState::Unchecked);
    EXPECT_EQ(c.store.TickedCount(), 1u);

    Key(Qt::Key_Down);
    EXPECT_EQ(c.tree.SelectedNode(), c.Node({"BKF", "S", "P"}));
    EXPECT_EQ(c.ContentsRows(), (Rows{"..|||^", "one|Folder||U", "two|Folder||U"}));

    Key(Qt::Key_Tab);
    EXPECT_TRUE(c.contents.hasFocus());
}

// The end of a scan empties the contents list and collapses the tree; once
// the Stop button hides, the folder highlighted in the tree shows its
// contents again and is brought into view.
TEST_F(FolderTreeViewTest, WhenAScanEndsTheHighlightedFolderShowsItsContents)
{
    for (FolderNode* node : {static_cast<FolderNode*>(nullptr), c.Node({"BKF", "S", "P", "one"})}) {
        SetCatalogueScanRunning(c.tree, c.contents, true);
        c.tree.clearSelection();
        c.tree.SelectNode(node);
        c.treeModel.CheckAllCollapsed(); // the scan's end steps
        c.contents.ShowFolder(nullptr);
        c.listModel.SetAllTicked(true);
        SetCatalogueScanRunning(c.tree, c.contents, false);
        EXPECT_EQ(c.ContentsRows(), node != nullptr ? (Rows{"..|||^", "a|File|10 B|C"}) : Rows());
        EXPECT_EQ(c.tree.visualRect(c.treeModel.IndexOf(node)).isValid(), node != nullptr) << "ancestors open";
    }
}

} // namespace
