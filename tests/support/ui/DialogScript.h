#pragma once

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace ndlemo::test {

// Runs a dialog's Execute while the script drives the dialog from inside its modal loop. A dialog that is
// still open after the script is closed with "Zpět", so a failing script never leaves a loop blocking.
template <typename Execute> bool RunScripted(QDialog& dialog, Execute execute, std::function<void()> script) {
    bool ran = false;
    QTimer::singleShot(0, &dialog, [&] {
        ran = true;
        script();
        if (dialog.isVisible())
            dialog.reject();
    });
    bool result = execute();
    EXPECT_TRUE(ran) << "the dialog was not shown";
    return result;
}

template <typename T> T* Child(const QObject& parent, const char* name) {
    T* child = parent.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
}

inline void Click(const QObject& dialog, const char* buttonName) {
    if (auto* button = Child<QAbstractButton>(dialog, buttonName))
        QTest::mouseClick(button, Qt::LeftButton);
}

// Types the text over the whole content of the edit, as the user would after selecting it.
inline void Retype(QLineEdit* edit, const QString& text) {
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

// Every cell of a grid, joined by "|".
inline std::string GridTexts(const QTableWidget* grid) {
    std::string texts;
    for (int r = 0; r < grid->rowCount(); ++r)
        for (int c = 0; c < grid->columnCount(); ++c)
            if (auto* item = grid->item(r, c))
                texts += item->text().toStdString() + "|";
    return texts;
}

} // namespace ndlemo::test
