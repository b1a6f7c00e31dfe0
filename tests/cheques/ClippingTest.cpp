// Every window and dialog of the program, opened in the program's own look (the skin of the cheque
// window, which its dialogs inherit): no visible button, label, column header or window title may
// need more room than it has.
#include "ChequeWindowFixture.h"
#include "support/ModalHelper.h"

#include "lookup/Lib_FrmCons3.h"
#include "lookup/Lib_FrmCons3Tree.h"
#include "zimbrel2/DatePickerDialog.h"
#include "zimbrel2/MedidaTextos.h"
#include "zimbrel2/MessageBoxStyle.h"
#include "zimbrel2/PrinterChoiceDialog.h"
#include "zimbrel2/QtOperatorDialogs.h"

#include <QAbstractButton>
#include <QCalendarWidget>
#include <QHeaderView>
#include <QLabel>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

QString sinAtajos(QString text)
{
    return text.remove(QRegularExpression(u"&(?!&)"_s));
}

/// What on `ventana` needs more room than it has, one line each.
QStringList recortes(QWidget* ventana)
{
    QStringList out;
    const auto nombre = [](const QWidget* w) -> QString {
        return QString::fromLatin1(w->metaObject()->className()) + u" "_s + w->objectName();
    };
    const QString titulo = ventana->windowTitle();
    if (!titulo.isEmpty() && ventana->width() < MedidaTextos::anchoTitulo(titulo, ventana))
        out << u"title \""_s + titulo + u"\": "_s + QString::number(ventana->width()) + u" < "_s +
                   QString::number(MedidaTextos::anchoTitulo(titulo, ventana));
    // Every visible button and label lies inside its window.
    const auto fuera = [&](QWidget* w) {
        const QRect r(w->mapTo(ventana, QPoint(0, 0)), w->size());
        if (!ventana->rect().contains(r))
            out << nombre(w) + u" lies outside the window: "_s + QString::number(r.right()) + u" > "_s +
                       QString::number(ventana->width() - 1);
    };
    for (QAbstractButton* b : ventana->findChildren<QAbstractButton*>()) {
        if (!b->isVisibleTo(ventana) || b->text().isEmpty())
            continue;
        fuera(b);
        const QSize hint = b->sizeHint();
        if (b->width() < hint.width() || b->height() < hint.height())
            out << nombre(b) + u" \""_s + sinAtajos(b->text()) + u"\": "_s + QString::number(b->width()) +
                       u"x"_s + QString::number(b->height()) + u" < "_s + QString::number(hint.width()) +
                       u"x"_s + QString::number(hint.height());
    }
    for (QLabel* l : ventana->findChildren<QLabel*>()) {
        if (!l->isVisibleTo(ventana) || l->text().isEmpty() || l->wordWrap())
            continue;
        fuera(l);
        const QSize hint = l->minimumSizeHint();
        if (l->width() < hint.width() || l->height() < hint.height())
            out << nombre(l) + u" \""_s + l->text() + u"\": "_s + QString::number(l->width()) + u"x"_s +
                       QString::number(l->height()) + u" < "_s + QString::number(hint.width()) + u"x"_s +
                       QString::number(hint.height());
    }
    for (QHeaderView* h : ventana->findChildren<QHeaderView*>()) {
        if (!h->isVisibleTo(ventana) || h->orientation() != Qt::Horizontal)
            continue;
        for (int i = 0; i < h->count(); ++i) {
            if (h->isSectionHidden(i) || h->sectionSize(i) == 0)
                continue;
            const QString text = h->model()->headerData(i, Qt::Horizontal).toString();
            if (!text.isEmpty() && h->sectionSize(i) < h->sectionSizeHint(i))
                out << nombre(h->parentWidget()) + u" header \""_s + text + u"\": "_s +
                           QString::number(h->sectionSize(i)) + u" < "_s +
                           QString::number(h->sectionSizeHint(i));
        }
    }
    // Tables (the calendar's days): every row tall enough for its text.
    for (QTableView* t : ventana->findChildren<QTableView*>()) {
        if (!t->isVisibleTo(ventana))
            continue;
        const int needed = t->fontMetrics().height();
        for (int r = 0; r < t->model()->rowCount(); ++r) {
            if (t->rowHeight(r) < needed)
                out << nombre(t) + u" row "_s + QString::number(r) + u": "_s +
                           QString::number(t->rowHeight(r)) + u" < "_s + QString::number(needed);
        }
    }
    return out;
}

class Clipping : public ChequeWindowFixture
{
protected:
    void expectWhole(QWidget* ventana, const QString& what)
    {
        const QStringList found = recortes(ventana);
        EXPECT_TRUE(found.isEmpty()) << what.toStdString() << ":\n  " << found.join(u"\n  "_s).toStdString();
    }

