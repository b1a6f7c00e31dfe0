#include "report/PageBuilder.h"
#include "report/FormulaAssignment.h"
#include "report/LayoutParser.h"
#include "report/ReportErrors.h"
#include "report/TextMetrics.h"
#include "zimbrel2/RegionalSettings.h"
#include "zimbrel2/RuntimeError.h"

#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

ReportRow row(const QString& nombre, const QVariant& importe, qlonglong numero,
              const QString& letras = u"un mil doscientos treinta y cuatro con 50/100"_s,
              const QString& fecha = u"10/12/2026"_s, const QVariant& vencimiento = QVariant())
{
    return {u"PC01|JUAN"_s, u"1.1.01"_s, fecha, vencimiento, nombre, importe, letras, u"B"_s, numero};
}

ReportLayout layoutOf(const QString& items)
{
    return LayoutParser::parse(u"hoja ancho=210 alto=297\ncheque ancho=180 alto=80\n"
                               "posiciones cantidad=3 x=15 y=8 paso=95\nformula Lugar=\"Buenos Aires\"\n"_s +
                                   items,
                               u"PRUEBA.rpt"_s);
}

// The texts of the page's items coming from report line `line`, in order.
QStringList textsOf(const Page& page, int line)
{
    QStringList texts;
    for (const PageItem& item : page.items) {
        if (item.sourceLine == line && item.kind == PageItem::Kind::Text)
            texts << item.text;
    }
    return texts;
}

const PageItem* firstOf(const Page& page, int line)
{
    for (const PageItem& item : page.items) {
        if (item.sourceLine == line)
            return &item;
    }
    return nullptr;
}

TEST(PageBuilder, ResolvesDatePartsAmountNumberAndFormula)
{
    const ReportLayout layout = layoutOf(u"campo FECHA parte=dia x=0 y=0 ancho=10\n"        // 5
                                         "campo FECHA parte=mes x=10 y=0 ancho=30\n"        // 6
                                         "campo FECHA parte=anio x=40 y=0 ancho=15\n"       // 7
                                         "campo FECHA parte=mes_numero x=55 y=0 ancho=10\n" // 8
                                         "campo VENCIMIENTO parte=mes x=70 y=0 ancho=30\n"  // 9
                                         "campo IMPORTE x=0 y=10 ancho=50\n"                // 10
                                         "campo NUMERO x=0 y=20 ancho=30 digitos=8\n"       // 11
                                         "campo @Lugar x=0 y=30 ancho=60 mayusculas=si\n"   // 12
                                         "campo FECHA x=0 y=40 ancho=30\n"_s);              // 13
    const ReportRow r = row(u"Ferretería Rosario S.A."_s, 1234.5, 100, {}, u"05/07/2026"_s);
    const PageModel model = PageBuilder(layout, RegionalSettings::argentina()).build({r});
    ASSERT_EQ(model.pages.size(), 1u);
    const Page& page = model.pages[0];
    EXPECT_EQ(textsOf(page, 5), QStringList{u"5"_s});
    EXPECT_EQ(textsOf(page, 6), QStringList{u"julio"_s});
    EXPECT_EQ(textsOf(page, 7), QStringList{u"2026"_s});
    EXPECT_EQ(textsOf(page, 8), QStringList{u"07"_s});
    EXPECT_TRUE(textsOf(page, 9).isEmpty()) << "a cheque without due date shows none";
    EXPECT_EQ(textsOf(page, 10), QStringList{u"1.234,50"_s});
    EXPECT_EQ(textsOf(page, 11), QStringList{u"00000100"_s});
    EXPECT_EQ(textsOf(page, 12), QStringList{u"BUENOS AIRES"_s});
    EXPECT_EQ(textsOf(page, 13), QStringList{u"05/07/2026"_s});

    // The amount follows the regional separators, whether the database gives a number or a text.
    const PageModel us = PageBuilder(layout, RegionalSettings::unitedStates())
                             .build({row(u"x"_s, u"1234567.5"_s, 1, {}, u"05/07/2026"_s)});
    EXPECT_EQ(textsOf(us.pages[0], 10), QStringList{u"1,234,567.50"_s});
}

