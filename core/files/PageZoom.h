#pragma once

#include <string>

namespace kelvox {

inline constexpr double kZoomMinimum = 0.0;
inline constexpr double kZoomMaximum = 2.0;

// The height the zoom gives the page panel of a page type, before the zoom
// factor and the margin of 1.1 are applied.
int ZoomPageHeight(int pageType);

// The page panel's height after a zoom: ZoomPageHeight x zoom x 1.1.
double ZoomedPageHeight(int pageType, double zoom);

// The zoom dialog's value label: the value times 100, rounded to the nearest
// whole number (halves to even), followed by "%".
std::string ZoomLabel(double zoom);

} // namespace kelvox
