#include "data/Connection.h"
#include "data/module/DataModule.h"
#include "tests/support/EngineRows.h"
#include "tests/support/ExpectedStatements.h"
#include "data/dataset/Field.h"
#include "data/ResultCursor.h"
#include "tests/support/ScheduleFixture.h"
#include "data/rules/ScheduleLineContext.h"
#include "data/rules/ScheduleLineRules.h"
#include "tests/support/SentStatements.h"
#include "tests/support/TestInstallation.h"

#include <QTest>

using namespace zeb;

namespace {

const QDateTime clockTime(QDate(2031, 5, 17), QTime(13, 45, 20));
const QString today = QStringLiteral("2031-05-17");
const QString todayMidnight = QStringLiteral("2031-05-17 00:00:00");

const QString divisionLines = expected::divisionLines(1);
const QString departmentLines = expected::departmentLines(1, 1);
const QString facultyLines = expected::facultyLines(2);
// Also line 4, which has no withdrawal kind.
const QString wholeDivision =
    QStringLiteral("Select * from Vakansii  where id_otdel_1=1 and id_otdel_11 is null ORDER BY Num");
// Lines 12 to 15, added to the fixture by Schedule.
const QString laboratoryLines = expected::divisionLines(4);

QString utf8(const char* text)
{
    return QString::fromUtf8(text);
}

UnitBox chosen(const char* field, const char* text, const QVariant& key)
{
    return UnitBox{QString::fromLatin1(field), utf8(text), key};
}

// The main window's five boxes in the save rule's order; those not given show nothing.
QList<UnitBox> boxes(const QList<UnitBox>& shown)
{
    QList<UnitBox> all;
    for (const char* field : {"id_otdel_1", "id_otdel_2", "id_faculty", "id_kafedra", "id_otdel_11"}) {
        UnitBox box{QString::fromLatin1(field), {}, {}};
        for (const UnitBox& given : shown) {
            if (given.fieldName == box.fieldName)
                box = given;
        }
        all.append(box);
    }
    return all;
}

class RecordingContext : public ScheduleLineContext
{
public:
    QString sessionLogin() const override { return login; }
    bool applyLineDefaults() const override { return defaults; }
    QList<UnitBox> unitBoxes() const override { return units; }
    QList<QByteArray> selectedRows() const override { return selected; }
    QDateTime now() const override { return clockTime; }
    void showNotice(const QString& text, const QString& caption, NoticeIcon icon) override
    {
        const QString kind =
            icon == NoticeIcon::Warning ? QStringLiteral("warning") : QStringLiteral("error");
        shown.append(caption + QStringLiteral(" | ") + text + QStringLiteral(" | ") + kind);
    }
    void focusEntryKindColumn() override { shown.append(QStringLiteral("focus Ввести")); }

    QString login = QStringLiteral("kadry");
    bool defaults = true;
    QList<UnitBox> units;
    QList<QByteArray> selected;
    // Notices and focus changes in the order they happened.
    QStringList shown;
};

QString cellText(const QVariant& value)
{
    if (value.isNull())
        return QStringLiteral("null");
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().toString(Qt::ISODate);
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    case QMetaType::Double:
        return QString::number(value.toDouble());
    default:
        return value.toString();
    }
}

// The fixture with lines 12 to 15 in division 4, and a signed-in data module whose schedule has the rules.
struct Schedule
{
    explicit Schedule(EngineKind engine) : installation(engine), reader(installation.signedInConnection())
    {
        loadScheduleFixture(*reader);
        for (int num = 1; num <= 4; ++num)
            reader->execute(
                QStringLiteral(
                    "insert into Vakansii (id_post, id_otdel_1, Num, id_deduce) values (2, 4, %1, 1)")
                    .arg(num));
        module.connection.setDataDirectory(installation.dataDirectory());
        module.connection.setConnectionString(reader->connectionString());
        module.openDataSets();
        rules = std::make_unique<ScheduleLineRules>(module.scheduleLines, context);
        rules->install();
    }

    Dataset& lines() { return module.scheduleLines; }
    Field& field(const QString& name) { return *lines().fieldByName(name); }

