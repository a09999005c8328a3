#pragma once

#include <QString>

class QWidget;

// The Help menu: the help pages and the manual shipped in the program folder,
// handed to the desktop, and the about box.
class HelpCommands final {
public:
    explicit HelpCommands(QWidget *parent) : m_parent(parent) {}

    void TableOfContents(const QString &programFolder) const;
    void Tutorial(const QString &programFolder) const;
    // Shows the launch failure text when the manual cannot be opened.
    void Manual(const QString &programFolder) const;
    void About() const;

    // The result the shell would give for opening the file: a failure code
    // of the table of launch failures, or success.
    static int OpenDocument(const QString &path);

private:
    QWidget *m_parent;
};
