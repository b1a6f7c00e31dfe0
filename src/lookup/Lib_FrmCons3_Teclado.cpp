// The search and the keys of the list lookup window: type-ahead in the listed rows, the database
// re-search (F5), keys typed in the list, quantities, the stock-shortage report and header sorting.
#include "lookup/Lib_FrmCons3.h"

#include "app/ErrorReporting.h"
#include "data/DB_Dll.h"
#include "data/DataGlobals.h"
#include "data/SqlValue.h"
#include "lookup/CantidadCelda.h"
#include "lookup/SentenciaConsulta.h"
#include "zimbrel2/Clock.h"
#include "zimbrel2/ClsFormulario.h"
#include "zimbrel2/ClsUtiles.h"
#include "zimbrel2/MessageBoxStyle.h"
#include "zimbrel2/OperatorDialogs.h"
#include "zimbrel2/TrappedRoutine.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

bool esTeclaDeLista(int key)
{
    return key == Qt::Key_Down || key == Qt::Key_Up || key == Qt::Key_PageDown || key == Qt::Key_PageUp;
}

void ponCelda(QTreeWidgetItem* item, int columna, const QString& texto)
{
    item->setText(columna <= 1 ? 0 : columna - 1, texto);
}

QString celda(const QTreeWidgetItem* item, int columna)
{
    return item->text(columna <= 1 ? 0 : columna - 1);
}

} // namespace

int Lib_FrmCons3::indiceBuscador(const QObject* watched) const
{
    for (int i = 0; i < m_boxes.size(); ++i) {
        if (m_boxes[i] == watched)
            return i;
    }
    return -1;
}

bool Lib_FrmCons3::eventFilter(QObject* watched, QEvent* event)
{
    const int box = indiceBuscador(watched);
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        // The window sees keys before its controls: F12 reports a shortage from anywhere.
        if (key->key() == Qt::Key_F12 && m_esArticulos) {
            InformaFaltante();
            return true;
        }
        if (box >= 0)
            return TeclaBuscador(box, key);
        if (watched == m_list)
            return TeclaLista(key);
        break;
    }
    case QEvent::FocusIn:
        if (box >= 0) {
            m_buscadorActual = box;
            QPalette palette = m_boxes[box]->lineEdit()->palette();
            palette.setColor(QPalette::Base, ColorBuscadorActivo());
            m_boxes[box]->lineEdit()->setPalette(palette);
        }
        break;
    case QEvent::FocusOut:
        if (box >= 0) {
            QPalette palette = m_boxes[box]->lineEdit()->palette();
            palette.setColor(QPalette::Base, ColorBuscador());
            m_boxes[box]->lineEdit()->setPalette(palette);
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

int Lib_FrmCons3::Busqueda(int Clave, const QString& QueValor) const
{
    const int column = Clave < 1 ? 0 : Clave;
    if (column >= m_list->columnCount())
        return 0;
    const QString sought = QueValor.trimmed();
    const int rows = m_list->topLevelItemCount();
    for (int i = 0; i < rows; ++i) {
        const QString text = m_list->topLevelItem(i)->text(column);
        if (QStringView(text).trimmed().startsWith(sought, Qt::CaseInsensitive))
            return i + 1;
    }
    return 0;
}

void Lib_FrmCons3::BuscaTexto(int index)
{
    const int k = Busqueda(index, m_boxes[index]->currentText());
    if (k == 0)
        return;
    QTreeWidgetItem* item = m_list->topLevelItem(k - 1);
    m_list->setCurrentItem(item);
    m_list->scrollToItem(item);
}

bool Lib_FrmCons3::TeclaBuscador(int index, QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_F5) {
        ReBusqueda(index);
        return true;
    }
    if (esTeclaDeLista(key)) {
        m_list->setFocus();
        return true;
    }
    if (ClsFormulario::EsTeclaAceptar(key)) {
        // The box would keep Enter for itself; the window's default button takes it.
        CmdAceptar_Click();
        return true;
    }
    return false;
}

void Lib_FrmCons3::ReBusqueda(int index)
{
    // The keys of the search boxes ignore their failures.
    try {
        QComboBox* box = m_boxes[index];
        const QString campo = ClsFormulario::DataField(box);
        QString texto = box->currentText();
        if (!CfgUsaConsultaLIKE) {
            texto.replace(u'*', u'%');
            box->setEditText(texto);
        }
        const QString sentencia =
            SentenciaConsulta::BusquedaLista(sql, campo, texto, CfgUsaConsultaLIKE, m_sqlBase, m_colaSql);
        box->setEditText(QString());
        m_sqlBase = sentencia;
        sql = sentencia;
        Cargar();
    } catch (const RuntimeError&) {
    }
}

