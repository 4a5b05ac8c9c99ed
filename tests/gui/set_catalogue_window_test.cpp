// SPDX-License-Identifier: GPL-3.0-or-later
// A file the set's own catalogue names but whose block and data were lost:
// the window lists it as "not found" without a tick box, never saves it, and
// the save's report names it.

#include "save_road.h"
#include "temp_path.h"

TEST(SetCatalogueWindow, AFileNotFoundIsListedButNeitherTickedNorSaved)
{
    BkfWriter w;
    w.Sset("Daily").Volb().Dirb({"Docs"}).File("a.txt", test_files::Pattern(700, 1));
    const std::size_t lost = w.NextSlot();
    w.File("gone.bin", test_files::Pattern(5001, 3), FileOptions().Checksum());
    const std::size_t lostEnd = w.NextSlot();
    w.File("c.txt", test_files::Pattern(900, 4)).SetCatalogue();
    w.ZeroRange(lost, lostEnd - lost);
    const std::vector<std::uint8_t> backup = w.Bytes();

    WindowFixture f;
    ScanIntoReview(f, backup);
    const CatalogueStore& store = f.View().Store();
    const std::string gonePath = "BKF\\BACKUP SET 1(_Daily)\\Docs\\gone.bin";
    std::size_t gone = store.RowCount();
    for (std::size_t row = 0; row < store.RowCount(); ++row)
        if (store.Path(row) == gonePath)
            gone = row;
    ASSERT_LT(gone, store.RowCount());
    EXPECT_EQ(store.StatusText(gone), "not found");
    CatalogueListModel& list = f.View().ListModel();
    const QModelIndex box = list.IndexOfCatalogueRow(gone);
    ASSERT_TRUE(box.isValid());
    EXPECT_FALSE(box.data(Qt::CheckStateRole).isValid());
    EXPECT_FALSE(list.flags(box) & Qt::ItemIsUserCheckable);
    list.setData(box, Qt::Checked, Qt::CheckStateRole);
    EXPECT_FALSE(store.IsTicked(gone));

    TempDir dest;
    f.folderChooser.answers = {QString::fromStdString(dest.Path())};
    f.messages.answers = {MessageService::kNo};
    f.View().Save().OnSaveFiles();
    EXPECT_EQ(ExpectSavedExactly(f, backup, dest.Child("Recovered BKF")), 2u);
    ASSERT_EQ(f.messages.shown.size(), 1u);
    const QString shown = f.messages.shown[0].text;
    EXPECT_TRUE(shown.contains("1 file named in the set's catalogue was not found")) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QString::fromStdString(gonePath))) << shown.toStdString();
}
