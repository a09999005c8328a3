#pragma once

#include "output/PrtSend.h"

#include <QDialog>

#include <memory>

class QCheckBox;

namespace Ui {
class TfrmSelectedForms;
}

// The print dialog: one box per form of the form table, on three tabs.
class TfrmSelectedForms final : public QDialog {
    Q_OBJECT
public:
    enum class Host { Windows, Mac, Other };
    // What the confirming button asks for.
    enum class Action { Send, ExportPdf, Preview };

    // `otherProgram` names what opens the forms where there is no MS Word
    // and no WordPad or TextEdit.
    TfrmSelectedForms(bool wordFound, bool forceWord, Host host, const QString &otherProgram,
                      QWidget *parent = nullptr);
    ~TfrmSelectedForms() override;

    static Host ThisHost();

    QCheckBox *formBox(int form) const;
    kelvox::FormSelection selection() const;
    // The Force Word box when the dialog was confirmed; a hidden box is not ticked.
    bool forceWord() const { return m_forceWord; }
    Action action() const { return m_action; }
    // The button Enter presses.
    void setDefaultAction(Action action);

    void CheckAll();
    void accept() override;

private:
    std::unique_ptr<Ui::TfrmSelectedForms> ui;
    bool m_forceWord = false;
    Action m_action = Action::Send;
};
