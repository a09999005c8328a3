#include "screens/PageScreen.h"

#include "main/MainState.h"
#include "messages/Messages.h"
#include "misc/Misc.h"
#include "screens/ControlKinds.h"
#include "screens/EditKinds.h"
#include "screens/PageHost.h"
#include "screens/ScreenFile.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFocusEvent>
#include <QGraphicsOpacityEffect>
#include <QLabel>
#include <QLineEdit>
#include <QPauseAnimation>
#include <QPlainTextEdit>
#include <QPropertyAnimation>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSequentialAnimationGroup>
#include <QTextEdit>

#include <exception>
#include <stdexcept>

using ControlKinds::KindOf;
using ControlKinds::TagOf;

namespace {

class WaitCursor final {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

template <typename F> class Finally final {
public:
    explicit Finally(F f) : m_f(std::move(f)) {}
    ~Finally() { m_f(); }
    Finally(const Finally &) = delete;
    Finally &operator=(const Finally &) = delete;

private:
    F m_f;
};

QString ToQ(const std::string &text)
{
    return QString::fromStdString(text);
}
std::string ToStd(const QString &text)
{
    return text.toStdString();
}

QList<QWidget *> DirectChildren(QWidget *container)
{
    return container->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
}

// Memos, combo boxes and spin boxes are built of inner widgets that are not
// controls of the page.
bool HoldsPageControls(QWidget *widget)
{
    const ControlKinds::Kind kind = KindOf(widget);
    if (kind == ControlKinds::Memo || kind == ControlKinds::ComboBox || qobject_cast<QAbstractSpinBox *>(widget))
        return false;
    return !DirectChildren(widget).isEmpty();
}

QString MemoText(QWidget *memo)
{
    if (auto *plain = qobject_cast<QPlainTextEdit *>(memo))
        return plain->toPlainText();
    return qobject_cast<QTextEdit *>(memo)->toPlainText();
}

void SetMemoText(QWidget *memo, const QString &text)
{
    if (MemoText(memo) == text)
        return;
    if (auto *plain = qobject_cast<QPlainTextEdit *>(memo))
        plain->setPlainText(text);
    else
        qobject_cast<QTextEdit *>(memo)->setPlainText(text);
}

void SetMemoReadOnly(QWidget *memo, bool readOnly)
{
    if (auto *plain = qobject_cast<QPlainTextEdit *>(memo))
        plain->setReadOnly(readOnly);
    else
        qobject_cast<QTextEdit *>(memo)->setReadOnly(readOnly);
}

void SetTextColour(QWidget *widget, QRgb argb)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, QColor::fromRgba(argb));
    palette.setColor(QPalette::WindowText, QColor::fromRgba(argb));
    widget->setPalette(palette);
}

void SetEditText(QLineEdit *edit, const QString &text)
{
    if (edit->text() != text)
        edit->setText(text);
}

// An exclusive radio button refuses to be cleared, which would keep a stale
// choice on the screen and write it back.
void SetRadioChosen(QRadioButton *radio, bool chosen)
{
    const bool exclusive = radio->autoExclusive();
    radio->setAutoExclusive(false);
    radio->setChecked(chosen);
    radio->setAutoExclusive(exclusive);
}

bool IsExitReason(Qt::FocusReason reason)
{
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && reason != Qt::MenuBarFocusReason;
}

} // namespace

PageScreen::PageScreen(MainState &state, const kelvox::TextMeasurer &measurer, QScrollArea *scrollBox, QWidget *panel,
                       PageHost &host)
    : QObject(panel), m_state(state), m_measurer(measurer), m_scrollBox(scrollBox), m_panel(panel), m_host(host),
      m_opacity(new QGraphicsOpacityEffect(panel)), m_fadeIn(new QSequentialAnimationGroup(this))
{
    m_opacity->setOpacity(1.0);
    m_opacity->setEnabled(false);
    panel->setGraphicsEffect(m_opacity);

    m_fadeIn->addPause(250);
    auto *fade = new QPropertyAnimation(m_opacity, "opacity", m_fadeIn);
    fade->setStartValue(0.0);
    fade->setEndValue(1.0);
    fade->setDuration(1750);
    m_fadeIn->addAnimation(fade);
    // Fully shown, the panel paints without the effect's extra pass.
    connect(m_fadeIn, &QAbstractAnimation::finished, this, [this] { m_opacity->setEnabled(false); });
}

