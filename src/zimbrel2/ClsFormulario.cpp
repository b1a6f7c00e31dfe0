#include "zimbrel2/ClsFormulario.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QVariant>
#include <QWidget>

namespace {

bool canTakeTabFocus(const QWidget* widget, const QWidget* window)
{
    return widget->window() == window && widget->isEnabled() && widget->isVisibleTo(window) &&
           (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !widget->focusProxy();
}

} // namespace

void ClsFormulario::setDataField(QWidget* campo, const QString& nombre)
{
    if (campo)
        campo->setProperty(DataFieldProperty, nombre);
}

QString ClsFormulario::DataField(const QWidget* campo)
{
    return campo ? campo->property(DataFieldProperty).toString() : QString();
}

int ClsFormulario::IndiceCampo(const QString& nombre, const QList<QLineEdit*>& campos)
{
    // An empty name would find the first field that has none.
    if (nombre.isEmpty())
        return -1;
    for (qsizetype i = 0; i < campos.size(); ++i) {
        if (campos[i] && DataField(campos[i]).compare(nombre, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

bool ClsFormulario::EsTeclaAceptar(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == 13;
}

bool ClsFormulario::NavegaTeclado(QWidget* desde, int key)
{
    if (!desde)
        return false;
    bool forward = true;
    if (key == Qt::Key_Up)
        forward = false;
    else if (!EsTeclaAceptar(key) && key != Qt::Key_Down)
        return false;

    // Walk the window's tab chain as QWidget::focusNextPrevChild does, skipping hidden, disabled and
    // click-only controls; a field alone in its window keeps the focus.
    const QWidget* window = desde->window();
    QWidget* candidate = forward ? desde->nextInFocusChain() : desde->previousInFocusChain();
    while (candidate && candidate != desde) {
        if (canTakeTabFocus(candidate, window)) {
            candidate->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
        candidate = forward ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
    }
    return false;
}

std::optional<QChar> ClsFormulario::FiltraTecla(QLineEdit*, QChar tecla)
{
    if (tecla == u'\b')
        return tecla;
    if (tecla.category() == QChar::Other_Control)
        return std::nullopt;
    return tecla;
}

bool ClsFormulario::AplicaFiltro(QLineEdit* campo, const QKeyEvent* event)
{
    if (!campo || !event || event->type() != QEvent::KeyPress)
        return false;
    const QString typed = event->text();
    if (typed.isEmpty() || !typed.front().isPrint())
        return false;
    QString filtered;
    for (QChar c : typed) {
        if (const std::optional<QChar> kept = FiltraTecla(campo, c))
            filtered += *kept;
    }
    if (filtered == typed)
        return false;
    if (!filtered.isEmpty() && !campo->isReadOnly())
        campo->insert(filtered);
    return true;
}
