// SPDX-License-Identifier: GPL-3.0-or-later
// The filter bar over the found-files list: each control filters at once,
// the clear button empties the box, Ctrl+F reaches the box, and the count
// line says how many rows are shown of all.

#include "catalogue_filter_bar.h"
#include "catalogue_list_model.h"
#include "catalogue_store.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

TEST(CatalogueFilterBar, EveryControlFiltersAndTheCountLineFollows)
{
    CatalogueStore store;
    CatalogueListModel list(store);
    QWidget window;
    auto* bar = new CatalogueFilterBar(list, &window);
    auto* other = new QPushButton(QStringLiteral("elsewhere"), &window);
    auto* column = new QVBoxLayout(&window);
    column->addWidget(bar);
    column->addWidget(other);
    window.show();
    QApplication::setActiveWindow(&window);
    list.AppendRows([](CatalogueStore& rows) {
        rows.Append(CatalogueRow{R"(BKF\S\a.doc)", true, 5000, 0});
        CatalogueRow lost{R"(BKF\S\b.txt)", false, 0, 0};
        lost.status = RowStatus::NoData;
        rows.Append(lost);
        rows.Append(CatalogueRow{R"(BKF\S\c.doc)", true, 10, 0});
    });

    const struct {
        const char* step;
        std::function<void()> act;
        const char* count;
    } steps[] = {
        {"nothing filtered", [] {}, "3 of 3 shown"},
        {"a pattern typed", [&] { QTest::keyClicks(bar->TextBox(), "*.doc"); }, "2 of 3 shown"},
        {"larger than 1 KiB", [&] { bar->SizeBox()->setCurrentText("1 KiB"); }, "1 of 3 shown"},
        {"any size again", [&] { bar->SizeBox()->setCurrentIndex(0); }, "2 of 3 shown"},
        {"cleared", [&] { bar->ClearButton()->click(); }, "3 of 3 shown"},
        {"not ok only", [&] { bar->NotOkBox()->setChecked(true); }, "1 of 3 shown"},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.step);
        s.act();
        EXPECT_EQ(bar->CountLabel()->toolTip(), s.count);
    }
    EXPECT_TRUE(bar->TextBox()->text().isEmpty());
    window.resize(1200, window.height());
    QApplication::processEvents();
    EXPECT_EQ(bar->CountLabel()->text(), "1 of 3 shown");
    window.resize(200, window.height());
    QApplication::processEvents();
    EXPECT_EQ(bar->CountLabel()->text(), "1/3") << "the short form where the words do not fit";

    other->setFocus();
    QTest::keyClick(other, Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(bar->TextBox()->hasFocus());
}

} // namespace
