#pragma once

#include "DepartmentRecordView.h"
#include "SessionIdentity.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zeb {

class DBLookupListBox;
class TDM_shtat;

// Copies one department's schedule onto another and removes departments, each removal with its row in
// the audit log. The list is the departments dataset itself: its current row is the dialog's source.
class TForm6 : public QDialog, public DepartmentRecordView
{
    Q_OBJECT

public:
    TForm6(TDM_shtat& dataModule, SessionIdentity identity, QWidget* parent = nullptr);

    void ShowCurrentKafedra() override;
    void setRecordGroupCaption(const QString& caption) override;

    // The department to copy from (shown by Label2) and the one to copy onto (shown by Edit1); 0 for none.
    qint64 sourceId() const { return m_sourceId; }
    qint64 targetId() const { return m_targetId; }

    QLabel* Label1;
    DBLookupListBox* DBLookupListBox1;
    QGroupBox* GroupBox2;
    QLabel* Label2;
    QPushButton* Button3;
    QPushButton* Button2;
    QGroupBox* GroupBox1;
    QLineEdit* Edit1;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createControls();
    void FormCreate();
    void DBLookupListBox1DblClick();
    void Edit1Change();
    void Button2Click();
    void Button3Click();
    qint64 currentId() const;

    TDM_shtat& m_dataModule;
    SessionIdentity m_identity;
    qint64 m_sourceId = 0;
    qint64 m_targetId = 0;
};

} // namespace zeb
