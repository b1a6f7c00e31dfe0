#include "zimbrel2/QtOperatorDialogs.h"

#include "zimbrel2/DatePickerDialog.h"
#include "zimbrel2/MedidaTextos.h"
#include "zimbrel2/MessageBoxStyle.h"
#include "zimbrel2/PrinterChoiceDialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QHash>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinterInfo>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

QMessageBox::ButtonRole roleOf(int answer)
{
    switch (answer) {
    case MsgAnswer::Cancel:
    case MsgAnswer::Abort:
        return QMessageBox::RejectRole;
    case MsgAnswer::Yes:
        return QMessageBox::YesRole;
    case MsgAnswer::No:
        return QMessageBox::NoRole;
    default:
        return QMessageBox::AcceptRole;
    }
}

QMessageBox::Icon iconOf(MessageBoxStyle::Icon icon)
{
    switch (icon) {
    case MessageBoxStyle::Icon::Critical:
        return QMessageBox::Critical;
    case MessageBoxStyle::Icon::Question:
        return QMessageBox::Question;
    case MessageBoxStyle::Icon::Exclamation:
        return QMessageBox::Warning;
    case MessageBoxStyle::Icon::Information:
        return QMessageBox::Information;
    case MessageBoxStyle::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QWidget* QtOperatorDialogs::parentWindow()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

int QtOperatorDialogs::messageBox(const QString& text, int style, const QString& title)
{
    const MessageBoxStyle decoded = MessageBoxStyle::decode(style);
    QMessageBox box(parentWindow());
    box.setObjectName(u"MessageBox"_s);
    // A box without a title of its own carries the program's name, as the platform's boxes do.
    box.setWindowTitle(title.isEmpty() ? QCoreApplication::applicationName() : title);
    // Error descriptions may hold "<"; they are shown as written.
    box.setTextFormat(Qt::PlainText);
    // Texts joined with a carriage return show as separate lines.
    box.setText(MedidaTextos::enLineas(text));
    box.setIcon(iconOf(decoded.icon));
    QHash<QAbstractButton*, int> answers;
    for (int answer : decoded.buttons) {
        QPushButton* button = box.addButton(MessageBoxStyle::buttonCaption(answer), roleOf(answer));
        answers.insert(button, answer);
        if (answer == decoded.defaultAnswer())
            box.setDefaultButton(button);
        if (answer == decoded.escapeAnswer())
            box.setEscapeButton(button);
    }
    // The title in full: a short text would leave the box narrower than its title.
    MedidaTextos::reservaTitulo(&box);
    box.exec();
    return answers.value(box.clickedButton(), decoded.escapeAnswer());
}

std::optional<QString> QtOperatorDialogs::inputBox(const QString& prompt, const QString& title,
                                                   const QString& defaultText)
{
    QInputDialog dialog(parentWindow());
    dialog.setObjectName(u"InputBox"_s);
    dialog.setWindowTitle(title.isEmpty() ? QCoreApplication::applicationName() : title);
    dialog.setLabelText(MedidaTextos::enLineas(prompt));
    dialog.setTextValue(defaultText);
    dialog.setOkButtonText(MessageBoxStyle::buttonCaption(MsgAnswer::Ok));
    dialog.setCancelButtonText(MessageBoxStyle::buttonCaption(MsgAnswer::Cancel));
    MedidaTextos::reservaTitulo(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<QString> QtOperatorDialogs::openFileName(const QString& title, const QString& filter,
                                                       const QString& initialFolder)
{
    QFileDialog dialog(parentWindow(), title, initialFolder);
    dialog.setObjectName(u"OpenFileDialog"_s);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    const QStringList filters = nameFilters(filter);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    dialog.setLabelText(QFileDialog::Accept, u"Abrir"_s);
    dialog.setLabelText(QFileDialog::Reject, MessageBoxStyle::buttonCaption(MsgAnswer::Cancel));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

std::optional<QString> QtOperatorDialogs::chooseFolder(const QString& title, const QString& initialFolder)
{
    QFileDialog dialog(parentWindow(), title, initialFolder);
    dialog.setObjectName(u"FolderDialog"_s);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setLabelText(QFileDialog::Accept, u"Elegir"_s);
    dialog.setLabelText(QFileDialog::Reject, MessageBoxStyle::buttonCaption(MsgAnswer::Cancel));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

std::optional<QString> QtOperatorDialogs::choosePrinter(const QString& currentPrinterName)
{
    const QString current =
        currentPrinterName.isEmpty() ? QPrinterInfo::defaultPrinterName() : currentPrinterName;
    PrinterChoiceDialog dialog(QPrinterInfo::availablePrinterNames(), current, parentWindow());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedPrinter().isEmpty())
        return std::nullopt;
    return dialog.selectedPrinter();
}

std::optional<QDate> QtOperatorDialogs::chooseDate(const QDate& initial)
{
    DatePickerDialog dialog(initial, parentWindow());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedDate();
}

void QtOperatorDialogs::showPrintPreview(QPrinter& printer, const QString& title,
                                         const std::function<void(QPrinter*)>& paint)
{
    QPrintPreviewDialog dialog(&printer, parentWindow());
    dialog.setObjectName(u"VistaPreviaReporte"_s);
    dialog.setWindowTitle(u"Vista previa: "_s + title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, paint);
    dialog.exec();
}
