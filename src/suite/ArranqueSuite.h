#pragma once

#include <QString>

class QApplication;
class QWidget;

/// What every stand-in program reads from its command line: the start-up parameter string (its
/// blank-separated arguments joined, as the suite's programs receive it) and where to write what it
/// would show when there is no window to show it in.
struct OpcionesSuite
{
    QString parametros;
    /// File that receives what the program shows (its text, then every message) instead of a
    /// window; "-" the standard output. From "--salida", else the variable TALONEX_SUITE_SALIDA.
    QString salida;
    /// The maintenance programs only: a file of "COLUMNA=valor" lines, the row to add as if typed in
    /// the form and saved. From "--alta", else TALONEX_SUITE_ALTA.
    QString alta;
    /// No window: an output file was named, or the platform has no screen (then the output is the
    /// standard output).
    bool sinPantalla = false;
};

/// Reads the options of `app`'s command line; `conAlta` offers "--alta".
OpcionesSuite leeOpciones(QApplication& app, const QString& descripcion, bool conAlta);

/// The operator and the output of one run: installs the operator (the window's boxes, or without a
/// screen the unattended one whose boxes also go to the output) and writes the output at the end.
class SalidaSuite
{
public:
    explicit SalidaSuite(const OpcionesSuite& opciones);
    ~SalidaSuite();
    SalidaSuite(const SalidaSuite&) = delete;
    SalidaSuite& operator=(const SalidaSuite&) = delete;

    /// Adds `texto` to the output.
    void escribe(const QString& texto);
    /// Writes the output (all at once, so a reader never sees half of it) and releases the
    /// program-wide connections; returns `codigo`, the process's exit code.
    int termina(int codigo);

private:
    OpcionesSuite m_opciones;
    QString m_texto;
    bool m_terminada = false;
};

/// The start of a stand-in: the suite's start-up on `parametros` (the same routine the cheque window
/// runs). False, with the reason told to the operator, when there is no connection.
bool iniciaSuite(const QString& parametros);

/// The suite's look on a stand-in's window: the operator's skin and the suite's icon. A skin that is
/// missing leaves the window plain; it never keeps the program from showing its data.
void aplicaAspecto(QWidget* ventana);

/// Tells the operator `texto` (information icon, title "Aviso al operador").
void avisaOperador(const QString& texto);
