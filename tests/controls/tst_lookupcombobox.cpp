#include "controls/DBLookupComboBox.h"
#include "data/module/DataSource.h"
#include "data/dataset/Dataset.h"
#include "data/dataset/Field.h"
#include "tests/controls/FixtureConnection.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/controls/TypeText.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <functional>

using namespace zeb;

namespace {

using Style = DBLookupComboBox::Style;

// Divisions 1..5 in key order, each also under a second key (the key plus 10), and the two faculties.
struct Lists
{
    explicit Lists(Connection& connection)
        : divisions(QStringLiteral("divisions"), &connection),
          faculties(QStringLiteral("faculties"), &connection), divisionSource(&divisions),
          facultySource(&faculties)
    {
        divisions.setSql(QStringLiteral(
            "select id_otdel_1, otdel_1, id_otdel_1 + 10 as code from Otdel_1 order by id_otdel_1"));
        divisions.setKeyField(QStringLiteral("id_otdel_1"));
        divisions.open();
        faculties.setSql(QStringLiteral("select * from Faculty order by id_faculty"));
        faculties.open();
    }

    ScriptedPlatform platform;
    Dataset divisions;
    Dataset faculties;
    DataSource divisionSource;
    DataSource facultySource;
};

// A shown window with the combo box on the divisions and a line edit to take the focus away.
struct Window
{
    Window(Style style, Connection& connection)
        : lists(connection), combo(new DBLookupComboBox(style, &window)), other(new QLineEdit(&window))
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(other);
        layout->addWidget(combo);
        combo->setListSource(&lists.divisionSource, QStringLiteral("ID_Otdel_1"), QStringLiteral("OTDEL_1"));
        window.show();
        window.activateWindow();
    }

    Lists lists;
    QWidget window;
    DBLookupComboBox* combo;
    QLineEdit* other;
};

using Action = std::function<void(Window&)>;

// The override is protected; the combo box's own entry point is public.
void openList(QComboBox* combo)
{
    combo->showPopup();
}

void pickWithMouse(DBLookupComboBox& combo, int row)
{
    openList(&combo);
    QAbstractItemView* list = combo.view();
    const QRect entry = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry.center());
}

QStringList entries(const DBLookupComboBox& combo)
{
    QStringList texts;
    for (int index = 0; index < combo.count(); ++index)
        texts << combo.itemText(index);
    return texts;
}

QRgb backgroundPixel(DBLookupComboBox& combo)
{
    const QImage image = combo.grab().toImage();
    return image.pixel(image.width() / 3, image.height() / 2);
}

} // namespace

Q_DECLARE_METATYPE(Action)
Q_DECLARE_METATYPE(DBLookupComboBox::Style)

class TestLookupComboBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void itemsComeFromTheList();
    void userChoicePicks_data();
    void userChoicePicks();
    void codeNeverPicks_data();
    void codeNeverPicks();
    void editStyleReportsEveryRealChange_data();
    void editStyleReportsEveryRealChange();
    void listChangesFireNothing_data();
    void listChangesFireNothing();
    void repointingTheList_data();
    void repointingTheList();
    void keyMissingFromTheListShowsNoText_data();
    void keyMissingFromTheListShowsNoText();
    void colourShowsInTheBox_data();
    void colourShowsInTheBox();
    void focusEnters_data();
    void focusEnters();
    void dropDownIsAtLeastTheSetWidth_data();
    void dropDownIsAtLeastTheSetWidth();
    void handlerErrorsAreShown_data();
    void handlerErrorsAreShown();

private:
    std::unique_ptr<FixtureConnection> m_database;
};

void TestLookupComboBox::initTestCase()
{
    QApplication::setStyle(QStringLiteral("Fusion"));
    m_database = std::make_unique<FixtureConnection>();
}

void TestLookupComboBox::itemsComeFromTheList()
{
    Window ui(Style::Plain, *m_database->connection);
    QCOMPARE(entries(*ui.combo), QStringList({QStringLiteral("Бухгалтерия"),
                                              QStringLiteral("Расчётная группа"), QStringLiteral("Деканат"),
                                              QStringLiteral("Лаборатория"), QStringLiteral("Архив")}));
    QCOMPARE(ui.combo->itemData(4).toInt(), 5);
    QVERIFY(ui.combo->keyValue().isNull());
    QCOMPARE(ui.combo->text(), QString());
    QCOMPARE(ui.combo->currentIndex(), -1);
    QVERIFY(!ui.combo->isEditable());
    QVERIFY(DBLookupComboBox(Style::EditStyle).isEditable());
}

