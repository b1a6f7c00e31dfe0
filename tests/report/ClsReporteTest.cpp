#include "report/ClsReporte.h"

#include "report/PagePainter.h"
#include "report/ReportErrors.h"

#include "PdfWords.h"
#include "support/ProgramFixture.h"
#include "support/ShippedFiles.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString Formula = u"{AUX_IMPRESION.USUARIO}='PC01|JUAN' AND {AUX_IMPRESION.CUENTA}= '1.1.01'"_s;
const QString Connection = u"DSN=TALONEX_DEMO; UID=TESSARO; PWD=secreto"_s;

struct Cheque
{
    QString usuario;
    QString cuenta;
    QString fecha;
    QString vencimiento;
    QString nombre;
    double importe;
    QString letras;
    QString serie;
    int numero;
};

const std::vector<Cheque>& cheques()
{
    static const std::vector<Cheque> all{
        {u"PC01|JUAN"_s,
         u"1.1.01"_s,
         u"10/12/2026"_s,
         {},
         u"Ferretería Unificada Rosario S.A."_s,
         1234.5,
         u"un mil doscientos treinta y cuatro con 50/100"_s,
         u"B"_s,
         100},
        {u"PC01|JUAN"_s, u"1.1.01"_s, u"10/12/2026"_s, u"15/01/2027"_s, u"Distribuidora del Litoral S.R.L."_s,
         1234567.89,
         u"un millón doscientos treinta y cuatro mil quinientos sesenta y siete con 89/100 más texto largo"_s,
         u"B"_s, 101},
        {u"PC01|JUAN"_s,
         u"1.1.01"_s,
         u"11/12/2026"_s,
         {},
         u"Transportes Paraná S.A."_s,
         980,
         u"novecientos ochenta"_s,
         u"B"_s,
         102},
        // Another workstation's row and another account's row: never printed by the formula above.
        {u"PC02|ANA"_s,
         u"1.1.01"_s,
         u"10/12/2026"_s,
         {},
         u"Proveedor Ajeno Uno"_s,
         10,
         u"diez"_s,
         u"B"_s,
         103},
        {u"PC01|JUAN"_s,
         u"1.1.02"_s,
         u"10/12/2026"_s,
         {},
         u"Proveedor Ajeno Dos"_s,
         20,
         u"veinte"_s,
         u"C"_s,
         5},
    };
    return all;
}

