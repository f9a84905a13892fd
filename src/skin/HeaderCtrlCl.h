#pragma once

#include <QColor>
#include <QHeaderView>
#include <QString>

// Horizontal header of CListCtrlCl: every column (and the area right of the last) is filled row by
// row from the top colour, each pixel row darker by the colour step in red, green and blue (clamped
// at 0); column texts in the text colour, aligned by the column's character of the alignment
// string ("0" left, "2" right, 3 px indent, else centred). GUI thread only.
class CHeaderCtrlCl : public QHeaderView {
    Q_OBJECT
public:
    explicit CHeaderCtrlCl(QWidget* parent = nullptr);

    void SetAlignment(const QString& perColumn) {
        m_alignment = perColumn;
        viewport()->update();
    }
    void SetTopColor(const QColor& color) {
        m_topColor = color;
        viewport()->update();
    }
    void SetColorStep(int step) {
        m_step = step;
        viewport()->update();
    }
    void SetHeightFactor(double factor);
    void SetFontHW(int height, int width);
    void SetTextColor(const QColor& color) {
        m_textColor = color;
        viewport()->update();
    }
    QString Alignment() const { return m_alignment; }

    // Colour of pixel row y (0 = top) of the gradient.
    QColor RowColor(int y) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    void FillGradient(QPainter& painter, const QRect& rect) const;

    QString m_alignment;
    QColor m_topColor{171, 199, 235};
    int m_step = 8;
    double m_heightFactor = 1.0;
    QColor m_textColor{0, 0, 0};
};
