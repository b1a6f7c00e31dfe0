#include "banner/Lbf_CtrlDisplay.h"

#include "banner/ImagenesDisplay.h"
#include "zimbrel2/Twips.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// The banner's fixed design, in twips of its client area.
constexpr int TituloAlto = 450;
constexpr int MargenIzquierdo = 300;
constexpr int ImagenTop = 825;
constexpr int ImagenLado = 1200;
constexpr int LineaLeft = 1800;
constexpr int LineaTop = 690;
constexpr int LineaPaso = 465;
constexpr int LineaAlto = 420;
constexpr int BotonAncho = 1620;
constexpr int BotonAlto = 465;
constexpr int MargenDerecho = 300;
constexpr int MargenInferior = 240;

const QColor ColorFranja(0x1d, 0x3b, 0x53);
const QColor ColorFondoArriba(0xf6, 0xf9, 0xfb);
const QColor ColorFondoAbajo(0xdf, 0xe8, 0xee);

// The banner keeps its own look whatever skin the program's windows wear: it floats over all of
// them and must read the same on each.
const QString HojaPropia = uR"(
QLabel { background: transparent; color: #1d2b36; }
QLabel#LblTitulo { color: #ffffff; font-weight: bold; }
QLabel#LblCtrol0 { font-weight: bold; }
QPushButton#CmdDisplayCancelar {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #e4ebf0);
    color: #1d3b53; border: 1px solid #8aa0b2; border-radius: 4px; padding: 2px 10px;
}
QPushButton#CmdDisplayCancelar:hover { border-color: #1fb5a8; }
QPushButton#CmdDisplayCancelar:pressed { background: #cfdde6; }
)"_s;

} // namespace

Lbf_CtrlDisplay::Lbf_CtrlDisplay(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(u"Lbf_CtrlDisplay"_s);
    setWindowTitle(QString::fromUtf16(TituloInicial));
    setStyleSheet(HojaPropia);
    // The operation's window keeps the focus (its fields validate when they lose it); the cancel
    // button still takes a click, and cannot be pressed by a stray Enter meant for that window.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(Twips::aPixeles(QSize(AnchoTwips, AltoTwips)));

    m_titulo = new QLabel(this);
    m_titulo->setObjectName(u"LblTitulo"_s);
    m_titulo->setGeometry(Twips::aPixeles(MargenIzquierdo, 0, AnchoTwips - 2 * MargenIzquierdo, TituloAlto));
    m_titulo->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_titulo->setText(windowTitle());

    for (int i = 0; i < 3; ++i) {
        auto* linea = new QLabel(this);
        linea->setObjectName(u"LblCtrol"_s + QString::number(i));
        linea->setGeometry(Twips::aPixeles(LineaLeft, LineaTop + i * LineaPaso,
                                           AnchoTwips - LineaLeft - MargenDerecho, LineaAlto));
        linea->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        linea->setTextFormat(Qt::PlainText);
        m_lineas.append(linea);
    }

    m_image1 = new QLabel(this);
    m_image1->setObjectName(u"Image1"_s);
    m_image1->setGeometry(Twips::aPixeles(MargenIzquierdo, ImagenTop, ImagenLado, ImagenLado));
    m_image1->setAlignment(Qt::AlignCenter);
    m_imageList1 = ImagenesDisplay::crear(qMin(m_image1->width(), m_image1->height()));

    m_cancelar = new QPushButton(this);
    m_cancelar->setObjectName(u"CmdDisplayCancelar"_s);
    m_cancelar->setFocusPolicy(Qt::NoFocus);
    m_cancelar->setGeometry(Twips::aPixeles(AnchoTwips - MargenDerecho - BotonAncho,
                                            AltoTwips - MargenInferior - BotonAlto, BotonAncho, BotonAlto));
    connect(m_cancelar, &QPushButton::clicked, this, &Lbf_CtrlDisplay::CmdDisplayCancelar_Click);

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(u"Timer1"_s);
    m_timer1->setInterval(IntervaloMs);
    connect(m_timer1, &QTimer::timeout, this, &Lbf_CtrlDisplay::Timer1_Timer);

    // Load: centred on the screen, the cancel caption, the first picture. The window is frameless, so
    // its frame is its client area already; the opacity lets what lies behind show through faintly.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect pantalla = screen->geometry();
        move(pantalla.left() + (pantalla.width() - width()) / 2,
             pantalla.top() + (pantalla.height() - height()) / 2);
    }
    m_cancelar->setText(QString::fromUtf16(TextoCancelar));
    muestraImagen(1);
    setWindowOpacity(Opacidad / 255.0);
    m_timer1->start();
}

Lbf_CtrlDisplay::~Lbf_CtrlDisplay() = default;

QLabel* Lbf_CtrlDisplay::LblCtrol(int index) const
{
    return index >= 0 && index < m_lineas.size() ? m_lineas.at(index) : nullptr;
}

bool Lbf_CtrlDisplay::cancelado() const
{
    return m_cancelar->text() == QString::fromUtf16(MarcaAbortado);
}

void Lbf_CtrlDisplay::setSiempreVisible(bool siempre)
{
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == siempre)
        return;
    // Changing the flags re-creates the native window and hides it: put it back as it was.
    const bool visible = isVisible();
    const QPoint posicion = pos();
    setWindowFlag(Qt::WindowStaysOnTopHint, siempre);
    move(posicion);
    if (visible)
        show();
}

void Lbf_CtrlDisplay::Timer1_Timer()
{
    ++m_contador;
    muestraImagen(m_contador);
    if (m_contador >= ImagenesDisplay::Cantidad)
        m_contador = 0;
}

void Lbf_CtrlDisplay::CmdDisplayCancelar_Click()
{
    m_cancelar->setText(QString::fromUtf16(MarcaAbortado));
}

void Lbf_CtrlDisplay::muestraImagen(int numero)
{
    // A picture missing from the list leaves the previous one on show.
    if (numero < 1 || numero > m_imageList1.size())
        return;
    m_image1->setPixmap(m_imageList1.at(numero - 1));
    m_imagenMostrada = numero;
}

void Lbf_CtrlDisplay::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    QPainter painter(this);
    QLinearGradient fondo(0, 0, 0, height());
    fondo.setColorAt(0, ColorFondoArriba);
    fondo.setColorAt(1, ColorFondoAbajo);
    painter.fillRect(rect(), fondo);
    const int franja = Twips::aPixelesY(TituloAlto);
    painter.fillRect(QRect(0, 0, width(), franja), ColorFranja);
    // A thin accent under the title strip, the same teal the animation turns in.
    painter.fillRect(QRect(0, franja, width(), 2), QColor(0x1f, 0xb5, 0xa8));
    painter.setPen(ColorFranja);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void Lbf_CtrlDisplay::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowTitleChange && m_titulo)
        m_titulo->setText(windowTitle());
    QWidget::changeEvent(event);
}
