#pragma once

#include "main/TfrmMain.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

class QLineEdit;

// A main window on a temporary home folder, reading its screens from a
// folder the test names (the small fixture screens unless told otherwise).
class MainFixture final {
public:
    explicit MainFixture(QSizeF screen = QSizeF(1366, 768), const QString &programFolder = QString());
    ~MainFixture();

    // Creates the window; the screens are read from screenFolder.
    TfrmMain &create(const QString &screenFolder = fixtureScreens());
    // Shows it, waits until it is active, and so shows General Information.
    TfrmMain &show();

    TfrmMain &window() { return *m_window; }
    QString home() const { return m_home.path(); }

    template <typename T = QWidget> T *control(const QString &name) const
    {
        return m_window->pagePanel()->findChild<T *>(name);
    }
    // Types into a page edit and leaves it with Tab.
    void typeAndLeave(QLineEdit *edit, const QString &text);

    static QString fixtureScreens();

private:
    QTemporaryDir m_home;
    QSizeF m_screen;
    QString m_programFolder;
    std::unique_ptr<TfrmMain> m_window;
};
