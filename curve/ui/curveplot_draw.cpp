#include "curve/ui/curveplot.h"

#include "curve/curvetexts.h"
#include "curve/labelplacement.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <functional>

// The drawing of the plot: the frame and its ticks fitted to the area and the font,
// the legend above the frame, the curves and markers inside it, the labels placed.
namespace {

const QColor TurbulentColor(0x1f, 0x5f, 0xbf);
const QColor LaminarColor(0x2e, 0x8b, 0x3d);
const QColor PumpColor(0xc0, 0x30, 0x30);
const QColor DutyColor(0xe0, 0x8a, 0x00);
const QColor GridColor(0xdd, 0xdd, 0xdd);
const QString CaseLabel = QStringLiteral("This case");
const QString NoCurve = QStringLiteral("No result to draw");

// Distances in device-independent pixels.
constexpr double Pad = 6; // around the texts
constexpr double TickLength = 4;
constexpr double SampleWidth = 28; // the line of a legend entry
constexpr double CaseRadius = 4;
constexpr double DutyRadius = 7;
constexpr double PumpPointSize = 6;
// Samples of the pump curve between its points: enough for a smooth line.
constexpr int PumpSamples = 200;
constexpr int MostTicks = 8;

struct Style
{
    QPen pen;
    enum class Marker { None, Square, Dot, Diamond } marker = Marker::None;
    QColor fill;
};

using Entry = CurvePlot::Entry;

// Each curve by its colour, its line style and its marker, so that a print in grey
// still tells them apart. Where several pumps work together, one pump is drawn thin and
// faint, the combination strong.
Style styleOf(Entry entry, bool severalPumps = false)
{
    switch (entry) {
    case Entry::Turbulent:
        return {QPen(TurbulentColor, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin),
            Style::Marker::None, TurbulentColor};
    case Entry::Laminar:
        return {QPen(LaminarColor, 2, Qt::DashLine, Qt::RoundCap, Qt::RoundJoin),
            Style::Marker::None, LaminarColor};
    case Entry::Pump: {
        QColor colour = PumpColor;
        if (severalPumps)
            colour.setAlpha(110);
        return {QPen(colour, severalPumps ? 1 : 2, Qt::DashDotLine, Qt::FlatCap, Qt::RoundJoin),
            Style::Marker::Square, colour};
    }
    case Entry::Pumps:
        return {QPen(PumpColor, 3, Qt::DashDotDotLine, Qt::FlatCap, Qt::RoundJoin),
            Style::Marker::None, PumpColor};
    case Entry::Case:
        return {QPen(Qt::NoPen), Style::Marker::Dot, Qt::black};
    case Entry::Duty:
        break;
    }
    return {QPen(Qt::NoPen), Style::Marker::Diamond, DutyColor};
}

QString legendText(Entry entry)
{
    switch (entry) {
    case Entry::Turbulent:
        return QStringLiteral("System, turbulent");
    case Entry::Laminar:
        return QStringLiteral("System, laminar");
    case Entry::Pump:
        return QStringLiteral("Pump");
    case Entry::Pumps:
        return QStringLiteral("Pumps together");
    case Entry::Case:
        return CaseLabel;
    case Entry::Duty:
        break;
    }
    return QStringLiteral("Duty point");
}

void drawMarker(QPainter &painter, Style::Marker marker, const QPointF &at, const QColor &fill,
    const QColor &outline)
{
    painter.save();
    painter.setPen(QPen(outline, 1));
    painter.setBrush(fill);
    switch (marker) {
    case Style::Marker::Square:
        painter.setPen(Qt::NoPen);
        painter.drawRect(QRectF(at - QPointF(PumpPointSize / 2, PumpPointSize / 2),
            QSizeF(PumpPointSize, PumpPointSize)));
        break;
    case Style::Marker::Dot:
        painter.setBrush(outline);
        painter.drawEllipse(at, CaseRadius, CaseRadius);
        break;
    case Style::Marker::Diamond:
        painter.drawPolygon(QPolygonF({at + QPointF(0, -DutyRadius), at + QPointF(DutyRadius, 0),
            at + QPointF(0, DutyRadius), at + QPointF(-DutyRadius, 0)}));
        break;
    case Style::Marker::None:
        break;
    }
    painter.restore();
}

QRectF around(const QPointF &at, double radius)
{
    return {at.x() - radius, at.y() - radius, 2 * radius, 2 * radius};
}

// A pump's curve, or the pumps' together, between its first and last flow.
template<typename Pumps>
LabelPlacement::Line pumpLine(
    const Pumps &pumps, const std::function<QPointF(double, double)> &toScreen)
{
    LabelPlacement::Line line;
    for (int i = 0; i <= PumpSamples; ++i) {
        const double flow = pumps.minFlow() + (pumps.maxFlow() - pumps.minFlow()) * i / PumpSamples;
        line.push_back(toScreen(flow, pumps.head(std::min(flow, pumps.maxFlow()))));
    }
    return line;
}

// The legend's entries in rows that fit `width`: each entry's left end and the middle
// of its row; `height` is what the rows take.
std::vector<QPointF> legendLayout(const std::vector<Entry> &entries, const QRectF &band,
    const QFontMetricsF &metrics, double &height)
{
    std::vector<QPointF> places;
    const double rowHeight = metrics.height() + 4;
    double x = band.left();
    double y = band.top() + rowHeight / 2;
    for (Entry entry : entries) {
        const double width = SampleWidth + Pad + metrics.horizontalAdvance(legendText(entry));
        if (x > band.left() && x + width > band.right()) {
            x = band.left();
            y += rowHeight;
        }
        places.emplace_back(x, y);
        x += width + 3 * Pad;
    }
    height = entries.empty() ? 0 : y + rowHeight / 2 - band.top();
    return places;
}

double widestTick(const AxisTicks &ticks, const QFontMetricsF &metrics)
{
    double widest = 0;
    for (double v : ticks.values)
        widest = std::max(widest, metrics.horizontalAdvance(CurveTexts::tick(v, ticks.decimals)));
    return widest;
}

} // namespace

