// SPDX-License-Identifier: GPL-3.0-or-later
// The set's own catalogue as a second witness: what it adds to a damaged
// backup, and that it changes nothing where it cannot be trusted.
#include "bkf_writer.h"
#include "cli_tool.h"
#include "file_contents.h"
#include "scan_recorder.h"
#include "temp_path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>

using test_files::Bytes;
using test_files::Pattern;

namespace {

const char kFolder[] = "BKF\\BACKUP SET 1(_Daily)\\Backup Copies\\Invoices\\";

// Where the files of the sample backup lie.
struct Sample {
    BkfWriter w;
    // a.txt, b.bin (64 KiB or more) and c.bin (a security stream puts their
    // data stream past the first slot; c.bin's has a checksum), d.txt in
    // another folder; then the first folder again, as a set may visit it twice
    std::vector<FilePlacement> files;
    std::vector<std::size_t> ends;    // where each file's bytes end
    void Placed()
    {
        files.push_back(w.LastFile());
        ends.push_back(w.NextSlot());
    }
};

Sample WriteSample(bool withCatalogue = true)
{
    Sample s;
    s.w.Sset("Daily").Volb().Dirb({"Backup Copies", "Invoices"});
    s.w.File("a.txt", Pattern(700, 1));
    s.Placed();
    s.w.File("b.bin", Pattern(70000, 2), FileOptions().StreamBefore("NACL", 600));
    s.Placed();
    s.w.File("c.bin", Pattern(5001, 3), FileOptions().StreamBefore("NACL", 600).Checksum());
    s.Placed();
    s.w.Dirb({"Other"}).File("d.txt", Pattern(900, 4));
    s.Placed();
    s.w.Dirb({"Backup Copies", "Invoices"});
    if (withCatalogue)
        s.w.SetCatalogue();
    return s;
}

std::string RowsText(const ScanResult& result)
{
    std::ostringstream text;
    for (const RecordedRow& row : result.rows)
        text << row.path << ' ' << row.located << ' ' << row.size << ' ' << row.offset << ' '
             << RowStatusText(row.status) << '\n';
    return text.str();
}

} // namespace

// A backup without a catalogue, or with one that its blocks agree with,
// lists the same rows; garbage inside the catalogue changes nothing.
TEST(SetCatalogueTest, AnIntactBackupListsAsWithoutItsCatalogue)
{
    const std::string plain = RowsText(ScanBytes(WriteSample(false).w.Bytes()));
    const std::vector<std::pair<const char*, std::function<void(Sample&)>>> cases = {
        {"intact", [](Sample&) {}},
        {"entries garbled", [](Sample& s) { s.w.FlipBytes(s.w.LastCatalogue().detailHeader + 60, 100); }},
        {"catalogue cut short", [](Sample& s) { s.w.Truncate(s.w.LastCatalogue().detailHeader + 150); }},
        {"first ESET lost", [](Sample& s) { s.w.ZeroRange(s.w.LastCatalogue().eset, 512); }},
        {"a file entry renamed", [](Sample& s) { s.w.FlipBytes(s.w.LastCatalogue().detailHeader + 22 + 300, 2); }},
        {"of the second type", [](Sample& s) {
             const auto& parts = s.w.LastCatalogue();
             s.w.StreamHeader(parts.detailHeader, "FDD2", parts.detailLength);
         }},
    };
    for (const auto& [name, damage] : cases) {
        Sample s = WriteSample();
        damage(s);
        const ScanResult result = ScanBytes(s.w.Bytes());
        EXPECT_EQ(RowsText(result), plain) << name;
        const bool secondType = std::string(name) == "of the second type";
        EXPECT_EQ(result.report.setCatalogueNotes.size() == 1
                      && result.report.setCatalogueNotes[0].find("second type (FDD2, MAP2): not read") != std::string::npos,
                  secondType)
            << name;
        EXPECT_EQ(result.report.notFoundInSetCatalogue.count, 0u) << name;
        EXPECT_FALSE(result.report.FilesMayBeMissing()) << name;
    }
}

