#pragma once

#include <QColor>
#include <QHash>
#include <QPair>
#include <QTableView>

class CHeaderCtrlCl;

// Report-style list of the history window on any model (virtual rows: set a model, no widgets per
// row). Cells are drawn centred in "宋体"; background: selection highlight, else the list colour
// replaced by the column's then the cell's colour; text colour likewise (list, column, cell).
// Columns and rows are model indexes. GUI thread only.
class CListCtrlCl : public QTableView {
    Q_OBJECT
public:
    explicit CListCtrlCl(QWidget* parent = nullptr);

    CHeaderCtrlCl* Header() const { return m_header; }
    void SetRowHeight(int height);  // 0 = default height
    void SetTextColor(const QColor& color);
    void SetFontHW(int height, int width);
    void SetColColor(int column, const QColor& color);
    void SetItemColor(int column, int row, const QColor& color);
    void SetColTextColor(int column, const QColor& color);
    void SetItemTextColor(int column, int row, const QColor& color);
    void ClearCellColors();

    // Resolved colours of a cell when not selected (the delegate paints with these).
    QColor CellBackColor(int column, int row) const;
    QColor CellTextColor(int column, int row) const;
    QFont CellFont() const;

private:
    CHeaderCtrlCl* m_header;
    int m_rowHeight = 0;
    QColor m_textColor{0, 0, 0};
    int m_fontHeight = 12;
    int m_fontWidth = 0;
    QHash<int, QColor> m_colBack;
    QHash<QPair<int, int>, QColor> m_cellBack;
    QHash<int, QColor> m_colText;
    QHash<QPair<int, int>, QColor> m_cellText;
};
