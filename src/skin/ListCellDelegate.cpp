#include "skin/ListCellDelegate.h"

#include <QApplication>
#include <QPainter>

#include "skin/ListCtrlCl.h"

ListCellDelegate::ListCellDelegate(CListCtrlCl* list) : QStyledItemDelegate(list), m_list(list) {}

void ListCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    const bool selected = option.state & QStyle::State_Selected;
    const QColor back = selected ? option.palette.color(QPalette::Highlight)
                                 : m_list->CellBackColor(index.column(), index.row());
    const QColor text = selected ? option.palette.color(QPalette::HighlightedText)
                                 : m_list->CellTextColor(index.column(), index.row());
    painter->save();
    painter->fillRect(option.rect, back);
    QRect textRect = option.rect;
    const QVariant check = index.data(Qt::CheckStateRole);
    if (check.isValid()) {
        // The check box sits where the base delegate's click handling expects it.
        QStyleOptionViewItem opt(option);
        initStyleOption(&opt, index);
        const QWidget* widget = option.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        QStyleOptionViewItem box(opt);
        box.rect = style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, widget);
        box.state &= ~(QStyle::State_On | QStyle::State_Off | QStyle::State_NoChange);
        const auto state = static_cast<Qt::CheckState>(check.toInt());
        box.state |= state == Qt::Checked            ? QStyle::State_On
                     : state == Qt::PartiallyChecked ? QStyle::State_NoChange
                                                     : QStyle::State_Off;
        style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &box, painter, widget);
        textRect.setLeft(box.rect.right() + 1);
    }
    painter->setFont(m_list->CellFont());
    painter->setPen(text);
    painter->setClipRect(option.rect);
    painter->drawText(textRect, Qt::AlignCenter | Qt::TextSingleLine, index.data(Qt::DisplayRole).toString());
    painter->restore();
}
