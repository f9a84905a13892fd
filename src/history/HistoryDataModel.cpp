#include "history/HistoryDataModel.h"

#include <algorithm>
#include <mutex>

#include "history/HistoryDataSet.h"
#include "history/HistoryTexts.h"
#include "model/DeviceContext.h"

HistoryDataModel::HistoryDataModel(HistoryDataSet& set, QObject* parent)
    : QAbstractTableModel(parent), set_(set) {
    InitColumns();
}

void HistoryDataModel::InitColumns() {
    beginResetModel();
    rows_ = 0;
    headers_ = {HistoryTexts::Text(TextId::HistDataIndex), HistoryTexts::Text(TextId::HistDataTime)};
    {
        std::lock_guard<std::mutex> lock(set_.Mutex());
        for (const ChannelSeries& c : set_.channels) {
            const std::string unit = GetDeviceContext().units.Lookup(c.unitCode);
            headers_ << QString::fromStdString(
                FormatText(Tx(TextId::HistDataChannel), c.channelNumber + 1, unit.c_str()));
        }
    }
    endResetModel();
}

void HistoryDataModel::Fill(int first, int last) {
    beginResetModel();
    {
        std::lock_guard<std::mutex> lock(set_.Mutex());
        // Rows never reach past the records, whatever the range says.
        last = std::min(last, set_.recordCount - 1);
        first_ = std::max(first, 0);
        rows_ = last >= first_ ? last - first_ + 1 : 0;
    }
    endResetModel();
}

void HistoryDataModel::Clear() {
    beginResetModel();
    rows_ = 0;
    endResetModel();
}

int HistoryDataModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int HistoryDataModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QVariant HistoryDataModel::data(const QModelIndex& index, int role) const {
    if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignCenter);
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows_) return {};
    const int column = index.column();
    if (column == 0) return QString::number(index.row() + 1);
    std::lock_guard<std::mutex> lock(set_.Mutex());
    const int record = first_ + index.row();
    if (record >= set_.recordCount) return {};  // the set was emptied under the view
    if (column == 1) return HistoryTexts::Time(set_.timestamps[record]);
    const int channel = column - 2;
    if (channel >= static_cast<int>(set_.channels.size())) return {};
    return HistoryTexts::Value(set_.channels[channel].values[record]);
}

QVariant HistoryDataModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::DisplayRole && orientation == Qt::Horizontal && section < headers_.size())
        return headers_[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}
