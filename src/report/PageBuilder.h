#pragma once

#include "report/PageModel.h"
#include "report/ReportDatabase.h"
#include "report/ReportLayout.h"
#include "zimbrel2/RegionalSettings.h"

#include <QStringList>

#include <vector>

/// Lays the rows of a report run out on sheets: one cheque per row, `perSheet` to a sheet, starting
/// at a chosen position of the first sheet; each item's text resolved (amounts with the regional
/// separators, date parts, fill characters, wrapping onto the item's lines).
class PageBuilder
{
public:
    PageBuilder(const ReportLayout& layout, const RegionalSettings& settings);

    /// The sheets for `rows`; `firstPosition` (1 = first) is where the first cheque goes, 0 for the
    /// layout's own. A text that cannot fit its item even in a smaller font raises
    /// ReportErrors::DatoInvalido naming the cheque, rather than printing a cut amount or name.
    PageModel build(const std::vector<ReportRow>& rows, int firstPosition = 0) const;

    /// The text of a field, formula or literal item for one row, before fitting.
    QString resolve(const LayoutItem& item, const ReportRow& row) const;

private:
    void addCheque(Page& page, QPointF origin, const ReportRow& row) const;
    void addText(Page& page, QPointF origin, const LayoutItem& item, const QString& text,
                 const ReportRow& row) const;

    const ReportLayout& m_layout;
    RegionalSettings m_settings;
};
