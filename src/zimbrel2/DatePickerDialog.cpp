#include "zimbrel2/DatePickerDialog.h"

#include "zimbrel2/MedidaTextos.h"
#include "zimbrel2/MessageBoxStyle.h"

#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

DatePickerDialog::DatePickerDialog(const QDate& initial, QWidget* parent) : QDialog(parent)
{
    setObjectName(u"DatePickerDialog"_s);
    setWindowTitle(u"Elegir fecha"_s);
    setModal(true);

    m_calendar = new QCalendarWidget(this);
    m_calendar->setObjectName(u"calendario"_s);
    m_calendar->setLocale(QLocale(QLocale::Spanish, QLocale::Argentina));
    m_calendar->setGridVisible(true);
    if (initial.isValid())
        m_calendar->setSelectedDate(initial);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(MessageBoxStyle::buttonCaption(MsgAnswer::Ok), QDialogButtonBox::AcceptRole);
    buttons->addButton(MessageBoxStyle::buttonCaption(MsgAnswer::Cancel), QDialogButtonBox::RejectRole);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_calendar);
    layout->addWidget(buttons);

    // The calendar takes Return itself (it emits activated), so Enter accepts from inside it too.
    connect(m_calendar, &QCalendarWidget::activated, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_calendar->setFocus();
    // Never narrower than its title.
    MedidaTextos::reservaTitulo(this);
}

QDate DatePickerDialog::selectedDate() const
{
    return m_calendar->selectedDate();
}
