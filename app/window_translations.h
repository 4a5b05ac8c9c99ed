// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The translations of the window into the desktop's language: its own
// (brevant-veltra-bkf_LANGUAGE.qm, installed beside the program's bin/ in
// share/brevant-veltra-bkf/translations) and Qt's for its dialogs, installed
// into the application while this object lives. Without a translation for
// the language the window keeps its English texts.

#include <QLocale>
#include <QString>
#include <QTranslator>

// The folder of the installed translations.
QString WindowTranslationsDir();

class WindowTranslations {
public:
    explicit WindowTranslations(const QLocale& locale);
    ~WindowTranslations();
    WindowTranslations(const WindowTranslations&) = delete;
    WindowTranslations& operator=(const WindowTranslations&) = delete;

    // True when the window's own translation was found.
    bool Loaded() const { return m_windowLoaded; }

private:
    QTranslator m_window;
    QTranslator m_qt;
    bool m_windowLoaded;
    bool m_qtLoaded;
};
