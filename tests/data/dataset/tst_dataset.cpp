#include "data/Connection.h"
#include "data/module/DataModule.h"
#include "data/DatabaseError.h"
#include "data/dataset/Dataset.h"
#include "tests/support/EngineRows.h"
#include "data/dataset/Field.h"
#include "tests/support/ScheduleFixture.h"
#include "tests/support/TestInstallation.h"

#include <QSignalSpy>
#include <QTest>

using namespace zeb;

namespace {

const QString divisionLines = QStringLiteral(
    "Select * from Vakansii  where id_otdel_1=1 and id_otdel_11 is null and id_deduce<>2 ORDER BY Num");

// A fixture installation with the schedule's lookups, and the schedule dataset on division 1 (lines 2 and 1).
struct Schedule
{
    explicit Schedule(EngineKind engine) : installation(engine)
    {
        module.connection.setDataDirectory(installation.dataDirectory());
        std::unique_ptr<Connection> setup = installation.signedInConnection();
        loadScheduleFixture(*setup);
        module.connection.setConnectionString(signedInConnectionString());
        module.scheduleLines.setSql(divisionLines);
        module.scheduleLines.open();
    }

    QString signedInConnectionString() const { return installation.signedInConnection()->connectionString(); }

    QVariant stored(const QString& column, int line)
    {
        std::unique_ptr<Engine> admin = installation.adminEngine();
        return firstValue(
            *admin, QStringLiteral("select %1 from Vakansii where id_vakansiya = %2").arg(column).arg(line));
    }

    Dataset& lines() { return module.scheduleLines; }
    Field& field(const char* name) { return *lines().fieldByName(QString::fromLatin1(name)); }

    TestInstallation installation;
    DataModule module;
};

} // namespace

class TestDataset : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void statesAndTransitions_data() { addEngineRows(); }
    void statesAndTransitions();
    void movingOffAnEditedRowSavesIt_data() { addEngineRows(); }
    void movingOffAnEditedRowSavesIt();
    void movingOffATypedNewLineSavesIt_data();
    void movingOffATypedNewLineSavesIt();
    void eventsInOrder_data() { addEngineRows(); }
    void eventsInOrder();
    void postErrorActions_data();
    void postErrorActions();
    void deleteCancelledSilently_data() { addEngineRows(); }
    void deleteCancelledSilently();
    void lookupFields_data() { addEngineRows(); }
    void lookupFields();
    void fixedFieldMissingFromResult_data() { addEngineRows(); }
    void fixedFieldMissingFromResult();
    void fieldConversions_data() { addEngineRows(); }
    void fieldConversions();
    void sortKeepsCurrentRowAndIsForgotten_data() { addEngineRows(); }
    void sortKeepsCurrentRowAndIsForgotten();
    void sortByWhatIsShown_data();
    void sortByWhatIsShown();
    void locateAndBookmarks_data() { addEngineRows(); }
    void locateAndBookmarks();
    void writeBack_data() { addEngineRows(); }
    void writeBack();
    void serverRefusalKeepsTheRowInEditing_data() { addEngineRows(); }
    void serverRefusalKeepsTheRowInEditing();
    void optimisticConflict_data() { addEngineRows(); }
    void optimisticConflict();
    void editReadsUnwrittenCellsAsStored_data() { addEngineRows(); }
    void editReadsUnwrittenCellsAsStored();
    void savesOfOneShapeShareTheirStatement_data() { addEngineRows(); }
    void savesOfOneShapeShareTheirStatement();
    void largeUnitKeepsEveryValue_data() { addEngineRows(); }
    void largeUnitKeepsEveryValue();
    void closedDatasetRefuses_data() { addEngineRows(); }
    void closedDatasetRefuses();
    void suspendedControlsHearNothing_data() { addEngineRows(); }
    void suspendedControlsHearNothing();
};

