#pragma once

#include <QAbstractTableModel>
#include <QStringList>

class HistoryDataSet;

// The history window's data list as a model over the set: one row per record of the range, virtual
// (a row's texts are made when the view asks for them), so a million records create no items.
// Columns: index from 1, time, one value column per channel.
//
// Thread rule: window thread only; each data() call reads the set under its lock.
class HistoryDataModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit HistoryDataModel(HistoryDataSet& set, QObject* parent = nullptr);

    // Removes every row and rebuilds the columns for the set's current channels.
    void InitColumns();
    // Shows the records first..last (no rows when first > last or the set is empty).
    void Fill(int first, int last);
    void Clear();

    int First() const { return first_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    HistoryDataSet& set_;
    QStringList headers_;
    int first_ = 0;
    int rows_ = 0;
};
