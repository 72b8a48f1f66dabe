#include "schedule/history/LineHistoryDialog.h"

#include <QColor>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zeb {

namespace {

enum Column : int
{
    When,
    Who,
    What,
    Title,
    Before,
    After,
    ColumnCount,
};

// Every other change on a shaded ground, so that the rows of one change read together.
QTableWidgetItem* cell(const QString& text, bool shaded)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (shaded)
        item->setBackground(QColor(0xee, 0xf1, 0xf6));
    return item;
}

} // namespace

QString changeAuthor(const LineChange& change)
{
    // A deleted line's stamp names who saved it last, not who deleted it.
    if (change.kind == LineChange::Kind::Deleted || change.zebUser.isEmpty() ||
        change.zebUser.compare(change.dbLogin, Qt::CaseInsensitive) == 0)
        return change.dbLogin;
    // The embedded engine's administrator is already named in brackets.
    const bool bracketed = change.dbLogin.startsWith(u'(') && change.dbLogin.endsWith(u')');
    return change.zebUser + u' ' + (bracketed ? change.dbLogin : u'(' + change.dbLogin + u')');
}

LineHistoryDialog::LineHistoryDialog(const QString& line, const QList<LineChange>& changes, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("LineHistoryDialog"));
    setWindowTitle(QStringLiteral("История строки"));
    m_title = new QLabel(changes.isEmpty()
                             ? QStringLiteral("Строка %1. Изменений не записано.").arg(line)
                             : QStringLiteral("Строка %1. Изменения, начиная с последнего:").arg(line),
                         this);
    m_title->setObjectName(QStringLiteral("LineHistoryTitle"));
    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->setObjectName(QStringLiteral("LineHistoryTable"));
    m_table->setHorizontalHeaderLabels(headings());
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Закрыть"));
    buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("LineHistoryClose"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_title);
    layout->addWidget(m_table, 1);
    layout->addWidget(buttons);
    fill(changes);
    resize(900, 480);
}

QStringList LineHistoryDialog::headings()
{
    return {QStringLiteral("Когда"), QStringLiteral("Кто"),  QStringLiteral("Изменение"),
            QStringLiteral("Графа"), QStringLiteral("Было"), QStringLiteral("Стало")};
}

// A change takes a row per column it concerns; its time, author and kind stand in the first.
void LineHistoryDialog::fill(const QList<LineChange>& changes)
{
    for (qsizetype n = 0; n < changes.size(); ++n) {
        const LineChange& change = changes[n];
        const bool shaded = n % 2 == 1;
        const int first = m_table->rowCount();
        const int rows = int(std::max<qsizetype>(change.columns.size(), 1));
        m_table->setRowCount(first + rows);
        for (int row = first; row < first + rows; ++row) {
            for (int column = 0; column < ColumnCount; ++column)
                m_table->setItem(row, column, cell({}, shaded));
        }
        m_table->item(first, When)->setText(change.changed.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")));
        m_table->item(first, Who)->setText(changeAuthor(change));
        m_table->item(first, What)->setText(changeKindText(change.kind));
        for (qsizetype i = 0; i < change.columns.size(); ++i) {
            const ColumnChange& column = change.columns[i];
            m_table->item(first + int(i), Title)->setText(column.title);
            m_table->item(first + int(i), Before)->setText(column.before);
            m_table->item(first + int(i), After)->setText(column.after);
        }
    }
    m_table->resizeColumnsToContents();
    m_table->resizeRowsToContents();
    m_table->horizontalHeader()->setStretchLastSection(true);
}

} // namespace zeb