    void show(const QString& unit)
    {
        lines().setSql(unit);
        lines().open();
    }

    bool moveTo(int line) { return lines().locate(QStringLiteral("id_vakansiya"), line); }

    // The columns of a stored line, read back apart from the data module.
    QVariantMap stored(int line, const QStringList& columns)
    {
        std::unique_ptr<ResultCursor> rows =
            reader->query(QStringLiteral("select %1 from Vakansii where id_vakansiya = %2")
                              .arg(columns.join(QLatin1Char(',')))
                              .arg(line));
        QVariantMap values;
        if (!rows->next())
            return values;
        for (int c = 0; c < columns.size(); ++c)
            values.insert(columns[c], cellText(rows->value(c)));
        return values;
    }

    QString storedLines(const QString& condition)
    {
        return columnValues(*reader,
                            QStringLiteral("select id_vakansiya from Vakansii where ") + condition +
                                QStringLiteral(" order by id_vakansiya"),
                            QStringLiteral("id_vakansiya"));
    }

    void enter(const QVariantMap& values)
    {
        for (auto it = values.begin(); it != values.end(); ++it) {
            if (it.value().isNull())
                field(it.key()).clear();
            else
                field(it.key()).setValue(it.value());
        }
    }

    TestInstallation installation;
    std::unique_ptr<Connection> reader;
    DataModule module;
    RecordingContext context;
    std::unique_ptr<ScheduleLineRules> rules;
};

QVariantMap map(std::initializer_list<std::pair<const char*, QVariant>> entries)
{
    QVariantMap result;
    for (const auto& [key, value] : entries)
        result.insert(QString::fromLatin1(key), value);
    return result;
}

// What a save stores whatever the case: the stamp, and e_d_p of a line that had none.
QVariantMap stampedToday(QVariantMap expected, const QString& login = QStringLiteral("kadry"))
{
    expected.insert(QStringLiteral("ZEB_User"), login);
    expected.insert(QStringLiteral("ZEB_Update"), today);
    if (!expected.contains(QStringLiteral("e_d_p")))
        expected.insert(QStringLiteral("e_d_p"), todayMidnight);
    return expected;
}

const QVariantMap everyDefault = map({{"id_structure", QStringLiteral("5")},
                                      {"id_bk", QStringLiteral("1")},
                                      {"q_units", QStringLiteral("0")},
                                      {"razrad", QStringLiteral("0")},
                                      {"id_enter", QStringLiteral("1")},
                                      {"id_deduce", QStringLiteral("1")}});

QVariantMap withDefaults(QVariantMap expected)
{
    for (auto it = everyDefault.begin(); it != everyDefault.end(); ++it)
        expected.insert(it.key(), it.value());
    return expected;
}

const QString notEntered = QStringLiteral("Уведомление | Вы не заполнили поле \"Ввести\"!!! | warning");

} // namespace

class TestLineRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void saveStampsFillsAndBinds_data();
    void saveStampsFillsAndBinds();
    void editStartStamps_data() { addEngineRows(); }
    void editStartStamps();
    void failedSave_data();
    void failedSave();
    void deleteRunsOneStatement_data();
    void deleteRunsOneStatement();
    void deleteOfALineChangedElsewhereIsRefused_data();
    void deleteOfALineChangedElsewhereIsRefused();
};

