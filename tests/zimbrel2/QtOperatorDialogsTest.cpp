#include "zimbrel2/QtOperatorDialogs.h"
#include "support/ModalHelper.h"
#include "support/QStringPrinter.h"
#include "zimbrel2/ClsUtiles.h"
#include "zimbrel2/ClsUtilesGui.h"
#include "zimbrel2/DatePickerDialog.h"
#include "zimbrel2/MessageBoxStyle.h"
#include "zimbrel2/PrinterChoiceDialog.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

// Runs `act` on the next modal window once it shows. A window still open two seconds later is a test
// fault: it is failed and rejected so the test ends instead of waiting on it.
void onNextModal(std::function<void(QWidget*)> act)
{
    ModalHelper::whenNext<QWidget>(std::move(act));
}

QPushButton* buttonWithText(QWidget* box, const QString& text)
{
    for (QPushButton* button : box->findChildren<QPushButton*>()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

} // namespace

TEST(QtOperatorDialogs, MessageBoxShowsSpanishButtonsAndReturnsTheAnswer)
{
    QtOperatorDialogs dialogs;
    QStringList captions;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    Qt::TextFormat format = Qt::AutoText;
    onNextModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* button : box->buttons())
            captions << button->text();
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        format = box->textFormat();
        buttonWithText(box, u"Reintentar"_s)->click();
    });
    const int answer =
        dialogs.messageBox(u"Ha ocurrido el siguiente error (3021) <b>BOF</b>"_s, 18, u"Aviso al operador"_s);
    EXPECT_EQ(answer, MsgAnswer::Retry);
    captions.sort();
    EXPECT_EQ(captions, (QStringList{u"Anular"_s, u"Omitir"_s, u"Reintentar"_s}));
    EXPECT_EQ(title, u"Aviso al operador"_s);
    EXPECT_EQ(text, u"Ha ocurrido el siguiente error (3021) <b>BOF</b>"_s);
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(format, Qt::PlainText);
}

TEST(QtOperatorDialogs, MessageBoxKeys)
{
    struct Case
    {
        int style;
        Qt::Key key;
        int answer;
        QStringList captions;
    };
    const Case cases[] = {
        {0 | 64, Qt::Key_Return, MsgAnswer::Ok, {u"Aceptar"_s}},
        {1, Qt::Key_Escape, MsgAnswer::Cancel, {u"Aceptar"_s, u"Cancelar"_s}},
        {4 | 32, Qt::Key_Return, MsgAnswer::Yes, {u"No"_s, u"Sí"_s}},
        {4 | 32 | 256, Qt::Key_Return, MsgAnswer::No, {u"No"_s, u"Sí"_s}},
        {3, Qt::Key_Escape, MsgAnswer::Cancel, {u"Cancelar"_s, u"No"_s, u"Sí"_s}},
        {5 | 48, Qt::Key_Return, MsgAnswer::Retry, {u"Cancelar"_s, u"Reintentar"_s}},
    };
    QtOperatorDialogs dialogs;
    for (const Case& c : cases) {
        QStringList captions;
        onNextModal([&](QWidget* modal) {
            for (QAbstractButton* button : static_cast<QMessageBox*>(modal)->buttons())
                captions << button->text();
            QTest::keyClick(modal, c.key);
        });
        EXPECT_EQ(dialogs.messageBox(u"Desea continuar?"_s, c.style, u""_s), c.answer) << c.style;
        captions.sort();
        EXPECT_EQ(captions, c.captions) << c.style;
    }
}

TEST(QtOperatorDialogs, InputBox)
{
    QtOperatorDialogs dialogs;
    onNextModal([](QWidget* modal) {
        auto* dialog = qobject_cast<QInputDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->labelText(), u"ingrese el password:"_s);
        EXPECT_EQ(dialog->okButtonText(), u"Aceptar"_s);
        QLineEdit* edit = dialog->findChild<QLineEdit*>();
        edit->clear();
        QTest::keyClicks(edit, u"clave"_s);
        QTest::keyClick(edit, Qt::Key_Return);
    });
    EXPECT_EQ(dialogs.inputBox(u"ingrese el password:"_s, u"Password Access"_s, u"x"_s), u"clave"_s);

    onNextModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    EXPECT_EQ(dialogs.inputBox(u"ingrese el password:"_s, u"Password Access"_s, u""_s), std::nullopt);
}

