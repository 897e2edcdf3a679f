#pragma once

#include "support/TSettingRow.h"
#include "support/ui/DialogParts.h"
#include "support/ui/TDaxCheckBox.h"
#include "support/ui/TDaxComboBox.h"
#include "support/ui/TDaxEdit.h"

#include <QGridLayout>
#include <string_view>
#include <vector>

namespace ndlemo {

// The controls of a dialog's settings, one per row, made from the rows' fields: they fill themselves from
// the settings and give back what the user entered.
template <typename S, typename R> class TSettingControls {
public:
    // Makes the row's control on the next row of the grid (with its label) and returns it.
    QWidget* Add(const TSettingRow<S, R>& row, QGridLayout& grid, QWidget* parent) {
        QWidget* control = nullptr;
        switch (row.Kind) {
        case TSettingKind::YesNo:
        case TSettingKind::OneZero:
            control = NewSettingCheckBox(row.Field, parent);
            break;
        case TSettingKind::Code:
            control = NewSettingCodeList(row.Field, TTransferType::Codes, parent);
            break;
        case TSettingKind::Text:
        case TSettingKind::Integer:
            control = NewSettingEdit(row.Field, parent);
            break;
        }
        AddFieldRow(grid, control, row.Field);
        m_Bound.push_back({&row, control});
        return control;
    }

    // Every control shows its setting (a list selects the code, nothing for a text that is none).
    void Fill(const S& settings) const {
        for (const auto& [row, control] : m_Bound) {
            const std::string text = ValueText(*row, settings);
            if (auto* box = qobject_cast<TDaxCheckBox*>(control))
                box->SetChecked(text == "A" || text == "1");
            else if (auto* list = qobject_cast<TDaxComboBox*>(control))
                list->setCurrentIndex(list->findText(QString::fromStdString(text), Qt::MatchExactly));
            else
                static_cast<TDaxEdit*>(control)->SetText(text);
        }
    }

    // What the controls hold, trimmed, into the settings.
    void Read(S& settings) const {
        for (const auto& [row, control] : m_Bound) {
            if (auto* box = qobject_cast<TDaxCheckBox*>(control))
                SetFromText(*row, settings, box->Checked() ? (row->Kind == TSettingKind::YesNo ? "A" : "1") : "");
            else if (auto* list = qobject_cast<TDaxComboBox*>(control))
                SetFromText(*row, settings, list->Text());
            else
                SetFromText(*row, settings, static_cast<TDaxEdit*>(control)->Text());
        }
    }

private:
    struct TBound {
        const TSettingRow<S, R>* Row;
        QWidget* Control;
    };
    std::vector<TBound> m_Bound;
};

} // namespace ndlemo
