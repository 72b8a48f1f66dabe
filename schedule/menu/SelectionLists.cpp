#include "SelectionLists.h"

#include "DataModule.h"

namespace zeb {

void refreshSelectionLists(TDM_shtat& dataModule)
{
    for (Dataset* list : {&dataModule.ADOQ_Otdel_1, &dataModule.ADOQ_Otdel_11, &dataModule.ADOQ_Faculty,
                          &dataModule.ADOQ_Kafedra, &dataModule.ADOQOtdel_2, &dataModule.ADOQ_post}) {
        list->close();
        list->open();
    }
    dataModule.ADOQ_post.sort(QStringLiteral("post"));
    dataModule.ADOQ_Otdel_1.sort(QStringLiteral("Otdel_1"));
    dataModule.ADOQ_Otdel_11.sort(QStringLiteral("Otdel_1"));
    dataModule.ADOQ_Faculty.sort(QStringLiteral("[p23-1]"));
    dataModule.ADOQ_Kafedra.sort(QStringLiteral("f1"));
}

} // namespace zeb
