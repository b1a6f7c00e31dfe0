#pragma once

#include <QList>
#include <QPixmap>
#include <QString>
#include <QWidget>

class QLabel;
class QPushButton;
class QTimer;

/// The progress banner window: a small translucent frameless window centred on the screen, with a
/// title strip, three progress lines (`LblCtrol` 0 to 2), a looping twelve-picture animation
/// (`Image1`, advanced by `Timer1` every 100 ms) and an optional cancel button
/// (`CmdDisplayCancelar`). It is never modal: the operation that shows it keeps the thread and the
/// window only acts when the operation lets events run. Driven through Dll_Display.
///
/// Object names: "Lbf_CtrlDisplay", "LblTitulo", "LblCtrol0".."LblCtrol2", "Image1", "Timer1",
/// "CmdDisplayCancelar".
class Lbf_CtrlDisplay : public QWidget
{
    Q_OBJECT

public:
    /// Caption until a title is given.
    static constexpr const char16_t* TituloInicial = u"Procesando Datos";
    static constexpr const char16_t* TextoCancelar = u"&Cancelar";
    /// The cancel button's caption after a click: the cancel mark.
    static constexpr const char16_t* MarcaAbortado = u"Abortado";
    /// Client area in twips.
    static constexpr int AnchoTwips = 7845;
    static constexpr int AltoTwips = 2970;
    static constexpr int IntervaloMs = 100;
    /// Opacity out of 255: what lies behind shows through faintly.
    static constexpr int Opacidad = 200;

    /// Creates and loads the window (hidden): centred, the first picture shown, the clock running.
    explicit Lbf_CtrlDisplay(QWidget* parent = nullptr);
    ~Lbf_CtrlDisplay() override;

    QLabel* LblCtrol(int index) const;
    QLabel* LblTitulo() const { return m_titulo; }
    QLabel* Image1() const { return m_image1; }
    QPushButton* CmdDisplayCancelar() const { return m_cancelar; }
    QTimer* Timer1() const { return m_timer1; }
    /// The animation pictures, in order (index 0 is picture 1).
    const QList<QPixmap>& ImageList1() const { return m_imageList1; }

    /// The number (1 to 12) of the picture on show.
    int imagenMostrada() const { return m_imagenMostrada; }
    /// The frame counter the clock advances (0 to 11).
    int contador() const { return m_contador; }
    /// True once the cancel button was clicked: its caption is exactly the cancel mark.
    bool cancelado() const;

    /// Above all other windows (true) or back among ordinary windows (false); keeps the window where
    /// it is, its size and whether it is shown.
    void setSiempreVisible(bool siempre);

public Q_SLOTS:
    /// One clock tick: the next picture, 1 to 12 and round again.
    void Timer1_Timer();
    /// The cancel click: sets the cancel mark; the button stays visible and enabled.
    void CmdDisplayCancelar_Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void muestraImagen(int numero);

    QLabel* m_titulo = nullptr;
    QList<QLabel*> m_lineas;
    QLabel* m_image1 = nullptr;
    QPushButton* m_cancelar = nullptr;
    QTimer* m_timer1 = nullptr;
    QList<QPixmap> m_imageList1;
    qint16 m_contador = 0;
    int m_imagenMostrada = 0;
};
