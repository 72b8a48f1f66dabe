#pragma once

#include "dialogs/SessionIdentity.h"

#include <QDialog>
#include <functional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zeb {

class DBLookupListBox;
class DataModule;
class Dataset;

// Copies one department's schedule onto another and removes departments, each removal with its row in
// the audit log. The list is the departments dataset itself: its current row is the dialog's source.
class DepartmentCopyDialog : public QDialog
{
    Q_OBJECT

public:
    DepartmentCopyDialog(DataModule& dataModule, SessionIdentity identity, QWidget* parent = nullptr);
    ~DepartmentCopyDialog() override;

    // The department to copy from (shown in the "Запись" group) and the one to copy onto (shown in the
    // target box); 0 for none.
    qint64 sourceId() const { return m_sourceId; }
    qint64 targetId() const { return m_targetId; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createControls();
    void takeCurrentDepartment();
    void showCurrentDepartment();
    void followDepartment(const Dataset& departments);
    void takeTarget();
    void updateCopyButton();
    void copySchedule();
    void removeDepartments();
    qint64 currentId() const;

    QLabel* m_listTitle;
    DBLookupListBox* m_departmentList;
    QGroupBox* m_sourceGroup;
    QLabel* m_sourceName;
    QPushButton* m_removeButton;
    QPushButton* m_copyButton;
    QGroupBox* m_targetGroup;
    QLineEdit* m_targetEdit;

    DataModule& m_dataModule;
    SessionIdentity m_identity;
    qint64 m_sourceId = 0;
    qint64 m_targetId = 0;
    std::function<void(Dataset&)> m_previousAfterScroll;
};

} // namespace zeb
