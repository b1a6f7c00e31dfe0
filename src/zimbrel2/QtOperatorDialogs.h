#pragma once

#include "zimbrel2/OperatorDialogs.h"

#include <functional>

class QPrinter;
class QWidget;

/// The operator's real boxes: QMessageBox with the Spanish button captions, QInputDialog,
/// QFileDialog (files and folders), the printer list and the date picker, each modal over the active window.
class QtOperatorDialogs : public OperatorDialogs
{
public:
    int messageBox(const QString& text, int style, const QString& title) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    std::optional<QString> openFileName(const QString& title, const QString& filter,
                                        const QString& initialFolder) override;
    std::optional<QString> chooseFolder(const QString& title, const QString& initialFolder) override;
    std::optional<QString> choosePrinter(const QString& currentPrinterName) override;
    std::optional<QDate> chooseDate(const QDate& initial) override;

    /// The print preview "VistaPreviaReporte", modal over the active window until the operator
    /// closes it. It asks nothing, so it is the real window whichever operator is installed.
    /// `paint` draws the pages into the printer it is given: the preview's, or `printer` itself when
    /// the operator prints from the preview.
    static void showPrintPreview(QPrinter& printer, const QString& title,
                                 const std::function<void(QPrinter*)>& paint);

private:
    static QWidget* parentWindow();
};
