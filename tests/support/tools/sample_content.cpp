// SPDX-License-Identifier: GPL-3.0-or-later
#include "sample_content.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace sample_content {

namespace {

// A 48 x 32 beach (sky, sea, sand, sun) at quality 60, made once with
// ImageMagick and kept as bytes so that the tool needs no image library.
const std::uint8_t kBeachJpeg[] = {
    0xff, 0xd8, 0xff, 0xe0, 0x00, 0x10, 0x4a, 0x46, 0x49, 0x46, 0x00, 0x01, 0x01, 0x00, 0x00, 0x01,
    0x00, 0x01, 0x00, 0x00, 0xff, 0xdb, 0x00, 0x43, 0x00, 0x0d, 0x09, 0x0a, 0x0b, 0x0a, 0x08, 0x0d,
    0x0b, 0x0a, 0x0b, 0x0e, 0x0e, 0x0d, 0x0f, 0x13, 0x20, 0x15, 0x13, 0x12, 0x12, 0x13, 0x27, 0x1c,
    0x1e, 0x17, 0x20, 0x2e, 0x29, 0x31, 0x30, 0x2e, 0x29, 0x2d, 0x2c, 0x33, 0x3a, 0x4a, 0x3e, 0x33,
    0x36, 0x46, 0x37, 0x2c, 0x2d, 0x40, 0x57, 0x41, 0x46, 0x4c, 0x4e, 0x52, 0x53, 0x52, 0x32, 0x3e,
    0x5a, 0x61, 0x5a, 0x50, 0x60, 0x4a, 0x51, 0x52, 0x4f, 0xff, 0xdb, 0x00, 0x43, 0x01, 0x0e, 0x0e,
    0x0e, 0x13, 0x11, 0x13, 0x26, 0x15, 0x15, 0x26, 0x4f, 0x35, 0x2d, 0x35, 0x4f, 0x4f, 0x4f, 0x4f,
    0x4f, 0x4f, 0x4f, 0x4f, 0x4f, 0x4f, 0x4f, 0x4f, 0x4f, 0x4f, 0x4f, 0x4f, 0x4f, 0x4f, 0x4f, 0x4f,
    0x4f, 0x4f, 0x4f, 0x4f, 0x4f, 0x4f, 0x4f, 0x4f, 0x4f, 0x4f, 0x4f, 0x4f, 0x4f, 0x4f, 0x4f, 0x4f,
    0x4f, 0x4f, 0x4f, 0x4f, 0x4f, 0x4f, 0x4f, 0x4f, 0x4f, 0x4f, 0x4f, 0x4f, 0x4f, 0x4f, 0xff, 0xc0,
    0x00, 0x11, 0x08, 0x00, 0x20, 0x00, 0x30, 0x03, 0x01, 0x22, 0x00, 0x02, 0x11, 0x01, 0x03, 0x11,
    0x01, 0xff, 0xc4, 0x00, 0x17, 0x00, 0x01, 0x01, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x06, 0x04, 0x05, 0xff, 0xc4, 0x00, 0x22, 0x10, 0x00,
    0x02, 0x00, 0x06, 0x02, 0x03, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x01, 0x02, 0x03, 0x05, 0x15, 0x51, 0x93, 0x11, 0xd1, 0x04, 0x12, 0x31, 0x21, 0xa1, 0xff, 0xc4,
    0x00, 0x17, 0x01, 0x01, 0x01, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x04, 0x05, 0x03, 0xff, 0xc4, 0x00, 0x20, 0x11, 0x00, 0x02, 0x01, 0x03,
    0x05, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x03, 0x51,
    0x81, 0xf0, 0x02, 0x04, 0x13, 0x14, 0x15, 0x21, 0x41, 0xff, 0xda, 0x00, 0x0c, 0x03, 0x01, 0x00,
    0x02, 0x11, 0x03, 0x11, 0x00, 0x3f, 0x00, 0xa1, 0x00, 0x1a, 0x46, 0x40, 0x00, 0x00, 0x69, 0x87,
    0xc3, 0x8d, 0xc1, 0xed, 0xec, 0x93, 0xc1, 0x9d, 0xae, 0x1f, 0x0f, 0xea, 0x35, 0xc3, 0xe6, 0x25,
    0x07, 0xec, 0x2d, 0xc5, 0xfc, 0x32, 0x36, 0xe2, 0x89, 0xb7, 0xf5, 0xbe, 0x48, 0xb6, 0x9a, 0xb7,
    0x2f, 0x56, 0xae, 0x65, 0xf3, 0xf0, 0xa6, 0x75, 0x0a, 0x4b, 0x8c, 0xe4, 0x5b, 0xab, 0x58, 0x9b,
    0xb9, 0x76, 0x2d, 0xd5, 0xac, 0x4d, 0xdc, 0xbb, 0x2a, 0x81, 0xc3, 0xd2, 0x96, 0x8b, 0x2e, 0x59,
    0xd0, 0x8e, 0xaf, 0x2c, 0x4a, 0xdb, 0xab, 0x58, 0x9b, 0xb9, 0x76, 0x2d, 0xd5, 0xac, 0x4d, 0xdc,
    0xbb, 0x2a, 0x80, 0xf4, 0xa5, 0xa2, 0xcb, 0x8e, 0x84, 0x75, 0x79, 0x62, 0x56, 0xdd, 0x5a, 0xc4,
    0xdd, 0xcb, 0xb1, 0x6e, 0xad, 0x62, 0x6e, 0xe5, 0xd9, 0x54, 0x07, 0xa5, 0x2d, 0x16, 0x5c, 0x74,
    0x23, 0xab, 0xcb, 0x1f, 0xff, 0xd9,
};

void Append(Bytes& out, const std::string& text)
{
    out.insert(out.end(), text.begin(), text.end());
}

void AppendBigEndian(Bytes& out, std::uint32_t value, int bytes)
{
    for (int shift = (bytes - 1) * 8; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::uint32_t Crc32(const Bytes& bytes, std::size_t from)
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = from; i < bytes.size(); ++i)
        crc = table[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(const Bytes& bytes)
{
    std::uint32_t a = 1, b = 0;
    for (const std::uint8_t byte : bytes) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

// A PNG chunk: length, type, data, and the CRC of type and data.
void AppendChunk(Bytes& png, const char* type, const Bytes& data)
{
    AppendBigEndian(png, static_cast<std::uint32_t>(data.size()), 4);
    const std::size_t typeAt = png.size();
    Append(png, type);
    png.insert(png.end(), data.begin(), data.end());
    AppendBigEndian(png, Crc32(png, typeAt), 4);
}

// A zlib stream of stored (uncompressed) deflate blocks.
Bytes StoredZlib(const Bytes& raw)
{
    Bytes out{0x78, 0x01};
    std::size_t at = 0;
    do {
        const std::size_t length = std::min<std::size_t>(raw.size() - at, 65535);
        const bool last = at + length == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<std::uint8_t>(length));
        out.push_back(static_cast<std::uint8_t>(length >> 8));
        out.push_back(static_cast<std::uint8_t>(~length));
        out.push_back(static_cast<std::uint8_t>(~length >> 8));
        out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
                   raw.begin() + static_cast<std::ptrdiff_t>(at + length));
        at += length;
    } while (at < raw.size());
    AppendBigEndian(out, Adler32(raw), 4);
    return out;
}

// Rows of RGB pixels, each after its filter byte (none): a sky from orange
// to violet over a dark sea, with the sun on the horizon.
Bytes SunsetRows(std::uint32_t width, std::uint32_t height)
{
    Bytes raw;
    const std::uint32_t horizon = height * 2 / 3;
    for (std::uint32_t y = 0; y < height; ++y) {
        raw.push_back(0);
        for (std::uint32_t x = 0; x < width; ++x) {
            const int dx = static_cast<int>(x) - static_cast<int>(width / 2);
            const int dy = static_cast<int>(y) - static_cast<int>(horizon);
            const bool sun = y < horizon && dx * dx + dy * dy < static_cast<int>(height * height / 16);
            const std::uint32_t t = y * 255 / height;
            const std::array<std::uint8_t, 3> sky{std::uint8_t(255 - t / 3), std::uint8_t(150 - t / 2),
                                                  std::uint8_t(60 + t / 2)};
            const std::array<std::uint8_t, 3> sea{20, 40, std::uint8_t(90 + (x + y) % 20)};
            const std::array<std::uint8_t, 3> pixel = sun ? std::array<std::uint8_t, 3>{255, 220, 90}
                                                          : (y < horizon ? sky : sea);
            raw.insert(raw.end(), pixel.begin(), pixel.end());
        }
    }
    return raw;
}

std::string Offset10(std::size_t offset)
{
    char text[16];
    std::snprintf(text, sizeof text, "%010zu", offset);
    return text;
}

// PDF text in parentheses: backslash, parentheses escaped.
std::string PdfString(const std::string& text)
{
    std::string out = "(";
    for (const char c : text) {
        if (c == '\\' || c == '(' || c == ')')
            out += '\\';
        out += c;
    }
    return out + ")";
}

std::string PdfContent(const std::vector<std::string>& lines)
{
    std::string content = "BT\n/F1 11 Tf\n14 TL\n56 780 Td\n";
    for (const std::string& line : lines)
        content += PdfString(line) + " Tj T*\n";
    return content + "ET\n";
}

// The whole PDF with `padding` bytes of comment lines after its header.
std::string PdfText(const std::vector<std::string>& lines, std::size_t padding)
{
    std::string pdf = "%PDF-1.4\n";
    for (; padding >= 2; padding -= std::min<std::size_t>(padding, 80)) {
        const std::size_t line = std::min<std::size_t>(padding, 80);
        pdf += "%" + std::string(line - 2, '-') + "\n";
    }
    pdf += std::string(padding, '\n'); // one byte left over: a blank line
    const std::string content = PdfContent(lines);
    const std::string objects[] = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Contents 4 0 R "
        "/Resources << /Font << /F1 5 0 R >> >> >>",
        "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "endstream",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
    };
    std::vector<std::size_t> offsets;
    for (std::size_t k = 0; k < std::size(objects); ++k) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(k + 1) + " 0 obj\n" + objects[k] + "\nendobj\n";
    }
    const std::size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(offsets.size() + 1) + "\n0000000000 65535 f \n";
    for (const std::size_t offset : offsets)
        pdf += Offset10(offset) + " 00000 n \n";
    pdf += "trailer\n<< /Size " + std::to_string(offsets.size() + 1) + " /Root 1 0 R >>\nstartxref\n"
        + std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

} // namespace

