#pragma once

namespace ndlemo {

// What the user may type into the setting's field.
enum class TInputFilter { None, Digits, UpperCase };

// The field's state in the edit mode of its dialog.
enum class TEditState {
    Required,
    Editable,
    RequiredForUpload,  // required while the transfer type "UPLOAD" is chosen, else editable
    RequiredForInvoice, // required while "Generovat fakturu" is ticked, else editable
};

// How the setting appears in its dialog.
struct TSettingField {
    const char* Component = nullptr; // the control's object name; nullptr when no dialog shows the setting
    const char* Caption = "";        // the label's caption (the check box's own text)
    const char* DisplayName = "";    // the field's name in messages
    int MaxLength = 0;               // 0: no limit
    TInputFilter Filter = TInputFilter::None;
    TEditState EditState = TEditState::Required;
};

} // namespace ndlemo
