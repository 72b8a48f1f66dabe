#include "schedule/history/LineHistoryDialog.h"

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

QTableWidgetItem* cell(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

QString changeAuthor(const LineChange& change)
{
    // A deleted line's stamp names who saved it last, not who deleted it.
    if (change.kind == LineChange::Kind::Deleted || change.zebUser.isEmpty() ||
        change.zebUser.compare(change.dbLogin, Qt::CaseInsensitive) == 0)
        return change.dbLogin;
    return QStringLiteral("%1 (%2)").arg(change.zebUser, change.dbLogin);
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
    for (const LineChange& change : changes) {
        const int first = m_table->rowCount();
        const qsizetype rows = std::max<qsizetype>(change.columns.size(), 1);
        m_table->setRowCount(first + int(rows));
        m_table->setItem(first, When, cell(change.changed.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"))));
        m_table->setItem(first, Who, cell(changeAuthor(change)));
        m_table->setItem(first, What, cell(changeKindText(change.kind)));
        for (qsizetype i = 0; i < change.columns.size(); ++i) {
            const ColumnChange& column = change.columns[i];
            m_table->setItem(first + int(i), Title, cell(column.title));
            m_table->setItem(first + int(i), Before, cell(column.before));
            m_table->setItem(first + int(i), After, cell(column.after));
        }
    }
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setStretchLastSection(true);
    if (m_table->rowCount() > 0)
        m_table->setCurrentCell(0, When);
}

} // namespace zeb
