// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a large synthetic backup straight to disk, block by block, for the
// benchmarks. Only a few MiB are ever held in memory, whatever the size.
//
//   make_backup OUT --files N --dirs D --file-size BYTES [--set-name NAME]
//               [--drives V] [--security] [--catalogue]
//
// Layout: TAPE, SSET; then per drive a VOLB and its share of the folders;
// per folder a DIRB; then per file of that folder a FILE block whose first
// slot holds the name and the stream headers (with --security a NACL stream
// whose SID has a sub-authority spelling "STAN" before the STAN stream),
// followed by the data, padded to the next 512-byte boundary; ESET at the end.
// With --catalogue the set ends as the Windows utility ends it: a filemark,
// an ESET whose first event is the set's catalogue ("TFDD": an entry per
// VOLB, DIRB and FILE block at its logical block) on the next slot, the set
// map ("TSMP"), a second ESET holding both streams' slot numbers and a
// filemark. Only the fields
// that the scan reads are filled: the block tag, the name size and offset
// pairs (names in UTF-16LE), the set number, the directory IDs, the "offset
// to first event", the common header and stream header checksums and the
// stream headers' tags and lengths. The data are a cheap non-zero pattern
// that holds no block tag.

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/types.h>
#include <vector>

#include "set_catalogue_encoder.h"
#include "set_catalogue_format.h"

namespace {

constexpr std::size_t kSlot = 512;
constexpr std::size_t kFileNameOffset = 0x60; // the FILE block's name, after its fixed fields
constexpr std::size_t kFileStreamAt = 0x100;  // the first stream header inside the FILE block's first slot
constexpr std::size_t kFirstEvent = 8;        // the block's "offset to first event"
constexpr std::size_t kDirectoryId = 76;      // DIRB and FILE: the directory ID
// A security descriptor whose owner SID is S-1-5-21-1312904275-2-3-1001:
// 1312904275 is 0x4E415453, whose bytes spell "STAN".
constexpr std::uint8_t kSecurity[] = {1, 0, 0, 0, 20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                      1, 5, 0, 0, 0, 0, 0, 5, 21, 0, 0, 0, 'S', 'T', 'A', 'N',
                                      2, 0, 0, 0, 3, 0, 0, 0, 0xE9, 3, 0, 0};
constexpr std::size_t kStreamHeaderSize = 22;
constexpr std::size_t kPatternPeriod = 251;   // prime, so the pattern never lines up with the slots
constexpr std::size_t kChunk = 4u << 20;

struct Options {
    std::string out;
    std::uint64_t files = 1000;
    std::uint64_t dirs = 10;
    std::uint64_t fileSize = 65536;
    std::string setName = "Benchmark set";
    std::uint64_t drives = 1;
    bool security = false;
    bool catalogue = false;
};

[[noreturn]] void Usage(const char* message = nullptr)
{
    if (message)
        std::fprintf(stderr, "make_backup: %s\n", message);
    std::fprintf(stderr,
                 "usage: make_backup OUT --files N --dirs D --file-size BYTES [--set-name NAME]\n"
                 "                   [--drives V] [--security] [--catalogue]\n"
                 "Writes a synthetic backup of N files of BYTES bytes each, spread evenly over D folders\n"
                 "on V drives; --security gives each file a security stream, --catalogue the set a catalogue.\n");
    std::exit(message ? 1 : 0);
}

std::uint64_t ParseCount(const char* text, const char* option)
{
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || text[0] == '-')
        Usage((std::string("bad number for ") + option + ": " + text).c_str());
    return value;
}

Options ParseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> const char* {
            if (i + 1 >= argc)
                Usage((arg + " needs a value").c_str());
            return argv[++i];
        };
        if (arg == "-h" || arg == "--help")
            Usage();
        else if (arg == "--files")
            options.files = ParseCount(value(), "--files");
        else if (arg == "--dirs")
            options.dirs = ParseCount(value(), "--dirs");
        else if (arg == "--file-size")
            options.fileSize = ParseCount(value(), "--file-size");
        else if (arg == "--set-name")
            options.setName = value();
        else if (arg == "--drives")
            options.drives = ParseCount(value(), "--drives");
        else if (arg == "--security")
            options.security = true;
        else if (arg == "--catalogue")
            options.catalogue = true;
        else if (!arg.empty() && arg[0] == '-')
            Usage(("unknown option " + arg).c_str());
        else if (options.out.empty())
            options.out = arg;
        else
            Usage("more than one output file");
    }
    if (options.out.empty())
        Usage("no output file");
    if (options.dirs == 0 || options.drives == 0)
        Usage("--dirs and --drives must be at least 1");
    return options;
}

