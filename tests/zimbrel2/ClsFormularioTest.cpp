#include "zimbrel2/ClsFormulario.h"
#include "support/QStringPrinter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The cheque window's filter fields in array order, each with its field name.
const QStringList FilterFields = {u"ProveedorH"_s, u"FechaD"_s,       u"FechaH"_s,  u"ProveedorD"_s,
                                  u"Serie"_s,      u"NumerarDesde"_s, u"idbanco"_s, u"NumerarHasta"_s};

// A window with fields the way the data-entry windows wire them: the accept key and the arrows move
// on, typed characters pass the filter.
class FieldWindow : public QWidget
{
public:
    FieldWindow()
    {
        auto* layout = new QVBoxLayout(this);
        for (const QString& name : FilterFields) {
            auto* field = new QLineEdit(this);
            field->setObjectName(name);
            ClsFormulario::setDataField(field, name);
            field->installEventFilter(this);
            layout->addWidget(field);
            fields.append(field);
        }
        button = new QPushButton(u"&Cargar Cheques >>>"_s, this);
        layout->addWidget(button);
    }

    QList<QLineEdit*> fields;
    QPushButton* button = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* field = qobject_cast<QLineEdit*>(watched);
        if (field && event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (ClsFormulario::NavegaTeclado(field, key->key()))
                return true;
            return ClsFormulario::AplicaFiltro(field, key);
        }
        return QWidget::eventFilter(watched, event);
    }
};

class ClsFormularioTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_window = std::make_unique<FieldWindow>();
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    }

    QLineEdit* field(const QString& name) const { return m_window->findChild<QLineEdit*>(name); }
    QWidget* focused() const { return QApplication::focusWidget(); }
    QString focusedName() const { return focused() ? focused()->objectName() : u"(none)"_s; }

    std::unique_ptr<FieldWindow> m_window;
};

} // namespace

TEST_F(ClsFormularioTest, IndiceCampoFindsTheFieldIgnoringCase)
{
    const std::pair<QString, int> cases[] = {
        {u"ProveedorH"_s, 0},   {u"Proveedorh"_s, 0},   {u"FechaD"_s, 1},  {u"FECHAH"_s, 2},
        {u"Fechah"_s, 2},       {u"ProveedorD"_s, 3},   {u"serie"_s, 4},   {u"NumerarDesde"_s, 5},
        {u"NUMERARDESDE"_s, 5}, {u"numerardesde"_s, 5}, {u"IdBanco"_s, 6}, {u"IDBANCO"_s, 6},
        {u"NumerarHasta"_s, 7}, {u"Banco"_s, -1},       {u"Fecha"_s, -1},  {u" FechaD"_s, -1},
    };
    for (const auto& [name, index] : cases)
        EXPECT_EQ(ClsFormulario::IndiceCampo(name, m_window->fields), index) << name.toStdString();

    // Gaps in the array and fields without a name are passed over.
    QLineEdit unnamed;
    const QList<QLineEdit*> withGaps = {nullptr, &unnamed, field(u"Serie"_s)};
    EXPECT_EQ(ClsFormulario::IndiceCampo(u"SERIE"_s, withGaps), 2);
    EXPECT_EQ(ClsFormulario::IndiceCampo(u""_s, withGaps), -1);
    EXPECT_EQ(ClsFormulario::DataField(&unnamed), u""_s);
}

TEST_F(ClsFormularioTest, EsTeclaAceptarIsEnter)
{
    const std::pair<int, bool> cases[] = {
        {Qt::Key_Return, true}, {Qt::Key_Enter, true},   {13, true},         {Qt::Key_Tab, false},
        {Qt::Key_Space, false}, {Qt::Key_Escape, false}, {Qt::Key_A, false}, {Qt::Key_Down, false},
    };
    for (const auto& [key, accepts] : cases)
        EXPECT_EQ(ClsFormulario::EsTeclaAceptar(key), accepts) << key;
}

