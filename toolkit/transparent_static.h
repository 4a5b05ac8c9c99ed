// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A text label that paints only its text, over whatever its parent painted
// behind it. Tabs ("\t") and line breaks ("\n") in the text are honoured;
// long lines wrap at word boundaries. Setting the text repaints the label at
// once (and nothing else), so a label that a long task updates stays current.

#include <QColor>
#include <QMargins>
#include <QString>
#include <QWidget>

class CTransparentStatic : public QWidget {
    Q_OBJECT

public:
    explicit CTransparentStatic(QWidget* parent = nullptr);

    void SetText(const QString& text);
    QString Text() const { return m_text; }
    // An invalid colour means the palette's text colour.
    void SetTextColor(const QColor& color);
    QColor TextColor() const;
    void SetAlignment(Qt::Alignment alignment);
    // Space between the edges and the text, in pixels.
    void SetMargins(const QMargins& margins);

protected:
    void paintEvent(QPaintEvent* event) override;
    // Paints behind the text; nothing here.
    virtual void PaintBackground(QPainter& painter);

private:
    QString m_text;
    QColor m_textColor;
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignTop;
    QMargins m_margins;
};