Bytes TextOfSize(const std::string& text, std::size_t size)
{
    Bytes out;
    while (out.size() < size)
        Append(out, text);
    out.resize(size);
    if (size > 0)
        out.back() = '\n';
    return out;
}

Bytes SunsetPng(std::uint32_t width, std::uint32_t height)
{
    Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    AppendBigEndian(header, width, 4);
    AppendBigEndian(header, height, 4);
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8-bit RGB, deflate, no filter, no interlace
    AppendChunk(png, "IHDR", header);
    AppendChunk(png, "IDAT", StoredZlib(SunsetRows(width, height)));
    AppendChunk(png, "IEND", {});
    return png;
}

Bytes BeachJpeg(std::size_t size)
{
    Bytes jpeg(std::begin(kBeachJpeg), std::end(kBeachJpeg));
    // Comment segments (FF FE, a length that counts itself, text) right
    // after the start-of-image marker.
    Bytes comments;
    std::size_t missing = size > jpeg.size() ? size - jpeg.size() : 0;
    while (missing >= 4) {
        std::size_t segment = std::min<std::size_t>(missing, 65537);
        if (missing - segment > 0 && missing - segment < 4)
            segment -= 4;
        comments.insert(comments.end(), {0xFF, 0xFE});
        AppendBigEndian(comments, static_cast<std::uint32_t>(segment - 2), 2);
        Append(comments, std::string(segment - 4, ' '));
        missing -= segment;
    }
    jpeg.insert(jpeg.begin() + 2, comments.begin(), comments.end());
    return jpeg;
}

Bytes PdfOfLines(const std::vector<std::string>& lines, std::size_t size)
{
    // Padding moves the cross-reference table, whose offset may then take
    // more digits: measured again until the size fits.
    std::string pdf = PdfText(lines, 0);
    std::size_t padding = 0;
    for (int measure = 0; measure < 3 && pdf.size() != size; ++measure) {
        if (pdf.size() < size)
            padding += size - pdf.size();
        else if (padding >= pdf.size() - size)
            padding -= pdf.size() - size;
        else
            break;
        pdf = PdfText(lines, padding);
    }
    return Bytes(pdf.begin(), pdf.end());
}

Bytes Noise(std::size_t size, std::uint32_t seed)
{
    Bytes bytes(size);
    std::uint32_t state = seed * 2654435761u + 1;
    for (auto& byte : bytes) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<std::uint8_t>(state >> 24);
    }
    return bytes;
}

} // namespace sample_content
