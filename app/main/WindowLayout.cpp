#include "main/WindowLayout.h"

#include <cmath>

WindowLayout WindowLayoutFor(double screenWidth, double screenHeight)
{
    WindowLayout layout;
    layout.Height = static_cast<int>(std::trunc(screenHeight - std::trunc(0.075 * screenHeight)));

    struct Row {
        long below;
        int width;
        int tree;
    };
    static constexpr Row rows[] = {{960, 800, 0},     {1024, 960, 160},  {1152, 1024, 224}, {1176, 1150, 350},
                                   {1280, 1170, 370}, {1366, 1270, 470}, {10000, 1300, 500}};
    // Halves round to even.
    const long c = std::lrint(screenWidth);
    for (const Row &row : rows) {
        if (c < row.below) {
            layout.Width = row.width;
            layout.TreeWidth = row.tree;
            break;
        }
    }
    if (layout.TreeWidth > 0)
        layout.TreeWidth -= 16;
    layout.Left = static_cast<int>(std::trunc(screenWidth - layout.Width)) / 2;
    return layout;
}