void TestLineRules::saveStampsFillsAndBinds_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<QString>("login");
    QTest::addColumn<bool>("defaults");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("prepared");
    QTest::addColumn<QList<UnitBox>>("units");
    QTest::addColumn<QVariantMap>("entered");
    QTest::addColumn<QVariantMap>("expected");

    const QString login = QStringLiteral("kadry");
    const QString keptValues = QStringLiteral(
        "update Vakansii set q_units = 0, razrad = 7, id_structure = 2, id_enter = 3, id_deduce = 3, "
        "e_d_p = '2020-02-03 08:30:00' where id_vakansiya = 2");
    const QList<UnitBox> division = boxes({chosen("id_otdel_1", "Бухгалтерия", 1)});
    const QList<UnitBox> department = boxes({chosen("id_faculty", "ФМ", 1), chosen("id_otdel_2", "", 3),
                                             chosen("id_kafedra", "Кафедра алгебры", 1)});
    const QVariantMap post = map({{"id_post", 2}});
    for (const auto& [name, engine] : installableEngines) {
        QTest::addRow("%s: new line on a division", name)
            << engine << login << true << divisionLines << 0 << QString() << division << post
            << stampedToday(withDefaults(map({{"id_post", QStringLiteral("2")},
                                              {"id_otdel_1", QStringLiteral("1")},
                                              {"id_otdel_11", QStringLiteral("null")},
                                              {"id_otdel_2", QStringLiteral("null")},
                                              {"id_faculty", QStringLiteral("null")},
                                              {"id_kafedra", QStringLiteral("null")}})));
        QTest::addRow("%s: new line on a department", name)
            << engine << login << true << departmentLines << 0 << QString() << department << post
            << stampedToday(withDefaults(map({{"id_otdel_1", QStringLiteral("null")},
                                              {"id_faculty", QStringLiteral("1")},
                                              {"id_kafedra", QStringLiteral("1")},
                                              {"id_otdel_2", QStringLiteral("null")}})));
        QTest::addRow("%s: typed department with no key", name)
            << engine << login << true << facultyLines << 0 << QString()
            << boxes({chosen("id_faculty", "ФЭ", 2), chosen("id_kafedra", "Кафедра", QVariant())}) << post
            << stampedToday(
                   map({{"id_faculty", QStringLiteral("2")}, {"id_kafedra", QStringLiteral("null")}}));
        QTest::addRow("%s: stored values and zero kept", name)
            << engine << login << true << divisionLines << 2 << keptValues << division << map({{"Num", 7}})
            << stampedToday(map({{"Num", QStringLiteral("7")},
                                 {"q_units", QStringLiteral("0")},
                                 {"razrad", QStringLiteral("7")},
                                 {"id_structure", QStringLiteral("2")},
                                 {"id_bk", QStringLiteral("1")},
                                 {"id_enter", QStringLiteral("3")},
                                 {"id_deduce", QStringLiteral("3")},
                                 {"e_d_p", QStringLiteral("2020-02-03 08:30:00")},
                                 {"id_otdel_1", QStringLiteral("1")},
                                 {"id_otdel_11", QStringLiteral("null")}}));
        // A fraction of a staff unit is a value, however small: it is not taken for an empty field.
        QTest::addRow("%s: new line with a fraction of a staff unit", name)
            << engine << login << true << divisionLines << 0 << QString() << division
            << map({{"id_post", 2}, {"q_units", 0.25}})
            << stampedToday(map({{"q_units", QStringLiteral("0.25")},
                                 {"razrad", QStringLiteral("0")},
                                 {"id_structure", QStringLiteral("5")},
                                 {"id_bk", QStringLiteral("1")}}));
        QTest::addRow("%s: stored fraction of a staff unit", name)
            << engine << login << true << divisionLines << 2
            << QStringLiteral("update Vakansii set q_units = 0.75, razrad = null where id_vakansiya = 2")
            << division << map({{"Num", 7}})
            << stampedToday(map({{"q_units", QStringLiteral("0.75")}, {"razrad", QStringLiteral("0")}}));
        QTest::addRow("%s: cleared entry date", name)
            << engine << login << true << divisionLines << 2 << keptValues << division
            << map({{"e_d_p", QVariant()}}) << stampedToday(map({{"id_enter", QStringLiteral("3")}}));
        QTest::addRow("%s: edited line keeps the unit of an empty box", name)
            << engine << login << true << departmentLines << 8 << QString()
            << boxes({chosen("id_faculty", "ФМ", 1)}) << map({{"Num", 4}})
            << stampedToday(withDefaults(map({{"id_faculty", QStringLiteral("1")},
                                              {"id_kafedra", QStringLiteral("1")},
                                              {"id_otdel_2", QStringLiteral("null")}})));
        QTest::addRow("%s: no withdrawal kind on an edited line", name)
            << engine << login << true << wholeDivision << 4 << QString() << division << map({{"Num", 4}})
            << stampedToday(withDefaults(map({{"id_otdel_1", QStringLiteral("1")}})));
        QTest::addRow("%s: defaults off", name)
            << engine << login << false << departmentLines << 0 << QString() << department << post
            << stampedToday(map({{"id_structure", QStringLiteral("null")},
                                 {"id_bk", QStringLiteral("null")},
                                 {"q_units", QStringLiteral("null")},
                                 {"razrad", QStringLiteral("null")},
                                 {"id_enter", QStringLiteral("null")},
                                 {"id_faculty", QStringLiteral("null")},
                                 {"id_kafedra", QStringLiteral("null")}}));
        QTest::addRow("%s: long login", name)
            << engine << utf8("Преподаватель_кафедры_123") << true << divisionLines << 1 << QString()
            << division << map({{"Num", 9}}) << stampedToday(map({}), utf8("Преподаватель_кафедр"));
    }
}

