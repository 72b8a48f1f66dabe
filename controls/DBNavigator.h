#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

class QToolButton;

namespace zeb {

class DataSource;
class Dataset;

// A navigator bar with the one button that saves the current row; available while the row is being
// edited or inserted.
class DBNavigator : public QWidget
{
    Q_OBJECT

public:
    explicit DBNavigator(QWidget* parent = nullptr);

    void setDataSource(DataSource* source);
    QToolButton* postButton() const { return m_post; }

private:
    void updateButton();
    void post();

    QToolButton* m_post;
    DataSource* m_source = nullptr;
    QPointer<Dataset> m_bound;
    QMetaObject::Connection m_stateConnection;
};

} // namespace zeb