std::vector<CurvePlot::Entry> CurvePlot::legendEntries() const
{
    const auto any = [this](CalcEngine::Status status) {
        return std::any_of(m_data.curve.begin(), m_data.curve.end(),
            [status](const SystemCurve::Point &p) { return p.outcome.status == status; });
    };
    std::vector<Entry> entries;
    // Only the regimes the curve has: no "laminar" where the whole curve is turbulent.
    if (any(CalcEngine::Status::Turbulent))
        entries.push_back(Entry::Turbulent);
    if (any(CalcEngine::Status::Laminar))
        entries.push_back(Entry::Laminar);
    if (m_data.pump)
        entries.push_back(Entry::Pump);
    if (severalPumps())
        entries.push_back(Entry::Pumps);
    if (m_data.casePoint && m_data.casePoint->hasResult())
        entries.push_back(Entry::Case);
    if (m_data.duty.found)
        entries.push_back(Entry::Duty);
    return entries;
}

QStringList CurvePlot::legendTexts() const
{
    QStringList texts;
    for (Entry entry : legendEntries())
        texts << legendText(entry);
    return texts;
}

CurvePlot::Frame CurvePlot::frame(const QRectF &area) const
{
    return frame(area, QFontMetricsF(drawingFont()));
}

CurvePlot::Frame CurvePlot::frame(const QRectF &area, const QFontMetricsF &metrics) const
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
    const double h = metrics.height();
    const std::vector<Entry> entries = legendEntries();
    double legendHeight = 0;
    const QRectF band(area.left() + Pad, area.top() + Pad, area.width() - 2 * Pad, 0);
    legendLayout(entries, band, metrics, legendHeight);
    f.legend = QRectF(band.left(), band.top(), band.width(), legendHeight);

    // Room for half a tick label above the frame, and below it for the tick labels
    // (clear of the lowest label of the head scale) and the axis title.
    const double top = f.legend.bottom() + Pad + h / 2;
    const double bottom = area.bottom() - (h / 2 + 2 + h + 2 + h + Pad);
    // As many head ticks as leave two text heights between them.
    const int yCount = std::clamp(int((bottom - top) / (2 * h)), 1, MostTicks);
    f.y = AxisTicks::nice(minHead, maxHead > minHead ? maxHead * 1.05 : minHead + 1, yCount);
    f.bar = AxisTicks::scaled(f.y, CurveTexts::headToBar(1, m_data.density), yCount);
    const double left = area.left() + Pad + h + Pad + widestTick(f.y, metrics) + TickLength + 3;
    const double right
        = area.right() - (Pad + h + Pad + widestTick(f.bar, metrics) + TickLength + 3);
    // As many flow ticks as leave two characters between their labels.
    const double gap = 2 * metrics.averageCharWidth();
    for (int count = MostTicks; count >= 1; --count) {
        f.x = AxisTicks::nice(0, maxFlow > 0 ? maxFlow : 1, count);
        if (double(f.x.values.size()) * (widestTick(f.x, metrics) + gap) <= right - left)
            break;
    }
    f.plot = QRectF(QPointF(left, top), QPointF(right, bottom));
    return f;
}

