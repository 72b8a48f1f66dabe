#include "data/dataset/DatasetModel.h"
#include "data/dataset/Field.h"
#include "data/module/DataModule.h"
#include "tests/support/EngineRows.h"
#include "tests/support/TestInstallation.h"

#include <QSignalSpy>
#include <QTest>

using namespace zeb;

namespace {

void signIn(DataModule& module, const TestInstallation& installation)
{
    module.connection.setDataDirectory(installation.dataDirectory());
    module.connection.setConnectionString(installation.signedInConnection()->connectionString());
}

} // namespace

class TestDataModule : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void openDataSetsOnTheDemoDatabase_data() { addEngineRows(); }
    void openDataSetsOnTheDemoDatabase();
    void openDataSetsStopsAtTheFirstFailure();
    void modelEditsThroughTheDataset();
};

void TestDataModule::openDataSetsOnTheDemoDatabase()
{
    QFETCH(EngineKind, engine);
    TestInstallation installation(engine, true);
    DataModule module;
    signIn(module, installation);
    QStringList scrolled;
    module.departments.afterScroll = [&](Dataset& d) { scrolled << d.name(); };

    module.openDataSets();

    QVERIFY(module.connection.isOpen());
    QStringList open;
    QStringList closed;
    for (Dataset* dataset : module.findChildren<Dataset*>())
        (dataset->isActive() ? open : closed) << dataset->name();
    open.sort();
    closed.sort();
    QCOMPARE(open, QStringList({
                       QStringLiteral("ADOQ_Deduce"),
                       QStringLiteral("ADOQ_Enter"),
                       QStringLiteral("ADOQ_Faculty"),
                       QStringLiteral("ADOQ_Kafedra"),
                       QStringLiteral("ADOQ_Otdel_1"),
                       QStringLiteral("ADOQ_Otdel_11"),
                       QStringLiteral("ADOQ_Shtat_rasp"),
                       QStringLiteral("ADOQ_Stavka"),
                       QStringLiteral("ADOQ_Teacher"),
                       QStringLiteral("ADOQ_VUZ"),
                       QStringLiteral("ADOQ_Working"),
                       QStringLiteral("ADOQ_post"),
                       QStringLiteral("ADOQ_t_fio"),
                       QStringLiteral("ADOT_BK"),
                       QStringLiteral("ADOT_Structure"),
                   }));
    QCOMPARE(closed, QStringList({QStringLiteral("ADOQOtdel_2"), QStringLiteral("ADOQ_Exec"),
                                  QStringLiteral("ADOQ_Insert_id_Otdel_11"), QStringLiteral("ADOQ_Oklad"),
                                  QStringLiteral("ADOQ_Shtat_asOf"), QStringLiteral("ADOQ_Temp")}));

    QCOMPARE(module.scheduleLines.recordCount(), 0);
    QCOMPARE(module.scheduleLines.fieldCount(), 27);
    QCOMPARE(module.scheduleLines.field(0)->fieldName(), QStringLiteral("POST"));
    QCOMPARE(module.faculties.fieldCount(), 5);
    QVERIFY(module.divisions.recordCount() > 0);
    QCOMPARE(module.subLevels.recordCount(), 0);
    QCOMPARE(scrolled, QStringList({QStringLiteral("ADOQ_Kafedra")}));
    QVERIFY(!module.faculties.fieldByName(QStringLiteral("vuz"))->asString().isEmpty());
}

void TestDataModule::openDataSetsStopsAtTheFirstFailure()
{
    TestInstallation installation(EngineKind::Sqlite, true);
    std::unique_ptr<Engine> admin = installation.adminEngine();
    admin->run(QStringLiteral("drop table Stavka"));
    DataModule module;
    signIn(module, installation);
    QVERIFY_THROWS_EXCEPTION(Error, module.openDataSets());
    QVERIFY(module.subLevels.isActive());
    QVERIFY(!module.rates.isActive());
    QVERIFY(!module.placements.isActive());
    QVERIFY(!module.departments.isActive());
}

void TestDataModule::modelEditsThroughTheDataset()
{
    TestInstallation installation(EngineKind::Sqlite, true);
    DataModule module;
    signIn(module, installation);
    module.openDataSets();
    Dataset& lines = module.scheduleLines;
    lines.setSql(QStringLiteral("Select * from Vakansii where id_deduce<>2 ORDER BY Num"));
    lines.open();
    int saves = 0;
    lines.beforePost = [&](Dataset&) { ++saves; };

    DatasetModel model(&lines);
    model.setColumns({QStringLiteral("Num"), QStringLiteral("POST"), QStringLiteral("q_units")});
    QCOMPARE(model.columnCount(), 3);
    QCOMPARE(model.rowCount(), lines.recordCount());
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("POST"));

    QString refusal;
    model.setErrorHandler([&](const Error& error) { refusal = error.message(); });
    QVERIFY(model.setData(model.index(1, 2), QStringLiteral("1,25")));
    QCOMPARE(lines.state(), Dataset::State::Edit);
    QCOMPARE(model.data(model.index(1, 2)).toString(), QStringLiteral("1,25"));
    QVERIFY(!model.setData(model.index(1, 2), QStringLiteral("полторы")));
    QCOMPARE(refusal, QStringLiteral("«полторы» не подходит: нужно ввести число, например 1,5."));

    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QVERIFY(model.setData(model.index(0, 0), QStringLiteral("9")));
    QCOMPARE(saves, 1);
    QVERIFY(changed.count() >= 1);
    QCOMPARE(model.data(model.index(1, 2)).toString(), QStringLiteral("1,25"));
}

QTEST_GUILESS_MAIN(TestDataModule)
#include "tst_datamodule.moc"