TEST(PageBuilder, FormulaAssignmentSetsTheFormulaOfThatName)
{
    ReportLayout layout = layoutOf(u"campo @Lugar x=0 y=30 ancho=60\n"_s);
    FormulaAssignment::apply(u"lugar='San Miguel de Tucumán, ''Centro'''"_s, layout);
    const PageModel model = PageBuilder(layout, RegionalSettings::argentina()).build({row(u"x"_s, 1, 1)});
    EXPECT_EQ(textsOf(model.pages[0], 5), QStringList{u"San Miguel de Tucumán, 'Centro'"_s});

    for (const QString& bad :
         {u"Lugar=Rosario"_s, u"Lugar='Rosario"_s, u"Lugar='a'b'"_s, u"='x'"_s, u"Banco='Nación'"_s}) {
        SCOPED_TRACE(bad.toStdString());
        try {
            FormulaAssignment::apply(bad, layout);
            ADD_FAILURE() << "accepted";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number(), ReportErrors::FormulaInvalida);
        }
    }
}

TEST(PageBuilder, FillCharactersTakeTheFreeWidthOnTheSideAwayFromTheAlignment)
{
    const ReportLayout layout =
        layoutOf(u"campo IMPORTE x=0 y=0 ancho=50 alineacion=centro relleno=\"*\"\n"  // 5
                 "campo IMPORTE x=0 y=10 ancho=50 alineacion=derecha relleno=\"*\"\n" // 6
                 "campo IMPORTE x=0 y=20 ancho=50 relleno=\"-\"\n"_s);                // 7
    const PageModel model =
        PageBuilder(layout, RegionalSettings::argentina()).build({row(u"x"_s, 1234.5, 1)});
    const Page& page = model.pages[0];
    const QString centre = textsOf(page, 5).value(0);
    const qsizetype before = centre.indexOf(u'1');
    const qsizetype after = centre.size() - centre.indexOf(u"1.234,50"_s) - 8;
    EXPECT_TRUE(centre.contains(u"*1.234,50*"_s)) << centre.toStdString();
    EXPECT_LE(std::abs(before - after), 1) << centre.toStdString();
    const LayoutFont font = layout.items[0].font;
    EXPECT_LE(TextMetrics::widthMm(font, centre), 50.0);
    EXPECT_GT(TextMetrics::widthMm(font, centre + u'*'), 50.0) << "the whole free width is filled";

    EXPECT_TRUE(textsOf(page, 6).value(0).startsWith(u"***"_s));
    EXPECT_TRUE(textsOf(page, 6).value(0).endsWith(u"*1.234,50"_s));
    EXPECT_TRUE(textsOf(page, 7).value(0).startsWith(u"1.234,50---"_s));
}

TEST(PageBuilder, AmountInWordsWrapsOntoTheSecondLineAndShrinksBeforeItIsRefused)
{
    const QString words = u"novecientos noventa y nueve mil novecientos noventa y nueve millones novecientos "
                          u"noventa y nueve mil novecientos noventa y nueve con 99/100"_s;
    const ReportLayout layout =
        layoutOf(u"campo IMPORTEENLETRA x=46 y=40 ancho=126 lineas=2 x2=8 y2=47 ancho2=164\n"_s);
    const PageBuilder builder(layout, RegionalSettings::argentina());

    const Page shortWords = builder.build({row(u"x"_s, 1, 1, u"cien con 00/100"_s)}).pages[0];
    EXPECT_EQ(textsOf(shortWords, 5), QStringList{u"cien con 00/100"_s});

    const Page page = builder.build({row(u"x"_s, 1, 1, words)}).pages[0];
    const QStringList lines = textsOf(page, 5);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines.join(u' '), words) << "no word is lost or cut";
    const PageItem* first = firstOf(page, 5);
    const PageItem* second = first + 1;
    EXPECT_DOUBLE_EQ(first->rect.left(), 15 + 46.0);
    EXPECT_DOUBLE_EQ(second->rect.left(), 15 + 8.0);
    EXPECT_DOUBLE_EQ(second->rect.top(), 8 + 47.0);

    // A payee a little too long for its line is printed smaller, whole.
    const ReportLayout narrow = layoutOf(u"campo NOMBRE x=0 y=0 ancho=60\n"_s);
    const QString payee = u"Distribuidora Mayorista del Litoral S.R.L."_s;
    const double wide = TextMetrics::widthMm(narrow.items[0].font, payee);
    ASSERT_GT(wide, 60.0);
    ASSERT_LT(wide * 0.6, 60.0);
    const Page smaller =
        PageBuilder(narrow, RegionalSettings::argentina()).build({row(payee, 1, 1)}).pages[0];
    EXPECT_EQ(textsOf(smaller, 5), QStringList{payee});
    EXPECT_LT(firstOf(smaller, 5)->font.size, 10.0);
    EXPECT_LE(TextMetrics::widthMm(firstOf(smaller, 5)->font, payee), 60.0);

    // Words that need more lines than the cheque has are refused, naming the cheque.
    const ReportLayout oneLine = layoutOf(u"campo IMPORTEENLETRA x=46 y=40 ancho=30\n"_s);
    try {
        PageBuilder(oneLine, RegionalSettings::argentina()).build({row(u"x"_s, 1, 777, words)});
        FAIL() << "printed cut words";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), ReportErrors::DatoInvalido);
        EXPECT_TRUE(error.description().contains(u"del cheque 777 no cabe"_s)) << error.what();
    }
}

