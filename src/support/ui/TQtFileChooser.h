#pragma once

#include "support/TFileChooser.h"

class QWidget;

namespace ndlemo {

// The program's file chooser: the dialog TfrmPrijemOpenDlg, modal over the given parent. The program
// installs one for its run (TFileChooser::Install).
class TQtFileChooser : public TFileChooser {
public:
    explicit TQtFileChooser(QWidget* parent = nullptr) : m_Parent(parent) {}
    bool Choose(const std::filesystem::path& startDir, const std::string& filter, std::filesystem::path& file) override;

private:
    QWidget* m_Parent;
};

} // namespace ndlemo
