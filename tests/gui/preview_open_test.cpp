// SPDX-License-Identifier: GPL-3.0-or-later
// "Open" saves one file through the window's save into a private folder that
// goes with the window, opens it with the desktop's program and leaves the
// ticks alone.

#include "catalogue_list.h"
#include "file_preview_controller.h"
#include "file_preview_pane.h"
#include "save_road.h"

#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The folder right under the system's temporary folder that holds `path`.
QString PrivateFolderOf(const QString& path)
{
    QFileInfo at(path);
    while (at.absolutePath() != QDir::tempPath() && !at.isRoot())
        at = QFileInfo(at.absolutePath());
    return at.absoluteFilePath();
}

} // namespace

TEST(PreviewOpen, SavesTheOneFilePrivatelyAndOpensIt)
{
    BkfWriter writer;
    writer.Sset("Open").Dirb({"Docs"}).File("whole.txt", test_files::Pattern(3000, 1));
    writer.File("cut.txt", test_files::Pattern(5000, 2));
    const std::vector<std::uint8_t> backup = writer.Truncate(writer.LastFile().data + 700).Bytes();
    const struct {
        const char* name;
        std::size_t row;
        std::size_t expectedBytes;
        bool message;
    } cases[] = {{"whole", 0, 3000, false}, {"cut short", 1, 700, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QString opened;
        {
            WindowFixture f;
            ScanIntoReview(f, backup);
            f.View().ListModel().setData(f.View().ListModel().index(static_cast<int>(c.row), 0), Qt::Unchecked,
                                         Qt::CheckStateRole);
            f.View().Preview().Open(c.row);
            ASSERT_EQ(f.shell.documents.size(), 1);
            opened = f.shell.documents[0];
            const CatalogueRow entry = f.View().Store().Row(c.row);
            EXPECT_EQ(test_files::ReadFileBytes(opened.toStdString()),
                      test_files::Slice(backup, entry.offset, c.expectedBytes));
            EXPECT_EQ(f.messages.shown.size(), c.message ? 1u : 0u);
            EXPECT_FALSE(f.View().Store().IsTicked(c.row)) << "the ticks stay as they were";
            EXPECT_TRUE(f.View().Store().IsTicked(1 - c.row));
            const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup
                                                    | QFileDevice::ExeGroup | QFileDevice::ReadOther
                                                    | QFileDevice::WriteOther | QFileDevice::ExeOther;
            EXPECT_FALSE(QFileInfo(PrivateFolderOf(opened)).permissions() & others) << "mode 0700";
        }
        EXPECT_FALSE(QFileInfo::exists(opened)) << "gone with the window";
    }
}

// Fault: Escape did not close the preview pane; it now does from the lists
// as from the pane itself.
TEST(PreviewOpen, EscapeClosesThePreview)
{
    BkfWriter writer;
    writer.Sset("Esc").File("a.txt", "alpha").File("b.txt", "beta");
    WindowFixture f;
    ScanIntoReview(f, writer.Bytes());
    for (QWidget* focus : std::initializer_list<QWidget*>{f.Controls().catalogueList, &f.View().Preview().Pane().TextView()}) {
        SCOPED_TRACE(focus->metaObject()->className());
        f.View().Preview().Preview(0);
        ASSERT_TRUE(f.View().Preview().IsPaneOpen());
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_Escape);
        EXPECT_FALSE(f.View().Preview().IsPaneOpen());
    }
}
