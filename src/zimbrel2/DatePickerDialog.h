#pragma once

#include <QDate>
#include <QDialog>

class QCalendarWidget;

/// The date picker: a month calendar; Enter or a double click accepts the selected date, Escape
/// cancels.
class DatePickerDialog : public QDialog
{
    Q_OBJECT
public:
    explicit DatePickerDialog(const QDate& initial, QWidget* parent = nullptr);

    /// The date selected in the calendar.
    QDate selectedDate() const;

private:
    QCalendarWidget* m_calendar = nullptr;
};