void TestDataset::statesAndTransitions()
{
    QFETCH(EngineKind, engine);
    Schedule s(engine);
    Dataset& lines = s.lines();
    QCOMPARE(lines.state(), Dataset::State::Browse);
    QCOMPARE(lines.recordCount(), 2);

    lines.edit();
    QCOMPARE(lines.state(), Dataset::State::Edit);
    QVERIFY(!lines.isModified());
    lines.cancel();
    QCOMPARE(lines.state(), Dataset::State::Browse);

    // A view told of the cancel reads the stored value back, not the one typed.
    const int units = lines.fieldIndex(QStringLiteral("q_units"));
    const QVariant stored = lines.valueAt(lines.recNo(), units);
    QVariant seenByView;
    const QMetaObject::Connection view =
        connect(&lines, &Dataset::rowChanged, this, [&](int row) { seenByView = lines.valueAt(row, units); });
    lines.edit();
    lines.field(units)->setAsString(QStringLiteral("7"));
    lines.cancel();
    disconnect(view);
    QCOMPARE(seenByView, stored);

    lines.append();
    QCOMPARE(lines.state(), Dataset::State::Insert);
    QCOMPARE(lines.recordCount(), 3);
    lines.cancel();
    QCOMPARE(lines.recordCount(), 2);

    lines.insert();
    lines.first();
    QCOMPARE(lines.state(), Dataset::State::Browse);
    QCOMPARE(lines.recordCount(), 2);

    lines.setSql(QStringLiteral("Select * from Vakansii where id_otdel_1=999 ORDER BY Num"));
    QCOMPARE(lines.state(), Dataset::State::Inactive);
    lines.open();
    QVERIFY(lines.eof());
    lines.edit();
    QCOMPARE(lines.state(), Dataset::State::Insert);
}

void TestDataset::movingOffAnEditedRowSavesIt()
{
    QFETCH(EngineKind, engine);
    Schedule s(engine);
    Dataset& lines = s.lines();
    lines.first();
    QCOMPARE(s.field("id_vakansiya").asInteger(), 2);
    lines.edit();
    s.field("e_n_p").setAsString(QStringLiteral("15-к"));
    lines.next();
    QCOMPARE(lines.state(), Dataset::State::Browse);
    QCOMPARE(s.stored(QStringLiteral("e_n_p"), 2).toString(), QStringLiteral("15-к"));

    lines.edit();
    s.field("Num").setAsInteger(7);
    lines.next();
    QVERIFY(lines.eof());
    QCOMPARE(s.stored(QStringLiteral("Num"), 1).toInt(), 7);
}

void TestDataset::movingOffATypedNewLineSavesIt_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<QString>("move");
    for (const auto& [name, engine] : installableEngines) {
        for (const char* move : {"first", "append", "locate"})
            QTest::addRow("%s %s", name, move) << engine << QString::fromLatin1(move);
    }
}

void TestDataset::movingOffATypedNewLineSavesIt()
{
    QFETCH(EngineKind, engine);
    QFETCH(QString, move);
    Schedule s(engine);
    Dataset& lines = s.lines();
    lines.append();
    s.field("id_post").setAsInteger(2);
    s.field("id_otdel_1").setAsInteger(1);
    s.field("descr").setAsString(QStringLiteral("Набрана, но не сохранена"));
    if (move == QLatin1String("first"))
        lines.first();
    else if (move == QLatin1String("append"))
        lines.append();
    else
        QVERIFY(lines.locate(QStringLiteral("id_vakansiya"), 1));

    QCOMPARE(s.stored(QStringLiteral("descr"), 12).toString(), QStringLiteral("Набрана, но не сохранена"));
    QVERIFY(lines.locate(QStringLiteral("id_vakansiya"), 12));
    QCOMPARE(s.field("descr").asString(), QStringLiteral("Набрана, но не сохранена"));
    QCOMPARE(lines.recordCount(), 3);
}

