#include "support/TMessageBoxes.h"

#include "support/EAbort.h"

#include <iostream>

namespace ndlemo {

namespace {
class TConsoleMessageBoxes : public TMessageBoxes {
public:
    void Error(const std::string& text) override { std::cerr << "Chyba: " << text << '\n'; }
    void Info(const std::string& text) override { std::cerr << text << '\n'; }
    void Warning(const std::string& text) override { std::cerr << "Upozornění: " << text << '\n'; }
    void Plain(const std::string& text) override { std::cerr << text << '\n'; }
    bool YesNo(const std::string& text) override {
        std::cerr << text << " (Ne)\n";
        return false;
    }
};

TMessageBoxes*& Installed() {
    static TMessageBoxes* installed = nullptr;
    return installed;
}
} // namespace

TMessageBoxes& TMessageBoxes::Current() {
    static TConsoleMessageBoxes console;
    return Installed() ? *Installed() : console;
}

void TMessageBoxes::Install(TMessageBoxes* boxes) {
    Installed() = boxes;
}

std::string ErrorBoxText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + ".";
    return message;
}

void ShowError(const std::exception& error) {
    if (dynamic_cast<const EAbort*>(&error))
        return;
    ShowErrorMessage(ErrorBoxText(error.what()));
}

} // namespace ndlemo
