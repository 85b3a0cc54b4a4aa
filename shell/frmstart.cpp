#include "shell/frmstart.h"

#include "appendages/frmwgetal1.h"
#include "appendages/frmwgetal2.h"
#include "calc/basgeneral.h"
#include "curve/ui/systemcurvewindow.h"
#include "fluid/ui/fluidpropertieswindow.h"
#include "pickers/frmabsruwheid.h"
#include "pickers/frmdiameter.h"
#include "project/datetext.h"
#include "project/frmprojectgegevens.h"
#include "shell/frmabout.h"
#include "shell/frmhelpscreen.h"
#include "shell/frmstart_texts.h"
#include "sizing/ui/linesizingwindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
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

    for (const FieldInfo &field : FieldTable)
        showField(field.index);
    showStatus();
    m_sheet.text0Changed = [this](int index) { showField(index); };
    m_sheet.statusChanged = [this] { showStatus(); };
    m_sheet.calculated = [this] { Q_EMIT calculated(); };

    Form_Load();
}

frmStart::~frmStart()
{
    m_closing = true;
    m_sheet.text0Changed = nullptr;
    m_sheet.statusChanged = nullptr;
    m_sheet.calculated = nullptr;
    for (QLineEdit *field : m_text0) {
        if (field) {
            field->removeEventFilter(this);
            disconnect(field, nullptr, this, nullptr);
        }
    }
    // The tool windows refer to this window; they go before its members do.
    forgetToolWindows();
}

QList<QWidget *> frmStart::toolWindows() const
{
    QList<QWidget *> windows = {m_wgetal1, m_wgetal2, m_absRuwheid, m_diameter, m_projectgegevens,
        m_about, m_helpScreen, m_fluidProperties, m_systemCurve, m_lineSizing};
    windows.removeAll(nullptr);
    return windows;
}

void frmStart::forgetToolWindows()
{
    qDeleteAll(toolWindows());
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

// A tool window exists from its first use until its OK button destroys it.
template<typename Window, typename... Args>
Window &frmStart::createdOnFirstUse(QPointer<Window> &window, Args &...args)
{
    if (!window)
        window = new Window(args..., this);
    return *window;
}

// What a picker or count window writes goes into the field as the program writes it;
// a hand-over is taken over by the field's leave check.
void frmStart::connectToolWindow(ToolWindow &window)
{
    connect(&window, &ToolWindow::fieldWritten, this, &frmStart::setText0);
    connect(&window, &ToolWindow::handedOver, this, &frmStart::handOver);
}

frmWgetal1 &frmStart::Wgetal1()
{
    const bool isNew = !m_wgetal1;
    frmWgetal1 &window = createdOnFirstUse(m_wgetal1, general(), dialogs());
    if (isNew)
        connectToolWindow(window);
    return window;
}

frmWgetal2 &frmStart::Wgetal2()
{
    const bool isNew = !m_wgetal2;
    frmWgetal2 &window = createdOnFirstUse(m_wgetal2, general(), dialogs());
    if (isNew)
        connectToolWindow(window);
    return window;
}

frmProjectgegevens &frmStart::Projectgegevens()
{
    const bool isNew = !m_projectgegevens;
    frmProjectgegevens &window = createdOnFirstUse(m_projectgegevens, general(), dialogs());
    if (isNew)
        connect(&window, &frmProjectgegevens::captionChanged, this, &frmStart::applyCaption);
    return window;
}

frmAbout &frmStart::About()
{
    return createdOnFirstUse(m_about, general());
}

frmAbsRuwheid &frmStart::AbsRuwheid()
{
    const bool isNew = !m_absRuwheid;
    frmAbsRuwheid &window = createdOnFirstUse(m_absRuwheid, general());
    if (isNew) {
        connectToolWindow(window);
        window.Form_Load();
    }
    return window;
}

frmDiameter &frmStart::Diameter()
{
    const bool isNew = !m_diameter;
    frmDiameter &window = createdOnFirstUse(m_diameter, general());
    if (isNew) {
        connectToolWindow(window);
        window.Form_Load();
    }
    return window;
}

frmHelpScreen &frmStart::HelpScreen()
{
    return createdOnFirstUse(m_helpScreen);
}

template<typename Window>
void frmStart::followCase(Window &window)
{
    const auto update = [this, &window] {
        const Results &results = m_sheet.results();
        window.setCase(CaseInput::of(general().inputs(), results),
            CalcEngine::Outcome{m_sheet.outcome(), results});
    };
    connect(this, &frmStart::calculated, &window, update);
    update();
}

SystemCurveWindow &frmStart::SystemCurve()
{
    const bool isNew = !m_systemCurve;
    SystemCurveWindow &window = createdOnFirstUse(m_systemCurve, dialogs());
    if (isNew) {
        followCase(window);
        // The title block of an exported plot names the project as it is at that moment.
        window.setProjectSource([this] {
            const BasGeneral &g = general();
            return CurveTexts::ProjectLabel{g.ProjectName, g.PipeName,
                QFileInfo(g.ProjectFileName).fileName(), DateText::toText(g.ProjectDate)};
        });
    }
    return window;
}

LineSizingWindow &frmStart::LineSizing()
{
    const bool isNew = !m_lineSizing;
    LineSizingWindow &window = createdOnFirstUse(m_lineSizing, dialogs());
    if (isNew) {
        followCase(window);
        // A size of the picker's lists becomes the picker's remembered choice, so that
        // opening the picker keeps it.
        connect(&window, &LineSizingWindow::pickerEntryChosen, this,
            [this](int standard, int position) {
                general().DiameterStandard = qint16(standard);
                general().DiameterChoice[size_t(standard)] = qint16(position);
            });
        connect(&window, &LineSizingWindow::handedOver, this, &frmStart::takeOver);
    }
    return window;
}

FluidPropertiesWindow &frmStart::FluidProperties()
{
    const bool isNew = !m_fluidProperties;
    FluidPropertiesWindow &window = createdOnFirstUse(m_fluidProperties);
    if (isNew) {
        followCase(window);
        connect(&window, &FluidPropertiesWindow::handedOver, this, &frmStart::takeOver);
    }
    return window;
}

void frmStart::showWindow(QWidget &window)
{
    if (window.isMinimized())
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

// Closing the main window closes every window of the program, without a question.
void frmStart::closeEvent(QCloseEvent *event)
{
    m_closing = true;
    for (QWidget *window : toolWindows())
        window->close();
    event->accept();
    Q_EMIT closed();
}

void frmStart::showEvent(QShowEvent *event)
{
    m_closing = false;
    QMainWindow::showEvent(event);
}
