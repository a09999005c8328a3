#include "screens/ScreenFile.h"

#include "screens/ControlKinds.h"

#include <QAbstractButton>
#include <QBuffer>
#include <QFile>
#include <QLayout>
#include <QUiLoader>
#include <QWidget>

#include <stdexcept>

namespace ScreenFile {

namespace {

std::runtime_error Failure(const QString &text)
{
    return std::runtime_error(text.toStdString());
}

// A child cannot paint outside its parent, so a callout placed inside its
// help button is lifted onto the panel at the same place; the button keeps
// a list of its callouts.
void LiftCallouts(QWidget *panel)
{
    const QList<QWidget *> widgets = panel->findChildren<QWidget *>();
    for (QWidget *callout : widgets) {
        if (ControlKinds::KindOf(callout) != ControlKinds::Callout)
            continue;
        auto *button = qobject_cast<QAbstractButton *>(callout->parentWidget());
        if (!button)
            continue;
        const QPoint at = button->mapTo(panel, callout->pos());
        callout->setParent(panel);
        callout->move(at);
        callout->hide();
        QVariantList owned = button->property("callouts").toList();
        owned.append(QVariant::fromValue(static_cast<QObject *>(callout)));
        button->setProperty("callouts", owned);
    }
}

void Adopt(QWidget *root, QWidget *panel)
{
    const QSize size = root->size().expandedTo(panel->size());
    panel->resize(size);
    panel->setMinimumSize(size);
    if (root->testAttribute(Qt::WA_SetFont))
        panel->setFont(root->font());
    if (root->testAttribute(Qt::WA_SetPalette))
        panel->setPalette(root->palette());
    if (!root->styleSheet().isEmpty())
        panel->setStyleSheet(root->styleSheet());

    if (root->layout()) {
        // A laid-out page keeps its root as the container of its controls.
        root->setParent(panel);
        root->move(0, 0);
        root->show();
        return;
    }
    const QList<QWidget *> children = root->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *child : children) {
        const bool hidden = child->testAttribute(Qt::WA_WState_ExplicitShowHide) && child->isHidden();
        const QPoint at = child->pos();
        child->setParent(panel);
        child->move(at);
        child->setVisible(!hidden);
    }
    delete root;
}

} // namespace

QString FileNameFor(int pageType, int copy)
{
    const int n = (pageType == 12 && copy >= 1) ? 14 : pageType;
    return QStringLiteral("page%1.psf").arg(n);
}

QList<QByteArray> SplitDocuments(const QByteArray &content)
{
    QList<QByteArray> documents;
    qsizetype from = 0;
    while (true) {
        qsizetype start = content.indexOf("<ui", from);
        // "<ui" must open the element itself, not a longer name.
        while (start >= 0 && start + 3 < content.size() && content[start + 3] != ' ' && content[start + 3] != '>' &&
               content[start + 3] != '\n' && content[start + 3] != '\r' && content[start + 3] != '\t')
            start = content.indexOf("<ui", start + 3);
        if (start < 0)
            break;
        const qsizetype end = content.indexOf("</ui>", start);
        if (end < 0) {
            documents.append(content.mid(start)); // the loader reports the cut document
            break;
        }
        documents.append(content.mid(start, end + 5 - start));
        from = end + 5;
    }
    return documents;
}

void LoadInto(const QString &path, QWidget *panel)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    const QByteArray content = file.readAll();
    file.close();

    const QList<QByteArray> documents = SplitDocuments(content);
    if (documents.isEmpty())
        throw Failure(QStringLiteral("\"%1\" holds no screen.").arg(path));

    QUiLoader loader;
    for (const QByteArray &document : documents) {
        QBuffer buffer;
        buffer.setData(document);
        buffer.open(QIODevice::ReadOnly);
        // Built outside the panel, the controls take the panel's style once,
        // when they move onto it, not also while they are built.
        QWidget *root = loader.load(&buffer, nullptr);
        if (!root)
            throw Failure(QStringLiteral("Error reading \"%1\": %2").arg(path, loader.errorString()));
        Adopt(root, panel);
    }
    LiftCallouts(panel);
}

} // namespace ScreenFile
