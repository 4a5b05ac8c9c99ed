// SPDX-License-Identifier: GPL-3.0-or-later
// A mounted file's read: into the pipe only when every byte of it read, so
// that an unreadable sector still reads as zeros and the pipe is left empty.

#include "failing_file.h"
#include "file_contents.h"
#include "spliced_read.h"
#include "temp_path.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

using namespace test_files;

// What the pipe holds after a take of `length` bytes (emptied by reading).
Bytes PipeBytes(const SplicedRead& read, std::size_t length)
{
    Bytes bytes(length);
    std::size_t got = 0;
    while (got < length) {
        const ssize_t n = ::read(read.PipeOut(), bytes.data() + got, length - got);
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return bytes;
}

Bytes Taken(SplicedRead& read, const BkfFileHandle& file, std::uint64_t position, std::size_t length, bool& piped)
{
    piped = read.Take(file, position, length);
    return piped ? PipeBytes(read, length) : Bytes(read.Bytes().data(), read.Bytes().data() + read.Bytes().size());
}

TEST(SplicedReadTest, PipesOnlyWholeReadsAndReadsUnreadableSectorsAsZeros)
{
    const Bytes original = Pattern(3 << 20, 9);
    const TempFile backup(original);
    struct Case {
        std::uint64_t position;
        std::size_t length;
        std::uint64_t badSector; // 0: none
        bool piped;
    } const cases[] = {
        {1234, 256 << 10, 0, true},                      // clean, off the page grid
        {4096, (1 << 20) - 4096, 0, true},               // as long as the pipe takes
        {1000, 3 << 19, 0, false},                       // longer than the pipe: copied
        {1234, 256 << 10, 100 * 512, false},             // a bad sector inside: copied, zeros
        {1234, 256 << 10, 1024, false},                  // the range starts in a bad sector
    };
    for (const Case& c : cases) {
        FailingFile file;
        ASSERT_TRUE(file.Open(backup.Path()));
        if (c.badSector != 0)
            file.FailRange(c.badSector, 512);
        Bytes expected = Slice(original, c.position, c.length);
        for (std::uint64_t at = std::max(c.badSector, c.position); c.badSector != 0 && at < c.badSector + 512; ++at)
            expected[at - c.position] = 0;
        SplicedRead read;
        bool piped = false;
        EXPECT_EQ(Taken(read, file, c.position, c.length, piped), expected) << c.position << " " << c.length;
        EXPECT_EQ(piped, c.piped) << c.position << " " << c.length;
        // Nothing of a take that fell back is left in the pipe for the next one.
        EXPECT_EQ(Taken(read, file, 2 << 20, 5000, piped), Slice(original, 2 << 20, 5000));
    }
}

} // namespace
