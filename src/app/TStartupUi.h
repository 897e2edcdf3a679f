#pragma once

#include "app/PasswordRule.h"

#include <string>

namespace ndlemo {

class TRequestList;

// What the start-up sequence asks of the window; tests drive the sequence with a scripted one.
class TStartupUi {
public:
    virtual ~TStartupUi() = default;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void SetStatusPanel(int index, const std::string& text) = 0;
    virtual TLoginResult RunLogin() = 0;
    virtual void ShowRequestList(TRequestList& requests) = 0;
    // Required and editable states of the tab fields, and the required colour of the date fields.
    virtual void SetFieldStates() = 0;
    // The invoice tab active and highlighted, the focus in its IČZ.
    virtual void ActivateInvoiceTab() = 0;
    virtual void ResetInvoiceTab() = 0;
    virtual void ResetReportsTab() = 0;
};

} // namespace ndlemo
