#include "support/ui/TDaxDateTimePicker.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QMouseEvent>

#include <cmath>

namespace ndlemo {

namespace {

const QDate DayZero(1899, 12, 30);

QDateTime ToQt(TDateTime value) {
    int hour, minute, second, msec;
    value.DecodeTime(hour, minute, second, msec);
    return QDateTime(DayZero.addDays(value.Date().Serial()), QTime(hour, minute, second, msec));
}

TDateTime FromQt(const QDateTime& value) {
    const QDate d = value.date();
    const QTime t = value.time();
    return TDateTime::FromParts(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec());
}

} // namespace

TDaxDateTimePicker::TDaxDateTimePicker(QWidget* parent) : QDateTimeEdit(parent) {
    // The lowest moment stands for "empty" and shows as a blank.
    setMinimumDateTime(QDateTime(QDate(100, 1, 1), QTime(0, 0, 0)));
    setSpecialValueText(QStringLiteral(" "));
    connect(this, &QDateTimeEdit::dateTimeChanged, this, &TDaxDateTimePicker::OnEdited);
    SetKind(TKind::Date);
}

TDaxDateTimePicker::TDaxDateTimePicker(const QString& objectName, TKind kind, QWidget* parent)
    : TDaxDateTimePicker(parent) {
    setObjectName(objectName);
    SetKind(kind);
}

void TDaxDateTimePicker::SetKind(TKind kind) {
    m_Kind = kind;
    setDisplayFormat(kind == TKind::Date ? QStringLiteral("dd.MM.yyyy") : QStringLiteral("HH:mm:ss"));
    setCalendarPopup(kind == TKind::Date);
    if (kind == TKind::Date) {
        connect(calendarWidget(), &QCalendarWidget::clicked, this, [this](QDate) {
            m_Empty = false;
            ShowValue();
        });
    }
    ShowValue();
}

TDateTime TDaxDateTimePicker::DateTime() const {
    return m_Value;
}

void TDaxDateTimePicker::SetDateTime(TDateTime value) {
    m_Value = value;
    m_Empty = false;
    ShowValue();
}

void TDaxDateTimePicker::SetDate(TDate date) {
    double fraction = m_Value.Value() - std::floor(m_Value.Value());
    SetDateTime(TDateTime(date.Serial() + fraction));
}

double TDaxDateTimePicker::Time() const {
    return m_Value.Value() - std::floor(m_Value.Value());
}

void TDaxDateTimePicker::SetTime(double fraction) {
    SetDateTime(TDateTime(std::floor(m_Value.Value()) + (fraction - std::floor(fraction))));
}

void TDaxDateTimePicker::SetEmpty(bool value) {
    m_Empty = value;
    ShowValue();
}

void TDaxDateTimePicker::ShowValue() {
    m_Showing = true;
    setDateTime(Empty() ? minimumDateTime() : ToQt(m_Value));
    m_Showing = false;
}

void TDaxDateTimePicker::OnEdited(const QDateTime& value) {
    if (m_Showing)
        return;
    if (isReadOnly()) {
        ShowValue();
        return;
    }
    if (value == minimumDateTime())
        return;
    m_Value = FromQt(value);
    m_Empty = false;
}

void TDaxDateTimePicker::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && !isReadOnly()) {
        SetEmpty(true);
        event->accept();
        return;
    }
    if (Empty() && !isReadOnly() && event->key() != Qt::Key_Tab && event->key() != Qt::Key_Backtab) {
        if (m_Value.IsNull())
            m_Value = FromQt(QDateTime::currentDateTime());
        m_Empty = false;
        ShowValue();
    }
    QDateTimeEdit::keyPressEvent(event);
}

void TDaxDateTimePicker::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    QDateTimeEdit::mousePressEvent(event);
}

} // namespace ndlemo
