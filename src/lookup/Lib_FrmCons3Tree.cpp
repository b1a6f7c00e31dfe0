#include "lookup/Lib_FrmCons3Tree.h"

#include "app/ErrorReporting.h"
#include "data/AdoRecordset.h"
#include "data/DB_Dll.h"
#include "data/DataGlobals.h"
#include "lookup/BotonesConsulta.h"
#include "lookup/SentenciaConsulta.h"
#include "zimbrel2/ClsFormulario.h"
#include "zimbrel2/ClsUtiles.h"
#include "zimbrel2/OperatorDialogs.h"
#include "zimbrel2/TrappedRoutine.h"
#include "zimbrel2/Twips.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

constexpr int ClaveRol = Qt::UserRole;
// Six levels below the ticked node take its tick; deeper ones keep theirs.
constexpr int NivelesDeMarca = 6;
const QString TextoRaiz = u"Consulta..."_s;

ErrorReporter reporter(const QString& rutina)
{
    return [rutina](const RuntimeError& error) { return TrataError(error, std::nullopt, rutina); };
}

int px(int twips, const QWidget*)
{
    return Twips::aPixelesX(twips);
}

const QString SentenciaFamilias = u"SELECT     TOP 100 PERCENT IdFamilia, Descripcion, "_s
                                  u"(SELECT     TOP 1 idfamilia FROM @Admin_v_ta_familias a  "_s
                                  u" Where a.IdFamilia < b.IdFamilia And (Len(LTrim(RTrim(a.IdFamilia))) < "_s
                                  u"Len(LTrim(RTrim(b.IdFamilia)))) "_s
                                  u" ORDER BY idfamilia DESC) AS [relative] FROM dbo.V_TA_FAMILIAS b Where "_s
                                  u"IdFamilia<>'' ORDER BY IdFamilia"_s;

} // namespace

Lib_FrmCons3Tree::Lib_FrmCons3Tree(QWidget* parent) : QDialog(parent)
{
    setObjectName(u"Lib_FrmCons3Tree"_s);
    setWindowTitle(TextoRaiz);
    setModal(true);
    // The designed client area; the controls keep their places when the window is resized.
    resize(px(5910, this), px(4755, this));

    m_picFields = new QWidget(this);
    m_picFields->setObjectName(u"picFields"_s);
    m_picFields->setGeometry(0, 0, px(5910, this), px(4035, this));
    m_search = new QComboBox(m_picFields);
    m_search->setObjectName(u"CmbSearch"_s);
    m_search->setEditable(true);
    m_search->setInsertPolicy(QComboBox::NoInsert);
    m_search->setToolTip(u"F5 realiza nueva busqueda"_s);
    m_search->setGeometry(px(60, this), px(60, this), px(5790, this), px(315, this));
    m_tree = new QTreeWidget(m_picFields);
    m_tree->setObjectName(u"TreeV"_s);
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setUniformRowHeights(true);
    m_tree->setGeometry(px(60, this), px(420, this), px(5790, this), px(3555, this));

    m_frame1 = new QWidget(this);
    m_frame1->setObjectName(u"Frame1"_s);
    m_frame1->setGeometry(0, px(4035, this), px(5910, this), px(720, this));
    const BotonesConsulta botones = BotonesConsulta::crea(m_frame1);
    m_cmdAceptar = botones.aceptar;
    m_cmdCancelar = botones.cancelar;
    m_cmdNueva = botones.nueva;
    const int lefts[] = {120, 2040, 3915};
    QPushButton* buttons[] = {m_cmdAceptar, m_cmdCancelar, m_cmdNueva};
    for (int i = 0; i < 3; ++i)
        buttons[i]->setGeometry(px(lefts[i], this), px(120, this), px(1695, this), px(495, this));

    connect(m_cmdAceptar, &QPushButton::clicked, this, [this] { CmdAceptar_Click(); });
    connect(m_cmdCancelar, &QPushButton::clicked, this, [this] { CmdCancelar_Click(); });
    connect(m_cmdNueva, &QPushButton::clicked, this, [this] { CmdNueva_Click(); });
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this] { CmdAceptar_Click(); });
    connect(m_tree, &QTreeWidget::itemChanged, this,
            [this](QTreeWidgetItem* item, int) { ExtiendeMarca(item); });
    connect(m_search, &QComboBox::editTextChanged, this, [this] { BuscaTexto(); });
    connect(m_search, &QComboBox::activated, this, [this] { BuscaTexto(); });
    m_search->installEventFilter(this);
}

