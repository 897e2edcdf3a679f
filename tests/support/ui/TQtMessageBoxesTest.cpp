#include "support/ui/TQtMessageBoxes.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace ndlemo;

namespace {

QStringList ButtonTexts(const QMessageBox& box) {
    QStringList texts;
    for (QAbstractButton* b : box.buttons())
        texts << b->text();
    texts.sort();
    return texts;
}

TEST(TQtMessageBoxes, BoxesCarryTheApplicationTitleIconAndButtons) {
    TQtMessageBoxes boxes;
    struct Row {
        QMessageBox::Icon Icon;
        QStringList Buttons;
    } rows[] = {
        {QMessageBox::Critical, {QStringLiteral("OK")}},
        {QMessageBox::Information, {QStringLiteral("OK")}},
        {QMessageBox::Warning, {QStringLiteral("OK")}},
        {QMessageBox::Question, {QStringLiteral("Ano"), QStringLiteral("Ne")}},
    };
    for (const auto& row : rows) {
        auto box = boxes.BuildBox(row.Icon, "Soubor \"KDAVKA.111\" neexistuje.");
        EXPECT_EQ(box->windowTitle().toStdString(), "ND LEMO");
        EXPECT_EQ(box->text().toStdString(), "Soubor \"KDAVKA.111\" neexistuje.");
        EXPECT_EQ(box->icon(), row.Icon);
        EXPECT_EQ(ButtonTexts(*box), row.Buttons);
    }
    boxes.SetTitle("Jiný titulek");
    EXPECT_EQ(boxes.BuildBox(QMessageBox::Warning, "x")->windowTitle().toStdString(), "Jiný titulek");
}

// Answers the next modal message box from inside its own event loop.
void AnswerNextBox(const QString& buttonText, QString* seenTitle) {
    QTimer::singleShot(0, [buttonText, seenTitle] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (!box || !box->isVisible())
                continue;
            *seenTitle = box->windowTitle();
            for (QAbstractButton* b : box->buttons())
                if (b->text() == buttonText) {
                    b->click();
                    return;
                }
            box->reject();
        }
    });
}

TEST(TQtMessageBoxes, YesNoTellsWhichButtonWasChosen) {
    TQtMessageBoxes boxes;
    QString title;
    AnswerNextBox(QStringLiteral("Ano"), &title);
    EXPECT_TRUE(boxes.YesNo("Odeslat?"));
    EXPECT_EQ(title.toStdString(), "ND LEMO");
    AnswerNextBox(QStringLiteral("Ne"), &title);
    EXPECT_FALSE(boxes.YesNo("Odeslat?"));
    // Closing the box without a choice is No.
    AnswerNextBox(QStringLiteral("(none)"), &title);
    EXPECT_FALSE(boxes.YesNo("Odeslat?"));
    AnswerNextBox(QStringLiteral("OK"), &title);
    boxes.Error("Chyba");
}

} // namespace
