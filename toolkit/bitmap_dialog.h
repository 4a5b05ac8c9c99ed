// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A dialog with a painted background: its image at the top-left corner, and
// a light cream wherever the image does not reach (or everywhere while it has
// none). Its text is dark in every desktop theme.

#include <QDialog>
#include <QPixmap>

#include <functional>

class CBitmapDialog : public QDialog {
    Q_OBJECT

public:
    explicit CBitmapDialog(QWidget* parent = nullptr);

    void SetBackground(const QPixmap& image);
    // The image made anew for every size the dialog takes (a larger font
    // makes it grow), from its size and the screen's pixel ratio.
    void SetBackgroundMaker(std::function<QPixmap(const QSize&, qreal)> maker);
    const QPixmap& Background() const { return m_background; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPixmap m_background;
    std::function<QPixmap(const QSize&, qreal)> m_maker;
};
