#include "screens/ControlKinds.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTextEdit>
#include <QToolButton>

#include <array>

namespace ControlKinds {

Kind KindOf(const QWidget *widget)
{
    if (!widget)
        return Other;
    if (qobject_cast<const QLabel *>(widget))
        return Label;
    if (qobject_cast<const QLineEdit *>(widget))
        return Edit;
    if (qobject_cast<const QPlainTextEdit *>(widget) || qobject_cast<const QTextEdit *>(widget))
        return Memo;
    if (qobject_cast<const QCheckBox *>(widget))
        return CheckBox;
    if (qobject_cast<const QRadioButton *>(widget))
        return RadioButton;
    if (qobject_cast<const QComboBox *>(widget))
        return ComboBox;
    if (qobject_cast<const QPushButton *>(widget) || qobject_cast<const QToolButton *>(widget))
        return Button;
    if (qobject_cast<const QFrame *>(widget) && widget->property("callout").toBool())
        return Callout;
    return Other;
}

int TagOf(const QWidget *widget)
{
    return widget->property("tag").toInt();
}

QString StyleNameOf(const QWidget *widget)
{
    return widget->property("styleName").toString();
}

bool HasStyle(const QWidget *widget, const char *name)
{
    return StyleNameOf(widget).compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

void SetStyleName(QWidget *widget, const QString &name)
{
    const QString canonical = CanonicalStyleName(name);
    if (widget->property("styleName").toString() == canonical)
        return;
    widget->setProperty("styleName", canonical);
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
    widget->update();
}

QString CanonicalStyleName(const QString &name)
{
    static const std::array<const char *, 7> behaviour{EditReadOnly,      EditOverrideable, EditOverridden,
                                                       MemoOverrideable,  MemoOverridden,   CheckBoxOverrideable,
                                                       CheckBoxOverridden};
    for (const char *known : behaviour) {
        if (name.compare(QLatin1String(known), Qt::CaseInsensitive) == 0)
            return QLatin1String(known);
    }
    return name;
}

bool NameContainsHelp(const QWidget *widget)
{
    return widget->objectName().contains(QLatin1String("HELP"), Qt::CaseInsensitive);
}

} // namespace ControlKinds
