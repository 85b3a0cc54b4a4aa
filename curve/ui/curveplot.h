#pragma once

#include "curve/plotscale.h"
#include "curve/pumpcurve.h"
#include "curve/pumpset.h"
#include "curve/systemcurve.h"

#include <QWidget>

#include <optional>
#include <vector>

class QFontMetricsF;

// What the plot shows: the system curve (from no flow on), the case's own point, the
// pump curve and the duty point. Density turns heads into bar for the second scale.
struct CurvePlotData
{
    std::vector<SystemCurve::Point> curve;
    std::optional<SystemCurve::Point> casePoint;
    std::optional<PumpCurve> pump; // one pump at its speed
    std::optional<PumpSet> pumps; // the pumps together, where there are more than one
    SystemCurve::Duty duty;
    double density = 1000;
    // Why there is no system curve, and what to do about it; drawn in its place.
    QString noCurve;
};

// Head over flow, drawn with QPainter so that the same drawing goes to the screen, to
// image and vector files and to the printer. The mouse or the arrow keys move a cursor
// whose flow and head are told through cursorMoved. Curves differ in line style and
// markers as well as in colour, so that a greyscale print tells them apart; texts are
// placed clear of each other and of the markers, and the ticks are thinned to what fits.
class CurvePlot : public QWidget
{
    Q_OBJECT

public:
    // What the legend can name, each drawn in a style of its own.
    enum class Entry { Turbulent, Laminar, Pump, Pumps, Case, Duty };

    explicit CurvePlot(QWidget *parent = nullptr);

    void setData(CurvePlotData data);
    const CurvePlotData &data() const { return m_data; }
    // Draws the whole plot into `area` of any paint device.
    void render(QPainter &painter, const QRectF &area) const;
    QString cursorText() const { return m_cursorText; }
    // The font of the drawing, sized in logical pixels whatever the device.
    QFont drawingFont() const;

    // The texts of the legend, in their order; and where the labels beside the markers
    // go in `area` ("This case", then the duty point; empty for one left out).
    QStringList legendTexts() const;
    std::vector<QRectF> markerLabels(const QRectF &area) const;
    // Where the flow axis's tick labels go in `area`, left to right.
    std::vector<QRectF> flowTickLabels(const QRectF &area) const;
    // The flow axis as drawn, for a plot that shares it.
    AxisTicks flowTicks() const { return frame(QRectF(rect())).x; }

    QSize sizeHint() const override { return {640, 420}; }
    QSize minimumSizeHint() const override { return {320, 220}; }

Q_SIGNALS:
    void cursorMoved(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    struct Frame
    {
        QRectF plot; // the area inside the axes
        QRectF legend; // above it
        AxisTicks x;
        AxisTicks y;
        AxisTicks bar;
        QPointF toScreen(double flow, double head) const;
        QPointF toData(const QPointF &screen) const;
    };
    std::vector<Entry> legendEntries() const;
    bool severalPumps() const;
    Frame frame(const QRectF &area, const QFontMetricsF &metrics) const;
    Frame frame(const QRectF &area) const;
    void drawAxes(QPainter &painter, const Frame &f) const;
    void drawSystemCurve(QPainter &painter, const Frame &f) const;
    void drawPump(QPainter &painter, const Frame &f) const;
    void drawMarkers(QPainter &painter, const Frame &f) const;
    void drawLabels(QPainter &painter, const Frame &f) const;
    void drawLegend(QPainter &painter, const Frame &f) const;
    std::vector<QRectF> placeLabels(const Frame &f, const QFontMetricsF &metrics) const;
    static std::vector<QRectF> flowTickRects(const Frame &f, const QFontMetricsF &metrics);
    void moveCursor(std::optional<QPointF> point);
    void updateAccessibleName();

    CurvePlotData m_data;
    std::optional<QPointF> m_cursor; // flow, head
    QString m_cursorText;
};
