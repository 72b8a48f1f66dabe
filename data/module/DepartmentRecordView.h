#pragma once

#include <QString>

namespace zeb {

// What the department row-change rule reaches of the open department copy-and-removal dialog.
class DepartmentRecordView
{
public:
    // Takes the current department as the dialog's source.
    virtual void showCurrentDepartment() = 0;
    virtual void setRecordGroupCaption(const QString& caption) = 0;

protected:
    ~DepartmentRecordView() = default;
};

// The copy-and-removal dialog while it is shown, null otherwise.
extern DepartmentRecordView* Form6;

} // namespace zeb
