#pragma once

class QWidget;

// Scales the controls of a page panel by a zoom factor, horizontally and
// vertically: their places, sizes and fonts. The sizes at zoom 1 are kept on
// each control, so any factor, 0 included, can be undone by another.
void ScalePageControls(QWidget *panel, double zoom);