void TestDataset::eventsInOrder()
{
    QFETCH(EngineKind, engine);
    Schedule s(engine);
    Dataset& lines = s.lines();
    QStringList events;
    lines.afterScroll = [&](Dataset& d) { events << QStringLiteral("scroll %1").arg(d.recNo()); };
    lines.afterEdit = [&](Dataset& d) {
        events << QStringLiteral("edit");
        d.fieldByName(QStringLiteral("ZEB_User"))->setAsString(QStringLiteral("editing"));
    };
    lines.beforePost = [&](Dataset& d) {
        events << QStringLiteral("post");
        d.fieldByName(QStringLiteral("ZEB_User"))->setAsString(QStringLiteral("kadry"));
    };
    lines.close();
    lines.open();
    lines.edit();
    lines.next();
    lines.first();
    QCOMPARE(events, QStringList({QStringLiteral("scroll 0"), QStringLiteral("edit"), QStringLiteral("post"),
                                  QStringLiteral("scroll 1"), QStringLiteral("scroll 0")}));
    QCOMPARE(s.stored(QStringLiteral("ZEB_User"), 2).toString(), QStringLiteral("kadry"));
}

void TestDataset::postErrorActions_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<bool>("newLine");
    for (const auto& [name, engine] : installableEngines) {
        QTest::addRow("%s new line", name) << engine << true;
        QTest::addRow("%s existing line", name) << engine << false;
    }
}

// A line without its post is refused before it reaches the database, whether new or already saved.
void TestDataset::postErrorActions()
{
    QFETCH(EngineKind, engine);
    QFETCH(bool, newLine);
    Schedule s(engine);
    Dataset& lines = s.lines();
    Dataset::PostErrorAction chosen = Dataset::PostErrorAction::Fail;
    QString failure;
    lines.postError = [&](Dataset&, const Error& error, Dataset::PostErrorAction& action) {
        failure = error.message();
        action = chosen;
    };

    if (newLine)
        lines.append();
    else
        lines.edit();
    s.field("id_post").clear();
    s.field("q_units").setAsString(QStringLiteral("1,5"));
    const Dataset::State editing = lines.state();
    try {
        lines.post();
        QFAIL("a line without a post was saved");
    } catch (const Abort&) {
        QFAIL("the failure was aborted");
    } catch (const Error& error) {
        QCOMPARE(error.message(), QStringLiteral("Field 'id_post' must have a value"));
    }
    QCOMPARE(failure, QStringLiteral("Field 'id_post' must have a value"));
    QCOMPARE(lines.state(), editing);

    chosen = Dataset::PostErrorAction::Abort;
    QVERIFY_THROWS_EXCEPTION(Abort, lines.post());
    QCOMPARE(lines.state(), editing);
    QCOMPARE(s.field("q_units").asFloat(), 1.5);
    std::unique_ptr<Engine> admin = s.installation.adminEngine();
    QCOMPARE(firstValue(*admin, QStringLiteral("select count(*) from Vakansii")).toInt(), 11);
    QCOMPARE(s.stored(QStringLiteral("id_post"), 2).toInt(), 2);
}

void TestDataset::deleteCancelledSilently()
{
    QFETCH(EngineKind, engine);
    Schedule s(engine);
    Dataset& lines = s.lines();
    bool asked = false;
    lines.beforeDelete = [&](Dataset&) {
        asked = true;
        throw Abort();
    };
    QVERIFY_THROWS_EXCEPTION(Abort, lines.remove());
    QVERIFY(asked);
    QCOMPARE(lines.recordCount(), 2);
    QVERIFY(!s.stored(QStringLiteral("id_vakansiya"), 2).isNull());
}

