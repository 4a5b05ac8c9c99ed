// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue_filter_bar.h"

#include "catalogue_list_model.h"
#include "surface_ink.h"
#include "texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>

#include <cstdint>
#include <initializer_list>
#include <optional>

namespace {

constexpr std::uint64_t kKiB = 1024;

// The sizes offered for "Larger than"; the first entry is any size.
const struct {
    const char* text;
    std::uint64_t bytes;
} kSizes[] = {
    {QT_TRANSLATE_NOOP("Texts", "any size"), 0}, {"0 B", 0},
    {"1 KiB", kKiB},           {"64 KiB", 64 * kKiB},
    {"1 MiB", kKiB * kKiB},    {"10 MiB", 10 * kKiB * kKiB},
    {"100 MiB", 100 * kKiB * kKiB}, {"1 GiB", kKiB * kKiB * kKiB},
};

} // namespace

CatalogueFilterBar::CatalogueFilterBar(CatalogueListModel& model, QWidget* parent) : QWidget(parent), m_model(model)
{
    MakeControls();
    connect(m_text, &QLineEdit::textChanged, this, &CatalogueFilterBar::Apply);
    connect(m_clear, &QToolButton::clicked, m_text, &QLineEdit::clear);
    connect(m_notOk, &QCheckBox::toggled, this, &CatalogueFilterBar::Apply);
    connect(m_size, &QComboBox::currentIndexChanged, this, &CatalogueFilterBar::Apply);
    connect(&model, &CatalogueListModel::countsChanged, this, &CatalogueFilterBar::ShowCounts);
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, &CatalogueFilterBar::FocusTextBox);
    ShowCounts();
}

void CatalogueFilterBar::MakeControls()
{
    m_text = new QLineEdit(this);
    m_text->setPlaceholderText(Texts::Tr("Filter: a word or a pattern such as *.doc (Ctrl+F)"));
    m_text->setAccessibleName(Texts::Tr("Filter found files"));
    // Room for a short pattern also in a small window, and for the count in short.
    m_text->setMinimumWidth(m_text->fontMetrics().averageCharWidth() * 10);
    m_clear = new QToolButton(this);
    m_clear->setIcon(style()->standardIcon(QStyle::SP_LineEditClearButton));
    m_clear->setToolTip(Texts::Tr("Clear filter"));
    m_clear->setAccessibleName(Texts::Tr("Clear filter"));
    m_notOk = new QCheckBox(Texts::Tr("Only rows that are not ok"), this);
    auto* sizeLabel = new QLabel(Texts::Tr("Larger than:"), this);
    m_size = new QComboBox(this);
    m_size->setAccessibleName(Texts::Tr("Larger than"));
    for (const auto& size : kSizes)
        m_size->addItem(&size == kSizes ? Texts::Tr(size.text) : QString::fromLatin1(size.text));
    sizeLabel->setBuddy(m_size);
    m_count = new QLabel(this);
    m_count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_count->setMinimumWidth(0);
    m_count->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_count->installEventFilter(this);
    // The box and the labels sit on the window's cream surface; the fields keep the desktop's look.
    for (QWidget* onSurface : std::initializer_list<QWidget*>{m_notOk, sizeLabel, m_count})
        UseLightSurfaceControl(*onSurface);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 2);
    row->addWidget(m_text, 2);
    row->addWidget(m_clear);
    row->addSpacing(8);
    row->addWidget(m_notOk);
    row->addSpacing(8);
    row->addWidget(sizeLabel);
    row->addWidget(m_size);
    row->addWidget(m_count, 1);
}

void CatalogueFilterBar::FocusTextBox()
{
    m_text->setFocus(Qt::ShortcutFocusReason);
    m_text->selectAll();
}

void CatalogueFilterBar::Reset()
{
    const QSignalBlocker textBlocker(m_text), notOkBlocker(m_notOk), sizeBlocker(m_size);
    m_text->clear();
    m_notOk->setChecked(false);
    m_size->setCurrentIndex(0);
    Apply();
}

void CatalogueFilterBar::Apply()
{
    RowFilterSettings settings;
    settings.text = m_text->text().toStdString();
    settings.onlyNotOk = m_notOk->isChecked();
    if (m_size->currentIndex() > 0)
        settings.largerThan = kSizes[m_size->currentIndex()].bytes;
    m_model.SetFilter(settings);
}

void CatalogueFilterBar::ShowCounts()
{
    const QLocale locale;
    const QString whole = Texts::Tr("%1 of %2 shown")
                              .arg(locale.toString(m_model.rowCount()), locale.toString(m_model.TotalRowCount()));
    m_count->setToolTip(whole);
    m_count->setAccessibleName(whole);
    m_count->setMinimumWidth(m_count->fontMetrics().horizontalAdvance(ShortCount()));
    FitCount();
}

void CatalogueFilterBar::FitCount()
{
    const QString whole = m_count->toolTip();
    const bool fits = m_count->fontMetrics().horizontalAdvance(whole) <= m_count->width();
    m_count->setText(fits ? whole : ShortCount());
}

QString CatalogueFilterBar::ShortCount() const
{
    const QLocale locale;
    return QStringLiteral("%1/%2").arg(locale.toString(m_model.rowCount()), locale.toString(m_model.TotalRowCount()));
}

bool CatalogueFilterBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_count && event->type() == QEvent::Resize)
        FitCount();
    return QWidget::eventFilter(watched, event);
}
