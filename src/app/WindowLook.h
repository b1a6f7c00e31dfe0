#pragma once

class QWidget;

/// The suite's look on a window, applied while it loads, right after the start-up: first the skin,
/// then the icon and the toolbar style.

/// Applies the skin the operating-system user chose for the main connection's database (SkinUsuario)
/// to `ventana`: the skin's style sheet, read from the program folder, becomes the window's style
/// sheet (its dialogs and children follow it), and the window's "Skin" property names the sheet.
/// A missing or unreadable sheet throws RuntimeError 53 ("File not found") to the caller.
void AplicaSkin(QWidget* ventana);

/// Gives `ventana` the suite's icon (the program's resource ":/ICONTESSARO"; failing that the file
/// "tessaro.ico" of the current folder; failing both the window keeps its own) and, unless the
/// window's class is "FrmMdi", sets the toolbar style `gFlatToolbars` as the property "StyleBar" on
/// its controls named "Morvane1", "TBarRep1" and "Util0011" (re-polished, so style sheets can style
/// `QToolBar[StyleBar="1"]`); then lets pending events run. Failures are silent.
void AplicaIcono(QWidget* ventana);

/// Qt's own texts (standard buttons, the file, print and preview dialogs) in Spanish: installs the
/// system's "qtbase_es" translation once for the whole program. False when it is not installed
/// (the texts stay in English).
bool AplicaIdiomaQt();
