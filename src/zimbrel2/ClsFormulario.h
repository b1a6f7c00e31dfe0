#pragma once

#include <QChar>
#include <QList>
#include <QString>

#include <optional>

class QKeyEvent;
class QLineEdit;
class QWidget;

/// The field operations of the suite's data-entry windows: fields found by their field name, the
/// accept key, keyboard navigation and the typed-character filter.
class ClsFormulario
{
public:
    /// The dynamic property that holds a field's name.
    static constexpr const char* DataFieldProperty = "DataField";

    /// Gives `campo` the field name `nombre`.
    static void setDataField(QWidget* campo, const QString& nombre);
    /// The field name of `campo`; "" when it has none.
    static QString DataField(const QWidget* campo);

    /// The index of the element of `campos` whose field name equals `nombre` without regard to case;
    /// -1 when none does (always for an empty name).
    static int IndiceCampo(const QString& nombre, const QList<QLineEdit*>& campos);

    /// True for the accept key: Return, Enter (keypad), and 13, the carriage-return code callers use
    /// to accept a field as if Enter had been pressed.
    static bool EsTeclaAceptar(int key);

    /// Moves the focus from `desde` as Tab and Shift+Tab would: on the accept key or the down arrow
    /// to the next control of the window's tab order, on the up arrow to the previous one. True when
    /// the key was one of those and the focus moved; other keys do nothing.
    static bool NavegaTeclado(QWidget* desde, int key);

    /// The character that a key typed into `campo` puts into the text: printable characters stay as
    /// typed (an apostrophe too: names such as "O'Brien" must be found as stored, and every literal
    /// is quoted safely); control characters are dropped (nullopt) except backspace.
    static std::optional<QChar> FiltraTecla(QLineEdit* campo, QChar tecla);

    /// Applies FiltraTecla to a key event bound for `campo`, for a window's event filter: when the
    /// filter changes or drops the typed text, the filtered text is inserted and the event is
    /// consumed (true). Keys that type nothing printable (editing keys, shortcuts) are left alone.
    static bool AplicaFiltro(QLineEdit* campo, const QKeyEvent* event);
};
