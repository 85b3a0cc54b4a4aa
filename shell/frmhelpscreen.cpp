#include "shell/frmhelpscreen.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString Caption = QStringLiteral("Help");
const QString HelpText = QStringLiteral(
    "This program performs Pressure Drop Calculations for pipework. Additionaly, related "
    "parameters such as Reynolds, fluid velocity, average residence time, etcetera are "
    "presented. The Pressure Drop calculation takes into account other components as well. "
    "It requests the user for input about bends, elbows and other appendages/equipment "
    "components, which induce extra pressure loss. The program represents the total "
    "resistance in terms of equivalent pipe length values.");
const QString Closing = QStringLiteral("Have fun!");
} // namespace

frmHelpScreen::frmHelpScreen(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(Caption);

    m_label1 = new QLabel(HelpText, this);
    m_label1->setTextFormat(Qt::PlainText);
    m_label1->setWordWrap(true);
    m_label1->setMinimumWidth(380);
    m_label2 = new QLabel(Closing, this);
    m_label2->setTextFormat(Qt::PlainText);
    m_command1 = new QPushButton(QStringLiteral("OK"), this);
    m_command1->setDefault(true);
    connect(m_command1, &QPushButton::clicked, this, &frmHelpScreen::Command1_Click);

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(m_command1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_label1);
    layout->addSpacing(8);
    layout->addWidget(m_label2);
    layout->addSpacing(8);
    layout->addLayout(buttonRow);
}

void frmHelpScreen::Command1_Click()
{
    close();
}

// Escape closes the window as OK does.
void frmHelpScreen::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        Command1_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}
