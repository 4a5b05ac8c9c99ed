// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_preview_pane.h"

#include "human_texts.h"
#include "preview_loader.h"
#include "row_cells.h"
#include "row_status_look.h"
#include "surface_ink.h"
#include "texts.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QStackedWidget>
#include <QStyle>
#include <QTextCursor>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <initializer_list>
#include <utility>

namespace {

// Characters a text view takes in one go (about 1 ms each).
constexpr qsizetype kTextPiece = 32768;

// The date, or "unknown" where the list leaves the cell empty.
QString PreviewDateText(std::uint64_t packed)
{
    const QString text = DateText(packed);
    return text.isEmpty() ? Texts::Tr("unknown") : text;
}

QString PreviewSizeText(std::uint64_t bytes)
{
    return Texts::Tr("%1 (%2 bytes)")
        .arg(HumanBytesText(bytes), QLocale().toString(static_cast<qulonglong>(bytes)));
}

QString DataCheckText(const CatalogueRow& row, const PreviewResult& result)
{
    if (!row.checksum)
        return Texts::Tr("none recorded");
    if (!result.head.checksumHolds)
        return Texts::Tr("made when the file is saved");
    return *result.head.checksumHolds ? Texts::Tr("the data match their checksum")
                                      : Texts::Tr("the data differ from their checksum");
}

// What the preview must say besides the bytes: where the data end, what
// could not be read, how much is shown.
QString NoteText(const PreviewResult& result)
{
    QStringList notes;
    if (result.head.cutShort)
        notes << Texts::Tr("The backup holds only the first %1 bytes of this file; its data end there.")
                     .arg(QLocale().toString(static_cast<qulonglong>(result.head.available)));
    if (!result.head.unreadable.empty())
        notes << Texts::Tr("%1 bytes could not be read and show as zeros.")
                     .arg(QLocale().toString(static_cast<qulonglong>(TotalLength(result.head.unreadable))));
    if (result.shown < result.head.available)
        notes << Texts::Tr("The first %1 bytes are shown.")
                     .arg(QLocale().toString(static_cast<qulonglong>(result.shown)));
    return notes.join(QLatin1Char('\n'));
}

QLabel* MakeLabel(QWidget* parent, const char* accessibleName)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAccessibleName(Texts::Tr(accessibleName));
    return label;
}

} // namespace

FilePreviewPane::FilePreviewPane(QWidget* parent)
    : QFrame(parent),
      m_title(MakeLabel(this, QT_TRANSLATE_NOOP("Texts", "Previewed file"))),
      m_close(new QToolButton(this)),
      m_details(MakeLabel(this, QT_TRANSLATE_NOOP("Texts", "Preview details"))),
      m_note(MakeLabel(this, QT_TRANSLATE_NOOP("Texts", "Preview note"))),
      m_stack(new QStackedWidget(this)),
      m_text(new QPlainTextEdit(m_stack)),
      m_picture(MakeLabel(m_stack, QT_TRANSLATE_NOOP("Texts", "Preview picture"))),
      m_pieces(new QTimer(this))
{
    m_pieces->setInterval(0);
    connect(m_pieces, &QTimer::timeout, this, &FilePreviewPane::AppendPiece);
    // No background of its own: the header sits on the window's light painted
    // surface in every theme, in our ink; the text view keeps the desktop's look.
    setFrameShape(QFrame::StyledPanel);
    for (QWidget* onSurface : std::initializer_list<QWidget*>{m_title, m_close, m_details, m_note, m_picture})
        UseLightSurfaceControl(*onSurface);
    setAccessibleName(Texts::Tr("File preview"));
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    m_close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    m_close->setAutoRaise(true);
    m_close->setToolTip(Texts::Tr("Close the preview"));
    m_close->setAccessibleName(Texts::Tr("Close the preview"));
    connect(m_close, &QToolButton::clicked, this, &FilePreviewPane::closeRequested);
    // Escape closes the pane from anywhere in the window while it is open.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] {
        if (isVisible())
            emit closeRequested();
    });
    m_text->setReadOnly(true);
    m_text->setUndoRedoEnabled(false);
    m_text->setAccessibleName(Texts::Tr("Preview text"));
    m_picture->setAlignment(Qt::AlignCenter);
    m_stack->addWidget(m_text);
    m_stack->addWidget(m_picture);
    auto* top = new QHBoxLayout;
    top->addWidget(m_title, 1);
    top->addWidget(m_close, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->addLayout(top);
    layout->addWidget(m_details);
    layout->addWidget(m_note);
    layout->addWidget(m_stack, 1);
}

