// SPDX-License-Identifier: GPL-3.0-or-later
// FolderTreeModel: building from catalogue paths, item paths and folder keys,
// which rows lie under a node, the derived check states, and the model
// signals a view relies on.

#include "catalogue_store.h"
#include "folder_chain.h"
#include "folder_tree.h"
#include "folder_tree_model.h"
#include "surface_ink.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

class FolderTreeTest : public ::testing::Test {
protected:
    // The chain of texts from the top level down, or null where it breaks.
    FolderNode* Node(std::initializer_list<std::string_view> chain) const { return NodeAt(tree, chain); }

    std::vector<std::string> Children(const FolderNode* node) const
    {
        std::vector<std::string> texts;
        const std::size_t count = node != nullptr ? node->ChildCount() : tree.TopLevelCount();
        for (std::size_t row = 0; row < count; ++row)
            texts.push_back((node != nullptr ? node->Child(row) : tree.TopLevelNode(row))->Text());
        return texts;
    }

    std::size_t AddRow(std::string_view path, bool ticked = true)
    {
        const std::size_t row = store.Append(CatalogueRow{path, true, 1, 0});
        store.SetTicked(row, ticked);
        return row;
    }

    // A file row plus the tree path the scan hands over for it.
    std::size_t AddFile(std::string_view path, bool ticked = true)
    {
        tree.AddPath(path);
        return AddRow(path, ticked);
    }

    // The membership rule as plain text: a prefix test on every row.
    std::vector<std::size_t> RowsByPrefix(const std::string& key) const
    {
        std::vector<std::size_t> rows;
        for (std::size_t row = 0; row < store.RowCount(); ++row) {
            if (store.Path(row).substr(0, key.size()) == key)
                rows.push_back(row);
        }
        return rows;
    }

    FolderNode* DeepestNode() const
    {
        FolderNode* node = tree.TopLevelNode(0);
        while (node != nullptr && node->ChildCount() > 0)
            node = node->Child(0);
        return node;
    }

    std::vector<FolderNode*> AllNodes() const
    {
        std::vector<FolderNode*> nodes;
        for (std::size_t row = 0; row < tree.TopLevelCount(); ++row)
            nodes.push_back(tree.TopLevelNode(row));
        for (std::size_t at = 0; at < nodes.size(); ++at) {
            for (std::size_t row = 0; row < nodes[at]->ChildCount(); ++row)
                nodes.push_back(nodes[at]->Child(row));
        }
        return nodes;
    }

    CatalogueStore store;
    FolderTreeModel tree{store};
    QAbstractItemModelTester tester{&tree, QAbstractItemModelTester::FailureReportingMode::Warning};
    FolderTree view{tree}; // expansion and selection live in the view
};

// --- Building -------------------------------------------------------------------------

TEST_F(FolderTreeTest, FileAtTheRootOfASetAddsOnlyTheRootAndTheSet)
{
    tree.AddPath(R"(BKF\BACKUP SET 1(_Daily)\readme.txt)");

    EXPECT_EQ(tree.NodeCount(), 2u);
    EXPECT_EQ(Children(nullptr), std::vector<std::string>{"BKF"});
    EXPECT_EQ(Children(Node({"BKF"})), std::vector<std::string>{"BACKUP SET 1(_Daily)"});
    EXPECT_TRUE(Children(Node({"BKF", "BACKUP SET 1(_Daily)"})).empty());
}

TEST_F(FolderTreeTest, FolderPathAndCataloguePathAddTheSameChainAndExpandIt)
{
    tree.AddPath(R"(BKF\BACKUP SET 1(_Daily)\WINDOWS\)");
    tree.AddPath(R"(BKF\BACKUP SET 1(_Daily)\WINDOWS\system32\notepad.exe)");

    EXPECT_EQ(tree.NodeCount(), 4u);
    const FolderNode* system32 = Node({"BKF", "BACKUP SET 1(_Daily)", "WINDOWS", "system32"});
    ASSERT_NE(system32, nullptr);
    // Every folder of the chain that holds one is open; the last holds none.
    for (const FolderNode* node = system32->Parent(); node != nullptr; node = node->Parent())
        EXPECT_TRUE(view.isExpanded(tree.IndexOf(node))) << node->Text();
}