Lib_FrmCons3Tree::~Lib_FrmCons3Tree() = default;

void Lib_FrmCons3Tree::showEvent(QShowEvent* event)
{
    AseguraCarga();
    // Type-ahead works at once: the window opens in its search box.
    m_search->setFocus();
    // The keys go to this window even where the window manager would leave the focus behind.
    QTimer::singleShot(0, this, [this] { activateWindow(); });
    QDialog::showEvent(event);
}

void Lib_FrmCons3Tree::AseguraCarga()
{
    if (!m_cargada) {
        m_sqlPrimera = sql;
        Cargar();
    }
}

QString Lib_FrmCons3Tree::Clave(const QTreeWidgetItem* nodo)
{
    return nodo ? nodo->data(0, ClaveRol).toString() : QString();
}

QTreeWidgetItem* Lib_FrmCons3Tree::Nodo(const QString& clave) const
{
    return m_nodos.value(clave.toUpper());
}

void Lib_FrmCons3Tree::Cargar()
{
    m_cargada = true;
    TrappedRoutine routine(reporter(u"FORM_LOAD"_s));
    routine.step([&] { Valores.clear(); }) && routine.step([&] { Descargar(); }) && routine.step([&] {
        if (sql.contains(u"v_ta_familias"_s, Qt::CaseInsensitive))
            ArmarTreeVFamilias();
        else
            ArmarTreeVAutomatico();
    });
}

void Lib_FrmCons3Tree::Descargar()
{
    m_extendiendo = true;
    m_tree->clear();
    m_nodos.clear();
    m_orden.clear();
    m_extendiendo = false;
}

QTreeWidgetItem* Lib_FrmCons3Tree::agregaNodo(QTreeWidgetItem* padre, const QString& clave,
                                              const QString& texto)
{
    const QString key = clave.toUpper();
    if (m_nodos.contains(key))
        throw RuntimeError(35602, u"Key is not unique in collection"_s);
    auto* nodo = padre ? new QTreeWidgetItem(padre) : new QTreeWidgetItem(m_tree);
    m_extendiendo = true;
    nodo->setText(0, texto);
    nodo->setData(0, ClaveRol, clave);
    if (CheckBoxes) {
        nodo->setFlags(nodo->flags() | Qt::ItemIsUserCheckable);
        nodo->setCheckState(0, Qt::Unchecked);
    }
    m_extendiendo = false;
    m_nodos.insert(key, nodo);
    m_orden << nodo;
    return nodo;
}

void Lib_FrmCons3Tree::iniciaArbol()
{
    Descargar();
    m_tree->setRootIsDecorated(true);
    m_tree->setItemsExpandable(true);
    QTreeWidgetItem* raiz = agregaNodo(nullptr, u"A"_s, TextoRaiz);
    raiz->setExpanded(true);
}

void Lib_FrmCons3Tree::ArmarTreeVFamilias()
{
    sql = SentenciaFamilias;
    armaArbol(u"ArmarTreeVFamilias"_s, [this](const AdoRecordset& rs) {
        const QString codigo = ClsUtiles::ValorSeguro(rs.value(u"IdFamilia"));
        const QVariant relativo = rs.value(u"relative");
        const QString padre = relativo.isNull() ? u"A"_s : u"A"_s + ClsUtiles::ValorSeguro(relativo);
        QTreeWidgetItem* nodoPadre = Nodo(padre);
        if (!nodoPadre)
            throw RuntimeError(35601, u"Element not found"_s);
        agregaNodo(nodoPadre, u"A"_s + codigo,
                   codigo + u" - "_s + ClsUtiles::ValorSeguro(rs.value(u"Descripcion")));
    });
}

