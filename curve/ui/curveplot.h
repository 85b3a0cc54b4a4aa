#pragma once

#include "curve/plotscale.h"
#include "curve/pumpcurve.h"
#include "curve/pumpset.h"
#include "curve/systemcurve.h"

#include <QWidget>

#include <optional>
#include <vector>

// What the plot shows: the system curve, the case's own point, the pump curve and
// the duty point. Density turns heads into bar for the second scale.
struct CurvePlotData
{
    std::vector<SystemCurve::Point> curve;
    std::optional<SystemCurve::Point> casePoint;
    std::optional<PumpCurve> pump; // one pump at its speed
    std::optional<PumpSet> pumps; // the pumps together, where there are more than one
    SystemCurve::Duty duty;
    double density = 1000;
};

// Head over flow, drawn with QPainter so that the same drawing goes to the screen, to
// image and vector files and to the printer. The mouse or the arrow keys move a cursor
// whose flow and head are told through cursorMoved.
class CurvePlot : public QWidget
{
    Q_OBJECT

public:
    explicit CurvePlot(QWidget *parent = nullptr);

    void setData(CurvePlotData data);
    const CurvePlotData &data() const { return m_data; }
    // Draws the whole plot into `area` of any paint device.
    void render(QPainter &painter, const QRectF &area) const;
    QString cursorText() const { return m_cursorText; }
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
        AxisTicks x;
        AxisTicks y;
        AxisTicks bar;
        QPointF toScreen(double flow, double head) const;
        QPointF toData(const QPointF &screen) const;
    };
    Frame frame(const QRectF &area) const;
    void drawAxes(QPainter &painter, const Frame &f) const;
    void drawSystemCurve(QPainter &painter, const Frame &f) const;
    void drawPump(QPainter &painter, const Frame &f) const;
    void drawMarkers(QPainter &painter, const Frame &f) const;
    void drawLegend(QPainter &painter, const Frame &f) const;
    void moveCursor(std::optional<QPointF> point);

    CurvePlotData m_data;
    std::optional<QPointF> m_cursor; // flow, head
    QString m_cursorText;
};
