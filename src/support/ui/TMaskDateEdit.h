#pragma once

#include <QLineEdit>

#include <functional>
#include <string>

namespace ndlemo {

// A date field with an input mask: two digits, the date separator, two digits, the separator, four digits.
// Only digits can be typed; an unfilled place shows "_" and is a blank in Text(), so an untouched field
// holds "  .  .    ". Leaving the field for another control of its window runs the exit handler; a failure
// it raises is shown in an error box (ShowError), and the focus stays in the field.
class TMaskDateEdit : public QLineEdit {
    Q_OBJECT
public:
    TMaskDateEdit(const QString& objectName, QWidget* parent);

    // The text as UTF-8, a blank for every unfilled place.
    [[nodiscard]] std::string Text() const;
    // Sets the text, e.g. "31.11.2024", or "" for an empty field. The mask takes the regional date separator
    // in force (the program freezes the regional settings only after its window exists).
    void SetText(const std::string& text);

    using TExitHandler = std::function<void()>;
    void SetOnExit(TExitHandler handler) { m_OnExit = std::move(handler); }

protected:
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void ApplyMask();

    QString m_Separator;
    TExitHandler m_OnExit;
};

} // namespace ndlemo