    /// Checks the next modal window once it shows, then closes it.
    void checkNextModal(const QString& what)
    {
        ModalHelper::whenNext<QDialog>([this, what](QDialog* dialog) {
            expectWhole(dialog, what);
            dialog->reject();
        });
    }
};

TEST_F(Clipping, TheChequeWindowInBothModesAndBothTabs)
{
    for (bool reimpresion : {false, true}) {
        SCOPED_TRACE(reimpresion);
        start(reimpresion);
        w().resize(1366, 740);
        if (reimpresion) {
            field(u"idbanco"_s)->setText(DemoDb::TestAccount);
            field(u"Serie"_s)->setText(DemoDb::TestSeries);
            field(u"NumerarDesde"_s)->setText(u"50"_s);
            field(u"NumerarHasta"_s)->setText(u"60"_s);
        } else {
            fillTestAccount();
        }
        load();
        ASSERT_GT(list()->topLevelItemCount(), 0);
        tick(0);
        expectWhole(&w(), u"cheques tab"_s);
        // The smallest the window may get keeps everything whole too.
        w().resize(w().minimumSizeHint());
        expectWhole(&w(), u"cheques tab, smallest"_s);
        w().resize(1366, 740);
        w().findChild<QTabWidget*>(u"SSTab1"_s)->setCurrentIndex(1);
        expectWhole(&w(), u"configuration tab"_s);
        m_window.reset();
        resetAppState();
    }
}

TEST_F(Clipping, TheLookupWindowsTheDatePickerThePrinterListAndTheBanner)
{
    start();
    for (const char16_t* f : {u"ProveedorD", u"idbanco"}) {
        field(QString::fromUtf16(f))->setFocus();
        checkNextModal(u"lookup of "_s + QString::fromUtf16(f));
        // As a window manager gives the activation back when the last lookup closes.
        QApplication::setActiveWindow(&w());
        QTest::keyClick(field(QString::fromUtf16(f)), Qt::Key_F3);
    }
    checkNextModal(u"option list"_s);
    Lib_ClsCons3::instance().MenuOpciones(u"Seleccione la moneda del comprobante"_s,
                                          {u"Pesos"_s, u"Dólares"_s, u"Euros"_s});
    checkNextModal(u"tree lookup"_s);
    Lib_ClsCons3::instance().CampoDevuelto = u"IDPOSICION"_s;
    Lib_ClsCons3::instance().ConsultaSearch(u"SELECT IDPOSICION, Descripcion FROM MA_POSICIONES"_s, nullptr,
                                            {}, nullptr, nullptr, {}, true);

    DatePickerDialog picker(QDate(2024, 11, 30), &w());
    picker.show();
    expectWhole(&picker, u"date picker"_s);
    picker.hide();
    PrinterChoiceDialog printers({u"HP LaserJet 1020 (oficina de tesorería)"_s, u"PDF"_s}, u"PDF"_s, &w());
    printers.show();
    expectWhole(&printers, u"printer list"_s);
    printers.hide();

    gDisplay().CartelInicio(u"Generando Cheques"_s, true);
    bool cancelado = false;
    gDisplay().CartelMostrar(cancelado, u"Imprimiendo..."_s,
                             u"Cheque B-100 - Proveedores del Litoral S.A."_s);
    ASSERT_NE(gDisplay().ventana(), nullptr);
    expectWhole(gDisplay().ventana(), u"banner"_s);
    gDisplay().CartelCerrar();
}

TEST_F(Clipping, MessageBoxesAndTheInputBoxShowTheirWholeTitle)
{
    start();
    QtOperatorDialogs real;
    struct Case
    {
        QString text;
        QString title;
        int style;
    };
    const Case cases[] = {
        {u"Debe informar un Banco"_s, u"Aviso al operador"_s, MsgStyle::Information},
        {u"Ok"_s, u"Sistema de Impresion de Cheques - Aviso al operador!!! - 2 "_s,
         MsgStyle::AbortRetryIgnore},
        {u"Opcion no Implementada!\rComuniquese con su proveedor de sistemas"_s, u"Atención"_s,
         MsgStyle::Critical},
    };
    for (const Case& c : cases) {
        checkNextModal(c.title);
        real.messageBox(c.text, c.style, c.title);
    }
    checkNextModal(u"input box"_s);
    real.inputBox(u"Ingrese la Cantidad del Articulo..."_s, u"Carga de Datos del artículo elegido"_s, u"1"_s);
}

} // namespace
