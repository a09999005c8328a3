#pragma once

#include "answers/Answers.h"

#include <QMainWindow>

#include <memory>

class TfrmMain final : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(QWidget *parent = nullptr);
    ~TfrmMain() override;

    kelvox::TAnswer &answers() { return *m_answers; }
    QString currentFileName() const { return m_currentFileName; }

private:
    void updateCaption();

    std::unique_ptr<kelvox::TAnswer> m_answers;
    QString m_currentFileName;
};