void TestLookupComboBox::userChoicePicks_data()
{
    QTest::addColumn<Action>("choose");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");

    QTest::newRow("mouse in the drop-down list")
        << Action([](Window& ui) { pickWithMouse(*ui.combo, 3); }) << 4 << QStringLiteral("Лаборатория");
    QTest::newRow("down arrow on the closed box")
        << Action([](Window& ui) { QTest::keyClick(ui.combo, Qt::Key_Down); }) << 1
        << QStringLiteral("Бухгалтерия");
    QTest::newRow("first letter") << Action([](Window& ui) { typeText(ui.combo, QStringLiteral("Д")); }) << 3
                                  << QStringLiteral("Деканат");
    QTest::newRow("arrows and Enter in the open list") << Action([](Window& ui) {
        openList(ui.combo);
        QTest::keyClick(ui.combo->view(), Qt::Key_Down);
        QTest::keyClick(ui.combo->view(), Qt::Key_Down);
        QTest::keyClick(ui.combo->view(), Qt::Key_Return);
    }) << 3 << QStringLiteral("Деканат");
}

void TestLookupComboBox::userChoicePicks()
{
    QFETCH(Action, choose);
    QFETCH(int, key);
    QFETCH(QString, text);
    Window ui(Style::Plain, *m_database->connection);
    QVariantList keysWhenPicked;
    connect(ui.combo, &DBLookupComboBox::picked, ui.combo, [&] { keysWhenPicked << ui.combo->keyValue(); });

    choose(ui);

    QCOMPARE(keysWhenPicked, QVariantList({key}));
    QCOMPARE(ui.combo->keyValue().toInt(), key);
    QCOMPARE(ui.combo->text(), text);
}

void TestLookupComboBox::codeNeverPicks_data()
{
    QTest::addColumn<Action>("act");
    QTest::addColumn<QVariant>("key");
    QTest::addColumn<QString>("text");

    QTest::newRow("key set") << Action([](Window& ui) { ui.combo->setKeyValue(3); }) << QVariant(3)
                             << QStringLiteral("Деканат");
    QTest::newRow("key set as text") << Action([](Window& ui) { ui.combo->setKeyValue(QStringLiteral("5")); })
                                     << QVariant(QStringLiteral("5")) << QStringLiteral("Архив");
    QTest::newRow("cleared") << Action([](Window& ui) {
        ui.combo->setKeyValue(3);
        ui.combo->clearValue();
    }) << QVariant() << QString();
    QTest::newRow("set twice") << Action([](Window& ui) {
        ui.combo->setKeyValue(1);
        ui.combo->setKeyValue(2);
    }) << QVariant(2) << QStringLiteral("Расчётная группа");
}

void TestLookupComboBox::codeNeverPicks()
{
    QFETCH(Action, act);
    QFETCH(QVariant, key);
    QFETCH(QString, text);
    Window ui(Style::Plain, *m_database->connection);
    QSignalSpy picks(ui.combo, &DBLookupComboBox::picked);

    act(ui);

    QCOMPARE(picks.count(), 0);
    QCOMPARE(ui.combo->keyValue(), key);
    QCOMPARE(ui.combo->text(), text);
    QCOMPARE(ui.combo->currentText(), text);
}

