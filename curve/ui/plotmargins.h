#pragma once

// Margins around the axes of the plots of the System curve window, in device-independent
// pixels: tick labels left and right (the second scale), the flow axis below, the legend
// above. The head plot and the NPSH plot under it share them, so that their flow axes
// line up.
namespace PlotMargins {

inline constexpr double Left = 64;
inline constexpr double Right = 64;
inline constexpr double Top = 34;
inline constexpr double Bottom = 46;

} // namespace PlotMargins
