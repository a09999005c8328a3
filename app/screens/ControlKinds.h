#pragma once

#include <QString>

class QWidget;

// How the program sees a control of a page screen: its kind, its tag and its
// style name. Style names are compared without regard to letter case.
namespace ControlKinds {

enum Kind { Other, Label, Edit, Memo, CheckBox, RadioButton, ComboBox, Button, Callout };

Kind KindOf(const QWidget *widget);
int TagOf(const QWidget *widget);

QString StyleNameOf(const QWidget *widget);
bool HasStyle(const QWidget *widget, const char *name);
// Sets the style name and re-polishes, so the style sheet shows it at once.
void SetStyleName(QWidget *widget, const QString &name);

// The seven names that carry behaviour, in the spelling the style sheet uses.
inline constexpr const char *EditReadOnly = "EDITREADONLY";
inline constexpr const char *EditOverrideable = "EDITOVERRIDEABLE";
inline constexpr const char *EditOverridden = "EDITOVERRIDDEN";
inline constexpr const char *MemoOverrideable = "MEMOOVERRIDEABLE";
inline constexpr const char *MemoOverridden = "MEMOOVERRIDDEN";
inline constexpr const char *CheckBoxOverrideable = "CHECKBOXOVERRIDEABLE";
inline constexpr const char *CheckBoxOverridden = "CHECKBOXOVERRIDDEN";

// A behaviour name in any letter case becomes the spelling above, so that the
// style sheet's selectors match it; other names are kept as the screen has them.
QString CanonicalStyleName(const QString &name);

bool NameContainsHelp(const QWidget *widget);

} // namespace ControlKinds
