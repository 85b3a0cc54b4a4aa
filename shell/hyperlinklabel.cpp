#include "shell/hyperlinklabel.h"

#include <QAccessibleWidget>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace {

// What assistive technology sees of a link label: a link that can be pressed.
class HyperLinkAccessible : public QAccessibleWidget
{
public:
    explicit HyperLinkAccessible(HyperLinkLabel *label)
        : QAccessibleWidget(label, QAccessible::Link)
    { }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return label()->text();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &actionName) override
    {
        if (actionName == pressAction())
            label()->activate();
        else
            QAccessibleWidget::doAction(actionName);
    }

private:
    HyperLinkLabel *label() const { return static_cast<HyperLinkLabel *>(widget()); }
};

QAccessibleInterface *hyperLinkAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("HyperLinkLabel") && object)
        return new HyperLinkAccessible(static_cast<HyperLinkLabel *>(object));
    return nullptr;
}

} // namespace

HyperLinkLabel::HyperLinkLabel(const QString &caption, const QUrl &url, QWidget *parent)
    : QLabel(caption, parent)
    , m_url(url)
{
    // Qt keeps each factory once, however often it is installed.
    QAccessible::installFactory(hyperLinkAccessible);
    // Plain text only: a caption is never read as markup.
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, pal.color(QPalette::Link));
    setPalette(pal);

    QFont hover = font();
    hover.setUnderline(true);
    setFonts(font(), hover);
    setUrl(url);
}

void HyperLinkLabel::setUrl(const QUrl &url)
{
    m_url = url;
    setToolTip(url.toString());
}

void HyperLinkLabel::setFonts(const QFont &normal, const QFont &hover)
{
    m_normalFont = normal;
    m_hoverFont = hover;
    showHighlight();
}

void HyperLinkLabel::activate()
{
    if (m_url.isValid())
        QDesktopServices::openUrl(m_url);
}

void HyperLinkLabel::setHovered(bool hovered)
{
    if (m_hovered == hovered)
        return;
    m_hovered = hovered;
    showHighlight();
}

void HyperLinkLabel::showHighlight()
{
    setFont(m_hovered || hasFocus() ? m_hoverFont : m_normalFont);
}

void HyperLinkLabel::focusInEvent(QFocusEvent *event)
{
    QLabel::focusInEvent(event);
    showHighlight();
    update();
}

void HyperLinkLabel::focusOutEvent(QFocusEvent *event)
{
    QLabel::focusOutEvent(event);
    showHighlight();
    update();
}

// A label draws no focus of its own; the style's focus frame shows where Space and
// Enter go.
void HyperLinkLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.backgroundColor = palette().color(backgroundRole());
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

void HyperLinkLabel::enterEvent(QEnterEvent *event)
{
    setHovered(true);
    QLabel::enterEvent(event);
}

void HyperLinkLabel::leaveEvent(QEvent *event)
{
    setHovered(false);
    m_pressed = false;
    QLabel::leaveEvent(event);
}

void HyperLinkLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

// Like a button, the link opens when the button is released over it, so that a press
// dragged off the label opens nothing.
void HyperLinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_pressed) {
        m_pressed = false;
        event->accept();
        if (rect().contains(event->position().toPoint()))
            activate();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void HyperLinkLabel::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        activate();
        event->accept();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}
