#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

/// Every box the program shows the operator goes through this interface: message boxes, input boxes,
/// the open-file, folder, printer and date dialogs. The program installs the Qt implementation at start;
/// tests install a scripted operator. No other code builds a QMessageBox or a file dialog.
class OperatorDialogs
{
public:
    virtual ~OperatorDialogs() = default;

    /// Shows `text` with the buttons and icon of the numeric `style`; returns the answer code
    /// (1 OK, 2 cancel, 3 abort, 4 retry, 5 ignore, 6 yes, 7 no).
    virtual int messageBox(const QString& text, int style, const QString& title) = 0;
    /// Asks for a line of text; nullopt when cancelled.
    virtual std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                            const QString& defaultText) = 0;
    /// Asks for an existing file; `filter` in the suite's form "Description|*.ext[|Description|*.x]".
    /// The full path, or nullopt when cancelled.
    virtual std::optional<QString> openFileName(const QString& title, const QString& filter,
                                                const QString& initialFolder) = 0;
    /// Asks for an existing folder, starting in `initialFolder`; its full path, or nullopt when
    /// cancelled.
    virtual std::optional<QString> chooseFolder(const QString& title, const QString& initialFolder) = 0;
    /// Asks for a printer, starting on `currentPrinterName`; the chosen printer's name or nullopt.
    virtual std::optional<QString> choosePrinter(const QString& currentPrinterName) = 0;
    /// Asks for a date, starting on `initial`; nullopt when cancelled.
    virtual std::optional<QDate> chooseDate(const QDate& initial) = 0;

    /// The suite's filter "Reportes (*.rpt)|*.rpt|Todos|*.*" as Qt name filters
    /// ["Reportes (*.rpt)", "Todos (*.*)"]; patterns separated by ";" become blank-separated.
    static QStringList nameFilters(const QString& suiteFilter);
};

/// The operator the program talks to. Until one is installed, a scripted operator without answers
/// stands in: every box is recorded as unexpected and answered cancel, with a warning in the log.
OperatorDialogs& operatorDialogs();

/// Makes `dialogs` the program's operator and hands back the previous one (null `dialogs` puts the
/// stand-in back).
std::unique_ptr<OperatorDialogs> installOperatorDialogs(std::unique_ptr<OperatorDialogs> dialogs);
