#pragma once

#include <QStyledItemDelegate>

class CListCtrlCl;

// Paints the cells of CListCtrlCl with the list's resolved colours and font, text centred; a
// checkable cell shows its check box at the left (toggled by the base delegate's click handling).
class ListCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit ListCellDelegate(CListCtrlCl* list);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    CListCtrlCl* m_list;
};
