#pragma once

#include <exception>
#include <string>

namespace ndlemo {

// The four message boxes of the program. The window installs the Qt implementation; tests install
// scripted answers. Without any, messages go to standard error and questions are answered No.
class TMessageBoxes {
public:
    virtual ~TMessageBoxes() = default;
    virtual void Error(const std::string& text) = 0;
    virtual void Info(const std::string& text) = 0;
    virtual void Warning(const std::string& text) = 0;
    virtual bool YesNo(const std::string& text) = 0;
    // A message without an icon.
    virtual void Plain(const std::string& text) = 0;

    // The implementation in force; Install(nullptr) returns to the default.
    static TMessageBoxes& Current();
    static void Install(TMessageBoxes* boxes);
};

inline void ShowErrorMessage(const std::string& text) {
    TMessageBoxes::Current().Error(text);
}
inline void ShowInfoMessage(const std::string& text) {
    TMessageBoxes::Current().Info(text);
}
inline void ShowWarningMessage(const std::string& text) {
    TMessageBoxes::Current().Warning(text);
}
inline void ShowPlainMessage(const std::string& text) {
    TMessageBoxes::Current().Plain(text);
}
// True when the user chose Yes.
inline bool AskYesNo(const std::string& text) {
    return TMessageBoxes::Current().YesNo(text);
}

// The text of an error box: a period is added when the code of the last character is above the period's.
[[nodiscard]] std::string ErrorBoxText(const std::string& message);
// Shows a caught failure as every failure is shown: an error box by the period rule; a silent abort
// (EAbort) shows nothing.
void ShowError(const std::exception& error);

} // namespace ndlemo
