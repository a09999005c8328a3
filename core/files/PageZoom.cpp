#include "files/PageZoom.h"

#include <cmath>

namespace kelvox {

int ZoomPageHeight(int pageType)
{
    switch (pageType) {
    case 0:
    case 4: return 2350;
    case 1:
    case 12: return 1650;
    case 2:
    case 3: return 2200;
    case 5:
    case 31:
    case 32: return 1200;
    case 6:
    case 7:
    case 13:
    case 14: return 3200;
    case 8: return 1300;
    case 9: return 1900;
    case 11: return 2400;
    case 15:
    case 16: return 2100;
    case 30:
    case 34: return 1800;
    case 33: return 850;
    case 36: return 1000;
    case 37:
    case 41: return 1500;
    case 39: return 1100;
    case 40: return 2000;
    case 54: return 8450;
    case 55: return 9600;
    default: return 2500;
    }
}

double ZoomedPageHeight(int pageType, double zoom)
{
    return ZoomPageHeight(pageType) * zoom * 1.1;
}

std::string ZoomLabel(double zoom)
{
    // nearbyint follows the default rounding mode: to nearest, halves to even.
    const long percent = std::lrint(std::nearbyint(zoom * 100.0));
    return std::to_string(percent) + "%";
}

} // namespace kelvox
