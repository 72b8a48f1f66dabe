#include "DataModule.h"

#include "DepartmentRecordView.h"
#include "Field.h"

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

TDM_shtat::TDM_shtat(QObject* parent)
    : QObject(parent), ADOQ_Shtat_rasp(QStringLiteral("ADOQ_Shtat_rasp"), &ADO_Shtat, this),
      ADOQ_Teacher(QStringLiteral("ADOQ_Teacher"), &ADO_Shtat, this),
      ADOQ_Otdel_1(QStringLiteral("ADOQ_Otdel_1"), &ADO_Shtat, this),
      ADOQOtdel_2(QStringLiteral("ADOQOtdel_2"), &ADO_Shtat, this),
      ADOQ_Stavka(QStringLiteral("ADOQ_Stavka"), &ADO_Shtat, this),
      ADOQ_Working(QStringLiteral("ADOQ_Working"), &ADO_Shtat, this),
      ADOQ_Faculty(QStringLiteral("ADOQ_Faculty"), &ADO_Shtat, this),
      ADOQ_Kafedra(QStringLiteral("ADOQ_Kafedra"), &ADO_Shtat, this),
      ADOQ_t_fio(QStringLiteral("ADOQ_t_fio"), &ADO_Shtat, this),
      ADOQ_post(QStringLiteral("ADOQ_post"), &ADO_Shtat, this),
      ADOQ_VUZ(QStringLiteral("ADOQ_VUZ"), &ADO_Shtat, this),
      ADOQ_Otdel_11(QStringLiteral("ADOQ_Otdel_11"), &ADO_Shtat, this),
      ADOQ_Insert_id_Otdel_11(QStringLiteral("ADOQ_Insert_id_Otdel_11"), &ADO_Shtat, this),
      ADOQ_Enter(QStringLiteral("ADOQ_Enter"), &ADO_Shtat, this),
      ADOQ_Deduce(QStringLiteral("ADOQ_Deduce"), &ADO_Shtat, this),
      ADOT_Structure(QStringLiteral("ADOT_Structure"), &ADO_Shtat, this),
      ADOT_BK(QStringLiteral("ADOT_BK"), &ADO_Shtat, this),
      ADOQ_Exec(QStringLiteral("ADOQ_Exec"), &ADO_Shtat, this),
      ADOQ_Temp(QStringLiteral("ADOQ_Temp"), &ADO_Shtat, this),
      ADOQ_Shtat_asOf(QStringLiteral("ADOQ_Shtat_asOf"), &ADO_Shtat, this), DS_Shtat_rasp(&ADOQ_Shtat_rasp),
      DS_Otdel_1(&ADOQ_Otdel_1), DS_Otdel_2(&ADOQOtdel_2), DS_Otdel_11(&ADOQ_Otdel_11),
      DS__Faculty(&ADOQ_Faculty), DS_Kafedra(&ADOQ_Kafedra), DS_Post(&ADOQ_post),
      DS_Shtat_asOf(&ADOQ_Shtat_asOf)
{
    ADOQ_Shtat_rasp.setSql(QStringLiteral("select top(0) vakansii.* from vakansii"));
    ADOQ_Shtat_rasp.setKeyField(QStringLiteral("id_vakansiya"));
    ADOQ_Shtat_rasp.setFieldDefs(scheduleFields());
    ADOQ_Shtat_asOf.setFieldDefs(scheduleFields());

    ADOQ_Teacher.setSql(QStringLiteral("select * from teacher"));
    ADOQ_Otdel_1.setSql(divisionsInUseStatement());
    ADOQ_Otdel_1.setKeyField(QStringLiteral("id_otdel_1"));
    ADOQOtdel_2.setSql(QStringLiteral("select top(0) null AS otdel_1, 0 AS id_faculty, 0 AS id_otdel_2"));

    ADOQ_Stavka.setSql(QStringLiteral("select * from Stavka"));
    ADOQ_Stavka.setKeyField(QStringLiteral("id_stavka"));
    defineStavkaFields();

    ADOQ_Working.setSql(QStringLiteral("select * from Working"));
    ADOQ_Working.setKeyField(QStringLiteral("id_working"));
    defineWorkingFields();

    ADOQ_Faculty.setSql(QStringLiteral("select * from Faculty"));
    ADOQ_Faculty.setKeyField(QStringLiteral("id_faculty"));
    defineFacultyFields();

    ADOQ_Kafedra.setSql(QStringLiteral("select * from Kafedra"));
    ADOQ_Kafedra.setKeyField(QStringLiteral("id_kafedra"));
    ADOQ_Kafedra.afterScroll = [this](Dataset& dataSet) { ADOQ_KafedraAfterScroll(dataSet); };
    ADOQ_t_fio.setSql(QStringLiteral("select * from t_fio"));
    ADOQ_post.setSql(QStringLiteral("select * from post"));
    ADOQ_post.setKeyField(QStringLiteral("id_post"));
    ADOQ_VUZ.setSql(QStringLiteral("Select * from vuz"));
    ADOQ_Otdel_11.setSql(QStringLiteral("select top(0) Otdel_1.* from Otdel_1"));
    ADOQ_Enter.setSql(QStringLiteral("select * from Enter"));
    ADOQ_Deduce.setSql(QStringLiteral("Select * from Deduce"));
    ADOT_Structure.setTableName(QStringLiteral("Structure"));
    ADOT_BK.setTableName(QStringLiteral("bk"));
}