TEST(QtOperatorDialogs, OpenFileDialogOffersTheSuiteFilter)
{
    QTemporaryDir dir;
    const QString report = dir.filePath(u"BANCO1.rpt"_s);
    QFile(report).open(QIODevice::WriteOnly);
    QtOperatorDialogs dialogs;
    QStringList filters;
    QString title;
    onNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        filters = dialog->nameFilters();
        title = dialog->windowTitle();
        dialog->selectFile(report);
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(
        dialogs.openFileName(u"Seleccionar el Reporte"_s, u"Crystal Report (*.rpt)|*.rpt"_s, dir.path()),
        report);
    EXPECT_EQ(filters, QStringList{u"Crystal Report (*.rpt)"_s});
    EXPECT_EQ(title, u"Seleccionar el Reporte"_s);

    onNextModal([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
    EXPECT_EQ(dialogs.openFileName(u"Buscar"_s, u""_s, dir.path()), std::nullopt);
}

TEST(QtOperatorDialogs, FolderDialogOffersFoldersOnly)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"bases"_s));
    const QString folder = dir.filePath(u"bases"_s);
    QtOperatorDialogs dialogs;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    QString title;
    onNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        mode = dialog->fileMode();
        title = dialog->windowTitle();
        dialog->selectFile(folder);
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(dialogs.chooseFolder(u"Carpeta de las bases"_s, dir.path()), folder);
    EXPECT_EQ(mode, QFileDialog::Directory);
    EXPECT_EQ(title, u"Carpeta de las bases"_s);

    onNextModal([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
    EXPECT_EQ(dialogs.chooseFolder(u"Carpeta"_s, dir.path()), std::nullopt);
}

TEST(QtOperatorDialogs, DatePickerAcceptsWithEnterAndCancelsWithEscape)
{
    QtOperatorDialogs dialogs;
    onNextModal([](QWidget* modal) {
        auto* view = modal->findChild<QCalendarWidget*>(u"calendario"_s)->findChild<QAbstractItemView*>();
        ASSERT_NE(view, nullptr);
        QTest::keyClick(view, Qt::Key_Right);
        QTest::keyClick(view, Qt::Key_Return);
    });
    EXPECT_EQ(dialogs.chooseDate(QDate(2024, 2, 28)), QDate(2024, 2, 29));

    onNextModal([](QWidget* modal) {
        auto* view = modal->findChild<QCalendarWidget*>(u"calendario"_s)->findChild<QAbstractItemView*>();
        QTest::keyClick(view, Qt::Key_Down);
        QTest::keyClick(view, Qt::Key_Escape);
    });
    EXPECT_EQ(dialogs.chooseDate(QDate(2024, 2, 28)), std::nullopt);
}

TEST(QtOperatorDialogs, PrinterListChoosesByName)
{
    PrinterChoiceDialog dialog({u"Epson FX"_s, u"HP LaserJet"_s}, u"hp laserjet"_s);
    EXPECT_EQ(dialog.selectedPrinter(), u"HP LaserJet"_s);
    QTimer::singleShot(0, &dialog, [&dialog] {
        auto* list = dialog.findChild<QListWidget*>(u"impresoras"_s);
        QTest::keyClick(list, Qt::Key_Up);
        QTest::keyClick(list, Qt::Key_Return);
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(dialog.selectedPrinter(), u"Epson FX"_s);

    PrinterChoiceDialog none({}, u""_s);
    EXPECT_EQ(none.selectedPrinter(), u""_s);
    EXPECT_FALSE(buttonWithText(&none, u"Aceptar"_s)->isEnabled());
}

TEST(PreparaVentana, NamesAndCentresTheWindow)
{
    QDialog unnamed;
    unnamed.resize(200, 100);
    unnamed.move(5, 7);
    ClsUtilesGui::PreparaVentana(&unnamed, 0);
    EXPECT_EQ(unnamed.objectName(), u"QDialog"_s);
    EXPECT_EQ(unnamed.windowTitle(), QCoreApplication::applicationName());
    EXPECT_EQ(unnamed.pos(), QPoint(5, 7));

    QDialog named;
    named.setObjectName(u"FrmTalonex"_s);
    named.setWindowTitle(u"Impresion de Cheques"_s);
    named.resize(200, 100);
    ClsUtilesGui::PreparaVentana(&named, 1);
    EXPECT_EQ(named.objectName(), u"FrmTalonex"_s);
    EXPECT_EQ(named.windowTitle(), u"Impresion de Cheques"_s);
    const QPoint centre = named.screen()->availableGeometry().center();
    EXPECT_LE((named.frameGeometry().center() - centre).manhattanLength(), 2);

    ClsUtilesGui::PreparaVentana(nullptr, 1);
}

TEST(QtOperatorDialogs, TextsJoinedWithACarriageReturnShowAsSeparateLines)
{
    struct Case
    {
        QString text;
        QString shown;
    };
    const Case cases[] = {
        {u"Opcion no Implementada!\rComuniquese con su proveedor de sistemas"_s,
         u"Opcion no Implementada!\nComuniquese con su proveedor de sistemas"_s},
        {u"Desea informar el articulo A1 Aceite\r\ncomo un faltante de stock?"_s,
         u"Desea informar el articulo A1 Aceite\ncomo un faltante de stock?"_s},
        {u"Una\nDos\r\rTres"_s, u"Una\nDos\n\nTres"_s},
    };
    QtOperatorDialogs dialogs;
    for (const Case& c : cases) {
        QString label;
        int lines = 0;
        onNextModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            for (QLabel* l : box->findChildren<QLabel*>()) {
                if (l->objectName() != u"qt_msgbox_label"_s)
                    continue;
                label = l->text();
                lines = l->height() / l->fontMetrics().lineSpacing();
            }
            box->reject();
        });
        dialogs.messageBox(c.text, MsgStyle::Critical, u"Atención"_s);
        EXPECT_EQ(label, c.shown);
        EXPECT_GE(lines, static_cast<int>(c.shown.count(u'\n')) + 1) << c.shown.toStdString();
    }
}
