#include "shell/hyperlinklabel.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {
HyperLinkLabel::UrlOpener &urlOpener()
{
    static HyperLinkLabel::UrlOpener opener;
    return opener;
}
} // namespace

HyperLinkLabel::HyperLinkLabel(const QString &caption, const QUrl &url, QWidget *parent)
    : QLabel(caption, parent)
    , m_url(url)
{
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
    setFont(m_hovered ? m_hoverFont : m_normalFont);
}

void HyperLinkLabel::activate()
{
    if (!m_url.isValid())
        return;
    const UrlOpener &opener = urlOpener();
    if (opener)
        opener(m_url);
    else
        QDesktopServices::openUrl(m_url);
}

void HyperLinkLabel::setUrlOpener(UrlOpener opener)
{
    urlOpener() = std::move(opener);
}

void HyperLinkLabel::setHovered(bool hovered)
{
    if (m_hovered == hovered)
        return;
    m_hovered = hovered;
    setFont(m_hovered ? m_hoverFont : m_normalFont);
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
