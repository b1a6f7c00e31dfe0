#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <functional>

/// Acts on the next modal window that the code under test opens and makes sure it closes, so no
/// test waits on a window nobody answers. A timer watches QApplication::activeModalWidget(); once a
/// visible modal window of the wanted class shows, the action runs on it (keys and clicks, as a
/// person would). The test fails when no such window appears within the time limit, or when it is
/// still open a time limit after the action; such a window is rejected and closed.
///
///     ModalHelper helper([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
///     window.openLookup();            // runs the nested event loop of the modal window
///     EXPECT_TRUE(helper.acted());
class ModalHelper : public QObject
{
public:
    using Action = std::function<void(QWidget*)>;

    /// Watches for a modal window that inherits `className` (any QDialog by default: message boxes,
    /// lookups, the print preview).
    explicit ModalHelper(Action action, std::chrono::milliseconds limit = std::chrono::seconds(5),
                         const char* className = "QDialog");
    ~ModalHelper() override;
    ModalHelper(const ModalHelper&) = delete;
    ModalHelper& operator=(const ModalHelper&) = delete;

    /// Whether the action ran on a modal window.
    bool acted() const { return m_acted; }
    /// The title of the window the action ran on.
    QString title() const { return m_title; }
    /// Pumps events until the action has run and its window has closed, or the limit has passed;
    /// for code that opens the window without blocking.
    void wait();

    /// The same watch for code that opens the window later in the test: a helper of its own that
    /// deletes itself once the window has been acted on and closed (or the watch has failed). The
    /// action gets the window as a `T`, the class watched for.
    template <typename T, typename Action>
    static void whenNext(Action action, std::chrono::milliseconds limit = std::chrono::seconds(5))
    {
        auto* helper = new ModalHelper([action](QWidget* window) mutable { action(static_cast<T*>(window)); },
                                       limit, T::staticMetaObject.className());
        helper->m_deleteWhenDone = true;
    }

private:
    void poll();
    void finish();
    void closeLeftOpen(const char* why);

    Action m_action;
    std::chrono::milliseconds m_limit;
    const char* m_className;
    QTimer m_timer;
    qint64 m_startedMs = 0;
    qint64 m_actedMs = 0;
    bool m_acted = false;
    bool m_done = false;
    bool m_deleteWhenDone = false;
    QString m_title;
    QPointer<QWidget> m_window;
};
