#pragma once

#include "data/dataset/EditBuffer.h"
#include "platform/Error.h"
#include "data/dataset/FieldDef.h"
#include "data/dataset/KeyIndex.h"
#include "data/dataset/RowStore.h"

#include <QHash>
#include <QObject>
#include <functional>
#include <memory>
#include <vector>

namespace zeb {

class Connection;
class Field;
class WriteBack;

// A client-side snapshot of one statement's result with a current row. Rows are edited in a buffer and
// written back by key to the one table the statement reads; moving off an edited row saves it first.
class Dataset : public QObject
{
    Q_OBJECT

public:
    enum class State
    {
        Inactive,
        Browse,
        Edit,
        Insert,
    };

    enum class PostErrorAction
    {
        Fail,
        Abort,
    };

    Dataset(QString name, Connection* connection, QObject* parent = nullptr);
    ~Dataset() override;

    const QString& name() const { return m_name; }
    Connection* connection() const { return m_connection; }

    // Replacing the statement closes the dataset.
    void setSql(const QString& sql);
    const QString& sql() const { return m_sql; }
    // A table dataset reads every row and column of its table.
    void setTableName(const QString& table);
    const QString& tableName() const { return m_tableName; }
    // A fixed field list: exactly these fields, whatever the statement returns.
    void setFieldDefs(const QList<FieldDef>& defs);
    // Key column of write-back.
    void setKeyField(const QString& name) { m_keyField = name; }
    const QString& keyField() const { return m_keyField; }

    void open();
    void close();
    bool isActive() const { return m_state != State::Inactive; }
    // Runs the statement as one that returns no rows.
    qint64 execSql();

    int recordCount() const { return int(m_order.size()); }
    bool isEmpty() const { return m_order.empty(); }
    // Position of the current row in the shown order; -1 when there is none.
    int recNo() const { return m_position; }
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    void first();
    void last();
    void next();
    void prior();
    void moveTo(int position);
    bool locate(const QString& fieldName, const QVariant& value);
    QByteArray bookmark() const;
    void gotoBookmark(const QByteArray& bookmark);
    // The bookmark of any shown row, and the shown position of a bookmark (-1 when it is gone).
    QByteArray bookmarkAt(int position) const;
    int positionOf(const QByteArray& bookmark) const;

    int fieldCount() const { return int(m_fields.size()); }
    Field* field(int index) const { return m_fields[index].get(); }
    int fieldIndex(const QString& name) const;
    Field* findField(const QString& name) const;
    // Raises "Field '%s' not found" for an unknown name.
    Field* fieldByName(const QString& name) const;

    State state() const { return m_state; }
    bool isModified() const { return m_modified; }
    void edit();
    void insert();
    void append();
    void post();
    void cancel();
    void remove();
    // For a delete made by a statement of its own, inside the caller's transaction: raises DatabaseError
    // (changed or deleted by another workstation) unless the current row is stored as it was read, and
    // holds it so until the transaction ends.
    void lockCurrentRowUnchanged();

    // While disabled, views are not told of changes; enabling tells them everything at once.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_controlsDisabled > 0; }

    // Sorts the loaded rows ascending by one column, given plain or in brackets; the current row stays.
    void sort(const QString& column);
    // Shows only the loaded rows for whose shown position `keep` says true; the current row stays when kept,
    // otherwise the first row becomes current. Reopening shows every row again.
    void keepRows(const std::function<bool(int position)>& keep);

    // Bytes the loaded rows take, for measuring.
    qsizetype memoryUsage() const;

    // Cell of any shown row, the edit buffer for the row being edited.
    QVariant valueAt(int position, int fieldIndex) const;
    // The value of `resultField` in the first row whose `keyField` equals `key`; null when none.
    QVariant lookup(const QString& keyField, const QVariant& key, const QString& resultField);

    std::function<void(Dataset&)> beforePost;
    std::function<void(Dataset&)> afterEdit;
    std::function<void(Dataset&, const Error&, PostErrorAction&)> postError;
    // Throwing zeb::Abort cancels the delete silently.
    std::function<void(Dataset&)> beforeDelete;
    std::function<void(Dataset&)> afterScroll;

Q_SIGNALS:
    // A save is starting: bound controls write what they still hold (an open cell editor).
    void updatingRecord();
    void layoutReset();
    void rowChanged(int position);
    void rowInserted(int position);
    void rowRemoved(int position);
    void currentRowChanged(int position);
    void stateChanged();

private:
    friend class Field;

    QVariant valueAt(int position, const Field& field) const;
    // Whether valueAt() would be null, without building the value.
    bool isNullAt(int position, const Field& field) const;
    bool editsRow(int position) const;
    QVariant fieldValue(const Field& field) const;
    bool fieldIsNull(const Field& field) const;
    QVariant fieldOldValue(const Field& field) const;
    void setFieldValue(const Field& field, const QVariant& value);
    void setLookupValue(const Field& field, const QVariant& value);

    void checkActive() const;
    void checkBrowseMode();
    void checkEditing() const;
    void setState(State state);
    void setPosition(int position);
    void scrolled();
    void checkRequiredFields() const;
    void startInsert(int position);
    int currentStoreRow() const { return m_position < 0 ? -1 : m_order[size_t(m_position)]; }
    void loadRows();
    const KeyIndex* keyIndex(const QString& fieldName);
    // The stored row of the first shown row whose `keyField` holds the key; -1 when none.
    int lookupRow(const QString& keyField, const QVariant& key);
    // Per stored row the place of its shown text among the shown texts; -1 for NULL.
    std::vector<int> shownRanks(const Field& field);
    int positionOfRow(int row) const;
    void indexFields();
    void rowsReplaced();
    void notifyRow(int position);
    QVariantList storedRow(int row) const;
    WriteBack& writeBack();

    QString m_name;
    Connection* m_connection;
    QString m_sql;
    QString m_tableName;
    QString m_keyField;
    bool m_fixedFields = false;
    std::vector<std::unique_ptr<Field>> m_fields;
    // By name as defined, and by case-folded name.
    QHash<QString, int> m_fieldIndex;
    QHash<QString, int> m_foldedFieldIndex;

    RowStore m_store;
    std::vector<int> m_order;
    int m_position = -1;
    bool m_bof = true;
    bool m_eof = true;

    State m_state = State::Inactive;
    bool m_modified = false;
    // Over the stored row, which keeps what write-back expects the table to still hold until the save.
    EditBuffer m_edits;
    int m_controlsDisabled = 0;
    bool m_changedWhileDisabled = false;

    std::unique_ptr<WriteBack> m_writeBack;
    // By key field name as asked; forgotten when rows or their order change.
    QHash<QString, KeyIndex> m_keyIndex;
};

} // namespace zeb
