#pragma once

#include <QStyledItemDelegate>

// Gives every line of the property tree the same fixed height.
class CPropertyItemDelegate : public QStyledItemDelegate {
public:
    CPropertyItemDelegate(int height, QObject* parent) : QStyledItemDelegate(parent), height_(height) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width(), height_);
    }

private:
    int height_;
};
