#pragma once

#include <QStyledItemDelegate>

class CListCtrlCl;

// Paints the cells of CListCtrlCl with the list's resolved colours and font, text centred.
class ListCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit ListCellDelegate(CListCtrlCl* list);
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    CListCtrlCl* m_list;
};