TEST_F(FolderTreeTest, ConsecutiveBackslashesGiveANodeWithEmptyText)
{
    tree.AddPath(R"(BKF\S\\x.txt)");
    tree.AddPath(R"(BKF\S\\y.txt)");

    EXPECT_EQ(Children(Node({"BKF", "S"})), std::vector<std::string>{""});
    const FolderNode* empty = Node({"BKF", "S", ""});
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(tree.GetItemPath(empty), "S\\\\");
    EXPECT_EQ(tree.NodeCount(), 3u);
}

TEST_F(FolderTreeTest, TextsAreComparedCaseSensitivelyAndRepeatsAddNothing)
{
    tree.AddPath(R"(BKF\S\Data\)");
    tree.AddPath(R"(BKF\S\DATA\)");
    QSignalSpy inserted(&tree, &QAbstractItemModel::rowsInserted);
    tree.AddPath(R"(BKF\S\Data\)");
    tree.AddPath(R"(BKF\S\DATA\file)");

    EXPECT_EQ(Children(Node({"BKF", "S"})), (std::vector<std::string>{"Data", "DATA"}));
    EXPECT_EQ(inserted.count(), 0);
}

TEST_F(FolderTreeTest, ChildrenKeepTheOrderOfFirstAppearance)
{
    for (const char* path : {R"(BKF\S\zeta\)", R"(BKF\S\Alpha\)", R"(BKF\S\mid\x)", R"(BKF\S\Alpha\)",
                             R"(BKF\S\beta\)"})
        tree.AddPath(path);

    EXPECT_EQ(Children(Node({"BKF", "S"})), (std::vector<std::string>{"zeta", "Alpha", "mid", "beta"}));
}

// Large folders switch to a hash index; order and lookups must not change.
TEST_F(FolderTreeTest, ManySiblingsKeepFirstAppearanceOrderAndAreFoundAgain)
{
    std::vector<std::string> names;
    for (int i = 0; i < 3000; ++i)
        names.push_back((i % 2 != 0 ? "dir" : "DIR") + std::to_string((i * 7919) % 3000));
    std::vector<std::string> paths;
    for (const std::string& name : names)
        paths.push_back("BKF\\S\\" + name + "\\");
    tree.ApplyPaths(paths);
    const std::size_t nodes = tree.NodeCount();
    std::vector<std::string> again = names;
    std::shuffle(again.begin(), again.end(), std::mt19937(7));
    for (const std::string& name : again)
        tree.AddPath("BKF\\S\\" + name + "\\f.txt");

    EXPECT_EQ(tree.NodeCount(), nodes);
    EXPECT_EQ(Children(Node({"BKF", "S"})), names);
    for (const std::string& name : names) {
        const FolderNode* node = Node({"BKF", "S", name});
        ASSERT_NE(node, nullptr) << name;
        EXPECT_EQ(node->Text(), name);
    }
    EXPECT_EQ(Node({"BKF", "S", "Dir1"}), nullptr);
}

TEST_F(FolderTreeTest, PathsWithoutABackslashAddNothing)
{
    tree.AddPath("");
    tree.AddPath("readme.txt");
    EXPECT_EQ(tree.NodeCount(), 0u);

    tree.AddPath(R"(\x)");
    EXPECT_EQ(Children(nullptr), std::vector<std::string>{""});
}

