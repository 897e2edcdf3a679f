#pragma once

#include <filesystem>
#include <string>

namespace ndlemo {

// The dialog in which the user chooses a file to attach. The program installs the Qt dialog; tests
// install a scripted chooser. Without any, nothing is ever chosen.
class TFileChooser {
public:
    virtual ~TFileChooser() = default;
    // Shows the chooser opened in startDir with the filter (patterns separated by ";"). True with the full
    // path of an existing file; false when the user cancels.
    virtual bool Choose(const std::filesystem::path& startDir, const std::string& filter,
                        std::filesystem::path& file) = 0;

    // The chooser in force; nullptr when none is installed. Install(nullptr) removes it.
    static TFileChooser* Current();
    static void Install(TFileChooser* chooser);
};

// The file-selection dialog of the program: opened in initialDir when that is not empty and exists (else
// in the current directory), with the mask trimmed as its filter. The process's current directory is the
// same afterwards. True with the chosen file; false when the user cancels or no chooser is installed.
bool SelectFile(const std::string& initialDir, const std::string& mask, std::filesystem::path& file);

} // namespace ndlemo
