#include "tests/data/tsql/ClientStatements.h"

#include <QTest>

void addClientStatementRows()
{
    QTest::addColumn<QString>("tsql");
    QTest::addColumn<QString>("sqlite");
    QTest::addColumn<QString>("postgres");

    // Statements that reach both engines as written.
    for (const char* tsql :
         {"select * from teacher", "select * from Stavka", "select * from Working", "select * from Faculty",
          "select * from Kafedra", "select * from t_fio", "select * from post", "Select * from vuz",
          "select * from Enter", "Select * from Deduce", "Delete From Vakansii Where id_vakansiya in (12,15)",
          "Insert into Vakansii (id_post, id_Otdel_11,id_Otdel_1 ) values(1, 9,4)",
          "Insert into Vakansii (id_post, id_Otdel_2,id_faculty) values(1, 6,3)",
          "Insert into Vakansii (id_post, id_Otdel_1) values(1,4)",
          "Insert into Vakansii (id_post, id_kafedra,id_faculty) values(1,8,3)",
          "Delete From kafedra Where kafedra.id_kafedra =8"}) {
        const QString text = QString::fromUtf8(tsql);
        QTest::newRow(tsql) << text << text << text;
    }
    QTest::newRow("empty schedule") << QStringLiteral("select top(0) vakansii.* from vakansii")
                                    << QStringLiteral("select vakansii.* from vakansii LIMIT 0")
                                    << QStringLiteral("select vakansii.* from vakansii LIMIT 0");
    QTest::newRow("empty level-2 list without FROM")
        << QStringLiteral("select top(0) null AS otdel_1, 0 AS id_faculty, 0 AS id_otdel_2")
        << QStringLiteral("select null AS otdel_1, 0 AS id_faculty, 0 AS id_otdel_2 LIMIT 0")
        << QStringLiteral("select null AS otdel_1, 0 AS id_faculty, 0 AS id_otdel_2 LIMIT 0");
    QTest::newRow("empty sub-level list") << QStringLiteral("select top(0) Otdel_1.* from Otdel_1")
                                          << QStringLiteral("select Otdel_1.* from Otdel_1 LIMIT 0")
                                          << QStringLiteral("select Otdel_1.* from Otdel_1 LIMIT 0");
    QTest::newRow("TOP glued to the name") << QStringLiteral("Select TOP(0)Vakansii.*  from Vakansii ")
                                           << QStringLiteral("Select Vakansii.*  from Vakansii LIMIT 0 ")
                                           << QStringLiteral("Select Vakansii.*  from Vakansii LIMIT 0 ");
    QTest::newRow("Select * from Otdel_1 order by Otdel_1")
        << QStringLiteral("Select * from Otdel_1 order by Otdel_1")
        << QStringLiteral("Select * from Otdel_1 order by Otdel_1")
        << QStringLiteral("Select * from Otdel_1 order by Otdel_1 NULLS FIRST");
    QTest::newRow("Select * from Kafedra order by f1")
        << QStringLiteral("Select * from Kafedra order by f1")
        << QStringLiteral("Select * from Kafedra order by f1")
        << QStringLiteral("Select * from Kafedra order by f1 NULLS FIRST");
    QTest::newRow("divisions in use")
        << QStringLiteral("SELECT     dbo.Otdel_1.otdel_1, dbo.Otdel_1.id_otdel_1 FROM       dbo.Otdel_1 "
                          "INNER JOIN            dbo.Vakansii ON dbo.Otdel_1.id_otdel_1 = "
                          "dbo.Vakansii.id_otdel_1 WHERE      dbo.Vakansii.id_otdel_1 is not null GROUP BY   "
                          "dbo.Otdel_1.otdel_1, dbo.Otdel_1.id_otdel_1 ORDER BY   Otdel_1")
        << QStringLiteral(
               "SELECT     Otdel_1.otdel_1, Otdel_1.id_otdel_1 FROM       Otdel_1 INNER JOIN            "
               "Vakansii ON Otdel_1.id_otdel_1 = Vakansii.id_otdel_1 WHERE      Vakansii.id_otdel_1 is not "
               "null GROUP BY   Otdel_1.otdel_1, Otdel_1.id_otdel_1 ORDER BY   Otdel_1")
        << QStringLiteral("SELECT     dbo.Otdel_1.otdel_1, dbo.Otdel_1.id_otdel_1 FROM       dbo.Otdel_1 "
                          "INNER JOIN            dbo.Vakansii ON dbo.Otdel_1.id_otdel_1 = "
                          "dbo.Vakansii.id_otdel_1 WHERE      dbo.Vakansii.id_otdel_1 is not null GROUP BY   "
                          "dbo.Otdel_1.otdel_1, dbo.Otdel_1.id_otdel_1 ORDER BY   Otdel_1 NULLS FIRST");
    QTest::newRow("sub-levels of a division")
        << QStringLiteral(
               " SELECT   dbo.Vakansii.id_otdel_1,          dbo.Otdel_1.id_otdel_1 AS otdel_11, "
               "dbo.Otdel_1.otdel_1 FROM     dbo.Vakansii INNER JOIN           dbo.Otdel_1 ON "
               "dbo.Vakansii.id_otdel_11 = dbo.Otdel_1.id_otdel_1 where dbo.Vakansii.id_otdel_1 = 4  and "
               "id_deduce<>2 GROUP BY dbo.Vakansii.id_otdel_1, dbo.Otdel_1.id_otdel_1, dbo.Otdel_1.otdel_1")
        << QStringLiteral(" SELECT   Vakansii.id_otdel_1,          Otdel_1.id_otdel_1 AS otdel_11, "
                          "Otdel_1.otdel_1 FROM     Vakansii INNER JOIN           Otdel_1 ON "
                          "Vakansii.id_otdel_11 = Otdel_1.id_otdel_1 where Vakansii.id_otdel_1 = 4  and "
                          "id_deduce<>2 GROUP BY Vakansii.id_otdel_1, Otdel_1.id_otdel_1, Otdel_1.otdel_1")
        << QStringLiteral(
               " SELECT   dbo.Vakansii.id_otdel_1,          dbo.Otdel_1.id_otdel_1 AS otdel_11, "
               "dbo.Otdel_1.otdel_1 FROM     dbo.Vakansii INNER JOIN           dbo.Otdel_1 ON "
               "dbo.Vakansii.id_otdel_11 = dbo.Otdel_1.id_otdel_1 where dbo.Vakansii.id_otdel_1 = 4  and "
               "id_deduce<>2 GROUP BY dbo.Vakansii.id_otdel_1, dbo.Otdel_1.id_otdel_1, dbo.Otdel_1.otdel_1");
    QTest::newRow("lines of a division")
        << QStringLiteral("Select * from Vakansii  where id_otdel_1=4 and id_otdel_11 is null and "
                          "id_deduce<>2 ORDER BY Num")
        << QStringLiteral("Select * from Vakansii  where id_otdel_1=4 and id_otdel_11 is null and "
                          "id_deduce<>2 ORDER BY Num")
        << QStringLiteral("Select * from Vakansii  where id_otdel_1=4 and id_otdel_11 is null and "
                          "id_deduce<>2 ORDER BY Num NULLS FIRST");
    QTest::newRow("lines of a sub-level")
        << QStringLiteral(
               "Select * from Vakansii where id_otdel_1=4 and id_otdel_11=9 and id_deduce<>2 ORDER BY Num")
        << QStringLiteral(
               "Select * from Vakansii where id_otdel_1=4 and id_otdel_11=9 and id_deduce<>2 ORDER BY Num")
        << QStringLiteral("Select * from Vakansii where id_otdel_1=4 and id_otdel_11=9 and id_deduce<>2 "
                          "ORDER BY Num NULLS FIRST");
    QTest::newRow("level-2 divisions of a faculty")
        << QStringLiteral(
               "SELECT     dbo.Otdel_1.otdel_1, dbo.Vakansii.id_faculty, dbo.Vakansii.id_otdel_2 FROM       "
               "dbo.Vakansii INNER JOIN            dbo.Otdel_1 ON dbo.Vakansii.id_otdel_2 = "
               "dbo.Otdel_1.id_otdel_1 WHERE      dbo.Vakansii.id_faculty =3           and id_deduce <> 2 "
               "GROUP BY   dbo.Otdel_1.otdel_1, dbo.Vakansii.id_faculty, dbo.Vakansii.id_otdel_2 ORDER BY "
               "dbo.Otdel_1.otdel_1")
        << QStringLiteral(
               "SELECT     Otdel_1.otdel_1, Vakansii.id_faculty, Vakansii.id_otdel_2 FROM       Vakansii "
               "INNER JOIN            Otdel_1 ON Vakansii.id_otdel_2 = Otdel_1.id_otdel_1 WHERE      "
               "Vakansii.id_faculty =3           and id_deduce <> 2 GROUP BY   Otdel_1.otdel_1, "
               "Vakansii.id_faculty, Vakansii.id_otdel_2 ORDER BY Otdel_1.otdel_1")
        << QStringLiteral(
               "SELECT     dbo.Otdel_1.otdel_1, dbo.Vakansii.id_faculty, dbo.Vakansii.id_otdel_2 FROM       "
               "dbo.Vakansii INNER JOIN            dbo.Otdel_1 ON dbo.Vakansii.id_otdel_2 = "
               "dbo.Otdel_1.id_otdel_1 WHERE      dbo.Vakansii.id_faculty =3           and id_deduce <> 2 "
               "GROUP BY   dbo.Otdel_1.otdel_1, dbo.Vakansii.id_faculty, dbo.Vakansii.id_otdel_2 ORDER BY "
               "dbo.Otdel_1.otdel_1 NULLS FIRST");
    QTest::newRow("departments of a faculty")
        << QStringLiteral("SELECT    dbo.kafedra.f1, dbo.Vakansii.id_faculty, dbo.Vakansii.id_kafedra FROM   "
                          "   dbo.Vakansii INNER JOIN           dbo.kafedra ON dbo.Vakansii.id_kafedra = "
                          "dbo.kafedra.id_kafedra WHERE     dbo.Vakansii.id_deduce<>2 GROUP BY  "
                          "dbo.kafedra.f1, dbo.Vakansii.id_faculty, dbo.Vakansii.id_kafedra  HAVING    "
                          "(dbo.Vakansii.id_faculty = 3) order by dbo.kafedra.f1")
        << QStringLiteral("SELECT    kafedra.f1, Vakansii.id_faculty, Vakansii.id_kafedra FROM      Vakansii "
                          "INNER JOIN           kafedra ON Vakansii.id_kafedra = kafedra.id_kafedra WHERE    "
                          " Vakansii.id_deduce<>2 GROUP BY  kafedra.f1, Vakansii.id_faculty, "
                          "Vakansii.id_kafedra  HAVING    (Vakansii.id_faculty = 3) order by kafedra.f1")
        << QStringLiteral("SELECT    dbo.kafedra.f1, dbo.Vakansii.id_faculty, dbo.Vakansii.id_kafedra FROM   "
                          "   dbo.Vakansii INNER JOIN           dbo.kafedra ON dbo.Vakansii.id_kafedra = "
                          "dbo.kafedra.id_kafedra WHERE     dbo.Vakansii.id_deduce<>2 GROUP BY  "
                          "dbo.kafedra.f1, dbo.Vakansii.id_faculty, dbo.Vakansii.id_kafedra  HAVING    "
                          "(dbo.Vakansii.id_faculty = 3) order by dbo.kafedra.f1 NULLS FIRST");
    QTest::newRow("departments restored by a dialog")
        << QStringLiteral(
               "SELECT    dbo.kafedra.f1, dbo.Vakansii.id_faculty, dbo.Vakansii.id_kafedra FROM      "
               "dbo.Vakansii INNER JOIN           dbo.kafedra ON dbo.Vakansii.id_kafedra = "
               "dbo.kafedra.id_kafedra GROUP BY  dbo.kafedra.f1, dbo.Vakansii.id_faculty, "
               "dbo.Vakansii.id_kafedra  HAVING    (dbo.Vakansii.id_faculty = 3) order by dbo.kafedra.f1")
        << QStringLiteral("SELECT    kafedra.f1, Vakansii.id_faculty, Vakansii.id_kafedra FROM      Vakansii "
                          "INNER JOIN           kafedra ON Vakansii.id_kafedra = kafedra.id_kafedra GROUP BY "
                          " kafedra.f1, Vakansii.id_faculty, Vakansii.id_kafedra  HAVING    "
                          "(Vakansii.id_faculty = 3) order by kafedra.f1")
        << QStringLiteral("SELECT    dbo.kafedra.f1, dbo.Vakansii.id_faculty, dbo.Vakansii.id_kafedra FROM   "
                          "   dbo.Vakansii INNER JOIN           dbo.kafedra ON dbo.Vakansii.id_kafedra = "
                          "dbo.kafedra.id_kafedra GROUP BY  dbo.kafedra.f1, dbo.Vakansii.id_faculty, "
                          "dbo.Vakansii.id_kafedra  HAVING    (dbo.Vakansii.id_faculty = 3) order by "
                          "dbo.kafedra.f1 NULLS FIRST");
    QTest::newRow("lines of a faculty")
        << QStringLiteral("Select * from Vakansii where ID_Faculty=3 and id_kafedra is null and id_otdel_2 "
                          "is null and id_deduce<>2 ORDER BY Num")
        << QStringLiteral("Select * from Vakansii where ID_Faculty=3 and id_kafedra is null and id_otdel_2 "
                          "is null and id_deduce<>2 ORDER BY Num")
        << QStringLiteral("Select * from Vakansii where ID_Faculty=3 and id_kafedra is null and id_otdel_2 "
                          "is null and id_deduce<>2 ORDER BY Num NULLS FIRST");
    QTest::newRow("lines of a level-2 division")
        << QStringLiteral(
               "Select * from Vakansii where id_otdel_2=6 and id_faculty=3 and id_deduce<>2  ORDER BY Num")
        << QStringLiteral(
               "Select * from Vakansii where id_otdel_2=6 and id_faculty=3 and id_deduce<>2  ORDER BY Num")
        << QStringLiteral("Select * from Vakansii where id_otdel_2=6 and id_faculty=3 and id_deduce<>2  "
                          "ORDER BY Num NULLS FIRST");
    QTest::newRow("lines of a department")
        << QStringLiteral(
               "Select * from Vakansii where ID_kafedra=8 and id_faculty=3 and id_deduce<>2 ORDER BY Num")
        << QStringLiteral(
               "Select * from Vakansii where ID_kafedra=8 and id_faculty=3 and id_deduce<>2 ORDER BY Num")
        << QStringLiteral("Select * from Vakansii where ID_kafedra=8 and id_faculty=3 and id_deduce<>2 ORDER "
                          "BY Num NULLS FIRST");
    QTest::newRow("employees on a line")
        << QStringLiteral("Select top(1) percent working.* from working  where working.id_vakansiya=17 and "
                          "(id_leave=4 or id_leave is null) ")
        << QStringLiteral("Select working.* from working  where working.id_vakansiya=17 and (id_leave=4 or "
                          "id_leave is null) LIMIT (SELECT (count(*) * 1 + 99) / 100 from working  where "
                          "working.id_vakansiya=17 and (id_leave=4 or id_leave is null)) ")
        << QStringLiteral("Select working.* from working  where working.id_vakansiya=17 and (id_leave=4 or "
                          "id_leave is null) LIMIT (SELECT (count(*) * 1 + 99) / 100 from working  where "
                          "working.id_vakansiya=17 and (id_leave=4 or id_leave is null)) ");
    QTest::newRow("report address")
        << QStringLiteral("Select *  FROM [ZEB].[dbo].[VuzDefaults] Where id_vuz_defaults=22")
        << QStringLiteral("Select *  FROM \"VuzDefaults\" Where id_vuz_defaults=22")
        << QStringLiteral("Select *  FROM dbo.\"vuzdefaults\" Where id_vuz_defaults=22");
    QTest::newRow("audit row")
        << QStringLiteral("INSERT INTO ZEB_LOG([table], [row_id], [descr], [ZEB_User], [comp]) "
                          "VALUES('kafedra', 8, 'Запись с уникальным номером - 8 была удалена.(id_kafedra = "
                          "[8])' , 'o''brien', 'PC-07\\192.168.1.15')")
        << QStringLiteral("INSERT INTO ZEB_LOG(\"table\", \"row_id\", \"descr\", \"ZEB_User\", \"comp\") "
                          "VALUES('kafedra', 8, 'Запись с уникальным номером - 8 была удалена.(id_kafedra = "
                          "[8])' , 'o''brien', 'PC-07\\192.168.1.15')")
        << QStringLiteral("INSERT INTO ZEB_LOG(\"table\", \"row_id\", \"descr\", \"zeb_user\", \"comp\") "
                          "VALUES('kafedra', 8, 'Запись с уникальным номером - 8 была удалена.(id_kafedra = "
                          "[8])' , 'o''brien', E'PC-07\\\\192.168.1.15')");
}