// A file whose block was destroyed keeps its place and name when its data
// are still found; one whose data went too is listed as not found.
TEST(SetCatalogueTest, FilesWhoseBlockWasLost)
{
    // Zeroed from the block on: its first slot, up to its data, into its first data byte, all of it.
    enum Damage { FirstSlot, UpToData, IntoData, BlockAndData };
    struct Case {
        const char* name;
        std::size_t file;
        Damage damage;
        RowStatus status;
    };
    const Case cases[] = {
        {"data stream header past the lost slot", 1, FirstSlot, RowStatus::FromCatalogue},
        {"found backwards from its checksum", 2, UpToData, RowStatus::FromCatalogue},
        {"data lost too", 2, BlockAndData, RowStatus::NotFound},
        {"a small file's data lost too", 0, BlockAndData, RowStatus::NotFound},
        {"the first file of a folder visited twice: its data stream header lost", 0, FirstSlot, RowStatus::NotFound},
        {"its checksum does not confirm the bytes before it", 2, IntoData, RowStatus::NotFound},
    };
    const char* names[] = {"a.txt", "b.bin", "c.bin", "d.txt"};
    for (const Case& c : cases) {
        Sample s = WriteSample();
        const FilePlacement& file = s.files[c.file];
        const std::size_t ends[] = {file.block + 512, file.data, file.data + 1, s.ends[c.file]};
        const bool found = c.status == RowStatus::FromCatalogue;
        s.w.ZeroRange(file.block, ends[c.damage] - file.block);
        const ScanResult result = ScanBytes(s.w.Bytes());
        const RecordedRow* row = result.FindRow(std::string(kFolder) + names[c.file]);
        ASSERT_NE(row, nullptr) << c.name << "\n" << RowsText(result);
        EXPECT_EQ(row->status, c.status) << c.name;
        EXPECT_EQ(row->located, found) << c.name;
        EXPECT_EQ(row->offset, found ? file.data : 0) << c.name;
        EXPECT_EQ(result.report.notFoundInSetCatalogue.count, found ? 0u : 1u) << c.name;
        EXPECT_EQ(result.report.FilesMayBeMissing(), !found) << c.name; // no range without a file is left
        EXPECT_EQ(result.rows.size(), 4u) << c.name;
    }
}

// A destroyed folder block: the catalogue names the lost folder when it
// places every one of its files in one folder, and its files are listed and
// saved there; else the folder stays a "lost dir". No file is missing either way.
TEST(SetCatalogueTest, LostFoldersTakeTheCataloguesName)
{
    const char* lost = "BKF\\BACKUP SET 1(_Daily)\\lost dir0\\";
    struct Case {
        const char* name;
        const char* entryRenamed; // in the catalogue, this file's name starts with "z"
        const char* folder;       // where the lost folder's files are listed
        bool used;                // the catalogue matches the found blocks
    };
    const Case cases[] = {
        {"named", nullptr, kFolder, true},
        {"one of its files not placed", "a.txt", lost, true},
        {"catalogue does not match a found file", "d.txt", lost, false},
    };
    for (const Case& c : cases) {
        Sample s = WriteSample();
        s.w.ZeroRange(s.files[0].block - 512, 512);
        if (c.entryRenamed) {
            const Bytes bytes = s.w.Bytes();
            const std::vector<std::uint16_t> units = Utf16(c.entryRenamed);
            const auto at = std::search(bytes.begin() + s.w.LastCatalogue().detailHeader, bytes.end(),
                                        reinterpret_cast<const std::uint8_t*>(units.data()),
                                        reinterpret_cast<const std::uint8_t*>(units.data() + units.size()));
            s.w.Put16(static_cast<std::size_t>(at - bytes.begin()), 'z');
        }
        const bool named = c.entryRenamed == nullptr;
        TempFile backup(s.w.Bytes());
        TempDir dest;
        const Tool::Result run = RunRecover({"extract", "-v", "--no-cache", backup.Path(), dest.Path()});
        EXPECT_EQ(run.status, 0) << c.name << run.err;
        for (const char* name : {"a.txt", "b.bin", "c.bin"}) {
            const std::string saved = test_files::OnDisk(dest.Child("Recovered BKF"), c.folder + std::string(name));
            EXPECT_TRUE(test_files::ReadFileBytes(saved).has_value()) << c.name << " " << name;
        }
        EXPECT_EQ(run.err.find("1 folder named by the set's catalogue") != std::string::npos, named) << run.err;
        EXPECT_EQ(run.err.find("does not match its blocks") == std::string::npos, c.used) << run.err;
        const ScanResult result = ScanBytes(s.w.Bytes());
        EXPECT_EQ(RowsText(result).find("lost dir") == std::string::npos, named) << c.name << RowsText(result);
        EXPECT_EQ(result.rows.size(), 4u) << c.name;
        EXPECT_EQ(result.report.notFoundInSetCatalogue.count, 0u) << c.name << RowsText(result);
        const RecordedRow* row = result.FindRow(c.folder + std::string("a.txt"));
        ASSERT_NE(row, nullptr) << c.name;
        EXPECT_EQ(row->status, named ? RowStatus::NoChecksum : RowStatus::FolderLost) << c.name;
    }
}

