#pragma once

#include "support/TFileChooser.h"

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ndlemo {

// A file chooser for tests: records where and with which filter it was opened and answers from a queue
// (a file, or nullopt for a cancel; cancel when the queue is empty). Installs itself for its lifetime.
class TScriptedFileChooser : public TFileChooser {
public:
    struct TOpened {
        std::filesystem::path StartDir;
        std::string Filter;
    };

    TScriptedFileChooser() { Install(this); }
    ~TScriptedFileChooser() override { Install(nullptr); }

    bool Choose(const std::filesystem::path& startDir, const std::string& filter, std::filesystem::path& file) override;

    std::vector<TOpened> Opened;
    std::deque<std::optional<std::filesystem::path>> Answers;
};

} // namespace ndlemo
