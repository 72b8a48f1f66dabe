#include "schedule/menu/SelectionLists.h"

#include "data/module/DataModule.h"

namespace zeb {

void refreshSelectionLists(DataModule& dataModule)
{
    for (Dataset* list : {&dataModule.divisions, &dataModule.subLevels, &dataModule.faculties,
                          &dataModule.departments, &dataModule.levelTwoDivisions, &dataModule.posts}) {
        list->close();
        list->open();
    }
    dataModule.posts.sort(QStringLiteral("post"));
    dataModule.divisions.sort(QStringLiteral("Otdel_1"));
    dataModule.subLevels.sort(QStringLiteral("Otdel_1"));
    dataModule.faculties.sort(QStringLiteral("[p23-1]"));
    dataModule.departments.sort(QStringLiteral("f1"));
}

} // namespace zeb
