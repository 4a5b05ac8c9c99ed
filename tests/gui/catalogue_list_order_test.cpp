// SPDX-License-Identifier: GPL-3.0-or-later
// The found-files list's filter and sort: which rows a filter shows (a plain
// word, a pattern read as bkf-recover's --include reads it, the status and
// size filters), the orders a heading gives and the return to the scan's
// order, with ticks kept by catalogue row throughout.

#include "bkf_writer.h"
#include "catalogue_list_model.h"
#include "catalogue_store.h"
#include "row_filter.h"
#include "surface_ink.h"

#include <QAbstractItemModelTester>
#include <QDateTime>
#include <QFont>
#include <QLocale>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using Rows = std::vector<std::size_t>;
constexpr std::uint64_t kKiB = 1024;

class CatalogueListOrderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        list.AppendRows([](CatalogueStore& rows) {
            const auto add = [&rows](const char* path, bool located, std::uint64_t size, std::uint64_t date,
                                     RowStatus status) {
                CatalogueRow row{path, located, size, 0};
                row.modified = date;
                row.status = status;
                rows.Append(row);
            };
            add(R"(BKF\Set\Docs\Report.DOC)", true, 2 * kKiB * kKiB, BkfWriter::Date(2003, 9, 19), RowStatus::Verified);
            add(R"(BKF\Set\Docs\notes.txt)", true, 100, BkfWriter::Date(2001, 1, 1), RowStatus::ChecksumLost);
            add(R"(BKF\Set\Pics\holiday.jpg)", true, 5 * kKiB * kKiB, BkfWriter::Date(2010, 5, 5), RowStatus::Verified);
            add(R"(BKF\Set\Pics\lost.jpg)", false, 0, 0, RowStatus::NoData);
            add(R"(BKF\Set\Docs\old\report.txt)", true, 10 * kKiB, BkfWriter::Date(2003, 9, 18, 23),
                RowStatus::CutShort);
        });
        list.SetAllTicked(true);
    }

    Rows Shown() const
    {
        Rows rows;
        for (int row = 0; row < list.rowCount(); ++row)
            rows.push_back(list.CatalogueRowAt(row));
        return rows;
    }

    CatalogueStore store;
    CatalogueListModel list{store};
    QAbstractItemModelTester tester{&list, QAbstractItemModelTester::FailureReportingMode::Warning};
};

