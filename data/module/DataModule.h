#pragma once

#include "data/Connection.h"
#include "data/dataset/Dataset.h"
#include "data/module/DataSource.h"

#include <QObject>

namespace zeb {

// The program's data module: the one connection and every dataset and data source, by their names.
// Nothing is connected or opened until openDataSets runs after sign-in. Later layers bind the datasets'
// event hooks (the line rules on scheduleLines, the copy dialog on departments).
class DataModule : public QObject
{
    Q_OBJECT

public:
    explicit DataModule(QObject* parent = nullptr);

    // The statement of divisions that lists the level-1 divisions in use.
    static QString divisionsInUseStatement();
    // The salary scale by grade, then by the date each salary applies from.
    static QString salaryScaleStatement();

    // Opens the connection and the datasets in their fixed order; the first failure is raised.
    void openDataSets();

    // The login exactly as typed at sign-in; empty before a sign-in succeeded.
    const QString& sessionLogin() const { return m_sessionLogin; }
    void setSessionLogin(const QString& login) { m_sessionLogin = login; }

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
    // Monthly salaries by pay grade and date, opened by the directory editor's page.
    Dataset salaryScale;

    DataSource scheduleLinesSource;
    DataSource divisionsSource;
    DataSource levelTwoDivisionsSource;
    DataSource subLevelsSource;
    DataSource facultiesSource;
    DataSource departmentsSource;
    DataSource postsSource;
    DataSource scheduleLinesAsOfSource;
    DataSource salaryScaleSource;

private:
    QList<FieldDef> scheduleFields();
    void defineFacultyFields();
    void defineStavkaFields();
    void defineWorkingFields();
    void defineSalaryScaleFields();

    QString m_sessionLogin;
};

} // namespace zeb