PageScreen::~PageScreen() = default;

void PageScreen::ShowPage(int tag)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_fadeIn->stop();
    m_opacity->setEnabled(true);
    m_opacity->setOpacity(0.0);

    m_state.CurrentPageType = kelvox::TagPageType(tag);
    m_state.CurrentCopy = kelvox::TagCopy(tag);
    std::exception_ptr failure;
    {
        const CaseChangedFlag::Refill refill(m_state.CaseChanged);
        try {
            m_host.ShowToolbar();
            ClearPage();
            scrollToTop();
            ScreenFile::LoadInto(QDir(m_state.ScreenFolder)
                                     .filePath(ScreenFile::FileNameFor(m_state.CurrentPageType, m_state.CurrentCopy)),
                                 m_panel);
            DisplayControls(m_panel);
            RecalcAndRefresh(false);
            focusFirstField();
            m_host.SelectTreeItem(m_state.CurrentPageType);
        } catch (...) {
            failure = std::current_exception();
        }

        m_host.UpdateCaption();
        m_host.ClearTreeSelection();
        m_host.SelectTreeItem(m_state.CurrentPageType);
    }
    scrollToTop();
    m_fadeIn->start();
    QApplication::restoreOverrideCursor();

    if (failure)
        std::rethrow_exception(failure);
}

void PageScreen::ClearPage()
{
    m_clearing = true;
    Finally done([this] { m_clearing = false; });
    try {
        QWidget *focused = QApplication::focusWidget();
        if (focused && m_panel->isAncestorOf(focused))
            m_panel->window()->setFocus(Qt::OtherFocusReason);
        const QList<QWidget *> children = DirectChildren(m_panel);
        for (QWidget *child : children) {
            child->blockSignals(true);
            for (QWidget *inner : child->findChildren<QWidget *>())
                inner->blockSignals(true);
            delete child;
        }
        m_panel->setMinimumSize(0, 0);
        m_panel->resize(0, 0);
        m_panel->setFont(QFont());
        m_panel->setPalette(QPalette());
        m_panel->setStyleSheet(QString());
    } catch (const std::exception &) {
        kelvox::ErrorMessage(14010);
    }
}

void PageScreen::DisplayControls(QWidget *container)
{
    prepareControls(container);
}

void PageScreen::prepareControls(QWidget *container)
{
    try {
        for (QWidget *child : DirectChildren(container)) {
            if (HoldsPageControls(child))
                prepareControls(child);
            prepareControl(child);
        }
    } catch (const std::exception &) {
        kelvox::ErrorMessage(14030, "Display Controls");
    }
}

