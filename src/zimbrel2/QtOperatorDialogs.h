#pragma once

#include "zimbrel2/OperatorDialogs.h"

class QWidget;

/// The operator's real boxes: QMessageBox with the Spanish button captions, QInputDialog,
/// QFileDialog, the printer list and the date picker, each modal over the active window.
class QtOperatorDialogs : public OperatorDialogs
{
public:
    int messageBox(const QString& text, int style, const QString& title) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    std::optional<QString> openFileName(const QString& title, const QString& filter,
                                        const QString& initialFolder) override;
    std::optional<QString> choosePrinter(const QString& currentPrinterName) override;
    std::optional<QDate> chooseDate(const QDate& initial) override;

private:
    static QWidget* parentWindow();
};
