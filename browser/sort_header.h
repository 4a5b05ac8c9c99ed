// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The heading row of a list, which takes the focus from Tab (it follows its
// list in the Tab order): Left and Right choose a heading, which shows the
// focus frame; Space and Enter act as a click on it (the list sorts by it).

#include <QHeaderView>

class SortHeader : public QHeaderView {
    Q_OBJECT

public:
    explicit SortHeader(QWidget* parent = nullptr);

    // The logical index of the heading the keys act on, or -1 when no heading is shown.
    int FocusedSection() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    // The shown heading `steps` places left (negative) or right of the focused one.
    int ShownSectionBeside(int steps) const;
    void FocusSection(int logicalIndex);

    int m_focused = -1; // logical index; -1: the first shown heading
};
