#include "curve/ui/curveplot.h"

#include "curve/curvetexts.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

const QColor TurbulentColor(0x1f, 0x5f, 0xbf);
const QColor LaminarColor(0x2e, 0x8b, 0x3d);
const QColor PumpColor(0xc0, 0x30, 0x30);
const QColor DutyColor(0xe0, 0x8a, 0x00);
const QColor GridColor(0xdd, 0xdd, 0xdd);
const QString LaminarLegend = QStringLiteral("System, laminar");
const QString TurbulentLegend = QStringLiteral("System, turbulent");
const QString PumpLegend = QStringLiteral("Pump");
const QString CaseLegend = QStringLiteral("This case");
const QString NoCurve = QStringLiteral("No result to draw");

// Margins around the axes, in device-independent pixels: tick labels left and right
// (the second scale), the flow axis below, the legend above.
constexpr double MarginLeft = 64;
constexpr double MarginRight = 64;
constexpr double MarginTop = 34;
constexpr double MarginBottom = 46;
// Samples of the pump curve between its points: enough for a smooth line.
constexpr int PumpSamples = 200;

} // namespace

CurvePlot::CurvePlot(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("System curve plot"));
    setAccessibleDescription(QStringLiteral("Head over flow. The arrow keys move the cursor."));
    setAutoFillBackground(false);
}

void CurvePlot::setData(CurvePlotData data)
{
    m_data = std::move(data);
    if (m_cursor)
        moveCursor(m_cursor); // the bar value follows a new density
    update();
}

QPointF CurvePlot::Frame::toScreen(double flow, double head) const
{
    const double fx = (flow - x.low) / (x.high - x.low);
    const double fy = (head - y.low) / (y.high - y.low);
    return {plot.left() + fx * plot.width(), plot.bottom() - fy * plot.height()};
}

QPointF CurvePlot::Frame::toData(const QPointF &screen) const
{
    const double fx = (screen.x() - plot.left()) / plot.width();
    const double fy = (plot.bottom() - screen.y()) / plot.height();
    return {x.low + fx * (x.high - x.low), y.low + fy * (y.high - y.low)};
}

CurvePlot::Frame CurvePlot::frame(const QRectF &area) const
{
    double maxFlow = 0;
    double minHead = 0;
    double maxHead = 0;
    auto include = [&](double flow, double head) {
        if (!std::isfinite(flow) || !std::isfinite(head))
            return;
        maxFlow = std::max(maxFlow, flow);
        minHead = std::min(minHead, head);
        maxHead = std::max(maxHead, head);
    };
    for (const SystemCurve::Point &p : m_data.curve) {
        if (p.hasResult())
            include(p.flow, p.head);
        else
            maxFlow = std::max(maxFlow, p.flow);
    }
    if (m_data.casePoint && m_data.casePoint->hasResult())
        include(m_data.casePoint->flow, m_data.casePoint->head);
    if (m_data.pump) {
        for (const PumpPoint &p : m_data.pump->points())
            include(p.flow, p.head);
    }
    if (m_data.pumps) {
        include(m_data.pumps->minFlow(), m_data.pumps->head(m_data.pumps->minFlow()));
        include(m_data.pumps->maxFlow(), m_data.pumps->head(m_data.pumps->maxFlow()));
    }
    Frame f;
    f.plot = area.adjusted(MarginLeft, MarginTop, -MarginRight, -MarginBottom);
    f.x = AxisTicks::nice(0, maxFlow > 0 ? maxFlow : 1);
    f.y = AxisTicks::nice(minHead, maxHead > minHead ? maxHead * 1.05 : minHead + 1);
    f.bar = AxisTicks::scaled(f.y, CurveTexts::headToBar(1, m_data.density));
    return f;
}

