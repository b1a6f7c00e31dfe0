#pragma once

#include "app/AppState.h"
#include "banner/Dll_Display.h"
#include "banner/Lbf_CtrlDisplay.h"
#include "cheques/ChequeFila.h"
#include "cheques/FrmTalonex.h"
#include "demo/DemoDatabase.h"
#include "lookup/Lib_ClsCons3.h"
#include "menus/FrmMenus.h"
#include "report/ClsReporte.h"
#include "support/ProgramFixture.h"
#include "support/ShippedFiles.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include <memory>

using namespace Qt::StringLiterals;

/// A cheque window started on a fresh demo database as the program starts it, in normal mode or,
/// with `reimpresion`, in reprint mode; the statements it sends are collected.
class ChequeWindowFixture : public ProgramFixture
{
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        resetAppState();
        // The program folder holds the skins, as the installed program's does.
        ASSERT_TRUE(ShippedFiles::installSkins(programFolder()));
        ClsReporte::reset();
        Lib_ClsCons3::resetInstance();
    }

    void TearDown() override
    {
        m_window.reset();
        gDisplay().CartelCerrar();
        FrmMenus::descargar();
        Lib_ClsCons3::resetInstance();
        ClsReporte::reset();
        resetAppState();
        ProgramFixture::TearDown();
    }

    QString parametros(const QString& usuario, bool reimpresion) const
    {
        return u"@Server="_s + serverParameter() + u"; @DbName=TALONEX_DEMO; @Usuario="_s + usuario +
               u"; @Password=demo; @UsuarioLogeado="_s + usuario + u"; @Caja=1;"_s +
               (reimpresion ? u" @ParametroAdicional=Reimpresion;"_s : QString());
    }

    FrmTalonex& start(bool reimpresion = false, const QString& usuario = DemoDb::AdminUser)
    {
        m_window = std::make_unique<FrmTalonex>();
        EXPECT_TRUE(m_window->Form_Load(parametros(usuario, reimpresion)));
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        DataGlobals::gDB().gCnn().setTracer([this](const QString& sql) { m_sent << sql; });
        return *m_window;
    }

    FrmTalonex& w() { return *m_window; }
    QLineEdit* field(const QString& name) { return m_window->campo(name); }
    QTreeWidget* list() { return m_window->Lvw(); }

    /// The normal-mode filters of the test account with the first free number.
    void fillTestAccount(const QString& desde = QString::number(DemoDb::TestFirstFreeNumber))
    {
        field(u"idbanco"_s)->setText(DemoDb::TestAccount);
        field(u"Serie"_s)->setText(DemoDb::TestSeries);
        field(u"NumerarDesde"_s)->setText(desde);
    }

    void load()
    {
        m_sent.clear();
        m_window->CmdCargar_Click();
    }

    /// Flips the tick of row `row` through the item's check state, which a click on its tick box or
    /// Space on the row also changes (the window reacts to the change, not to the input).
    void tick(int row)
    {
        QTreeWidgetItem* item = list()->topLevelItem(row);
        item->setCheckState(0, item->checkState(0) == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }

    QStringList sentMatching(const QString& part) const
    {
        QStringList out;
        for (const QString& s : m_sent)
            if (s.contains(part, Qt::CaseInsensitive))
                out << s;
        return out;
    }

    std::unique_ptr<FrmTalonex> m_window;
    QStringList m_sent;
};
