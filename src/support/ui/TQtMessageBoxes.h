#pragma once

#include "support/TMessageBoxes.h"

#include <QMessageBox>
#include <memory>
#include <string>

namespace ndlemo {

// The program's message boxes as modal Qt message boxes whose title is the application title.
// Install it with TMessageBoxes::Install once the QApplication exists.
class TQtMessageBoxes : public TMessageBoxes {
public:
    explicit TQtMessageBoxes(std::string title = "ND LEMO") : m_Title(std::move(title)) {}

    [[nodiscard]] const std::string& Title() const { return m_Title; }
    void SetTitle(std::string title) { m_Title = std::move(title); }

    void Error(const std::string& text) override;
    void Info(const std::string& text) override;
    void Warning(const std::string& text) override;
    bool YesNo(const std::string& text) override;
    void Plain(const std::string& text) override;

    // The box as it would be shown (parented to the active window), for showing and for tests.
    [[nodiscard]] std::unique_ptr<QMessageBox> BuildBox(QMessageBox::Icon icon, const std::string& text) const;

private:
    std::string m_Title;
};

} // namespace ndlemo
