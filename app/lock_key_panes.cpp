// SPDX-License-Identifier: GPL-3.0-or-later
#include "lock_key_panes.h"

#include "texts.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

namespace {

const char* const kPaneTexts[] = {QT_TRANSLATE_NOOP("Texts", "CAP"), QT_TRANSLATE_NOOP("Texts", "NUM1"),
                                  QT_TRANSLATE_NOOP("Texts", "SCRL")};
const char* const kLedSuffixes[] = {"::capslock", "::numlock", "::scrolllock"};

QLabel* MakePane(QStatusBar& statusBar, const char* text)
{
    auto* pane = new QLabel(Texts::Tr(text), &statusBar);
    pane->setFrameShape(QFrame::Panel);
    pane->setFrameShadow(QFrame::Sunken);
    pane->setAlignment(Qt::AlignCenter);
    const QFontMetrics metrics = pane->fontMetrics();
    const int widest = std::max(metrics.horizontalAdvance(pane->text()), metrics.horizontalAdvance(Texts::Tr("NUM1")));
    pane->setMinimumWidth(widest + 12);
    statusBar.addPermanentWidget(pane);
    return pane;
}

} // namespace

std::optional<bool> ReadLockKeyState(LockKey key)
{
    const QDir leds(QStringLiteral("/sys/class/leds"));
    const QStringList names =
        leds.entryList({QStringLiteral("*") + kLedSuffixes[static_cast<int>(key)]}, QDir::Dirs | QDir::System);
    std::optional<bool> state;
    for (const QString& name : names) {
        QFile brightness(leds.filePath(name + QStringLiteral("/brightness")));
        if (!brightness.open(QIODevice::ReadOnly))
            continue;
        const bool lit = brightness.readAll().trimmed().toInt() > 0;
        state = state.value_or(false) || lit;
    }
    return state;
}

LockKeyPanes::LockKeyPanes(QStatusBar& statusBar)
    : QObject(&statusBar), m_timer(new QTimer(this))
{
    for (int key = 0; key < 3; ++key)
        m_panes[key] = MakePane(statusBar, kPaneTexts[key]);
    connect(m_timer, &QTimer::timeout, this, &LockKeyPanes::Refresh);
    m_timer->start(500);
    Refresh();
}

void LockKeyPanes::Refresh()
{
    for (int key = 0; key < 3; ++key) {
        const bool on = ReadLockKeyState(static_cast<LockKey>(key)).value_or(false);
        m_panes[key]->setEnabled(on);
    }
}