TEST_F(CatalogueListOrderTest, FilterShowsTheRowsItsWordPatternStatusAndSizeLetThrough)
{
    const struct {
        const char* text;
        bool onlyNotOk;
        std::optional<std::uint64_t> largerThan;
        Rows shown;
    } cases[] = {
        {"", false, {}, {0, 1, 2, 3, 4}},
        {"report", false, {}, {0, 4}},               // a word: anywhere, case-blind
        {"DOCS\\", false, {}, {0, 1, 4}},            // "\" is part of the word
        {"*.jpg", false, {}, {2, 3}},                // no "/": the name in any folder
        {"*.JPG", false, {}, {2, 3}},                // case-blind
        {"r?port*", false, {}, {0, 4}},              // "?" is one character
        {"[hl]*", false, {}, {2, 3}},                // a set
        {R"(BKF\Set\Docs\*)", false, {}, {0, 1}},    // "\" reads as "/": the whole path, "*" stops at folders
        {"BKF/Set/**.txt", false, {}, {1, 4}},       // "**" crosses folders
        {R"(Docs\*.txt)", false, {}, {1}},           // a folder: at any depth
        {R"(old\*)", false, {}, {4}},
        {"P?cs/", false, {}, {2, 3}},                // ending in "/": all below the folder
        {"set/pics/h", false, {}, {2}},              // a word: "/" reads as "\"
        {R"(\BKF\Set\*\*.jpg)", false, {}, {2, 3}},  // a leading "\": from the root
        {"/Set/**", false, {}, {}},
        {"", true, {}, {1, 3, 4}},                   // only rows that are not ok
        {"", false, kKiB * kKiB, {0, 2}},            // larger than: a row without data has no size
        {"", false, 0, {0, 1, 2, 4}},
        {"jpg", true, {}, {3}},
        {"docs", false, kKiB, {0, 4}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        list.SetFilter(RowFilterSettings{c.text, c.onlyNotOk, c.largerThan});
        EXPECT_EQ(Shown(), c.shown);
        EXPECT_EQ(list.TotalRowCount(), 5);
        EXPECT_EQ(store.TickedCount(), 5u) << "a filter never changes a tick";
    }
}

// A text with a digit, "_" or "." is searched from that character's places:
// every place must be tried, at either end of the path too.
TEST(RowFilterTest, TextsAreFoundAtAnyOfTheirPlaces)
{
    CatalogueStore store;
    for (const char* path : {R"(BKF\S\dir5_2\dir5_3\a_1.txt)", R"(BKF\S\dir5_2\b.txt)", R"(BKF\S\x1)"})
        store.Append(CatalogueRow{path, true, 1, 0});
    const std::pair<const char*, Rows> cases[] = {
        {"dir5_3", {0}}, {R"(**\dir5_3\*)", {0}}, {"_1.TXT", {0}}, {"x1", {2}},
        {R"(s\x1)", {2}}, {"1_2", {}},            {"*5_2*", {}},   {R"(**\dir5_2\*)", {1}},
    };
    for (const auto& [text, passing] : cases) {
        SCOPED_TRACE(text);
        const RowFilter filter(RowFilterSettings{text, false, {}});
        Rows passed;
        for (std::size_t row = 0; row < store.RowCount(); ++row) {
            if (filter.Passes(store, row))
                passed.push_back(row);
        }
        EXPECT_EQ(passed, passing);
    }
}

// A typed letter filters only the rows shown: the result must be the one a
// fresh filter gives, also when a letter is taken back or the case changes.
TEST_F(CatalogueListOrderTest, TypingLetterByLetterShowsWhatTheWholeTextShows)
{
    for (const char* text : {"r", "re", "rep", "repo", "rep", "Rep", "rep", "", "t", "tx", "*.tx", "*.txt"}) {
        SCOPED_TRACE(text);
        list.SetFilter(RowFilterSettings{text, false, {}});
        CatalogueListModel fresh(store);
        fresh.SetFilter(RowFilterSettings{text, false, {}});
        Rows expected;
        for (int row = 0; row < fresh.rowCount(); ++row)
            expected.push_back(fresh.CatalogueRowAt(row));
        EXPECT_EQ(Shown(), expected);
    }
}

TEST_F(CatalogueListOrderTest, HeadingsSortWithTiesInScanOrderAndMinusOneRestoresIt)
{
    using M = CatalogueListModel;
    const struct {
        int column;
        Qt::SortOrder order;
        Rows shown;
    } cases[] = {
        {M::FileNameColumn, Qt::AscendingOrder, {1, 4, 0, 2, 3}}, // case-blind: notes, old\, Report
        {M::FileNameColumn, Qt::DescendingOrder, {3, 2, 0, 4, 1}},
        {M::FileSizeColumn, Qt::AscendingOrder, {3, 1, 4, 0, 2}}, // no data before every size
        {M::FileSizeColumn, Qt::DescendingOrder, {2, 0, 4, 1, 3}},
        {M::ModifiedColumn, Qt::AscendingOrder, {3, 1, 4, 0, 2}}, // unknown first; 18th 23:00 before the 19th
        {M::StatusColumn, Qt::AscendingOrder, {0, 2, 1, 3, 4}},
        {M::StatusColumn, Qt::DescendingOrder, {4, 3, 1, 0, 2}}, // equal states stay in scan order
        {-1, Qt::AscendingOrder, {0, 1, 2, 3, 4}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.column << " " << c.order);
        list.sort(c.column, c.order);
        EXPECT_EQ(Shown(), c.shown);
    }
}

TEST_F(CatalogueListOrderTest, TypeSortGroupsTheRowsByTheirTypeNames)
{
    list.sort(CatalogueListModel::FileTypeColumn);
    for (int row = 1; row < list.rowCount(); ++row) {
        const QString before = list.index(row - 1, CatalogueListModel::FileTypeColumn).data().toString();
        const QString here = list.index(row, CatalogueListModel::FileTypeColumn).data().toString();
        EXPECT_LE(before.compare(here, Qt::CaseInsensitive), 0) << row;
    }
}

TEST_F(CatalogueListOrderTest, TicksFollowTheCatalogueRowThroughSortFilterAndNewRows)
{
    list.sort(CatalogueListModel::FileSizeColumn, Qt::DescendingOrder);
    list.setData(list.index(0, 0), Qt::Unchecked, Qt::CheckStateRole);
    EXPECT_FALSE(store.IsTicked(2)) << "the largest file is shown first";

    list.SetFilter(RowFilterSettings{"*.txt", false, {}});
    EXPECT_EQ(Shown(), (Rows{4, 1}));
    list.SetShownTicked(false);
    list.SetFilter(RowFilterSettings{});
    EXPECT_EQ(Shown(), (Rows{2, 0, 4, 1, 3}));
    for (std::size_t row = 0; row < 5; ++row)
        EXPECT_EQ(store.IsTicked(row), row == 0 || row == 3) << row;

    // Rows a scan adds go at the end, shown only when the filter lets them through.
    list.SetFilter(RowFilterSettings{"jpg", false, {}});
    list.AppendRows([](CatalogueStore& rows) {
        rows.Append(CatalogueRow{R"(BKF\Set\new.jpg)", true, 1, 0});
        rows.Append(CatalogueRow{R"(BKF\Set\new.txt)", true, 1, 0});
    });
    EXPECT_EQ(Shown(), (Rows{2, 3, 5}));
    EXPECT_EQ(list.TotalRowCount(), 7);
    EXPECT_EQ(list.IndexOfCatalogueRow(5).row(), 2);
    EXPECT_FALSE(list.IndexOfCatalogueRow(6).isValid());
}

TEST_F(CatalogueListOrderTest, ModifiedAndStatusCellsAndTheLookOfRowsThatAreNotOk)
{
    using M = CatalogueListModel;
    const QDateTime date(QDate(2003, 9, 19), QTime(0, 0), QTimeZone::utc());
    EXPECT_EQ(list.index(0, M::ModifiedColumn).data().toString(),
              QLocale().toString(date.toLocalTime(), QLocale::ShortFormat));
    EXPECT_TRUE(list.index(3, M::ModifiedColumn).data().toString().isEmpty());
    const char* words[] = {"verified", "checksum lost", "verified", "no data", "cut short"};
    for (int row = 0; row < 5; ++row) {
        SCOPED_TRACE(row);
        const QModelIndex status = list.index(row, M::StatusColumn);
        EXPECT_TRUE(status.data().toString().startsWith(words[row])) << status.data().toString().toStdString();
        EXPECT_FALSE(status.data(Qt::DecorationRole).value<QIcon>().isNull());
        const bool ok = row == 0 || row == 2;
        EXPECT_EQ(list.index(row, 0).data(Qt::FontRole).value<QFont>().italic(), !ok);
        EXPECT_EQ(status.data(Qt::ForegroundRole).value<QColor>() == WarningRed(), ok)
            << "the status word of a row that is not ok is not in the tick's red";
    }
}

} // namespace
