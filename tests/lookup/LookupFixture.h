#pragma once

// Header only, for the lookup tests: a fresh program on the demo database with the lookup mask file
// written as start-up writes it, the statements sent recorded, and a helper that acts on the lookup
// window once it is shown modally.

#include "app/AppState.h"
#include "app/Inicio.h"
#include "lookup/Lib_ClsCons3.h"
#include "support/ModalHelper.h"
#include "support/ProgramFixture.h"

#include <QApplication>
#include <QDialog>
#include <QSqlQuery>
#include <QTimer>

#include <functional>
#include <memory>

class LookupFixture : public ProgramFixture
{
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        if (HasFatalFailure())
            return;
        resetAppState();
        Lib_ClsCons3::resetInstance();
        openMain();
        AppState& state = appState();
        state.gUsarMascarasConsultas = true;
        state.gRutaMascaraConsultas = programFolder() + QStringLiteral("consultas.tso");
        CreaMascarasConsultas();
        DataGlobals::gDB().gCnn().setTracer([this](const QString& statement) { m_sent << statement; });
    }

    void TearDown() override
    {
        DataGlobals::gDB().gCnn().setTracer({});
        Lib_ClsCons3::resetInstance();
        resetAppState();
        // No window of a test outlives it.
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible()) {
                ADD_FAILURE() << "window left open: " << w->objectName().toStdString();
                w->close();
            }
        }
        m_db = QSqlDatabase();
        ProgramFixture::TearDown();
    }

    /// Runs a statement on the test's database beside the program's connection.
    void exec(const QString& sql)
    {
        if (!m_db.isValid())
            m_db = openMainDatabase();
        QSqlQuery query(m_db);
        ASSERT_TRUE(query.exec(sql)) << sql.toStdString();
    }

    void setCfg(const QString& key, const QString& value)
    {
        exec(QStringLiteral("DELETE FROM ta_configuracion WHERE Clave = '") + key + QStringLiteral("'"));
        exec(QStringLiteral("INSERT INTO ta_configuracion (Clave, Valor) VALUES ('") + key +
             QStringLiteral("', '") + value + QStringLiteral("')"));
        Lib_ClsCons3::resetInstance();
    }

    /// The statements sent since the last call that contain `part` (any case).
    QStringList sentWith(const QString& part) const
    {
        QStringList found;
        for (const QString& s : m_sent) {
            if (s.contains(part, Qt::CaseInsensitive))
                found << s;
        }
        return found;
    }

    /// Acts on the next modal window once it shows; a window the action leaves open is cancelled and
    /// fails the test, so no test waits on it.
    static void whenModal(std::function<void(QDialog*)> act)
    {
        ModalHelper::whenNext<QDialog>(std::move(act), std::chrono::seconds(10));
    }

    QStringList m_sent;
    QSqlDatabase m_db;
};
