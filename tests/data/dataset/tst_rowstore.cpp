#include "data/MemoryCursor.h"
#include "data/dataset/RowStore.h"

#include <QTest>
#include <limits>

using namespace zeb;

namespace {

// Enough lines for several full blocks after the first, growing one.
constexpr int lineCount = 3000;
constexpr qint64 beyond32Bits = qint64(1) << 40;

// One whole-number column with the given cells.
RowStore loaded(const QVariantList& cells)
{
    QList<QVariantList> rows;
    for (const QVariant& cell : cells)
        rows.append({cell});
    MemoryCursor cursor({ColumnInfo{QStringLiteral("n"), FieldType::Integer}}, rows);
    RowStore store({FieldType::Integer});
    store.load(cursor, {0});
    return store;
}

void compareCells(const RowStore& store, const QVariantList& cells)
{
    QCOMPARE(store.rowCount(), cells.size());
    for (int row = 0; row < cells.size(); ++row) {
        QCOMPARE(store.isNull(row, 0), cells[row].isNull());
        QCOMPARE(store.value(row, 0), cells[row]);
    }
}

} // namespace

class TestRowStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keepsEveryWholeNumber_data();
    void keepsEveryWholeNumber();
    void setReachesEveryCell();
};

void TestRowStore::keepsEveryWholeNumber_data()
{
    QTest::addColumn<QVariantList>("cells");

    const auto column = [](auto cellOf) {
        QVariantList cells;
        for (int row = 0; row < lineCount; ++row)
            cells.append(cellOf(row));
        return cells;
    };
    const qint64 min32 = std::numeric_limits<qint32>::min();
    const qint64 max32 = std::numeric_limits<qint32>::max();
    QTest::newRow("small, negative too") << column([](int row) { return QVariant(qint64(row - 1500)); });
    QTest::newRow("one beyond 32 bits in a late block")
        << column([](int row) { return QVariant(row == 2500 ? beyond32Bits : qint64(-row)); });
    QTest::newRow("beyond 32 bits from the first")
        << column([](int row) { return QVariant(row == 0 ? -beyond32Bits : qint64(row)); });
    QTest::newRow("32-bit bounds, then just past them")
        << column([=](int row) { return QVariant(row < 2000 ? (row % 2 ? min32 : max32) : max32 + 1); });
    QTest::newRow("NULL for whole blocks, then numbers")
        << column([](int row) { return row < 2100 || row % 7 == 0 ? QVariant() : QVariant(qint64(row)); });
}

void TestRowStore::keepsEveryWholeNumber()
{
    QFETCH(QVariantList, cells);
    compareCells(loaded(cells), cells);
}

// Edits land in blocks that hold no number yet and widen a column that held only small ones.
void TestRowStore::setReachesEveryCell()
{
    QVariantList cells;
    for (int row = 0; row < lineCount; ++row)
        cells.append(row < 2048 ? QVariant() : QVariant(qint64(row)));
    RowStore store = loaded(cells);

    const auto set = [&](int row, const QVariant& value) {
        store.setValue(row, 0, value);
        cells[row] = value;
    };
    set(1500, qint64(7));
    set(10, qint64(-7));
    set(2999, beyond32Bits);
    set(1500, QVariant());
    cells.append(QVariant());
    set(store.appendRow(), -beyond32Bits);
    cells.append(QVariant());
    QCOMPARE(store.appendRow(), lineCount + 1);
    compareCells(store, cells);
}

QTEST_GUILESS_MAIN(TestRowStore)
#include "tst_rowstore.moc"
