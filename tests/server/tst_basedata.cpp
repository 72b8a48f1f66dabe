#include "server/BaseData.h"
#include "tests/support/EngineRows.h"
#include "server/NativeTable.h"
#include "tests/support/TestInstallation.h"

#include <QTest>

using namespace zeb;

class BaseDataTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A fresh installation without demo data takes the lines the client writes before anything else: a
    // unit's placeholder line (post 1 and the unit only) and a line saved with the save defaults, here
    // withdrawn. Their reference names come back through the joins as written.
    void firstLinesFindTheirReferenceRows_data() { addEngineRows(); }
    void firstLinesFindTheirReferenceRows()
    {
        QFETCH(EngineKind, engine);
        std::unique_ptr<TestInstallation> installation;
        QVERIFY_THROWS_NO_EXCEPTION(installation = std::make_unique<TestInstallation>(engine));
        const std::unique_ptr<Engine> db = installation->adminEngine();

        const qint64 department = NativeTable(*db, QStringLiteral("Kafedra"))
                                      .insert({QStringLiteral("f1")}, {QStringLiteral("Кафедра истории")},
                                              QStringLiteral("id_kafedra"));
        const NativeTable lines(*db, QStringLiteral("Vakansii"));
        const QString key = QStringLiteral("id_vakansiya");
        const qint64 placeholder =
            lines.insert({QStringLiteral("id_post"), QStringLiteral("id_kafedra")}, {1, department}, key);
        const qint64 saved = lines.insert({QStringLiteral("id_post"), QStringLiteral("id_kafedra"),
                                           QStringLiteral("id_structure"), QStringLiteral("id_bk"),
                                           QStringLiteral("id_enter"), QStringLiteral("id_deduce")},
                                          {1, department, 5, 1, 1, 2}, key);

        const QString names =
            QStringLiteral("SELECT p.post || '|' || d.deduce || '|' || coalesce(s.structure, '-') || '|' || "
                           "coalesce(b.name, '-') || '|' || coalesce(e.enter, '-') "
                           "FROM vakansii v JOIN post p ON p.id_post = v.id_post "
                           "JOIN deduce d ON d.id_deduce = v.id_deduce "
                           "LEFT JOIN structure s ON s.id_structure = v.id_structure "
                           "LEFT JOIN bk b ON b.id_bk = v.id_bk LEFT JOIN enter e ON e.id_enter = v.id_enter "
                           "WHERE v.id_vakansiya = ") +
            lines.placeholder(0);
        const QString post = QString::fromUtf8(BaseData::placeholderPost());
        QCOMPARE(firstValue(*db, names, {placeholder}).toString(),
                 post + QStringLiteral("|Не выведена|-|-|-"));
        QCOMPARE(firstValue(*db, names, {saved}).toString(),
                 post + QStringLiteral("|Выведена|Пр.|Бюджет|Штатная"));
    }
};

QTEST_GUILESS_MAIN(BaseDataTest)
#include "tst_basedata.moc"
