#include "printing/FrmEjemplo.h"

#include "app/AppState.h"
#include "app/ImporteLetras.h"
#include "printing/ImpresoraAbierta.h"
#include "printing/Rt_Imp1.h"
#include "report/ClsReporte.h"
#include "zimbrel2/ClsDialogo.h"
#include "zimbrel2/ClsUtiles.h"
#include "zimbrel2/MessageBoxStyle.h"
#include "zimbrel2/OperatorDialogs.h"
#include "zimbrel2/TrappedRoutine.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

FrmEjemplo::FrmEjemplo(QWidget* parent) : QWidget(parent)
{
    setObjectName(u"FrmEjemplo"_s);
    setWindowTitle(u"Form1"_s);
    auto* layout = new QVBoxLayout(this);
    m_list1 = new QListWidget(this);
    m_list1->setObjectName(u"List1"_s);
    layout->addWidget(m_list1);
    auto* botones = new QHBoxLayout();
    const struct
    {
        const char16_t* nombre;
        const char16_t* texto;
        void (FrmEjemplo::*click)();
    } comandos[] = {{u"Command1", u"Crear", &FrmEjemplo::Command1_Click},
                    {u"Command2", u"Probar", &FrmEjemplo::Command2_Click},
                    {u"Command3", u"Borrar", &FrmEjemplo::Command3_Click},
                    {u"Command4", u"Command4", &FrmEjemplo::Command4_Click}};
    for (const auto& c : comandos) {
        auto* boton = new QPushButton(QString::fromUtf16(c.texto), this);
        boton->setObjectName(QString::fromUtf16(c.nombre));
        boton->setAutoDefault(false);
        connect(boton, &QPushButton::clicked, this, c.click);
        botones->addWidget(boton);
    }
    layout->addLayout(botones);
    resize(480, 320);
}

FrmEjemplo::~FrmEjemplo() = default;

void FrmEjemplo::Form_Load()
{
    const std::unique_ptr<ImpresoraAbierta> hPrinter = Rt_Imp1::AbreImpresoraActual();
    if (!hPrinter)
        return;
    const QList<FormularioImpresora> formas = hPrinter->formularios();
    for (qsizetype i = 0; i < formas.size(); ++i)
        m_list1->addItem(Rt_Imp1::LineaFormulario(formas[i], static_cast<int>(i + 1)));
}

QString FrmEjemplo::formularioElegido() const
{
    const QListWidgetItem* item = m_list1->currentItem();
    if (!item || !item->isSelected())
        return {};
    const QString linea = item->text();
    const qsizetype corte = linea.indexOf(u" -"_s);
    return corte < 0 ? linea : linea.left(corte);
}

void FrmEjemplo::avisaSinSeleccion()
{
    operatorDialogs().messageBox(u"Select a printer from the ListBox before using this option."_s,
                                 MsgStyle::Exclamation, QString());
}

ClsDialogo& FrmEjemplo::dialogo()
{
    if (!m_dialogo)
        m_dialogo = std::make_unique<ClsDialogo>();
    return *m_dialogo;
}

void FrmEjemplo::ImprimeConFormulario(const QString& NombreFormulario)
{
    switch (Rt_Imp1::SeleccionaFormulario(NombreFormulario, this)) {
    case 0:
        operatorDialogs().messageBox(u"Unable to retrieve From name"_s, MsgStyle::Exclamation,
                                     u"Operation halted!"_s);
        break;
    case 1: {
        // The preview's failures (no report file, no database) are shown like every report failure.
        TrappedRoutine routine(ClsUtiles::reporterFor(u"ImprimeConFormulario"_s));
        routine.step([] {
            ClsReporte& reporte = ClsReporte::instance();
            reporte.Destino(reporte.DestinoPantalla());
            reporte.ImprimeReporte(u"IMPRESION_CHEQUES"_s, QStringList(), QString(), appState().gCadenaDSN,
                                   u"ImporteLetras='"_s +
                                       ImporteEnLetras(u"15256"_s, 0, u"Pesos"_s, u"Centavos"_s) + u"'"_s,
                                   {}, {}, {}, {}, QString(), QString(), QString());
            // With the print table empty there is no page to show; say so instead of nothing at all.
            if (reporte.paginasImpresas() == 0)
                operatorDialogs().messageBox(
                    u"No hay cheques en la tabla de impresión para mostrar en la vista previa."_s,
                    MsgStyle::Information, QString());
        });
        break;
    }
    case 2:
        m_list1->clear();
        Form_Load();
        break;
    }
}

void FrmEjemplo::Command1_Click()
{
    ImprimeConFormulario(QString::fromUtf16(Rt_Imp1::FormularioPropio));
}

void FrmEjemplo::Command2_Click()
{
    const QString nombre = formularioElegido();
    if (nombre.isEmpty())
        return avisaSinSeleccion();
    ImprimeConFormulario(nombre);
}

void FrmEjemplo::Command3_Click()
{
    const std::unique_ptr<ImpresoraAbierta> hPrinter = Rt_Imp1::AbreImpresoraActual();
    if (!hPrinter)
        return;
    const QString nombre = formularioElegido();
    if (nombre.isEmpty())
        return avisaSinSeleccion();
    if (operatorDialogs().messageBox(u"Are you sure you want to permanently remove "_s + nombre +
                                         u" from "_s + hPrinter->nombre() + u"?"_s,
                                     MsgStyle::YesNo, QString()) != MsgAnswer::Yes)
        return;
    const int error = Rt_Imp1::EliminaFormulario(*hPrinter, nombre);
    if (error == 0) {
        m_list1->clear();
        Form_Load();
        operatorDialogs().messageBox(nombre + u" deleted!"_s, MsgStyle::Information, u"Success!"_s);
    } else {
        operatorDialogs().messageBox(nombre + u" not deleted!\r\n\r\nError code: "_s + QString::number(error),
                                     MsgStyle::Information, u"Failure!"_s);
    }
}

void FrmEjemplo::Command4_Click()
{
    ClsDialogo& d = dialogo();
    d.setNombreImpresora(Rt_Imp1::ImpresoraActual());
    d.MuestraImpresora();
    if (d.ImpresoraElegida() == 0)
        return;
    // The chosen printer becomes the application's printer; its forms replace the list.
    ClsReporte::instance().setImpresora(d.NombreImpresora());
    m_list1->clear();
    Form_Load();
}