class ClsReporteTest : public ProgramFixture
{
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        if (HasFatalFailure())
            return;
        ClsReporte::reset();
        for (const QString& name : {u"IMPRESION_CHEQUES.rpt"_s, u"CALIBRACION.rpt"_s})
            ASSERT_TRUE(ShippedFiles::install(name, programFolder())) << name.toStdString();
        openMain();
        m_db = openMainDatabase();
        QSqlQuery query(m_db);
        ASSERT_TRUE(query.exec(u"DELETE FROM AUX_IMPRESION"_s));
        ASSERT_TRUE(
            query.prepare(u"INSERT INTO AUX_IMPRESION (USUARIO, CUENTA, FECHA, VENCIMIENTO, NOMBRE, "
                          u"IMPORTE, IMPORTEENLETRA, SERIE, NUMERO) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"_s));
        for (const Cheque& c : cheques()) {
            for (const QVariant& v :
                 QVariantList{c.usuario, c.cuenta, c.fecha,
                              c.vencimiento.isEmpty() ? QVariant() : QVariant(c.vencimiento), c.nombre,
                              c.importe, c.letras, c.serie, c.numero})
                query.addBindValue(v);
            ASSERT_TRUE(query.exec()) << query.lastError().text().toStdString();
        }
        reporte().CarpetaReportes(programFolder());
        m_pdf = folder() + u"/cheques.pdf"_s;
        reporte().Destino(reporte().DestinoArchivo(m_pdf));
    }

    void TearDown() override
    {
        ClsReporte::reset();
        m_db = QSqlDatabase();
        ProgramFixture::TearDown();
    }

    static ClsReporte& reporte() { return ClsReporte::instance(); }

    void print(const QString& report = u"IMPRESION_CHEQUES"_s, const QString& formula = Formula,
               const QString& assignment = {}, const QString& connection = Connection)
    {
        reporte().ImprimeReporte(report, {QString()}, formula, connection, assignment, {}, {}, {}, {}, {}, {},
                                 {});
    }

    static RuntimeError failure(const std::function<void()>& body)
    {
        try {
            body();
        } catch (const RuntimeError& error) {
            return error;
        }
        return RuntimeError(0, u"no error"_s);
    }

    // The word `text` on `page` inside the band that starts at (x, y) mm and is `width` wide.
    static ::testing::AssertionResult wordAt(const std::vector<PdfWord>& words, const QString& text, int page,
                                             double x, double y, double width = 3)
    {
        for (const PdfWord& w : wordsNamed(words, text, page)) {
            if (w.box.left() >= x - 1 && w.box.left() <= x + width && w.box.top() >= y - 1 &&
                w.box.top() <= y + 2.5)
                return ::testing::AssertionSuccess();
        }
        QString seen;
        for (const PdfWord& w : wordsNamed(words, text))
            seen += u" page %1 at (%2, %3)"_s.arg(w.page)
                        .arg(w.box.left(), 0, 'f', 1)
                        .arg(w.box.top(), 0, 'f', 1);
        return ::testing::AssertionFailure() << text.toStdString() << " not at page " << page << " (" << x
                                             << ", " << y << "); seen:" << seen.toStdString();
    }

    // The text of the words on `page` whose top lies in the band [y - 1, y + 2.5] right of `x`.
    static QString lineAt(const std::vector<PdfWord>& words, int page, double x, double y)
    {
        QStringList found;
        for (const PdfWord& w : words) {
            if (w.page == page && w.box.left() >= x - 1 && w.box.top() >= y - 1 && w.box.top() <= y + 2.5)
                found << w.text;
        }
        return found.join(u' ');
    }

    // The amount in words of the cheque at sheet position `p`, both lines, each without its fill.
    static QString wordsOfCheque(const std::vector<PdfWord>& words, int page, int p)
    {
        QStringList lines{lineAt(words, page, 15 + 46, 8 + 95 * p + 40),
                          lineAt(words, page, 15 + 8, 8 + 95 * p + 47)};
        for (QString& line : lines) {
            while (line.endsWith(u'-'))
                line.chop(1);
        }
        return lines.join(u' ').trimmed();
    }

    QSqlDatabase m_db;
    QString m_pdf;
};

TEST_F(ClsReporteTest, PrintsExactlyTheSelectedRowsAtTheLayoutsPositions)
{
    print();
    EXPECT_EQ(reporte().chequesImpresos(), 3);
    EXPECT_EQ(reporte().paginasImpresas(), 1);
    const std::vector<PdfWord> words = readPdfWords(m_pdf);
    ASSERT_FALSE(words.empty()) << "pdftotext read nothing from " << m_pdf.toStdString();
    EXPECT_EQ(pdfPageCount(m_pdf), 1);

    for (int p = 0; p < 3; ++p) {
        SCOPED_TRACE(p);
        const Cheque& c = cheques()[p];
        const double top = 8 + 95 * p;
        EXPECT_EQ(lineAt(words, 1, 15 + 30, top + 30), c.nombre);
        EXPECT_TRUE(wordAt(words, c.nombre.section(u' ', 0, 0), 1, 15 + 30, top + 30));
        EXPECT_EQ(wordsOfCheque(words, 1, p), c.letras);
        EXPECT_TRUE(wordAt(words, u"%1"_s.arg(c.numero, 8, 10, QChar(u'0')), 1, 15 + 27, top + 5));
        EXPECT_TRUE(wordAt(words, u"B"_s, 1, 15 + 16, top + 5));
        EXPECT_TRUE(wordAt(words, u"Páguese"_s, 1, 15 + 8, top + 30));
        EXPECT_TRUE(wordAt(words, u"1.1.01"_s, 1, 15 + 19, top + 9));
    }
    // The amount in figures, filled with asterisks inside its box; the date in parts.
    const QString amount = lineAt(words, 1, 15 + 125, 8 + 6);
    EXPECT_TRUE(amount.startsWith(u"***"_s) && amount.endsWith(u"***"_s) && amount.contains(u"*1.234,50*"_s))
        << amount.toStdString();
    EXPECT_TRUE(lineAt(words, 1, 15 + 125, 8 + 95 + 6).contains(u"*1.234.567,89*"_s));
    EXPECT_EQ(lineAt(words, 1, 15 + 50, 8 + 18), u"Buenos Aires, 10 de diciembre de 2026"_s);
    EXPECT_TRUE(wordAt(words, u"diciembre"_s, 1, 15 + 117, 8 + 95 * 2 + 18, 28));
    EXPECT_TRUE(wordAt(words, u"11"_s, 1, 15 + 103, 8 + 95 * 2 + 18, 8));
    EXPECT_TRUE(wordAt(words, u"15/01/2027"_s, 1, 15 + 28, 8 + 95 + 60));

    for (const QString& other : {u"Ajeno"_s, u"Uno"_s, u"Dos"_s, u"00000103"_s, u"00000005"_s})
        EXPECT_TRUE(wordsNamed(words, other).empty()) << other.toStdString() << " was printed";
}

