#pragma once

// Header only, for the connection dialog tests: a fresh program on the demo database with its home,
// desktop and per-user folders inside the test's folder, and helpers that work the dialog through
// its real inputs.

#include "access/frmAcceso.h"
#include "app/AppState.h"
#include "support/ModalHelper.h"
#include "support/ProgramFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

class AccessFixture : public ProgramFixture
{
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        if (HasFatalFailure())
            return;
        resetAppState();
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            m_savedEnv.emplace_back(name, qgetenv(name));
        QDir(folder()).mkpath(QStringLiteral("casa"));
        qputenv("HOME", homeFolder().toUtf8());
        qputenv("XDG_CONFIG_HOME", (homeFolder() + QStringLiteral("/.config")).toUtf8());
        qputenv("XDG_DATA_HOME", (homeFolder() + QStringLiteral("/.local/share")).toUtf8());
    }

    void TearDown() override
    {
        // No window of a test outlives it.
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible()) {
                ADD_FAILURE() << "window left open: " << w->objectName().toStdString();
                w->close();
            }
        }
        for (const auto& [name, value] : m_savedEnv) {
            if (value.isNull())
                qunsetenv(name);
            else
                qputenv(name, value);
        }
        resetAppState();
        ProgramFixture::TearDown();
    }

    QString homeFolder() const { return folder() + QStringLiteral("/casa"); }
    QString basesPath() const { return programFolder() + QStringLiteral("BASES.TXT"); }

    /// The dialog loaded and shown as the active window.
    static std::unique_ptr<frmAcceso> showDialog()
    {
        auto dialog = std::make_unique<frmAcceso>();
        dialog->show();
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        return dialog;
    }

    static QPushButton* button(QWidget* dialog, const char* name)
    {
        auto* found = dialog->findChild<QPushButton*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    static void click(QWidget* dialog, const char* name)
    {
        if (QPushButton* b = button(dialog, name))
            QTest::mouseClick(b, Qt::LeftButton);
    }

    /// Clicks into `box`, replaces what it holds by `text` with the keyboard.
    static void type(QLineEdit* box, const QString& text)
    {
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
    }

    /// Presses and releases `key` as the keyboard does: each event goes to the widget that has the
    /// focus at that moment, so the release of a key that moved the focus lands on the new widget.
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr) << "no widget has the focus";
        QTest::keyPress(target, key, modifiers);
        if (QWidget* now = QApplication::focusWidget())
            QTest::keyRelease(now, key, modifiers);
    }

    /// Acts on the next modal window once it shows; a window the action leaves open is cancelled and
    /// fails the test, so no test waits on it.
    static void whenModal(std::function<void(QDialog*)> act)
    {
        ModalHelper::whenNext<QDialog>(std::move(act), std::chrono::seconds(10));
    }

private:
    std::vector<std::pair<const char*, QByteArray>> m_savedEnv;
};
