// SPDX-License-Identifier: GPL-3.0-or-later
#include "state_image_delegate.h"

#include "browser_images.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace {

bool HasStateImage(const QModelIndex& index)
{
    return index.column() == 0 && index.data(StateImageRole).isValid();
}

QStyle* StyleOf(const QStyleOptionViewItem& option)
{
    return option.widget != nullptr ? option.widget->style() : QApplication::style();
}

} // namespace

QRect StateImageDelegate::BoxRect(const QRect& cell)
{
    const int side = BrowserImages::kSize;
    return QRect(cell.left() + 1, cell.top() + (cell.height() - side) / 2, side, side);
}

void StateImageDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (!HasStateImage(index)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    item.features &= ~QStyleOptionViewItem::HasCheckIndicator;
    QStyle* style = StyleOf(option);
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &item, painter, option.widget);

    const auto image = static_cast<StateImage>(index.data(StateImageRole).toInt());
    const qreal ratio = painter->device() != nullptr ? painter->device()->devicePixelRatioF() : 1.0;
    painter->drawPixmap(BoxRect(option.rect).topLeft(), BrowserImages::StateImagePixmap(image, ratio));

    item.rect.adjust(kBoxWidth, 0, 0, 0);
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, option.widget);
}

void StateImageDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (index.column() != 0 && option->textElideMode == Qt::ElideMiddle)
        option->textElideMode = Qt::ElideRight;
}

QSize StateImageDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (HasStateImage(index))
        size = QSize(size.width() + kBoxWidth, std::max(size.height(), BrowserImages::kSize + 2));
    return size;
}

bool StateImageDelegate::IsCut(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    return sizeHint(option, index).width() > option.rect.width();
}

bool StateImageDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                                   const QModelIndex& index)
{
    const bool ownTip = index.data(Qt::ToolTipRole).isValid();
    if (event->type() != QEvent::ToolTip || ownTip || !IsCut(option, index))
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    QToolTip::showText(event->globalPos(), index.data().toString(), view->viewport(), option.rect);
    return true;
}

bool StateImageDelegate::editorEvent(QEvent*, QAbstractItemModel*, const QStyleOptionViewItem&, const QModelIndex&)
{
    return false;
}
