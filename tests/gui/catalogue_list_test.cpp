// SPDX-License-Identifier: GPL-3.0-or-later
// CatalogueList on screen: its own two-state boxes, red on rose when ticked,
// presses that toggle only on the box, the context menu, and ticks that reach
// the tree and the contents list at once.

#include "catalogue_controls_fixture.h"
#include "surface_ink.h"

#include <QHeaderView>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

class CatalogueListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        c.AddFile(R"(BKF\S\A\one)");
        c.AddFile(R"(BKF\S\A\two)");
        c.FinishScan();
    }

    bool Ticked(int row) const { return c.store.IsTicked(static_cast<std::size_t>(row)); }

    CatalogueControls c;
};

TEST_F(CatalogueListTest, HeadingClicksSortUpThenDownThenBackToTheScanOrder)
{
    EXPECT_GE(c.list.columnWidth(0), c.list.horizontalHeader()->sectionSizeHint(0));
    EXPECT_TRUE(c.list.isColumnHidden(3));
    QHeaderView* header = c.list.horizontalHeader();
    const auto clickName = [&] {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionPosition(0) + 5, 5));
    };
    const auto firstRow = [&] { return c.list.model()->index(0, 0).data().toString(); };
    clickName();
    EXPECT_EQ(firstRow(), R"(BKF\S\A\one)");
    EXPECT_TRUE(header->isSortIndicatorShown());
    clickName();
    EXPECT_EQ(firstRow(), R"(BKF\S\A\two)");
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    CatalogueControls::Press(c.list, Qt::LeftButton, c.RowBox(c.list, 0));
    EXPECT_FALSE(Ticked(1)) << "the box of the first row shown is catalogue row 1's";
    EXPECT_TRUE(Ticked(0));
    clickName();
    EXPECT_EQ(firstRow(), R"(BKF\S\A\one)");
    EXPECT_FALSE(header->isSortIndicatorShown());
}

// A cell too narrow for its text shows the whole text as its tooltip.
TEST_F(CatalogueListTest, ACellIsCutOnlyWhenItsTextNeedsMoreRoom)
{
    auto* delegate = qobject_cast<StateImageDelegate*>(c.list.itemDelegate());
    ASSERT_NE(delegate, nullptr);
    const QModelIndex path = c.list.model()->index(0, 0);
    for (const auto& [width, cut] : {std::pair{60, true}, std::pair{600, false}}) {
        c.list.setColumnWidth(0, width);
        QStyleOptionViewItem option;
        option.initFrom(&c.list);
        option.rect = c.list.visualRect(path);
        EXPECT_EQ(delegate->IsCut(option, path), cut) << width;
    }
}

TEST_F(CatalogueListTest, PressesOnTheBoxToggleAndElsewhereDoNot)
{
    CatalogueControls::Press(c.list, Qt::LeftButton, c.RowBox(c.list, 0));
    EXPECT_FALSE(Ticked(0));
    EXPECT_FALSE(c.list.model()->index(0, 1).data(Qt::ForegroundRole).isValid());
    EXPECT_EQ(c.list.model()->index(1, 1).data(Qt::ForegroundRole).value<QColor>(), WarningRed());

    CatalogueControls::Press(c.list, Qt::LeftButton, c.RowLabel(c.list, 1));
    CatalogueControls::DoubleClick(c.list, c.RowLabel(c.list, 1));
    EXPECT_TRUE(Ticked(1));

    CatalogueControls::DoubleClick(c.list, c.RowBox(c.list, 1));
    EXPECT_TRUE(Ticked(1)) << "each press of a double click toggles";
    CatalogueControls::Press(c.list, Qt::RightButton, c.RowBox(c.list, 1));
    EXPECT_FALSE(Ticked(1));
    EXPECT_FALSE(c.list.ContextMenu()->isVisible());
}

TEST_F(CatalogueListTest, RightPressOffTheBoxOffersSaveFiles)
{
    QSignalSpy save(&c.list, &CatalogueList::saveRequested);
    CatalogueControls::Press(c.list, Qt::RightButton, c.RowLabel(c.list, 0));
    ASSERT_TRUE(c.list.ContextMenu()->isVisible());
    c.list.ContextMenu()->actions()[0]->trigger();
    c.list.ContextMenu()->close();
    EXPECT_EQ(save.count(), 1);
    EXPECT_TRUE(Ticked(0));
}

TEST_F(CatalogueListTest, TheMenuTicksAndUnticksExactlyTheRowsShown)
{
    c.listModel.SetFilter(RowFilterSettings{"two", false, {}});
    const auto choose = [&](const QString& text) {
        CatalogueControls::Press(c.list, Qt::RightButton, c.RowLabel(c.list, 0));
        ASSERT_TRUE(c.list.ContextMenu()->isVisible());
        for (QAction* action : c.list.ContextMenu()->actions()) {
            if (action->text() == text)
                action->trigger();
        }
        c.list.ContextMenu()->close();
    };
    choose("Untick shown rows");
    EXPECT_TRUE(Ticked(0));
    EXPECT_FALSE(Ticked(1));
    c.listModel.SetFilter(RowFilterSettings{"one", false, {}});
    choose("Untick shown rows");
    c.listModel.SetFilter(RowFilterSettings{"two", false, {}});
    choose("Tick shown rows");
    EXPECT_FALSE(Ticked(0));
    EXPECT_TRUE(Ticked(1));
}

// A tick changed here rolls up into the tree and shows in the contents list
// at once, also while a scan runs (no refusal in this list); a press on the
// box of a selected row acts on the whole selection.
TEST_F(CatalogueListTest, ATickChangedHereReachesTheTreeAndTheContentsList)
{
    struct Step {
        std::vector<int> selected; // rows selected before the press
        int box;                   // the row whose box is pressed
        CheckState folder, root;
        std::string contents; // the boxes of the contents list's rows after ".."
    };
    const Step steps[] = {
        {{}, 0, CheckState::Partial, CheckState::Partial, "UC"},
        {{}, 1, CheckState::Unchecked, CheckState::Unchecked, "UU"},
        {{0, 1}, 1, CheckState::Checked, CheckState::Checked, "CC"},
        {{0, 1}, 0, CheckState::Unchecked, CheckState::Unchecked, "UU"},
    };
    c.tree.SelectNode(c.Node({"BKF", "S", "A"}));
    SetCatalogueScanRunning(c.tree, c.contents, true);
    for (const Step& step : steps) {
        SCOPED_TRACE(&step - steps);
        c.list.clearSelection();
        for (int row : step.selected)
            c.list.selectionModel()->select(c.list.model()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        CatalogueControls::Press(c.list, Qt::LeftButton, c.RowBox(c.list, step.box));
        EXPECT_EQ(c.State({"BKF", "S", "A"}), step.folder);
        EXPECT_EQ(c.State({"BKF"}), step.root);
        std::string contents;
        for (const std::string& row : c.ContentsRows())
            contents += row.back();
        EXPECT_EQ(contents, "^" + step.contents);
        EXPECT_EQ(c.list.selectionModel()->selectedRows().size(), std::max<qsizetype>(step.selected.size(), 1))
            << "the press keeps the selection";
    }
    EXPECT_TRUE(c.messages.shown.empty());
}

} // namespace