void TestDataset::lookupFields()
{
    QFETCH(EngineKind, engine);
    Schedule s(engine);
    Dataset& lines = s.lines();
    QVERIFY(s.module.posts.isActive());
    QVERIFY(s.module.structureKinds.isActive());
    QCOMPARE(s.field("POST").asString(), QStringLiteral("Доцент"));
    QCOMPARE(s.field("Structure").asString(), QString());

    lines.edit();
    s.field("id_structure").setAsInteger(77);
    QVERIFY(s.field("Structure").isNull());
    s.field("id_structure").setAsInteger(5);
    QCOMPARE(s.field("Structure").asString(), QStringLiteral("Пр."));

    s.field("POST").setAsString(QStringLiteral("Новая должность"));
    QCOMPARE(s.field("id_post").asInteger(), 1);
    QVERIFY_THROWS_EXCEPTION(Error, s.field("POST").setAsString(QStringLiteral("Нет такой")));
    QCOMPARE(s.field("id_post").asInteger(), 1);
    lines.post();
    QCOMPARE(s.stored(QStringLiteral("id_post"), 2).toInt(), 1);
}

void TestDataset::fixedFieldMissingFromResult()
{
    QFETCH(EngineKind, engine);
    Schedule s(engine);
    Dataset& lines = s.lines();
    lines.setSql(QStringLiteral("select id_vakansiya, id_post from Vakansii"));
    try {
        lines.open();
        QFAIL("opened without its fields");
    } catch (const Error& error) {
        QCOMPARE(error.message(), QStringLiteral("Field 'id_otdel_1' not found"));
    }
    QVERIFY(!lines.isActive());
}

void TestDataset::fieldConversions()
{
    QFETCH(EngineKind, engine);
    Schedule s(engine);
    Dataset& lines = s.lines();
    lines.edit();
    s.field("ZEB_User").setAsString(QStringLiteral("очень_длинное_имя_пользователя"));
    QCOMPARE(s.field("ZEB_User").asString(), QStringLiteral("очень_длинное_имя_по"));
    s.field("ZEB_Update").setAsDateTime(QDateTime(QDate(2026, 3, 4), QTime(15, 30)));
    QCOMPARE(s.field("ZEB_Update").value(), QVariant(QDate(2026, 3, 4)));
    s.field("q_units").setAsString(QStringLiteral("0,75"));
    s.field("e_d_p").setAsString(QStringLiteral("05.06.2025"));
    lines.post();

    lines.close();
    lines.open();
    QCOMPARE(s.field("ZEB_User").asString(), QStringLiteral("очень_длинное_имя_по"));
    QCOMPARE(s.field("ZEB_Update").asDateTime(), QDateTime(QDate(2026, 3, 4), QTime(0, 0)));
    QCOMPARE(s.field("q_units").displayText(), QStringLiteral("0,75"));
    QCOMPARE(s.field("e_d_p").asString(), QStringLiteral("05.06.2025"));
    QVERIFY_THROWS_EXCEPTION(Error, [&] {
        lines.edit();
        s.field("q_units").setAsString(QStringLiteral("много"));
    }());
}

void TestDataset::sortKeepsCurrentRowAndIsForgotten()
{
    QFETCH(EngineKind, engine);
    Schedule s(engine);
    Dataset& departments = s.module.departments;
    departments.setSql(QStringLiteral("select * from Kafedra order by id_kafedra desc"));
    departments.open();
    departments.locate(QStringLiteral("id_kafedra"), 2);
    departments.sort(QStringLiteral("[f1]"));
    QCOMPARE(departments.fieldByName(QStringLiteral("id_kafedra"))->asInteger(), 2);
    QCOMPARE(departments.recNo(), 1);
    departments.first();
    QCOMPARE(departments.fieldByName(QStringLiteral("f1"))->asString(), QStringLiteral("Кафедра алгебры"));
    departments.sort(QStringLiteral("id_kafedra"));
    departments.first();
    QCOMPARE(departments.fieldByName(QStringLiteral("id_kafedra"))->asInteger(), 1);

    departments.close();
    departments.open();
    QCOMPARE(departments.fieldByName(QStringLiteral("id_kafedra"))->asInteger(), 3);

    s.lines().sort(QStringLiteral("Num"));
    s.lines().first();
    QVERIFY(s.field("Num").isNull());
}

