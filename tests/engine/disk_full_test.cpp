// SPDX-License-Identifier: GPL-3.0-or-later
// Saving onto a disk that fills up: the file that does not fit is reported
// with the bytes it holds, the run goes on, and every file reported saved is
// byte-exact. Once on a small tmpfs (needs root and mount), once with a file
// size limit in a child process (works everywhere).

#include "bkf_writer.h"
#include "cli_tool.h"
#include "extraction_support.h"
#include "temp_path.h"

#include <gtest/gtest.h>

#include <sstream>

#include <sys/mount.h>
#include <sys/resource.h>

namespace {

using namespace extraction_test;

// Checks what the report says against what lies on disk: a row without a
// failure is byte-exact, a WriteFailed row holds exactly the reported bytes,
// the start of its data; rows from `tried` on were not tried.
// Fault: a write that the full disk cut short left its partial slice in the
// file while the report counted whole slices only ("0 of 200000 bytes" for
// a file holding 57344), so the report did not say what the file holds.
void ExpectReportMatchesDisk(const ExtractionReport& report, const std::vector<Row>& rows, const Bytes& backup,
                             std::size_t tried = SIZE_MAX)
{
    std::size_t saved = 0;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        SCOPED_TRACE(rows[row].path);
        const auto failures = FailuresOf(report, row);
        const auto content = ReadFileBytes(OnDisk(report.rootFolder, rows[row].path));
        if (row >= tried) {
            EXPECT_TRUE(failures.empty() && !content) << "not tried";
            continue;
        }
        if (failures.empty()) {
            ++saved;
            ASSERT_TRUE(content);
            EXPECT_TRUE(*content == Slice(backup, rows[row].offset, rows[row].size)) << "size " << content->size();
            continue;
        }
        ASSERT_EQ(failures.size(), 1u) << ReportText(report);
        const SaveFailure& failure = failures[0];
        if (failure.kind == SaveFailureKind::NotCreated) {
            EXPECT_FALSE(content);
            continue;
        }
        ASSERT_EQ(failure.kind, SaveFailureKind::WriteFailed) << ReportText(report);
        EXPECT_EQ(failure.bytesExpected, rows[row].size);
        EXPECT_LT(failure.bytesWritten, rows[row].size);
        EXPECT_FALSE(failure.reason.empty());
        EXPECT_FALSE(content) << "no incomplete file under its own name";
        const std::string path = OnDisk(report.rootFolder, rows[row].path);
        const auto kept = ReadFileBytes(path.substr(0, path.rfind('/') + 1) + failure.keptAs);
        ASSERT_TRUE(kept) << "kept as NAME.partial";
        EXPECT_EQ(kept->size(), failure.bytesWritten) << "the report tells how much of the file is there";
        EXPECT_TRUE(*kept == Slice(backup, rows[row].offset, kept->size()));
    }
    EXPECT_EQ(report.filesSaved, saved);
}

class TmpfsMount {
public:
    explicit TmpfsMount(const std::string& at, const std::string& options) : m_at(at)
    {
        m_mounted = ::geteuid() == 0 && ::mount("tmpfs", at.c_str(), "tmpfs", 0, options.c_str()) == 0;
    }
    ~TmpfsMount()
    {
        if (m_mounted && ::umount(m_at.c_str()) != 0)
            ::umount2(m_at.c_str(), MNT_DETACH);
    }
    bool Mounted() const { return m_mounted; }

private:
    std::string m_at;
    bool m_mounted = false;
};

