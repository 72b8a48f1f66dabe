#include "controls/DBGridEh.h"
#include "controls/DBGridFooter.h"
#include "data/module/DataSource.h"
#include "data/dataset/Dataset.h"
#include "controls/DatasetTotals.h"
#include "data/dataset/Field.h"
#include "tests/controls/FixtureConnection.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/controls/TypeText.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>
#include <functional>

using namespace zeb;

namespace {

enum Col
{
    NumCol,
    UnitsCol,
    HoursCol,
    OrderCol,
};

const QString units = QStringLiteral("q_units");
const QString hours = QStringLiteral("hourFond");

QList<GridColumn> columns()
{
    const auto column = [](const QString& field, int width) {
        GridColumn c;
        c.fieldName = field;
        c.title = field;
        c.width = width;
        return c;
    };
    return {column(QStringLiteral("Num"), 40), column(units, 60), column(hours, 90),
            column(QStringLiteral("e_n_p"), 200)};
}

// Lines of this object only, in the order given, shown in a grid with the footer under it summing staff
// units and hourly fund. Values are SQL literals.
struct FootedGrid
{
    FootedGrid(FixtureConnection& database, const QStringList& lineUnits, const QStringList& lineHours)
        : admin(database.installation.adminEngine()), mark(QStringLiteral("foot%1").arg(++made)),
          lines(QStringLiteral("lines"), database.connection.get()), source(&lines)
    {
        for (int i = 0; i < lineUnits.size(); ++i)
            admin->run(QStringLiteral("insert into Vakansii (id_post, Num, q_units, hourFond, e_n_p) "
                                      "values (2, %1, %2, %3, '%4')")
                           .arg(i + 1)
                           .arg(lineUnits[i], lineHours[i], mark));
        lines.setSql(QStringLiteral("select * from Vakansii where e_n_p = '%1' order by Num").arg(mark));
        lines.setKeyField(QStringLiteral("id_vakansiya"));
        lines.open();

        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        grid = new DBGridEh(&window);
        grid->setColumns(columns());
        grid->setDataSource(&source);
        footer = new DBGridFooter(&window);
        footer->setCaption(QStringLiteral("Итого:"));
        footer->setGrid(grid, {units, hours});
        layout->addWidget(grid, 1);
        layout->addWidget(footer);
        window.resize(700, 300);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    Field& field(const QString& name) { return *lines.fieldByName(name); }
    void setUnits(int row, const QString& text)
    {
        lines.moveTo(row);
        lines.edit();
        field(units).setAsString(text);
    }
    // Types into the cell as a user does, and commits with Return.
    void typeUnits(int row, const QString& text)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(row, UnitsCol)).center());
        // The first key opens the cell's editor, which takes the others.
        for (const QChar character : text)
            typeText(QApplication::focusWidget(), character);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    QStringList totals() const { return {footer->totalText(units), footer->totalText(hours)}; }

    static inline int made = 0;
    ScriptedPlatform platform;
    std::unique_ptr<Engine> admin;
    QString mark;
    Dataset lines;
    DataSource source;
    QWidget window;
    DBGridEh* grid = nullptr;
    DBGridFooter* footer = nullptr;
};

using Action = std::function<void(FootedGrid&)>;

// The grid's column in the footer's coordinates, from the geometry of the grid's own cell.
std::pair<int, int> columnSpan(FootedGrid& f, int column)
{
    const QRect cell = f.grid->visualRect(f.grid->model()->index(0, column));
    const QPoint inWindow = f.grid->viewport()->mapTo(&f.window, cell.topLeft());
    const int left = f.footer->mapFrom(&f.window, inWindow).x();
    return {left, left + f.grid->columnWidth(column) - 1};
}

// The rightmost column of the footer's image between `from` and `to` with dark pixels under the top line;
// -1 when there is none.
int rightmostInk(const QImage& image, int from, int to)
{
    for (int x = qMin(to, image.width() - 1); x >= qMax(from, 0); --x) {
        for (int y = 1; y < image.height(); ++y) {
            if (qGray(image.pixel(x, y)) < 100)
                return x;
        }
    }
    return -1;
}

} // namespace

Q_DECLARE_METATYPE(Action)

class TestDBGridFooter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { m_database = std::make_unique<FixtureConnection>(); }
    void sumsTheShownLines_data();
    void sumsTheShownLines();
    void followsChanges_data();
    void followsChanges();
    void staysUnderItsColumns();
    void aLineOfAHugeListIsReadAlone();

private:
    std::unique_ptr<FixtureConnection> m_database;
};