void Lib_FrmCons3Tree::ArmarTreeVAutomatico()
{
    armaArbol(u"ArmarTreeVAutomatico"_s, [this](const AdoRecordset& rs) {
        const QString codigo = ClsUtiles::ValorSeguro(rs.value(0));
        const QString clave = u"A"_s + codigo;
        if (Nodo(clave))
            throw RuntimeError(35602, u"Key is not unique in collection"_s);
        // The parent is the longest key already in the tree that begins this one; the root "A"
        // begins every key.
        QTreeWidgetItem* padre = nullptr;
        for (qsizetype n = clave.size() - 1; n >= 1 && !padre; --n)
            padre = Nodo(clave.left(n));
        agregaNodo(padre, clave, codigo + u" - "_s + ClsUtiles::ValorSeguro(rs.value(1)));
    });
}

void Lib_FrmCons3Tree::armaArbol(const QString& rutina,
                                 const std::function<void(const AdoRecordset&)>& agregaFila)
{
    TrappedRoutine routine(reporter(rutina));
    DB_Dll& db = DataGlobals::gDB();
    AdoRecordset rs;
    m_cargaFallida = false;
    routine.step([&] { iniciaArbol(); }) && routine.step([&] {
        QString statement = sql;
        db.AbrirRecordset(statement, rs, &db.gCnn(), 0, 1, -1, true);
        // Reported by the data layer already: no rows to read from a statement that did not open.
        m_cargaFallida = !rs.isOpen();
    }) &&
        !m_cargaFallida && routine.step([&] {
            if (rs.bof() && rs.eof())
                return;
            rs.moveFirst();
            while (!rs.eof()) {
                // A row that cannot hang in the tree is reported; going on takes the next row.
                if (TrappedRoutine::run([&] { agregaFila(rs); }, reporter(rutina)) ==
                    TrappedRoutine::Outcome::Leave)
                    return;
                rs.moveNext();
            }
        });
    TrappedRoutine().step([&] { db.CierraRecordset(&rs); });
}

void Lib_FrmCons3Tree::BuscaTexto()
{
    const QString texto = m_search->currentText();
    for (QTreeWidgetItem* nodo : std::as_const(m_orden)) {
        const QString text = nodo->text(0);
        const qsizetype dash = text.indexOf(u'-');
        const QString codigo = dash < 0 ? QString() : text.left(dash).trimmed();
        const QString descripcion = dash < 0 ? TextoRaiz : text.mid(dash + 1).trimmed();
        if (codigo.startsWith(texto, Qt::CaseInsensitive) ||
            descripcion.startsWith(texto, Qt::CaseInsensitive)) {
            m_tree->setCurrentItem(nodo);
            m_tree->scrollToItem(nodo);
            return;
        }
    }
}