void TestLineRules::saveStampsFillsAndBinds()
{
    QFETCH(EngineKind, engine);
    QFETCH(QString, login);
    QFETCH(bool, defaults);
    QFETCH(QString, unit);
    QFETCH(int, line);
    QFETCH(QString, prepared);
    QFETCH(QList<UnitBox>, units);
    QFETCH(QVariantMap, entered);
    QFETCH(QVariantMap, expected);
    Schedule schedule(engine);
    if (!prepared.isEmpty())
        schedule.installation.adminEngine()->run(prepared);
    schedule.context.login = login;
    schedule.context.defaults = defaults;
    schedule.context.units = units;
    schedule.show(unit);

    if (line == 0) {
        schedule.lines().append();
    } else {
        QVERIFY(schedule.moveTo(line));
        schedule.lines().edit();
    }
    schedule.enter(entered);
    schedule.lines().post();

    QCOMPARE(schedule.lines().state(), Dataset::State::Browse);
    const int saved = int(schedule.field(QStringLiteral("id_vakansiya")).asInteger());
    QVERIFY(line == 0 || saved == line);
    QCOMPARE(schedule.stored(saved, expected.keys()), expected);
}

void TestLineRules::editStartStamps()
{
    QFETCH(EngineKind, engine);
    Schedule schedule(engine);
    schedule.show(divisionLines);
    QVERIFY(schedule.moveTo(2));

    schedule.lines().edit();
    QCOMPARE(schedule.field(QStringLiteral("ZEB_User")).asString(), QStringLiteral("kadry"));
    QCOMPARE(schedule.field(QStringLiteral("ZEB_Update")).asDateTime(),
             QDateTime(clockTime.date(), QTime(0, 0)));
    QVERIFY(schedule.lines().isModified());

    // Nothing else changed, yet moving off the line saves it.
    QVERIFY(schedule.moveTo(1));
    QCOMPARE(schedule.stored(2, {QStringLiteral("ZEB_User"), QStringLiteral("ZEB_Update")}),
             map({{"ZEB_User", QStringLiteral("kadry")}, {"ZEB_Update", today}}));

    schedule.rules.reset();
    QVERIFY(!schedule.lines().beforePost);
    QVERIFY(!schedule.lines().afterEdit);
    QVERIFY(!schedule.lines().postError);
    QVERIFY(!schedule.lines().beforeDelete);
    schedule.lines().edit();
    QVERIFY(schedule.field(QStringLiteral("ZEB_User")).isNull());
    QVERIFY(!schedule.lines().isModified());
}

void TestLineRules::failedSave_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<bool>("defaults");
    QTest::addColumn<int>("line");
    QTest::addColumn<QVariantMap>("entered");
    QTest::addColumn<bool>("aborted");

    const QString order = utf8("Приказ 7");
    for (const auto& [name, engine] : installableEngines) {
        QTest::addRow("%s: no entry kind on a new line", name)
            << engine << false << 0 << map({{"q_units", 1.5}, {"e_n_p", order}}) << true;
        QTest::addRow("%s: no entry kind on an edited line", name)
            << engine << false << 2 << map({{"id_post", QVariant()}, {"e_n_p", order}}) << true;
        QTest::addRow("%s: no post with defaults on", name)
            << engine << true << 0 << map({{"e_n_p", order}}) << false;
        QTest::addRow("%s: no post with an entry kind", name)
            << engine << false << 0 << map({{"id_enter", 2}}) << false;
    }
}