void TestDBGridFooter::sumsTheShownLines_data()
{
    QTest::addColumn<QStringList>("lineUnits");
    QTest::addColumn<QStringList>("lineHours");
    QTest::addColumn<QStringList>("totals");

    QTest::newRow("no lines") << QStringList() << QStringList() << QStringList({QString(), QString()});
    QTest::newRow("decimal comma, no trailing zeros")
        << QStringList({QStringLiteral("1.5"), QStringLiteral("11.25")})
        << QStringList({QStringLiteral("100"), QStringLiteral("20.5")})
        << QStringList({QStringLiteral("12,75"), QStringLiteral("120,5")});
    QTest::newRow("tenths add up exactly") << QStringList({QStringLiteral("0.1"), QStringLiteral("0.2")})
                                           << QStringList({QStringLiteral("0.7"), QStringLiteral("0.1")})
                                           << QStringList({QStringLiteral("0,3"), QStringLiteral("0,8")});
    QTest::newRow("whole sums without a comma")
        << QStringList({QStringLiteral("0.25"), QStringLiteral("0.75")})
        << QStringList({QStringLiteral("10.5"), QStringLiteral("9.5")})
        << QStringList({QStringLiteral("1"), QStringLiteral("20")});
    QTest::newRow("NULL counts as 0") << QStringList({QStringLiteral("NULL"), QStringLiteral("2")})
                                      << QStringList({QStringLiteral("NULL"), QStringLiteral("NULL")})
                                      << QStringList({QStringLiteral("2"), QStringLiteral("0")});
}

void TestDBGridFooter::sumsTheShownLines()
{
    QFETCH(QStringList, lineUnits);
    QFETCH(QStringList, lineHours);
    QFETCH(QStringList, totals);
    FootedGrid f(*m_database, lineUnits, lineHours);
    QCOMPARE(f.totals(), totals);
}