void TestDataset::sortByWhatIsShown_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QList<int>>("lines");
    for (const auto& [name, engine] : installableEngines) {
        // Posts in reading order: Ассистент, Доцент, доцент кафедры, Новая должность, Профессор.
        QTest::addRow("%s post", name)
            << engine << QStringLiteral("POST") << QList<int>{4, 7, 2, 6, 8, 9, 10, 11, 3, 5, 1};
        QTest::addRow("%s date-time", name)
            << engine << QStringLiteral("[e_d_p]") << QList<int>{2, 6, 7, 8, 9, 10, 11, 5, 3, 4, 1};
    }
}

void TestDataset::sortByWhatIsShown()
{
    QFETCH(EngineKind, engine);
    QFETCH(QString, column);
    QFETCH(QList<int>, lines);
    Schedule s(engine);
    std::unique_ptr<Engine> admin = s.installation.adminEngine();
    for (const char* post : {"Ассистент", "Профессор", "доцент кафедры"})
        admin->run(QStringLiteral("insert into post (post) values ('%1')").arg(QString::fromUtf8(post)));
    const std::initializer_list<std::tuple<int, int, const char*>> changes{
        {1, 4, "2025-03-01 10:00:00"}, {2, 2, nullptr},
        {3, 5, "2024-12-31 23:59:59"}, {4, 3, "2025-03-01 09:00:00"},
        {5, 1, "1999-01-01 00:00:00"}, {7, 3, nullptr}};
    for (const auto& [line, post, entered] : changes) {
        admin->run(QStringLiteral("update Vakansii set id_post = %1, e_d_p = %2 where id_vakansiya = %3")
                       .arg(post)
                       .arg(entered ? QStringLiteral("'%1'").arg(QString::fromLatin1(entered))
                                    : QStringLiteral("NULL"))
                       .arg(line));
    }
    s.module.posts.close();
    Dataset& shown = s.lines();
    shown.setSql(QStringLiteral("select * from Vakansii order by id_vakansiya"));
    shown.open();

    const int id = shown.fieldIndex(QStringLiteral("id_vakansiya"));
    auto rowAt = [&](int position) {
        QVariantList row;
        for (int f = 0; f < shown.fieldCount(); ++f)
            row.append(shown.valueAt(position, f));
        return row;
    };
    QHash<int, QVariantList> before;
    for (int position = 0; position < shown.recordCount(); ++position)
        before.insert(shown.valueAt(position, id).toInt(), rowAt(position));

    shown.sort(column);
    QList<int> sorted;
    for (int position = 0; position < shown.recordCount(); ++position) {
        const int line = shown.valueAt(position, id).toInt();
        sorted.append(line);
        QCOMPARE(rowAt(position), before.value(line));
    }
    QCOMPARE(sorted, lines);
}

void TestDataset::locateAndBookmarks()
{
    QFETCH(EngineKind, engine);
    Schedule s(engine);
    Dataset& lines = s.lines();
    QVERIFY(lines.locate(QStringLiteral("ID_VAKANSIYA"), 1));
    QCOMPARE(lines.recNo(), 1);
    const QByteArray mark = lines.bookmark();
    QVERIFY(!lines.locate(QStringLiteral("id_vakansiya"), 99));
    QCOMPARE(lines.recNo(), 1);
    lines.first();
    QVERIFY(lines.locate(QStringLiteral("id_vakansiya"), QStringLiteral("1")));
    QCOMPARE(lines.recNo(), 1);
    lines.first();
    QVERIFY(lines.locate(QStringLiteral("id_vakansiya"), 1.0));
    QCOMPARE(lines.recNo(), 1);
    QVERIFY(!lines.locate(QStringLiteral("id_vakansiya"), 1.5));
    lines.first();
    lines.gotoBookmark(mark);
    QCOMPARE(s.field("id_vakansiya").asInteger(), 1);
    QVERIFY(lines.locate(QStringLiteral("Num"), QVariant()));
    QCOMPARE(s.field("id_vakansiya").asInteger(), 2);
}

