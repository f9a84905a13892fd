// The history chart on an image: mapping of records to pixels, break and alarm lines, the value box
// over the kept image, zoom, drag and reset through the mouse, and the envelope of big ranges.
#include <QtTest>
#include <cmath>

#include "history/CHistoryChart.h"
#include "history/HistoryChartRenderer.h"
#include "history/HistoryDataSet.h"
#include "model/DeviceContext.h"

namespace {

constexpr uint32_t kBlue = 0xFF0000;  // channel 0's colour, 0x00BBGGRR
const QRgb kBlueRgb = qRgb(0, 0, 255);
const QRgb kWhite = qRgb(255, 255, 255);

// One channel scaled 0..50 on a chart 100 pixels high: y = 100 - 2 v.
void FillSet(HistoryDataSet& set, const std::vector<double>& values, int channels = 1) {
    set.channels.assign(channels, ChannelSeries{});
    for (int k = 0; k < channels; ++k) {
        ChannelSeries& c = set.channels[k];
        c.channelNumber = k;
        c.colour = k == 0 ? kBlue : 0x0000FF;
        c.rangeUpper = c.displayTop = 50;
        c.rangeLower = c.displayBottom = 0;
        c.alarmUpper = 50;
        c.alarmLower = 0;
        c.values = values;
    }
    set.channelCount = channels;
    set.recordCount = static_cast<int>(values.size());
    set.timestamps.resize(values.size());
    for (size_t i = 0; i < values.size(); ++i) set.timestamps[i] = 1425182400 + 60 * static_cast<int64_t>(i);
    set.rangeFirst = 0;
    set.rangeLast = set.recordCount - 1;
    set.showAxes = 0;
    set.dataValid = 1;
}

QImage Render(HistoryDataSet& set, int w = 400, int h = 100) {
    QImage image(w, h, QImage::Format_RGB32);
    HistoryChartRenderer renderer;
    renderer.Draw(set, image);
    return image;
}

int CountColour(const QImage& image, QRgb colour, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (image.pixel(x, y) == colour) ++n;
    return n;
}

}  // namespace

class HistoryChartQtTest : public QObject {
    Q_OBJECT

private slots:
    void FourRecordsLieAtTheQuarterColumns();
    void BottomTicksHaveTheirLengths();
    void OneRecordDrawsAcrossTheWholeWidth();
    void BreakPointDrawsDottedLineUnderThePointBefore();
    void AlarmLimitOnTheEdgeIsNotDrawn_data();
    void AlarmLimitOnTheEdgeIsNotDrawn();
    void ValueBoxFlipsAtTheRightAndBottomEdges_data();
    void ValueBoxFlipsAtTheRightAndBottomEdges();
    void CursorDoesNotRenderAgainAndLeavesNoTrace();
    void ZoomDragAndResetThroughTheMouse();
    void EnvelopeKeepsASingleSpikeOfAMillionRecords();
    void EnvelopeFollowsNewDataAfterDataChanged();
    void EnvelopeSpansEveryColumnsSmallestAndLargestValue_data();
    void EnvelopeSpansEveryColumnsSmallestAndLargestValue();
    void DoubleClickSetsTheBackgroundUnlessCancelled();
};

void HistoryChartQtTest::FourRecordsLieAtTheQuarterColumns() {
    // Values 10, 20, 30, 40 -> y 80, 60, 40, 20; points at x 0 and 100 (first record), 200, 300, 400.
    HistoryDataSet set;
    FillSet(set, {10, 20, 30, 40});
    const QImage image = Render(set);
    struct Point {
        int x, y;
    };
    for (Point p : {Point{2, 80}, Point{50, 80}, Point{99, 80}, Point{150, 70}, Point{200, 60},
                    Point{250, 50}, Point{300, 40}, Point{350, 30}, Point{395, 21}})
        QVERIFY2(image.pixel(p.x, p.y) == kBlueRgb,
                 qPrintable(QString("no curve at %1,%2").arg(p.x).arg(p.y)));
    // Nothing of the curve where a mapping of x = i * W / (n - 1) would have put it.
    QCOMPARE(image.pixel(133, 60), kWhite);
    QCOMPARE(image.pixel(50, 72), kWhite);
}

void HistoryChartQtTest::BottomTicksHaveTheirLengths() {
    // W = 401: q = 100, ticks at x = 0, 100, 200, 300; the middle one 15 pixels long, the others 10.
    // Row h-1 is the border; the column above it holds the rest of the tick and nothing else.
    HistoryDataSet set;  // no channel: background, border and ticks only
    const QImage image = Render(set, 401, 100);
    const QRgb black = qRgb(0, 0, 0);
    struct Tick {
        int x, length;
    };
    for (Tick t : {Tick{100, 10}, Tick{200, 15}, Tick{300, 10}}) {
        QCOMPARE(CountColour(image, black, t.x, 1, t.x, 98), t.length - 1);
        QCOMPARE(image.pixel(t.x, 99 - (t.length - 1)), black);
        QCOMPARE(image.pixel(t.x, 99 - t.length), kWhite);
    }
}

