#include "history/CHistoryChart.h"

#include <QColorDialog>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <algorithm>
#include <mutex>

#include "history/HistoryChartGeometry.h"
#include "history/HistoryDataSet.h"
#include "history/HistoryTexts.h"
#include "model/DeviceContext.h"

using namespace HistoryChartGeometry;

CHistoryChart::CHistoryChart(HistoryDataSet& set, QWidget* parent) : QWidget(parent), set_(set) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    pickColour = [this](QColor* colour) {
        const QColor chosen = QColorDialog::getColor(*colour, this);
        if (!chosen.isValid()) return false;
        *colour = chosen;
        return true;
    };
}

bool CHistoryChart::HasData() const {
    return set_.recordCount > 0 && set_.dataValid && isVisible();
}

void CHistoryChart::RedrawChart() {
    if (!set_.dataValid || width() <= 0 || height() <= 0) return;
    QImage image(size(), QImage::Format_RGB32);
    {
        std::lock_guard<std::mutex> lock(set_.Mutex());
        renderer_.Draw(set_, image);
    }
    kept_ = std::move(image);
    ++renders_;
    ClearOverlay();
    update();
}

void CHistoryChart::EraseChart() {
    kept_ = QImage();
    ClearOverlay();
    dragging_ = false;
    update();
}

void CHistoryChart::ClearOverlay() {
    if (cursorX_ >= 0) update(cursorX_, 0, 1, height() + 1);
    if (!box_.isNull()) update(QRect(boxAt_, box_.size()));
    cursorX_ = -1;
    box_ = QImage();
}

void CHistoryChart::PaintShown(QPainter& p) const {
    p.drawImage(0, 0, kept_);
    if (cursorX_ >= 0) {
        p.setPen(QColor::fromRgb(HistoryChartRenderer::ToRgb(kCursorLineColour)));
        p.drawLine(cursorX_, 0, cursorX_, height());
    }
    if (!box_.isNull()) p.drawImage(boxAt_, box_);
}

QImage CHistoryChart::ShownImage() const {
    if (kept_.isNull()) return QImage();
    QImage shown = kept_.copy();
    QPainter p(&shown);
    PaintShown(p);
    return shown;
}

void CHistoryChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (kept_.isNull() || !set_.dataValid) {
        p.fillRect(rect(), Qt::white);
        return;
    }
    PaintShown(p);
}

void CHistoryChart::resizeEvent(QResizeEvent*) {
    if (set_.dataValid)
        RedrawChart();
    else
        EraseChart();
}

void CHistoryChart::BuildValueBox(int r, int x, int y) {
    const int w = width(), h = height();
    QStringList lines;
    uint32_t background = 0xFFFFFF;
    {
        std::lock_guard<std::mutex> lock(set_.Mutex());
        background = set_.backgroundColour;
        for (const ChannelSeries& c : set_.channels) {
            const std::string unit = GetDeviceContext().units.Lookup(c.unitCode);
            const QString value =
                r < static_cast<int>(c.values.size()) ? HistoryTexts::Value(c.values[r]) : QString();
            lines << QString::fromStdString(FormatText(Tx(TextId::HistValueBoxLine), c.channelNumber + 1,
                                                       value.toUtf8().constData(), unit.c_str()));
        }
        if (r < static_cast<int>(set_.timestamps.size())) lines << HistoryTexts::Time(set_.timestamps[r]);
    }
    const int boxHeight = ValueBoxHeight(static_cast<int>(lines.size()) - 1);
    ClearOverlay();
    cursorX_ = x;
    update(x, 0, 1, h + 1);
    int bx = 0, by = 0;
    if (!ValueBoxOrigin(x, y, w, h, boxHeight, &bx, &by)) return;
    box_ = QImage(kValueBoxWidth, boxHeight, QImage::Format_RGB32);
    box_.fill(QColor::fromRgb(HistoryChartRenderer::ToRgb(background)));
    QPainter p(&box_);
    QFont font = p.font();
    font.setPixelSize(12);
    p.setFont(font);
    p.setBackgroundMode(Qt::OpaqueMode);
    p.setBackground(Qt::white);
    p.setPen(Qt::black);
    for (int j = 0; j < lines.size(); ++j)
        p.drawText(QRect(0, kValueBoxLineHeight * j, kValueBoxWidth, kValueBoxLineHeight),
                   Qt::AlignLeft | Qt::AlignTop, lines[j]);
    boxAt_ = QPoint(bx, by);
    update(QRect(boxAt_, box_.size()));
}

