#pragma once

class TfrmMain;

// Window › Zoom: the zoom dialog, and scaling the page panel and the window
// to the chosen factor.
class ZoomCommand final {
public:
    explicit ZoomCommand(TfrmMain &window) : m_window(window) {}

    void Zoom();
    // Scales the page on the screen by the main window's zoom factor and fits
    // the window to it.
    void Apply();
    // A page just loaded takes the zoom in force: its controls and the
    // panel's size.
    void ScaleLoadedPage();

private:
    TfrmMain &m_window;
};
