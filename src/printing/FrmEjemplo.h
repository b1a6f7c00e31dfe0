#pragma once

#include <QString>
#include <QWidget>

#include <memory>

class ClsDialogo;
class QListWidget;
class QPushButton;

/// The paper forms tool "Form1": lists the forms of the application's current printer, defines and
/// selects the 110 x 50 mm "MyCustomForm" ("Crear"), selects a listed form ("Probar"), deletes one
/// ("Borrar") and chooses the printer ("Command4"). Selecting a form previews the cheque report on
/// it. A tool of its own: the cheque window never opens it.
class FrmEjemplo : public QWidget
{
    Q_OBJECT
public:
    explicit FrmEjemplo(QWidget* parent = nullptr);
    ~FrmEjemplo() override;

    /// Lists the current printer's forms; the list stays empty when the printer cannot be opened.
    void Form_Load();
    /// Selects the form and previews the cheque report "IMPRESION_CHEQUES" on it; when the custom form
    /// had to be defined first, lists the forms again instead.
    void ImprimeConFormulario(const QString& NombreFormulario);

    QListWidget* List1() const { return m_list1; }

private:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

    /// The selected line's form name: the text before its first " -"; "" when no line is selected.
    QString formularioElegido() const;
    void avisaSinSeleccion();
    ClsDialogo& dialogo();

    QListWidget* m_list1 = nullptr;
    std::unique_ptr<ClsDialogo> m_dialogo;
};