TEST_F(ClsReporteTest, SelectionComparesWithoutCaseOrTrailingBlanksAndNeverAsSqlText)
{
    print(u"IMPRESION_CHEQUES"_s,
          u"{AUX_IMPRESION.USUARIO}='pc01|juan' AND {AUX_IMPRESION.CUENTA}= '1.1.01 '"_s);
    EXPECT_EQ(reporte().chequesImpresos(), 3);
    print(u"IMPRESION_CHEQUES"_s, Formula, {}, u"DSN=talonex_demo;UID=TESSARO;PWD=secreto"_s);
    EXPECT_EQ(reporte().chequesImpresos(), 3) << "the database name ignores case";

    // A text built to break out of its quotes selects nothing and changes nothing.
    print(u"IMPRESION_CHEQUES"_s, u"{AUX_IMPRESION.USUARIO}='x'' OR ''1''=''1'"_s);
    EXPECT_EQ(reporte().chequesImpresos(), 0);
    EXPECT_EQ(scalar(u"SELECT COUNT(*) FROM AUX_IMPRESION"_s).toInt(), 5);

    print(u"IMPRESION_CHEQUES"_s, u"{AUX_IMPRESION.NUMERO} >= 102 AND NOT ({AUX_IMPRESION.SERIE} = 'C')"_s);
    EXPECT_EQ(reporte().chequesImpresos(), 2);
    const std::vector<PdfWord> words = readPdfWords(m_pdf);
    EXPECT_TRUE(wordAt(words, u"Transportes"_s, 1, 15 + 30, 8 + 30));
    EXPECT_TRUE(wordAt(words, u"Proveedor"_s, 1, 15 + 30, 8 + 95 + 30));
}

TEST_F(ClsReporteTest, StartsAtTheChosenPositionOfAPartlyUsedSheet)
{
    reporte().setPrimeraPosicion(3);
    print();
    EXPECT_EQ(reporte().paginasImpresas(), 2);
    const std::vector<PdfWord> words = readPdfWords(m_pdf);
    EXPECT_EQ(pdfPageCount(m_pdf), 2);
    EXPECT_TRUE(wordAt(words, u"Ferretería"_s, 1, 15 + 30, 8 + 190 + 30));
    EXPECT_TRUE(wordAt(words, u"Distribuidora"_s, 2, 15 + 30, 8 + 30));
    EXPECT_TRUE(wordAt(words, u"Transportes"_s, 2, 15 + 30, 8 + 95 + 30));
    EXPECT_EQ(wordsOfCheque(words, 2, 0), cheques()[1].letras);

    // The position serves one run: the next starts at the report's own first position.
    print();
    EXPECT_EQ(reporte().paginasImpresas(), 1);
}