TEST(PageBuilder, APayeeThatDoesNotFitIsNamedAsWrittenPercentSignsAndAll)
{
    const ReportLayout tiny = layoutOf(u"campo NOMBRE x=0 y=0 ancho=10\n"_s);
    const QString payee = u"ACME 100%3 Y %4 S.A. Distribuidora Mayorista del Litoral"_s;
    try {
        PageBuilder(tiny, RegionalSettings::argentina()).build({row(payee, 1, 12)});
        FAIL() << "printed a cut payee";
    } catch (const RuntimeError& error) {
        EXPECT_TRUE(error.description().contains(u"\""_s + payee + u"\" del cheque 12 no cabe"_s))
            << error.what();
        EXPECT_TRUE(error.description().contains(u"PRUEBA.rpt"_s)) << error.what();
    }
}

TEST(PageBuilder, ChequesFillTheSheetFromTheFirstPosition)
{
    const ReportLayout layout =
        layoutOf(u"campo NOMBRE x=30 y=30 ancho=140\nrecuadro x=0 y=0 ancho=180 alto=80\n"_s);
    std::vector<ReportRow> rows;
    for (int i = 0; i < 5; ++i)
        rows.push_back(row(u"Proveedor %1"_s.arg(i), 10, 100 + i));
    const PageBuilder builder(layout, RegionalSettings::argentina());

    // Positions: 2 and 3 of the first (partly used) sheet, then 1, 2 and 3 of the next.
    const PageModel model = builder.build(rows, 2);
    EXPECT_EQ(model.cheques, 5);
    ASSERT_EQ(model.pages.size(), 2u);
    auto payees = [](const Page& page) {
        QList<QPair<QString, double>> found;
        for (const PageItem& item : page.items) {
            if (item.kind == PageItem::Kind::Text)
                found.append({item.text, item.rect.top()});
        }
        return found;
    };
    using Found = QList<QPair<QString, double>>;
    EXPECT_EQ(payees(model.pages[0]),
              (Found{{u"Proveedor 0"_s, 8 + 95 + 30}, {u"Proveedor 1"_s, 8 + 190 + 30}}));
    EXPECT_EQ(payees(model.pages[1]), (Found{{u"Proveedor 2"_s, 8 + 30},
                                             {u"Proveedor 3"_s, 8 + 95 + 30},
                                             {u"Proveedor 4"_s, 8 + 190 + 30}}));
    EXPECT_EQ(model.pages[1].items.size(), 6u) << "the box comes with every cheque";

    // Without a position the layout's own first position counts.
    EXPECT_EQ(builder.build(rows).pages.size(), 2u);
    EXPECT_TRUE(builder.build({}).pages.empty());
    EXPECT_THROW(builder.build(rows, 4), RuntimeError);
}

TEST(PageBuilder, ADateThatIsNoDateIsRefusedRatherThanPrintedInParts)
{
    const ReportLayout layout = layoutOf(u"campo FECHA parte=dia x=0 y=0 ancho=10\n"_s);
    try {
        PageBuilder(layout, RegionalSettings::argentina()).build({row(u"x"_s, 1, 55, {}, u"31/02/2026"_s)});
        FAIL() << "no error";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), ReportErrors::DatoInvalido);
        EXPECT_TRUE(error.description().contains(u"\"31/02/2026\" del cheque 55"_s)) << error.what();
    }
}

} // namespace
