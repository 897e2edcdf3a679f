#include "support/ui/DialogParts.h"

#include "support/ui/ControlState.h"
#include "support/ui/TDaxCheckBox.h"
#include "support/ui/TDaxComboBox.h"
#include "support/ui/TDaxEdit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>

namespace ndlemo {

QLabel* NewBuddyLabel(const char* name, const char* caption, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(name);
    label->setBuddy(buddy);
    return label;
}

QLabel* NewHeading(const char* name, const char* caption, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(name);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

QPushButton* NewPushButton(const char* name, const char* caption, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(name);
    // Enter in a field presses the dialog's default button, not the button last focused.
    button->setAutoDefault(false);
    return button;
}

namespace {
class TStarPasswordStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};
} // namespace

QLineEdit* NewPasswordEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setEchoMode(QLineEdit::Password);
    auto* style = new TStarPasswordStyle;
    style->setParent(edit);
    edit->setStyle(style);
    return edit;
}

void NewOkCancelButtons(QWidget* parent, QPushButton*& ok, QPushButton*& cancel) {
    ok = NewPushButton("bbtnOK", "OK", parent);
    ok->setDefault(true);
    cancel = NewPushButton("bbtnCancel", "Zpět", parent);
    MarkCancelButton(cancel);
}

QHBoxLayout* NewButtonRow(std::initializer_list<QPushButton*> left, std::initializer_list<QPushButton*> right) {
    auto* row = new QHBoxLayout;
    for (QPushButton* button : left)
        row->addWidget(button);
    row->addStretch();
    for (QPushButton* button : right)
        row->addWidget(button);
    return row;
}

TDaxEdit* NewSettingEdit(const TSettingField& field, QWidget* parent) {
    auto* edit = new TDaxEdit(QString::fromUtf8(field.Component), parent);
    edit->SetDisplayName(field.DisplayName);
    edit->SetMaxLength(field.MaxLength);
    if (field.Filter == TInputFilter::Digits)
        edit->SetAllowedChars(QStringLiteral("0123456789"));
    edit->SetUpperCase(field.Filter == TInputFilter::UpperCase);
    return edit;
}

TDaxComboBox* NewSettingCodeList(const TSettingField& field, std::span<const std::string_view> codes, QWidget* parent) {
    auto* list = new TDaxComboBox(QString::fromUtf8(field.Component), parent);
    list->SetDisplayName(field.DisplayName);
    for (std::string_view code : codes)
        list->addItem(QString::fromUtf8(code.data(), static_cast<qsizetype>(code.size())));
    return list;
}

TDaxCheckBox* NewSettingCheckBox(const TSettingField& field, QWidget* parent) {
    auto* box = new TDaxCheckBox(QString::fromUtf8(field.Component), QString::fromUtf8(field.Caption), parent);
    box->SetDisplayName(field.DisplayName);
    return box;
}

void AddFieldRow(QGridLayout& grid, QWidget* control, const TSettingField& field) {
    const int row = grid.rowCount();
    if (qobject_cast<QCheckBox*>(control)) {
        grid.addWidget(control, row, 1);
        return;
    }
    std::string_view name = field.Component;
    while (!name.empty() && name.front() >= 'a' && name.front() <= 'z')
        name.remove_prefix(1);
    const std::string labelName = "lbl" + std::string(name);
    grid.addWidget(NewBuddyLabel(labelName.c_str(), field.Caption, control, control->parentWidget()), row, 0);
    grid.addWidget(control, row, 1);
}

} // namespace ndlemo
