#include "data/module/DataModule.h"

#include "data/dataset/Field.h"

namespace zeb {

namespace {

FieldDef readOnlyKey(const QString& name)
{
    FieldDef def = FieldDef::data(name, FieldType::Integer);
    def.readOnly = true;
    return def;
}

FieldDef withFormat(FieldDef def, const QString& format)
{
    def.displayFormat = format;
    return def;
}

} // namespace

DataModule::DataModule(QObject* parent)
    : QObject(parent), scheduleLines(QStringLiteral("ADOQ_Shtat_rasp"), &connection, this),
      teachers(QStringLiteral("ADOQ_Teacher"), &connection, this),
      divisions(QStringLiteral("ADOQ_Otdel_1"), &connection, this),
      levelTwoDivisions(QStringLiteral("ADOQOtdel_2"), &connection, this),
      rates(QStringLiteral("ADOQ_Stavka"), &connection, this),
      placements(QStringLiteral("ADOQ_Working"), &connection, this),
      faculties(QStringLiteral("ADOQ_Faculty"), &connection, this),
      departments(QStringLiteral("ADOQ_Kafedra"), &connection, this),
      personNames(QStringLiteral("ADOQ_t_fio"), &connection, this),
      posts(QStringLiteral("ADOQ_post"), &connection, this),
      institution(QStringLiteral("ADOQ_VUZ"), &connection, this),
      subLevels(QStringLiteral("ADOQ_Otdel_11"), &connection, this),
      newSubLevelKey(QStringLiteral("ADOQ_Insert_id_Otdel_11"), &connection, this),
      entryKinds(QStringLiteral("ADOQ_Enter"), &connection, this),
      withdrawalKinds(QStringLiteral("ADOQ_Deduce"), &connection, this),
      structureKinds(QStringLiteral("ADOT_Structure"), &connection, this),
      fundingSources(QStringLiteral("ADOT_BK"), &connection, this),
      commands(QStringLiteral("ADOQ_Exec"), &connection, this),
      scratch(QStringLiteral("ADOQ_Temp"), &connection, this),
      scheduleLinesAsOf(QStringLiteral("ADOQ_Shtat_asOf"), &connection, this),
      salaryScale(QStringLiteral("ADOQ_Oklad"), &connection, this), scheduleLinesSource(&scheduleLines),
      divisionsSource(&divisions), levelTwoDivisionsSource(&levelTwoDivisions), subLevelsSource(&subLevels),
      facultiesSource(&faculties), departmentsSource(&departments), postsSource(&posts),
      scheduleLinesAsOfSource(&scheduleLinesAsOf), salaryScaleSource(&salaryScale)
{
    setObjectName(QStringLiteral("DM_shtat"));
    scheduleLines.setSql(QStringLiteral("select top(0) vakansii.* from vakansii"));
    scheduleLines.setKeyField(QStringLiteral("id_vakansiya"));
    scheduleLines.setFieldDefs(scheduleFields());
    scheduleLinesAsOf.setFieldDefs(scheduleFields());

    teachers.setSql(QStringLiteral("select * from teacher"));
    divisions.setSql(divisionsInUseStatement());
    divisions.setKeyField(QStringLiteral("id_otdel_1"));
    levelTwoDivisions.setSql(
        QStringLiteral("select top(0) null AS otdel_1, 0 AS id_faculty, 0 AS id_otdel_2"));

    rates.setSql(QStringLiteral("select * from Stavka"));
    rates.setKeyField(QStringLiteral("id_stavka"));
    defineStavkaFields();

    placements.setSql(QStringLiteral("select * from Working"));
    placements.setKeyField(QStringLiteral("id_working"));
    defineWorkingFields();

    faculties.setSql(QStringLiteral("select * from Faculty"));
    faculties.setKeyField(QStringLiteral("id_faculty"));
    defineFacultyFields();

    departments.setSql(QStringLiteral("select * from Kafedra"));
    departments.setKeyField(QStringLiteral("id_kafedra"));
    personNames.setSql(QStringLiteral("select * from t_fio"));
    posts.setSql(QStringLiteral("select * from post"));
    posts.setKeyField(QStringLiteral("id_post"));
    institution.setSql(QStringLiteral("Select * from vuz"));
    subLevels.setSql(QStringLiteral("select top(0) Otdel_1.* from Otdel_1"));
    entryKinds.setSql(QStringLiteral("select * from Enter"));
    withdrawalKinds.setSql(QStringLiteral("Select * from Deduce"));
    structureKinds.setTableName(QStringLiteral("Structure"));
    fundingSources.setTableName(QStringLiteral("bk"));
    salaryScale.setSql(salaryScaleStatement());
    salaryScale.setKeyField(QStringLiteral("id_oklad"));
    defineSalaryScaleFields();
}

QString DataModule::salaryScaleStatement()
{
    return QStringLiteral("select id_oklad, razrad, date_from, oklad from Oklad order by razrad, date_from");
}

QString DataModule::divisionsInUseStatement()
{
    return QStringLiteral(
        "SELECT     dbo.Otdel_1.otdel_1, dbo.Otdel_1.id_otdel_1 FROM       dbo.Otdel_1 INNER JOIN            "
        "dbo.Vakansii ON dbo.Otdel_1.id_otdel_1 = dbo.Vakansii.id_otdel_1 WHERE      dbo.Vakansii.id_otdel_1 "
        "is "
        "not null GROUP BY   dbo.Otdel_1.otdel_1, dbo.Otdel_1.id_otdel_1 ORDER BY   Otdel_1");
}

QList<FieldDef> DataModule::scheduleFields()
{
    const QString id_post = QStringLiteral("id_post");
    FieldDef post = FieldDef::data(id_post, FieldType::Integer);
    post.required = true;
    return {
        FieldDef::lookup(QStringLiteral("POST"), 80, id_post, &posts, id_post, QStringLiteral("post")),
        readOnlyKey(QStringLiteral("id_vakansiya")),
        FieldDef::data(QStringLiteral("id_otdel_1"), FieldType::Integer),
        FieldDef::data(QStringLiteral("id_otdel_11"), FieldType::Integer),
        FieldDef::data(QStringLiteral("id_faculty"), FieldType::Integer),
        FieldDef::data(QStringLiteral("id_kafedra"), FieldType::Integer),
        post,
        withFormat(FieldDef::data(QStringLiteral("q_units"), FieldType::Float), QStringLiteral("0.##")),
        withFormat(FieldDef::decimal(QStringLiteral("razrad"), 18, 0), QStringLiteral("0.##")),
        FieldDef::data(QStringLiteral("Num"), FieldType::Integer),
        FieldDef::data(QStringLiteral("id_otdel_2"), FieldType::Integer),
        FieldDef::data(QStringLiteral("id_enter"), FieldType::Integer),
        FieldDef::data(QStringLiteral("e_n_p"), FieldType::Text, 30),
        FieldDef::data(QStringLiteral("e_d_p"), FieldType::DateTime),
        FieldDef::data(QStringLiteral("id_deduce"), FieldType::Integer),
        FieldDef::data(QStringLiteral("d_n_p"), FieldType::Text, 30),
        FieldDef::data(QStringLiteral("d_d_p"), FieldType::DateTime),
        FieldDef::lookup(QStringLiteral("Structure"), 5, QStringLiteral("id_structure"), &structureKinds,
                         QStringLiteral("id_structure"), QStringLiteral("Structure")),
        FieldDef::data(QStringLiteral("id_structure"), FieldType::Integer),
        FieldDef::lookup(QStringLiteral("Enter"), 30, QStringLiteral("id_enter"), &entryKinds,
                         QStringLiteral("id_enter"), QStringLiteral("enter")),
        FieldDef::lookup(QStringLiteral("Deduce"), 30, QStringLiteral("id_deduce"), &withdrawalKinds,
                         QStringLiteral("id_deduce"), QStringLiteral("deduce")),
        FieldDef::data(QStringLiteral("id_bk"), FieldType::Integer),
        FieldDef::lookup(QStringLiteral("bk"), 10, QStringLiteral("id_bk"), &fundingSources,
                         QStringLiteral("id_bk"), QStringLiteral("name")),
        FieldDef::data(QStringLiteral("ZEB_User"), FieldType::Text, 20),
        FieldDef::data(QStringLiteral("ZEB_Update"), FieldType::Date),
        FieldDef::data(QStringLiteral("hourFond"), FieldType::Float),
        FieldDef::data(QStringLiteral("descr"), FieldType::Memo),
    };
}

void DataModule::defineFacultyFields()
{
    faculties.setFieldDefs({
        readOnlyKey(QStringLiteral("id_faculty")),
        FieldDef::data(QStringLiteral("p23-1"), FieldType::Text, 50),
        FieldDef::data(QStringLiteral("p23-2"), FieldType::Text, 100),
        FieldDef::data(QStringLiteral("id_vuz"), FieldType::Integer),
        FieldDef::lookup(QStringLiteral("vuz"), 20, QStringLiteral("id_vuz"), &institution,
                         QStringLiteral("id_vuz"), QStringLiteral("v2")),
    });
}

void DataModule::defineStavkaFields()
{
    rates.setFieldDefs({
        readOnlyKey(QStringLiteral("id_stavka")),
        FieldDef::data(QStringLiteral("stavka"), FieldType::Float),
    });
}

void DataModule::defineWorkingFields()
{
    placements.setFieldDefs({
        readOnlyKey(QStringLiteral("id_working")),
        FieldDef::data(QStringLiteral("id_teacher"), FieldType::Integer),
        FieldDef::data(QStringLiteral("id_stavka"), FieldType::Integer),
        FieldDef::data(QStringLiteral("id_vakansiya"), FieldType::Integer),
        FieldDef::data(QStringLiteral("id_base_over"), FieldType::Integer),
        FieldDef::data(QStringLiteral("razr"), FieldType::Integer),
        FieldDef::data(QStringLiteral("id_prikaz_come"), FieldType::Integer),
        FieldDef::data(QStringLiteral("Num_prikaz_Enter"), FieldType::Text, 30),
        FieldDef::data(QStringLiteral("date_come"), FieldType::DateTime),
        FieldDef::data(QStringLiteral("Num_prikaz_leave"), FieldType::Text, 30),
        FieldDef::data(QStringLiteral("id_leave"), FieldType::Integer),
        FieldDef::data(QStringLiteral("Date_leave"), FieldType::DateTime),
    });
}

// Every column is required by the table; the types are the table's, so that what it cannot hold is refused
// as typed.
void DataModule::defineSalaryScaleFields()
{
    const auto required = [](FieldDef def) {
        def.required = true;
        return def;
    };
    salaryScale.setFieldDefs({
        readOnlyKey(QStringLiteral("id_oklad")),
        required(FieldDef::decimal(QStringLiteral("razrad"), 18, 0)),
        required(FieldDef::data(QStringLiteral("date_from"), FieldType::Date)),
        required(withFormat(FieldDef::decimal(QStringLiteral("oklad"), 12, 2), QStringLiteral("0.00"))),
    });
}

void DataModule::openDataSets()
{
    connection.open();
    for (Dataset* dataset :
         {&scheduleLines, &teachers, &divisions, &subLevels, &rates, &placements, &faculties, &departments,
          &personNames, &posts, &institution, &structureKinds, &fundingSources})
        dataset->open();
}

} // namespace zeb
