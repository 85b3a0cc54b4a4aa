#pragma once

#include <array>

// The main window's own texts: menus, toolbar, buttons.
namespace frmStartTexts {

inline constexpr const char *DesignCaption = "Pressure Drop Zeptor";
inline constexpr const char *CaptionPrefix = "Zeptor - ";
inline constexpr const char *ClearCaption = "Clear";
inline constexpr const char *ExitCaption = "Exit";
inline constexpr const char *DotsCaption = "...";

// Accessible descriptions of the fields that have no caption of their own.
inline constexpr const char *SumFieldDescription = "total";
inline constexpr const char *PaFieldDescription = "pipe+equipment+appendages";

} // namespace frmStartTexts