// The first "No space left on device" stops the save: the file it cut short
// is kept as NAME.partial and the files not tried are counted in one line
// (fault: every further file failed with a line of its own).
TEST(DiskFullTest, FullTmpfsStopsTheSaveAtTheFileThatDoesNotFit)
{
    TempDir mountPoint;
    TmpfsMount tmpfs(mountPoint.Path(), "size=256k");
    if (!tmpfs.Mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here (needs root)";

    const Bytes backup = Pattern(700000, 11);
    TempFile file(backup);
    const std::vector<Row> rows = {
        {"BKF\\S\\one", 100000, 1},      {"BKF\\S\\two", 100000, 100001},  {"BKF\\S\\too big", 200000, 200001},
        {"BKF\\S\\empty", 0, 0},         {"BKF\\S\\one byte", 1, 400001},  {"BKF\\T\\after", 150000, 500000},
        {"BKF\\T\\empty too", 0, 650000},
    };
    CatalogueStore store;
    Fill(store, rows);
    const ExtractionReport report = ExtractInto(file.Path(), store, mountPoint.Path());
    ASSERT_TRUE(report.rootCreated) << report.rootError;
    EXPECT_TRUE(report.completed) << "a full disk is no stop";

    ExpectReportMatchesDisk(report, rows, backup, 3);
    const auto tooBig = FailuresOf(report, 2);
    ASSERT_EQ(tooBig.size(), 1u) << ReportText(report);
    EXPECT_EQ(tooBig[0].kind, SaveFailureKind::WriteFailed);
    EXPECT_NE(tooBig[0].reason.find("No space left"), std::string::npos) << tooBig[0].reason;
    EXPECT_EQ(report.failures.size(), 1u) << ReportText(report);
    EXPECT_EQ(report.notSavedDiskFull, 4u);
    EXPECT_EQ(report.LossCount(), 5u);
    EXPECT_EQ(DiskFullSummary(report), "4 files not saved: the disk is full");
}

TEST(DiskFullTest, ExtractOntoAFullDiskSaysSoInOneLine)
{
    TempDir mountPoint;
    TmpfsMount tmpfs(mountPoint.Path(), "size=256k");
    if (!tmpfs.Mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here (needs root)";
    BkfWriter w;
    w.Sset("Daily").Dirb({"d"}).File("one", Pattern(100000, 1)).File("too big", Pattern(300000, 2));
    for (int k = 0; k < 5; ++k)
        w.File("after" + std::to_string(k), "x");
    w.ZeroSlots(2);
    TempFile backup(w.Bytes());
    const auto r = RunRecover({"extract", backup.Path(), mountPoint.Path()});
    EXPECT_EQ(r.status, 2) << Describe(r);
    const std::vector<std::string> lines = Lines(r.err);
    ASSERT_EQ(lines.size(), 3u) << r.err;
    EXPECT_EQ(lines[0].rfind("bkf-recover: BKF/BACKUP SET 1(_Daily)/d/too big: write failed after ", 0), 0u);
    EXPECT_NE(lines[0].find(" of 300000 bytes (No space left on device): kept as too big.partial"), std::string::npos);
    EXPECT_EQ(lines[1], "bkf-recover: 5 files not saved: the disk is full");
}

// The report of one run in a child, as text: the child may write no file
// beyond the limit, so it hands its report back through a pipe.
std::string SerializeReport(const ExtractionReport& report)
{
    std::ostringstream out;
    out << report.rootFolder << '\n' << report.completed << ' ' << report.filesSaved << ' ' << report.bytesSaved << '\n';
    for (const SaveFailure& failure : report.failures)
        out << failure.row << ' ' << static_cast<int>(failure.kind) << ' ' << failure.bytesWritten << ' '
            << failure.bytesExpected << ' ' << (failure.reason.empty() ? "-" : "reason") << ' '
            << (failure.keptAs.empty() ? "-" : failure.keptAs) << '\n';
    return out.str();
}

ExtractionReport ParseReport(const std::string& text)
{
    ExtractionReport report;
    std::istringstream in(text);
    std::getline(in, report.rootFolder);
    in >> report.completed >> report.filesSaved >> report.bytesSaved;
    SaveFailure failure;
    int kind = 0;
    std::string reason;
    while (in >> failure.row >> kind >> failure.bytesWritten >> failure.bytesExpected >> reason
           && std::getline(in >> std::ws, failure.keptAs)) {
        failure.kind = static_cast<SaveFailureKind>(kind);
        failure.reason = reason == "-" ? std::string() : reason;
        failure.keptAs = failure.keptAs == "-" ? std::string() : failure.keptAs;
        report.failures.push_back(failure);
    }
    report.rootCreated = !report.rootFolder.empty();
    return report;
}

TEST(DiskFullTest, FileSizeLimitEndsTheFileThatCrossesItAndTheRunGoesOn)
{
    constexpr rlim_t kLimit = 100000;
    const Bytes backup = Pattern(700000, 13);
    TempFile file(backup);
    const std::vector<Row> rows = {
        {"BKF\\S\\small", 50000, 7},         {"BKF\\S\\crosses", 150000, 50007},
        {"BKF\\S\\after", 1000, 200007},      {"BKF\\S\\at the limit", kLimit, 300007},
        {"BKF\\S\\one past", kLimit + 1, 1},  {"BKF\\S\\far past", 3 * 65536 + 5, 400000},
        {"BKF\\S\\empty", 0, 0},
    };
    CatalogueStore store;
    Fill(store, rows);
    TempDir dest;

    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const auto status = RunInChild([&] {
        ::close(pipeFds[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{kLimit, kLimit};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return 2;
        const std::string text = SerializeReport(ExtractInto(file.Path(), store, dest.Path()));
        const bool sent = ::write(pipeFds[1], text.data(), text.size()) == static_cast<ssize_t>(text.size());
        ::close(pipeFds[1]);
        return sent ? 0 : 3;
    });
    ::close(pipeFds[1]);
    std::string text;
    char buffer[4096];
    for (ssize_t got; (got = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(got));
    ::close(pipeFds[0]);
    ASSERT_TRUE(status) << "the child hung or died";
    ASSERT_EQ(*status, 0);

    const ExtractionReport report = ParseReport(text);
    ASSERT_TRUE(report.rootCreated) << text;
    EXPECT_TRUE(report.completed) << text;
    ExpectReportMatchesDisk(report, rows, backup);
    std::vector<std::size_t> failedRows;
    for (const SaveFailure& failure : report.failures) {
        failedRows.push_back(failure.row);
        EXPECT_EQ(failure.kind, SaveFailureKind::WriteFailed) << text;
    }
    EXPECT_EQ(failedRows, (std::vector<std::size_t>{1, 4, 5})) << text;
}

} // namespace
