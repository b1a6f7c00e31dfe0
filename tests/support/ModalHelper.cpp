#include "support/ModalHelper.h"

#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

namespace {

qint64 nowMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

} // namespace

ModalHelper::ModalHelper(Action action, std::chrono::milliseconds limit, const char* className)
    : m_action(std::move(action)), m_limit(limit), m_className(className)
{
    m_startedMs = nowMs();
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, &ModalHelper::poll);
    m_timer.start();
}

ModalHelper::~ModalHelper()
{
    m_timer.stop();
    if (!m_acted && !m_done)
        ADD_FAILURE() << "no modal " << m_className << " appeared";
    if (m_window && m_window->isVisible())
        closeLeftOpen("still open when the test went on");
}

void ModalHelper::poll()
{
    if (!m_acted) {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible() && modal->inherits(m_className)) {
            m_acted = true;
            m_actedMs = nowMs();
            m_window = modal;
            m_title = modal->windowTitle();
            m_action(modal);
            return;
        }
        if (nowMs() - m_startedMs > m_limit.count()) {
            ADD_FAILURE() << "no modal " << m_className << " appeared within " << m_limit.count() << " ms";
            finish();
        }
        return;
    }
    if (!m_window || !m_window->isVisible()) {
        finish();
        return;
    }
    if (nowMs() - m_actedMs > m_limit.count()) {
        closeLeftOpen("left open by the action");
        finish();
    }
}

void ModalHelper::finish()
{
    m_timer.stop();
    m_done = true;
    if (m_deleteWhenDone)
        deleteLater();
}

void ModalHelper::closeLeftOpen(const char* why)
{
    ADD_FAILURE() << "modal window \"" << m_title.toStdString() << "\" " << why;
    if (auto* dialog = qobject_cast<QDialog*>(m_window.data()))
        dialog->reject();
    if (m_window)
        m_window->close();
}

void ModalHelper::wait()
{
    QElapsedTimer clock;
    clock.start();
    while (!m_done && clock.elapsed() < 2 * m_limit.count() + 100)
        QTest::qWait(5);
}
