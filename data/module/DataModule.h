#pragma once

#include "Connection.h"
#include "DataSource.h"
#include "Dataset.h"

#include <QObject>

namespace zeb {

// The program's data module: the one connection and every dataset and data source, by their names.
// Nothing is connected or opened until OpenDataSets runs after sign-in. Later layers bind the datasets'
// event hooks (the line rules on ADOQ_Shtat_rasp); the department row change on ADOQ_Kafedra is its own.
class TDM_shtat : public QObject
{
    Q_OBJECT

public:
    explicit TDM_shtat(QObject* parent = nullptr);

    // The statement of ADOQ_Otdel_1 that lists the level-1 divisions in use.
    static QString divisionsInUseStatement();

    // Opens the connection and the datasets in their fixed order; the first failure is raised.
    void OpenDataSets();

    // Keeps the open copy-and-removal dialog on the current department; does nothing while none is open.
    void ADOQ_KafedraAfterScroll(Dataset& dataSet);

    Connection ADO_Shtat;

    Dataset ADOQ_Shtat_rasp;
    Dataset ADOQ_Teacher;
    Dataset ADOQ_Otdel_1;
    Dataset ADOQOtdel_2;
    Dataset ADOQ_Stavka;
    Dataset ADOQ_Working;
    Dataset ADOQ_Faculty;
    Dataset ADOQ_Kafedra;
    Dataset ADOQ_t_fio;
    Dataset ADOQ_post;
    Dataset ADOQ_VUZ;
    Dataset ADOQ_Otdel_11;
    Dataset ADOQ_Insert_id_Otdel_11;
    Dataset ADOQ_Enter;
    Dataset ADOQ_Deduce;
    Dataset ADOT_Structure;
    Dataset ADOT_BK;
    Dataset ADOQ_Exec;
    Dataset ADOQ_Temp;
    // The chosen unit's lines as they stood on a past date: read only, beside the schedule itself.
    Dataset ADOQ_Shtat_asOf;

    DataSource DS_Shtat_rasp;
    DataSource DS_Otdel_1;
    DataSource DS_Otdel_2;
    DataSource DS_Otdel_11;
    DataSource DS__Faculty;
    DataSource DS_Kafedra;
    DataSource DS_Post;
    DataSource DS_Shtat_asOf;

private:
    QList<FieldDef> scheduleFields();
    void defineFacultyFields();
    void defineStavkaFields();
    void defineWorkingFields();
};

} // namespace zeb