TEST_F(ClsReporteTest, FormulaAssignmentSetsTheReportsFormula)
{
    print(u"IMPRESION_CHEQUES.rpt"_s, Formula, u"Lugar='Villa Constitución'"_s);
    const std::vector<PdfWord> words = readPdfWords(m_pdf);
    EXPECT_EQ(lineAt(words, 1, 15 + 50, 8 + 18), u"Villa Constitución, 10 de diciembre de 2026"_s);
    EXPECT_TRUE(wordsNamed(words, u"Buenos"_s).empty());

    const RuntimeError error = failure([&] { print(u"IMPRESION_CHEQUES"_s, Formula, u"Banco='Nación'"_s); });
    EXPECT_EQ(error.number(), ReportErrors::FormulaInvalida);
    EXPECT_TRUE(error.description().contains(u"no tiene la fórmula \"Banco\""_s)) << error.what();
}

TEST_F(ClsReporteTest, PrinterCalibrationMovesTheWholeSheet)
{
    QFile calibration(programFolder() + u"impresoras.cal"_s);
    ASSERT_TRUE(calibration.open(QIODevice::WriteOnly));
    calibration.write("impresora \"*\" x=20 y=20\nimpresora \"PDF\" x=5 y=-3\n");
    calibration.close();
    print();
    const std::vector<PdfWord> words = readPdfWords(m_pdf);
    EXPECT_TRUE(wordAt(words, u"Ferretería"_s, 1, 15 + 30 + 5, 8 + 30 - 3));
    EXPECT_TRUE(wordAt(words, u"Transportes"_s, 1, 15 + 30 + 5, 8 + 190 + 30 - 3));
}

TEST_F(ClsReporteTest, AnInstalledProgramReadsTheOperatorsCalibrationFirst)
{
    ProgramInfo::setProgramFolderWritable(false);
    for (const auto& [folder, text] : {std::pair{programFolder(), "impresora \"PDF\" x=40 y=40\n"},
                                       std::pair{userFolder(), "impresora \"PDF\" x=5 y=-3\n"}}) {
        QDir().mkpath(folder);
        QFile calibration(folder + u"impresoras.cal"_s);
        ASSERT_TRUE(calibration.open(QIODevice::WriteOnly));
        calibration.write(text);
    }
    print();
    const std::vector<PdfWord> words = readPdfWords(m_pdf);
    EXPECT_TRUE(wordAt(words, u"Ferretería"_s, 1, 15 + 30 + 5, 8 + 30 - 3));
}

TEST_F(ClsReporteTest, CalibrationGridPrintsOneSheetWithoutReadingRows)
{
    print(u"CALIBRACION"_s, {}, {}, {});
    EXPECT_EQ(reporte().chequesImpresos(), 3);
    const std::vector<PdfWord> words = readPdfWords(m_pdf);
    EXPECT_EQ(wordsNamed(words, u"Calibración:"_s).size(), 3u);
    EXPECT_TRUE(wordAt(words, u"50"_s, 1, 15 + 50.5, 8 + 2));
}

TEST_F(ClsReporteTest, SheetKeepsTheLayoutsSizeAndOrientation)
{
    QFile layout(programFolder() + u"SUELTO.rpt"_s);
    ASSERT_TRUE(layout.open(QIODevice::WriteOnly));
    layout.write("cheque ancho=180 alto=80\ncampo NOMBRE x=30 y=30 ancho=140\n");
    layout.close();
    print(u"SUELTO"_s);
    const QSizeF sheet = pdfPageSize(m_pdf);
    EXPECT_NEAR(sheet.width(), 180, 0.5);
    EXPECT_NEAR(sheet.height(), 80, 0.5);
    EXPECT_EQ(pdfPageCount(m_pdf), 3) << "one cheque to a sheet";
    EXPECT_TRUE(wordAt(readPdfWords(m_pdf), u"Unificada"_s, 1, 30, 30, 40)) << "no ligature hides \"fi\"";

    print();
    const QSizeF a4 = pdfPageSize(m_pdf);
    EXPECT_NEAR(a4.width(), 210, 0.5);
    EXPECT_NEAR(a4.height(), 297, 0.5);
}