void TestDataset::writeBack()
{
    QFETCH(EngineKind, engine);
    Schedule s(engine);
    Dataset& lines = s.lines();

    lines.append();
    s.field("id_post").setAsInteger(2);
    s.field("id_otdel_1").setAsInteger(1);
    s.field("descr").setAsString(QStringLiteral("Новая строка 'в кавычках'"));
    lines.post();
    const qint64 key = s.field("id_vakansiya").asInteger();
    QCOMPARE(key, 12);
    QCOMPARE(s.field("id_deduce").asInteger(), 1);
    QCOMPARE(s.stored(QStringLiteral("descr"), 12).toString(), QStringLiteral("Новая строка 'в кавычках'"));

    lines.edit();
    s.field("hourFond").setAsString(QStringLiteral("120,5"));
    lines.post();
    QCOMPARE(s.stored(QStringLiteral("hourFond"), 12).toDouble(), 120.5);
    QCOMPARE(s.stored(QStringLiteral("id_post"), 2).toInt(), 2);

    lines.remove();
    QVERIFY(s.stored(QStringLiteral("id_vakansiya"), 12).isNull());
    QCOMPARE(lines.recordCount(), 2);
}

void TestDataset::serverRefusalKeepsTheRowInEditing()
{
    QFETCH(EngineKind, engine);
    Schedule s(engine);
    Dataset& lines = s.lines();
    lines.append();
    s.field("id_post").setAsInteger(999);
    QVERIFY_THROWS_EXCEPTION(DatabaseError, lines.post());
    QCOMPARE(lines.state(), Dataset::State::Insert);
    QCOMPARE(s.field("id_post").asInteger(), 999);

    lines.cancel();
    QVERIFY(lines.locate(QStringLiteral("id_vakansiya"), 1));
    QVERIFY_THROWS_EXCEPTION(DatabaseError, lines.remove());
    QCOMPARE(lines.recordCount(), 2);
    QVERIFY(!s.stored(QStringLiteral("id_vakansiya"), 1).isNull());
}

// Two workstations edit the same line: the later save of the same column is refused and the earlier one
// stays; a save of another column goes through and leaves the earlier one as it is.
void TestDataset::optimisticConflict()
{
    QFETCH(EngineKind, engine);
    Schedule s(engine);
    DataModule other;
    other.connection.setDataDirectory(s.installation.dataDirectory());
    other.connection.setConnectionString(s.signedInConnectionString());
    other.scheduleLines.setSql(divisionLines);
    other.scheduleLines.open();

    s.lines().edit();
    s.field("q_units").setAsString(QStringLiteral("2"));
    s.lines().post();

    Dataset& late = other.scheduleLines;
    late.edit();
    late.fieldByName(QStringLiteral("q_units"))->setAsString(QStringLiteral("3"));
    try {
        late.post();
        QFAIL("a stale line overwrote another workstation's save");
    } catch (const DatabaseError& error) {
        QVERIFY2(error.message().contains(QStringLiteral("изменена другим пользователем")),
                 qPrintable(error.message()));
    }
    QCOMPARE(late.state(), Dataset::State::Edit);
    QCOMPARE(late.fieldByName(QStringLiteral("q_units"))->asFloat(), 3.0);
    QCOMPARE(s.stored(QStringLiteral("q_units"), 2).toDouble(), 2.0);

    late.cancel();
    late.edit();
    late.fieldByName(QStringLiteral("razrad"))->setAsString(QStringLiteral("12"));
    late.post();
    QCOMPARE(s.stored(QStringLiteral("razrad"), 2).toDouble(), 12.0);
    QCOMPARE(s.stored(QStringLiteral("q_units"), 2).toDouble(), 2.0);

    // A delete needs the whole line as read: the first workstation reads it again before deleting.
    s.lines().close();
    s.lines().open();

    s.lines().remove();
    try {
        late.remove();
        QFAIL("deleted a line that was already gone");
    } catch (const DatabaseError& error) {
        QVERIFY2(error.message().contains(QStringLiteral("удалена другим пользователем")),
                 qPrintable(error.message()));
    }
}

