#include "main/TfrmMain.h"

#include <QFileInfo>

TfrmMain::TfrmMain(QWidget *parent)
    : QMainWindow(parent), m_answers(std::make_unique<kelvox::TAnswer>()),
      m_currentFileName(QStringLiteral("Untitled.kvx"))
{
    setObjectName(QStringLiteral("frmMain"));
    resize(800, 600);
    updateCaption();
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::updateCaption() { setWindowTitle(QFileInfo(m_currentFileName).fileName()); }
