#include "report/LayoutParser.h"
#include "report/PrinterCalibration.h"
#include "report/ReportErrors.h"
#include "zimbrel2/RuntimeError.h"

#include "support/QStringPrinter.h"
#include "support/ShippedFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString Header = u"cheque ancho=180 alto=80\n"_s;

RuntimeError refusal(const QString& text)
{
    try {
        LayoutParser::parse(text, u"PRUEBA.rpt"_s);
    } catch (const RuntimeError& error) {
        return error;
    }
    return RuntimeError(0, u"accepted"_s);
}

TEST(LayoutParser, ReadsSheetPositionsFontFormulasAndItems)
{
    const ReportLayout layout =
        LayoutParser::parse(u"# comentario\n"
                            "hoja ancho=210 alto=297\r\n"
                            "cheque ancho=180 alto=80   # al final también\n"
                            "posiciones cantidad=3 x=15 y=8 paso=95 primera=2\n"
                            "fuente nombre=\"DejaVu Serif\" tamano=11 negrita=si\n"
                            "formula Lugar=\"Rosario, \"\"Santa Fe\"\"\"\n"
                            "campo IMPORTE x=120 y=5 ancho=50 alineacion=centro relleno=\"*\" tamano=12\n"
                            "campo FECHA parte=mes x=100 y=18 ancho=30\n"
                            "campo @lugar x=10 y=18 ancho=40 negrita=no\n"
                            "campo IMPORTEENLETRA x=46 y=40 ancho=126 lineas=2 x2=8 y2=47 ancho2=164\n"
                            "texto \"Páguese a\" x=8 y=30\n"
                            "linea x1=30 y1=35 x2=172 y2=35 grosor=0.2\n"
                            "recuadro x=118 y=4 ancho=57 alto=9\n"_s,
                            u"PRUEBA.rpt"_s);
    EXPECT_EQ(layout.sheet, QSizeF(210, 297));
    EXPECT_EQ(layout.cheque, QSizeF(180, 80));
    EXPECT_EQ(layout.perSheet, 3);
    EXPECT_EQ(layout.firstPosition, 2);
    EXPECT_EQ(layout.origin(2), QPointF(15, 8 + 2 * 95));
    EXPECT_EQ(layout.formulas.value(layout.formulaName(u"LUGAR"_s)), u"Rosario, \"Santa Fe\""_s);
    ASSERT_EQ(layout.items.size(), 7u);

    const LayoutItem& amount = layout.items[0];
    EXPECT_EQ(amount.kind, LayoutItem::Kind::Field);
    EXPECT_EQ(amount.name, u"IMPORTE"_s);
    EXPECT_EQ(amount.line, 7);
    EXPECT_EQ(amount.align, LayoutItem::Align::Center);
    EXPECT_EQ(amount.fill, u"*"_s);
    EXPECT_EQ(amount.font.family, u"DejaVu Serif"_s);
    EXPECT_DOUBLE_EQ(amount.font.size, 12);
    EXPECT_TRUE(amount.font.bold);

    EXPECT_EQ(layout.items[1].part, LayoutItem::DatePart::MonthName);
    EXPECT_EQ(layout.items[2].kind, LayoutItem::Kind::Formula);
    EXPECT_FALSE(layout.items[2].font.bold);

    const LayoutItem& words = layout.items[3];
    EXPECT_EQ(words.lines, 2);
    EXPECT_DOUBLE_EQ(words.lineX(1), 8);
    EXPECT_DOUBLE_EQ(words.lineY(1), 47);
    EXPECT_DOUBLE_EQ(words.lineWidth(1), 164);

    const LayoutItem& text = layout.items[4];
    EXPECT_EQ(text.kind, LayoutItem::Kind::Text);
    EXPECT_EQ(text.name, u"Páguese a"_s);
    EXPECT_DOUBLE_EQ(text.width, 172) << "a text without width reaches the cheque's right edge";
    EXPECT_EQ(layout.items[5].kind, LayoutItem::Kind::Line);
    EXPECT_EQ(layout.items[6].kind, LayoutItem::Kind::Box);
}

TEST(LayoutParser, WithoutSheetOneChequeFillsTheSheet)
{
    const ReportLayout layout = LayoutParser::parse(Header + u"campo NOMBRE x=0 y=0\n"_s, u"P.rpt"_s);
    EXPECT_EQ(layout.sheet, QSizeF(180, 80));
    EXPECT_EQ(layout.perSheet, 1);
    EXPECT_TRUE(layout.readsTable());
    EXPECT_FALSE(LayoutParser::parse(Header + u"texto \"x\" x=0 y=0\n"_s, u"P.rpt"_s).readsTable());
}

