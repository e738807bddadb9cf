#pragma once

#include <QDate>
#include <QDialog>

class QCalendarWidget;
class QPushButton;

// The small calendar of PickDate: "Ok" stays disabled until the user picks a day in the calendar.
class DatePickerDialog : public QDialog {
    Q_OBJECT
public:
    explicit DatePickerDialog(const QDate& date, QWidget* parent = nullptr);

    QCalendarWidget* calendar() const { return m_calendar; }
    // For a date proposed rather than given: "Ok" confirms it as it stands.
    void acceptProposed();
    QPushButton* okButton() const { return m_ok; }
    // After the dialog closed: true when it was confirmed with a day other than the given one.
    bool changed() const;
    QDate selectedDate() const;

private:
    QDate m_given;
    QCalendarWidget* m_calendar = nullptr;
    QPushButton* m_ok = nullptr;
};
