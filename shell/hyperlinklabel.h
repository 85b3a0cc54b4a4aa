#pragma once

#include <QFont>
#include <QLabel>
#include <QUrl>

// A label that stands for a link: it shows a caption, switches to its hover font while
// the mouse is over it or it has the keyboard focus, and opens its target through
// QDesktopServices when it is clicked (or activated with Space or Enter when it has the
// keyboard focus). Assistive technology sees a link with a press action.
class HyperLinkLabel : public QLabel
{
    Q_OBJECT

public:
    HyperLinkLabel(const QString &caption, const QUrl &url, QWidget *parent = nullptr);

    QUrl url() const { return m_url; }
    void setUrl(const QUrl &url);

    QFont normalFont() const { return m_normalFont; }
    QFont hoverFont() const { return m_hoverFont; }
    void setFonts(const QFont &normal, const QFont &hover);
    bool isHovered() const { return m_hovered; }

    // Opens the target as a click does.
    void activate();

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void setHovered(bool hovered);
    void showHighlight();

    QUrl m_url;
    QFont m_normalFont;
    QFont m_hoverFont;
    bool m_hovered = false;
    bool m_pressed = false;
};
