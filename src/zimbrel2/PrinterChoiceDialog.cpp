#include "zimbrel2/PrinterChoiceDialog.h"

#include "zimbrel2/MedidaTextos.h"
#include "zimbrel2/MessageBoxStyle.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

PrinterChoiceDialog::PrinterChoiceDialog(const QStringList& printers, const QString& current, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(u"PrinterChoiceDialog"_s);
    setWindowTitle(u"Seleccionar impresora"_s);
    setModal(true);

    auto* label = new QLabel(printers.isEmpty() ? u"No hay impresoras instaladas."_s : u"Impresora:"_s, this);
    m_list = new QListWidget(this);
    m_list->setObjectName(u"impresoras"_s);
    m_list->addItems(printers);
    const QList<QListWidgetItem*> matches = m_list->findItems(current, Qt::MatchFixedString);
    if (!matches.isEmpty())
        m_list->setCurrentItem(matches.front());
    else if (m_list->count() > 0)
        m_list->setCurrentRow(0);

    auto* buttons = new QDialogButtonBox(this);
    m_accept =
        buttons->addButton(MessageBoxStyle::buttonCaption(MsgAnswer::Ok), QDialogButtonBox::AcceptRole);
    buttons->addButton(MessageBoxStyle::buttonCaption(MsgAnswer::Cancel), QDialogButtonBox::RejectRole);
    m_accept->setDefault(true);
    m_accept->setEnabled(m_list->currentItem() != nullptr);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_list);
    layout->addWidget(buttons);

    connect(m_list, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem* item) { m_accept->setEnabled(item != nullptr); });
    connect(m_list, &QListWidget::itemActivated, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_list->setFocus();
    // Never narrower than its title.
    MedidaTextos::reservaTitulo(this);
}

QString PrinterChoiceDialog::selectedPrinter() const
{
    const QListWidgetItem* item = m_list->currentItem();
    return item ? item->text() : QString();
}