std::u16string Ascii16(const std::string& text)
{
    return std::u16string(text.begin(), text.end());
}

class BackupWriter {
public:
    explicit BackupWriter(const std::string& path) : m_path(path)
    {
        m_file = std::fopen(path.c_str(), "wb");
        if (!m_file) {
            std::fprintf(stderr, "make_backup: cannot create %s: %s\n", path.c_str(), std::strerror(errno));
            std::exit(1);
        }
        std::setvbuf(m_file, nullptr, _IOFBF, kChunk);
        // The data pattern, long enough for any chunk to start anywhere in a period.
        m_pattern.resize(kChunk + kPatternPeriod);
        for (std::size_t i = 0; i < m_pattern.size(); ++i)
            m_pattern[i] = static_cast<std::uint8_t>(0x80 + (i * 37) % kPatternPeriod % 120);
    }

    ~BackupWriter()
    {
        if (m_file)
            std::fclose(m_file);
    }

    std::uint64_t Position() const { return m_position; }

    // A block of one slot with its tag; fields are filled through Put16/Put64.
    void BeginBlock(const char* tag)
    {
        std::fill(std::begin(m_block), std::end(m_block), std::uint8_t{0});
        std::memcpy(m_block, tag, 4);
    }
    void PutTag(std::size_t at, const char* tag) { std::memcpy(m_block + at, tag, 4); }
    void Put16(std::size_t at, std::uint16_t value)
    {
        m_block[at] = static_cast<std::uint8_t>(value);
        m_block[at + 1] = static_cast<std::uint8_t>(value >> 8);
    }
    void Put32(std::size_t at, std::uint32_t value)
    {
        Put16(at, static_cast<std::uint16_t>(value));
        Put16(at + 2, static_cast<std::uint16_t>(value >> 16));
    }
    void Put64(std::size_t at, std::uint64_t value)
    {
        for (int i = 0; i < 8; ++i)
            m_block[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    }
    void PutName(std::size_t sizeField, std::size_t offset, const std::u16string& units)
    {
        if (offset + units.size() * 2 > kSlot) {
            std::fprintf(stderr, "make_backup: name too long\n");
            std::exit(1);
        }
        Put16(sizeField, static_cast<std::uint16_t>(units.size() * 2));
        Put16(sizeField + 2, static_cast<std::uint16_t>(offset));
        for (std::size_t i = 0; i < units.size(); ++i)
            Put16(offset + 2 * i, units[i]);
    }
    // A stream header at `at` with its checksum (the XOR of the ten words before it).
    void PutStream(std::size_t at, const char* tag, std::uint64_t length)
    {
        PutTag(at, tag);
        Put64(at + 8, length);
        Put16(at + 20, Xor(at, 20));
    }
    void PutBytes(std::size_t at, const std::uint8_t* bytes, std::size_t length)
    {
        std::memcpy(m_block + at, bytes, length);
    }
    const std::uint8_t* Block() const { return m_block; }
    // Seals the common header (its checksum word at 50 is the XOR of the 25
    // words before it, so that the deep scan finds the block off the grid too)
    // and writes the block's slot, or its first `length` bytes when data follow.
    void EndBlock(std::size_t length = kSlot)
    {
        Put16(50, Xor(0, 50));
        Write(m_block, length);
    }
    // Raw bytes, for the catalogue's entries.
    void Raw(const void* data, std::size_t size) { Write(data, size); }
    // Writes `size` bytes over what was written at `position`, then goes on at the end.
    void Overwrite(std::uint64_t position, const void* data, std::size_t size)
    {
        if (std::fflush(m_file) != 0 || fseeko(m_file, static_cast<off_t>(position), SEEK_SET) != 0
            || std::fwrite(data, 1, size, m_file) != size || fseeko(m_file, 0, SEEK_END) != 0) {
            std::fprintf(stderr, "make_backup: cannot write %s: %s\n", m_path.c_str(), std::strerror(errno));
            std::exit(1);
        }
    }
    // Zeros up to the next slot boundary.
    void PadToSlot()
    {
        static const std::uint8_t zeros[kSlot] = {};
        if (const std::size_t tail = static_cast<std::size_t>(m_position % kSlot))
            Write(zeros, kSlot - tail);
    }

    // `size` bytes of the pattern, then zeros up to the next slot boundary.
    void Data(std::uint64_t size)
    {
        while (size > 0) {
            const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(size, kChunk));
            Write(m_pattern.data() + m_position % kPatternPeriod, n);
            size -= n;
        }
        PadToSlot();
    }

