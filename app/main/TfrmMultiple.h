#pragma once

#include <QDialog>

#include <memory>

struct MainState;

namespace Ui {
class TfrmMultiple;
}

// The copy chooser of the multi-copy forms.
class TfrmMultiple final : public QDialog {
    Q_OBJECT
public:
    // tag: the multi-copy tag (4, 5, 6, 7 or 12) the dialog is opened for.
    TfrmMultiple(MainState &state, int tag, QWidget *parent = nullptr);
    ~TfrmMultiple() override;

    int MaxForms = 0;
    int TheTag = 0;

    void accept() override;

    // The question for a multi-copy tag.
    static QString Question(int tag);

private:
    std::unique_ptr<Ui::TfrmMultiple> m_ui;
    MainState &m_state;
};
