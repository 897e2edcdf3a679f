#include "support/TScriptedFileChooser.h"

namespace ndlemo {

bool TScriptedFileChooser::Choose(const std::filesystem::path& startDir, const std::string& filter,
                                  std::filesystem::path& file) {
    Opened.push_back({startDir, filter});
    if (Answers.empty())
        return false;
    std::optional<std::filesystem::path> answer = std::move(Answers.front());
    Answers.pop_front();
    if (!answer)
        return false;
    file = *answer;
    return true;
}

} // namespace ndlemo
