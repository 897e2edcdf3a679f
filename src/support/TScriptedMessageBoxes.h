#pragma once

#include "support/TMessageBoxes.h"

#include <deque>
#include <string>
#include <vector>

namespace ndlemo {

// Message boxes for tests: records every message and answers questions from a queue (No when it is empty).
// Installs itself for its lifetime.
class TScriptedMessageBoxes : public TMessageBoxes {
public:
    struct TShown {
        char Kind; // 'E' error, 'I' info, 'W' warning, 'Q' question, 'P' plain
        std::string Text;
    };

    TScriptedMessageBoxes() { Install(this); }
    ~TScriptedMessageBoxes() override { Install(nullptr); }

    void Error(const std::string& text) override { Shown.push_back({'E', text}); }
    void Info(const std::string& text) override { Shown.push_back({'I', text}); }
    void Warning(const std::string& text) override { Shown.push_back({'W', text}); }
    bool YesNo(const std::string& text) override;
    void Plain(const std::string& text) override { Shown.push_back({'P', text}); }

    std::vector<TShown> Shown;
    std::deque<bool> Answers;
};

} // namespace ndlemo
