// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A dialog with a painted background: its image at the top-left corner, and
// the dialog's own window colour wherever the image does not reach (or
// everywhere while it has none).

#include <QDialog>
#include <QPixmap>

class CBitmapDialog : public QDialog {
    Q_OBJECT

public:
    explicit CBitmapDialog(QWidget* parent = nullptr);

    void SetBackground(const QPixmap& image);
    const QPixmap& Background() const { return m_background; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_background;
};