void CurvePlot::drawAxes(QPainter &painter, const Frame &f) const
{
    const QFontMetricsF metrics(painter.font());
    painter.setPen(QPen(GridColor, 0));
    for (double v : f.x.values)
        painter.drawLine(f.toScreen(v, f.y.low), f.toScreen(v, f.y.high));
    for (double v : f.y.values)
        painter.drawLine(f.toScreen(f.x.low, v), f.toScreen(f.x.high, v));

    painter.setPen(QPen(palette().color(QPalette::WindowText), 0));
    painter.drawRect(f.plot);
    const double h = metrics.height();
    for (double v : f.x.values) {
        const QPointF at = f.toScreen(v, f.y.low);
        painter.drawLine(at, at + QPointF(0, 4));
        painter.drawText(QRectF(at.x() - 50, at.y() + 5, 100, h), Qt::AlignHCenter | Qt::AlignTop,
            CurveTexts::tick(v, f.x.decimals));
    }
    for (double v : f.y.values) {
        const QPointF at = f.toScreen(f.x.low, v);
        painter.drawLine(at, at - QPointF(4, 0));
        painter.drawText(QRectF(at.x() - MarginLeft, at.y() - h / 2, MarginLeft - 7, h),
            Qt::AlignRight | Qt::AlignVCenter, CurveTexts::tick(v, f.y.decimals));
    }
    // The bar scale on the right: heads that stand for round pressures.
    const double perBar = 1 / CurveTexts::headToBar(1, m_data.density);
    for (double v : f.bar.values) {
        const QPointF at = f.toScreen(f.x.high, v * perBar);
        painter.drawLine(at, at + QPointF(4, 0));
        painter.drawText(QRectF(at.x() + 7, at.y() - h / 2, MarginRight - 7, h),
            Qt::AlignLeft | Qt::AlignVCenter, CurveTexts::tick(v, f.bar.decimals));
    }
    painter.drawText(QRectF(f.plot.left(), f.plot.bottom() + h + 8, f.plot.width(), h),
        Qt::AlignHCenter, CurveTexts::FlowAxis);
    painter.save();
    painter.translate(f.plot.left() - MarginLeft + 2, f.plot.center().y());
    painter.rotate(-90);
    painter.drawText(
        QRectF(-150, 0, 300, h), Qt::AlignHCenter | Qt::AlignTop, CurveTexts::HeadAxis);
    painter.restore();
    painter.save();
    painter.translate(f.plot.right() + MarginRight - 2, f.plot.center().y());
    painter.rotate(90);
    painter.drawText(
        QRectF(-150, 0, 300, h), Qt::AlignHCenter | Qt::AlignTop, CurveTexts::PressureAxis);
    painter.restore();
}