void TestLookupComboBox::editStyleReportsEveryRealChange_data()
{
    QTest::addColumn<QVariant>("startKey");
    QTest::addColumn<Action>("act");
    QTest::addColumn<int>("changes");
    QTest::addColumn<QVariant>("key");
    QTest::addColumn<QString>("text");

    const Action nothing = [](Window&) {};
    QTest::newRow("key set by code") << QVariant() << Action([](Window& ui) { ui.combo->setKeyValue(2); })
                                     << 1 << QVariant(2) << QStringLiteral("Расчётная группа");
    QTest::newRow("same key set again") << QVariant(2) << Action([](Window& ui) { ui.combo->setKeyValue(2); })
                                        << 0 << QVariant(2) << QStringLiteral("Расчётная группа");
    QTest::newRow("cleared by code") << QVariant(2) << Action([](Window& ui) { ui.combo->clearValue(); }) << 1
                                     << QVariant() << QString();
    QTest::newRow("clearing an empty box")
        << QVariant() << Action([](Window& ui) { ui.combo->clearValue(); }) << 0 << QVariant() << QString();
    QTest::newRow("missing key set by code")
        << QVariant() << Action([](Window& ui) { ui.combo->setKeyValue(99); }) << 1 << QVariant(99)
        << QString();
    QTest::newRow("entry typed in another case")
        << QVariant() << Action([](Window& ui) { typeText(ui.combo, QStringLiteral("архив")); }) << 5
        << QVariant(5) << QStringLiteral("архив");
    QTest::newRow("text of no entry typed") << QVariant(1) << Action([](Window& ui) {
        ui.combo->lineEdit()->selectAll();
        typeText(ui.combo, QStringLiteral("Ар"));
    }) << 2 << QVariant() << QStringLiteral("Ар");
    QTest::newRow("backspace") << QVariant(3) << Action([](Window& ui) {
        ui.combo->lineEdit()->end(false);
        QTest::keyClick(ui.combo, Qt::Key_Backspace);
    }) << 1 << QVariant() << QStringLiteral("Декана");
    QTest::newRow("typed entry kept on leaving") << QVariant() << Action([](Window& ui) {
        ui.combo->setFocus(Qt::TabFocusReason);
        typeText(ui.combo, QStringLiteral("деканат"));
        QTest::keyClick(ui.combo, Qt::Key_Tab);
        QVERIFY(ui.other->hasFocus());
    }) << 7 << QVariant(3) << QStringLiteral("деканат");
    QTest::newRow("entry picked with the mouse")
        << QVariant() << Action([](Window& ui) { pickWithMouse(*ui.combo, 3); }) << 1 << QVariant(4)
        << QStringLiteral("Лаборатория");
    QTest::newRow("held entry picked again")
        << QVariant(4) << Action([](Window& ui) { pickWithMouse(*ui.combo, 3); }) << 0 << QVariant(4)
        << QStringLiteral("Лаборатория");
    QTest::newRow("next entry by arrow")
        << QVariant(1) << Action([](Window& ui) { QTest::keyClick(ui.combo, Qt::Key_Down); }) << 1
        << QVariant(2) << QStringLiteral("Расчётная группа");
    QTest::newRow("nothing done") << QVariant(1) << nothing << 0 << QVariant(1)
                                  << QStringLiteral("Бухгалтерия");
}

void TestLookupComboBox::editStyleReportsEveryRealChange()
{
    QFETCH(QVariant, startKey);
    QFETCH(Action, act);
    QFETCH(int, changes);
    QFETCH(QVariant, key);
    QFETCH(QString, text);
    Window ui(Style::EditStyle, *m_database->connection);
    QVERIFY(QTest::qWaitForWindowActive(&ui.window));
    ui.combo->setKeyValue(startKey);
    QSignalSpy changed(ui.combo, &DBLookupComboBox::changed);
    QSignalSpy picks(ui.combo, &DBLookupComboBox::picked);

    act(ui);

    QCOMPARE(changed.count(), changes);
    QCOMPARE(picks.count(), 0);
    QCOMPARE(ui.combo->keyValue().isNull(), key.isNull());
    QCOMPARE(ui.combo->keyValue().toInt(), key.toInt());
    QCOMPARE(ui.combo->text(), text);
    QCOMPARE(ui.combo->lineEdit()->text(), text);
}

void TestLookupComboBox::listChangesFireNothing_data()
{
    QTest::addColumn<Style>("style");
    QTest::addColumn<Action>("act");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("text");

    const QList<std::pair<const char*, Style>> styles = {{"plain", Style::Plain},
                                                         {"edit style", Style::EditStyle}};
    for (const auto& [name, style] : styles) {
        QTest::addRow("%s, list reopened", name) << style << Action([](Window& ui) {
            ui.lists.divisions.close();
            ui.lists.divisions.open();
        }) << 5 << QStringLiteral("Расчётная группа");
        QTest::addRow("%s, list closed", name)
            << style << Action([](Window& ui) { ui.lists.divisions.close(); }) << 0 << QString();
        QTest::addRow("%s, list sorted", name)
            << style << Action([](Window& ui) { ui.lists.divisions.sort(QStringLiteral("otdel_1")); }) << 5
            << QStringLiteral("Расчётная группа");
        QTest::addRow("%s, held row renamed", name) << style << Action([](Window& ui) {
            Dataset& list = ui.lists.divisions;
            list.locate(QStringLiteral("id_otdel_1"), 2);
            list.edit();
            list.fieldByName(QStringLiteral("otdel_1"))->setAsString(QStringLiteral("Группа расчётов"));
        }) << 5 << QStringLiteral("Группа расчётов");
        QTest::addRow("%s, row appended and dropped", name) << style << Action([](Window& ui) {
            ui.lists.divisions.append();
            QCOMPARE(ui.combo->count(), 6);
            ui.lists.divisions.cancel();
        }) << 5 << QStringLiteral("Расчётная группа");
    }
}

