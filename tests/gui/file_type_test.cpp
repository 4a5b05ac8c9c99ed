// SPDX-License-Identifier: GPL-3.0-or-later
// ShellFileInfo: type names and icons from the extension alone, looked up
// once per extension, for whatever names a damaged backup yields.

#include "shell_file_info.h"

#include <QMimeDatabase>

#include <gtest/gtest.h>

namespace {

QString Comment(const char* mimeType)
{
    return QMimeDatabase().mimeTypeForName(QString::fromLatin1(mimeType)).comment();
}

TEST(FileTypeTest, ExtensionIsTheLowerCasedTextAfterTheLastDotOfTheLastComponent)
{
    EXPECT_EQ(ShellFileInfo::ExtensionOf(QStringLiteral("notes.TXT")), QStringLiteral("txt"));
    EXPECT_EQ(ShellFileInfo::ExtensionOf(QStringLiteral("archive.tar.gz")), QStringLiteral("gz"));
    EXPECT_EQ(ShellFileInfo::ExtensionOf(QStringLiteral(R"(BKF\S\dir.d\Makefile)")), QString());
    EXPECT_EQ(ShellFileInfo::ExtensionOf(QStringLiteral("dir.d/Makefile")), QString());
    EXPECT_EQ(ShellFileInfo::ExtensionOf(QStringLiteral(R"(BKF\S\.profile)")), QStringLiteral("profile"));
    EXPECT_EQ(ShellFileInfo::ExtensionOf(QStringLiteral("trailing.")), QString());
}

TEST(FileTypeTest, RegisteredExtensionsGiveTheirTypeDescription)
{
    ShellFileInfo info;
    EXPECT_EQ(info.GetFileTypeName(QStringLiteral(R"(BKF\BACKUP SET 0\readme.txt)")), Comment("text/plain"));
    EXPECT_EQ(info.GetFileTypeName(QStringLiteral("photo.JPG")), Comment("image/jpeg"));
    EXPECT_EQ(info.GetFileTypeName(QStringLiteral("report.pdf")), Comment("application/pdf"));
    EXPECT_FALSE(info.GetFileTypeName(QStringLiteral("report.pdf")).isEmpty());
}

TEST(FileTypeTest, UnregisteredOrMissingExtensionsGetAFileManagersGenericName)
{
    ShellFileInfo info;
    EXPECT_EQ(info.GetFileTypeName(QStringLiteral("data.qzx")), QStringLiteral("QZX File"));
    EXPECT_EQ(info.GetFileTypeName(QStringLiteral("Makefile")), QStringLiteral("File"));
    EXPECT_EQ(info.GetFileTypeName(QStringLiteral("README")), QStringLiteral("File"));
    EXPECT_EQ(info.GetFileTypeName(QString(300, u'x') + u'.' + QString(300, u'y')).size(), 79);
}

// The type of a name depends on its extension only, so the first name seen
// with an extension cannot decide for all later ones ("CMakeLists.txt" has a
// type of its own in the MIME database).
TEST(FileTypeTest, AnswerDependsOnTheExtensionNotOnTheWholeName)
{
    ShellFileInfo first;
    const QString cmakeLists = first.GetFileTypeName(QStringLiteral("CMakeLists.txt"));
    ShellFileInfo second;
    second.GetFileTypeName(QStringLiteral("notes.txt"));
    EXPECT_EQ(cmakeLists, second.GetFileTypeName(QStringLiteral("CMakeLists.txt")));
    EXPECT_EQ(cmakeLists, Comment("text/plain"));
}

TEST(FileTypeTest, EachExtensionIsLookedUpOnceWhateverItsCase)
{
    ShellFileInfo info;
    for (int i = 0; i < 1000; ++i) {
        info.GetFileTypeName(QStringLiteral("file%1.%2").arg(i).arg(i % 2 != 0 ? "txt" : "TXT"));
        info.GetFileIcon(QStringLiteral("pic%1.Png").arg(i));
        info.GetFileTypeName(QStringLiteral("noext%1").arg(i));
    }
    EXPECT_EQ(info.CachedExtensionCount(), 3u);
}

TEST(FileTypeTest, OddNamesGiveAnAnswerWithoutCrashing)
{
    ShellFileInfo info;
    const QString odd[] = {
        QString(), QStringLiteral("."), QStringLiteral(".."), QStringLiteral("\\"), QStringLiteral("a.b.c."),
        QStringLiteral("..."), QStringLiteral("a.*?<>|"), QStringLiteral("x.[a-z]"), QString(QChar(0)) + QStringLiteral(".txt"),
        QStringLiteral("na\u00efve.T\u00c4R"), QStringLiteral("\U0001F600.\U0001F600"), QString(5000, u'.'),
    };
    for (const QString& name : odd) {
        EXPECT_FALSE(info.GetFileTypeName(name).isEmpty()) << name.toStdString();
        info.GetFileIcon(name);
    }
}

TEST(FileTypeTest, IconsAreNeverNull)
{
    ShellFileInfo info;
    EXPECT_FALSE(info.GetFileIcon(QStringLiteral("a.txt")).isNull());
    EXPECT_FALSE(info.GetFileIcon(QStringLiteral("a.qzx")).isNull());
    EXPECT_FALSE(info.GetFileIcon(QStringLiteral("Makefile")).isNull());
    EXPECT_FALSE(ShellFileInfo::GetFolderIcon().isNull());
    EXPECT_FALSE(ShellFileInfo::GetFolderIcon(true).isNull());
    EXPECT_FALSE(ShellFileInfo::GetBackupIcon().isNull());
}

} // namespace