void CurvePlot::drawSystemCurve(QPainter &painter, const Frame &f) const
{
    // One line per stretch of the same regime; a point without a result, or a change of
    // regime (where the pressure drop jumps), ends the stretch.
    QPainterPath path;
    CalcEngine::Status regime = CalcEngine::Status::NeedsInput;
    auto flush = [&] {
        if (path.elementCount() > 0) {
            const bool laminar = regime == CalcEngine::Status::Laminar;
            painter.setPen(QPen(laminar ? LaminarColor : TurbulentColor, 2,
                laminar ? Qt::DashLine : Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.drawPath(path);
        }
        path = QPainterPath();
    };
    for (const SystemCurve::Point &p : m_data.curve) {
        if (!p.hasResult() || !std::isfinite(p.head) || p.outcome.status != regime)
            flush();
        if (!p.hasResult() || !std::isfinite(p.head))
            continue;
        regime = p.outcome.status;
        const QPointF at = f.toScreen(p.flow, p.head);
        if (path.elementCount() == 0) {
            path.moveTo(at);
            path.lineTo(at); // a lone point still shows
        } else {
            path.lineTo(at);
        }
    }
    flush();
}

void CurvePlot::drawPump(QPainter &painter, const Frame &f) const
{
    if (!m_data.pump)
        return;
    const PumpCurve &pump = *m_data.pump;
    QPainterPath path;
    for (int i = 0; i <= PumpSamples; ++i) {
        const double flow = pump.minFlow() + (pump.maxFlow() - pump.minFlow()) * i / PumpSamples;
        const QPointF at = f.toScreen(flow, pump.head(std::min(flow, pump.maxFlow())));
        if (i == 0)
            path.moveTo(at);
        else
            path.lineTo(at);
    }
    // Several pumps: one pump faintly, the combination strongly.
    const bool several = m_data.pumps && m_data.pumps->count() > 1;
    QColor single = PumpColor;
    if (several)
        single.setAlpha(90);
    painter.setPen(QPen(single, several ? 1 : 2));
    painter.drawPath(path);
    painter.setBrush(single);
    painter.setPen(Qt::NoPen);
    for (const PumpPoint &p : pump.points())
        painter.drawRect(QRectF(f.toScreen(p.flow, p.head) - QPointF(3, 3), QSizeF(6, 6)));
    painter.setBrush(Qt::NoBrush);
    if (several) {
        const PumpSet &set = *m_data.pumps;
        QPainterPath combined;
        for (int i = 0; i <= PumpSamples; ++i) {
            const double flow = set.minFlow() + (set.maxFlow() - set.minFlow()) * i / PumpSamples;
            const QPointF at = f.toScreen(flow, set.head(std::min(flow, set.maxFlow())));
            if (i == 0)
                combined.moveTo(at);
            else
                combined.lineTo(at);
        }
        painter.setPen(QPen(PumpColor, 3));
        painter.drawPath(combined);
    }
}

void CurvePlot::drawMarkers(QPainter &painter, const Frame &f) const
{
    const QColor text = palette().color(QPalette::WindowText);
    if (m_data.casePoint && m_data.casePoint->hasResult()) {
        const QPointF at = f.toScreen(m_data.casePoint->flow, m_data.casePoint->head);
        painter.setPen(QPen(text, 1));
        painter.setBrush(text);
        painter.drawEllipse(at, 4, 4);
        painter.drawText(at + QPointF(8, 14), CaseLegend);
        painter.setBrush(Qt::NoBrush);
    }
    const SystemCurve::Duty &duty = m_data.duty;
    // Crossings where the pump's head rises faster than the system's: hollow marks.
    painter.setPen(QPen(DutyColor, 2));
    for (const SystemCurve::Crossing &c : duty.crossings) {
        if (!c.stable && std::isfinite(c.head))
            painter.drawEllipse(f.toScreen(c.flow, c.head), 5, 5);
    }
    if (duty.found) {
        const QPointF at = f.toScreen(duty.system.flow, duty.pumpHead);
        QPolygonF diamond(
            {at + QPointF(0, -7), at + QPointF(7, 0), at + QPointF(0, 7), at + QPointF(-7, 0)});
        painter.setPen(QPen(text, 1));
        painter.setBrush(DutyColor);
        painter.drawPolygon(diamond);
        painter.setBrush(Qt::NoBrush);
        const QString label = CurveTexts::dutyLabel(duty);
        const QFontMetricsF metrics(painter.font());
        // Left of the point where the label would leave the plot on the right.
        const double width = metrics.horizontalAdvance(label);
        const double x = at.x() + 10 + width > f.plot.right() ? at.x() - 10 - width : at.x() + 10;
        painter.drawText(QPointF(x, at.y() - 8), label);
    }
    if (m_cursor) {
        const QPointF at = f.toScreen(m_cursor->x(), m_cursor->y());
        if (f.plot.contains(at)) {
            painter.setPen(QPen(text, 0, Qt::DotLine));
            painter.drawLine(QPointF(at.x(), f.plot.top()), QPointF(at.x(), f.plot.bottom()));
            painter.drawLine(QPointF(f.plot.left(), at.y()), QPointF(f.plot.right(), at.y()));
        }
    }
}

void CurvePlot::drawLegend(QPainter &painter, const Frame &f) const
{
    const QFontMetricsF metrics(painter.font());
    double x = f.plot.left();
    const double y = f.plot.top() - metrics.height() / 2 - 8;
    auto entry = [&](const QPen &pen, const QString &text) {
        painter.setPen(pen);
        painter.drawLine(QPointF(x, y), QPointF(x + 24, y));
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QPointF(x + 30, y + metrics.ascent() / 2 - 1), text);
        x += 30 + metrics.horizontalAdvance(text) + 20;
    };
    entry(QPen(TurbulentColor, 2), TurbulentLegend);
    entry(QPen(LaminarColor, 2, Qt::DashLine), LaminarLegend);
    if (m_data.pump)
        entry(QPen(PumpColor, 2), PumpLegend);
}

void CurvePlot::render(QPainter &painter, const QRectF &area) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // The text size in logical pixels, so that a printer's or a PDF's resolution, mapped
    // onto the same logical area, gives the same drawing as the screen.
    QFont font = this->font();
    if (font.pointSizeF() > 0)
        font.setPixelSize(std::max(9, int(std::lround(font.pointSizeF() * 96 / 72))));
    painter.setFont(font);
    painter.fillRect(area, palette().color(QPalette::Base));
    const Frame f = frame(area);
    if (f.plot.width() < 10 || f.plot.height() < 10) {
        painter.restore();
        return;
    }
    drawAxes(painter, f);
    painter.save();
    painter.setClipRect(f.plot.adjusted(-8, -8, 8, 8));
    drawSystemCurve(painter, f);
    drawPump(painter, f);
    drawMarkers(painter, f);
    painter.restore();
    const bool anyResult = std::any_of(m_data.curve.begin(), m_data.curve.end(),
        [](const SystemCurve::Point &p) { return p.hasResult(); });
    if (!anyResult)
        painter.drawText(f.plot, Qt::AlignCenter, NoCurve);
    drawLegend(painter, f);
    painter.restore();
}