void CHistoryChart::MoveTo(int x, int y) {
    if (!HasData()) return;
    const int w = width(), h = height();
    int r = 0, mode = 0, showLine = 0;
    bool empty = false;
    {
        std::lock_guard<std::mutex> lock(set_.Mutex());
        empty = set_.RangeEmpty();
        if (!empty) r = RecordAtX(x, w, set_.rangeFirst, set_.rangeLast);
        mode = set_.mouseMode;
        showLine = set_.showCursorLine;
    }
    if (x < 0 || x > w || y < 0 || y > h) {
        dragging_ = false;
        ClearOverlay();
        return;
    }
    if (mode == kMouseZoom) {
        setCursor(Qt::CrossCursor);
        emit cursorCleared();
        return;
    }
    if (mode == kMouseDrag) {
        setCursor(Qt::SizeAllCursor);
        if (dragging_) {
            set_.PanByStep(x - anchor_.x(), y - anchor_.y());
            anchor_ = QPoint(x, y);
            emit rangeChanged();
            RedrawChart();
        }
        return;
    }
    unsetCursor();
    if (empty) return;  // a query window between two records: no record under the pointer
    emit cursorRecord(r);
    if (showLine) BuildValueBox(r, x, y);
}

void CHistoryChart::PressLeft(int x, int y) {
    if (!HasData() || !rect().adjusted(0, 0, 1, 1).contains(x, y)) return;
    if (set_.mouseMode == kMouseZoom) {
        setCursor(Qt::CrossCursor);
        zooming_ = true;
        zoomFrom_ = QPoint(x, y);
        if (!band_) band_ = new QRubberBand(QRubberBand::Rectangle, this);
        band_->setGeometry(QRect(zoomFrom_, QSize()));
        band_->show();
    } else if (set_.mouseMode == kMouseDrag) {
        setCursor(Qt::SizeAllCursor);
        dragging_ = true;
        anchor_ = QPoint(x, y);
    }
}

void CHistoryChart::ReleaseLeft(int x, int y) {
    if (set_.mouseMode == kMouseDrag) {
        dragging_ = false;
        return;
    }
    if (!zooming_) return;
    zooming_ = false;
    if (band_) band_->hide();
    const int w = width(), h = height();
    x = std::clamp(x, 0, w);
    y = std::clamp(y, 0, h);
    const int x1 = std::min(x, zoomFrom_.x()), x2 = std::max(x, zoomFrom_.x());
    const int y1 = std::min(y, zoomFrom_.y()), y2 = std::max(y, zoomFrom_.y());
    if (x1 == x2 && y1 == y2) return;
    set_.ZoomToRect(w, h, x1, y1, x2, y2);
    emit rangeChanged();
    RedrawChart();
}

void CHistoryChart::PressRight(int x, int y) {
    if (!HasData() || !rect().adjusted(0, 0, 1, 1).contains(x, y)) return;
    if (set_.mouseMode != kMouseZoom) return;
    setCursor(Qt::CrossCursor);
    emit cursorCleared();
    set_.ResetZoom();
    emit rangeChanged();
    RedrawChart();
}

void CHistoryChart::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (zooming_ && band_) band_->setGeometry(QRect(zoomFrom_, at).normalized());
    MoveTo(at.x(), at.y());
}

void CHistoryChart::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton) PressLeft(at.x(), at.y());
    if (event->button() == Qt::RightButton) PressRight(at.x(), at.y());
}

void CHistoryChart::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton) ReleaseLeft(at.x(), at.y());
}

void CHistoryChart::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isVisible()) return;
    QColor colour = QColor::fromRgb(HistoryChartRenderer::ToRgb(set_.backgroundColour));
    if (!pickColour || !pickColour(&colour)) return;
    {
        std::lock_guard<std::mutex> lock(set_.Mutex());
        set_.backgroundColour =
            static_cast<uint32_t>(colour.red()) | (colour.green() << 8) | (colour.blue() << 16);
    }
    RedrawChart();
}

void CHistoryChart::leaveEvent(QEvent*) {
    if (zooming_) return;
    dragging_ = false;
    ClearOverlay();
}