void FilePreviewPane::ShowReading(const QString& name, const CatalogueRow& row)
{
    m_row = row;
    m_row.path = {};
    m_title->setText(name);
    ShowDetails(QString());
    SetNote(Texts::Tr("Reading…"));
    ShowText(QString());
    m_picture->clear();
    m_stack->setCurrentWidget(m_text);
}

void FilePreviewPane::ShowDetails(const QString& dataCheck)
{
    QStringList lines;
    lines << Texts::Tr("Size: %1").arg(PreviewSizeText(m_row.size)) << Texts::Tr("Status: %1").arg(StatusWord(m_row.status))
          << Texts::Tr("Modified: %1").arg(PreviewDateText(m_row.modified));
    if (!dataCheck.isEmpty())
        lines << Texts::Tr("Data check: %1").arg(dataCheck);
    m_details->setText(lines.join(QLatin1Char('\n')));
}

void FilePreviewPane::ShowResult(const PreviewResult& result)
{
    if (!result.opened) {
        SetNote(Texts::Tr("The backup could not be opened, or it changed since the scan."));
        return;
    }
    // The state shown agrees with the check this read made.
    if (result.head.checksumHolds)
        m_row.status = StatusAfterDataCheck(m_row.status, *result.head.checksumHolds);
    ShowDetails(DataCheckText(m_row, result));
    SetNote(NoteText(result));
    if (result.choice.kind == PreviewKind::Image) {
        m_picture->setPixmap(QPixmap::fromImage(result.image));
        m_picture->setToolTip(Texts::Tr("%1 × %2 pixels").arg(result.imageSize.width()).arg(result.imageSize.height()));
        m_stack->setCurrentWidget(m_picture);
        return;
    }
    const bool hex = result.choice.kind == PreviewKind::Hex;
    m_text->setFont(hex ? QFontDatabase::systemFont(QFontDatabase::FixedFont) : font());
    m_text->setLineWrapMode(hex ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    QString text = result.text;
    if (result.head.cutShort && result.shown >= result.head.available)
        text += QStringLiteral("\n") + Texts::Tr("[The data end here: the backup holds no more of this file.]");
    ShowText(std::move(text));
    m_text->setToolTip(hex ? QString() : EncodingName(result.choice.encoding));
    m_stack->setCurrentWidget(m_text);
}

void FilePreviewPane::ShowText(QString text)
{
    m_pending = std::move(text);
    m_added = 0;
    m_text->clear();
    AppendPiece();
}

// The next piece ends after a line feed where there is one, so that lines
// are not split between pieces needlessly.
void FilePreviewPane::AppendPiece()
{
    qsizetype end = std::min(m_pending.size(), m_added + kTextPiece);
    const qsizetype lineEnd = m_pending.lastIndexOf(QLatin1Char('\n'), end - 1);
    if (end < m_pending.size() && lineEnd >= m_added)
        end = lineEnd + 1;
    QTextCursor cursor(m_text->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(m_pending.mid(m_added, end - m_added));
    m_added = end;
    if (m_added < m_pending.size()) {
        m_pieces->start();
    } else {
        m_pieces->stop();
        m_pending.clear();
    }
}

void FilePreviewPane::SetNote(const QString& text)
{
    m_note->setText(text);
    m_note->setVisible(!text.isEmpty());
}

QSize FilePreviewPane::PictureRoom() const
{
    return m_stack->size();
}
