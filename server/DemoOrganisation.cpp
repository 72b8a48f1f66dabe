#include "server/DemoOrganisation.h"

#include "server/BaseData.h"
#include "server/NativeTable.h"

namespace zeb {

namespace {

enum Structure
{
    Teaching = 1, // ППС
    Support = 2,  // УВП
    Admin = 3,    // АУП
    Service = 4,  // ПОП
    Other = 5,    // Пр.
};

struct PostPlan
{
    const char* name;
    int structure;
    int grade;
};

// Post 1 must exist: the add-unit dialogs insert their placeholder lines with it.
const PostPlan postPlans[] = {
    {"Новая должность", Other, 1},
    {"Заведующий кафедрой", Teaching, 18},
    {"Профессор", Teaching, 17},
    {"Доцент", Teaching, 15},
    {"Старший преподаватель", Teaching, 13},
    {"Преподаватель", Teaching, 12},
    {"Ассистент", Teaching, 11},
    {"Декан", Teaching, 18},
    {"Заместитель декана", Teaching, 15},
    {"Ректор", Admin, 18},
    {"Проректор по учебной работе", Admin, 18},
    {"Проректор по научной работе", Admin, 18},
    {"Проректор по административно-хозяйственной работе", Admin, 17},
    {"Учёный секретарь", Admin, 14},
    {"Главный бухгалтер", Admin, 16},
    {"Заместитель главного бухгалтера", Admin, 14},
    {"Начальник отдела кадров", Admin, 14},
    {"Начальник учебного управления", Admin, 15},
    {"Начальник отдела", Admin, 13},
    {"Директор библиотеки", Admin, 14},
    {"Юрисконсульт", Admin, 11},
    {"Методист", Support, 9},
    {"Специалист по учебно-методической работе", Support, 10},
    {"Диспетчер факультета", Support, 8},
    {"Заведующий лабораторией", Support, 12},
    {"Инженер", Support, 10},
    {"Ведущий инженер", Support, 12},
    {"Программист", Support, 11},
    {"Старший лаборант", Support, 7},
    {"Лаборант", Support, 5},
    {"Учебный мастер", Support, 8},
    {"Бухгалтер", Service, 9},
    {"Экономист", Service, 10},
    {"Специалист по кадрам", Service, 9},
    {"Инспектор по кадрам", Service, 8},
    {"Документовед", Service, 8},
    {"Секретарь", Service, 6},
    {"Делопроизводитель", Service, 5},
    {"Архивариус", Service, 5},
    {"Библиотекарь", Service, 8},
    {"Главный библиотекарь", Service, 11},
    {"Библиограф", Service, 9},
    {"Водитель", Service, 5},
    {"Электромонтёр", Service, 5},
    {"Слесарь-сантехник", Service, 4},
    {"Уборщик служебных помещений", Service, 1},
    {"Гардеробщик", Service, 1},
    {"Вахтёр", Service, 2},
    {"Дворник", Service, 1},
    {"Научный сотрудник", Other, 13},
    {"Старший научный сотрудник", Other, 15},
};

struct SubLevelPlan
{
    const char* name;
    QList<DemoStaffing> staffing;
};

struct DivisionPlan
{
    const char* name;
    QList<DemoStaffing> staffing;
    QList<SubLevelPlan> subLevels;
    bool abolished;
};

QList<DivisionPlan> divisionPlans()
{
    return {
        {"Ректорат",
         {{"Ректор", 1, 1},
          {"Проректор по учебной работе", 1, 1},
          {"Проректор по научной работе", 1, 1},
          {"Проректор по административно-хозяйственной работе", 1, 1},
          {"Учёный секретарь", 1, 1}},
         {{"Приёмная ректора", {{"Секретарь", 1, 2}, {"Документовед", 1, 1}}},
          {"Канцелярия", {{"Делопроизводитель", 2, 3}, {"Архивариус", 1, 1}, {"Документовед", 0, 1}}}},
         false},
        {"Бухгалтерия",
         {{"Главный бухгалтер", 1, 1}, {"Заместитель главного бухгалтера", 1, 1}, {"Бухгалтер", 1, 2}},
         {{"Расчётная группа", {{"Бухгалтер", 2, 4}, {"Экономист", 0, 1}}},
          {"Группа учёта материальных ценностей", {{"Бухгалтер", 1, 2}}}},
         false},
        {"Отдел кадров",
         {{"Начальник отдела кадров", 1, 1},
          {"Специалист по кадрам", 2, 3},
          {"Инспектор по кадрам", 1, 2},
          {"Архивариус", 0, 1}},
         {},
         false},
        {"Учебное управление",
         {{"Начальник учебного управления", 1, 1}, {"Методист", 1, 2}},
         {{"Учебный отдел", {{"Начальник отдела", 1, 1}, {"Специалист по учебно-методической работе", 2, 3}}},
          {"Отдел лицензирования и аккредитации", {{"Начальник отдела", 1, 1}, {"Методист", 1, 2}}}},
         false},
        {"Научно-исследовательская часть",
         {{"Начальник отдела", 1, 1}, {"Экономист", 1, 1}, {"Документовед", 0, 1}},
         {{"Лаборатория прикладной информатики",
           {{"Заведующий лабораторией", 1, 1},
            {"Старший научный сотрудник", 1, 2},
            {"Научный сотрудник", 1, 3},
            {"Программист", 1, 2},
            {"Инженер", 0, 1}}},
          {"Отдел грантов и программ", {{"Начальник отдела", 1, 1}, {"Экономист", 1, 2}}}},
         false},
        {"Библиотека",
         {{"Директор библиотеки", 1, 1}, {"Главный библиотекарь", 1, 1}},
         {{"Отдел обслуживания читателей", {{"Библиотекарь", 3, 5}, {"Гардеробщик", 0, 1}}},
          {"Отдел комплектования", {{"Библиограф", 1, 2}, {"Библиотекарь", 1, 2}}}},
         false},
        {"Административно-хозяйственная часть",
         {{"Начальник отдела", 1, 1}, {"Инженер", 1, 1}},
         {{"Эксплуатационно-технический отдел",
           {{"Ведущий инженер", 1, 1}, {"Электромонтёр", 2, 3}, {"Слесарь-сантехник", 1, 2}}},
          {"Транспортный участок", {{"Водитель", 2, 4}}},
          {"Служба содержания зданий",
           {{"Уборщик служебных помещений", 4, 7},
            {"Вахтёр", 2, 4},
            {"Дворник", 1, 2},
            {"Гардеробщик", 1, 2}}}},
         false},
        {"Юридический отдел", {{"Начальник отдела", 1, 1}, {"Юрисконсульт", 1, 2}}, {}, false},
        {"Планово-финансовый отдел", {{"Начальник отдела", 1, 1}, {"Экономист", 2, 3}}, {}, false},
        {"Отдел заочного обучения", {{"Начальник отдела", 1, 1}, {"Методист", 1, 2}}, {}, true},
    };
}

struct FacultyPlan
{
    const char* shortName;
    const char* fullName;
    int vuz;
    QList<const char*> level2;
    QList<const char*> departments;
};

QList<FacultyPlan> facultyPlans()
{
    return {
        {"ФЭиУ",
         "Факультет экономики и управления",
         1,
         {"Деканат", "Учебная лаборатория экономики"},
         {"Кафедра экономической теории", "Кафедра менеджмента", "Кафедра бухгалтерского учёта и аудита",
          "Кафедра финансов и кредита", "Кафедра маркетинга"}},
        {"ФМиИ",
         "Факультет математики и информатики",
         1,
         {"Деканат", "Лаборатория вычислительной техники"},
         {"Кафедра высшей математики", "Кафедра прикладной математики",
          "Кафедра информатики и программирования", "Кафедра вычислительной техники"}},
        {"ФЕН",
         "Факультет естественных наук",
         1,
         {"Деканат", "Лаборатория физического практикума", "Лаборатория химического анализа"},
         {"Кафедра общей физики", "Кафедра неорганической химии", "Кафедра органической химии",
          "Кафедра биологии и экологии"}},
        {"ГФ",
         "Гуманитарный факультет",
         1,
         {"Деканат", "Методический кабинет"},
         {"Кафедра отечественной истории", "Кафедра философии", "Кафедра русского языка и литературы",
          "Кафедра иностранных языков"}},
        {"ЮФ",
         "Юридический факультет",
         1,
         {"Деканат", "Криминалистическая лаборатория"},
         {"Кафедра гражданского права", "Кафедра уголовного права и процесса",
          "Кафедра теории государства и права"}},
        {"ЗФ",
         "Заречный филиал",
         2,
         {"Деканат"},
         {"Кафедра общеобразовательных дисциплин", "Кафедра экономики и права"}},
    };
}

const QList<DemoStaffing> facultyStaffing = {
    {"Декан", 1, 1}, {"Заместитель декана", 1, 2}, {"Диспетчер факультета", 1, 1}};
const QList<DemoStaffing> deanOfficeStaffing = {
    {"Методист", 1, 2}, {"Специалист по учебно-методической работе", 0, 1}, {"Секретарь", 1, 1}};
const QList<DemoStaffing> laboratoryStaffing = {
    {"Заведующий лабораторией", 1, 1}, {"Инженер", 1, 2}, {"Лаборант", 1, 2}, {"Учебный мастер", 0, 1}};
const QList<DemoStaffing> departmentStaffing = {
    {"Заведующий кафедрой", 1, 1},
    {"Профессор", 1, 2},
    {"Доцент", 2, 5},
    {"Старший преподаватель", 1, 3},
    {"Преподаватель", 0, 2},
    {"Ассистент", 0, 2},
    {"Старший лаборант", 0, 1},
    {"Лаборант", 1, 1},
    {"Специалист по учебно-методической работе", 0, 1},
};

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// Otdel_1 holds divisions of every level; a name used by several faculties (a dean's office) is one row.
class DivisionNames
{
public:
    explicit DivisionNames(Engine& engine) : m_table(engine, QStringLiteral("Otdel_1")) {}

