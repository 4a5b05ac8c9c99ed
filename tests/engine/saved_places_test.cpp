// SPDX-License-Identifier: GPL-3.0-or-later
// The save's report says where each file and folder went, names the file
// system needed included; a continued save goes on in the very folder that
// was found, whatever appears beside it meanwhile.

#include "continued_save.h"
#include "extraction_support.h"
#include "temp_path.h"

#include <gtest/gtest.h>

namespace {

using namespace extraction_test;

TEST(SavedPlacesTest, ReportSaysWhereShortenedNumberedAndRenamedThingsWent)
{
    std::string wide;
    for (int k = 0; k < 200; ++k)
        wide += "\xC3\xA9"; // 200 characters, 400 bytes: too long for a file system's name
    const struct {
        const char* name;
        std::vector<std::string> paths;
        std::string folder;      // a catalogue folder
        std::string folderPlace; // where it went, below the root
        std::string lastPlace;   // where the last row's file went
    } cases[] = {
        {"as named", {"S\\D\\a.txt"}, "S\\D\\", "S/D", "S/D/a.txt"},
        {"folder shortened", {"S\\" + wide + "\\a.txt"}, "S\\" + wide, "S/" + wide.substr(0, 254),
         "S/" + wide.substr(0, 254) + "/a.txt"},
        {"folder numbered: a file holds its name", {"S\\x", "S\\x\\a.txt"}, "S\\x\\", "S/x (2)", "S/x (2)/a.txt"},
        {"file numbered", {"S\\a.txt", "S\\a.txt"}, "S", "S", "S/a (2).txt"},
    };
    const TempFile backup(Pattern(100, 3));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CatalogueStore store;
        std::vector<Row> rows;
        for (const std::string& path : c.paths)
            rows.push_back({path, 10, 0});
        Fill(store, rows);
        const TempDir dest;
        const ExtractionReport report = ExtractInto(backup.Path(), store, dest.Path());
        ASSERT_EQ(report.filesSaved, rows.size()) << ReportText(report);
        EXPECT_EQ(SavedFolderPath(report, c.folder), report.rootFolder + "/" + c.folderPlace);
        const std::string last = SavedFilePath(report, rows.size() - 1);
        EXPECT_EQ(last, report.rootFolder + "/" + c.lastPlace);
        EXPECT_TRUE(fs::is_regular_file(last));
        EXPECT_EQ(SavedFolderPath(report, "S\\elsewhere"), "");
    }
}

TEST(SavedPlacesTest, ContinuedSaveGoesOnInTheFolderFoundNotInANewerOne)
{
    const TempFile backup(Pattern(100, 3));
    CatalogueStore store;
    Fill(store, {{"S\\a.txt", 10, 0, true, true}, {"S\\b.txt", 20, 10, true, false}});
    const TempDir dest;
    ASSERT_TRUE(ExtractInto(backup.Path(), store, dest.Path(), "R").rootCreated);
    store.SetTicked(1, true);
    const auto earlier = FindEarlierSave(dest.Path(), "R", store, 100);
    ASSERT_TRUE(earlier);
    fs::create_directory(dest.Child("R1")); // appears between the question and the save

    BkfFileHandle file;
    ASSERT_TRUE(file.Open(backup.Path()));
    const std::atomic<bool> running{true};
    RecordingProgress progress;
    const ExtractionReport report = ExtractCheckedFiles(file, store, dest.Path(), "R", running, progress,
                                                        ExtractionOptions{false, true, false, earlier->folder});
    EXPECT_EQ(report.rootFolder, earlier->folder);
    EXPECT_EQ(report.alreadySaved, 1u);
    EXPECT_TRUE(fs::is_regular_file(earlier->folder + "/S/b.txt"));
    EXPECT_TRUE(fs::is_empty(dest.Child("R1")));
}

} // namespace
