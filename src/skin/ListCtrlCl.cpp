#include "skin/ListCtrlCl.h"

#include "skin/HeaderCtrlCl.h"
#include "skin/ListCellDelegate.h"

CListCtrlCl::CListCtrlCl(QWidget* parent) : QTableView(parent), m_header(new CHeaderCtrlCl(this)) {
    setHorizontalHeader(m_header);
    verticalHeader()->hide();
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setItemDelegate(new ListCellDelegate(this));
    setGridStyle(Qt::SolidLine);
}

void CListCtrlCl::SetRowHeight(int height) {
    m_rowHeight = height;
    if (height > 0) {
        verticalHeader()->setMinimumSectionSize(1);
        verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        verticalHeader()->setDefaultSectionSize(height);
    } else {
        verticalHeader()->setSectionResizeMode(QHeaderView::Interactive);
        verticalHeader()->setDefaultSectionSize(verticalHeader()->sizeHint().height());
    }
}

void CListCtrlCl::SetTextColor(const QColor& color) {
    m_textColor = color;
    viewport()->update();
}

void CListCtrlCl::SetFontHW(int height, int width) {
    m_fontHeight = height;
    m_fontWidth = width;
    viewport()->update();
}

void CListCtrlCl::SetColColor(int column, const QColor& color) {
    m_colBack.insert(column, color);
    viewport()->update();
}

void CListCtrlCl::SetItemColor(int column, int row, const QColor& color) {
    m_cellBack.insert({column, row}, color);
    viewport()->update();
}

void CListCtrlCl::SetColTextColor(int column, const QColor& color) {
    m_colText.insert(column, color);
    viewport()->update();
}

void CListCtrlCl::SetItemTextColor(int column, int row, const QColor& color) {
    m_cellText.insert({column, row}, color);
    viewport()->update();
}

void CListCtrlCl::ClearCellColors() {
    m_cellBack.clear();
    m_cellText.clear();
    viewport()->update();
}

QColor CListCtrlCl::CellBackColor(int column, int row) const {
    if (auto it = m_cellBack.constFind({column, row}); it != m_cellBack.cend()) return *it;
    return m_colBack.value(column, palette().color(QPalette::Base));
}

QColor CListCtrlCl::CellTextColor(int column, int row) const {
    if (auto it = m_cellText.constFind({column, row}); it != m_cellText.cend()) return *it;
    return m_colText.value(column, m_textColor);
}

QFont CListCtrlCl::CellFont() const {
    QFont f(QStringLiteral("宋体"));
    f.setPixelSize(qMax(1, m_fontHeight));
    if (m_fontWidth > 0) f.setStretch(qBound(1, m_fontWidth * 200 / qMax(1, m_fontHeight), 4000));
    return f;
}
