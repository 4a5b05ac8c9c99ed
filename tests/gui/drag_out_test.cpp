// SPDX-License-Identifier: GPL-3.0-or-later
// A drag out of the window saves what it carries privately, through the
// window's save, and hands the drop target the saved file or folder; a drag
// too large for that is refused with a status text.

#include "drag_out.h"
#include "file_preview_controller.h"
#include "save_road.h"

#include <QFileInfo>

#include <gtest/gtest.h>

TEST(DragOut, StagesWhatIsDraggedOrRefusesTooMuch)
{
    const std::vector<std::uint8_t> backup = SaveBackup(2, 1000);
    const struct {
        const char* name;
        DragOut::Items items;
        QString handed; // the end of the one path handed over; empty: refused
        int files;      // files in (or at) it
    } cases[] = {
        {"one found file", {{1}, ""}, "/Data/Folder/file1.dat", 1},
        {"two found files", {{0, 1}, ""}, "/Recovered BKF", 2},
        {"a tree folder", {{0, 1}, "BKF\\BACKUP SET 1(_Saved)\\Data\\"}, "/Data", 2},
        {"too many files", {std::vector<std::size_t>(DragOut::kMaxFiles + 1, 0), ""}, "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WindowFixture f;
        ScanIntoReview(f, backup);
        const auto urls = f.View().Preview().Drags()->Stage(c.items);
        if (c.handed.isEmpty()) {
            EXPECT_FALSE(urls);
            EXPECT_EQ(StatusText(f), "Too much to drag out at once: tick the files and save them with Save.");
            continue;
        }
        ASSERT_TRUE(urls && urls->size() == 1);
        const QString path = urls->first().toLocalFile();
        EXPECT_TRUE(path.endsWith(c.handed)) << path.toStdString();
        std::size_t files = QFileInfo(path).isFile() ? 1 : 0;
        for (const std::string& entry : test_files::TreeOf(path.toStdString()))
            files += entry.back() == '/' ? 0 : 1;
        EXPECT_EQ(files, static_cast<std::size_t>(c.files));
        EXPECT_TRUE(f.messages.shown.empty());
    }
}

// A tree folder the save put elsewhere than its name says: the folder handed
// over is the one that exists, with the dragged files in it.
TEST(DragOut, HandsOverAFolderTheSaveShortenedOrNumbered)
{
    std::string wide;
    for (int k = 0; k < 200; ++k)
        wide += "\xC3\xA9"; // 400 bytes: longer than a file system takes
    const struct {
        const char* name;
        std::string folder; // in "Data"; its file comes second
        std::string firstFile; // in "Data", saved first
        std::string handed;
    } cases[] = {
        {"shortened", wide, "other.dat", "/Data/" + wide.substr(0, 254)},
        {"numbered", "x", "x", "/Data/x (2)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        BkfWriter writer;
        writer.Sset("Saved").Dirb({"Data"}).File(c.firstFile, "first").Dirb({"Data", c.folder}).File("y.dat", "y");
        WindowFixture f;
        ScanIntoReview(f, writer.Bytes());
        const std::string key = "BKF\\BACKUP SET 1(_Saved)\\Data\\" + c.folder + "\\";
        const auto urls = f.View().Preview().Drags()->Stage({{0, 1}, key});
        ASSERT_TRUE(urls && urls->size() == 1);
        const QString path = urls->first().toLocalFile();
        EXPECT_TRUE(path.endsWith(QString::fromStdString(c.handed))) << path.toStdString();
        EXPECT_TRUE(QFileInfo(path + "/y.dat").isFile());
    }
}
