// SPDX-License-Identifier: GPL-3.0-or-later
#include "pp_message_dialog.h"

#include "artwork.h"
#include "message_buttons.h"
#include "message_service.h"
#include "report_file.h"
#include "texts.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kTextWidth = 380;  // wrap width of the message text
constexpr int kDetailsHeight = 160;
constexpr char kDetailsShow[] = QT_TRANSLATE_NOOP("Texts", "&Details >>");
constexpr char kDetailsHide[] = QT_TRANSLATE_NOOP("Texts", "<< &Details");
constexpr char kSaveReport[] = QT_TRANSLATE_NOOP("Texts", "Save &report...");

QString ButtonText(int button)
{
    switch (button) {
    case MessageService::kYes:
        return Texts::Tr("&Yes");
    case MessageService::kNo:
        return Texts::Tr("&No");
    case MessageService::kCancel:
        return Texts::Tr("Cancel");
    default:
        return Texts::Tr("OK");
    }
}

} // namespace

PPMessageDialog::PPMessageDialog(const QString& text, int style, const QString& details, QWidget* parent)
    : QDialog(parent)
    , m_escapeAnswer(ButtonsForStyle(style).escapeAnswer)
    , m_text(text)
    , m_top(Qt::white)
    , m_bottom(Qt::white)
{
    setWindowTitle(QStringLiteral("Brevant Veltra BKF"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(CreateMessageRow(text, style));
    m_buttonStrip = new QWidget(this);
    m_buttonStrip->setLayout(CreateButtonRow(style, !details.isEmpty()));
    layout->addWidget(m_buttonStrip);
    if (!details.isEmpty())
        CreateDetails(details, layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QLayout* PPMessageDialog::CreateMessageRow(const QString& text, int style)
{
    auto* row = new QHBoxLayout;
    row->setContentsMargins(18, 18, 22, 18);
    row->setSpacing(16);
    const MessageIconKind kind = IconKindForStyle(style);
    if (kind != MessageIconKind::kNone) {
        auto* icon = new QLabel(this);
        icon->setPixmap(Artwork::MessageIcon(kind, devicePixelRatioF()));
        row->addWidget(icon, 0, Qt::AlignTop);
    }
    auto* label = new QLabel(text, this);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setMinimumWidth(qMin(kTextWidth, label->fontMetrics().horizontalAdvance(text) + 4));
    label->setMaximumWidth(kTextWidth);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Dark ink whatever the desktop theme: the message colours are light.
    QPalette ink = label->palette();
    ink.setColor(QPalette::WindowText, QColor(24, 24, 24));
    label->setPalette(ink);
    row->addWidget(label, 1, Qt::AlignVCenter);
    return row;
}

QLayout* PPMessageDialog::CreateButtonRow(int style, bool withDetails)
{
    auto* row = new QHBoxLayout;
    row->setContentsMargins(12, 10, 12, 10);
    if (withDetails) {
        m_detailsButton = new QPushButton(Texts::Tr(kDetailsShow), this);
        m_detailsButton->setAutoDefault(false);
        connect(m_detailsButton, &QPushButton::clicked, this, &PPMessageDialog::ToggleDetails);
        row->addWidget(m_detailsButton);
        auto* save = new QPushButton(Texts::Tr(kSaveReport), this);
        save->setAutoDefault(false);
        connect(save, &QPushButton::clicked, this, &PPMessageDialog::SaveReport);
        row->addWidget(save);
    }
    row->addStretch(1);
    const QVector<int> buttons = ButtonsForStyle(style).buttons;
    for (int answer : buttons) {
        auto* button = new QPushButton(ButtonText(answer), this);
        button->setProperty("answer", answer);
        button->setMinimumWidth(80);
        connect(button, &QPushButton::clicked, this, [this, answer] { done(answer); });
        row->addWidget(button);
    }
    Button(buttons.first())->setDefault(true);
    Button(buttons.first())->setFocus();
    return row;
}

void PPMessageDialog::CreateDetails(const QString& details, QVBoxLayout* layout)
{
    m_details = new QPlainTextEdit(details, this);
    m_details->setReadOnly(true);
    // Read-only, yet selectable and copyable from the keyboard too.
    m_details->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Lines are never cut: long ones scroll, and the window grows with a drag.
    m_details->setMinimumHeight(kDetailsHeight);
    m_details->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_details->hide();
    layout->addWidget(m_details, 1);
}

void PPMessageDialog::SaveReport()
{
    const QString why = SaveReportAs(this, m_text + QStringLiteral("\n\n") + m_details->toPlainText());
    if (why.isEmpty())
        return;
    PPMessageDialog failure(why, MessageService::kInform, QString(), this);
    failure.SetBackground(m_top, m_bottom);
    failure.exec();
}

void PPMessageDialog::ToggleDetails()
{
    const bool show = !m_details->isVisible();
    m_details->setVisible(show);
    m_detailsButton->setText(Texts::Tr(show ? kDetailsHide : kDetailsShow));
    // With the details the window can be resized; without, it fits its text.
    layout()->setSizeConstraint(show ? QLayout::SetMinimumSize : QLayout::SetFixedSize);
    layout()->activate();
    setSizeGripEnabled(show);
    if (show) {
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        resize(DetailsWidth(), sizeHint().height() + 2 * kDetailsHeight);
    }
}

void PPMessageDialog::SetBackground(const QColor& top, const QColor& bottom)
{
    m_top = top;
    m_bottom = bottom;
    update();
}

QList<QPushButton*> PPMessageDialog::AnswerButtons() const
{
    QList<QPushButton*> buttons = findChildren<QPushButton*>();
    buttons.removeIf([](const QPushButton* button) { return !button->property("answer").isValid(); });
    return buttons;
}

QPushButton* PPMessageDialog::Button(int button) const
{
    const QList<QPushButton*> buttons = AnswerButtons();
    for (QPushButton* candidate : buttons) {
        if (candidate->property("answer").toInt() == button)
            return candidate;
    }
    return nullptr;
}

void PPMessageDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() == Qt::NoModifier) {
        const QList<QPushButton*> buttons = AnswerButtons();
        for (QPushButton* button : buttons) {
            if (QKeySequence::mnemonic(button->text()) == QKeySequence(Qt::ALT | Qt::Key(event->key()))) {
                button->click();
                return;
            }
        }
    }
    QDialog::keyPressEvent(event);
}

// Wide enough for the longest line of the details, within most of the screen.
int PPMessageDialog::DetailsWidth() const
{
    int widest = 0;
    const QFontMetrics metrics = m_details->fontMetrics();
    const QStringList lines = m_details->toPlainText().split(QLatin1Char('\n'));
    for (const QString& line : lines)
        widest = qMax(widest, metrics.horizontalAdvance(line));
    const QScreen* shown = screen();
    const int room = shown ? shown->availableGeometry().width() * 4 / 5 : 1000;
    return qBound(width(), widest + 48, qMax(width(), room));
}

bool PPMessageDialog::DetailsVisible() const
{
    return m_details != nullptr && m_details->isVisible();
}

void PPMessageDialog::reject()
{
    done(m_escapeAnswer);
}

void PPMessageDialog::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int messageBottom = m_buttonStrip->geometry().top();
    QLinearGradient gradient(0, 0, 0, messageBottom);
    gradient.setColorAt(0, m_top);
    gradient.setColorAt(1, m_bottom);
    painter.fillRect(QRect(0, 0, width(), messageBottom), gradient);
    painter.fillRect(QRect(0, messageBottom, width(), height() - messageBottom), Qt::white);
    painter.setPen(m_top.darker(125));
    painter.drawLine(0, messageBottom, width(), messageBottom);
}
