#pragma once

// Where the main window opens on a screen of the given size, in logical
// pixels: at the top, centred, its width and the tree's from a table of
// screen widths. A tree width of 0 hides the tree.
struct WindowLayout final {
    int Left = 0;
    int Top = 0;
    int Width = 800;
    int Height = 0;
    int TreeWidth = 0;
};

WindowLayout WindowLayoutFor(double screenWidth, double screenHeight);
