#pragma once

// Header only, so any test binary that shows a pop-up menu can include it ("menus/PopupPicker.h").

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QPointer>
#include <QString>
#include <QTest>
#include <QTimer>

#include <memory>

/// Answers the next pop-up menu that opens, as the operator would from the keyboard: moves to the
/// item with the given object name and presses Enter, or (with an empty name) presses Escape. It
/// watches QApplication::activePopupWidget() from a timer, so it works while QMenu::exec blocks.
/// Gives up after `limiteMs` without a menu; `actuo()` tells whether it answered one, `visibles()`
/// lists the object names of the items visible when it did (separators included).
class PopupPicker
{
public:
    explicit PopupPicker(const QString& item, int limiteMs = 5000) : m_item(item)
    {
        m_reloj.start();
        m_timer->setInterval(10);
        QObject::connect(m_timer.get(), &QTimer::timeout, [this, limiteMs] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) {
                if (m_reloj.elapsed() > limiteMs)
                    m_timer->stop();
                return;
            }
            m_timer->stop();
            responde(menu);
        });
        m_timer->start();
    }

    bool actuo() const { return m_actuo; }
    /// True when the item named was found among the menu's visible, enabled items.
    bool encontrado() const { return m_encontrado; }
    const QStringList& visibles() const { return m_visibles; }

private:
    void responde(QMenu* menu)
    {
        m_actuo = true;
        for (QAction* accion : menu->actions()) {
            if (accion->isVisible())
                m_visibles.append(accion->objectName());
        }
        if (!m_item.isEmpty()) {
            for (QAction* accion : menu->actions()) {
                if (accion->objectName() == m_item && accion->isVisible() && accion->isEnabled()) {
                    m_encontrado = true;
                    menu->setActiveAction(accion);
                    QTest::keyClick(menu, Qt::Key_Return);
                    return;
                }
            }
        }
        QTest::keyClick(menu, Qt::Key_Escape);
    }

    QString m_item;
    std::unique_ptr<QTimer> m_timer = std::make_unique<QTimer>();
    QElapsedTimer m_reloj;
    bool m_actuo = false;
    bool m_encontrado = false;
    QStringList m_visibles;
};
