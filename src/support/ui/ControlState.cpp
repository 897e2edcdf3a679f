#include "support/ui/ControlState.h"

#include "support/ESubroutineError.h"
#include "support/FormatText.h"
#include "support/TMessageBoxes.h"
#include "support/ui/TDaxControl.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextEdit>

#include <exception>

namespace ndlemo {

namespace {

const char* const CancelProperty = "ndlemoCancelButton";

bool IsEditKind(QWidget* w) {
    return qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w);
}

void SetEditReadOnly(QWidget* w, bool readOnly) {
    if (auto* e = qobject_cast<QLineEdit*>(w))
        e->setReadOnly(readOnly);
    else if (auto* p = qobject_cast<QPlainTextEdit*>(w))
        p->setReadOnly(readOnly);
    else if (auto* t = qobject_cast<QTextEdit*>(w))
        t->setReadOnly(readOnly);
}

// A group box of radio buttons plays the radio group; a list widget the check-list box.
bool IsChoiceGroupKind(QWidget* w) {
    if (qobject_cast<QListWidget*>(w))
        return true;
    auto* box = qobject_cast<QGroupBox*>(w);
    return box && !box->findChildren<QRadioButton*>().isEmpty();
}

QTabWidget* TabWidgetOfPage(QWidget* w) {
    auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget());
    if (!stack)
        return nullptr;
    auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget());
    return tabs && tabs->indexOf(w) >= 0 ? tabs : nullptr;
}

// Children in the order they were made. A stacked widget raises its current page to the end of its
// children, so its pages are taken in page order instead.
void CollectInOrder(QObject* parent, QList<QObject*>& out) {
    QList<QObject*> children = parent->children();
    if (auto* stack = qobject_cast<QStackedWidget*>(parent)) {
        QList<QObject*> pages;
        for (int i = 0; i < stack->count(); ++i)
            pages.append(stack->widget(i));
        QList<QObject*> ordered;
        for (QObject* child : children)
            if (!pages.contains(child))
                ordered.append(child);
        children = ordered + pages;
    }
    for (QObject* child : children) {
        out.append(child);
        CollectInOrder(child, out);
    }
}

bool CanTakeFocus(QWidget* w) {
    return w->isEnabled() && w->isVisibleTo(w->window());
}

} // namespace

QColor RequiredColor() {
    return QColor(0, 255, 255);
}

QColor EditableColor() {
    return QApplication::palette().color(QPalette::Active, QPalette::Base);
}

QColor InactiveColor() {
    return QApplication::palette().color(QPalette::Active, QPalette::Button);
}

void SetFieldColor(QWidget* control, const QColor& color) {
    if (!control)
        return;
    QPalette p = control->palette();
    // A drop-down list draws its face with the button colour.
    const bool combo = qobject_cast<QComboBox*>(control) != nullptr;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::Base, color);
        if (combo)
            p.setColor(group, QPalette::Button, color);
    }
    control->setPalette(p);
}

void SetControlState(QWidget* control, int compType) {
    if (compType < static_cast<int>(TCompType::ReadOnly) || compType > static_cast<int>(TCompType::Required))
        throw ESubroutineError("Parametr \"%s\" má chybný typ hodnoty (%d)", "ACompType", compType);
    if (!control)
        return;
    const auto state = static_cast<TCompType>(compType);
    const bool enabled = state == TCompType::ReadOnly || state >= TCompType::Editable;
    const bool readOnly = state <= TCompType::Hidden;
    const bool visible = state != TCompType::Hidden;
    const QColor color = state == TCompType::Required   ? RequiredColor()
                         : state == TCompType::Editable ? EditableColor()
                                                        : InactiveColor();

    if (IsEditKind(control)) {
        SetFieldColor(control, color);
        SetEditReadOnly(control, readOnly);
        control->setEnabled(enabled);
    } else if (qobject_cast<QComboBox*>(control) || qobject_cast<QDateTimeEdit*>(control)) {
        SetFieldColor(control, color);
        control->setEnabled(enabled && !readOnly);
    } else if (qobject_cast<QCheckBox*>(control) || IsChoiceGroupKind(control)) {
        control->setEnabled(enabled && !readOnly);
    } else {
        return;
    }
    control->setVisible(visible);
    if (auto* member = dynamic_cast<TDaxControl*>(control))
        member->SetRequired(state == TCompType::Required);
}

bool CheckRequired(QObject* component, std::string& message) {
    auto* member = dynamic_cast<TDaxControl*>(component);
    if (!member || !member->Required() || !member->IsEmptyForRequired())
        return true;
    message = FormatText("Pole \"%s\" musí být zadáno", member->DisplayName());
    if (auto* w = qobject_cast<QWidget*>(component))
        w->setFocus(Qt::OtherFocusReason);
    return false;
}

bool ValidateRequired(QWidget* form) {
    if (!form)
        return false;
    // Depth first, so that a tab page comes before the fields on it.
    QList<QObject*> components;
    CollectInOrder(form, components);
    for (QObject* component : components) {
        try {
            auto* widget = qobject_cast<QWidget*>(component);
            if (widget) {
                if (QTabWidget* tabs = TabWidgetOfPage(widget)) {
                    int index = tabs->indexOf(widget);
                    if (tabs->isTabVisible(index)) {
                        tabs->setCurrentIndex(index);
                        continue;
                    }
                }
            }
            auto* member = dynamic_cast<TDaxControl*>(component);
            if (!member || !member->Required() || !member->IsEmptyForRequired())
                continue;
            // A field that cannot take the focus cannot be corrected either; it passes.
            if (widget && !CanTakeFocus(widget))
                continue;
            std::string message;
            if (!CheckRequired(component, message)) {
                ShowWarningMessage(message);
                return false;
            }
        } catch (const std::exception&) {
            // The control counts as passed.
        }
    }
    return true;
}

void MarkCancelButton(QAbstractButton* button) {
    if (button)
        button->setProperty(CancelProperty, true);
}

bool IsCancelButton(const QWidget* widget) {
    auto* button = qobject_cast<const QAbstractButton*>(widget);
    if (!button)
        return false;
    if (button->property(CancelProperty).toBool())
        return true;
    auto* box = qobject_cast<QDialogButtonBox*>(button->parentWidget());
    return box && box->buttonRole(const_cast<QAbstractButton*>(button)) == QDialogButtonBox::RejectRole;
}

} // namespace ndlemo
