#include "zimbrel2/ClsDialogo.h"

#include "zimbrel2/OperatorDialogs.h"
#include "zimbrel2/RuntimeError.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

void ClsDialogo::MuestraAbrir()
{
    QString folder;
    if (!m_nombreArchivo.trimmed().isEmpty()) {
        const QFileInfo current(m_nombreArchivo);
        folder = current.isDir() ? current.filePath() : current.path();
    }
    const std::optional<QString> chosen = operatorDialogs().openFileName(m_titulo, m_filtro, folder);
    m_cancelado = !chosen || chosen->isEmpty();
    m_nombreArchivo = m_cancelado ? QString() : *chosen;
    if (m_cancelado && m_cancelaConError)
        throwCancel();
}

void ClsDialogo::MuestraImpresora()
{
    const std::optional<QString> chosen = operatorDialogs().choosePrinter(m_nombreImpresora);
    m_cancelado = !chosen;
    m_impresoraElegida = m_cancelado ? 0 : 1;
    if (chosen)
        m_nombreImpresora = *chosen;
    if (m_cancelado && m_cancelaConError)
        throwCancel();
}

void ClsDialogo::throwCancel()
{
    throw RuntimeError(RuntimeError::CancelSelected, u"Se seleccionó Cancelar."_s, u"ClsDialogo"_s);
}
