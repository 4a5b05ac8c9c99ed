// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A flat button made of images: one for the normal state, one while the mouse
// pointer is over it; no caption and no frame. While the pointer is over it,
// the window's status bar shows its status text (through the status-tip
// event a QMainWindow turns into a status-bar message), and the message is
// cleared when the pointer leaves, so the status bar's idle text returns.
// A pressed button shows its hover image one pixel lower; a disabled one is
// faded. It takes the focus with Tab and shows it with a frame drawn on the
// image; Space, Enter and its mnemonic (shown in its tooltip) press it.

#include <QAbstractButton>
#include <QPixmap>

class CHoverButton : public QAbstractButton {
    Q_OBJECT

public:
    explicit CHoverButton(QWidget* parent = nullptr);

    // The button takes the size of the images (in device-independent pixels).
    void SetImages(const QPixmap& normal, const QPixmap& hover);
    // One image; the hover image is the same, lightened.
    void SetImage(const QPixmap& image);
    void SetToolTipText(const QString& text);
    // Alt+`letter` presses the button (while it shows); the tooltip names the key.
    void SetMnemonic(QChar letter);
    void SetStatusText(const QString& text);
    QString StatusText() const { return statusTip(); }

    // True while the pointer is over the button.
    bool IsHovered() const { return m_hovered; }
    const QPixmap& CurrentImage() const;

    QSize sizeHint() const override;

signals:
    void HoverChanged(bool hovered);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SetHovered(bool hovered);

    QPixmap m_normal;
    QPixmap m_hover;
    QString m_toolTip;
    bool m_hovered = false;
};

// `image` lightened and warmed, for the hover state of a single image.
QPixmap HighlightedPixmap(const QPixmap& image);