void CurvePlot::drawAxes(QPainter &painter, const Frame &f) const
{
    const QFontMetricsF metrics(painter.font());
    const double h = metrics.height();
    painter.setPen(QPen(GridColor, 0));
    for (double v : f.x.values)
        painter.drawLine(f.toScreen(v, f.y.low), f.toScreen(v, f.y.high));
    for (double v : f.y.values)
        painter.drawLine(f.toScreen(f.x.low, v), f.toScreen(f.x.high, v));

    painter.setPen(QPen(palette().color(QPalette::WindowText), 0));
    painter.drawRect(f.plot);
    const std::vector<QRectF> xLabels = flowTickRects(f, metrics);
    for (size_t i = 0; i < f.x.values.size(); ++i) {
        const QPointF at = f.toScreen(f.x.values[i], f.y.low);
        painter.drawLine(at, at + QPointF(0, TickLength));
        painter.drawText(
            xLabels[i], Qt::AlignCenter, CurveTexts::tick(f.x.values[i], f.x.decimals));
    }
    const double labelTop = f.plot.bottom() + h / 2 + 2;
    const double leftEdge = f.plot.left() - TickLength - 3;
    for (double v : f.y.values) {
        const QPointF at = f.toScreen(f.x.low, v);
        painter.drawLine(at, at - QPointF(TickLength, 0));
        painter.drawText(QRectF(leftEdge - 200, at.y() - h / 2, 200, h),
            Qt::AlignRight | Qt::AlignVCenter, CurveTexts::tick(v, f.y.decimals));
    }
    // The bar scale on the right: heads that stand for round pressures.
    const double perBar = 1 / CurveTexts::headToBar(1, m_data.density);
    for (double v : f.bar.values) {
        const QPointF at = f.toScreen(f.x.high, v * perBar);
        painter.drawLine(at, at + QPointF(TickLength, 0));
        painter.drawText(QRectF(at.x() + TickLength + 3, at.y() - h / 2, 200, h),
            Qt::AlignLeft | Qt::AlignVCenter, CurveTexts::tick(v, f.bar.decimals));
    }
    painter.drawText(QRectF(f.plot.left(), labelTop + h + 2, f.plot.width(), h), Qt::AlignHCenter,
        CurveTexts::FlowAxis);
    const auto title = [&](double x, double angle, const QString &text) {
        painter.save();
        painter.translate(x, f.plot.center().y());
        painter.rotate(angle);
        painter.drawText(QRectF(-f.plot.height() / 2, 0, f.plot.height(), h),
            Qt::AlignHCenter | Qt::AlignTop, text);
        painter.restore();
    };
    title(f.legend.left(), -90, CurveTexts::HeadAxis);
    title(f.legend.right(), 90, CurveTexts::PressureAxis);
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
            painter.setPen(styleOf(laminar ? Entry::Laminar : Entry::Turbulent).pen);
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

bool CurvePlot::severalPumps() const
{
    return m_data.pumps && m_data.pumps->count() > 1;
}

void CurvePlot::drawPump(QPainter &painter, const Frame &f) const
{
    if (!m_data.pump)
        return;
    const auto toScreen = [&f](double flow, double head) { return f.toScreen(flow, head); };
    const auto draw = [&painter](const LabelPlacement::Line &line, const QPen &pen) {
        painter.setPen(pen);
        painter.drawPolyline(line.data(), int(line.size()));
    };
    const Style one = styleOf(Entry::Pump, severalPumps());
    draw(pumpLine(*m_data.pump, toScreen), one.pen);
    for (const PumpPoint &p : m_data.pump->points())
        drawMarker(painter, one.marker, f.toScreen(p.flow, p.head), one.fill, one.fill);
    if (severalPumps())
        draw(pumpLine(*m_data.pumps, toScreen), styleOf(Entry::Pumps).pen);
}

void CurvePlot::drawMarkers(QPainter &painter, const Frame &f) const
{
    const QColor text = palette().color(QPalette::WindowText);
    if (m_data.casePoint && m_data.casePoint->hasResult()) {
        drawMarker(painter, Style::Marker::Dot,
            f.toScreen(m_data.casePoint->flow, m_data.casePoint->head), text, text);
    }
    // Crossings where the pump's head rises faster than the system's: hollow marks.
    painter.save();
    painter.setPen(QPen(DutyColor, 2));
    painter.setBrush(Qt::NoBrush);
    for (const SystemCurve::Crossing &c : m_data.duty.crossings) {
        if (!c.stable && std::isfinite(c.head))
            painter.drawEllipse(f.toScreen(c.flow, c.head), CaseRadius + 1, CaseRadius + 1);
    }
    painter.restore();
    if (m_data.duty.found) {
        drawMarker(painter, Style::Marker::Diamond,
            f.toScreen(m_data.duty.system.flow, m_data.duty.pumpHead), DutyColor, text);
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

// The labels of the duty point and of the case, the duty point's first: inside the
// frame, clear of each other and of every marker.
std::vector<QRectF> CurvePlot::placeLabels(const Frame &f, const QFontMetricsF &metrics) const
{
    std::vector<QRectF> markers;
    if (m_data.pump) {
        for (const PumpPoint &p : m_data.pump->points())
            markers.push_back(around(f.toScreen(p.flow, p.head), PumpPointSize / 2 + 1));
    }
    for (const SystemCurve::Crossing &c : m_data.duty.crossings) {
        if (std::isfinite(c.head))
            markers.push_back(around(f.toScreen(c.flow, c.head), CaseRadius + 3));
    }
    const bool hasCase = m_data.casePoint && m_data.casePoint->hasResult();
    const QPointF caseAt
        = hasCase ? f.toScreen(m_data.casePoint->flow, m_data.casePoint->head) : QPointF();
    const QPointF dutyAt
        = m_data.duty.found ? f.toScreen(m_data.duty.system.flow, m_data.duty.pumpHead) : QPointF();
    if (hasCase)
        markers.push_back(around(caseAt, CaseRadius + 1));
    if (m_data.duty.found)
        markers.push_back(around(dutyAt, DutyRadius + 1));

    const auto sizeOf = [&metrics](const QString &text) {
        return QSizeF(metrics.horizontalAdvance(text) + 4, metrics.height());
    };
    std::vector<LabelPlacement::Label> labels;
    if (m_data.duty.found)
        labels.push_back({dutyAt, sizeOf(CurveTexts::dutyLabel(m_data.duty))});
    if (hasCase)
        labels.push_back({caseAt, sizeOf(CaseLabel)});
    // The curves as drawn, which the labels keep clear of where they can.
    std::vector<LabelPlacement::Line> lines(1);
    for (const SystemCurve::Point &p : m_data.curve) {
        if (p.hasResult() && std::isfinite(p.head))
            lines[0].push_back(f.toScreen(p.flow, p.head));
    }
    const auto toScreen = [&f](double flow, double head) { return f.toScreen(flow, head); };
    if (m_data.pump)
        lines.push_back(pumpLine(*m_data.pump, toScreen));
    if (severalPumps())
        lines.push_back(pumpLine(*m_data.pumps, toScreen));
    const std::vector<QRectF> placed = LabelPlacement::place(
        labels, f.plot.adjusted(2, 2, -2, -2), markers, DutyRadius + 2, lines);
    std::vector<QRectF> out(2);
    size_t next = 0;
    if (m_data.duty.found)
        out[1] = placed[next++];
    if (hasCase)
        out[0] = placed[next];
    return out;
}

// Below the frame, clear of the lowest label of the head scale beside it.
std::vector<QRectF> CurvePlot::flowTickRects(const Frame &f, const QFontMetricsF &metrics)
{
    const double h = metrics.height();
    std::vector<QRectF> out;
    for (double v : f.x.values) {
        const QPointF at = f.toScreen(v, f.y.low);
        const double w = metrics.horizontalAdvance(CurveTexts::tick(v, f.x.decimals));
        out.emplace_back(at.x() - w / 2 - 1, f.plot.bottom() + h / 2 + 2, w + 2, h);
    }
    return out;
}

std::vector<QRectF> CurvePlot::flowTickLabels(const QRectF &area) const
{
    const QFontMetricsF metrics(drawingFont());
    return flowTickRects(frame(area, metrics), metrics);
}

std::vector<QRectF> CurvePlot::markerLabels(const QRectF &area) const
{
    const QFontMetricsF metrics(drawingFont());
    return placeLabels(frame(area, metrics), metrics);
}

void CurvePlot::drawLabels(QPainter &painter, const Frame &f) const
{
    const std::vector<QRectF> places = placeLabels(f, QFontMetricsF(painter.font()));
    painter.setPen(palette().color(QPalette::WindowText));
    if (!places[0].isEmpty())
        painter.drawText(places[0], Qt::AlignCenter, CaseLabel);
    if (!places[1].isEmpty())
        painter.drawText(places[1], Qt::AlignCenter, CurveTexts::dutyLabel(m_data.duty));
}

void CurvePlot::drawLegend(QPainter &painter, const Frame &f) const
{
    const QFontMetricsF metrics(painter.font());
    const std::vector<Entry> entries = legendEntries();
    double height = 0;
    const std::vector<QPointF> places = legendLayout(entries, f.legend, metrics, height);
    const QColor text = palette().color(QPalette::WindowText);
    for (size_t i = 0; i < entries.size(); ++i) {
        const Style style = styleOf(entries[i], severalPumps());
        const QPointF at = places[i];
        painter.setPen(style.pen);
        painter.drawLine(at, at + QPointF(SampleWidth, 0));
        drawMarker(painter, style.marker, at + QPointF(SampleWidth / 2, 0), style.fill, text);
        painter.setPen(text);
        painter.drawText(QPointF(at.x() + SampleWidth + Pad, at.y() + metrics.ascent() / 2 - 1),
            legendText(entries[i]));
    }
}

void CurvePlot::render(QPainter &painter, const QRectF &area) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(drawingFont());
    painter.fillRect(area, palette().color(QPalette::Base));
    const Frame f = frame(area, QFontMetricsF(painter.font()));
    if (f.plot.width() < 10 || f.plot.height() < 10) {
        painter.restore();
        return;
    }
    drawLegend(painter, f);
    drawAxes(painter, f);
    painter.save();
    painter.setClipRect(f.plot.adjusted(-DutyRadius - 1, -DutyRadius - 1, DutyRadius + 1, 1));
    drawSystemCurve(painter, f);
    drawPump(painter, f);
    drawMarkers(painter, f);
    painter.restore();
    drawLabels(painter, f);
    const bool anyResult = std::any_of(m_data.curve.begin(), m_data.curve.end(),
        [](const SystemCurve::Point &p) { return p.hasResult(); });
    if (!anyResult) {
        // Why there is no curve, on the background, so that the pump's line does not
        // run through the words.
        const QString text = m_data.noCurve.isEmpty() ? NoCurve : m_data.noCurve;
        const QRectF room = f.plot.adjusted(3 * Pad, 3 * Pad, -3 * Pad, -3 * Pad);
        const QRectF box = painter.boundingRect(room, Qt::AlignCenter | Qt::TextWordWrap, text);
        painter.fillRect(box.adjusted(-Pad, -Pad, Pad, Pad), palette().color(QPalette::Base));
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(room, Qt::AlignCenter | Qt::TextWordWrap, text);
    }
    painter.restore();
}
