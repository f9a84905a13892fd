#include "app/PropertyBarDlg.h"

#include <QHeaderView>
#include <QPainter>
#include <QTreeWidget>

#include "app/AppEvents.h"
#include "app/ColorRef.h"
#include "app/PropertyItemDelegate.h"
#include "app/PropertyTitleDlg.h"
#include "model/DeviceContext.h"
#include "model/PropertyLines.h"

namespace {
constexpr int kTreeControlId = 1000;
}

CPropertyBarDlg::CPropertyBarDlg(QWidget* parent) : QWidget(parent) {
    title_ = new CPropertyTitleDlg(this);
    connect(title_, &CPropertyTitleDlg::closeClicked, this, &CPropertyBarDlg::closeRequested);
    tree_ = new QTreeWidget(this);
    tree_->setObjectName(QString::number(kTreeControlId));
    tree_->setHeaderHidden(true);
    tree_->setColumnCount(1);
    tree_->setRootIsDecorated(true);
    tree_->setUniformRowHeights(true);
    tree_->setItemDelegate(new CPropertyItemDelegate(kItemHeight, tree_));
    tree_->setFocusPolicy(Qt::NoFocus);
    // Long lines scroll sideways instead of being cut short with an ellipsis.
    tree_->header()->setStretchLastSection(false);
    tree_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    ShowProperties(kPanelLabels);
}

int CPropertyBarDlg::PanelWidth() const {
    return title_->SkinSize().width();
}

QTreeWidgetItem* CPropertyBarDlg::AddLine(QTreeWidgetItem* parent, const PropertyLine& line, bool remember) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree_);
    item->setText(0, QString::fromStdString(line.text));
    if (remember) {
        switch (line.role) {
            case PropertyLine::Role::WorkStatus:
                workStatusItem_ = item;
                break;
            case PropertyLine::Role::RecordCount:
                recordCountItem_ = item;
                break;
            case PropertyLine::Role::RemainingTime:
                remainingTimeItem_ = item;
                break;
            case PropertyLine::Role::None:
                break;
        }
    }
    for (const PropertyLine& child : line.children) AddLine(item, child, remember);
    item->setExpanded(line.expanded);
    return item;
}

void CPropertyBarDlg::ShowProperties(int mode) {
    tree_->clear();
    workStatusItem_ = recordCountItem_ = remainingTimeItem_ = nullptr;
    DeviceContext& context = GetDeviceContext();
    DeviceParameters& block = mode == kPanelHistory ? context.historyParameters : context.deviceParameters;
    const std::vector<PropertyLine> lines = BuildPropertyTree(mode, block, context.units);
    for (const PropertyLine& line : lines) AddLine(nullptr, line, mode == kPanelDevice);
    mode_ = mode;
    if (mode == kPanelDevice) emit recordStateShown(block.WorkStatus() == 1);
}

int CPropertyBarDlg::OnPropertyUpdate(int, int second) {
    const DeviceParameters& block = GetDeviceContext().deviceParameters;
    if (second != 0) {
        if (workStatusItem_) workStatusItem_->setText(0, QString::fromStdString(WorkStatusLine(block)));
    } else {
        if (recordCountItem_) recordCountItem_->setText(0, QString::fromStdString(RecordCountLine(block)));
        if (remainingTimeItem_)
            remainingTimeItem_->setText(0, QString::fromStdString(RemainingTimeLine(block)));
    }
    return 1;
}

bool CPropertyBarDlg::event(QEvent* event) {
    if (event->type() == kPropertyUpdateEvent) {
        auto* update = static_cast<CPropertyUpdateEvent*>(event);
        OnPropertyUpdate(update->First(), update->Second());
        return true;
    }
    return QWidget::event(event);
}

void CPropertyBarDlg::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const QSize strip = title_->SkinSize();
    title_->setGeometry(0, 0, strip.width(), strip.height());
    tree_->setGeometry(1, strip.height() + 1, width() - 2, height() - strip.height() - 4);
}

void CPropertyBarDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ColorFromRef(GetDeviceContext().dialogBkColor));
}