void PageScreen::prepareControl(QWidget *control)
{
    using namespace ControlKinds;
    const QString style = StyleNameOf(control);
    if (!style.isEmpty())
        SetStyleName(control, style);

    switch (KindOf(control)) {
    case Button: {
        auto *button = qobject_cast<QAbstractButton *>(control);
        QWidget *parent = button->parentWidget();
        const bool help = NameContainsHelp(button) || (KindOf(parent) == Edit && NameContainsHelp(parent));
        if (help)
            connect(button, &QAbstractButton::clicked, this, [this, button] { CalloutDispatch(button); });
        else
            connect(button, &QAbstractButton::clicked, this, [this] { DialogDispatch(); });
        button->installEventFilter(this);
        break;
    }
    case CheckBox: {
        auto *box = qobject_cast<QCheckBox *>(control);
        box->setFocusPolicy(Qt::StrongFocus);
        connect(box, &QCheckBox::toggled, this, [this] { ControlChange(); });
        box->installEventFilter(this);
        break;
    }
    case Edit: {
        auto *edit = qobject_cast<QLineEdit *>(control);
        connect(edit, &QLineEdit::textChanged, this, [this] { ControlChange(); });
        edit->installEventFilter(this);
        edit->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(edit, &QWidget::customContextMenuRequested, this,
                [this, edit](const QPoint &at) { m_host.PopupPageMenu(edit->mapToGlobal(at)); });
        if (HasStyle(edit, EditReadOnly))
            edit->setFocusPolicy(Qt::ClickFocus);
        if (HasStyle(edit, EditOverrideable))
            edit->setReadOnly(true);
        break;
    }
    case Memo: {
        if (auto *plain = qobject_cast<QPlainTextEdit *>(control)) {
            plain->setLineWrapMode(QPlainTextEdit::WidgetWidth);
            plain->setTabChangesFocus(true);
            connect(plain, &QPlainTextEdit::textChanged, this, [this] { ControlChange(); });
        } else {
            auto *rich = qobject_cast<QTextEdit *>(control);
            rich->setLineWrapMode(QTextEdit::WidgetWidth);
            rich->setTabChangesFocus(true);
            connect(rich, &QTextEdit::textChanged, this, [this] { ControlChange(); });
        }
        QFont font(QStringLiteral("Segoe UI"));
        font.setPixelSize(18);
        control->setFont(font);
        control->installEventFilter(this);
        if (HasStyle(control, MemoOverrideable))
            SetMemoReadOnly(control, true);
        if (HasStyle(control, MemoOverridden))
            SetMemoReadOnly(control, false);
        break;
    }
    case ComboBox: {
        auto *combo = qobject_cast<QComboBox *>(control);
        connect(combo, &QComboBox::currentIndexChanged, this, [this] { ControlChange(); });
        combo->installEventFilter(this);
        break;
    }
    default:
        // Labels keep the size the screen gives them; radio buttons reach the
        // store with the next transfer.
        break;
    }
}

int PageScreen::AnswerIndexOf(const QWidget *control)
{
    const int tag = TagOf(control);
    switch (KindOf(control)) {
    case ControlKinds::Edit: return EditKinds::AnswerIndexOf(tag);
    case ControlKinds::CheckBox: return tag >= 1000 ? tag - 1000 : tag;
    default: return tag;
    }
}

void PageScreen::ShowOverride(QWidget *control, bool overridden)
{
    using namespace ControlKinds;
    if (auto *edit = qobject_cast<QLineEdit *>(control)) {
        SetStyleName(edit, QLatin1String(overridden ? EditOverridden : EditOverrideable));
        edit->setReadOnly(!overridden);
        SetTextColour(edit, overridden ? 0xFFFF0000 : 0xFF000000);
    } else if (KindOf(control) == CheckBox) {
        SetStyleName(control, QLatin1String(overridden ? CheckBoxOverridden : CheckBoxOverrideable));
    }
}

void PageScreen::Answer2Components(QWidget *container)
{
    if (!m_state.Answers || m_state.CurrentPageType == -1)
        return;
    const CaseChangedFlag::Refill refill(m_state.CaseChanged);
    fillControls(container);
}