DepartmentRecordView* Form6 = nullptr;

void TDM_shtat::ADOQ_KafedraAfterScroll(Dataset& dataSet)
{
    if (!Form6)
        return;
    Form6->ShowCurrentKafedra();
    const qint64 id = dataSet.fieldByName(QStringLiteral("id_kafedra"))->asInteger();
    Form6->setRecordGroupCaption(QStringLiteral("Запись - ") + QString::number(id));
}

QString TDM_shtat::divisionsInUseStatement()
{
    return QStringLiteral(
        "SELECT     dbo.Otdel_1.otdel_1, dbo.Otdel_1.id_otdel_1 FROM       dbo.Otdel_1 INNER JOIN            "
        "dbo.Vakansii ON dbo.Otdel_1.id_otdel_1 = dbo.Vakansii.id_otdel_1 WHERE      dbo.Vakansii.id_otdel_1 "
        "is "
        "not null GROUP BY   dbo.Otdel_1.otdel_1, dbo.Otdel_1.id_otdel_1 ORDER BY   Otdel_1");
}

QList<FieldDef> TDM_shtat::scheduleFields()
{
    const QString id_post = QStringLiteral("id_post");
    FieldDef post = FieldDef::data(id_post, FieldType::Integer);
    post.required = true;
    return {
        FieldDef::lookup(QStringLiteral("POST"), 80, id_post, &ADOQ_post, id_post, QStringLiteral("post")),
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
        FieldDef::lookup(QStringLiteral("Structure"), 5, QStringLiteral("id_structure"), &ADOT_Structure,
                         QStringLiteral("id_structure"), QStringLiteral("Structure")),
        FieldDef::data(QStringLiteral("id_structure"), FieldType::Integer),
        FieldDef::lookup(QStringLiteral("Enter"), 30, QStringLiteral("id_enter"), &ADOQ_Enter,
                         QStringLiteral("id_enter"), QStringLiteral("enter")),
        FieldDef::lookup(QStringLiteral("Deduce"), 30, QStringLiteral("id_deduce"), &ADOQ_Deduce,
                         QStringLiteral("id_deduce"), QStringLiteral("deduce")),
        FieldDef::data(QStringLiteral("id_bk"), FieldType::Integer),
        FieldDef::lookup(QStringLiteral("bk"), 10, QStringLiteral("id_bk"), &ADOT_BK, QStringLiteral("id_bk"),
                         QStringLiteral("name")),
        FieldDef::data(QStringLiteral("ZEB_User"), FieldType::Text, 20),
        FieldDef::data(QStringLiteral("ZEB_Update"), FieldType::Date),
        FieldDef::data(QStringLiteral("hourFond"), FieldType::Float),
        FieldDef::data(QStringLiteral("descr"), FieldType::Memo),
    };
}

void TDM_shtat::defineFacultyFields()
{
    ADOQ_Faculty.setFieldDefs({
        readOnlyKey(QStringLiteral("id_faculty")),
        FieldDef::data(QStringLiteral("p23-1"), FieldType::Text, 50),
        FieldDef::data(QStringLiteral("p23-2"), FieldType::Text, 100),
        FieldDef::data(QStringLiteral("id_vuz"), FieldType::Integer),
        FieldDef::lookup(QStringLiteral("vuz"), 20, QStringLiteral("id_vuz"), &ADOQ_VUZ,
                         QStringLiteral("id_vuz"), QStringLiteral("v2")),
    });
}

void TDM_shtat::defineStavkaFields()
{
    ADOQ_Stavka.setFieldDefs({
        readOnlyKey(QStringLiteral("id_stavka")),
        FieldDef::data(QStringLiteral("stavka"), FieldType::Float),
    });
}

void TDM_shtat::defineWorkingFields()
{
    ADOQ_Working.setFieldDefs({
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

void TDM_shtat::OpenDataSets()
{
    ADO_Shtat.open();
    for (Dataset* dataset :
         {&ADOQ_Shtat_rasp, &ADOQ_Teacher, &ADOQ_Otdel_1, &ADOQ_Otdel_11, &ADOQ_Stavka, &ADOQ_Working,
          &ADOQ_Faculty, &ADOQ_Kafedra, &ADOQ_t_fio, &ADOQ_post, &ADOQ_VUZ, &ADOT_Structure, &ADOT_BK})
        dataset->open();
}

} // namespace zeb
