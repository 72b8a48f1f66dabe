#include "controls/DBLookupListBox.h"
#include "data/module/DataSource.h"
#include "data/dataset/Dataset.h"
#include "tests/controls/FixtureConnection.h"
#include "tests/support/ScriptedPlatform.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <functional>

using namespace zeb;

namespace {

const QStringList departments{QStringLiteral("Кафедра алгебры"), QStringLiteral("Кафедра геометрии"),
                              QStringLiteral("Кафедра физики")};

// The fixture's departments in key order, with every row the dataset scrolls to recorded, and a shown
// window holding the list box, not yet bound.
struct Departments
{
    explicit Departments(Connection& database)
        : kafedra(QStringLiteral("departments"), &database), source(&kafedra),
          list(new DBLookupListBox(&window))
    {
        kafedra.setSql(QStringLiteral("select * from Kafedra order by id_kafedra"));
        kafedra.setKeyField(QStringLiteral("id_kafedra"));
        kafedra.afterScroll = [this](Dataset& dataset) { scrolledTo << dataset.recNo(); };
        kafedra.open();
        scrolledTo.clear();
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(list);
        window.resize(300, 240);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    void bind(bool fieldsFirst = true)
    {
        if (!fieldsFirst)
            list->setListSource(&source);
        list->setKeyField(QStringLiteral("ID_KAFEDRA"));
        list->setListField(QStringLiteral("F1"));
        if (fieldsFirst)
            list->setListSource(&source);
    }

    QStringList shown() const
    {
        QStringList texts;
        for (int row = 0; row < list->model()->rowCount(); ++row)
            texts << list->model()->index(row, 0).data().toString();
        return texts;
    }
    QPoint line(int row) const { return list->visualRect(list->model()->index(row, 0)).center(); }
    void click(int row) const { QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, line(row)); }
    void key(int key) const { QTest::keyClick(list, Qt::Key(key)); }

    ScriptedPlatform platform;
    Dataset kafedra;
    DataSource source;
    QList<int> scrolledTo;
    QWidget window;
    DBLookupListBox* list;
};

using Action = std::function<void(Departments&)>;

} // namespace

Q_DECLARE_METATYPE(Action)

class TestLookupListBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { m_database = std::make_unique<FixtureConnection>(); }
    void bindingPutsTheDatasetOnItsFirstRow_data();
    void bindingPutsTheDatasetOnItsFirstRow();
    void bindingAgainKeepsTheRow();
    void userMovesTheDataset_data();
    void userMovesTheDataset();
    void codeMovesTheList_data();
    void codeMovesTheList();
    void reopenedRowsAreShown();
    void rowsAddedAndTakenByTheDataset();
    void doubleClickCallsTheHandlerOnce();

private:
    // The list, the dataset and the values taken all on one row.
    static void onRow(const Departments& d, int row);

    std::unique_ptr<FixtureConnection> m_database;
};

void TestLookupListBox::onRow(const Departments& d, int row)
{
    QCOMPARE(d.kafedra.recNo(), row);
    QCOMPARE(d.list->currentIndex().row(), row);
    QCOMPARE(d.list->selectionModel()->selectedIndexes(), QModelIndexList{d.list->currentIndex()});
    QCOMPARE(d.list->keyValue().toInt(),
             d.kafedra.valueAt(row, d.kafedra.fieldIndex(QStringLiteral("id_kafedra"))).toInt());
    QCOMPARE(d.list->selectedItem(), d.shown().value(row));
}

void TestLookupListBox::bindingPutsTheDatasetOnItsFirstRow_data()
{
    QTest::addColumn<bool>("fieldsFirst");
    QTest::newRow("fields named first") << true;
    QTest::newRow("source bound first") << false;
}

void TestLookupListBox::bindingPutsTheDatasetOnItsFirstRow()
{
    QFETCH(bool, fieldsFirst);
    Departments d(*m_database->connection);
    d.kafedra.last();
    d.scrolledTo.clear();
    QVERIFY(d.list->keyValue().isNull());
    QCOMPARE(d.list->selectedItem(), QString());

    d.bind(fieldsFirst);

    QCOMPARE(d.shown(), departments);
    QCOMPARE(d.scrolledTo, QList<int>{0});
    onRow(d, 0);
    QCOMPARE(d.list->keyValue().toInt(), 1);
    QCOMPARE(d.list->selectedItem(), departments[0]);
    QCOMPARE(d.list->listSource(), &d.source);
}

void TestLookupListBox::bindingAgainKeepsTheRow()
{
    Departments d(*m_database->connection);
    d.bind();
    d.kafedra.moveTo(2);
    d.scrolledTo.clear();

    d.list->setListSource(&d.source);

    QVERIFY(d.scrolledTo.isEmpty());
    onRow(d, 2);
}