    void Finish()
    {
        if (std::fflush(m_file) != 0 || std::ferror(m_file) || std::fclose(m_file) != 0) {
            m_file = nullptr;
            std::fprintf(stderr, "make_backup: cannot write %s: %s\n", m_path.c_str(), std::strerror(errno));
            std::exit(1);
        }
        m_file = nullptr;
    }

private:
    std::uint16_t Xor(std::size_t from, std::size_t bytes) const
    {
        std::uint16_t sum = 0;
        for (std::size_t at = from; at < from + bytes; at += 2)
            sum = static_cast<std::uint16_t>(sum ^ (m_block[at] | (m_block[at + 1] << 8)));
        return sum;
    }
    void Write(const void* data, std::size_t size)
    {
        if (std::fwrite(data, 1, size, m_file) != size) {
            std::fprintf(stderr, "make_backup: cannot write %s: %s\n", m_path.c_str(), std::strerror(errno));
            std::exit(1);
        }
        m_position += size;
    }

    std::string m_path;
    std::FILE* m_file = nullptr;
    std::uint64_t m_position = 0;
    std::uint8_t m_block[kSlot];
    std::vector<std::uint8_t> m_pattern;
};

// The path of folder `dir`: one component followed by a NUL unit.
std::u16string FolderPath(std::uint64_t dir)
{
    char name[64];
    std::snprintf(name, sizeof name, "folder%05" PRIu64, dir);
    return Ascii16(name) + u'\0';
}

std::u16string FileName(std::uint64_t index)
{
    char name[64];
    std::snprintf(name, sizeof name, "file%07" PRIu64 ".dat", index);
    return Ascii16(name);
}

std::vector<std::uint16_t> Units(const std::u16string& text)
{
    return std::vector<std::uint16_t>(text.begin(), text.end());
}

// The DIRB of folder `dir` (directory ID dir + 1) in the block buffer.
void DirbBlock(BackupWriter& out, std::uint64_t dir)
{
    out.BeginBlock("DIRB");
    out.PutName(0x50, 0x60, FolderPath(dir));
    out.Put32(kDirectoryId, static_cast<std::uint32_t>(dir + 1));
}

// The FILE block of file `index` in folder `dir` in the block buffer;
// returns the bytes of the block before its data.
std::size_t FileBlock(BackupWriter& out, std::uint64_t index, std::uint64_t dir, const Options& options)
{
    out.BeginBlock("FILE");
    out.PutName(0x54, kFileNameOffset, FileName(index));
    out.Put32(kDirectoryId, static_cast<std::uint32_t>(dir + 1));
    out.Put16(kFirstEvent, kFileStreamAt);
    std::size_t stan = kFileStreamAt;
    if (options.security) {
        out.PutStream(kFileStreamAt, "NACL", sizeof kSecurity);
        out.PutBytes(kFileStreamAt + kStreamHeaderSize, kSecurity, sizeof kSecurity);
        stan += (kStreamHeaderSize + sizeof kSecurity + 3) / 4 * 4;
    }
    out.PutStream(stan, "STAN", options.fileSize);
    return stan + kStreamHeaderSize;
}

// The files of folder `dir`, spread evenly; the first folders take the remainder.
std::uint64_t FilesIn(std::uint64_t dir, const Options& options)
{
    return options.files / options.dirs + (dir < options.files % options.dirs ? 1 : 0);
}

// Where the set's blocks lie, in logical blocks from its SSET, for its catalogue.
struct SetAddresses {
    std::vector<std::uint64_t> volumes;
    std::vector<std::uint64_t> folders;
    std::vector<std::uint64_t> files;
};

// A pad stream from the 4-byte grid after the bytes written up to the next slot.
void PadStream(BackupWriter& out)
{
    static const std::uint8_t zeros[kStreamHeaderSize + 4] = {};
    out.Raw(zeros, static_cast<std::size_t>((4 - out.Position() % 4) % 4));
    const std::uint64_t data = out.Position() + kStreamHeaderSize;
    out.BeginBlock("SPAD");
    out.PutStream(0, "SPAD", (data + kSlot - 1) / kSlot * kSlot - data);
    out.Raw(out.Block(), kStreamHeaderSize);
    out.PadToSlot();
}

