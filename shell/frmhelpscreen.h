#pragma once

#include <QWidget>

class QKeyEvent;
class QLabel;
class QPushButton;

// "Help": what the program does.
class frmHelpScreen : public QWidget
{
    Q_OBJECT

public:
    explicit frmHelpScreen(QWidget *parent);

    QLabel *Label1() const { return m_label1; }
    QLabel *Label2() const { return m_label2; }
    QPushButton *Command1() const { return m_command1; }

    // "OK": closes and destroys the window.
    void Command1_Click();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLabel *m_label1 = nullptr;
    QLabel *m_label2 = nullptr;
    QPushButton *m_command1 = nullptr;
};
