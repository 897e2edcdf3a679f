#include "support/TMessageBoxes.h"

#include <iostream>

namespace ndlemo {

namespace {
class TConsoleMessageBoxes : public TMessageBoxes {
public:
    void Error(const std::string& text) override { std::cerr << "Chyba: " << text << '\n'; }
    void Info(const std::string& text) override { std::cerr << text << '\n'; }
    void Warning(const std::string& text) override { std::cerr << "Upozornění: " << text << '\n'; }
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

} // namespace ndlemo
