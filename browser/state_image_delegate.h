// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Draws a row's or node's state image (BrowserImages) at the left of its first
// cell in place of the style's own check box, then the icon and text. Presses
// are the views' own business: the delegate never changes a box. A cell whose
// text is cut shows its whole text as tooltip, unless the model gives one.
// A view that cuts text in the middle does so in its first column only (a
// path keeps its file name); other columns are cut at the right.

#include <QStyledItemDelegate>

class StateImageDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Where the state image of a cell lies, in the same coordinates as `cell`.
    static QRect BoxRect(const QRect& cell);
    // Width taken by the state image and its margin.
    static constexpr int kBoxWidth = 19;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;
    // Whether the cell's text needs more room than the cell has.
    bool IsCut(const QStyleOptionViewItem& option, const QModelIndex& index) const;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;
};
