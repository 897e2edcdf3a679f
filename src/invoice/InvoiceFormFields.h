#pragma once

#include "invoice/TInvoiceForm.h"
#include "support/TSettingField.h"

#include <span>
#include <string>
#include <string_view>

namespace ndlemo {

// A text field of the invoice tab: the key that names it in an invoice header file (the key of the description
// file), the member of the form that holds it, and how the tab shows it (component, label, display name,
// length, typing filter, state).
struct TInvoiceTextField {
    const char* Key;
    std::string TInvoiceForm::*Member;
    TSettingField Field;
};

// The text fields in tab order; the dates, the amount and "Generovat fakturu" are fields of their own kinds.
[[nodiscard]] std::span<const TInvoiceTextField> InvoiceTextFields();
// The field of a component ("cedtICZ"); raises std::out_of_range for another name.
[[nodiscard]] const TSettingField& InvoiceTextField(std::string_view component);

} // namespace ndlemo
