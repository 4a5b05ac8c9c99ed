// SPDX-License-Identifier: GPL-3.0-or-later
// The window in the desktop's language: German from the translation the
// build compiled, English under an English or C locale.

#include "gradient_static.h"
#include "window_fixture.h"
#include "window_translations.h"

#include <QMenuBar>
#include <QPixmapCache>

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
         {"&Datei", "&Durchsuchen", "Bitte wählen Sie die zu reparierende Datei mit „Durchsuchen“ aus", "Dateiname",
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

} // namespace
