// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes a save copies come from a read-ahead over the chosen ranges;
// whatever the order the ranges are then asked for in, each slice holds the
// backup's own bytes.

#include "copy_source.h"
#include "extraction_support.h"
#include "temp_path.h"

using namespace extraction_test;

namespace {

struct Ask {
    std::size_t range; // index into the ranges read ahead
    ByteRange bytes;   // what is copied of it
};

} // namespace

TEST(CopySourceTest, EverySliceHoldsTheBackupsBytesWhateverIsPassedOverOrAskedOutOfOrder)
{
    const Bytes data = Pattern(3 << 20, 7);
    TempFile file(data);
    BkfFileHandle backup;
    ASSERT_TRUE(backup.Open(file.Path()));
    const std::vector<ByteRange> ahead = {{100, 200000}, {300000, 0}, {300000, 5}, {400000, 2 << 20}, {7, 70000}};
    const struct {
        const char* name;
        bool readAhead;
        std::vector<Ask> asks;
    } cases[] = {
        {"all, in order", true, {{0, ahead[0]}, {2, ahead[2]}, {3, ahead[3]}, {4, ahead[4]}}},
        {"the first and third passed over", true, {{1, ahead[1]}, {3, ahead[3]}, {4, ahead[4]}}},
        {"a range cut short", true, {{0, {100, 70000}}, {3, ahead[3]}}},
        {"out of order and unknown", true, {{3, ahead[3]}, {0, ahead[0]}, {9, {5, 100}}, {4, ahead[4]}}},
        {"nothing read ahead", false, {{0, ahead[0]}, {3, ahead[3]}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CopySource source(backup, c.readAhead ? ahead : std::vector<ByteRange>{});
        for (const Ask& ask : c.asks) {
            for (std::uint64_t at = ask.bytes.offset; at < ask.bytes.End();) {
                const CopySource::Piece& piece = source.Read(ask.range, at, ask.bytes.End());
                ASSERT_GT(piece.bytes.size(), 0u);
                ASSERT_LE(piece.bytes.size(), CopySource::kSliceSize);
                ASSERT_TRUE(std::equal(piece.bytes.data(), piece.bytes.data() + piece.bytes.size(),
                                       data.begin() + static_cast<std::ptrdiff_t>(at)))
                    << "range " << ask.range << " at " << at;
                EXPECT_TRUE(piece.unreadable.empty());
                at += piece.bytes.size();
            }
        }
    }
}
