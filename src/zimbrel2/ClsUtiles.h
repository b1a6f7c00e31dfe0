#pragma once

#include "zimbrel2/Currency.h"
#include "zimbrel2/TrappedRoutine.h"

#include <QDate>
#include <QString>
#include <QVariant>

#include <optional>

/// The shared library's utility operations. Stateless; conversions follow the current regional
/// settings and boxes go through the operator seam.
class ClsUtiles
{
public:
    /// Shows `error` to the operator with the buttons and icon of `estilo` (default 18: abort, retry,
    /// ignore with the critical icon), naming `rutina` when given; returns the answer code (1..7).
    /// An error numbered 0 is no error: nothing is shown and the answer is 0.
    static int MostrarError(const RuntimeError& error, int estilo = 18, const QString& rutina = {});
    /// A reporter for TrappedRoutine that shows failures with MostrarError under `rutina`.
    static ErrorReporter reporterFor(const QString& rutina, int estilo = 18);

    /// Null-safe value: a null or invalid variant gives "", anything else its text.
    static QString ValorSeguro(const QVariant& value);

    /// An amount written with the regional separators (thousands separators and blanks allowed) as a
    /// currency value; text that is not a number gives 0.
    static Currency TextoANumero(const QString& text);
    /// The text read as TextoANumero, rounded to a whole number half to even (as the suite's integer
    /// conversion rounds); text that is not a number gives 0.
    static qint64 TextoAEntero(const QString& text);

    /// Cut to `ancho` characters, blank-padded on the right to it.
    static QString AjustaIzquierda(const QString& text, int ancho);
    /// Blank-padded on the left to `ancho` characters; a longer text is kept whole (an amount is
    /// never cut).
    static QString AjustaDerecha(const QString& text, int ancho);
    /// A text fit to show or store: control characters (line breaks, tabs) become blanks and, when
    /// `maximo` is positive, the text is cut to at most that many characters.
    static QString TextoVisible(const QString& text, int maximo = 0);

    /// A typed date, day/month/year whatever the regional settings: 1–2 digit day and
    /// month, 2- or 4-digit year (00–29 is 2000–2029, 30–99 is 1930–1999), separated by "/", "-" or
    /// "." (the same one twice). nullopt for anything that is not a real date.
    static std::optional<QDate> TextoAFecha(const QString& text);
    /// A date written in the regional order (month first on a United States workstation), as the
    /// Oracle dialect recognises the date literals of a statement; otherwise as TextoAFecha.
    static std::optional<QDate> TextoAFechaRegional(const QString& text);
    /// The SQL literal of a typed date: the ODBC escape "{d 'YYYY-MM-DD'}" every engine adapter
    /// understands; "NULL" when the text is not a date.
    static QString FechaSQL(const QString& text);

    /// The text without any of the given characters (or texts); empty arguments remove nothing.
    static QString QuitaCaracteres(const QString& text, const QString& c1, const QString& c2 = {},
                                   const QString& c3 = {});
    /// Every occurrence of `sought` replaced by `replacement`.
    static QString ReemplazaCaracter(const QString& text, const QString& sought, const QString& replacement);
    /// Every occurrence of `sought` replaced by `replacement`, optionally ignoring case.
    static QString ReemplazaTexto(const QString& text, const QString& sought, const QString& replacement,
                                  Qt::CaseSensitivity cs = Qt::CaseSensitive);
    /// The number of words: runs of characters between blanks, tabs and line breaks.
    static int CuentaPalabras(const QString& text);

    /// A reversible encoding for passwords kept in INI and connection files: upper-case hexadecimal
    /// digits only (safe in any INI or comma-separated file); "" stays "".
    static QString Codifica(const QString& text);
    /// The text Codifica encoded. A text that is not an encoded form (a password written by hand)
    /// comes back as it stands.
    static QString Decodifica(const QString& text);

    /// The folder ending with the platform separator "/"; an empty folder stays empty (appending the
    /// separator would make it the root folder).
    static QString CarpetaConBarra(const QString& folder);

    /// Lets the operator pick a date, starting on `inicial` when it is a date, else today; the date
    /// as dates are typed ("31/12/2024"), or "" when cancelled.
    static QString ElegirFecha(const QString& inicial = {});
};
