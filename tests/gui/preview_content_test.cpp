// SPDX-License-Identifier: GPL-3.0-or-later
// What a preview makes of a file's first bytes: a picture, text in the
// encoding its bytes show, or hex lines.

#include "preview_content.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

namespace {

QByteArray Png()
{
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray Utf16(const QString& text, bool bigEndian)
{
    QByteArray bytes;
    for (const QChar c : text) {
        const char high = static_cast<char>(c.unicode() >> 8), low = static_cast<char>(c.unicode() & 0xFF);
        bytes.append(bigEndian ? high : low).append(bigEndian ? low : high);
    }
    return bytes;
}

} // namespace

TEST(PreviewContent, ChoosesTheKindAndEncodingFromTheBytes)
{
    using K = PreviewKind;
    using E = TextEncoding;
    const QString words = QStringLiteral("Grüße aus Köln\r\n");
    const struct {
        const char* name;
        QByteArray bytes;
        PreviewChoice expected;
        QString text; // the decoded text, for text
    } cases[] = {
        {"empty", QByteArray(), {K::Text, E::Utf8}, ""},
        {"UTF-8", words.toUtf8(), {K::Text, E::Utf8}, words},
        {"UTF-8 with mark", "\xEF\xBB\xBF" + words.toUtf8(), {K::Text, E::Utf8}, words},
        {"UTF-8 cut inside a character", QByteArray("Gr\xC3", 3), {K::Text, E::Utf8}, QString()},
        {"Latin-1", words.toLatin1(), {K::Text, E::Latin1}, words},
        {"UTF-16LE with mark", "\xFF\xFE" + Utf16(words, false), {K::Text, E::Utf16LE}, words},
        {"UTF-16LE by its NULs", Utf16(words, false), {K::Text, E::Utf16LE}, words},
        {"UTF-16BE by its NULs", Utf16(words, true), {K::Text, E::Utf16BE}, words},
        {"executable", QByteArray("\x7F" "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0\x03\0>\0", 20), {K::Hex, E::Utf8}, ""},
        {"control characters", QByteArray(200, '\x01') + "text", {K::Hex, E::Utf8}, ""},
        {"PNG", Png(), {K::Image, E::Utf8}, ""},
        {"a C source is no XBM picture", "#define icon_width 16\n#define icon_height 16\n", {K::Text, E::Utf8}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PreviewChoice choice = ChoosePreview(c.bytes);
        EXPECT_TRUE(choice == c.expected) << static_cast<int>(choice.kind) << " " << static_cast<int>(choice.encoding);
        if (!c.text.isEmpty()) {
            EXPECT_EQ(DecodePreviewText(c.bytes, choice.encoding), c.text);
        }
    }
}

TEST(PreviewContent, HexLinesShowOffsetBytesAndPrintableText)
{
    EXPECT_EQ(HexDump(QByteArray("Hi\0\xFF", 4)),
              QStringLiteral("00000000  48 69 00 ff") + QString(47 - 11, ' ') + QStringLiteral("  Hi..\n"));
    EXPECT_EQ(HexDump(QByteArray(100000, 'a')).count('\n'), 4096) << "at most the first 64 KiB";
}
