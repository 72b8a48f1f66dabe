#pragma once

#include <QList>
#include <QPointer>
#include <QTextEdit>

namespace zeb {

class DataSource;
class Dataset;

// A note editor bound to a text field of the current row. Typing puts the row into edit state and writes
// the plain text into the field; moving to another row shows that row's note.
class DBRichEdit : public QTextEdit
{
    Q_OBJECT

public:
    explicit DBRichEdit(QWidget* parent = nullptr);

    void setDataSource(DataSource* source, const QString& fieldName);

private:
    void showField();
    void writeField();

    QPointer<Dataset> m_bound;
    QList<QMetaObject::Connection> m_connections;
    QString m_fieldName;
    // Set while the editor shows or writes the field, so that neither echoes into the other.
    bool m_busy = false;
};

} // namespace zeb
