#include "common/DatePicker.h"

#include "common/Clock.h"
#include "common/CzechFormat.h"
#include "common/Dialogs.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QFrame>
#include <QPushButton>

namespace {
constexpr int kWidth = 210;
constexpr int kHeight = 241;
constexpr int kStripHeight = 41;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonBottomGap = 7;
} // namespace

DatePickerDialog::DatePickerDialog(const QDate& date, QWidget* parent) : QDialog(parent), m_given(date) {
    setObjectName(QStringLiteral("DatePickerDialog"));
    // Qt shows the program's name in place of an empty title; a blank keeps the title bar empty.
    setWindowTitle(QStringLiteral(" "));
    MakeFixedWhiteDialog(this, kWidth, kHeight);

    m_calendar = new QCalendarWidget(this);
    m_calendar->setObjectName(QStringLiteral("MonthCalendar1"));
    m_calendar->setLocale(CzechFormat::Locale());
    m_calendar->setFirstDayOfWeek(Qt::Monday);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setSelectedDate(date.isValid() ? date : Clock::Today());
    m_calendar->setGeometry(8, 8, kWidth - 16, kHeight - kStripHeight - 16);

    auto* strip = new QFrame(this);
    strip->setObjectName(QStringLiteral("Shape1"));
    strip->setFrameShape(QFrame::NoFrame);
    QPalette stripPal = strip->palette();
    stripPal.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
    strip->setPalette(stripPal);
    strip->setAutoFillBackground(true);
    strip->setGeometry(0, kHeight - kStripHeight, kWidth, kStripHeight);

    const int buttonTop = kHeight - kButtonBottomGap - kButtonHeight;
    m_ok = new QPushButton(QStringLiteral("Ok"), this);
    m_ok->setObjectName(QStringLiteral("Tl_Ok"));
    m_ok->setAccessibleName(m_ok->text());
    m_ok->setGeometry(16, buttonTop, kButtonWidth, kButtonHeight);
    m_ok->setDefault(true);
    m_ok->setEnabled(false);

    auto* storno = new QPushButton(QStringLiteral("Storno"), this);
    storno->setObjectName(QStringLiteral("Tl_Storno"));
    storno->setAccessibleName(storno->text());
    storno->setGeometry(112, buttonTop, kButtonWidth, kButtonHeight);
    storno->setAutoDefault(false);

    // Only a day the user picked may be confirmed. Enter or a double click in the calendar picks and
    // confirms at once, so that the keyboard alone can choose a day.
    connect(m_calendar, &QCalendarWidget::clicked, this, [this] { m_ok->setEnabled(true); });
    connect(m_calendar, &QCalendarWidget::activated, this, [this] {
        m_ok->setEnabled(true);
        accept();
    });
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(storno, &QPushButton::clicked, this, &QDialog::reject);
    m_calendar->setFocus();
}

void DatePickerDialog::acceptProposed() {
    m_ok->setEnabled(true);
    m_given = QDate(); // any confirmed day is a change
}

bool DatePickerDialog::changed() const {
    return result() == QDialog::Accepted && selectedDate() != m_given;
}

QDate DatePickerDialog::selectedDate() const {
    return m_calendar->selectedDate();
}
