#include "shell/frmstart.h"

#include "appendages/frmwgetal1.h"
#include "appendages/frmwgetal2.h"
#include "calc/basgeneral.h"
#include "calc/dvlname.h"
#include "pickers/frmabsruwheid.h"
#include "pickers/frmdiameter.h"
#include "project/frmprojectgegevens.h"
#include "shell/frmabout.h"
#include "shell/frmhelpscreen.h"
#include "shell/frmstart_texts.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include <span>

namespace {

using Handler = void (frmStart::*)();

struct MenuHandler
{
    const char *name;
    Handler handler;
};

constexpr std::array<MenuHandler, 12> MenuHandlers = {{
    {"FileLoad", &frmStart::FileLoad_Click},
    {"FileSave", &frmStart::FileSave_Click},
    {"FileSaveAs", &frmStart::FileSaveAs_Click},
    {"mnuPrint", &frmStart::mnuPrint_Click},
    {"mnuExit", &frmStart::mnuExit_Click},
    {"mnuProjectGegevens", &frmStart::mnuProjectGegevens_Click},
    {"mnuCalcBends", &frmStart::mnuCalcBends_Click},
    {"mnuCalcCocks", &frmStart::mnuCalcCocks_Click},
    {"RuwheidWand", &frmStart::RuwheidWand_Click},
    {"DiameterLleiding", &frmStart::DiameterLleiding_Click},
    {"mnuHelpContents", &frmStart::mnuHelpContents_Click},
    {"mnuHelpAbout", &frmStart::mnuHelpAbout_Click},
}};

Handler menuHandler(const char *name)
{
    for (const MenuHandler &entry : MenuHandlers) {
        if (qstrcmp(entry.name, name) == 0)
            return entry.handler;
    }
    return nullptr;
}

// The toolbar's keys are compared exactly: "Diameter" opens the picker, "diameter"
// matches nothing.
struct KeyHandler
{
    const char *key;
    Handler handler;
};

constexpr std::array<KeyHandler, 12> ToolbarHandlers = {{
    {"open", &frmStart::FileLoad_Click},
    {"save", &frmStart::FileSave_Click},
    {"print", &frmStart::mnuPrint_Click},
    {"project", &frmStart::mnuProjectGegevens_Click},
    {"pipes", &frmStart::mnuCalcBends_Click},
    {"valves", &frmStart::mnuCalcCocks_Click},
    {"ruw", &frmStart::SCommand2_Click},
    {"Diameter", &frmStart::SSCommand1_Click},
    {"clear", &frmStart::Command3_Click},
    {"help", &frmStart::mnuHelpContents_Click},
    {"info", &frmStart::mnuHelpAbout_Click},
    {"stop", &frmStart::mnuExit_Click},
}};

} // namespace

void frmStart::buildMenus()
{
    using frmStartTexts::MenuItem;
    const auto addMenu = [this](const MenuItem &menu, std::span<const MenuItem> items) {
        QMenu *popup = menuBar()->addMenu(QString::fromLatin1(menu.caption));
        popup->setObjectName(QString::fromLatin1(menu.name));
        popup->menuAction()->setObjectName(QString::fromLatin1(menu.name));
        for (const MenuItem &item : items) {
            QAction *action = item.caption ? popup->addAction(QString::fromLatin1(item.caption))
                                           : popup->addSeparator();
            action->setObjectName(QString::fromLatin1(item.name));
            if (const Handler handler = menuHandler(item.name))
                connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        }
    };
    menuBar()->setObjectName(QStringLiteral("menuBar"));
    addMenu(frmStartTexts::FileMenu, frmStartTexts::FileItems);
    addMenu(frmStartTexts::DataMenu, frmStartTexts::DataItems);
    addMenu(frmStartTexts::HelpMenu, frmStartTexts::HelpItems);
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

    for (const frmStartTexts::ToolbarButton &button : frmStartTexts::ToolbarButtons) {
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
}

void frmStart::Toolbar1_ButtonClick(const QString &key)
{
    for (const KeyHandler &entry : ToolbarHandlers) {
        if (key == QLatin1String(entry.key)) {
            (this->*entry.handler)();
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
    BasGeneral &record = general();
    // The count windows zero their counts and write "0" into Text0(9) and Text0(10);
    // writing the same here again changes nothing once they have.
    Wgetal1().ClearWgetal1_Click();
    record.BendCounts.fill(0);
    setText0(9, QStringLiteral("0"));
    Wgetal2().ClearWgetal2_Click();
    record.ValveCounts.fill(0);
    setText0(10, QStringLiteral("0"));

    Projectgegevens().ClearForm_Click();
    record.ProjectDate = CaseDate::today();
    record.ProjectName = DvlFile::NewProjectName;
    record.PipeName.clear();
    record.ProjectOwner.clear();
    record.ProjectFileName = DvlFile::fileNameFor(record.ProjectName);
    applyCaption();

    m_sheet.restoreStartValues();
    Calc();
}

void frmStart::mnuProjectGegevens_Click()
{
    showWindow(Projectgegevens());
}

void frmStart::mnuCalcBends_Click()
{
    showWindow(Wgetal1());
}

void frmStart::mnuCalcCocks_Click()
{
    showWindow(Wgetal2());
}

void frmStart::RuwheidWand_Click()
{
    SCommand2_Click();
}

void frmStart::DiameterLleiding_Click()
{
    SSCommand1_Click();
}

void frmStart::mnuHelpContents_Click()
{
    showWindow(HelpScreen());
}

// An open About window comes to the front as it is; otherwise a new one is created.
void frmStart::mnuHelpAbout_Click()
{
    showWindow(About());
}

void frmStart::SSCommand1_Click()
{
    showWindow(Diameter());
}

void frmStart::SCommand2_Click()
{
    showWindow(AbsRuwheid());
}

void frmStart::SCommand4_Click()
{
    showWindow(Wgetal1());
}

void frmStart::SCommand5_Click()
{
    showWindow(Wgetal2());
}
