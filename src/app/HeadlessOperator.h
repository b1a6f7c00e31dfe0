#pragma once

#include "zimbrel2/OperatorDialogs.h"

/// The operator of a run without a display: every box is written to the error output and answered
/// as Escape would answer it (cancel, no or abort), so an unattended run never waits on a window.
class HeadlessOperator : public OperatorDialogs
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
};
