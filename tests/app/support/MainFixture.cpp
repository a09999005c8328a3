#include "MainFixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

MainFixture::MainFixture(QSizeF screen, const QString &programFolder)
    : m_screen(screen), m_programFolder(programFolder.isEmpty() ? QStringLiteral(KELVOX_PROGRAM_DIR) : programFolder)
{
}

MainFixture::~MainFixture()
{
    if (m_window) {
        // Leave without questions: the test has looked at what it wanted.
        m_window->state().CaseChanged = false;
        m_window->close();
    }
}

QString MainFixture::fixtureScreens()
{
    return QStringLiteral(KELVOX_TEST_DATA_DIR "/screens");
}

TfrmMain &MainFixture::create(const QString &screenFolder)
{
    TfrmMain::Environment environment;
    environment.ProgramFileFolder = m_programFolder;
    environment.HomeFolder = m_home.path();
    const QSizeF screen = m_screen;
    environment.ScreenSize = [screen] { return screen; };
    m_window = std::make_unique<TfrmMain>(environment);
    if (!screenFolder.isEmpty())
        m_window->state().ScreenFolder = screenFolder;
    return *m_window;
}

TfrmMain &MainFixture::show()
{
    if (!m_window)
        create();
    m_window->show();
    QApplication::setActiveWindow(m_window.get());
    if (!QTest::qWaitForWindowActive(m_window.get()))
        qWarning("main window did not become active");
    return *m_window;
}

void MainFixture::typeAndLeave(QLineEdit *edit, const QString &text)
{
    edit->setFocus(Qt::MouseFocusReason);
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Tab);
}