void HistoryChartQtTest::OneRecordDrawsAcrossTheWholeWidth() {
    HistoryDataSet set;
    FillSet(set, {25, 10, 10});
    set.rangeFirst = set.rangeLast = 0;
    const QImage image = Render(set);
    QCOMPARE(CountColour(image, kBlueRgb, 1, 50, 398, 50), 398);
    QCOMPARE(CountColour(image, kBlueRgb, 1, 51, 398, 98), 0);
}

void HistoryChartQtTest::BreakPointDrawsDottedLineUnderThePointBefore() {
    HistoryDataSet set;
    FillSet(set, {10, 20, 30, 40});
    set.breakPoints = {2, 3};  // 2 inside the range; 3 is the range's last record: no line
    const QImage image = Render(set);
    // Under the point of record 1 at (200, 60): dots and gaps down to the bottom.
    const int dots = CountColour(image, kBlueRgb, 200, 62, 200, 98);
    QVERIFY2(dots > 5 && dots < 37, qPrintable(QString::number(dots)));
    // Under record 2's point at (300, 40): nothing.
    QCOMPARE(CountColour(image, kBlueRgb, 300, 42, 300, 98), 0);

    set.showBreakLines = 0;
    QCOMPARE(CountColour(Render(set), kBlueRgb, 200, 62, 200, 98), 0);
}

void HistoryChartQtTest::AlarmLimitOnTheEdgeIsNotDrawn_data() {
    QTest::addColumn<double>("limit");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("drawn");
    QTest::addColumn<bool>("emptyRange");  // a query window between two records: no curve
    QTest::newRow("upper equal to the top") << 50.0 << 0 << false << false;
    QTest::newRow("just inside the top") << 49.9 << 0 << true << false;
    QTest::newRow("inside") << 35.0 << 30 << true << false;
    QTest::newRow("above the top") << 60.0 << 0 << false << false;
    QTest::newRow("inside, empty range") << 35.0 << 30 << true << true;
    QTest::newRow("on the top, empty range") << 50.0 << 0 << false << true;
}

void HistoryChartQtTest::AlarmLimitOnTheEdgeIsNotDrawn() {
    QFETCH(double, limit);
    QFETCH(int, row);
    QFETCH(bool, drawn);
    QFETCH(bool, emptyRange);
    HistoryDataSet set;
    FillSet(set, {1, 1, 1, 1});  // the curve lies at y 98, away from the rows checked
    set.channels[0].alarmUpper = limit;
    if (emptyRange) {
        set.rangeFirst = 2;
        set.rangeLast = 1;
    }
    const QImage image = Render(set);
    const int coloured = CountColour(image, kBlueRgb, 0, row, 399, row);
    if (drawn) {
        QVERIFY2(coloured > 50 && coloured < 400, qPrintable(QString::number(coloured)));  // dotted
    } else {
        QCOMPARE(coloured, 0);
    }
    QCOMPARE(CountColour(image, kBlueRgb, 1, 98, 398, 98) > 0, !emptyRange);
}

void HistoryChartQtTest::ValueBoxFlipsAtTheRightAndBottomEdges_data() {
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<QPoint>("box");
    // Chart 400 x 300, three channels: the box is 138 x 80.
    QTest::newRow("beside and below") << QPoint(100, 100) << QPoint(100, 100);
    QTest::newRow("room just enough") << QPoint(262, 220) << QPoint(262, 220);
    QTest::newRow("right edge") << QPoint(263, 100) << QPoint(125, 100);
    QTest::newRow("bottom edge") << QPoint(100, 221) << QPoint(100, 141);
    QTest::newRow("corner") << QPoint(390, 290) << QPoint(252, 210);
}

