#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <functional>

#include "history/HistoryChartRenderer.h"

class HistoryDataSet;
class QRubberBand;

// The chart area of the history window: renders the set off-screen into a kept image, shows it in
// one copy, and draws the cursor line and value box over the kept image without re-rendering.
// Zoom to a rectangle, drag (one step per mouse move) and zoom reset change the set's range and
// display bounds through the set's own locked operations.
//
// Thread rule: window thread only. The set may be written by the download worker meanwhile; every
// read here holds the set's lock.
class CHistoryChart : public QWidget {
    Q_OBJECT

public:
    explicit CHistoryChart(HistoryDataSet& set, QWidget* parent = nullptr);

    // Renders the chart anew and keeps the image; nothing while the set's dataValid is 0.
    void RedrawChart();
    // Drops the kept image and the cursor: the area shows its plain background until the next render.
    void EraseChart();
    // The set's records changed (download, file load, ClearData): drop the cached summaries.
    void DataChanged() { renderer_.Invalidate(); }

    // Mouse actions in chart pixels, also used by the tests and the benchmark.
    void MoveTo(int x, int y);
    void PressLeft(int x, int y);
    void ReleaseLeft(int x, int y);
    void PressRight(int x, int y);

    // The kept render, and the picture shown (kept render plus cursor line and value box).
    const QImage& KeptImage() const { return kept_; }
    QImage ShownImage() const;
    int RenderCount() const { return renders_; }
    bool Dragging() const { return dragging_; }
    // Picks the background colour on a double-click; replaceable by tests. Returns false on cancel.
    std::function<bool(QColor*)> pickColour;

signals:
    // The pointer in normal mode is over record r: the window shows its values and time.
    void cursorRecord(int r);
    // Zoom mode: the value and time cells are cleared.
    void cursorCleared();
    // Zoom, drag or reset changed the range and statistics: time labels and statistics cells follow.
    void rangeChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void PaintShown(QPainter& p) const;
    void ClearOverlay();
    void BuildValueBox(int r, int x, int y);
    bool HasData() const;

    HistoryDataSet& set_;
    HistoryChartRenderer renderer_;
    QImage kept_;
    int renders_ = 0;
    // Overlay over the kept image: cursor line at cursorX_ (-1 none) and the value box.
    int cursorX_ = -1;
    QImage box_;
    QPoint boxAt_;
    bool dragging_ = false;
    QPoint anchor_;
    bool zooming_ = false;
    QPoint zoomFrom_;
    QRubberBand* band_ = nullptr;
};
