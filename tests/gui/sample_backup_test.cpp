// SPDX-License-Identifier: GPL-3.0-or-later
// The sample backup's files are real: its pictures load as images, its texts
// are text and its invoice is a PDF whose cross-references hold, so the
// preview shows them. Its --help is an answer, not an error.

#include "tool_process.h"

#include <QFile>
#include <QImage>
#include <QRegularExpression>

#include <gtest/gtest.h>

#ifndef MAKE_SAMPLE_PATH
#error "MAKE_SAMPLE_PATH must name the make_sample_backup binary"
#endif

namespace {

QByteArray Contents(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

Tool::Result RunSample(const std::vector<std::string>& args)
{
    Tool tool(MAKE_SAMPLE_PATH, args);
    return tool.Start() ? tool.Finish() : Tool::Result{};
}

// Every entry of the PDF's cross-reference table points at its object, and
// startxref at the table.
void ExpectCrossReferencesHold(const QByteArray& pdf)
{
    ASSERT_TRUE(pdf.startsWith("%PDF-1.4\n"));
    ASSERT_TRUE(pdf.endsWith("%%EOF\n"));
    const auto startxref = QRegularExpression("startxref\n(\\d+)\n").match(QString::fromLatin1(pdf));
    ASSERT_TRUE(startxref.hasMatch());
    const qsizetype table = startxref.captured(1).toLongLong();
    ASSERT_EQ(pdf.mid(table, 5), "xref\n");
    const QList<QByteArray> lines = pdf.mid(table).split('\n');
    ASSERT_GT(lines.size(), 3);
    const int objects = lines[1].split(' ')[1].toInt();
    ASSERT_GE(objects, 2);
    for (int object = 1; object < objects; ++object) {
        SCOPED_TRACE(object);
        const qsizetype offset = lines[2 + object].left(10).toLongLong();
        EXPECT_EQ(pdf.mid(offset, 8), QByteArray::number(object) + " 0 obj\n");
    }
}

} // namespace

// Fault: the sample's pictures, texts and invoice were random bytes, and its
// --help was a usage error on stderr.
TEST(SampleBackup, HoldsRealPicturesTextsAndAPdf)
{
    const TempDir dir;
    const std::string originals = dir.Child("originals");
    const Tool::Result made = RunSample({dir.Child("sample.bkf"), originals});
    ASSERT_EQ(made.status, 0) << Describe(made);

    const std::pair<const char*, QSize> pictures[] = {{"/Pictures/Holiday 2025/beach.jpg", QSize(48, 32)},
                                                      {"/Pictures/Holiday 2025/sunset.png", QSize(40, 30)}};
    for (const auto& [name, size] : pictures) {
        SCOPED_TRACE(name);
        const QImage image = QImage::fromData(Contents(originals + name));
        EXPECT_EQ(image.size(), size);
    }
    EXPECT_EQ(Contents(originals + "/Pictures/Holiday 2025/beach.jpg").size(), 131072 + 7) << "across two windows";
    for (const char* name : {"/read me.txt", "/Documents/notes.txt"}) {
        SCOPED_TRACE(name);
        const QByteArray text = Contents(originals + name);
        EXPECT_TRUE(text.endsWith('\n'));
        EXPECT_FALSE(QRegularExpression("[^\\x20-\\x7e\\n]").match(QString::fromLatin1(text)).hasMatch());
    }
    const QByteArray pdf = Contents(originals + "/Documents/Invoices/invoice-0001.pdf");
    EXPECT_EQ(pdf.size(), 70000);
    ExpectCrossReferencesHold(pdf);
    EXPECT_TRUE(pdf.contains("(Invoice 0001) Tj"));

    const Tool::Result help = RunSample({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: "), std::string::npos);
    EXPECT_TRUE(help.err.empty());
}