void TestDBGridFooter::followsChanges_data()
{
    QTest::addColumn<Action>("act");
    QTest::addColumn<QStringList>("totals");

    const auto totals = [](const char* units, const char* hours) {
        return QStringList({QString::fromUtf8(units), QString::fromUtf8(hours)});
    };
    const auto newLine = [](FootedGrid& f, int before) {
        f.lines.moveTo(before);
        f.lines.insert();
        f.field(QStringLiteral("id_post")).setAsInteger(2);
        f.field(QStringLiteral("e_n_p")).setValue(f.mark);
        f.field(units).setAsString(QStringLiteral("4"));
    };

    QTest::newRow("value set, line not saved")
        << Action([](FootedGrid& f) { f.setUnits(1, QStringLiteral("2,5")); }) << totals("6,5", "60,5");
    QTest::newRow("value saved") << Action([](FootedGrid& f) {
        f.setUnits(1, QStringLiteral("2,5"));
        f.lines.post();
    }) << totals("6,5", "60,5");
    QTest::newRow("value cleared") << Action([](FootedGrid& f) { f.setUnits(1, QString()); })
                                   << totals("4", "60,5");
    QTest::newRow("edit cancelled") << Action([](FootedGrid& f) {
        f.setUnits(1, QStringLiteral("2,5"));
        f.lines.cancel();
    }) << totals("6", "60,5");
    QTest::newRow("typed into the grid and committed") << Action([](FootedGrid& f) {
        f.typeUnits(1, QStringLiteral("4,25"));
        QCOMPARE(f.lines.state(), Dataset::State::Edit);
    }) << totals("8,25", "60,5");
    QTest::newRow("typed into the grid, then Escape") << Action([](FootedGrid& f) {
        f.typeUnits(1, QStringLiteral("4,25"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(f.lines.state(), Dataset::State::Browse);
    }) << totals("6", "60,5");
    QTest::newRow("new line, not saved")
        << Action([newLine](FootedGrid& f) { newLine(f, 1); }) << totals("10", "60,5");
    QTest::newRow("new line dropped") << Action([newLine](FootedGrid& f) {
        newLine(f, 1);
        f.lines.cancel();
    }) << totals("6", "60,5");
    QTest::newRow("new line saved, then the line after it edited") << Action([newLine](FootedGrid& f) {
        newLine(f, 1);
        f.lines.post();
        f.setUnits(2, QStringLiteral("0"));
    }) << totals("8", "60,5");
    QTest::newRow("line deleted, then the line after it edited") << Action([](FootedGrid& f) {
        f.lines.moveTo(0);
        f.lines.remove();
        f.setUnits(0, QStringLiteral("5"));
    }) << totals("8", "50,5");
    QTest::newRow("reopened on changed lines") << Action([](FootedGrid& f) {
        f.admin->run(QStringLiteral("update Vakansii set q_units = 7, hourFond = NULL where e_n_p = '%1' "
                                    "and Num = 3")
                         .arg(f.mark));
        f.lines.close();
        f.lines.open();
    }) << totals("10", "30");
    QTest::newRow("closed") << Action([](FootedGrid& f) { f.lines.close(); }) << totals("", "");
}

void TestDBGridFooter::followsChanges()
{
    QFETCH(Action, act);
    QFETCH(QStringList, totals);
    FootedGrid f(*m_database, {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")},
                 {QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("30.5")});
    QCOMPARE(f.totals(), QStringList({QStringLiteral("6"), QStringLiteral("60,5")}));

    act(f);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(f.platform.errors(), QStringList());
    QCOMPARE(f.totals(), totals);
}

void TestDBGridFooter::staysUnderItsColumns()
{
    FootedGrid f(*m_database, {QStringLiteral("1.25"), QStringLiteral("2")},
                 {QStringLiteral("10"), QStringLiteral("20")});
    const auto check = [&f](const char* when) {
        QApplication::processEvents();
        const QImage image = f.footer->grab().toImage();
        for (const auto& [field, column] :
             {std::pair(units, int(UnitsCol)), std::pair(hours, int(HoursCol))}) {
            const auto [left, right] = columnSpan(f, column);
            const QRect cell = f.footer->totalCell(field);
            QVERIFY2(cell.left() == left && cell.right() == right, when);
            // Right-aligned within the column.
            const int ink = rightmostInk(image, left, right);
            QVERIFY2(ink > right - 10 && ink <= right, when);
        }
        QCOMPARE(f.footer->font(), f.grid->font());
        QCOMPARE(f.footer->height(), f.grid->rowHeight(0));
    };

    check("as shown");
    f.window.resize(1100, 300);
    check("window widened");
    f.window.resize(500, 300);
    check("window narrowed");

    // A column wider than the grid lets the grid scroll sideways; the totals scroll along.
    f.grid->horizontalHeader()->resizeSection(NumCol, 600);
    QApplication::processEvents();
    QScrollBar* scroll = f.grid->horizontalScrollBar();
    QVERIFY(scroll->maximum() > 0);
    scroll->setValue(scroll->maximum());
    QVERIFY(f.grid->columnViewportPosition(NumCol) < 0);
    check("scrolled sideways");

    QFont bigger = f.grid->font();
    bigger.setPixelSize(24);
    f.grid->setFont(bigger);
    check("font of the grid changed");
}

// Editing a line of 100,000 costs a small part of reading them all, however often it happens.
void TestDBGridFooter::aLineOfAHugeListIsReadAlone()
{
    const int count = 100000;
    std::unique_ptr<Engine> admin = m_database->installation.adminEngine();
    admin->run(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                              "INSERT INTO Vakansii (id_post, Num, q_units, hourFond, e_n_p) "
                              "SELECT 2, i, 1, 0.5, 'huge' FROM n")
                   .arg(count));
    Dataset lines(QStringLiteral("lines"), m_database->connection.get());
    lines.setSql(QStringLiteral("select * from Vakansii where e_n_p = 'huge' order by Num"));
    lines.setKeyField(QStringLiteral("id_vakansiya"));
    lines.open();
    QCOMPARE(lines.recordCount(), count);
    Field& lineUnits = *lines.fieldByName(units);

    DatasetTotals totals;
    QElapsedTimer clock;
    clock.start();
    totals.bind(&lines, {units, hours});
    const qint64 readingAll = clock.nsecsElapsed();
    QCOMPARE(totals.text(0), QStringLiteral("100000"));
    QCOMPARE(totals.text(1), QStringLiteral("50000"));

    clock.restart();
    for (int i = 0; i < 1000; ++i) {
        lines.moveTo(i * 97);
        lines.edit();
        lineUnits.setAsString(QStringLiteral("2,5"));
        lines.cancel();
    }
    const qint64 editing = clock.nsecsElapsed();
    QVERIFY2(
        editing < 10 * readingAll,
        qPrintable(
            QStringLiteral("1000 edits %1 ms, reading all %2 ms").arg(editing / 1e6).arg(readingAll / 1e6)));

    lines.moveTo(count / 2);
    lines.edit();
    lineUnits.setAsString(QStringLiteral("2,5"));
    lines.post();
    QCOMPARE(totals.text(0), QStringLiteral("100001,5"));
}

QTEST_MAIN(TestDBGridFooter)
#include "tst_dbgridfooter.moc"
