#pragma once

#include <QFont>
#include <QLabel>
#include <QUrl>

#include <functional>

// A label that stands for a link: it shows a caption, switches to its hover font while
// the mouse is over it, and opens its target with the system's default handler when it
// is clicked (or activated with Space or Enter when it has the keyboard focus).
class HyperLinkLabel : public QLabel
{
    Q_OBJECT

public:
    using UrlOpener = std::function<bool(const QUrl &)>;

    HyperLinkLabel(const QString &caption, const QUrl &url, QWidget *parent = nullptr);

    QUrl url() const { return m_url; }
    void setUrl(const QUrl &url);

    QFont normalFont() const { return m_normalFont; }
    QFont hoverFont() const { return m_hoverFont; }
    void setFonts(const QFont &normal, const QFont &hover);
    bool isHovered() const { return m_hovered; }

    // Opens the target as a click does.
    void activate();

    // Every link label opens its target through this function; the default is
    // QDesktopServices::openUrl. Tests install a recorder. An empty function restores
    // the default.
    static void setUrlOpener(UrlOpener opener);

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void setHovered(bool hovered);

    QUrl m_url;
    QFont m_normalFont;
    QFont m_hoverFont;
    bool m_hovered = false;
    bool m_pressed = false;
};