void TestLookupComboBox::listChangesFireNothing()
{
    QFETCH(Style, style);
    QFETCH(Action, act);
    QFETCH(int, count);
    QFETCH(QString, text);
    Window ui(style, *m_database->connection);
    ui.combo->setKeyValue(2);
    QSignalSpy changed(ui.combo, &DBLookupComboBox::changed);
    QSignalSpy picks(ui.combo, &DBLookupComboBox::picked);

    act(ui);

    QCOMPARE(ui.combo->count(), count);
    QCOMPARE(ui.combo->keyValue().toInt(), 2);
    QCOMPARE(ui.combo->text(), text);
    QCOMPARE(ui.combo->currentText(), text);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(picks.count(), 0);
}

void TestLookupComboBox::repointingTheList_data()
{
    QTest::addColumn<Style>("style");
    QTest::addColumn<QVariant>("key");
    QTest::addColumn<bool>("toFaculties");
    QTest::addColumn<QString>("keyField");
    QTest::addColumn<QString>("listField");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("firstEntry");

    for (const Style style : {Style::Plain, Style::EditStyle}) {
        const char* name = style == Style::Plain ? "plain" : "edit style";
        QTest::addRow("%s, another data source", name)
            << style << QVariant(2) << true << QStringLiteral("ID_FACULTY") << QStringLiteral("P23-1")
            << QStringLiteral("ФЭ") << QStringLiteral("ФМ");
        QTest::addRow("%s, another list field", name)
            << style << QVariant(2) << true << QStringLiteral("id_faculty") << QStringLiteral("p23-2")
            << QStringLiteral("Экономический") << QStringLiteral("Физико-математический");
        QTest::addRow("%s, another key field", name)
            << style << QVariant(13) << false << QStringLiteral("Code") << QStringLiteral("otdel_1")
            << QStringLiteral("Деканат") << QStringLiteral("Бухгалтерия");
    }
}

void TestLookupComboBox::repointingTheList()
{
    QFETCH(Style, style);
    QFETCH(QVariant, key);
    QFETCH(bool, toFaculties);
    QFETCH(QString, keyField);
    QFETCH(QString, listField);
    QFETCH(QString, text);
    QFETCH(QString, firstEntry);
    Window ui(style, *m_database->connection);
    ui.combo->setKeyValue(key);
    QSignalSpy changed(ui.combo, &DBLookupComboBox::changed);
    QSignalSpy picks(ui.combo, &DBLookupComboBox::picked);
    DataSource* source = toFaculties ? &ui.lists.facultySource : &ui.lists.divisionSource;

    ui.combo->setListSource(source, keyField, listField);

    QCOMPARE(ui.combo->listSource(), source);
    QCOMPARE(ui.combo->keyField(), keyField);
    QCOMPARE(ui.combo->listField(), listField);
    QCOMPARE(ui.combo->itemText(0), firstEntry);
    QCOMPARE(ui.combo->keyValue(), key);
    QCOMPARE(ui.combo->text(), text);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(picks.count(), 0);

    // The old list no longer feeds the box.
    ui.lists.divisions.close();
    QCOMPARE(ui.combo->count(), toFaculties ? 2 : 0);
}

void TestLookupComboBox::keyMissingFromTheListShowsNoText_data()
{
    QTest::addColumn<Style>("style");
    QTest::newRow("plain") << Style::Plain;
    QTest::newRow("edit style") << Style::EditStyle;
}

void TestLookupComboBox::keyMissingFromTheListShowsNoText()
{
    QFETCH(Style, style);
    Window ui(style, *m_database->connection);
    Dataset& list = ui.lists.divisions;
    ui.combo->setKeyValue(4);
    QSignalSpy changed(ui.combo, &DBLookupComboBox::changed);

    list.setSql(QStringLiteral("select id_otdel_1, otdel_1 from Otdel_1 where id_otdel_1 <> 4"));
    list.open();
    QCOMPARE(ui.combo->count(), 4);
    QCOMPARE(ui.combo->keyValue().toInt(), 4);
    QCOMPARE(ui.combo->text(), QString());
    QCOMPARE(ui.combo->currentText(), QString());

    list.setSql(QStringLiteral("select id_otdel_1, otdel_1 from Otdel_1"));
    list.open();
    QCOMPARE(ui.combo->text(), QStringLiteral("Лаборатория"));
    QCOMPARE(changed.count(), 0);
}