// Regression guard: tearing down a very deep chain used to be a recursion per level.
TEST_F(FolderTreeTest, VeryDeepPathsAreAddedAndDeletedWithoutExhaustingTheStack)
{
    std::string path = "BKF\\";
    for (int level = 0; level < 200'000; ++level)
        path += "d\\";
    tree.ApplyPaths(std::vector<std::string>{path});
    EXPECT_EQ(tree.NodeCount(), 200'001u);
    EXPECT_EQ(tree.GetItemPath(DeepestNode()).size(), 400'000u);
    tree.Clear();
    EXPECT_EQ(tree.NodeCount(), 0u);
}

TEST_F(FolderTreeTest, EveryNodeShowsAnImageAndItsName)
{
    tree.AddPath(R"(BKF\S\D\)");
    const QModelIndex bkf = tree.IndexOf(Node({"BKF"}));
    const QModelIndex set = tree.IndexOf(Node({"BKF", "S"}));

    EXPECT_FALSE(tree.data(bkf, Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_FALSE(tree.data(set, Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_EQ(tree.data(set).toString(), QStringLiteral("S"));
}

// The expand arrows are drawn in the window text colour: on a painted
// surface, whose dark ink would vanish on a dark theme's field, the tree
// keeps the desktop's text colour for them.
TEST_F(FolderTreeTest, ArrowsTakeTheFieldsTextColourOnAPaintedSurface)
{
    QWidget surface;
    UseLightSurfaceInk(surface);
    view.setParent(&surface);
    EXPECT_EQ(view.palette().color(QPalette::WindowText), QApplication::palette().color(QPalette::Text));
    view.setParent(nullptr);
}

TEST_F(FolderTreeTest, NodeTextsAreShownAsUtf8)
{
    const std::string lodz = "\xc5\x81\xc3\xb3" "d\xc5\xba"; // "Łódź"
    tree.AddPath("BKF\\S\\" + lodz + "\\");
    EXPECT_EQ(tree.data(tree.IndexOf(Node({"BKF", "S", lodz}))).toString(), QString::fromUtf8(lodz.c_str()));
}

// --- Item paths and folder keys --------------------------------------------------------

TEST_F(FolderTreeTest, ItemPathLeavesOutTheTopLevelAndEndsEveryTextWithABackslash)
{
    tree.AddPath(R"(BKF\BACKUP SET 1(_Daily)\WINDOWS\system32\)");

    EXPECT_EQ(tree.GetItemPath(nullptr), "");
    EXPECT_EQ(tree.GetItemPath(Node({"BKF"})), "");
    EXPECT_EQ(tree.GetItemPath(Node({"BKF", "BACKUP SET 1(_Daily)"})), "BACKUP SET 1(_Daily)\\");
    EXPECT_EQ(tree.GetItemPath(Node({"BKF", "BACKUP SET 1(_Daily)", "WINDOWS"})), R"(BACKUP SET 1(_Daily)\WINDOWS\)");
    EXPECT_EQ(tree.GetFolderKey(Node({"BKF"})), "BKF\\");
    EXPECT_EQ(tree.GetFolderKey(Node({"BKF", "BACKUP SET 1(_Daily)", "WINDOWS", "system32"})),
              R"(BKF\BACKUP SET 1(_Daily)\WINDOWS\system32\)");
}

// --- Rows under a node -----------------------------------------------------------------

TEST_F(FolderTreeTest, MembershipIsAPrefixTestOnWholeFolderNames)
{
    const std::size_t inA = AddFile(R"(BKF\S\A\one.txt)");
    const std::size_t inADeep = AddFile(R"(BKF\S\A\sub\two.txt)");
    AddFile(R"(BKF\S\AB\three.txt)");
    AddFile(R"(BKF\S\DATA\four.txt)");
    AddFile(R"(BKF\S\DATA\A\five.txt)");
    AddFile(R"(BKF\S\A.txt)");

    EXPECT_EQ(tree.RowsUnder(Node({"BKF", "S", "A"})), (std::vector<std::size_t>{inA, inADeep}));
    EXPECT_EQ(tree.RowsIn(Node({"BKF", "S", "A"})), std::vector<std::size_t>{inA});
    EXPECT_EQ(tree.RowsUnder(Node({"BKF"})).size(), store.RowCount());
    EXPECT_TRUE(tree.RowsIn(Node({"BKF"})).empty());
}

// Rows may reach the store before or after the tree sees their folder, and
// some never get a folder at all: every node must still hold exactly the
// rows that the prefix test gives.
TEST_F(FolderTreeTest, RowsUnderEveryNodeEqualThePrefixTestWhateverTheOrder)
{
    const std::vector<std::string> folders = {"BKF\\S0\\", "BKF\\S0\\A\\", "BKF\\S0\\AB\\", "BKF\\S0\\A\\\\",
                                              "BKF\\S1()\\data\\", "BKF\\S1()\\DATA\\x\\", "bkf\\S0\\A\\",
                                              "XYZ\\S0\\A\\"};
    std::mt19937 random(42);
    auto pick = [&](std::size_t count) { return std::uniform_int_distribution<std::size_t>(0, count - 1)(random); };
    for (int round = 0; round < 600; ++round) {
        const std::string path = folders[pick(folders.size())] + "f" + std::to_string(round);
        switch (pick(4)) {
        case 0: AddFile(path); break;                           // folder first, as a scan does
        case 1: AddRow(path); tree.AddPath(path); break;        // row first
        case 2: AddRow(path); break;                            // folder never handed over
        default: AddRow(path); tree.RowsUnder(Node({"BKF"})); tree.AddPath(path); break; // linked before its folder
        }
    }
    AddRow("BKF");
    AddRow("elsewhere\\f");

    for (const FolderNode* node : AllNodes()) {
        EXPECT_EQ(tree.RowsUnder(node), RowsByPrefix(tree.GetFolderKey(node))) << tree.GetFolderKey(node);
        std::vector<std::size_t> direct;
        const std::string key = tree.GetFolderKey(node);
        for (std::size_t row : RowsByPrefix(key)) {
            if (store.Path(row).find('\\', key.size()) == std::string_view::npos)
                direct.push_back(row);
        }
        EXPECT_EQ(tree.RowsIn(node), direct) << key;
    }
}

// --- Ticks and check states ------------------------------------------------------------

TEST_F(FolderTreeTest, SetFilesUnderTicksExactlyTheRowsUnderTheNodeWithOneSignal)
{
    const std::size_t before = AddFile(R"(BKF\S\A\one)", false);
    AddFile(R"(BKF\S\AB\two)", false);
    const std::size_t deep = AddFile(R"(BKF\S\A\x\three)", false);
    AddFile(R"(BKF\T\A\four)", false);
    QSignalSpy ticks(&tree, &FolderTreeModel::ticksChanged);

    tree.SetFilesUnder(Node({"BKF", "S", "A"}), true);

    EXPECT_EQ(store.TickedCount(), 2u);
    EXPECT_TRUE(store.IsTicked(before));
    EXPECT_TRUE(store.IsTicked(deep));
    ASSERT_EQ(ticks.count(), 1);
    EXPECT_EQ(ticks.at(0).at(0).toInt(), static_cast<int>(before));
    EXPECT_EQ(ticks.at(0).at(1).toInt(), static_cast<int>(deep));

    tree.SetFilesUnder(Node({"BKF"}), false);
    EXPECT_EQ(store.TickedCount(), 0u);
}

TEST_F(FolderTreeTest, AncestorWithEveryRowTickedIsCheckedEvenBesideAnEmptySubfolder)
{
    AddFile(R"(BKF\S\full\a)");
    tree.AddPath(R"(BKF\S\empty\)");
    FolderNode* empty = Node({"BKF", "S", "empty"});

    tree.UpdateAncestors(empty);

    EXPECT_EQ(tree.GetCheckState(Node({"BKF", "S"})), CheckState::Checked);
    EXPECT_EQ(tree.GetCheckState(Node({"BKF"})), CheckState::Checked);
    EXPECT_EQ(tree.GetCheckState(empty), CheckState::Unchecked) << "the node itself is not recomputed";
}

TEST_F(FolderTreeTest, AncestorsWithoutAnyRowBecomeChecked)
{
    tree.AddPath(R"(BKF\S\A\B\)");
    tree.UpdateAncestors(Node({"BKF", "S", "A", "B"}));

    EXPECT_EQ(tree.GetCheckState(Node({"BKF", "S", "A"})), CheckState::Checked);
    EXPECT_EQ(tree.GetCheckState(Node({"BKF", "S"})), CheckState::Checked);
    EXPECT_EQ(tree.GetCheckState(Node({"BKF"})), CheckState::Checked);
}

TEST_F(FolderTreeTest, UntickingOneOfTwoFileFoldersMakesParentAndRootPartialAndTickingRestoresThem)
{
    AddFile(R"(BKF\S\P\one\a)");
    AddFile(R"(BKF\S\P\two\b)");
    AddFile(R"(BKF\T\c)");
    FolderNode* one = Node({"BKF", "S", "P", "one"});

    tree.SetFilesUnder(one, false);
    tree.UpdateAncestors(one);
    EXPECT_EQ(tree.GetCheckState(Node({"BKF", "S", "P"})), CheckState::Partial);
    EXPECT_EQ(tree.GetCheckState(Node({"BKF", "S"})), CheckState::Partial);
    EXPECT_EQ(tree.GetCheckState(Node({"BKF"})), CheckState::Partial);

    tree.SetFilesUnder(one, true);
    tree.UpdateAncestors(one);
    EXPECT_EQ(tree.GetCheckState(Node({"BKF", "S", "P"})), CheckState::Checked);
    EXPECT_EQ(tree.GetCheckState(Node({"BKF", "S"})), CheckState::Checked);
    EXPECT_EQ(tree.GetCheckState(Node({"BKF"})), CheckState::Checked);
}

TEST_F(FolderTreeTest, AncestorsFollowTheTicksLevelByLevel)
{
    AddFile(R"(BKF\S\A\B\deep)", false);
    AddFile(R"(BKF\S\A\side)", true);
    AddFile(R"(BKF\S\other)", true);
    AddFile(R"(BKF\T\elsewhere)", false);

    tree.UpdateAncestors(Node({"BKF", "S", "A", "B"}));

    EXPECT_EQ(tree.GetCheckState(Node({"BKF", "S", "A"})), CheckState::Partial);
    EXPECT_EQ(tree.GetCheckState(Node({"BKF", "S"})), CheckState::Partial);
    EXPECT_EQ(tree.GetCheckState(Node({"BKF"})), CheckState::Partial);

    tree.SetFilesUnder(Node({"BKF", "S"}), false);
    tree.UpdateAncestors(Node({"BKF", "S", "A", "B"}));
    EXPECT_EQ(tree.GetCheckState(Node({"BKF", "S", "A"})), CheckState::Unchecked);
    EXPECT_EQ(tree.GetCheckState(Node({"BKF", "S"})), CheckState::Unchecked);
    EXPECT_EQ(tree.GetCheckState(Node({"BKF"})), CheckState::Unchecked);
}

// Ancestors are recomputed from every row under them, not only the rows that
// the last change touched: rows beside the node decide too.
TEST_F(FolderTreeTest, AncestorStatesCountRowsOutsideTheChangedBranch)
{
    AddFile(R"(BKF\S\A\a)", true);
    AddFile(R"(BKF\S\own)", false);
    tree.UpdateAncestors(Node({"BKF", "S", "A"}));
    EXPECT_EQ(tree.GetCheckState(Node({"BKF", "S"})), CheckState::Partial);

    AddRow(R"(BKF\T\loose\x)", false); // its folder was never handed to the tree
    store.SetTicked(1, true);
    tree.UpdateAncestors(Node({"BKF", "S", "A"}));
    EXPECT_EQ(tree.GetCheckState(Node({"BKF", "S"})), CheckState::Checked);
    EXPECT_EQ(tree.GetCheckState(Node({"BKF"})), CheckState::Partial);
}

TEST_F(FolderTreeTest, SetCheckStateChangesOnlyTheBox)
{
    tree.AddPath(R"(BKF\S\)");
    FolderNode* set = Node({"BKF", "S"});
    QSignalSpy changed(&tree, &QAbstractItemModel::dataChanged);

    tree.SetCheckState(set, CheckState::Partial);

    EXPECT_EQ(tree.GetCheckState(set), CheckState::Partial);
    EXPECT_EQ(tree.data(tree.IndexOf(set), Qt::CheckStateRole).toInt(), Qt::PartiallyChecked);
    EXPECT_TRUE(view.isExpanded(tree.IndexOf(Node({"BKF"}))));
    EXPECT_EQ(tree.GetCheckState(Node({"BKF"})), CheckState::Unchecked);
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(FolderTreeTest, SetSubtreeStateSetsTheNodeAndEverythingBelowWithOneSignalPerFolder)
{
    for (int i = 0; i < 50; ++i)
        tree.AddPath("BKF\\S\\A\\" + std::to_string(i) + "\\x\\");
    tree.AddPath(R"(BKF\S\B\)");
    FolderNode* a = Node({"BKF", "S", "A"});
    QSignalSpy changed(&tree, &QAbstractItemModel::dataChanged);

    tree.SetSubtreeState(a, CheckState::Checked);

    for (const FolderNode* node : AllNodes()) {
        bool inA = false;
        for (const FolderNode* each = node; each != nullptr; each = each->Parent())
            inA = inA || each == a;
        EXPECT_EQ(tree.GetCheckState(node), inA ? CheckState::Checked : CheckState::Unchecked)
            << tree.GetFolderKey(node);
    }
    // A itself, then one range per folder that has children: A and its 50 children.
    EXPECT_EQ(changed.count(), 1 + 1 + 50);
}

TEST_F(FolderTreeTest, CheckingANodeThroughTheModelTicksItsRowsAndRecomputesItsAncestors)
{
    const std::size_t a = AddFile(R"(BKF\S\A\x\a)", false);
    AddFile(R"(BKF\S\B\b)", false);
    QSignalSpy ticks(&tree, &FolderTreeModel::ticksChanged);

    EXPECT_TRUE(tree.setData(tree.IndexOf(Node({"BKF", "S", "A"})), Qt::Checked, Qt::CheckStateRole));

    EXPECT_TRUE(store.IsTicked(a));
    EXPECT_EQ(store.TickedCount(), 1u);
    EXPECT_EQ(tree.GetCheckState(Node({"BKF", "S", "A", "x"})), CheckState::Checked);
    EXPECT_EQ(tree.GetCheckState(Node({"BKF", "S"})), CheckState::Partial);
    EXPECT_EQ(ticks.count(), 1);
    EXPECT_FALSE(tree.setData(tree.IndexOf(Node({"BKF", "S"})), Qt::PartiallyChecked, Qt::CheckStateRole));
}

TEST_F(FolderTreeTest, CheckAllCollapsedChecksEverythingAndLeavesOnlyTheFirstTopLevelOpen)
{
    tree.AddPath(R"(BKF\S\A\B\)");
    tree.AddPath(R"(BKF\T\)");
    tree.AddPath(R"(Other\U\)");
    AddRow(R"(BKF\L\f)"); // a folder no path named (its block was lost)
    tree.SetCheckState(Node({"BKF", "S"}), CheckState::Partial);

    tree.CheckAllCollapsed();

    ASSERT_TRUE(tree.IndexOf(Node({"BKF", "L"})).isValid()) << "shown at the end of the scan";
    for (const FolderNode* node : AllNodes()) {
        EXPECT_EQ(tree.GetCheckState(node), CheckState::Checked) << node->Text();
        EXPECT_EQ(view.isExpanded(tree.IndexOf(node)), node == Node({"BKF"})) << node->Text();
    }
}

TEST_F(FolderTreeTest, ClearEmptiesTheTreeAndForgetsTheSelection)
{
    AddFile(R"(BKF\S\a)");
    view.SelectNode(Node({"BKF", "S"}));
    QSignalSpy reset(&tree, &QAbstractItemModel::modelReset);

    tree.Clear();
    store.Clear();
    AddFile(R"(BKF\T\b)");

    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(view.SelectedNode(), nullptr);
    EXPECT_EQ(tree.NodeCount(), 2u);
    EXPECT_EQ(tree.RowsUnder(Node({"BKF", "T"})), std::vector<std::size_t>{0});
}

// --- Batches ---------------------------------------------------------------------------

TEST_F(FolderTreeTest, BatchAnnouncesNewNodesAtItsEndOncePerFolder)
{
    tree.AddPath(R"(BKF\S\old\)");
    QSignalSpy inserted(&tree, &QAbstractItemModel::rowsInserted);

    tree.BeginBatch();
    tree.AddPath(R"(BKF\S\new1\deep\deeper\)");
    tree.AddPath(R"(BKF\S\new2\)");
    tree.AddPath(R"(BKF\S\old\child\)");
    tree.AddPath(R"(BKF\T\)");
    EXPECT_EQ(inserted.count(), 0);
    EXPECT_EQ(tree.rowCount(tree.IndexOf(Node({"BKF", "S"}))), 1) << "views see the old tree until the end";
    EXPECT_FALSE(tree.IndexOf(Node({"BKF", "S", "new1"})).isValid());
    tree.EndBatch();

    // S gained new1 and new2 in one range, old gained child, BKF gained T.
    EXPECT_EQ(inserted.count(), 3);
    const QModelIndex deeper = tree.IndexOf(Node({"BKF", "S", "new1", "deep", "deeper"}));
    ASSERT_TRUE(deeper.isValid());
    EXPECT_EQ(tree.data(deeper).toString(), QStringLiteral("deeper"));
    EXPECT_EQ(tree.rowCount(tree.IndexOf(Node({"BKF", "S"}))), 3);
}

TEST_F(FolderTreeTest, NestedBatchesAnnounceAtTheOutermostEnd)
{
    QSignalSpy inserted(&tree, &QAbstractItemModel::rowsInserted);
    tree.BeginBatch();
    tree.ApplyPaths(std::vector<std::string_view>{R"(BKF\S\a\)", R"(BKF\S\b\)"});
    EXPECT_EQ(inserted.count(), 0);
    tree.EndBatch();
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(tree.rowCount(), 1);
}

TEST_F(FolderTreeTest, BatchesOfAGrowingTreeKeepTheModelConsistent)
{
    std::mt19937 random(3);
    for (int batch = 0; batch < 40; ++batch) {
        std::vector<std::string> paths;
        for (int i = 0; i < 25; ++i) {
            std::string path = "BKF\\S" + std::to_string(random() % 3) + "\\";
            const int depth = static_cast<int>(random() % 5);
            for (int level = 0; level < depth; ++level)
                path += "d" + std::to_string(random() % 4) + "\\";
            paths.push_back(path + "f");
        }
        tree.ApplyPaths(paths);
    }
    // The model shows every node once the batches are over.
    std::size_t shown = 0;
    std::vector<QModelIndex> pending{QModelIndex()};
    while (!pending.empty()) {
        const QModelIndex parent = pending.back();
        pending.pop_back();
        for (int row = 0; row < tree.rowCount(parent); ++row) {
            ++shown;
            pending.push_back(tree.index(row, 0, parent));
        }
    }
    EXPECT_EQ(shown, tree.NodeCount());
}

// A folder of many subfolders shows new ones in doubling steps while batches
// come (each announcement lays out an open view again), never fewer than half
// of them; the end of the scan shows every one.
TEST_F(FolderTreeTest, ManySubfoldersAreShownInDoublingStepsAndAllAtTheEnd)
{
    constexpr int kBatches = 60;
    constexpr int kPerBatch = 100;
    int announcements = 0;
    QObject::connect(&tree, &QAbstractItemModel::rowsInserted, [&](const QModelIndex& parent) {
        announcements += tree.NodeAt(parent) == Node({"BKF", "S"}) ? 1 : 0;
    });
    for (int batch = 0; batch < kBatches; ++batch) {
        std::vector<std::string> paths;
        for (int i = 0; i < kPerBatch; ++i)
            paths.push_back("BKF\\S\\d" + std::to_string(batch * kPerBatch + i) + "\\f");
        tree.ApplyPaths(paths);
        const int added = (batch + 1) * kPerBatch;
        const int shown = tree.rowCount(tree.IndexOf(Node({"BKF", "S"})));
        EXPECT_TRUE(shown == added || (shown >= 1024 && shown * 2 > added)) << added << " added, " << shown;
    }
    EXPECT_LT(announcements, kBatches / 2);
    tree.CheckAllCollapsed();
    EXPECT_EQ(tree.rowCount(tree.IndexOf(Node({"BKF", "S"}))), kBatches * kPerBatch);
}

// Children past the linear-search threshold are found through the hash index,
// across every growth of its table; texts that only share a prefix stay apart.
TEST(FolderNodeTest, FindsEachOfManyChildrenAndNoOther)
{
    FolderNode root;
    for (int i = 0; i < 5000; ++i)
        root.AppendChild("d" + std::to_string(i));
    for (int i = 0; i < 5000; i += 7) {
        const FolderNode* found = root.FindChild("d" + std::to_string(i));
        ASSERT_NE(found, nullptr) << i;
        EXPECT_EQ(found->Row(), static_cast<std::size_t>(i));
    }
    EXPECT_EQ(root.FindChild("d5000"), nullptr);
    EXPECT_EQ(root.FindChild("d"), nullptr);
    EXPECT_EQ(root.FindChild(""), nullptr);
}

} // namespace