// Hostile entries (lengths, links, sizes, addresses anywhere) cost a scan
// nothing: it ends, and no file is larger than the backup.
TEST(SetCatalogueTest, HostileEntriesAreBounded)
{
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        Sample s = WriteSample();
        s.w.ZeroRange(s.files[1].block, 512);
        const std::size_t entries = s.w.LastCatalogue().detailHeader + 22;
        const Bytes noise = Pattern(8, seed);
        const std::size_t at = entries + (seed * 36) % s.w.LastCatalogue().detailLength;
        s.w.Raw(at, noise);
        if (seed % 3 == 0)
            s.w.Put64(entries + 36 * (seed % 5) + 20, UINT64_MAX);
        const ScanResult result = ScanBytes(s.w.Bytes());
        EXPECT_TRUE(result.completed);
        for (const RecordedRow& row : result.rows)
            EXPECT_TRUE(!row.located || row.size <= s.w.Size() - std::min<std::uint64_t>(row.offset, s.w.Size()))
                << seed << " " << row.path;
    }
}

// bkf-recover: a file found by the catalogue is saved whole (exit 0); one
// that was not found is named in the report and ends extract with 2; it is
// in list's JSON only.
TEST(SetCatalogueTest, ExtractAndListSayWhatWasNotFound)
{
    for (const bool dataToo : {false, true}) {
        Sample s = WriteSample();
        const FilePlacement file = s.files[2];
        s.w.ZeroRange(file.block, dataToo ? s.ends[2] - file.block : 512);
        TempFile backup(s.w.Bytes());
        TempDir dest;
        const Tool::Result run = RunRecover({"extract", "--no-cache", backup.Path(), dest.Path()});
        EXPECT_EQ(run.status, dataToo ? 2 : 0) << run.err;
        const std::string saved = test_files::OnDisk(dest.Child("Recovered BKF"), std::string(kFolder) + "c.bin");
        EXPECT_EQ(test_files::ReadFileBytes(saved).has_value(), !dataToo) << run.err;
        if (!dataToo) {
            EXPECT_EQ(*test_files::ReadFileBytes(saved), Pattern(5001, 3));
        }
        const std::string named = "1 file named in the set's catalogue was not found:\n    \"" + std::string(kFolder) + "c.bin\"";
        EXPECT_EQ(run.err.find(named) != std::string::npos, dataToo) << run.err;
        const Tool::Result tsv = RunRecover({"list", "--no-cache", backup.Path()});
        const Tool::Result json = RunRecover({"list", "--no-cache", "--json", backup.Path()});
        EXPECT_EQ(tsv.out.find("c.bin") != std::string::npos, !dataToo) << tsv.out;
        EXPECT_EQ(json.out.find("\"status\": \"not found\"") != std::string::npos, dataToo) << json.out;
    }
}

// The kept catalogue keeps what the set's catalogue added: a second list,
// from the cache, gives the same rows and states.
TEST(SetCatalogueTest, TheKeptCatalogueKeepsItsAdditions)
{
    Sample s = WriteSample();
    s.w.ZeroRange(s.files[1].block, 512).ZeroRange(s.files[2].block, s.ends[2] - s.files[2].block);
    TempFile backup(s.w.Bytes());
    TempDir cache;
    ToolSetup setup;
    setup.environment = {"XDG_CACHE_HOME=" + cache.Path()};
    const Tool::Result scanned = RunRecover({"list", "--json", backup.Path()}, setup);
    const Tool::Result kept = RunRecover({"list", "--json", backup.Path()}, setup);
    EXPECT_NE(scanned.out.find("\"status\": \"from the catalogue\""), std::string::npos) << scanned.out;
    EXPECT_NE(scanned.out.find("\"status\": \"not found\""), std::string::npos) << scanned.out;
    EXPECT_EQ(kept.out, scanned.out);
    EXPECT_NE(kept.err.find("catalogue from the scan of"), std::string::npos) << kept.err;
    EXPECT_EQ(RunRecover({"extract", backup.Path(), cache.Child("saved")}, setup).status, 2);
}
