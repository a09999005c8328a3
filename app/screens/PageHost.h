#pragma once

class QPoint;
class QWidget;

// What the page screen asks of the window around it.
class PageHost {
public:
    virtual ~PageHost() = default;

    virtual void SelectTreeItem(int pageType) = 0;
    virtual void ClearTreeSelection() = 0;
    virtual void UpdateMenuItems() = 0;
    virtual void UpdateCaption() = 0;
    virtual void ShowToolbar() = 0;
    virtual void PopupPageMenu(const QPoint &globalPos) = 0;
    // A page control received the focus.
    virtual void ControlEntered(QWidget *control) = 0;
    // A double-click on an overrideable edit.
    virtual void OverrideRequested(QWidget *control) = 0;
};
