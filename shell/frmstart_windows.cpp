#include "shell/frmstart.h"

#include "appendages/frmwgetal1.h"
#include "appendages/frmwgetal2.h"
#include "calc/basgeneral.h"
#include "curve/ui/systemcurvewindow.h"
#include "fittings/ui/fittinglosseswindow.h"
#include "fluid/ui/fluidpropertieswindow.h"
#include "pickers/frmabsruwheid.h"
#include "pickers/frmdiameter.h"
#include "project/datetext.h"
#include "project/frmprojectgegevens.h"
#include "shell/frmabout.h"
#include "shell/frmhelpscreen.h"
#include "sizing/ui/linesizingwindow.h"
#include "widgets/windowplacement.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QScreen>

// What a window writes goes into the field as the program writes it; a hand-over is
// taken over by the field's leave check.
template<typename Window>
void frmStart::takeHandOvers(Window &window)
{
    connect(&window, &Window::fieldWritten, this, &frmStart::setText0);
    connect(&window, &Window::handedOver, this, &frmStart::handOver);
}

template<typename Window>
void frmStart::followCase(Window &window)
{
    const auto update = [this, &window] {
        const Results &results = m_sheet.results();
        window.setCase(CaseInput::of(general().inputs(), results,
                           {general().BendCounts, general().ValveCounts}),
            CalcEngine::Outcome{m_sheet.outcome(), results});
    };
    connect(&m_sheetNotifier, &CalcSheetNotifier::calculated, &window, update);
    update();
}

// A window that changes fields of this one opens beside it, clear of those fields (as
// far as the screen allows); after that it stays where the user leaves it.
void frmStart::placeBesideFields(QWidget &window, std::initializer_list<int> fields)
{
    QRect keepClear;
    for (int index : fields)
        keepClear |= QRect(Text0(index)->mapToGlobal(QPoint()), Text0(index)->size());
    window.adjustSize();
    const QRect screenArea = screen() ? screen()->availableGeometry() : frameGeometry();
    window.move(WindowPlacement::beside(
        frameGeometry(), window.frameGeometry().size(), screenArea, keepClear));
}

// The windows beside the main window, in the order in which they close with it: how
// each is made on its first use and what this window listens to.
void frmStart::registerWindows()
{
    m_windows.add<frmWgetal1>([this] {
        auto *window = new frmWgetal1(general(), dialogs(), this);
        takeHandOvers(*window);
        return window;
    });
    m_windows.add<frmWgetal2>([this] {
        auto *window = new frmWgetal2(general(), dialogs(), this);
        takeHandOvers(*window);
        return window;
    });
    // A picker's load step writes the remembered choice into its field, so it runs
    // once that is listened to.
    m_windows.add<frmAbsRuwheid>([this] {
        auto *window = new frmAbsRuwheid(general(), this);
        takeHandOvers(*window);
        window->Form_Load();
        return window;
    });
    m_windows.add<frmDiameter>([this] {
        auto *window = new frmDiameter(general(), this);
        takeHandOvers(*window);
        window->Form_Load();
        return window;
    });
    m_windows.add<frmProjectgegevens>([this] {
        auto *window = new frmProjectgegevens(general(), dialogs(), this);
        connect(window, &frmProjectgegevens::captionChanged, this, &frmStart::applyCaption);
        return window;
    });
    m_windows.add<frmAbout>([this] { return new frmAbout(general(), this); });
    m_windows.add<frmHelpScreen>([this] { return new frmHelpScreen(this); });
    m_windows.add<FluidPropertiesWindow>([this] {
        auto *window = new FluidPropertiesWindow(this);
        takeHandOvers(*window);
        followCase(*window);
        placeBesideFields(*window, {EntryField::Density, EntryField::Viscosity});
        return window;
    });
    m_windows.add<SystemCurveWindow>([this] {
        auto *window = new SystemCurveWindow(dialogs(), this);
        followCase(*window);
        // The title block of an exported plot names the project as it is at that moment.
        window->setProjectSource([this] {
            const BasGeneral &g = general();
            return CurveTexts::ProjectLabel{g.ProjectName, g.PipeName,
                QFileInfo(g.ProjectFileName).fileName(), DateText::toText(g.ProjectDate)};
        });
        return window;
    });
    m_windows.add<LineSizingWindow>([this] {
        auto *window = new LineSizingWindow(dialogs(), this);
        followCase(*window);
        takeHandOvers(*window);
        // A size of the picker's lists becomes the picker's remembered choice, so that
        // opening the picker keeps it.
        connect(
            window, &LineSizingWindow::pickerEntryChosen, this, [this](int standard, int position) {
                general().DiameterStandard = qint16(standard);
                general().DiameterChoice[size_t(standard)] = qint16(position);
            });
        return window;
    });
    m_windows.add<FittingLossesWindow>([this] {
        auto *window = new FittingLossesWindow(dialogs(), this);
        followCase(*window);
        return window;
    });
}

frmWgetal1 &frmStart::Wgetal1()
{
    return m_windows.get<frmWgetal1>();
}

frmWgetal2 &frmStart::Wgetal2()
{
    return m_windows.get<frmWgetal2>();
}

frmProjectgegevens &frmStart::Projectgegevens()
{
    return m_windows.get<frmProjectgegevens>();
}

frmAbout &frmStart::About()
{
    return m_windows.get<frmAbout>();
}

frmAbsRuwheid &frmStart::AbsRuwheid()
{
    return m_windows.get<frmAbsRuwheid>();
}

frmDiameter &frmStart::Diameter()
{
    return m_windows.get<frmDiameter>();
}

frmHelpScreen &frmStart::HelpScreen()
{
    return m_windows.get<frmHelpScreen>();
}

FluidPropertiesWindow &frmStart::FluidProperties()
{
    return m_windows.get<FluidPropertiesWindow>();
}

SystemCurveWindow &frmStart::SystemCurve()
{
    return m_windows.get<SystemCurveWindow>();
}

LineSizingWindow &frmStart::LineSizing()
{
    return m_windows.get<LineSizingWindow>();
}

FittingLossesWindow &frmStart::FittingLosses()
{
    return m_windows.get<FittingLossesWindow>();
}

bool frmStart::hasProjectgegevens() const
{
    return m_windows.exists<frmProjectgegevens>();
}

bool frmStart::hasAbout() const
{
    return m_windows.exists<frmAbout>();
}