void TestLineRules::failedSave()
{
    QFETCH(EngineKind, engine);
    QFETCH(bool, defaults);
    QFETCH(int, line);
    QFETCH(QVariantMap, entered);
    QFETCH(bool, aborted);
    Schedule schedule(engine);
    schedule.context.defaults = defaults;
    schedule.context.units = boxes({chosen("id_otdel_1", "Бухгалтерия", 1)});
    schedule.show(divisionLines);
    const QString storedBefore = schedule.storedLines(QStringLiteral("id_vakansiya > 0"));
    if (line == 0) {
        schedule.lines().append();
    } else {
        QVERIFY(schedule.moveTo(line));
        schedule.lines().edit();
    }
    schedule.enter(entered);

    if (aborted) {
        QVERIFY_THROWS_EXCEPTION(Abort, schedule.lines().post());
        QCOMPARE(schedule.context.shown, QStringList({notEntered, QStringLiteral("focus Ввести")}));
    } else {
        QString raised;
        try {
            schedule.lines().post();
        } catch (const Abort&) {
            raised = QStringLiteral("abort");
        } catch (const Error& failure) {
            raised = failure.message();
        }
        QCOMPARE(raised, QStringLiteral("Field 'id_post' must have a value"));
        QCOMPARE(schedule.context.shown, QStringList());
    }
    QCOMPARE(schedule.lines().state(), line == 0 ? Dataset::State::Insert : Dataset::State::Edit);
    for (auto it = entered.begin(); it != entered.end(); ++it)
        QCOMPARE(cellText(schedule.field(it.key()).value()), cellText(it.value()));
    QCOMPARE(schedule.storedLines(QStringLiteral("id_vakansiya > 0")), storedBefore);
    if (line != 0)
        QCOMPARE(schedule.stored(line, {QStringLiteral("e_n_p")}), map({{"e_n_p", QStringLiteral("null")}}));
}

void TestLineRules::deleteRunsOneStatement_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("working");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("remaining");
    QTest::addColumn<bool>("refused");

    for (const auto& [name, engine] : installableEngines) {
        QTest::addRow("%s: two selected", name)
            << engine << QList<int>{12, 15} << 13 << 0 << QStringLiteral("12,15") << QStringLiteral("13,14")
            << false;
        QTest::addRow("%s: in the grid's order", name)
            << engine << QList<int>{15, 13} << 12 << 0 << QStringLiteral("15,13") << QStringLiteral("12,14")
            << false;
        QTest::addRow("%s: nothing selected", name)
            << engine << QList<int>() << 14 << 0 << QStringLiteral("14") << QStringLiteral("12,13,15")
            << false;
        QTest::addRow("%s: one is worked on", name)
            << engine << QList<int>{12, 15} << 13 << 15 << QStringLiteral("12,15")
            << QStringLiteral("12,13,14,15") << true;
    }
}