TEST_F(ClsReporteTest, ReportNamesResolveInTheReportsFolder)
{
    const QString full = programFolder() + u"IMPRESION_CHEQUES.rpt"_s;
    EXPECT_EQ(reporte().rutaReporte(u"IMPRESION_CHEQUES"_s), full);
    EXPECT_EQ(reporte().rutaReporte(u"IMPRESION_CHEQUES.rpt"_s), full);
    EXPECT_EQ(reporte().rutaReporte(full), full);
    EXPECT_EQ(reporte().rutaReporte(u"/otra/carpeta/BANCO"_s), u"/otra/carpeta/BANCO.rpt"_s);
    print(full);
    EXPECT_EQ(reporte().chequesImpresos(), 3);
}

TEST_F(ClsReporteTest, FailuresRaiseAClearMessage)
{
    QFile bad(programFolder() + u"MALO.rpt"_s);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("cheque ancho=180 alto=80\ncampo NOMBRE x=10 y=10\ncampo NOMBRE x=10 y=20 colour=rojo\n");
    bad.close();
    struct Case
    {
        std::function<void()> body;
        long number;
        QString text;
    };
    const std::vector<Case> cases{
        {[&] { print(u"NO_EXISTE"_s); }, ReportErrors::ArchivoNoEncontrado,
         u"No se encuentra el reporte \""_s + programFolder() + u"NO_EXISTE.rpt\"."_s},
        {[&] { print(u"MALO"_s); }, ReportErrors::ReporteInvalido,
         u"MALO.rpt, línea 3: clave desconocida 'colour'"_s},
        {[&] { print(u"IMPRESION_CHEQUES"_s, u"{AUX_IMPRESION.USUARIO}='x'; DROP TABLE AUX_IMPRESION"_s); },
         ReportErrors::FormulaInvalida, u"La fórmula de selección no es válida"_s},
        {[&] { print(u"IMPRESION_CHEQUES"_s, Formula, {}, u"DSN=NO_EXISTE; UID=TESSARO; PWD=secreto"_s); },
         ReportErrors::BaseDeDatos, u"No se puede abrir la base de datos \"NO_EXISTE\" del reporte"_s},
        {[&] { print(u"IMPRESION_CHEQUES"_s, Formula, {}, u"UID=TESSARO; PWD=secreto"_s); },
         ReportErrors::BaseDeDatos, u"no indica la base de datos"_s},
        {[&] { reporte().Destino(7); }, ReportErrors::Destino, u"Destino de impresión desconocido: 7."_s},
        {[&] {
             reporte().Destino(reporte().DestinoArchivo(folder() + u"/no/existe/cheques.pdf"_s));
             print();
         },
         ReportErrors::Destino, u"No se puede escribir el archivo"_s},
        {[&] {
             reporte().Destino(reporte().DestinoImpresora());
             reporte().setImpresora(u"Impresora Que No Existe"_s);
             print();
         },
         ReportErrors::Destino, u"La impresora \"Impresora Que No Existe\" no está disponible."_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const RuntimeError error = failure(c.body);
        EXPECT_EQ(error.number(), c.number) << error.what();
        EXPECT_TRUE(error.description().contains(c.text)) << error.what();
        EXPECT_EQ(error.source(), u"ClsReporte"_s);
    }
    EXPECT_EQ(scalar(u"SELECT COUNT(*) FROM AUX_IMPRESION"_s).toInt(), 5);
}

TEST_F(ClsReporteTest, WithoutTheMainConnectionTheReportSaysSo)
{
    DataGlobals::reset();
    const RuntimeError error = failure([&] { print(); });
    EXPECT_EQ(error.number(), ReportErrors::BaseDeDatos);
    EXPECT_TRUE(error.description().contains(u"No hay una conexión abierta"_s)) << error.what();
}

TEST_F(ClsReporteTest, ScreenPreviewShowsTheSheetsModally)
{
    reporte().Destino(reporte().DestinoPantalla());
    reporte().setPrimeraPosicion(2);
    int pages = -1;
    QString title;
    QTimer watcher;
    watcher.setInterval(20);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (auto* preview = dialog->findChild<QPrintPreviewWidget*>())
            pages = preview->pageCount();
        title = dialog->windowTitle();
        dialog->reject();
    });
    watcher.start();
    print();
    watcher.stop();
    EXPECT_EQ(pages, 2) << "three cheques from position 2 take two sheets";
    EXPECT_EQ(title, u"Vista previa: IMPRESION_CHEQUES"_s);
    EXPECT_EQ(QApplication::topLevelWidgets().count(), 0);
}

