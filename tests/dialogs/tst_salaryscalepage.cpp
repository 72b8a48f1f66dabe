#include "controls/DBGridEh.h"
#include "controls/DBNavigator.h"
#include "data/dataset/Field.h"
#include "dialogs/DirectoryEditor.h"
#include "report/SalaryScale.h"
#include "tests/dialogs/DialogScripts.h"
#include "tests/support/EngineRows.h"
#include "tests/support/NamedChild.h"

#include <QAction>
#include <QTabWidget>
#include <QToolButton>

using namespace zeb;

namespace {

void click(DBNavigator* bar, NavigatorButton which)
{
    QToolButton* button = bar->button(which);
    QVERIFY(button);
    QVERIFY(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    QApplication::processEvents();
}

// A new row typed into the grid by keys and saved with the navigator's post button.
void addByKeys(MainWindowRig& rig, DirectoryEditor& dialog, const QStringList& cells)
{
    DBNavigator* bar = child<DBNavigator>(dialog, "DBNavigatorOklad");
    DBGridEh* grid = child<DBGridEh>(dialog, "DBGridOklad");
    click(bar, NavigatorButton::Insert);
    const int row = grid->currentIndex().row();
    // In an empty list the new row's cell waits for a key to open its editor.
    if (QApplication::focusWidget() == grid)
        QTest::keyClick(grid, Qt::Key_F2);
    for (int column = 0; column < cells.size(); ++column)
        rig.typeIntoCellOf(grid, row, column, cells.at(column));
    if (rig.dataModule.salaryScale.state() != Dataset::State::Browse && rig.platform.errors().isEmpty())
        click(bar, NavigatorButton::Post);
}

} // namespace

// The salary scale's page of the directory editor, as an officer works in it.
class TestSalaryScalePage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void salaryIsAddedByKeys_data() { addEngineRows(); }
    void salaryIsAddedByKeys()
    {
        QFETCH(EngineKind, engine);
        MainWindowRig rig(engine);
        QString shown;
        whenShown<DirectoryEditor>(rig, [&](DirectoryEditor& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Оклады по разрядам"));
            QCOMPARE(child<QTabWidget>(dialog, "PageControl1")->currentWidget(),
                     child<QWidget>(dialog, "TabOklad"));
            QCOMPARE(QApplication::focusWidget(), child<DBGridEh>(dialog, "DBGridOklad"));
            addByKeys(rig, dialog,
                      {QStringLiteral("5"), QStringLiteral("01.09.2025"), QStringLiteral("24640,5")});
            shown = rig.dataModule.salaryScale.fieldByName(QStringLiteral("oklad"))->displayText();
        });
        child<QAction>(*rig.form, "N7")->trigger();

        QVERIFY2(rig.platform.errors().isEmpty(), qPrintable(rig.platform.errors().join(u'\n')));
        QCOMPARE(shown, QStringLiteral("24640,50"));
        const SalaryScale scale = SalaryScale::load(rig.otherWorkstation());
        QCOMPARE(scale.salaryOn(5, QDate(2025, 9, 1)), Money::fromKopecks(2464050));
        QCOMPARE(scale.salaryOn(5, QDate(2025, 8, 31)), std::nullopt);
    }

    void wrongSalaryIsRefusedPlainly_data()
    {
        QTest::addColumn<EngineKind>("engine");
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QString>("message");
        for (const auto& [engineName, engine] : installableEngines) {
            const QByteArray name(engineName);
            QTest::newRow(name + ", negative")
                << engine
                << QStringList{QStringLiteral("6"), QStringLiteral("01.01.2025"), QStringLiteral("-100")}
                << QStringLiteral("Оклад не может быть отрицательным, а указано -100,00 руб.");
            QTest::newRow(name + ", no date")
                << engine << QStringList{QStringLiteral("6"), QString(), QStringLiteral("100")}
                << QStringLiteral("Укажите дату, с которой действует оклад (столбец «Действует с»).");
            QTest::newRow(name + ", grade and date taken")
                << engine
                << QStringList{QStringLiteral("5"), QStringLiteral("01.09.2025"), QStringLiteral("1000")}
                << QStringLiteral(
                       "Изменение не сохранено: оклад этого разряда с этой даты уже записан. Исправьте "
                       "ту запись или укажите другую дату");
        }
    }

    void wrongSalaryIsRefusedPlainly()
    {
        QFETCH(EngineKind, engine);
        QFETCH(QStringList, cells);
        QFETCH(QString, message);
        MainWindowRig rig(engine);
        rig.execute(
            QStringLiteral("insert into Oklad (razrad, date_from, oklad) values (5, '2025-09-01', 24640)"));
        whenShown<DirectoryEditor>(rig, [&](DirectoryEditor& dialog) {
            addByKeys(rig, dialog, cells);
            QVERIFY(rig.dataModule.salaryScale.state() == Dataset::State::Insert);
            click(child<DBNavigator>(dialog, "DBNavigatorOklad"), NavigatorButton::Cancel);
        });
        child<QAction>(*rig.form, "N7")->trigger();

        QVERIFY2(rig.platform.errors().size() == 1, qPrintable(rig.platform.errors().join(u"\n---\n")));
        QVERIFY2(rig.platform.errors().constFirst().startsWith(message),
                 qPrintable(rig.platform.errors().constFirst()));
        QCOMPARE(rig.stored(QStringLiteral("select count(*) AS n from Oklad"), QStringLiteral("n")),
                 QStringLiteral("1"));
    }
};

QTEST_MAIN(TestSalaryScalePage)
#include "tst_salaryscalepage.moc"
