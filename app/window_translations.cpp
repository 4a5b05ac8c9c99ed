// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_translations.h"

#include "build_info.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>

QString WindowTranslationsDir()
{
    return QDir::cleanPath(QDir(QCoreApplication::applicationDirPath()).filePath(BKF_TRANSLATIONS_FROM_BINDIR));
}

WindowTranslations::WindowTranslations(const QLocale& locale)
    : m_windowLoaded(m_window.load(locale, QStringLiteral("brevant-veltra-bkf"), QStringLiteral("_"),
                                   WindowTranslationsDir()))
    , m_qtLoaded(m_windowLoaded && m_qt.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                                             QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
{
    if (m_windowLoaded)
        QCoreApplication::installTranslator(&m_window);
    if (m_qtLoaded)
        QCoreApplication::installTranslator(&m_qt);
}

WindowTranslations::~WindowTranslations()
{
    QCoreApplication::removeTranslator(&m_qt);
    QCoreApplication::removeTranslator(&m_window);
}