void TestLookupListBox::userMovesTheDataset_data()
{
    QTest::addColumn<Action>("act");
    QTest::addColumn<int>("row");
    QTest::addColumn<QList<int>>("scrolledTo");

    QTest::newRow("click on the third line")
        << Action([](Departments& d) { d.click(2); }) << 2 << QList<int>{2};
    QTest::newRow("click on the current line")
        << Action([](Departments& d) { d.click(0); }) << 0 << QList<int>{};
    QTest::newRow("Down") << Action([](Departments& d) { d.key(Qt::Key_Down); }) << 1 << QList<int>{1};
    QTest::newRow("End") << Action([](Departments& d) { d.key(Qt::Key_End); }) << 2 << QList<int>{2};
    QTest::newRow("End, Up") << Action([](Departments& d) {
        d.key(Qt::Key_End);
        d.key(Qt::Key_Up);
    }) << 1 << QList<int>{2, 1};
    QTest::newRow("PageDown") << Action([](Departments& d) { d.key(Qt::Key_PageDown); }) << 2
                              << QList<int>{2};
    QTest::newRow("click, PageUp") << Action([](Departments& d) {
        d.click(1);
        d.key(Qt::Key_PageUp);
    }) << 0 << QList<int>{1, 0};
    QTest::newRow("End, Home") << Action([](Departments& d) {
        d.key(Qt::Key_End);
        d.key(Qt::Key_Home);
    }) << 0 << QList<int>{2, 0};
}

void TestLookupListBox::userMovesTheDataset()
{
    QFETCH(Action, act);
    QFETCH(int, row);
    QFETCH(QList<int>, scrolledTo);
    Departments d(*m_database->connection);
    d.bind();
    d.list->setFocus();
    d.scrolledTo.clear();

    act(d);

    onRow(d, row);
    QCOMPARE(d.list->keyValue().toInt(), row + 1);
    QCOMPARE(d.list->selectedItem(), departments[row]);
    // Each move ran the dataset's scroll handler once, on the row it reached.
    QCOMPARE(d.scrolledTo, scrolledTo);
    QCOMPARE(d.kafedra.state(), Dataset::State::Browse);
}

void TestLookupListBox::codeMovesTheList_data()
{
    QTest::addColumn<Action>("act");
    QTest::addColumn<int>("row");

    QTest::newRow("last") << Action([](Departments& d) { d.kafedra.last(); }) << 2;
    QTest::newRow("next") << Action([](Departments& d) { d.kafedra.next(); }) << 1;
    QTest::newRow("moveTo") << Action([](Departments& d) { d.kafedra.moveTo(1); }) << 1;
    QTest::newRow("locate") << Action([](Departments& d) {
        d.kafedra.locate(QStringLiteral("f1"), QStringLiteral("Кафедра физики"));
    }) << 2;
}

void TestLookupListBox::codeMovesTheList()
{
    QFETCH(Action, act);
    QFETCH(int, row);
    Departments d(*m_database->connection);
    d.bind();

    act(d);

    onRow(d, row);
}

void TestLookupListBox::reopenedRowsAreShown()
{
    Departments d(*m_database->connection);
    d.bind();
    d.kafedra.moveTo(2);

    d.kafedra.close();
    QVERIFY(d.shown().isEmpty());
    QVERIFY(!d.list->currentIndex().isValid());

    d.kafedra.setSql(QStringLiteral("select * from Kafedra order by id_kafedra desc"));
    d.kafedra.open();
    QCOMPARE(d.shown(), (QStringList{departments[2], departments[1], departments[0]}));
    onRow(d, 0);
    QCOMPARE(d.list->keyValue().toInt(), 3);

    d.kafedra.moveTo(2);
    onRow(d, 2);
    QCOMPARE(d.list->selectedItem(), departments[0]);
    d.click(1);
    onRow(d, 1);
    QCOMPARE(d.list->keyValue().toInt(), 2);
}

void TestLookupListBox::rowsAddedAndTakenByTheDataset()
{
    Departments d(*m_database->connection);
    m_database->connection->execute(QStringLiteral("insert into Kafedra (f1) values ('Кафедра временная')"));
    d.kafedra.close();
    d.kafedra.open();
    d.bind();
    d.kafedra.moveTo(2);

    d.kafedra.insert();
    onRow(d, 2);
    QVERIFY(d.list->keyValue().isNull());
    QCOMPARE(d.list->selectedItem(), QString());
    d.kafedra.cancel();
    onRow(d, 2);
    QCOMPARE(d.list->selectedItem(), departments[2]);

    d.kafedra.last();
    d.scrolledTo.clear();
    d.kafedra.remove();
    QCOMPARE(d.scrolledTo, QList<int>{2});
    onRow(d, 2);
    QCOMPARE(d.shown(), departments);
}

void TestLookupListBox::doubleClickCallsTheHandlerOnce()
{
    Departments d(*m_database->connection);
    d.bind();
    QList<QPair<int, QString>> calls;
    d.list->onDblClick = [&] { calls.append({d.kafedra.recNo(), d.list->selectedItem()}); };

    QTest::mouseDClick(d.list->viewport(), Qt::LeftButton, {}, d.line(1));

    QCOMPARE(calls, (QList<QPair<int, QString>>{{1, departments[1]}}));
    onRow(d, 1);
    // Nothing is edited in the list.
    QVERIFY(d.list->findChildren<QLineEdit*>().isEmpty());
    QCOMPARE(d.kafedra.state(), Dataset::State::Browse);

    // Below the last line there is no row to act on.
    const QPoint below(d.line(2).x(), d.list->visualRect(d.list->model()->index(2, 0)).bottom() + 20);
    QVERIFY(below.y() < d.list->viewport()->height());
    QTest::mouseDClick(d.list->viewport(), Qt::LeftButton, {}, below);
    QCOMPARE(calls.size(), 1);
}

QTEST_MAIN(TestLookupListBox)
#include "tst_lookuplistbox.moc"
