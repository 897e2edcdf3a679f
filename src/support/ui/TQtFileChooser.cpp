#include "support/ui/TQtFileChooser.h"

#include "support/ui/TfrmPrijemOpenDlg.h"

#include <system_error>

namespace ndlemo {

bool TQtFileChooser::Choose(const std::filesystem::path& startDir, const std::string& filter,
                            std::filesystem::path& file) {
    TfrmPrijemOpenDlg dialog(startDir, filter, m_Parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const std::filesystem::path chosen = dialog.ChosenFile();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(chosen, ec))
        return false;
    file = chosen;
    return true;
}

} // namespace ndlemo
