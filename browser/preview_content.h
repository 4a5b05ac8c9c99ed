// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a preview shows of a file's first bytes: text (its encoding guessed
// from the bytes), an image Qt can read, or else a hex view.

#include <QByteArray>
#include <QString>

#include <cstddef>

enum class PreviewKind { Text, Image, Hex };
enum class TextEncoding { Utf8, Utf16LE, Utf16BE, Latin1 };

struct PreviewChoice {
    PreviewKind kind = PreviewKind::Hex;
    TextEncoding encoding = TextEncoding::Utf8; // for text
    bool operator==(const PreviewChoice& other) const
    {
        return kind == other.kind && (kind != PreviewKind::Text || encoding == other.encoding);
    }
};

// A text preview shows the first mebibyte, a hex view the first 64 KiB.
constexpr std::size_t kTextPreviewBytes = std::size_t{1} << 20;
constexpr std::size_t kHexPreviewBytes = std::size_t{64} << 10;

// From the bytes alone: a picture format Qt reads, else text by its byte
// order mark, its pattern of NULs (UTF-16 without a mark), valid UTF-8 or
// Latin-1 with few control characters; else a hex view. `bytes` may end in
// the middle of a character (a file cut at the preview's limit).
PreviewChoice ChoosePreview(const QByteArray& bytes);
// The text of `bytes` in `encoding`, without a byte order mark.
QString DecodePreviewText(const QByteArray& bytes, TextEncoding encoding);
// "00000000  48 65 6c 6c 6f 0a ...  Hello." lines, 16 bytes each, of at most
// the first kHexPreviewBytes.
QString HexDump(const QByteArray& bytes);
// The name of the encoding as the preview's header shows it.
QString EncodingName(TextEncoding encoding);