// The engine keeps the statement of a save: it must still write other values and NULLs, refuse a line
// another workstation changed, and work after a refused save and after the connection reopens.
// Cells an edit has not written are the stored line's; a cell written back as read is not sent.
void TestDataset::editReadsUnwrittenCellsAsStored()
{
    QFETCH(EngineKind, engine);
    Schedule s(engine);
    Dataset& lines = s.lines();
    const QDateTime entered(QDate(2024, 3, 31), QTime(2, 30, 15));
    const QDateTime otherEntry(QDate(2024, 4, 1), QTime(8, 0));

    lines.edit();
    s.field("e_d_p").setAsDateTime(entered);
    lines.post();

    lines.edit();
    QVERIFY(!s.field("e_d_p").isNull());
    QCOMPARE(s.field("e_d_p").asDateTime(), entered);
    QVERIFY(s.field("d_d_p").isNull());
    s.field("d_d_p").setAsDateTime(entered);
    QVERIFY(!s.field("d_d_p").isNull());
    s.field("d_d_p").clear();
    QVERIFY(s.field("d_d_p").isNull());
    s.field("e_d_p").setAsDateTime(entered);
    s.field("razrad").setAsInteger(14);
    s.installation.adminEngine()->run(
        QStringLiteral("update Vakansii set e_d_p = '2024-04-01 08:00:00' where id_vakansiya = 2"));
    lines.post();
    QCOMPARE(s.stored(QStringLiteral("razrad"), 2).toInt(), 14);

    lines.close();
    lines.open();
    QCOMPARE(s.field("id_vakansiya").asInteger(), 2);
    QCOMPARE(s.field("e_d_p").asDateTime(), otherEntry);
    QVERIFY(s.field("d_d_p").isNull());
}

void TestDataset::savesOfOneShapeShareTheirStatement()
{
    QFETCH(EngineKind, engine);
    Schedule s(engine);
    Dataset& lines = s.lines();
    QVERIFY(lines.locate(QStringLiteral("id_vakansiya"), 1));
    for (const QVariant& units : {QVariant(2.5), QVariant(), QVariant(4.0)}) {
        lines.edit();
        s.field("q_units").setValue(units);
        lines.post();
        const QVariant stored = s.stored(QStringLiteral("q_units"), 1);
        QCOMPARE(stored.isNull(), units.isNull());
        QCOMPARE(stored.toDouble(), units.toDouble());
    }

    lines.edit();
    s.field("id_post").setAsInteger(999);
    QVERIFY_THROWS_EXCEPTION(DatabaseError, lines.post());
    lines.cancel();

    s.installation.adminEngine()->run(
        QStringLiteral("update Vakansii set q_units = 7 where id_vakansiya = 1"));
    lines.edit();
    s.field("q_units").setValue(5.0);
    try {
        lines.post();
        QFAIL("a stale line overwrote another workstation's save");
    } catch (const DatabaseError& error) {
        QVERIFY2(error.message().contains(QStringLiteral("изменена другим пользователем")),
                 qPrintable(error.message()));
    }
    QCOMPARE(s.stored(QStringLiteral("q_units"), 1).toDouble(), 7.0);
    lines.cancel();

    s.module.connection.close();
    QVERIFY(lines.locate(QStringLiteral("id_vakansiya"), 2));
    lines.edit();
    s.field("q_units").setValue(6.0);
    lines.post();
    QCOMPARE(s.stored(QStringLiteral("q_units"), 2).toDouble(), 6.0);
}

