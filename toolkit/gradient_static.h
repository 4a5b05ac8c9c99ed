// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A text label on its own background: a horizontal gradient from the left
// colour to the right one, or one solid colour when both are the same. The
// text keeps a few pixels from the left and right edges.

#include "transparent_static.h"

class CGradientStatic : public CTransparentStatic {
    Q_OBJECT

public:
    explicit CGradientStatic(QWidget* parent = nullptr);

    void SetGradient(const QColor& left, const QColor& right);
    void SetSolidBackground(const QColor& color);
    QColor LeftColor() const { return m_left; }
    QColor RightColor() const { return m_right; }

protected:
    void PaintBackground(QPainter& painter) override;

private:
    QColor m_left;
    QColor m_right;
};
