#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;
class QPushButton;

/// The printer dialog: the printers by name, the current one selected; Enter or a double click
/// accepts, Escape cancels.
class PrinterChoiceDialog : public QDialog
{
    Q_OBJECT
public:
    PrinterChoiceDialog(const QStringList& printers, const QString& current, QWidget* parent = nullptr);

    /// The printer selected; "" when none is.
    QString selectedPrinter() const;

private:
    QListWidget* m_list = nullptr;
    QPushButton* m_accept = nullptr;
};