struct BadLayout
{
    const char16_t* text;
    int line;
    const char16_t* reason;
};

class LayoutParserRefuses : public ::testing::TestWithParam<BadLayout>
{
};

TEST_P(LayoutParserRefuses, NamingTheLine)
{
    const BadLayout& bad = GetParam();
    const RuntimeError error = refusal(QString::fromUtf16(bad.text));
    EXPECT_EQ(error.number(), ReportErrors::ReporteInvalido) << error.what();
    const QString where = bad.line > 0 ? u"PRUEBA.rpt, línea %1: "_s.arg(bad.line) : u"PRUEBA.rpt: "_s;
    EXPECT_TRUE(error.description().startsWith(where)) << error.what();
    EXPECT_TRUE(error.description().contains(QString::fromUtf16(bad.reason))) << error.what();
}

INSTANTIATE_TEST_SUITE_P(
    BadLayouts, LayoutParserRefuses,
    ::testing::Values(
        BadLayout{u"cheque ancho=180 alto=80\ncampo NOMBRE x=10 y=10 anchura=50\n", 2,
                  u"clave desconocida 'anchura'"},
        BadLayout{u"cheque ancho=180 alto=80\n\n\nimprimir NOMBRE\n", 4,
                  u"palabra clave desconocida 'imprimir'"},
        BadLayout{u"cheque ancho=180 alto=80\ncampo PAGUESE x=1 y=1\n", 2, u"campo desconocido 'PAGUESE'"},
        BadLayout{u"cheque ancho=180 alto=80\ncampo NOMBRE x=150 y=10 ancho=40\n", 2, u"fuera del cheque"},
        BadLayout{u"cheque ancho=180 alto=80\ncampo NOMBRE x=10 y=78\n", 2, u"fuera del cheque"},
        BadLayout{u"cheque ancho=180 alto=80\ncampo NOMBRE x=-1 y=10\n", 2, u"fuera del cheque"},
        BadLayout{u"cheque ancho=180 alto=80\ncampo IMPORTEENLETRA x=46 y=70 ancho=100 lineas=3\n", 2,
                  u"la línea 3 del texto queda fuera"},
        BadLayout{u"cheque ancho=180 alto=80\nlinea x1=0 y1=0 x2=181 y2=0\n", 2, u"la línea queda fuera"},
        BadLayout{u"cheque ancho=180 alto=80\nrecuadro x=170 y=0 ancho=20 alto=5\n", 2,
                  u"el recuadro queda fuera"},
        BadLayout{u"cheque ancho=180 alto=80\ncampo NOMBRE x=1,5 y=10\n", 2, u"'1,5' no es un número válido"},
        BadLayout{u"cheque ancho=180 alto=80\ncampo NOMBRE x=abc y=10\n", 2, u"'abc' no es un número válido"},
        BadLayout{u"cheque ancho=-180 alto=80\n", 1, u"'ancho' debe ser mayor que cero"},
        BadLayout{u"cheque ancho=0 alto=80\n", 1, u"'ancho' debe ser mayor que cero"},
        BadLayout{u"cheque ancho=180 alto=80\nposiciones cantidad=dos\n", 2,
                  u"no es un número entero válido"},
        BadLayout{u"cheque ancho=180 alto=80\ncampo NOMBRE x=1 x=2 y=1\n", 2, u"clave repetida 'x'"},
        BadLayout{u"cheque ancho=180 alto=80\ntexto \"sin cerrar x=1 y=1\n", 2, u"comillas sin cerrar"},
        BadLayout{u"cheque ancho=180 alto=80\ncampo NOMBRE y=1\n", 2, u"falta la clave 'x'"},
        BadLayout{u"cheque ancho=180 alto=80\ncampo NOMBRE x=1 y=1 parte=dia\n", 2,
                  u"clave desconocida 'parte'"},
        BadLayout{u"cheque ancho=180 alto=80\ncampo FECHA x=1 y=1 parte=semana\n", 2,
                  u"parte de fecha desconocida"},
        BadLayout{u"cheque ancho=180 alto=80\ncampo NOMBRE x=1 y=1 alineacion=justificada\n", 2,
                  u"alineación desconocida"},
        BadLayout{u"cheque ancho=180 alto=80\ncampo NOMBRE x=1 y=1 x2=5\n", 2, u"sólo vale con lineas=2"},
        BadLayout{u"cheque ancho=180 alto=80\ncampo NOMBRE x=1 y=1 negrita=quizas\n", 2, u"\"si\" o \"no\""},
        BadLayout{u"cheque ancho=180 alto=80\n\ncampo @Lugar x=1 y=1\n", 3,
                  u"la fórmula '@lugar' no está declarada"},
        BadLayout{u"cheque ancho=180 alto=80\nformula Lugar=\"a\"\nformula LUGAR=\"b\"\n", 3,
                  u"fórmula repetida"},
        BadLayout{u"cheque ancho=180 alto=80\nimagen \"no_existe.png\" x=0 y=0 ancho=10 alto=10\n", 2,
                  u"no se encuentra la imagen"},
        BadLayout{u"hoja ancho=210 alto=297\ncheque ancho=180 alto=80\nposiciones cantidad=4 paso=80\n", 3,
                  u"los cheques no caben en la hoja"},
        BadLayout{u"hoja ancho=210 alto=297\ncheque ancho=180 alto=80\nposiciones cantidad=3 paso=70\n", 3,
                  u"se superponen"},
        BadLayout{u"hoja ancho=210 alto=297\ncheque ancho=180 alto=80\nposiciones cantidad=3 primera=4\n", 3,
                  u"'primera' (4) pasa de la cantidad"},
        BadLayout{u"hoja ancho=150 alto=297\ncheque ancho=180 alto=80\n", 2,
                  u"los cheques no caben en la hoja"},
        BadLayout{u"campo NOMBRE x=1 y=1\n", 0, u"falta la línea \"cheque"}));