TEST_F(ClsFormularioTest, KeysMoveTheFocusAlongTheTabOrder)
{
    field(u"Serie"_s)->setEnabled(false);
    field(u"NumerarHasta"_s)->hide();
    m_window->button->setFocusPolicy(Qt::ClickFocus);

    struct Case
    {
        const char16_t* from;
        int key;
        const char16_t* to;
    };
    const Case cases[] = {
        {u"ProveedorH", Qt::Key_Return, u"FechaD"},
        {u"FechaD", Qt::Key_Enter, u"FechaH"},
        {u"FechaH", Qt::Key_Down, u"ProveedorD"},
        {u"ProveedorD", Qt::Key_Return, u"NumerarDesde"}, // disabled "Serie" passed over
        {u"NumerarDesde", Qt::Key_Up, u"ProveedorD"},
        {u"idbanco", Qt::Key_Return, u"ProveedorH"}, // hidden field and click-only button passed over
        {u"ProveedorH", Qt::Key_Up, u"idbanco"},
        {u"FechaD", Qt::Key_A, u"FechaD"},
    };
    for (const Case& c : cases) {
        QLineEdit* from = field(QString::fromUtf16(c.from));
        from->setFocus();
        ASSERT_EQ(focused(), from);
        QTest::keyClick(from, static_cast<Qt::Key>(c.key));
        EXPECT_EQ(focusedName(), QString::fromUtf16(c.to)) << "from " << from->objectName().toStdString();
    }
}

TEST_F(ClsFormularioTest, NavegaTecladoFollowsAChangedTabOrderAndReachesButtons)
{
    QWidget::setTabOrder(field(u"FechaD"_s), field(u"idbanco"_s));
    QWidget::setTabOrder(field(u"idbanco"_s), m_window->button);
    field(u"FechaD"_s)->setFocus();
    EXPECT_TRUE(ClsFormulario::NavegaTeclado(field(u"FechaD"_s), Qt::Key_Return));
    EXPECT_EQ(focusedName(), u"idbanco"_s);
    EXPECT_TRUE(ClsFormulario::NavegaTeclado(field(u"idbanco"_s), 13));
    EXPECT_EQ(focused(), m_window->button);

    EXPECT_FALSE(ClsFormulario::NavegaTeclado(nullptr, Qt::Key_Return));
    QWidget alone;
    auto* only = new QLineEdit(&alone);
    EXPECT_FALSE(ClsFormulario::NavegaTeclado(only, Qt::Key_Return));
}

TEST_F(ClsFormularioTest, NavegaTecladoPassesOverControlsThatHandTheirFocusOn)
{
    // A control whose focus goes to another one (as a spin box hands it to its text) is not a stop of
    // its own: landing there would put the focus back where it was.
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* first = new QLineEdit(&window);
    auto* forwarding = new QLineEdit(&window);
    auto* last = new QLineEdit(&window);
    forwarding->setFocusProxy(first);
    for (QWidget* widget :
         {static_cast<QWidget*>(first), static_cast<QWidget*>(forwarding), static_cast<QWidget*>(last)})
        layout->addWidget(widget);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    first->setFocus();
    EXPECT_TRUE(ClsFormulario::NavegaTeclado(first, Qt::Key_Return));
    EXPECT_EQ(focused(), last);
}

TEST_F(ClsFormularioTest, FiltraTeclaDecidesEachTypedCharacter)
{
    const std::pair<QChar, std::optional<QChar>> cases[] = {
        {u'a', u'a'},
        {u'Z', u'Z'},
        {u'0', u'0'},
        {u'/', u'/'},
        {u'ñ', u'ñ'},
        {u'Ó', u'Ó'},
        {u'\'', u'\''},
        {u'\b', u'\b'},
        {u'\r', std::nullopt},
        {u'\t', std::nullopt},
        {u'\x1b', std::nullopt},
        {QChar(0x7F), std::nullopt},
        {QChar(0x16), std::nullopt},
    };
    for (const auto& [typed, kept] : cases)
        EXPECT_EQ(ClsFormulario::FiltraTecla(field(u"ProveedorD"_s), typed), kept) << int(typed.unicode());
}

TEST_F(ClsFormularioTest, TypedTextPassesTheFilter)
{
    QLineEdit* supplier = field(u"ProveedorD"_s);
    supplier->setFocus();
    QTest::keyClicks(supplier, u"O'Brien"_s);
    EXPECT_EQ(supplier->text(), u"O'Brien"_s);

    // Non-ASCII keys reach the field untouched; editing keys still edit.
    QTest::sendKeyEvent(QTest::Press, supplier, Qt::Key_unknown, u"ñ"_s, Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, supplier, Qt::Key_unknown, u"ñ"_s, Qt::NoModifier);
    EXPECT_EQ(supplier->text(), u"O'Brienñ"_s);
    QTest::keyClick(supplier, Qt::Key_Backspace);
    QTest::keyClick(supplier, Qt::Key_Home);
    QTest::keyClick(supplier, Qt::Key_Delete);
    EXPECT_EQ(supplier->text(), u"'Brien"_s);

    // Typed text respects the field's maximum length.
    QLineEdit* series = field(u"Serie"_s);
    series->setMaxLength(1);
    series->setFocus();
    QTest::keyClicks(series, u"B'"_s);
    EXPECT_EQ(series->text(), u"B"_s);
}