void HistoryChartQtTest::ValueBoxFlipsAtTheRightAndBottomEdges() {
    QFETCH(QPoint, pointer);
    QFETCH(QPoint, box);
    HistoryDataSet set;
    FillSet(set, std::vector<double>(40, 1.0), 3);
    set.backgroundColour = 0x00D0D0D0;  // grey, so the box's white text boxes stand out
    CHistoryChart chart(set);
    chart.resize(400, 300);
    chart.show();
    chart.RedrawChart();
    chart.MoveTo(pointer.x(), pointer.y());
    const QImage shown = chart.ShownImage();
    // The first line's text box is white at the box's top-left; the box spans 138 x 80.
    QCOMPARE(shown.pixel(box.x() + 1, box.y() + 1), kWhite);
    const QRgb grey = qRgb(0xD0, 0xD0, 0xD0);
    QCOMPARE(shown.pixel(box.x() + 137, box.y() + 79), grey);
    // Just outside the box on the side away from the pointer: the chart, untouched.
    const QPoint outside(box.x() == pointer.x() ? box.x() + 139 : box.x() - 2, box.y() + 40);
    if (outside.x() >= 0 && outside.x() < 400)
        QCOMPARE(shown.pixel(outside), chart.KeptImage().pixel(outside));
    // The cursor line above or below the box in its grey.
    const int lineY = box.y() == pointer.y() ? std::max(pointer.y() - 10, 1) : std::min(pointer.y() + 5, 299);
    if (lineY != pointer.y()) QCOMPARE(shown.pixel(pointer.x(), lineY), qRgb(150, 150, 150));
}

void HistoryChartQtTest::CursorDoesNotRenderAgainAndLeavesNoTrace() {
    HistoryDataSet set;
    FillSet(set, {10, 20, 30, 40});
    CHistoryChart chart(set);
    chart.resize(400, 100);
    chart.show();
    chart.RedrawChart();
    const int renders = chart.RenderCount();
    const QImage kept = chart.KeptImage();
    int record = -1;
    connect(&chart, &CHistoryChart::cursorRecord, [&](int r) { record = r; });
    chart.MoveTo(250, 10);
    QCOMPARE(record, 2);
    QVERIFY(chart.ShownImage() != kept);
    chart.MoveTo(399, 10);
    QCOMPARE(record, 3);
    QCOMPARE(chart.RenderCount(), renders);
    QCOMPARE(chart.KeptImage(), kept);
    chart.MoveTo(401, 10);  // outside: the kept image comes back whole
    QCOMPARE(chart.ShownImage(), kept);

    set.showCursorLine = 0;
    chart.MoveTo(250, 10);
    QCOMPARE(chart.ShownImage(), kept);
}

void HistoryChartQtTest::ZoomDragAndResetThroughTheMouse() {
    HistoryDataSet set;
    FillSet(set, std::vector<double>(400, 20.0));
    set.channels[0].rangeLower = -40;  // shown 0..50 inside the range, so drag steps are not clamped
    set.channels[0].rangeUpper = 80;
    CHistoryChart chart(set);
    chart.resize(400, 100);
    chart.show();
    chart.RedrawChart();
    int changes = 0;
    connect(&chart, &CHistoryChart::rangeChanged, [&] { ++changes; });

    set.mouseMode = kMouseZoom;
    chart.PressLeft(300, 0);
    chart.ReleaseLeft(100, 100);  // corners ordered
    QCOMPARE(set.rangeFirst, 100);
    QCOMPARE(set.rangeLast, 300);
    QCOMPARE(changes, 1);
    chart.PressLeft(50, 50);
    chart.ReleaseLeft(50, 50);  // a single point does not zoom
    QCOMPARE(set.rangeFirst, 100);
    QCOMPARE(set.rangeLast, 300);

    set.mouseMode = kMouseDrag;
    const double top = set.channels[0].displayTop, bottom = set.channels[0].displayBottom;
    chart.PressLeft(200, 50);
    chart.MoveTo(201, 50);  // one pixel right: one record earlier, bounds 0.05 lower
    QCOMPARE(set.rangeFirst, 99);
    QCOMPARE(set.rangeLast, 299);
    QVERIFY(std::abs(set.channels[0].displayTop - (top - 0.05)) < 1e-9);
    chart.MoveTo(201, 60);  // straight down: bounds back up, one record later
    QCOMPARE(set.rangeFirst, 100);
    QVERIFY(std::abs(set.channels[0].displayBottom - bottom) < 1e-9);
    chart.ReleaseLeft(201, 60);
    chart.MoveTo(150, 60);  // released: no step
    QCOMPARE(set.rangeFirst, 100);

    set.mouseMode = kMouseZoom;
    chart.PressRight(10, 10);
    QCOMPARE(set.rangeFirst, 0);
    QCOMPARE(set.rangeLast, 399);
    QCOMPARE(set.channels[0].displayTop, 80.0);
    QCOMPARE(set.channels[0].displayBottom, -40.0);
    QCOMPARE(changes, 4);
}

