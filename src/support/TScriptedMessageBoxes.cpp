#include "support/TScriptedMessageBoxes.h"

namespace ndlemo {

bool TScriptedMessageBoxes::YesNo(const std::string& text) {
    Shown.push_back({'Q', text});
    if (Answers.empty())
        return false;
    bool answer = Answers.front();
    Answers.pop_front();
    return answer;
}

} // namespace ndlemo