TEST(LayoutParser, MissingFileIsReportedByName)
{
    try {
        LayoutParser::parseFile(u"/no/existe/CHEQUES.rpt"_s);
        FAIL() << "no error";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), ReportErrors::ArchivoNoEncontrado);
        EXPECT_TRUE(error.description().contains(u"/no/existe/CHEQUES.rpt"_s));
    }
}

TEST(LayoutParser, ShippedReportsAreAccepted)
{
    for (const QString& name : {u"IMPRESION_CHEQUES.rpt"_s, u"CALIBRACION.rpt"_s}) {
        SCOPED_TRACE(name.toStdString());
        const ReportLayout layout = LayoutParser::parseFile(ShippedFiles::resources() + name);
        EXPECT_EQ(layout.cheque, QSizeF(180, 80));
        EXPECT_EQ(layout.perSheet, 3);
    }
}

TEST(PrinterCalibration, OwnLineThenEveryPrinterButNeverForThePdf)
{
    const QString text = u"# por impresora\n"
                         "impresora \"*\" x=0.5 y=0.5\n"
                         "impresora \"HP LaserJet\" x=1.5 y=-0.8 rotacion=0.3\n"
                         "impresora PDF y=2\n"_s;
    const PrinterCalibration own = PrinterCalibration::fromText(text, u"hp laserjet"_s);
    EXPECT_DOUBLE_EQ(own.x, 1.5);
    EXPECT_DOUBLE_EQ(own.y, -0.8);
    EXPECT_DOUBLE_EQ(own.rotation, 0.3);
    EXPECT_DOUBLE_EQ(PrinterCalibration::fromText(text, u"Epson"_s).x, 0.5);
    EXPECT_DOUBLE_EQ(PrinterCalibration::fromText(text, u"PDF"_s).y, 2);
    EXPECT_TRUE(PrinterCalibration::fromText(u"impresora \"*\" x=3\n"_s, u"PDF"_s).isNone());
    EXPECT_TRUE(PrinterCalibration::forPrinter(u"/no/existe"_s, u"HP"_s).isNone());
}

TEST(PrinterCalibration, BadLineIsRefusedNamingIt)
{
    try {
        PrinterCalibration::fromText(u"impresora \"HP\" x=1\nimpresora \"HP\" desplazamiento=2\n"_s, u"HP"_s);
        FAIL() << "no error";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), ReportErrors::ReporteInvalido);
        EXPECT_TRUE(
            error.description().startsWith(u"impresoras.cal, línea 2: clave desconocida 'desplazamiento'"_s))
            << error.what();
    }
}

} // namespace
