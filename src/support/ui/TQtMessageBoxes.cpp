#include "support/ui/TQtMessageBoxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>

namespace ndlemo {

std::unique_ptr<QMessageBox> TQtMessageBoxes::BuildBox(QMessageBox::Icon icon, const std::string& text) const {
    auto box = std::make_unique<QMessageBox>(icon, QString::fromStdString(m_Title), QString::fromStdString(text),
                                             QMessageBox::NoButton, QApplication::activeWindow());
    if (icon == QMessageBox::Question) {
        QPushButton* yes = box->addButton(QStringLiteral("Ano"), QMessageBox::YesRole);
        QPushButton* no = box->addButton(QStringLiteral("Ne"), QMessageBox::NoRole);
        yes->setObjectName(QStringLiteral("btnYes"));
        no->setObjectName(QStringLiteral("btnNo"));
        box->setDefaultButton(yes);
        box->setEscapeButton(no);
    } else {
        QPushButton* ok = box->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        ok->setObjectName(QStringLiteral("btnOk"));
        box->setDefaultButton(ok);
        box->setEscapeButton(ok);
    }
    return box;
}

void TQtMessageBoxes::Error(const std::string& text) {
    BuildBox(QMessageBox::Critical, text)->exec();
}

void TQtMessageBoxes::Info(const std::string& text) {
    BuildBox(QMessageBox::Information, text)->exec();
}

void TQtMessageBoxes::Warning(const std::string& text) {
    BuildBox(QMessageBox::Warning, text)->exec();
}

void TQtMessageBoxes::Plain(const std::string& text) {
    BuildBox(QMessageBox::NoIcon, text)->exec();
}

bool TQtMessageBoxes::YesNo(const std::string& text) {
    auto box = BuildBox(QMessageBox::Question, text);
    box->exec();
    QAbstractButton* clicked = box->clickedButton();
    return clicked && box->buttonRole(clicked) == QMessageBox::YesRole;
}

} // namespace ndlemo
