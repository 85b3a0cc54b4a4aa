#pragma once

#include "shell/frmstart.h"

#include <span>

// The main window's menus and toolbar: each item with its text and its handler, so
// that no item can be left without one.
namespace frmStartMenus {

using Handler = void (frmStart::*)();

// One menu item: the control name, its caption and what it does; a separator has no
// caption and no handler. Only our own items carry a shortcut key.
struct MenuItem
{
    const char *name;
    const char *caption;
    Handler handler;
    const char *shortcut = nullptr;
};

struct Menu
{
    const char *name;
    const char *caption;
    std::span<const MenuItem> items;
};

inline constexpr MenuItem FileItems[] = {
    {"FileLoad", "Load", &frmStart::FileLoad_Click},
    {"FileSave", "Save", &frmStart::FileSave_Click},
    {"FileSaveAs", "Save as ...", &frmStart::FileSaveAs_Click},
    {"mnuSeperator1", nullptr, nullptr},
    {"mnuPrint", "Print", &frmStart::mnuPrint_Click},
    {"mnuSeperator2", nullptr, nullptr},
    {"mnuExit", "Exit", &frmStart::mnuExit_Click},
};

inline constexpr MenuItem DataItems[] = {
    {"mnuProjectGegevens", "Project information", &frmStart::mnuProjectGegevens_Click},
    {"mnuCalcBends", "Bends and tees", &frmStart::mnuCalcBends_Click},
    {"mnuCalcCocks", "Valves", &frmStart::mnuCalcCocks_Click},
    {"RuwheidWand", "Pipe roughness", &frmStart::RuwheidWand_Click},
    {"DiameterLleiding", "Pipe diameter", &frmStart::DiameterLleiding_Click},
};

// Our own windows beyond the calculation of one case. Unlike the program's own menus
// they have access keys and shortcut keys, so that the keyboard reaches them; the
// toolbar "Analysis" beside Toolbar1 carries the same items.
inline constexpr MenuItem AnalysisItems[] = {
    {"mnuFluidProperties", "&Fluid properties ...", &frmStart::mnuFluidProperties_Click,
        "Ctrl+Shift+F"},
    {"mnuSystemCurve", "&System curve ...", &frmStart::mnuSystemCurve_Click, "Ctrl+Shift+C"},
    {"mnuLineSizing", "&Line sizing ...", &frmStart::mnuLineSizing_Click, "Ctrl+Shift+L"},
    {"mnuFittingLosses", "Fitting l&osses ...", &frmStart::mnuFittingLosses_Click, "Ctrl+Shift+K"},
};

inline constexpr MenuItem HelpItems[] = {
    {"mnuHelpContents", "What does this program do?", &frmStart::mnuHelpContents_Click},
    {"mnuHelpAbout", "About", &frmStart::mnuHelpAbout_Click},
};

inline constexpr Menu Menus[] = {
    {"mnuFile", "File", FileItems},
    {"mnuTools", "Data", DataItems},
    {"mnuAnalysis", "&Analysis", AnalysisItems},
    {"mnuHelp", "Help", HelpItems},
};

// One toolbar button: its key, tooltip, image and what it does; a separator has no
// tooltip. The keys are compared exactly: "Diameter" opens the picker, "diameter"
// matches nothing.
struct ToolbarButton
{
    const char *key;
    const char *toolTip;
    const char *image;
    Handler handler;
};

inline constexpr ToolbarButton ToolbarButtons[] = {
    {"open", "Open File", ":/icons/open.png", &frmStart::FileLoad_Click},
    {"save", "Save File", ":/icons/save.png", &frmStart::FileSave_Click},
    {"print", "Print File", ":/icons/print.png", &frmStart::mnuPrint_Click},
    {"project", "Project Data", ":/icons/project.png", &frmStart::mnuProjectGegevens_Click},
    {"sep", nullptr, nullptr, nullptr},
    {"pipes", "Bends and pipes", ":/icons/pipes.png", &frmStart::mnuCalcBends_Click},
    {"valves", "Valves", ":/icons/valves.png", &frmStart::mnuCalcCocks_Click},
    {"ruw", "Roughness", ":/icons/ruw.png", &frmStart::SCommand2_Click},
    {"Diameter", "Inner pipe diameter ", ":/icons/diameter.png", &frmStart::SSCommand1_Click},
    {"sep2", nullptr, nullptr, nullptr},
    {"clear", "Clear", ":/icons/clear.png", &frmStart::Command3_Click},
    {"sep3", nullptr, nullptr, nullptr},
    {"help", "Help", ":/icons/help.png", &frmStart::mnuHelpContents_Click},
    {"info", "Who", ":/icons/info.png", &frmStart::mnuHelpAbout_Click},
    {"stop", "Stop", ":/icons/stop.png", &frmStart::mnuExit_Click},
};

} // namespace frmStartMenus
