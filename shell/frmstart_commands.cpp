#include "shell/frmstart.h"
#include "shell/frmstart_menus.h"

#include "appendages/frmwgetal1.h"
#include "appendages/frmwgetal2.h"
#include "calc/basgeneral.h"
#include "calc/dvlname.h"
#include "curve/ui/systemcurvewindow.h"
#include "fittings/ui/fittinglosseswindow.h"
#include "fluid/ui/fluidpropertieswindow.h"
#include "pickers/frmabsruwheid.h"
#include "pickers/frmdiameter.h"
#include "project/frmprojectgegevens.h"
#include "shell/frmabout.h"
#include "shell/frmhelpscreen.h"
#include "shell/frmstart_texts.h"
#include "sizing/ui/linesizingwindow.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include <span>

using namespace frmStartMenus;

void frmStart::buildMenus()
{
    menuBar()->setObjectName(QStringLiteral("menuBar"));
    for (const Menu &menu : Menus) {
        QMenu *popup = menuBar()->addMenu(QString::fromLatin1(menu.caption));
        popup->setObjectName(QString::fromLatin1(menu.name));
        popup->menuAction()->setObjectName(QString::fromLatin1(menu.name));
        for (const MenuItem &item : menu.items) {
            QAction *action = item.caption ? popup->addAction(QString::fromLatin1(item.caption))
                                           : popup->addSeparator();
            action->setObjectName(QString::fromLatin1(item.name));
            if (item.shortcut) {
                action->setShortcut(QKeySequence(QString::fromLatin1(item.shortcut)));
                // The shortcut works wherever the focus is in the main window.
                action->setShortcutContext(Qt::WindowShortcut);
            }
            if (const Handler handler = item.handler)
                connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        }
    }
}

void frmStart::buildToolbar()
{
    m_toolbar = new QToolBar(QStringLiteral("Toolbar1"), this);
    m_toolbar->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->toggleViewAction()->setEnabled(false);
    m_toolbar->setIconSize(QSize(24, 24));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    addToolBar(Qt::TopToolBarArea, m_toolbar);

    for (const ToolbarButton &button : ToolbarButtons) {
        const QString key = QString::fromLatin1(button.key);
        QAction *action = nullptr;
        if (!button.toolTip) {
            action = m_toolbar->addSeparator();
        } else {
            const QString toolTip = QString::fromLatin1(button.toolTip);
            QIcon icon;
            const QString image = QString::fromLatin1(button.image);
            icon.addFile(image, QSize(24, 24));
            icon.addFile(QString(image).replace(QStringLiteral(".png"), QStringLiteral("@2x.png")),
                QSize(48, 48));
            action = m_toolbar->addAction(icon, toolTip.trimmed());
            action->setToolTip(toolTip);
            // A toolbar button never takes the focus: the field being edited keeps it,
            // and each command commits a pending edit itself where it has to.
            if (QWidget *widget = m_toolbar->widgetForAction(action)) {
                widget->setFocusPolicy(Qt::NoFocus);
                widget->setObjectName(QStringLiteral("Toolbar1_") + key);
                widget->setAccessibleName(toolTip.trimmed());
            }
        }
        action->setData(key);
        action->setObjectName(QStringLiteral("Toolbar1_") + key);
    }
    connect(m_toolbar, &QToolBar::actionTriggered, this,
        [this](QAction *action) { Toolbar1_ButtonClick(action->data().toString()); });

    // The analysis windows by the mouse as well: the Analysis menu's own items, as text
    // buttons on a toolbar of their own, so that Toolbar1 stays as it is.
    auto *analysis = new QToolBar(QStringLiteral("Analysis"), this);
    analysis->setObjectName(QStringLiteral("AnalysisToolbar"));
    analysis->setMovable(false);
    analysis->setFloatable(false);
    analysis->toggleViewAction()->setEnabled(false);
    analysis->setToolButtonStyle(Qt::ToolButtonTextOnly);
    addToolBar(Qt::TopToolBarArea, analysis);
    if (auto *menu = findChild<QMenu *>(QStringLiteral("mnuAnalysis"))) {
        for (QAction *action : menu->actions()) {
            analysis->addAction(action);
            if (QWidget *widget = analysis->widgetForAction(action)) {
                widget->setFocusPolicy(Qt::NoFocus);
                widget->setAccessibleName(action->iconText());
            }
        }
    }
}

void frmStart::Toolbar1_ButtonClick(const QString &key)
{
    for (const ToolbarButton &button : ToolbarButtons) {
        if (button.handler && key == QLatin1String(button.key)) {
            (this->*button.handler)();
            return;
        }
    }
}

// Exit ends the program at once: closing the main window closes every other window,
// and the program ends with it.
void frmStart::mnuExit_Click()
{
    close();
}

void frmStart::Command4_Click()
{
    mnuExit_Click();
}

// Clear: the counts, the project information and the entries back to a new case,
// without a question, then one recalculation.
void frmStart::Command3_Click()
{
    // The count windows zero their counts and write "0" into Text0(9) and Text0(10);
    // the project window starts a new project and has the caption set again.
    Wgetal1().ClearWgetal1_Click();
    Wgetal2().ClearWgetal2_Click();
    Projectgegevens().ClearForm_Click();

    m_sheet.restoreStartValues();
    Calc();
}

void frmStart::mnuProjectGegevens_Click()
{
    m_windows.show<frmProjectgegevens>();
}

void frmStart::mnuCalcBends_Click()
{
    m_windows.show<frmWgetal1>();
}

void frmStart::mnuCalcCocks_Click()
{
    m_windows.show<frmWgetal2>();
}

void frmStart::RuwheidWand_Click()
{
    SCommand2_Click();
}

void frmStart::DiameterLleiding_Click()
{
    SSCommand1_Click();
}

void frmStart::mnuFluidProperties_Click()
{
    m_windows.show<FluidPropertiesWindow>();
}

void frmStart::mnuSystemCurve_Click()
{
    m_windows.show<SystemCurveWindow>();
}

void frmStart::mnuLineSizing_Click()
{
    m_windows.show<LineSizingWindow>();
}

void frmStart::mnuFittingLosses_Click()
{
    m_windows.show<FittingLossesWindow>();
}

void frmStart::mnuHelpContents_Click()
{
    m_windows.show<frmHelpScreen>();
}

// An open About window comes to the front as it is; otherwise a new one is created.
void frmStart::mnuHelpAbout_Click()
{
    m_windows.show<frmAbout>();
}

void frmStart::SSCommand1_Click()
{
    m_windows.show<frmDiameter>();
}

void frmStart::SCommand2_Click()
{
    m_windows.show<frmAbsRuwheid>();
}

void frmStart::SCommand4_Click()
{
    m_windows.show<frmWgetal1>();
}

void frmStart::SCommand5_Click()
{
    m_windows.show<frmWgetal2>();
}
