#pragma once

#include "Connection.h"
#include "DataSource.h"
#include "Dataset.h"

#include <QObject>

namespace zeb {

// The program's data module: the one connection and every dataset and data source, by their names.
// Nothing is connected or opened until openDataSets runs after sign-in. Later layers bind the datasets'
// event hooks (the line rules on scheduleLines); the department row change on departments is its own.
class DataModule : public QObject
{
    Q_OBJECT

public:
    explicit DataModule(QObject* parent = nullptr);

    // The statement of divisions that lists the level-1 divisions in use.
    static QString divisionsInUseStatement();

    // Opens the connection and the datasets in their fixed order; the first failure is raised.
    void openDataSets();

    // Keeps the open copy-and-removal dialog on the current department; does nothing while none is open.
    void ADOQ_KafedraAfterScroll(Dataset& dataSet);

    Connection connection;

    Dataset scheduleLines;
    Dataset teachers;
    Dataset divisions;
    Dataset levelTwoDivisions;
    Dataset rates;
    Dataset placements;
    Dataset faculties;
    Dataset departments;
    Dataset personNames;
    Dataset posts;
    Dataset institution;
    Dataset subLevels;
    Dataset newSubLevelKey;
    Dataset entryKinds;
    Dataset withdrawalKinds;
    Dataset structureKinds;
    Dataset fundingSources;
    Dataset commands;
    Dataset scratch;
    // The chosen unit's lines as they stood on a past date: read only, beside the schedule itself.
    Dataset scheduleLinesAsOf;

    DataSource scheduleLinesSource;
    DataSource divisionsSource;
    DataSource levelTwoDivisionsSource;
    DataSource subLevelsSource;
    DataSource facultiesSource;
    DataSource departmentsSource;
    DataSource postsSource;
    DataSource scheduleLinesAsOfSource;

private:
    QList<FieldDef> scheduleFields();
    void defineFacultyFields();
    void defineStavkaFields();
    void defineWorkingFields();
};

} // namespace zeb