void HistoryChartQtTest::EnvelopeKeepsASingleSpikeOfAMillionRecords() {
    HistoryDataSet set;
    std::vector<double> values(1000000, 10.0);
    const int spikes[] = {123457, 499968, 999998};  // inside a block, at a block start, near the end
    for (int i : spikes) values[i] = 45.0;          // y = 10
    FillSet(set, values);
    const QImage image = Render(set);
    for (int i : spikes) {
        const int column = static_cast<int>((i + 1) * (400.0 / 1000000));
        QVERIFY2(CountColour(image, kBlueRgb, column, 10, column, 12) > 0, qPrintable(QString::number(i)));
    }
    // Elsewhere the curve stays on its level.
    QCOMPARE(CountColour(image, kBlueRgb, 300, 1, 300, 70), 0);
    QCOMPARE(image.pixel(300, 80), kBlueRgb);
}

void HistoryChartQtTest::EnvelopeFollowsNewDataAfterDataChanged() {
    HistoryDataSet set;
    FillSet(set, std::vector<double>(100000, 10.0));
    CHistoryChart chart(set);
    chart.resize(400, 100);
    chart.RedrawChart();
    QCOMPARE(chart.KeptImage().pixel(200, 80), kBlueRgb);
    // Same size and the same buffer, new contents: only DataChanged tells the cached summaries.
    std::fill(set.channels[0].values.begin(), set.channels[0].values.end(), 30.0);
    chart.DataChanged();
    chart.RedrawChart();
    QCOMPARE(chart.KeptImage().pixel(200, 40), kBlueRgb);
    QCOMPARE(chart.KeptImage().pixel(200, 80), kWhite);
}

void HistoryChartQtTest::EnvelopeSpansEveryColumnsSmallestAndLargestValue_data() {
    QTest::addColumn<int>("last");
    QTest::newRow("37 a column") << 14876;
    QTest::newRow("450 a column") << 180000;
}

void HistoryChartQtTest::EnvelopeSpansEveryColumnsSmallestAndLargestValue() {
    // Random walk: columns of about 37 records (raw scans) and of about 450 (block summaries), ranges
    // starting off block boundaries.
    QFETCH(int, last);
    std::vector<double> values(200000);
    uint32_t seed = 12345;
    double v = 25;
    for (double& x : values) {
        seed = seed * 1664525u + 1013904223u;
        v = std::clamp(v + static_cast<int>(seed >> 28) * 0.3 - 2.25, 1.0, 49.0);
        x = v;
    }
    HistoryDataSet set;
    FillSet(set, values);
    set.rangeFirst = 77;
    set.rangeLast = last;
    const QImage image = Render(set);
    const int n = set.rangeLast - set.rangeFirst + 1;
    const double px = 400.0 / n;
    std::vector<int> top(401, 1000), bottom(401, -1);
    for (int k = 0; k < n; ++k) {
        const int x = k == n - 1 ? 400 : static_cast<int>((k + 1) * px);
        const int y = static_cast<int>(100 - values[set.rangeFirst + k] * 2);
        top[x] = std::min(top[x], y);
        bottom[x] = std::max(bottom[x], y);
    }
    for (int x = 1; x < 399; ++x) {
        if (bottom[x] < 0) continue;
        QVERIFY2(image.pixel(x, top[x]) == kBlueRgb && image.pixel(x, bottom[x]) == kBlueRgb,
                 qPrintable(QString("column %1: %2..%3").arg(x).arg(top[x]).arg(bottom[x])));
        // Nothing of this curve well above the column's largest value except joins from neighbours.
        const int above = std::min({top[x], top[x - 1], top[x + 1]}) - 2;
        if (above > 1) QCOMPARE(CountColour(image, kBlueRgb, x, 1, x, above), 0);
    }
}

void HistoryChartQtTest::DoubleClickSetsTheBackgroundUnlessCancelled() {
    HistoryDataSet set;
    FillSet(set, {10, 20, 30, 40});
    CHistoryChart chart(set);
    chart.resize(400, 100);
    chart.show();
    chart.RedrawChart();
    bool accept = false;
    chart.pickColour = [&](QColor* colour) {
        *colour = QColor(255, 255, 0);
        return accept;
    };
    QTest::mouseDClick(&chart, Qt::LeftButton, {}, QPoint(50, 50));
    QCOMPARE(set.backgroundColour, 0xFFFFFFu);
    accept = true;
    QTest::mouseDClick(&chart, Qt::LeftButton, {}, QPoint(50, 50));
    QCOMPARE(set.backgroundColour, 0x00FFFFu);  // yellow as 0x00BBGGRR
    QCOMPARE(chart.KeptImage().pixel(200, 20), qRgb(255, 255, 0));
}

QTEST_MAIN(HistoryChartQtTest)
#include "HistoryChartQtTest.moc"