bool Lib_FrmCons3Tree::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_search && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_F5) {
            ReBusqueda();
            return true;
        }
        if (key == Qt::Key_Down || key == Qt::Key_Up || key == Qt::Key_PageDown || key == Qt::Key_PageUp) {
            m_tree->setFocus();
            return true;
        }
        if (ClsFormulario::EsTeclaAceptar(key)) {
            CmdAceptar_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Lib_FrmCons3Tree::ReBusqueda()
{
    try {
        ClsFormulario::setDataField(m_search, u"Descripcion"_s);
        const QString sentencia =
            SentenciaConsulta::BusquedaArbol(sql, m_search->currentText(), m_sqlBase, m_colaSql);
        m_search->setEditText(QString());
        m_sqlBase = sentencia;
        sql = sentencia;
        Cargar();
    } catch (const RuntimeError&) {
    }
}

void Lib_FrmCons3Tree::ExtiendeMarca(QTreeWidgetItem* nodo)
{
    if (m_extendiendo || !CheckBoxes || !nodo)
        return;
    m_extendiendo = true;
    const Qt::CheckState estado = nodo->checkState(0);
    QList<QTreeWidgetItem*> nivel{nodo};
    for (int n = 0; n < NivelesDeMarca && !nivel.isEmpty(); ++n) {
        QList<QTreeWidgetItem*> siguiente;
        for (QTreeWidgetItem* padre : std::as_const(nivel)) {
            for (int i = 0; i < padre->childCount(); ++i) {
                QTreeWidgetItem* hijo = padre->child(i);
                hijo->setCheckState(0, estado);
                siguiente << hijo;
            }
        }
        nivel = siguiente;
    }
    m_extendiendo = false;
}

void Lib_FrmCons3Tree::CmdAceptar_Click()
{
    DB_Dll& db = DataGlobals::gDB();
    const QString campo = CampoDevuelto.trimmed().toUpper();
    TrappedRoutine routine(reporter(u"CmdAceptar_Click"_s));
    if (CheckBoxes) {
        for (QTreeWidgetItem* nodo : std::as_const(m_orden)) {
            if (nodo->checkState(0) != Qt::Checked)
                continue;
            const QString codigo = Clave(nodo).mid(1);
            if (!routine.step([&] {
                    if (campo == u"IDFAMILIA"_s || campo == u"CODIGO"_s) {
                        Valores << codigo.trimmed();
                    } else if (campo == u"IDPOSICION"_s) {
                        AdoRecordset rs;
                        if (db.ExisteEnTabla(u"MA_POSICIONES"_s, codigo, u"IDPOSICION"_s, &rs, 8, QString(),
                                             true))
                            Valores << ClsUtiles::ValorSeguro(rs.value(CampoDevuelto.trimmed()));
                    }
                }))
                return;
        }
        hide();
        return;
    }
    QString codigo;
    routine.step([&] {
        QTreeWidgetItem* nodo = m_tree->currentItem();
        if (!nodo)
            throw RuntimeError(91, u"Object variable or With block variable not set"_s);
        codigo = Clave(nodo).mid(1);
    }) &&
        routine.step([&] {
            AdoRecordset rs;
            bool found = false;
            if (campo == u"IDFAMILIA"_s) {
                found = db.ExisteEnTabla(u"@admin_V_TA_FAMILIAS"_s, codigo, u"IDFAMILIA"_s, &rs, 8, QString(),
                                         true);
            } else if (campo == u"IDPOSICION"_s) {
                found =
                    db.ExisteEnTabla(u"MA_POSICIONES"_s, codigo, u"IDPOSICION"_s, &rs, 8, QString(), true);
            } else if (campo == u"CODIGO"_s) {
                found = db.ExisteEnTabla(u"TA_CCOSTO"_s, codigo, u"CODIGO"_s, &rs, 8, QString(), true);
                if (!found)
                    found = db.ExisteEnTabla(u"MA_CUENTAS"_s, codigo, u"CODIGO"_s, &rs, 8, QString(), true);
            } else {
                return;
            }
            ValorDevuelto = found ? ClsUtiles::ValorSeguro(rs.value(CampoDevuelto.trimmed())) : QString();
        }) &&
        routine.step([&] { hide(); });
}

void Lib_FrmCons3Tree::CmdCancelar_Click()
{
    ValorDevuelto.clear();
    Valores.clear();
    hide();
}

void Lib_FrmCons3Tree::reject()
{
    CmdCancelar_Click();
}

void Lib_FrmCons3Tree::CmdNueva_Click()
{
    // Back to the first statement and its builder, as the list window's button goes back to its
    // first statement.
    TrappedRoutine routine;
    routine.step([&] {
        sql = m_sqlPrimera;
        m_sqlBase.clear();
        m_colaSql.clear();
        Cargar();
    });
}