void PageScreen::fillControls(QWidget *container)
{
    using namespace ControlKinds;
    const kelvox::TAnswer &store = *m_state.Answers;
    const int type = m_state.CurrentPageType;
    const int copy = m_state.CurrentCopy;
    try {
        for (QWidget *child : DirectChildren(container)) {
            const int tag = TagOf(child);
            switch (KindOf(child)) {
            case Label:
                if (tag != 0)
                    qobject_cast<QLabel *>(child)->setText(ToQ(store.Get(type, copy, tag)));
                break;
            case RadioButton:
                if (tag != 0)
                    SetRadioChosen(qobject_cast<QRadioButton *>(child), store.Get(type, copy, tag) == "X");
                break;
            case Memo: SetMemoText(child, ToQ(kelvox::DecodeLineBreaks(store.Get(type, copy, tag)))); break;
            case ComboBox:
                qobject_cast<QComboBox *>(child)->setCurrentIndex(kelvox::Str2Int(store.Get(type, copy, tag)));
                break;
            case Edit: {
                auto *edit = qobject_cast<QLineEdit *>(child);
                const int index = EditKinds::AnswerIndexOf(tag);
                std::string text;
                if (EditKinds::AnswerToText(EditKinds::KindOf(tag), type, store.Get(type, copy, index), text))
                    SetEditText(edit, ToQ(text));
                if (HasStyle(edit, EditOverrideable) || HasStyle(edit, EditOverridden))
                    ShowOverride(edit, store.OvRide(type, copy, index));
                break;
            }
            case CheckBox: {
                auto *box = qobject_cast<QCheckBox *>(child);
                const int index = AnswerIndexOf(box);
                box->setChecked(store.Get(type, copy, index) == "X");
                if (tag >= 1000)
                    box->setText(box->isChecked() ? QStringLiteral("EST") : QString());
                if (HasStyle(box, CheckBoxOverrideable) || HasStyle(box, CheckBoxOverridden))
                    ShowOverride(box, store.OvRide(type, copy, index));
                break;
            }
            default: break;
            }
            if (HoldsPageControls(child))
                fillControls(child);
        }
    } catch (const std::exception &) {
        kelvox::ErrorMessage(14010, "Answer2Components");
    }
}

void PageScreen::Components2Answers(QWidget *container)
{
    if (!m_state.Answers || m_state.CurrentPageType == -1)
        return;
    readControls(container);
}

void PageScreen::readControls(QWidget *container)
{
    using namespace ControlKinds;
    kelvox::TAnswer &store = *m_state.Answers;
    const int type = m_state.CurrentPageType;
    const int copy = m_state.CurrentCopy;
    try {
        for (QWidget *child : DirectChildren(container)) {
            const int tag = TagOf(child);
            switch (KindOf(child)) {
            case Edit: {
                std::string answer;
                if (EditKinds::TextToAnswer(EditKinds::KindOf(tag), ToStd(qobject_cast<QLineEdit *>(child)->text()),
                                            answer))
                    store.Set(type, copy, EditKinds::AnswerIndexOf(tag), answer);
                break;
            }
            case Memo: store.Set(type, copy, tag, kelvox::EncodeLineBreaks(ToStd(MemoText(child)))); break;
            case ComboBox:
                store.Set(type, copy, tag, std::to_string(qobject_cast<QComboBox *>(child)->currentIndex()));
                break;
            case CheckBox:
                store.Set(type, copy, AnswerIndexOf(child), qobject_cast<QCheckBox *>(child)->isChecked() ? "X" : "");
                break;
            case RadioButton:
                if (tag != 0)
                    store.Set(type, copy, tag, qobject_cast<QRadioButton *>(child)->isChecked() ? "X" : "");
                break;
            default: break;
            }
            if (HoldsPageControls(child))
                readControls(child);
        }
    } catch (const std::exception &) {
        kelvox::ErrorMessage(14020, "Components2Answers");
    }
}

void PageScreen::Calculate()
{
    if (m_state.Answers)
        m_state.Answers->Calculate(m_state.WSchedList, m_measurer);
}

void PageScreen::RecalcAndRefresh(bool withTransfer)
{
    if (withTransfer)
        Components2Answers(m_panel);
    {
        WaitCursor wait;
        Calculate();
    }
    Answer2Components(m_panel);
}

void PageScreen::CompleteCalc()
{
    RecalcAndRefresh(true);
    m_host.UpdateMenuItems();
}