void TestLineRules::deleteRunsOneStatement()
{
    QFETCH(EngineKind, engine);
    QFETCH(QList<int>, selected);
    QFETCH(int, current);
    QFETCH(int, working);
    QFETCH(QString, list);
    QFETCH(QString, remaining);
    QFETCH(bool, refused);
    Schedule schedule(engine);
    if (working != 0)
        schedule.reader->execute(
            QStringLiteral("insert into Working (id_vakansiya, id_leave) values (%1, 4)").arg(working));
    schedule.show(laboratoryLines);
    for (int line : selected) {
        QVERIFY(schedule.moveTo(line));
        schedule.context.selected.append(schedule.lines().bookmark());
    }
    QVERIFY(schedule.moveTo(current));

    QStringList sent;
    {
        SentStatements trace;
        QVERIFY_THROWS_EXCEPTION(Abort, schedule.lines().remove());
        sent = trace.list();
    }

    QStringList expected = {QStringLiteral("Delete From Vakansii Where id_vakansiya in (") + list +
                            QLatin1Char(')')};
    if (!refused)
        expected.append(laboratoryLines);
    QCOMPARE(sent, expected);
    QCOMPARE(
        schedule.context.shown,
        refused
            ? QStringList({QStringLiteral("Уведомление | Данная вакансия используется в должности. | error")})
            : QStringList());
    QCOMPARE(schedule.storedLines(QStringLiteral("id_otdel_1 = 4")), remaining);
    QVERIFY(schedule.lines().isActive());
    QCOMPARE(schedule.lines().recordCount(), int(remaining.count(QLatin1Char(',')) + 1));
}

void TestLineRules::deleteOfALineChangedElsewhereIsRefused_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<QString>("elsewhere");
    QTest::addColumn<QString>("notice");

    const QString changed = QStringLiteral(
        "Уведомление | Запись изменена другим пользователем после того, как вы её открыли, и не удалена. "
        "Обновите данные и повторите удаление. | warning");
    const QString gone = QStringLiteral("Уведомление | Запись уже удалена другим пользователем. Ваши "
                                        "изменения не сохранены; обновите данные. "
                                        "| warning");
    for (const auto& [name, engine] : installableEngines) {
        QTest::addRow("%s: staff units changed", name)
            << engine << QList<int>()
            << QStringLiteral("update Vakansii set q_units = 0.5 where id_vakansiya = 13") << changed;
        QTest::addRow("%s: entry date set", name)
            << engine << QList<int>()
            << QStringLiteral("update Vakansii set e_d_p = '2024-02-01' where id_vakansiya = 13") << changed;
        QTest::addRow("%s: one of two selected changed", name)
            << engine << QList<int>{12, 13}
            << QStringLiteral("update Vakansii set razrad = 9 where id_vakansiya = 13") << changed;
        QTest::addRow("%s: deleted meanwhile", name)
            << engine << QList<int>{13, 12} << QStringLiteral("delete from Vakansii where id_vakansiya = 13")
            << gone;
    }
}

// Another workstation changed the line after this one read it: the delete is refused, no line is deleted,
// and the other workstation's values and this workstation's rows stay.
void TestLineRules::deleteOfALineChangedElsewhereIsRefused()
{
    QFETCH(EngineKind, engine);
    QFETCH(QList<int>, selected);
    QFETCH(QString, elsewhere);
    QFETCH(QString, notice);
    Schedule schedule(engine);
    schedule.show(laboratoryLines);
    for (int line : selected) {
        QVERIFY(schedule.moveTo(line));
        schedule.context.selected.append(schedule.lines().bookmark());
    }
    QVERIFY(schedule.moveTo(13));
    schedule.reader->execute(elsewhere);
    const QString storedBefore = schedule.storedLines(QStringLiteral("id_otdel_1 = 4"));

    QStringList sent;
    {
        SentStatements trace;
        QVERIFY_THROWS_EXCEPTION(Abort, schedule.lines().remove());
        sent = trace.list();
    }

    QCOMPARE(schedule.context.shown, QStringList{notice});
    QVERIFY2(sent.isEmpty(), qPrintable(sent.join(u'\n')));
    QCOMPARE(schedule.storedLines(QStringLiteral("id_otdel_1 = 4")), storedBefore);
    QCOMPARE(schedule.lines().recordCount(), 4);
    QCOMPARE(schedule.lines().state(), Dataset::State::Browse);
    // The connection is usable and out of the refused transaction: the next delete goes through.
    schedule.context.selected.clear();
    QVERIFY(schedule.moveTo(14));
    QVERIFY_THROWS_EXCEPTION(Abort, schedule.lines().remove());
    QVERIFY(!schedule.storedLines(QStringLiteral("id_otdel_1 = 4")).contains(QStringLiteral("14")));
}

QTEST_GUILESS_MAIN(TestLineRules)
#include "tst_linerules.moc"