TEST_F(ClsReporteTest, PreviewShowsTheScannedBackgroundThatPrintingLeavesOut)
{
    QImage red(36, 16, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(programFolder() + u"fondo.png"_s));
    QFile layout(programFolder() + u"CON_FONDO.rpt"_s);
    ASSERT_TRUE(layout.open(QIODevice::WriteOnly));
    layout.write("cheque ancho=180 alto=80\nimagen \"fondo.png\" x=0 y=0 ancho=180 alto=80 solo_vista=si\n"
                 "campo NOMBRE x=30 y=30 ancho=140\n");
    layout.close();

    reporte().Destino(reporte().DestinoPantalla());
    int redPixels = -1;
    QTimer watcher;
    watcher.setInterval(50);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        const QImage shown = dialog->grab().toImage();
        redPixels = 0;
        for (int y = 0; y < shown.height(); y += 2) {
            for (int x = 0; x < shown.width(); x += 2)
                redPixels += shown.pixelColor(x, y) == QColor(Qt::red) ? 1 : 0;
        }
        dialog->reject();
    });
    watcher.start();
    print(u"CON_FONDO"_s);
    watcher.stop();
    EXPECT_GT(redPixels, 100) << "the preview shows the background";

    reporte().Destino(reporte().DestinoArchivo(m_pdf));
    print(u"CON_FONDO"_s);
    QProcess images;
    images.start(u"pdfimages"_s, {u"-list"_s, m_pdf});
    ASSERT_TRUE(images.waitForFinished(30000));
    const QStringList lines =
        QString::fromUtf8(images.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), 2) << "only the header lines, no image: " << lines.join(u'|').toStdString();
    EXPECT_FALSE(wordsNamed(readPdfWords(m_pdf), u"Ferretería"_s).empty());
}

TEST(PagePainter, PreviewOnlyImagesAreLeftOutOfPrinting)
{
    QTemporaryDir dir;
    QImage red(10, 10, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(dir.filePath(u"fondo.png"_s)));
    Page page;
    PageItem image;
    image.kind = PageItem::Kind::Image;
    image.rect = QRectF(0, 0, 10, 10);
    image.image = dir.filePath(u"fondo.png"_s);
    image.previewOnly = true;
    page.items.push_back(image);
    for (const bool preview : {true, false}) {
        QImage sheet(100, 100, QImage::Format_RGB32);
        sheet.fill(Qt::white);
        QPainter painter(&sheet);
        PagePainter().paint(painter, page, 254, 254, preview); // 10 dots per millimetre
        painter.end();
        EXPECT_EQ(sheet.pixelColor(50, 50), preview ? QColor(Qt::red) : QColor(Qt::white));
    }
}

} // namespace

namespace {

TEST(PagePainter, CalibrationMovesAndTurnsTheWholeSheet)
{
    Page page;
    PageItem line;
    line.kind = PageItem::Kind::Line;
    line.line = QLineF(10, 10, 20, 10);
    line.pen = 1;
    page.items.push_back(line);
    PrinterCalibration calibration;
    calibration.x = 50;
    calibration.rotation = 90;
    QImage sheet(600, 600, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    PagePainter(calibration).paint(painter, page, 254, 254, false); // 10 dots per millimetre
    painter.end();
    // Turned a quarter clockwise about the corner, then moved 50 mm right: (x, y) becomes (50 - y, x).
    EXPECT_EQ(sheet.pixelColor(400, 150), QColor(Qt::black));
    EXPECT_EQ(sheet.pixelColor(150, 100), QColor(Qt::white));
}

} // namespace
