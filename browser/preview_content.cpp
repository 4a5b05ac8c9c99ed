// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview_content.h"

#include "utf8.h"

#include <QBuffer>
#include <QImageReader>
#include <QStringDecoder>

#include <algorithm>
#include <iterator>
#include <optional>
#include <string_view>

namespace {

// Enough of the start to tell text from binary data.
constexpr int kSample = 8192;

// Formats told by their signatures; those told by weaker tests (XBM's
// "#define", say) would take C sources for pictures.
bool IsPicture(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const QByteArray format = QImageReader::imageFormat(&buffer);
    static const QByteArray kFormats[] = {"png", "jpeg", "jpg", "gif", "bmp", "webp", "tiff", "ico"};
    return std::find(std::begin(kFormats), std::end(kFormats), format) != std::end(kFormats);
}

bool StartsWith(const QByteArray& bytes, const char* mark)
{
    return bytes.startsWith(QByteArray(mark));
}

// A control character other than tab, line feed, form feed and carriage return.
bool IsControl(unsigned char byte)
{
    return (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\f' && byte != '\r') || byte == 0x7F;
}

// Few enough control characters (at most one in a hundred) for text.
bool FewControls(const QByteArray& sample)
{
    const auto controls = std::count_if(sample.begin(), sample.end(),
                                        [](char c) { return IsControl(static_cast<unsigned char>(c)); });
    return controls * 100 <= sample.size();
}

// UTF-16 without a mark: every other byte of Latin text is NUL.
std::optional<TextEncoding> Utf16ByNuls(const QByteArray& sample)
{
    int evenNuls = 0;
    int oddNuls = 0;
    for (int at = 0; at + 1 < sample.size(); at += 2) {
        evenNuls += sample[at] == '\0' ? 1 : 0;
        oddNuls += sample[at + 1] == '\0' ? 1 : 0;
    }
    const int pairs = static_cast<int>(sample.size() / 2);
    if (pairs == 0)
        return std::nullopt;
    if (oddNuls * 10 >= pairs * 4 && evenNuls * 20 <= pairs)
        return TextEncoding::Utf16LE;
    if (evenNuls * 10 >= pairs * 4 && oddNuls * 20 <= pairs)
        return TextEncoding::Utf16BE;
    return std::nullopt;
}

// The start of a character whose last bytes are missing.
bool IsCutCharacter(std::string_view rest)
{
    const auto lead = static_cast<unsigned char>(rest[0]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    return rest.size() < length && std::all_of(rest.begin() + 1, rest.end(), [](char c) {
               return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
           });
}

// Valid UTF-8 up to a character cut off at the end.
bool IsUtf8(const QByteArray& bytes)
{
    const std::string_view text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    for (std::size_t at = 0; at < text.size();) {
        if (static_cast<unsigned char>(text[at]) < 0x80)
            ++at; // the common case, without a call
        else if (!NextCodePoint(text, at))
            return IsCutCharacter(text.substr(at));
    }
    return true;
}

} // namespace

PreviewChoice ChoosePreview(const QByteArray& bytes)
{
    if (IsPicture(bytes))
        return {PreviewKind::Image, TextEncoding::Utf8};
    if (StartsWith(bytes, "\xEF\xBB\xBF"))
        return {PreviewKind::Text, TextEncoding::Utf8};
    if (StartsWith(bytes, "\xFF\xFE"))
        return {PreviewKind::Text, TextEncoding::Utf16LE};
    if (StartsWith(bytes, "\xFE\xFF"))
        return {PreviewKind::Text, TextEncoding::Utf16BE};
    const QByteArray sample = bytes.left(kSample);
    if (const auto utf16 = Utf16ByNuls(sample))
        return {PreviewKind::Text, *utf16};
    if (sample.contains('\0') || !FewControls(sample))
        return {PreviewKind::Hex, TextEncoding::Utf8};
    return {PreviewKind::Text, IsUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Latin1};
}

QString DecodePreviewText(const QByteArray& bytes, TextEncoding encoding)
{
    QStringConverter::Encoding qtEncoding = QStringConverter::Utf8;
    switch (encoding) {
    case TextEncoding::Utf8: qtEncoding = QStringConverter::Utf8; break;
    case TextEncoding::Utf16LE: qtEncoding = QStringConverter::Utf16LE; break;
    case TextEncoding::Utf16BE: qtEncoding = QStringConverter::Utf16BE; break;
    case TextEncoding::Latin1: return QString::fromLatin1(bytes);
    }
    QStringDecoder decoder(qtEncoding, QStringConverter::Flag::ConvertInvalidToNull);
    return decoder.decode(bytes);
}

QString HexDump(const QByteArray& bytes)
{
    const QByteArray shown = bytes.left(static_cast<qsizetype>(kHexPreviewBytes));
    QString text;
    text.reserve(static_cast<qsizetype>(shown.size() / 16 + 1) * 78);
    for (qsizetype line = 0; line < shown.size(); line += 16) {
        const QByteArray row = shown.mid(line, 16);
        QString hex = QString::fromLatin1(row.toHex(' '));
        QString plain;
        for (const char c : row) {
            const auto byte = static_cast<unsigned char>(c);
            plain += byte >= 0x20 && byte < 0x7F ? QChar(c) : QChar('.');
        }
        text += QStringLiteral("%1  %2  %3\n").arg(line, 8, 16, QChar('0')).arg(hex, -47).arg(plain);
    }
    return text;
}

QString EncodingName(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8: return QStringLiteral("UTF-8");
    case TextEncoding::Utf16LE: return QStringLiteral("UTF-16LE");
    case TextEncoding::Utf16BE: return QStringLiteral("UTF-16BE");
    case TextEncoding::Latin1: return QStringLiteral("Latin-1");
    }
    return QString();
}