void CurvePlot::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    render(painter, rect());
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(1, 1, -2, -2));
    }
}

void CurvePlot::moveCursor(std::optional<QPointF> point)
{
    m_cursor = point;
    m_cursorText = point ? CurveTexts::cursor(
                       point->x(), point->y(), CurveTexts::headToBar(point->y(), m_data.density))
                         : QString();
    Q_EMIT cursorMoved(m_cursorText);
    update();
}

void CurvePlot::mouseMoveEvent(QMouseEvent *event)
{
    const Frame f = frame(rect());
    if (f.plot.contains(event->position()))
        moveCursor(f.toData(event->position()));
    else if (m_cursor)
        moveCursor(std::nullopt);
}

void CurvePlot::leaveEvent(QEvent *)
{
    if (m_cursor)
        moveCursor(std::nullopt);
}

void CurvePlot::keyPressEvent(QKeyEvent *event)
{
    // Without a mouse, the arrow keys move the cursor by a hundredth of the axis, and
    // Home puts it on the case's own point.
    const Frame f = frame(rect());
    QPointF at = m_cursor.value_or(f.toData(f.plot.center()));
    const double dx = (f.x.high - f.x.low) / 100;
    const double dy = (f.y.high - f.y.low) / 100;
    switch (event->key()) {
    case Qt::Key_Left:
        at.rx() = std::max(f.x.low, at.x() - dx);
        break;
    case Qt::Key_Right:
        at.rx() = std::min(f.x.high, at.x() + dx);
        break;
    case Qt::Key_Down:
        at.ry() = std::max(f.y.low, at.y() - dy);
        break;
    case Qt::Key_Up:
        at.ry() = std::min(f.y.high, at.y() + dy);
        break;
    case Qt::Key_Home:
        if (m_data.casePoint && m_data.casePoint->hasResult())
            at = {m_data.casePoint->flow, m_data.casePoint->head};
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    moveCursor(at);
}
