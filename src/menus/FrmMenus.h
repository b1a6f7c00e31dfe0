#pragma once

#include <QString>
#include <QWidget>

class QAction;
class QMenu;
class QPoint;

/// The hidden window that holds the suite's shared pop-up menus. A click on an item only stores the
/// item's fixed keyword in the public field `PRespuesta`, which the window that showed the menu
/// reads; a menu closed without a choice stores nothing. Loading the window clears the field and
/// `Salir` hides it.
///
/// `MNU_Emergente_XV` (object name "MNU_Emergente_XV"), in this order:
///
/// | item (object name)              | caption        | keyword        |
/// |---------------------------------|----------------|----------------|
/// | MNU_Emergente_XV_VerDetalle     | "Ver Detalle"  | "VerDetalle"   |
/// | MNU_Emergente_XV_Separador1     | separator      |                |
/// | MNU_Emergente_XV_VerAsiento     | "Ver Asiento"  | "VerAsiento"   |
/// | MNU_Emergente_XV_Separador2     | separator      |                |
/// | MNU_Emergente_XV_Cancelar       | "Cancelar"     | ""             |
class FrmMenus : public QWidget
{
    Q_OBJECT

public:
    /// Loads the window (hidden) with its menus; `PRespuesta` starts empty.
    explicit FrmMenus(QWidget* parent = nullptr);

    /// The keyword of the last item chosen.
    QString PRespuesta;

    QMenu* MNU_Emergente_XV() const { return m_emergenteXV; }
    QAction* MNU_Emergente_XV_VerDetalle() const { return m_verDetalle; }
    QAction* MNU_Emergente_XV_Separador1() const { return m_separador1; }
    QAction* MNU_Emergente_XV_VerAsiento() const { return m_verAsiento; }
    QAction* MNU_Emergente_XV_Separador2() const { return m_separador2; }
    QAction* MNU_Emergente_XV_Cancelar() const { return m_cancelar; }

    /// Empties `PRespuesta`.
    void LimpiaRespuesta();
    /// Shows `menu` at `posicionGlobal` (screen coordinates) and waits until it closes; `PRespuesta`
    /// is left as the choice (or its previous value) set it.
    void MostrarMenu(QMenu* menu, const QPoint& posicionGlobal);
    /// Empties `PRespuesta`, shows `menu` at `posicionGlobal` until it closes and returns the answer:
    /// "" when the menu was closed without a choice.
    QString Pregunta(QMenu* menu, const QPoint& posicionGlobal);

    /// Hides the window.
    void Salir();

    /// The suite's one menu window, created (loaded) on first use.
    static FrmMenus& instancia();
    /// Unloads the window; the next instancia() loads a fresh one.
    static void descargar();

private:
    QAction* agregaItem(QMenu* menu, const QString& nombre, const QString& texto, const QString& clave);
    QAction* agregaSeparador(QMenu* menu, const QString& nombre);

    QMenu* m_emergenteXV = nullptr;
    QAction* m_verDetalle = nullptr;
    QAction* m_separador1 = nullptr;
    QAction* m_verAsiento = nullptr;
    QAction* m_separador2 = nullptr;
    QAction* m_cancelar = nullptr;
};
