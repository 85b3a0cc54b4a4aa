#include "curve/ui/curveplot.h"

#include "curve/curvetexts.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

const QString PlotName = QStringLiteral("System curve plot");

} // namespace

CurvePlot::CurvePlot(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleDescription(QStringLiteral("Head over flow. The arrow keys move the cursor."));
    setAutoFillBackground(false);
    updateAccessibleName();
}

void CurvePlot::setData(CurvePlotData data)
{
    m_data = std::move(data);
    updateAccessibleName();
    if (m_cursor)
        moveCursor(m_cursor); // the bar value follows a new density
    update();
}

// The plot's name carries what it shows in words, as sentences: the duty point's label,
// or why there is no curve, so that a screen reader hears it with the plot.
void CurvePlot::updateAccessibleName()
{
    QString name = PlotName;
    if (!m_data.noCurve.isEmpty())
        name += QStringLiteral(". ") + m_data.noCurve;
    else if (m_data.duty.found)
        name += QStringLiteral(". ") + CurveTexts::dutyLabel(m_data.duty) + QLatin1Char('.');
    if (accessibleName() != name)
        setAccessibleName(name);
}

QFont CurvePlot::drawingFont() const
{
    // The text size in logical pixels, so that a printer's or a PDF's resolution, mapped
    // onto the same logical area, gives the same drawing as the screen.
    QFont font = this->font();
    if (font.pointSizeF() > 0)
        font.setPixelSize(std::max(9, int(std::lround(font.pointSizeF() * 96 / 72))));
    return font;
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