// The set's catalogue after its last file; its entries are written a folder at a time.
void Catalogue(BackupWriter& out, const Options& options, const SetAddresses& addresses)
{
    namespace Format = SetCatalogueFormat;
    out.BeginBlock("SFMB");
    out.EndBlock();
    out.BeginBlock("ESET");
    out.Put16(kFirstEvent, kSlot);
    out.EndBlock();
    const std::uint64_t detailHeader = out.Position();
    out.BeginBlock("TFDD");
    out.Raw(out.Block(), kStreamHeaderSize); // its length is known at the end
    SetCatalogueEncoder entries;
    const auto flush = [&](bool all) {
        const std::vector<std::uint8_t> bytes = entries.Take(all);
        out.Raw(bytes.data(), bytes.size());
    };
    std::uint64_t fileIndex = 0;
    std::size_t volume = 0;
    for (std::uint64_t dir = 0; dir < options.dirs; ++dir) {
        if (dir * options.drives % options.dirs < options.drives)
            entries.Volume(addresses.volumes[volume++]);
        entries.Folder(Units(FolderPath(dir)), addresses.folders[dir], 0);
        flush(false);
        for (std::uint64_t i = 0; i < FilesIn(dir, options); ++i, ++fileIndex)
            entries.File(Units(FileName(fileIndex)), addresses.files[fileIndex], options.fileSize, 0);
    }
    entries.End();
    flush(true);
    out.BeginBlock("TFDD");
    out.PutStream(0, Format::kDetailStreamTag, entries.Written());
    out.Overwrite(detailHeader, out.Block(), kStreamHeaderSize);
    PadStream(out);
    const std::uint64_t setMap = out.Position();
    out.BeginBlock("TSMP");
    out.PutStream(0, Format::kSetMapStreamTag, 16);
    out.Put16(kStreamHeaderSize, 1);     // one set
    out.Put16(kStreamHeaderSize + 4, 1); // its number
    out.Raw(out.Block(), kStreamHeaderSize + 16);
    PadStream(out);
    out.BeginBlock("ESET");
    out.Put64(Format::kEsetDetailSlot, detailHeader / kSlot);
    out.Put64(Format::kEsetSetMapSlot, setMap / kSlot);
    out.EndBlock();
    out.BeginBlock("SFMB");
    out.EndBlock();
}

} // namespace

int main(int argc, char** argv)
{
    const Options options = ParseOptions(argc, argv);
    const auto start = std::chrono::steady_clock::now();
    BackupWriter out(options.out);

    out.BeginBlock("TAPE");
    out.EndBlock();

    const std::uint64_t setStart = out.Position();
    const auto address = [&] { return (out.Position() - setStart) / SetCatalogueFormat::kLogicalBlockSize; };
    SetAddresses addresses; // kept with --catalogue only
    out.BeginBlock("SSET");
    out.Put16(0x3E, 1);
    out.PutName(0x40, 0x80, Ascii16(options.setName));
    out.EndBlock();

    std::uint64_t fileIndex = 0;
    for (std::uint64_t dir = 0; dir < options.dirs; ++dir) {
        // Each drive takes an even share of the folders.
        if (dir * options.drives % options.dirs < options.drives) {
            if (options.catalogue)
                addresses.volumes.push_back(address());
            out.BeginBlock("VOLB");
            out.EndBlock();
        }
        if (options.catalogue)
            addresses.folders.push_back(address());
        DirbBlock(out, dir);
        out.EndBlock();
        for (std::uint64_t i = 0; i < FilesIn(dir, options); ++i, ++fileIndex) {
            if (options.catalogue)
                addresses.files.push_back(address());
            out.EndBlock(FileBlock(out, fileIndex, dir, options));
            out.Data(options.fileSize);
        }
    }

    if (options.catalogue) {
        Catalogue(out, options, addresses);
    } else {
        out.BeginBlock("ESET");
        out.EndBlock();
    }
    out.Finish();

    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%s: %" PRIu64 " bytes, %" PRIu64 " files in %" PRIu64 " folders, written in %.1f s\n",
                options.out.c_str(), out.Position(), fileIndex, options.dirs, seconds);
    return 0;
}