void PageScreen::CalcOnExit(QWidget *sender)
{
    if (m_state.InCalcOnExit)
        return;
    m_state.InCalcOnExit = true;
    ++m_exitPasses;
    Finally clear([this] { m_state.InCalcOnExit = false; });

    if (auto *edit = qobject_cast<QLineEdit *>(sender)) {
        std::string reformatted;
        if (EditKinds::ReformatOnExit(EditKinds::KindOf(TagOf(edit)), ToStd(edit->text()), reformatted))
            SetEditText(edit, ToQ(reformatted));
    }
    if (m_state.Answers) {
        Components2Answers(m_panel);
        Calculate();
        Answer2Components(m_panel);
    }
}

void PageScreen::ControlChange()
{
    m_state.CaseChanged = true;
}

void PageScreen::CalloutDispatch(QWidget *sender)
{
    if (KindOf(sender) != ControlKinds::Button)
        return;
    QList<QWidget *> callouts;
    for (const QVariant &held : sender->property("callouts").toList()) {
        if (auto *callout = qobject_cast<QWidget *>(held.value<QObject *>()))
            callouts.append(callout);
    }
    for (QWidget *child : DirectChildren(sender)) {
        if (KindOf(child) == ControlKinds::Callout)
            callouts.append(child);
    }
    for (QWidget *callout : callouts) {
        callout->setVisible(!callout->isVisible());
        if (callout->isVisible())
            callout->raise();
    }
}

void PageScreen::DialogDispatch()
{
    Answer2Components(m_panel);
    RecalcAndRefresh(false);
    Answer2Components(m_panel);
}

void PageScreen::Inserttoday(QWidget *focused)
{
    if (auto *edit = qobject_cast<QLineEdit *>(focused))
        edit->setText(ToQ(kelvox::ShortDateText(kelvox::Today())));
}

bool PageScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (m_clearing)
        return false;
    auto *control = qobject_cast<QWidget *>(watched);
    if (!control)
        return false;
    switch (event->type()) {
    case QEvent::FocusOut:
        if (KindOf(control) != ControlKinds::Button && IsExitReason(static_cast<QFocusEvent *>(event)->reason()))
            CalcOnExit(control);
        break;
    case QEvent::FocusIn: m_host.ControlEntered(control); break;
    case QEvent::MouseButtonDblClick:
        if (KindOf(control) == ControlKinds::Edit && ControlKinds::HasStyle(control, ControlKinds::EditOverrideable))
            m_host.OverrideRequested(control);
        break;
    default: break;
    }
    return false;
}

void PageScreen::focusFirstField()
{
    QWidget *candidate = m_panel->nextInFocusChain();
    for (int guard = 0; candidate && candidate != m_panel && guard < 10000; ++guard) {
        if (m_panel->isAncestorOf(candidate) && candidate->isEnabled() && candidate->isVisibleTo(m_panel) &&
            (candidate->focusPolicy() & Qt::TabFocus)) {
            bool editable = false;
            switch (KindOf(candidate)) {
            case ControlKinds::Edit: editable = !qobject_cast<QLineEdit *>(candidate)->isReadOnly(); break;
            case ControlKinds::Memo:
                editable = !(qobject_cast<QPlainTextEdit *>(candidate)
                                 ? qobject_cast<QPlainTextEdit *>(candidate)->isReadOnly()
                                 : qobject_cast<QTextEdit *>(candidate)->isReadOnly());
                break;
            case ControlKinds::CheckBox:
            case ControlKinds::ComboBox: editable = true; break;
            default: break;
            }
            if (editable) {
                candidate->setFocus(Qt::OtherFocusReason);
                return;
            }
        }
        candidate = candidate->nextInFocusChain();
    }
}

void PageScreen::scrollToTop()
{
    m_scrollBox->verticalScrollBar()->setValue(0);
    m_scrollBox->horizontalScrollBar()->setValue(0);
}
