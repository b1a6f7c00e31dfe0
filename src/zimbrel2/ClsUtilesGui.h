#pragma once

#include "zimbrel2/ClsUtiles.h"

class QWidget;

/// The shared utilities' window operations: they need widgets, so they live in the widget library
/// (talonex_zimbrel2_gui) and its header, apart from the widget-free ClsUtiles.
class ClsUtilesGui : public ClsUtiles
{
public:
    /// Prepares a window before it is shown: its object name defaults to its class name (so tests and
    /// style sheets can find it) and its title to the application name; a non-zero `centrar` centres
    /// it on its screen.
    static void PreparaVentana(QWidget* ventana, int centrar);
};
