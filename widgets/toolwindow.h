#pragma once

#include <QString>
#include <QWidget>

// A tool window beside the main window that writes values into the main window's
// fields and hands them over. It knows neither the main window nor its class: it
// tells what it writes and hands over through signals, and the main window, which
// connects to them, writes the field, runs its leave check and moves the focus.
class ToolWindow : public QWidget
{
    Q_OBJECT

public:
    explicit ToolWindow(QWidget *parent);

Q_SIGNALS:
    // The text goes into Text0(index) of the main window, as the program writes it.
    void fieldWritten(int index, const QString &text);
    // The main window takes Text0(index) over: its leave check runs once and the focus
    // rests on the button beside the field. The window is about to go away.
    void handedOver(int index);

protected:
    // OK of a picker or a count window: hands the field over, steps aside and goes.
    void finishWithHandOver(int index);
    // The title bar's close box hands the field over as OK does.
    void handOverOnCloseBox(QCloseEvent *event, int index);
    bool isClosing() const { return m_closing; }
    void setClosing() { m_closing = true; }

private:
    // Set once OK or close has begun: hiding the window takes the focus from its
    // field, which must not commit a second time.
    bool m_closing = false;
};
