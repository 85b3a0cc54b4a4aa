#include "curve/ui/npshplot.h"

#include "curve/curvetexts.h"
#include "curve/plotscale.h"
#include "curve/ui/plotmargins.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

const QColor AvailableColor(0x1f, 0x5f, 0xbf);
const QColor RequiredColor(0xc0, 0x30, 0x30);
const QColor ShortColor(0xc0, 0x30, 0x30, 40);
const QColor GridColor(0xdd, 0xdd, 0xdd);

} // namespace

NpshPlot::NpshPlot(QWidget *parent)
    : QWidget(parent)
{
    setAccessibleName(QStringLiteral("NPSH plot"));
    setAccessibleDescription(QStringLiteral("NPSH available and required over flow; the "
                                            "read-out gives the values at the duty point."));
}

void NpshPlot::setData(NpshPlotData data)
{
    m_data = std::move(data);
    update();
}

void NpshPlot::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    render(painter, QRectF(rect()));
}

void NpshPlot::render(QPainter &painter, const QRectF &area) const
{
    const NpshPlotData &d = m_data;
    const QRectF plot = area.adjusted(
        PlotMargins::Left, PlotMargins::Top / 2, -PlotMargins::Right, -PlotMargins::Bottom / 2);
    double high = 0;
    for (size_t i = 0; i < d.flows.size(); ++i) {
        for (double v : {d.available[i], d.required[i] * d.margin}) {
            if (std::isfinite(v))
                high = std::max(high, v);
        }
    }
    const AxisTicks y = AxisTicks::nice(0, high > 0 ? high : 1, 4);
    const auto toScreen = [&](double flow, double head) {
        const double fx = (flow - d.flowLow) / (d.flowHigh - d.flowLow);
        const double fy = (head - y.low) / (y.high - y.low);
        return QPointF(plot.left() + fx * plot.width(), plot.bottom() - fy * plot.height());
    };

    const QColor text = palette().color(QPalette::WindowText);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(GridColor, 1));
    for (double v : y.values) {
        const double at = toScreen(d.flowLow, v).y();
        painter.drawLine(QPointF(plot.left(), at), QPointF(plot.right(), at));
        painter.setPen(text);
        painter.drawText(QRectF(area.left(), at - 8, PlotMargins::Left - 6, 16),
            Qt::AlignRight | Qt::AlignVCenter, CurveTexts::tick(v, y.decimals));
        painter.setPen(QPen(GridColor, 1));
    }

    // The flows where the margin is not met.
    for (size_t i = 0; i + 1 < d.flows.size(); ++i) {
        const double a = d.available[i];
        const double r = d.required[i] * d.margin;
        if (std::isfinite(a) && std::isfinite(r) && a < r) {
            const QPointF left = toScreen(d.flows[i], y.high);
            const QPointF right = toScreen(d.flows[i + 1], y.low);
            painter.fillRect(QRectF(left, right), ShortColor);
        }
    }

    const auto line = [&](const std::vector<double> &values, double factor, const QPen &pen) {
        QPainterPath path;
        bool open = false;
        for (size_t i = 0; i < d.flows.size(); ++i) {
            const double v = values[i] * factor;
            if (!std::isfinite(v)) {
                open = false;
                continue;
            }
            const QPointF at = toScreen(d.flows[i], v);
            if (open)
                path.lineTo(at);
            else
                path.moveTo(at);
            open = true;
        }
        painter.setPen(pen);
        painter.drawPath(path);
    };
    line(d.available, 1, QPen(AvailableColor, 2));
    line(d.required, 1, QPen(RequiredColor, 2, Qt::DashLine));
    if (d.margin != 1)
        line(d.required, d.margin, QPen(RequiredColor, 1, Qt::DotLine));

    painter.setPen(text);
    painter.drawRect(plot);
    painter.drawText(QRectF(plot.left(), area.top(), plot.width(), PlotMargins::Top / 2),
        Qt::AlignLeft | Qt::AlignVCenter,
        QStringLiteral("NPSH [m]: available (solid), required (dashed)%1; shaded where short")
            .arg(d.margin != 1 ? QStringLiteral(", x margin (dotted)") : QString()));
}