    qint64 idOf(const char* name)
    {
        const QString key = text(name);
        auto it = m_ids.constFind(key);
        if (it != m_ids.constEnd())
            return *it;
        const qint64 id = m_table.insert({QStringLiteral("otdel_1")}, {key}, QStringLiteral("id_otdel_1"));
        m_ids.insert(key, id);
        return id;
    }

private:
    NativeTable m_table;
    QHash<QString, qint64> m_ids;
};

void insertPosts(Engine& engine, DemoOrganisation& organisation)
{
    const NativeTable table(engine, QStringLiteral("post"));
    for (const PostPlan& plan : postPlans) {
        // The placeholder post comes with every installation as post 1.
        const bool placeholder = qstrcmp(plan.name, BaseData::placeholderPost()) == 0;
        const qint64 id = placeholder ? 1
                                      : table.insert({QStringLiteral("post")}, {text(plan.name)},
                                                     QStringLiteral("id_post"));
        organisation.posts.insert(text(plan.name), DemoPost{id, plan.structure, plan.grade});
    }
}

void insertDivisions(DivisionNames& divisions, DemoOrganisation& organisation)
{
    for (const DivisionPlan& plan : divisionPlans()) {
        DemoUnit division;
        division.otdel1 = divisions.idOf(plan.name);
        division.staffing = plan.staffing;
        division.abolished = plan.abolished;
        organisation.units.append(division);
        for (const SubLevelPlan& subPlan : plan.subLevels) {
            DemoUnit subLevel = division;
            subLevel.otdel11 = divisions.idOf(subPlan.name);
            subLevel.staffing = subPlan.staffing;
            organisation.units.append(subLevel);
        }
    }
}

void insertFaculties(Engine& engine, DivisionNames& divisions, DemoOrganisation& organisation)
{
    const NativeTable faculties(engine, QStringLiteral("Faculty"));
    const NativeTable departments(engine, QStringLiteral("Kafedra"));
    for (const FacultyPlan& plan : facultyPlans()) {
        DemoUnit faculty;
        faculty.faculty = faculties.insert(
            {QStringLiteral("p23-1"), QStringLiteral("p23-2"), QStringLiteral("id_vuz")},
            {text(plan.shortName), text(plan.fullName), plan.vuz}, QStringLiteral("id_faculty"));
        faculty.staffing = facultyStaffing;
        organisation.units.append(faculty);
        for (const char* name : plan.level2) {
            DemoUnit level2 = faculty;
            level2.otdel2 = divisions.idOf(name);
            level2.staffing = qstrcmp(name, "Деканат") == 0 ? deanOfficeStaffing : laboratoryStaffing;
            organisation.units.append(level2);
        }
        for (const char* name : plan.departments) {
            DemoUnit department = faculty;
            department.kafedra =
                departments.insert({QStringLiteral("f1")}, {text(name)}, QStringLiteral("id_kafedra"));
            department.staffing = departmentStaffing;
            organisation.units.append(department);
        }
    }
}

} // namespace

DemoOrganisation insertDemoOrganisation(Engine& engine)
{
    DemoOrganisation organisation;
    insertPosts(engine, organisation);
    DivisionNames divisions(engine);
    insertDivisions(divisions, organisation);
    insertFaculties(engine, divisions, organisation);
    return organisation;
}

} // namespace zeb
