#include "shell/frmstart.h"

#include "calc/basgeneral.h"
#include "project/datetext.h"
#include "project/frmprojectgegevens.h"
#include "shell/frmstart_texts.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmStart::frmStart(BasGeneral &general, WindowDialogs &dialogs, QWidget *parent)
    : QMainWindow(parent)
    , m_sheet(general, dialogs)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frmStart"));
    setWindowTitle(QString::fromLatin1(frmStartTexts::DesignCaption));
    buildWindow();
    buildMenus();
    buildToolbar();
    buildTabOrder();
    registerWindows();

    for (const FieldInfo &field : FieldTable)
        showField(field.index);
    showStatus();
    connect(&m_sheetNotifier, &CalcSheetNotifier::text0Changed, this, &frmStart::showField);
    connect(&m_sheetNotifier, &CalcSheetNotifier::statusChanged, this, &frmStart::showStatus);
    m_sheet.setNotifier(&m_sheetNotifier);

    Form_Load();
}

frmStart::~frmStart()
{
    m_closing = true;
    m_sheet.setNotifier(nullptr);
    for (QLineEdit *field : m_text0) {
        if (field) {
            field->removeEventFilter(this);
            disconnect(field, nullptr, this, nullptr);
        }
    }
    // The windows beside this one refer to it; they go before its members do.
    qDeleteAll(m_windows.existing());
}

// The load step: start values into the record and the entry fields (no calculation),
// and today's date as the project date, also into the hidden project window.
void frmStart::Form_Load()
{
    m_sheet.Form_Load();
    Projectgegevens().Text3(0)->setText(DateText::toText(general().ProjectDate));
}

QLineEdit *frmStart::Text0(int index) const
{
    return index > 0 && index < Text0Size ? m_text0[size_t(index)] : nullptr;
}

QLabel *frmStart::Label1(int index) const
{
    if (index == 26)
        return m_messageLabel;
    return index > 0 && index < Text0Size ? m_label1[size_t(index)] : nullptr;
}

QLabel *frmStart::Label2(int index) const
{
    return index > 0 && index < Text0Size ? m_label2[size_t(index)] : nullptr;
}

QString frmStart::statusText() const
{
    return m_sheet.status();
}

QPushButton *frmStart::dotsButton(int index) const
{
    switch (index) {
    case 4:
        return m_ssCommand1;
    case 23:
        return m_sCommand2;
    case 9:
        return m_sCommand4;
    case 10:
        return m_sCommand5;
    default:
        return nullptr;
    }
}

void frmStart::setText0(int index, const QString &text)
{
    m_sheet.setText0(index, text);
}

void frmStart::Calc()
{
    m_sheet.Calc();
}

void frmStart::showField(int index)
{
    QLineEdit *field = Text0(index);
    if (field && field->text() != m_sheet.Text0(index))
        field->setText(m_sheet.Text0(index));
}

void frmStart::showStatus()
{
    m_status->setText(m_sheet.status());
}

void frmStart::applyCaption()
{
    setWindowTitle(QString::fromLatin1(frmStartTexts::CaptionPrefix) + QLatin1Char('[')
        + general().ProjectFileName + QLatin1Char(']'));
}

// Closing the main window closes every window of the program, without a question.
void frmStart::closeEvent(QCloseEvent *event)
{
    m_closing = true;
    for (QWidget *window : m_windows.existing())
        window->close();
    event->accept();
    Q_EMIT closed();
}

void frmStart::showEvent(QShowEvent *event)
{
    m_closing = false;
    QMainWindow::showEvent(event);
}
