#pragma once

#include "invoice/TInvoiceForm.h"
#include "invoice/TReportsForm.h"
#include "support/TSettingField.h"

#include <span>
#include <string>
#include <string_view>

namespace ndlemo {

// A text field of a work tab: the key that names it in a header file (the key of the description file), the
// member of the tab's form that holds it, and how the tab shows it (component, label, display name, length,
// typing filter, state).
template <typename TForm> struct TFormTextField {
    const char* Key;
    std::string TForm::*Member;
    TSettingField Field;
};
using TInvoiceTextField = TFormTextField<TInvoiceForm>;
using TReportsTextField = TFormTextField<TReportsForm>;

// The text fields in tab order; the dates, the amount and "Generovat fakturu" are fields of their own kinds.
[[nodiscard]] std::span<const TInvoiceTextField> InvoiceTextFields();
// The field of a component ("cedtICZ"); raises std::out_of_range for another name.
[[nodiscard]] const TSettingField& InvoiceTextField(std::string_view component);

// The fields of the medical-reports tab, in tab order.
[[nodiscard]] std::span<const TReportsTextField> ReportsTextFields();
[[nodiscard]] const TSettingField& ReportsTextField(std::string_view component);

} // namespace ndlemo