void TestLookupComboBox::colourShowsInTheBox_data()
{
    QTest::addColumn<Style>("style");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("plain") << Style::Plain << true;
    QTest::newRow("plain, disabled") << Style::Plain << false;
    QTest::newRow("edit style") << Style::EditStyle << true;
    QTest::newRow("edit style, disabled") << Style::EditStyle << false;
}

void TestLookupComboBox::colourShowsInTheBox()
{
    QFETCH(Style, style);
    QFETCH(bool, enabled);
    const QColor silver(0xC0, 0xC0, 0xC0);
    DBLookupComboBox white(style);
    DBLookupComboBox grey(style);
    white.setColor(Qt::white);
    grey.setColor(silver);
    for (DBLookupComboBox* combo : {&white, &grey}) {
        combo->resize(330, 24);
        combo->setEnabled(enabled);
    }

    QCOMPARE(white.color(), QColor(Qt::white));
    QCOMPARE(grey.color(), silver);
    const QRgb whitePixel = backgroundPixel(white);
    const QRgb greyPixel = backgroundPixel(grey);
    QVERIFY2(qGray(whitePixel) >= 240, qPrintable(QColor(whitePixel).name()));
    QVERIFY2(qGray(greyPixel) <= 225, qPrintable(QColor(greyPixel).name()));
}

void TestLookupComboBox::focusEnters_data()
{
    QTest::addColumn<Style>("style");
    QTest::addColumn<Action>("enter");

    const Action tab = [](Window& ui) { QTest::keyClick(ui.other, Qt::Key_Tab); };
    const Action clickAndClose = [](Window& ui) {
        QTest::mouseClick(ui.combo, Qt::LeftButton);
        ui.combo->hidePopup();
    };
    QTest::newRow("plain, tab") << Style::Plain << tab;
    QTest::newRow("plain, click opening the list") << Style::Plain << clickAndClose;
    QTest::newRow("edit style, tab") << Style::EditStyle << tab;
    QTest::newRow("edit style, click opening the list") << Style::EditStyle << Action([](Window& ui) {
        QTest::mouseClick(ui.combo, Qt::LeftButton, {},
                          QPoint(ui.combo->width() - 8, ui.combo->height() / 2));
        ui.combo->hidePopup();
    });
}

void TestLookupComboBox::focusEnters()
{
    QFETCH(Style, style);
    QFETCH(Action, enter);
    Window ui(style, *m_database->connection);
    QVERIFY(QTest::qWaitForWindowActive(&ui.window));
    ui.other->setFocus();
    QSignalSpy entered(ui.combo, &DBLookupComboBox::entered);

    enter(ui);

    QVERIFY(ui.combo->hasFocus());
    QCOMPARE(entered.count(), 1);
    QTest::keyClick(ui.combo, Qt::Key_Tab);
    QVERIFY(ui.other->hasFocus());
    QCOMPARE(entered.count(), 1);
}

void TestLookupComboBox::dropDownIsAtLeastTheSetWidth_data()
{
    QTest::addColumn<Style>("style");
    QTest::newRow("plain") << Style::Plain;
    QTest::newRow("edit style") << Style::EditStyle;
}

void TestLookupComboBox::dropDownIsAtLeastTheSetWidth()
{
    QFETCH(Style, style);
    Window ui(style, *m_database->connection);
    ui.combo->setFixedWidth(330);
    ui.combo->setDropDownBoxWidth(550);

    openList(ui.combo);

    QWidget* popup = ui.combo->view()->window();
    QVERIFY(popup->isVisible());
    QVERIFY2(popup->width() >= 550, qPrintable(QString::number(popup->width())));
    ui.combo->hidePopup();
}

void TestLookupComboBox::handlerErrorsAreShown_data()
{
    QTest::addColumn<Style>("style");
    QTest::newRow("plain, pick") << Style::Plain;
    QTest::newRow("edit style, change") << Style::EditStyle;
}

void TestLookupComboBox::handlerErrorsAreShown()
{
    QFETCH(Style, style);
    Window ui(style, *m_database->connection);
    const auto refuse = [] { throw Error(QStringLiteral("Список подразделений недоступен.")); };
    connect(ui.combo, &DBLookupComboBox::picked, ui.combo, refuse);
    connect(ui.combo, &DBLookupComboBox::changed, ui.combo, refuse);

    QTest::keyClick(ui.combo, Qt::Key_Down);

    QCOMPARE(ui.lists.platform.errors(), QStringList({QStringLiteral("Список подразделений недоступен.")}));
    QCOMPARE(ui.combo->keyValue().toInt(), 1);
}

QTEST_MAIN(TestLookupComboBox)
#include "tst_lookupcombobox.moc"
