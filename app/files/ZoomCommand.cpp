#include "files/ZoomCommand.h"

#include "files/PageScaler.h"
#include "files/PageZoom.h"
#include "files/TfrmWindowScale.h"
#include "main/MainState.h"
#include "main/Prompter.h"
#include "main/TfrmMain.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTreeWidget>

#include <cmath>

void ZoomCommand::Zoom()
{
    TfrmWindowScale dialog(m_window.state().ZoomFactor, &m_window);
    if (Prompter::instance().execDialog(dialog) != QDialog::Accepted)
        return;
    m_window.state().ZoomFactor = dialog.value();
    Apply();
}

void ZoomCommand::Apply()
{
    const MainState &state = m_window.state();
    const double zoom = state.ZoomFactor;
    QWidget *panel = m_window.pagePanel();
    ScalePageControls(panel, zoom);

    const int treeWidth = m_window.tree()->isVisible() ? m_window.tree()->width() : 0;
    const int panelWidth = static_cast<int>(std::trunc(m_window.panelWidthAtStart() * zoom));
    const int height = static_cast<int>(std::trunc(kelvox::ZoomedPageHeight(state.CurrentPageType, zoom)));
    panel->setMinimumSize(panelWidth, height);
    panel->resize(panelWidth, height);
    m_window.resize(treeWidth + panelWidth + 24, m_window.height());

    const QScreen *screen = m_window.screen() ? m_window.screen() : QGuiApplication::primaryScreen();
    if (screen) {
        QRect frame = m_window.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        m_window.move(frame.topLeft());
    }
}

void ZoomCommand::ScaleLoadedPage()
{
    const double zoom = m_window.state().ZoomFactor;
    if (zoom == 1.0)
        return;
    QWidget *panel = m_window.pagePanel();
    ScalePageControls(panel, zoom);
    const QSize natural = panel->size();
    const QSize scaled(static_cast<int>(std::trunc(natural.width() * zoom)),
                       static_cast<int>(std::trunc(natural.height() * zoom)));
    panel->setMinimumSize(scaled);
    panel->resize(scaled);
}
