#pragma once

#include <array>

// The main window's own texts: menus, toolbar, buttons.
namespace frmStartTexts {

inline constexpr const char *DesignCaption = "Pressure Drop Zeptor";
inline constexpr const char *CaptionPrefix = "Zeptor - ";
inline constexpr const char *ClearCaption = "Clear";
inline constexpr const char *ExitCaption = "Exit";
inline constexpr const char *DotsCaption = "...";

// One menu item: the control name and its caption; a separator has no caption.
struct MenuItem
{
    const char *name;
    const char *caption;
};

inline constexpr MenuItem FileMenu = {"mnuFile", "File"};
inline constexpr std::array<MenuItem, 7> FileItems = {{
    {"FileLoad", "Load"},
    {"FileSave", "Save"},
    {"FileSaveAs", "Save as ..."},
    {"mnuSeperator1", nullptr},
    {"mnuPrint", "Print"},
    {"mnuSeperator2", nullptr},
    {"mnuExit", "Exit"},
}};

inline constexpr MenuItem DataMenu = {"mnuTools", "Data"};
inline constexpr std::array<MenuItem, 5> DataItems = {{
    {"mnuProjectGegevens", "Project information"},
    {"mnuCalcBends", "Bends and tees"},
    {"mnuCalcCocks", "Valves"},
    {"RuwheidWand", "Pipe roughness"},
    {"DiameterLleiding", "Pipe diameter"},
}};

inline constexpr MenuItem HelpMenu = {"mnuHelp", "Help"};
inline constexpr std::array<MenuItem, 2> HelpItems = {{
    {"mnuHelpContents", "What does this program do?"},
    {"mnuHelpAbout", "About"},
}};

// One toolbar button: its key, tooltip and image; a separator has no tooltip.
struct ToolbarButton
{
    const char *key;
    const char *toolTip;
    const char *image;
};

inline constexpr std::array<ToolbarButton, 15> ToolbarButtons = {{
    {"open", "Open File", ":/icons/open.png"},
    {"save", "Save File", ":/icons/save.png"},
    {"print", "Print File", ":/icons/print.png"},
    {"project", "Project Data", ":/icons/project.png"},
    {"sep", nullptr, nullptr},
    {"pipes", "Bends and pipes", ":/icons/pipes.png"},
    {"valves", "Valves", ":/icons/valves.png"},
    {"ruw", "Roughness", ":/icons/ruw.png"},
    {"Diameter", "Inner pipe diameter ", ":/icons/diameter.png"},
    {"sep2", nullptr, nullptr},
    {"clear", "Clear", ":/icons/clear.png"},
    {"sep3", nullptr, nullptr},
    {"help", "Help", ":/icons/help.png"},
    {"info", "Who", ":/icons/info.png"},
    {"stop", "Stop", ":/icons/stop.png"},
}};

// Accessible descriptions of the fields that have no caption of their own.
inline constexpr const char *SumFieldDescription = "total";
inline constexpr const char *PaFieldDescription = "pipe+equipment+appendages";

} // namespace frmStartTexts
