#include "skin/ListCellDelegate.h"

#include <QPainter>

#include "skin/ListCtrlCl.h"

ListCellDelegate::ListCellDelegate(CListCtrlCl* list) : QStyledItemDelegate(list), m_list(list) {}

void ListCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    const QColor back = selected ? option.palette.color(QPalette::Highlight)
                                 : m_list->CellBackColor(index.column(), index.row());
    const QColor text = selected ? option.palette.color(QPalette::HighlightedText)
                                 : m_list->CellTextColor(index.column(), index.row());
    painter->save();
    painter->fillRect(option.rect, back);
    painter->setFont(m_list->CellFont());
    painter->setPen(text);
    painter->setClipRect(option.rect);
    painter->drawText(option.rect, Qt::AlignCenter | Qt::TextSingleLine, index.data(Qt::DisplayRole).toString());
    painter->restore();
}