bool Lib_FrmCons3::TeclaLista(QKeyEvent* event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (key == Qt::Key_Space && CheckBoxes)
        return false;
    if (ClsFormulario::EsTeclaAceptar(key)) {
        CmdAceptar_Click();
        return true;
    }
    const bool insert = key == Qt::Key_Insert;
    const bool shiftInsert = insert && mods == Qt::ShiftModifier;
    if (UsaCantidades && ((insert && (mods == Qt::NoModifier || shiftInsert)) ||
                          (key == Qt::Key_Delete && mods == Qt::NoModifier))) {
        TrappedRoutine routine(
            [](const RuntimeError& e) { return TrataError(e, std::nullopt, u"ListView1_KeyDown"_s); });
        QTreeWidgetItem* item = nullptr;
        int c = 0;
        routine.step([&] {
            item = m_list->currentItem();
            c = IndiceColumna(u"**Cantidad**"_s);
            if (!item)
                throw RuntimeError(91, u"Object variable or With block variable not set"_s);
            if (c == 0)
                throw RuntimeError(380, u"Invalid property value"_s);
        }) &&
            routine.step([&] {
                if (shiftInsert) {
                    const std::optional<QString> answer = operatorDialogs().inputBox(
                        u"Ingrese la Cantidad del Articulo..."_s, u"Carga de Datos"_s, celda(item, c));
                    // A cancelled box leaves the row as it was.
                    if (!answer)
                        return;
                    const double value = ClsUtiles::TextoANumero(*answer).toDouble();
                    // A quantity of 0 takes the row out, as Delete does when it reaches 0.
                    ponCelda(item, c, CantidadCelda::Formato(value, 2));
                    if (CheckBoxes)
                        item->setCheckState(0, value > 0 ? Qt::Checked : Qt::Unchecked);
                } else if (insert) {
                    ponCelda(item, c, CantidadCelda::Formato(CantidadCelda::Valor(celda(item, c)) + 1, 1));
                    if (CheckBoxes)
                        item->setCheckState(0, Qt::Checked);
                } else {
                    ponCelda(item, c, CantidadCelda::Formato(CantidadCelda::Valor(celda(item, c)) - 1, 1));
                    if (CantidadCelda::Valor(celda(item, c)) <= 0) {
                        if (CheckBoxes)
                            item->setCheckState(0, Qt::Unchecked);
                        ponCelda(item, c, u"0.00"_s);
                    }
                }
            });
        return true;
    }
    if (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    QComboBox* box = m_boxes.value(m_buscadorActual);
    if (!box)
        return false;
    // Backspace takes back the last letter of the search, as it would in the box itself.
    if (key == Qt::Key_Backspace) {
        QString text = box->currentText();
        text.chop(1);
        box->setEditText(text);
        box->setFocus();
        return true;
    }
    // Printable keys (letters as typed, digits of the keypad too) continue the last search.
    const QString typed = event->text();
    if (typed.size() == 1 && typed[0].isPrint() && (key != Qt::Key_Space || !CheckBoxes)) {
        box->setEditText(box->currentText() + typed);
        box->setFocus();
        return true;
    }
    return false;
}

void Lib_FrmCons3::InformaFaltante()
{
    const QTreeWidgetItem* item = m_list->currentItem();
    if (!item)
        return;
    const int ci = IndiceColumna(u"idarticulo"_s);
    const int cd = IndiceColumna(u"Descripcion"_s);
    const QString articulo = ci > 0 ? celda(item, ci) : QString();
    const QString descripcion = cd > 0 ? celda(item, cd) : QString();
    const int answer =
        operatorDialogs().messageBox(u"Desea informar el articulo "_s + articulo.trimmed() + u" "_s +
                                         descripcion.trimmed() + u"\r\n"_s + u"como un faltante de stock?"_s,
                                     MsgStyle::YesNo + MsgStyle::Question, u"Atención!"_s);
    if (answer != MsgAnswer::Yes)
        return;
    DB_Dll& db = DataGlobals::gDB();
    // Every value goes in as a literal: an apostrophe in a description must not end it. The moment is
    // a date-time literal, so it sorts and compares as a date on every engine.
    const QString momento = u"{ts '"_s + Clock::now().toString(u"yyyy-MM-dd HH:mm:ss"_s) + u"'}"_s;
    QString statement = u"INSERT INTO V_MV_FALTANTES (FechaHora,IdArticulo,Descripcion,Usuario) values("_s +
                        momento + u","_s + SQLValue(ClsUtiles::TextoVisible(articulo, 25), u"'") + u","_s +
                        SQLValue(descripcion.trimmed(), u"'") + u","_s + SQLValue(db.gUsuario, u"'") + u")"_s;
    long affected = 0;
    db.EjecutaConsultaSQL(statement, affected);
}

void Lib_FrmCons3::OrdenaPorColumna(int column)
{
    m_sortOrder = m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    m_sortColumn = column;
    m_list->sortItems(column, m_sortOrder);
    m_list->header()->setSortIndicatorShown(true);
    m_list->header()->setSortIndicator(column, m_sortOrder);
    if (QTreeWidgetItem* item = m_list->currentItem())
        m_list->scrollToItem(item);
}
