// SPDX-License-Identifier: GPL-3.0-or-later
// CatalogueListModel: the six columns, the tick on column 0, and the
// batch signals that keep a million-row list cheap to fill and to tick.

#include "catalogue_list_model.h"
#include "catalogue_store.h"
#include "surface_ink.h"

#include <QAbstractItemModelTester>
#include <QColor>
#include <QLocale>
#include <QMimeDatabase>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace {

class CatalogueListModelTest : public ::testing::Test {
protected:
    QString Cell(int row, int column, int role = Qt::DisplayRole) const
    {
        return list.data(list.index(row, column), role).toString();
    }

    CatalogueStore store;
    CatalogueListModel list{store};
    QAbstractItemModelTester tester{&list, QAbstractItemModelTester::FailureReportingMode::Warning};
};

TEST_F(CatalogueListModelTest, HasSixColumnsWithTheOffsetColumnUntitled)
{
    const QStringList titles = {"File Name", "File Type", "File Size", "", "Modified", "Status"};
    ASSERT_EQ(list.columnCount(), titles.size());
    for (int column = 0; column < titles.size(); ++column)
        EXPECT_EQ(list.headerData(column, Qt::Horizontal).toString(), titles[column]);
}

TEST_F(CatalogueListModelTest, ShowsSizesInHumanUnitsWithTheExactBytesAsTooltip)
{
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    list.AppendRows([](CatalogueStore& rows) {
        rows.Append(CatalogueRow{R"(BKF\BACKUP SET 1(_Daily)\WINDOWS\notepad.exe)", true, 68608, 1234567});
        rows.Append(CatalogueRow{R"(BKF\BACKUP SET 0\big.vhd)", true, 5'000'000'000ull, kMax});
        rows.Append(CatalogueRow{R"(BKF\BACKUP SET 0\empty.txt)", true, 0, 0});
    });
    const struct {
        int row;
        const char* size;
        std::uint64_t bytes;
        const char* offset;
    } cases[] = {{0, "67.0 KiB", 68608, "1234567"}, {1, "4.7 GiB", 5'000'000'000ull, "18446744073709551615"},
                 {2, "0 B", 0, "0"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        EXPECT_EQ(Cell(c.row, 2), QString(c.size));
        EXPECT_EQ(Cell(c.row, 2, Qt::ToolTipRole), QLocale().toString(qulonglong(c.bytes)) + " bytes");
        EXPECT_EQ(list.data(list.index(c.row, 2), Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));
        EXPECT_EQ(Cell(c.row, 3), QString(c.offset));
    }
    EXPECT_EQ(Cell(0, 0), QStringLiteral(R"(BKF\BACKUP SET 1(_Daily)\WINDOWS\notepad.exe)"));
}

TEST_F(CatalogueListModelTest, RowWithoutADataLocationHasEmptySizeAndOffset)
{
    list.AppendRows([](CatalogueStore& rows) { rows.Append(CatalogueRow{R"(BKF\S\lost.doc)", false, 77, 99}); });

    EXPECT_EQ(Cell(0, 0), QStringLiteral(R"(BKF\S\lost.doc)"));
    EXPECT_TRUE(Cell(0, 2).isEmpty());
    EXPECT_TRUE(Cell(0, 2, Qt::ToolTipRole).isEmpty());
    EXPECT_TRUE(Cell(0, 3).isEmpty());
}

TEST_F(CatalogueListModelTest, NamesAreShownAsUtf8)
{
    list.AppendRows([](CatalogueStore& rows) { rows.Append(CatalogueRow{"BKF\\S\\\xd0\x96.txt", true, 1, 2}); });
    EXPECT_EQ(Cell(0, 0), QString::fromUtf8("BKF\\S\\\xd0\x96.txt"));
}

TEST_F(CatalogueListModelTest, FileTypeIsLookedUpWhenShownAndOncePerExtension)
{
    list.AppendRows([](CatalogueStore& rows) {
        for (int i = 0; i < 60; ++i)
            rows.Append(CatalogueRow{"BKF\\S\\n" + std::to_string(i) + ".e" + std::to_string(i % 30), true, 1, 1});
        for (int i = 0; i < 100; ++i)
            rows.Append(CatalogueRow{"BKF\\S\\t" + std::to_string(i) + (i % 2 != 0 ? ".txt" : ".TXT"), true, 1, 1});
        rows.Append(CatalogueRow{R"(BKF\S\Makefile)", true, 1, 1});
    });
    // Appending looks nothing up; only the first row may have been shown (by the tester).
    EXPECT_LE(list.FileInfo().CachedExtensionCount(), 1u);

    const QString plainText = QMimeDatabase().mimeTypeForName(QStringLiteral("text/plain")).comment();
    for (int row = 60; row < 160; ++row)
        EXPECT_EQ(Cell(row, 1), plainText) << row;
    EXPECT_EQ(Cell(160, 1), QStringLiteral("File"));
    EXPECT_LE(list.FileInfo().CachedExtensionCount(), 3u);
    for (int row = 0; row < 60; ++row)
        EXPECT_FALSE(Cell(row, 1).isEmpty());
    EXPECT_EQ(list.FileInfo().CachedExtensionCount(), 32u);
}

TEST_F(CatalogueListModelTest, TickIsTheCheckBoxOfTheFirstColumnOnly)
{
    list.AppendRows([](CatalogueStore& rows) {
        rows.Append(CatalogueRow{R"(BKF\S\a)", true, 1, 1});
        rows.Append(CatalogueRow{R"(BKF\S\b)", true, 1, 1});
    });
    store.SetTicked(1, true);

    EXPECT_EQ(list.data(list.index(0, 0), Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_EQ(list.data(list.index(1, 0), Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_FALSE(list.data(list.index(1, 2), Qt::CheckStateRole).isValid());
    EXPECT_TRUE(list.flags(list.index(0, 0)).testFlag(Qt::ItemIsUserCheckable));
    EXPECT_FALSE(list.flags(list.index(0, 1)).testFlag(Qt::ItemIsUserCheckable));
}

TEST_F(CatalogueListModelTest, SettingTheCheckBoxTicksTheRowAndRepaintsItOnce)
{
    list.AppendRows([](CatalogueStore& rows) { rows.Append(CatalogueRow{R"(BKF\S\a)", true, 1, 1}); });
    QSignalSpy changed(&list, &QAbstractItemModel::dataChanged);

    EXPECT_TRUE(list.setData(list.index(0, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(store.IsTicked(0));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(list.setData(list.index(0, 0), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_FALSE(store.IsTicked(0));

    EXPECT_FALSE(list.setData(list.index(0, 0), Qt::PartiallyChecked, Qt::CheckStateRole));
    EXPECT_FALSE(list.setData(list.index(0, 1), Qt::Checked, Qt::CheckStateRole));
    EXPECT_FALSE(list.setData(list.index(0, 0), QStringLiteral("renamed"), Qt::EditRole));
    EXPECT_FALSE(store.IsTicked(0));
}

TEST_F(CatalogueListModelTest, TickedRowsAreDrawnRedOnRose)
{
    list.AppendRows([](CatalogueStore& rows) {
        rows.Append(CatalogueRow{R"(BKF\S\a)", true, 1, 1});
        rows.Append(CatalogueRow{R"(BKF\S\b)", true, 1, 1});
    });
    store.SetTicked(0, true);

    for (int column = 0; column < 4; ++column) {
        EXPECT_EQ(list.data(list.index(0, column), Qt::ForegroundRole).value<QColor>(), WarningRed());
        EXPECT_EQ(list.data(list.index(0, column), Qt::BackgroundRole).value<QColor>(), QColor(248, 233, 243));
        EXPECT_FALSE(list.data(list.index(1, column), Qt::ForegroundRole).isValid());
    }
}

// --- Batch signals ---------------------------------------------------------------------

TEST_F(CatalogueListModelTest, RowsAppendedToTheStoreAreAnnouncedInOneInsertion)
{
    QSignalSpy inserted(&list, &QAbstractItemModel::rowsInserted);
    store.Append(CatalogueRow{R"(BKF\S\first)", true, 1, 1});
    list.AppendRows();
    EXPECT_EQ(list.rowCount(), 1);

    for (int i = 0; i < 1000; ++i)
        store.Append(CatalogueRow{"BKF\\S\\f" + std::to_string(i), true, 1, 1});
    EXPECT_EQ(list.rowCount(), 1) << "views see the rows only once announced";
    list.AppendRows();
    list.AppendRows(); // nothing new

    ASSERT_EQ(inserted.count(), 2);
    EXPECT_EQ(inserted.at(1).at(1).toInt(), 1);
    EXPECT_EQ(inserted.at(1).at(2).toInt(), 1000);
    EXPECT_EQ(list.rowCount(), 1001);
}

TEST_F(CatalogueListModelTest, ResetRereadsTheStoreAfterItWasEmptied)
{
    list.AppendRows([](CatalogueStore& rows) { rows.Append(CatalogueRow{R"(BKF\S\a)", true, 1, 1}); });
    QSignalSpy reset(&list, &QAbstractItemModel::modelReset);

    list.Reset([](CatalogueStore& rows) { rows.Clear(); });
    EXPECT_EQ(list.rowCount(), 0);

    // Emptied behind the model's back: the next announcement notices.
    list.AppendRows([](CatalogueStore& rows) { rows.Append(CatalogueRow{R"(BKF\S\b)", true, 1, 1}); });
    store.Clear();
    list.AppendRows();
    EXPECT_EQ(list.rowCount(), 0);
    EXPECT_EQ(reset.count(), 2);
}

TEST_F(CatalogueListModelTest, TickChangesThroughTheStoreCostOneRangedSignal)
{
    list.AppendRows([](CatalogueStore& rows) {
        for (int i = 0; i < 500; ++i)
            rows.Append(CatalogueRow{"BKF\\S\\f" + std::to_string(i), true, 1, 1});
    });
    QSignalSpy changed(&list, &QAbstractItemModel::dataChanged);

    list.SetAllTicked(true);
    EXPECT_EQ(store.TickedCount(), 500u);
    list.RefreshTicks(10, 20);
    list.RefreshTicks(-5, 10'000); // clipped to the rows shown
    list.RefreshTicks(30, 20);     // empty: nothing

    ASSERT_EQ(changed.count(), 3);
    EXPECT_EQ(changed.at(0).at(0).value<QModelIndex>().row(), 0);
    EXPECT_EQ(changed.at(0).at(1).value<QModelIndex>().row(), 499);
    EXPECT_EQ(changed.at(1).at(0).value<QModelIndex>().row(), 10);
    EXPECT_EQ(changed.at(1).at(1).value<QModelIndex>().row(), 20);
    EXPECT_EQ(changed.at(2).at(1).value<QModelIndex>().row(), 499);
}

} // namespace
