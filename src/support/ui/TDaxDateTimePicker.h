#pragma once

// moc of Qt 6.4 cannot read the C++20 headers that these pull in; it needs none of their names.
#ifndef Q_MOC_RUN
#include "support/TDateTime.h"
#endif
#include "support/ui/TDaxControl.h"

#include <QDateTimeEdit>

namespace ndlemo {

// The validated date-time picker: shows "dd.MM.yyyy" (date kind) or "HH:mm:ss" (time kind), and nothing
// while it is empty (DateTime 0 or Empty). Delete empties it; any other key or the calendar fills it again.
// Never reported by the required check.
class TDaxDateTimePicker : public QDateTimeEdit, public TDaxControl {
    Q_OBJECT
public:
    enum class TKind { Date, Time };

    explicit TDaxDateTimePicker(QWidget* parent = nullptr);
    TDaxDateTimePicker(const QString& objectName, TKind kind, QWidget* parent);

    [[nodiscard]] TKind Kind() const { return m_Kind; }
    void SetKind(TKind kind);
    [[nodiscard]] bool ReadOnly() const { return isReadOnly(); }
    void SetReadOnly(bool value) { setReadOnly(value); }

    [[nodiscard]] TDateTime DateTime() const;
    void SetDateTime(TDateTime value);
    [[nodiscard]] TDate Date() const { return DateTime().Date(); }
    void SetDate(TDate date);
    // The time of day as a fraction of a day.
    [[nodiscard]] double Time() const;
    void SetTime(double fraction);
    [[nodiscard]] bool Empty() const { return m_Empty || m_Value.IsNull(); }
    void SetEmpty(bool value);
    [[nodiscard]] bool Checked() const { return m_Checked; }
    void SetChecked(bool value) { m_Checked = value; }

    [[nodiscard]] bool IsEmptyForRequired() const override { return false; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void ShowValue();
    void OnEdited(const QDateTime& value);

    TKind m_Kind = TKind::Date;
    TDateTime m_Value;
    bool m_Empty = false;
    bool m_Checked = true;
    bool m_Showing = false;
};

} // namespace ndlemo
