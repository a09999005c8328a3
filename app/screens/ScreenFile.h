#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class QWidget;

// A page's screen file: one or more Qt Designer <ui> documents one after
// another. Each document's root stands for the page panel: its size and looks
// go to the panel and its controls become the panel's own.
namespace ScreenFile {

// The screen file of a page copy: copies after the first of the account
// listing share the continuation layout.
QString FileNameFor(int pageType, int copy);

// The <ui>…</ui> spans of a file, without XML declarations.
QList<QByteArray> SplitDocuments(const QByteArray &content);

// Reads the file into the panel. Throws std::runtime_error when the file
// cannot be read or a document cannot be loaded; the controls of the
// documents read before stay on the panel.
void LoadInto(const QString &path, QWidget *panel);

} // namespace ScreenFile
