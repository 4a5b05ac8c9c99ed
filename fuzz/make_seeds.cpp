// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the seed corpus of the scan fuzzer: a few small backups, valid and
// damaged, into the folder given as the only argument.
//
//   make_seeds OUTDIR
//
// The fuzz build has no tests, so this program carries its own small block
// emitter instead of linking the tests' library. It fills only the fields that
// the scan reads: the block tag, the name size and offset pairs, the set number
// and the stream header's tag and length. The seeds with a set's own
// catalogue come from the tests' writer, compiled in.

#include "bkf_writer.h"
#include "byte_file.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kSlot = 512;
constexpr std::size_t kWindow = 65536;

class Image {
public:
    std::vector<std::uint8_t> bytes;

    void PadToSlot() { bytes.resize((bytes.size() + kSlot - 1) / kSlot * kSlot, 0); }

    // Starts a new block on the next slot boundary; returns its position.
    std::size_t Block(const char* tag)
    {
        PadToSlot();
        const std::size_t start = bytes.size();
        bytes.resize(start + kSlot, 0);
        for (int i = 0; i < 4; ++i)
            bytes[start + i] = static_cast<std::uint8_t>(tag[i]);
        return start;
    }

    void Put16(std::size_t at, std::uint16_t value)
    {
        Reserve(at + 2);
        bytes[at] = static_cast<std::uint8_t>(value);
        bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
    }
    void Put64(std::size_t at, std::uint64_t value)
    {
        Reserve(at + 8);
        for (int i = 0; i < 8; ++i)
            bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
    void PutBytes(std::size_t at, const void* data, std::size_t size)
    {
        Reserve(at + size);
        const auto* p = static_cast<const std::uint8_t*>(data);
        std::copy(p, p + size, bytes.begin() + static_cast<std::ptrdiff_t>(at));
    }

    // A name field: size and offset (from the block start) at `sizeField`
    // and `sizeField + 2`, the UTF-16LE units at `block + offset`.
    void Name(std::size_t block, std::size_t sizeField, std::size_t offset, const std::u16string& units)
    {
        Put16(block + sizeField, static_cast<std::uint16_t>(units.size() * 2));
        Put16(block + sizeField + 2, static_cast<std::uint16_t>(offset));
        for (std::size_t i = 0; i < units.size(); ++i)
            Put16(block + offset + 2 * i, units[i]);
    }

    // A stream header at `at` with `data` after it.
    void Stream(std::size_t at, const std::string& data, const char* tag = "STAN")
    {
        PutBytes(at, tag, 4);
        Put64(at + 8, data.size());
        PutBytes(at + 22, data.data(), data.size());
    }

    void Tape() { Block("TAPE"); }
    void Sset(const std::u16string& name, std::uint16_t number = 1)
    {
        const std::size_t b = Block("SSET");
        Put16(b + 0x3E, number);
        Name(b, 0x40, 0x80, name);
    }
    // Each component is followed by a NUL unit.
    void Dirb(const std::vector<std::u16string>& components)
    {
        std::u16string units;
        for (const auto& c : components) {
            units += c;
            units += u'\0';
        }
        const std::size_t b = Block("DIRB");
        Name(b, 0x50, 0x60, units);
    }
    void File(const std::u16string& name, const std::string& data, std::size_t nameOffset = 0x60,
              std::size_t streamAt = 0x100)
    {
        const std::size_t b = Block("FILE");
        Name(b, 0x54, nameOffset, name);
        Stream(b + streamAt, data);
    }
    void End() { Block("ESET"); }

private:
    void Reserve(std::size_t size)
    {
        if (bytes.size() < size)
            bytes.resize(size, 0);
    }
};

std::string Pattern(std::size_t size, unsigned seed)
{
    std::string s(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        s[i] = static_cast<char>('a' + (i * 7 + seed) % 26);
    return s;
}

Image Basic()
{
    Image m;
    m.Tape();
    m.Sset(u"Set one");
    m.Block("VOLB");
    m.Dirb({u"docs"});
    m.File(u"readme.txt", "hello, world\n");
    m.File(u"Makefile", "all:\n\ttrue\n");
    m.Dirb({u"docs", u"sub"});
    m.File(u"report.backup", Pattern(1500, 3));
    m.File(u"empty", "");
    m.End();
    return m;
}

Image Unicode()
{
    Image m;
    m.Sset(u"Zestaw \u0141\u00f3d\u017a", 7);
    m.Dirb({u"Caf\u00e9", u"\u30c7\u30fc\u30bf"});
    m.File(u"\u0141\u00f3d\u017a.txt", "polish\n");
    m.File(u"\u041f\u0440\u0438\u0432\u0435\u0442.doc", "russian\n");
    m.File(u"\u65e5\u672c\u8a9e.txt", "japanese\n");
    m.File(u"\U0001F600 smile.png", Pattern(700, 5));
    m.File(std::u16string(u"half \xD83D pair.txt"), "unpaired surrogate\n");
    m.File(std::u16string(200, u'\u00e9'), "long name\n", 0x60, 0x1F0);
    m.End();
    return m;
}

Image Hostile()
{
    Image m;
    m.Sset(u"..");
    m.Dirb({u".."});
    m.File(u"climb.txt", "x");
    m.Dirb({u"."});
    m.File(u"here.txt", "x");
    m.Dirb({u"a/b"});
    m.File(u"..", "x");
    m.File(u".", "x");
    m.File(u"x|y", "x");
    m.File(std::u16string(u"ctl\x01.txt"), "x");
    m.File(u"slash/name", "x");
    m.Dirb({u"ok"});
    std::size_t b = m.Block("FILE"); // every field at its largest
    m.Put16(b + 0x54, 0xFFFF);
    m.Put16(b + 0x56, 0xFFFF);
    b = m.Block("DIRB");
    m.Put16(b + 0x50, 0xFFFF);
    m.Put16(b + 0x52, 0xFFFF);
    b = m.Block("SSET");
    m.Put16(b + 0x40, 0xFFFF);
    m.Put16(b + 0x42, 0xFFFF);
    m.File(u"huge.bin", "");
    m.Put64(m.bytes.size() - kSlot + 0x100 + 8, ~std::uint64_t{0}); // a length of 2^64 - 1
    m.File(u"nostream.txt", "");
    m.bytes[m.bytes.size() - kSlot + 0x100] = 'X'; // no stream header
    m.File(u"odd.txt", "x");
    m.Put16(m.bytes.size() - kSlot + 0x54, 9); // odd name size
    m.End();
    return m;
}

// Blocks in the last slot of a 64 KiB window, with a name field (first edge)
// and a stream header (second edge) that run over into the next window.
void FillToSlot(Image& m, std::size_t slot)
{
    while (m.bytes.size() < slot * kSlot) // one slot per filler file
        m.File(u"filler-" + std::u16string(1, static_cast<char16_t>(u'a' + m.bytes.size() / kSlot % 26)) + u".dat",
               Pattern(200, 1));
}

Image WindowEdge()
{
    constexpr std::size_t kSlotsPerWindow = kWindow / kSlot;
    Image m;
    m.Sset(u"Edges");
    m.Dirb({u"edge"});
    FillToSlot(m, kSlotsPerWindow - 1);
    m.File(u"name-across.txt", "name across the edge\n", 0x1F8);
    FillToSlot(m, 2 * kSlotsPerWindow - 1);
    m.File(u"stream-across.txt", Pattern(4000, 2), 0x60, 0x1F0);
    m.Dirb({u"after"});
    m.File(u"after.txt", "after the edge\n");
    m.End();
    return m;
}

Image Truncated()
{
    Image m = Basic();
    m.bytes.resize(m.bytes.size() - kSlot - 300);
    m.File(u"tail.txt", Pattern(100, 6), 0x60, 0x100);
    m.bytes.resize(m.bytes.size() - kSlot + 0x58); // cut inside the name field
    return m;
}

enum class CatalogueDamage { None, LostBlocks, HostileEntries };

// A set with its own catalogue: intact; with a folder block, a file's first
// slot and another file's block and data zeroed; or with entries whose
// lengths, links and sizes point anywhere.
Image WithCatalogue(CatalogueDamage damage)
{
    BkfWriter w;
    w.Tag("TAPE").Sset("Daily").Volb().Dirb({"Backup Copies", "Invoices"});
    std::vector<FilePlacement> files;
    for (int k = 0; k < 4; ++k) {
        const std::string data(700 + 900 * static_cast<std::size_t>(k), static_cast<char>('a' + k));
        w.File("file" + std::to_string(k) + ".txt", data, FileOptions().StreamBefore("NACL", 600).Checksum());
        files.push_back(w.LastFile());
    }
    w.SetCatalogue();
    const std::size_t entries = w.LastCatalogue().detailHeader + 22;
    switch (damage) {
    case CatalogueDamage::None: break;
    case CatalogueDamage::LostBlocks:
        w.ZeroRange(files[0].block - kSlot, kSlot).ZeroRange(files[1].block, kSlot);
        w.ZeroRange(files[2].block, files[3].block - files[2].block);
        break;
    case CatalogueDamage::HostileEntries:
        for (std::size_t at = entries; at + 36 <= entries + w.LastCatalogue().detailLength; at += 68) {
            w.Put16(at, 0xFFFC).Put64(at + 20, UINT64_MAX).Put64(at + 12, UINT64_MAX / 1024);
            w.Put16(at + 28, static_cast<std::uint16_t>(at - entries)); // a link to itself
        }
        break;
    }
    return Image{w.Bytes()};
}

Image Many()
{
    Image m;
    m.Tape();
    for (std::uint16_t set = 1; set <= 2; ++set) {
        m.Sset(u"Set " + std::u16string(1, static_cast<char16_t>(u'0' + set)), set);
        for (int d = 0; d < 5; ++d) {
            m.Dirb({u"top", u"dir" + std::u16string(1, static_cast<char16_t>(u'0' + d))});
            for (int f = 0; f < 8; ++f)
                m.File(u"file" + std::u16string(1, static_cast<char16_t>(u'0' + f)) + u".bin",
                       Pattern(static_cast<std::size_t>(f) * 97, static_cast<unsigned>(d)));
        }
        m.End();
    }
    return m;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds OUTDIR\n");
        return 1;
    }
    const std::filesystem::path dir = argv[1];
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error) {
        std::fprintf(stderr, "make_seeds: cannot create %s: %s\n", argv[1], error.message().c_str());
        return 1;
    }
    const struct {
        const char* name;
        Image image;
    } seeds[] = {
        {"basic.bkf", Basic()},         {"unicode.bkf", Unicode()},     {"hostile.bkf", Hostile()},
        {"window-edge.bkf", WindowEdge()}, {"truncated.bkf", Truncated()}, {"many.bkf", Many()},
        {"catalogue.bkf", WithCatalogue(CatalogueDamage::None)},
        {"catalogue-lost-blocks.bkf", WithCatalogue(CatalogueDamage::LostBlocks)},
        {"catalogue-hostile.bkf", WithCatalogue(CatalogueDamage::HostileEntries)},
    };
    for (const auto& seed : seeds) {
        const std::filesystem::path path = dir / seed.name;
        if (!WriteBytes(path, seed.image.bytes)) {
            std::fprintf(stderr, "make_seeds: cannot write %s\n", path.string().c_str());
            return 1;
        }
        std::printf("%s (%zu bytes)\n", path.string().c_str(), seed.image.bytes.size());
    }
    return 0;
}
