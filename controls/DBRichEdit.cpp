#include "controls/DBRichEdit.h"

#include "data/module/DataSource.h"
#include "data/dataset/Dataset.h"
#include "platform/seam/ErrorDisplayApplication.h"
#include "data/dataset/Field.h"

#include <QScopedValueRollback>

namespace zeb {

DBRichEdit::DBRichEdit(QWidget* parent) : QTextEdit(parent)
{
    setAcceptRichText(false);
    setReadOnly(true);
    connect(this, &QTextEdit::textChanged, this, &DBRichEdit::writeField);
}

void DBRichEdit::setDataSource(DataSource* source, const QString& fieldName)
{
    for (const QMetaObject::Connection& connection : std::as_const(m_connections))
        disconnect(connection);
    m_connections.clear();
    m_bound = source ? source->dataSet() : nullptr;
    m_fieldName = fieldName;
    if (m_bound) {
        m_connections = {
            connect(m_bound, &Dataset::layoutReset, this, &DBRichEdit::showField),
            connect(m_bound, &Dataset::currentRowChanged, this, &DBRichEdit::showField),
            connect(m_bound, &Dataset::rowChanged, this, &DBRichEdit::showField),
            connect(m_bound, &Dataset::stateChanged, this, &DBRichEdit::showField),
        };
    }
    showField();
}

// The text is replaced only when it differs, so that moving the cursor or echoing typed text leaves it be.
void DBRichEdit::showField()
{
    if (m_busy)
        return;
    const Field* field = m_bound && m_bound->isActive() ? m_bound->findField(m_fieldName) : nullptr;
    if (isReadOnly() != !field)
        setReadOnly(!field);
    const QString text = field ? field->asString() : QString();
    if (text == toPlainText())
        return;
    const QScopedValueRollback busy(m_busy, true);
    setPlainText(text);
}

void DBRichEdit::writeField()
{
    if (m_busy || !m_bound)
        return;
    try {
        const QScopedValueRollback busy(m_busy, true);
        m_bound->edit();
        m_bound->fieldByName(m_fieldName)->setAsString(toPlainText());
    } catch (const std::exception& error) {
        showUnhandledError(error);
    }
    // A refused edit shows the field's value again.
    showField();
}

} // namespace zeb
