// SPDX-License-Identifier: GPL-3.0-or-later
// The window in the desktop's language: German from the translation the
// build compiled, English under an English or C locale.

#include "gradient_static.h"
#include "human_texts.h"
#include "save_road.h"
#include "scan_report.h"
#include "scan_report_line.h"
#include "scan_summary_text.h"
#include "window_fixture.h"
#include "window_translations.h"

#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <QPixmapCache>
#include <QStyleOptionButton>

#include <gtest/gtest.h>

namespace {

struct LanguageCase {
    QLocale locale;
    bool translated;
    QStringList texts; // File menu, Browse, hint label, first column header, window title
};

TEST(Translation, TheWindowSpeaksTheDesktopsLanguage)
{
    const LanguageCase cases[] = {
        {QLocale(QLocale::German, QLocale::Germany), true,
         {"&Datei", "Durch&suchen", "Bitte wählen Sie die zu reparierende Datei mit „Durchsuchen“ aus", "Dateiname",
          "Brevant Veltra BKF"}},
        {QLocale(QLocale::English, QLocale::UnitedKingdom), false,
         {"&File", "&Browse", "Please select file to repair , Using Browse button", "File Name", "Brevant Veltra BKF"}},
        {QLocale::c(), false,
         {"&File", "&Browse", "Please select file to repair , Using Browse button", "File Name", "Brevant Veltra BKF"}},
    };
    for (const LanguageCase& c : cases) {
        SCOPED_TRACE(c.locale.name().toStdString());
        QPixmapCache::clear(); // the painted captions of the language before
        const WindowTranslations translations(c.locale);
        EXPECT_EQ(translations.Loaded(), c.translated) << WindowTranslationsDir().toStdString();
        WindowFixture f;
        const QStringList shown = {f.frame.menuBar()->actions().at(0)->text(), f.Controls().btnBrowse->text(),
                                   f.Controls().lblSelectHint->Text(),
                                   f.View().ListModel().headerData(0, Qt::Horizontal).toString(),
                                   f.frame.windowTitle()};
        EXPECT_EQ(shown, c.texts);
    }
    QPixmapCache::clear();
}

const QLocale kGerman(QLocale::German, QLocale::Germany);
const QLocale kEnglish(QLocale::English, QLocale::UnitedKingdom);

// The Alt keys that work now: the shown controls' and the menu bar's.
QStringList AltKeys(QWidget& window, QMenuBar& menus)
{
    QStringList keys;
    for (const QAction* menu : menus.actions())
        keys << QKeySequence::mnemonic(menu->text()).toString();
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (!button->isVisibleTo(&window))
            continue;
        const QKeySequence key =
            button->text().isEmpty() ? button->shortcut() : QKeySequence::mnemonic(button->text());
        if (!key.isEmpty())
            keys << key.toString();
    }
    return keys;
}

// The items' Alt keys of `menu` and of its submenus, one list per menu.
void AddItemKeys(const QMenu& menu, QList<QStringList>& keys)
{
    QStringList items;
    for (const QAction* item : menu.actions()) {
        if (item->isSeparator())
            continue;
        items << QKeySequence::mnemonic(item->text()).toString();
        if (item->menu() != nullptr)
            AddItemKeys(*item->menu(), keys);
    }
    keys << items;
}

QList<QStringList> MenuItemKeys(QMenuBar& menus)
{
    QList<QStringList> keys;
    for (const QAction* menu : menus.actions())
        AddItemKeys(*menu->menu(), keys);
    return keys;
}

QStringList Repeated(QStringList keys)
{
    keys.sort();
    QStringList repeated;
    for (qsizetype k = 1; k < keys.size(); ++k)
        if (keys[k] == keys[k - 1])
            repeated << keys[k];
    return repeated;
}

// Shown buttons and check boxes whose caption is wider than the room the
// style leaves for it.
QStringList CutCaptions(QWidget& window)
{
    QStringList cut;
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        const bool box = qobject_cast<QCheckBox*>(button) != nullptr;
        if (!button->isVisibleTo(&window) || button->text().isEmpty() || !(box || qobject_cast<QPushButton*>(button)))
            continue;
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect room = button->style()->subElementRect(
            box ? QStyle::SE_CheckBoxContents : QStyle::SE_PushButtonContents, &option, button);
        const QString caption = QString(button->text()).remove(QLatin1Char('&'));
        if (button->fontMetrics().horizontalAdvance(caption) > room.width())
            cut << caption;
    }
    return cut;
}

void ExpectKeysUniqueAndCaptionsWhole(WindowFixture& f)
{
    EXPECT_EQ(Repeated(AltKeys(f.frame, *f.frame.menuBar())).join(' ').toStdString(), "");
    EXPECT_EQ(CutCaptions(f.frame).join(' ').toStdString(), "");
}

TEST(Translation, EveryPageHasUniqueAltKeysAndWholeCaptions)
{
    for (const QLocale& locale : {kGerman, kEnglish}) {
        SCOPED_TRACE(locale.name().toStdString());
        QPixmapCache::clear();
        const WindowTranslations translations(locale);
        WindowFixture f;
        for (const QStringList& menu : MenuItemKeys(*f.frame.menuBar()))
            EXPECT_EQ(Repeated(menu).join(' ').toStdString(), "");
        {
            SCOPED_TRACE("file page");
            ExpectKeysUniqueAndCaptionsWhole(f);
        }
        ScanIntoReview(f, BackupWithReport());
        SCOPED_TRACE("results page");
        ExpectKeysUniqueAndCaptionsWhole(f);
    }
    QPixmapCache::clear();
}

// Sizes, rates and what the scan passed over, which the engine counts.
TEST(Translation, CountedTextsTakeTheLanguageAndItsDecimalSeparator)
{
    ScanReport report;
    report.cutShort.count = 2;
    report.lostDirectories.Add(true, "x");
    report.blocklessTail = 1536;
    report.foldersFromSetCatalogue.Add("x");
    struct Case {
        QLocale locale;
        QString bytes, rate, summary, hint;
    };
    const Case cases[] = {
        {kGerman, "1,5 KiB", "2,5 MiB/s, noch 0:03", "1 Ordner in „lost dir“ umbenannt, 2 Dateien abgeschnitten, "
                  "1 Ordner nach dem Katalog des Satzes benannt",
         "kein Block in den letzten 1.536 Bytes gefunden; eine Tiefensuche sucht Blöcke außerhalb des 512-Byte-Rasters"},
        {kEnglish, "1.5 KiB", "2.5 MiB/s, 0:03 left", "1 folder renamed \"lost dir\", 2 files cut short, "
                   "1 folder named by the set's catalogue",
         "no block found in the last 1,536 bytes; a deep scan looks for blocks off the 512-byte grid"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale.name().toStdString());
        const WindowTranslations translations(c.locale);
        const QLocale previous;
        QLocale::setDefault(c.locale);
        EXPECT_EQ(HumanBytesText(1536), c.bytes);
        EXPECT_EQ(RateText(RateMeter::Rate{2.5 * 1024 * 1024, 3}), c.rate);
        EXPECT_EQ(ScanSummaryText(report), c.summary);
        EXPECT_EQ(DeepScanHintText(report), c.hint);
        QLocale::setDefault(previous);
    }
}

} // namespace