// Thousands of lines span many blocks of the row store; a closed dataset holds none of them.
void TestDataset::largeUnitKeepsEveryValue()
{
    QFETCH(EngineKind, engine);
    Schedule s(engine);
    std::unique_ptr<Engine> admin = s.installation.adminEngine();
    for (int doubling = 0; doubling < 8; ++doubling) {
        admin->run(QStringLiteral("insert into Vakansii (id_post, id_otdel_1, Num, id_deduce, descr) "
                                  "select id_post, id_otdel_1, Num + %1, id_deduce, 'копия' from Vakansii")
                       .arg(doubling));
    }
    Dataset& lines = s.lines();
    lines.setSql(QStringLiteral("select * from Vakansii order by id_vakansiya"));
    lines.open();
    const int count = firstValue(*admin, QStringLiteral("select count(*) from Vakansii")).toInt();
    QCOMPARE(lines.recordCount(), count);
    qint64 keys = 0;
    qint64 numbers = 0;
    int copies = 0;
    for (int position = 0; position < lines.recordCount(); ++position) {
        keys += lines.valueAt(position, lines.fieldIndex(QStringLiteral("id_vakansiya"))).toLongLong();
        numbers += lines.valueAt(position, lines.fieldIndex(QStringLiteral("Num"))).toLongLong();
        copies +=
            lines.valueAt(position, lines.fieldIndex(QStringLiteral("descr"))) == QStringLiteral("копия");
    }
    QCOMPARE(keys, firstValue(*admin, QStringLiteral("select sum(id_vakansiya) from Vakansii")).toLongLong());
    QCOMPARE(numbers, firstValue(*admin, QStringLiteral("select sum(Num) from Vakansii")).toLongLong());
    QCOMPARE(copies, count - 11);

    lines.append();
    s.field("id_post").setAsInteger(2);
    s.field("descr").setAsString(QStringLiteral("после загрузки"));
    lines.post();
    const qint64 added = s.field("id_vakansiya").asInteger();
    lines.first();
    QVERIFY(lines.locate(QStringLiteral("id_vakansiya"), added));
    QCOMPARE(s.field("descr").asString(), QStringLiteral("после загрузки"));

    lines.close();
    QCOMPARE(lines.memoryUsage(), 0);
}

void TestDataset::closedDatasetRefuses()
{
    QFETCH(EngineKind, engine);
    Schedule s(engine);
    Dataset& lines = s.lines();
    lines.setSql(divisionLines);
    const QString closed = QStringLiteral("Cannot perform this operation on a closed dataset");
    for (const auto& operation : std::initializer_list<std::function<void()>>{
             [&] { lines.sort(QStringLiteral("Num")); }, [&] { lines.first(); }, [&] { lines.edit(); },
             [&] { s.field("Num").asInteger(); }}) {
        try {
            operation();
            QFAIL("a closed dataset answered");
        } catch (const Error& error) {
            QCOMPARE(error.message(), closed);
        }
    }
}

void TestDataset::suspendedControlsHearNothing()
{
    QFETCH(EngineKind, engine);
    Schedule s(engine);
    Dataset& lines = s.lines();
    QSignalSpy resets(&lines, &Dataset::layoutReset);
    QSignalSpy rows(&lines, &Dataset::rowChanged);
    QSignalSpy moves(&lines, &Dataset::currentRowChanged);
    lines.disableControls();
    lines.edit();
    s.field("Num").setAsInteger(1);
    lines.next();
    lines.close();
    lines.open();
    QCOMPARE(resets.count() + rows.count() + moves.count(), 0);
    lines.enableControls();
    QCOMPARE(resets.count(), 1);
}

QTEST_GUILESS_MAIN(TestDataset)
#include "tst_dataset.moc"
