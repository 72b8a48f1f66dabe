#include "controls/DBGridFooter.h"

#include "controls/DBGridEh.h"

#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

namespace zeb {

DBGridFooter::DBGridFooter(QWidget* parent) : QWidget(parent)
{
    connect(&m_totals, &DatasetTotals::changed, this, qOverload<>(&QWidget::update));
}

void DBGridFooter::setGrid(DBGridEh* grid, const QStringList& fieldNames)
{
    if (m_grid) {
        m_grid->removeEventFilter(this);
        disconnect(m_grid->horizontalHeader(), nullptr, this, nullptr);
        disconnect(m_grid->verticalHeader(), nullptr, this, nullptr);
        disconnect(m_grid->horizontalScrollBar(), nullptr, this, nullptr);
    }
    m_grid = grid;
    m_totals.bind(grid ? grid->dataset() : nullptr, fieldNames);
    if (!grid)
        return;
    grid->installEventFilter(this);
    const auto repaint = qOverload<>(&QWidget::update);
    QHeaderView* header = grid->horizontalHeader();
    connect(header, &QHeaderView::sectionResized, this, repaint);
    connect(header, &QHeaderView::sectionCountChanged, this, repaint);
    connect(header, &QHeaderView::geometriesChanged, this, repaint);
    // The row indicator's width moves the columns.
    connect(grid->verticalHeader(), &QHeaderView::geometriesChanged, this, repaint);
    connect(grid->horizontalScrollBar(), &QScrollBar::valueChanged, this, repaint);
    followGridFont();
}

void DBGridFooter::setCaption(const QString& caption)
{
    m_caption = caption;
    update();
}

void DBGridFooter::setNote(const QString& note)
{
    m_note = note;
    update();
}

QString DBGridFooter::totalText(const QString& fieldName) const
{
    const qsizetype index = m_totals.fieldNames().indexOf(fieldName);
    return index < 0 ? QString() : m_totals.text(int(index));
}

int DBGridFooter::gridColumn(const QString& fieldName) const
{
    if (!m_grid)
        return -1;
    const QList<GridColumn>& columns = m_grid->columns();
    for (int column = 0; column < columns.size() && column < m_grid->horizontalHeader()->count(); ++column) {
        if (columns[column].fieldName.compare(fieldName, Qt::CaseInsensitive) == 0)
            return column;
    }
    return -1;
}

QRect DBGridFooter::totalCell(const QString& fieldName) const
{
    const int column = gridColumn(fieldName);
    if (column < 0)
        return {};
    const QHeaderView* header = m_grid->horizontalHeader();
    const QPoint left(header->sectionViewportPosition(column), 0);
    return QRect(mapFromGlobal(header->viewport()->mapToGlobal(left)).x(), 0, header->sectionSize(column),
                 height());
}

void DBGridFooter::followGridFont()
{
    setFont(m_grid->font());
    setFixedHeight(m_grid->verticalHeader()->defaultSectionSize());
    update();
}

bool DBGridFooter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grid) {
        // The grid fits its row height to a new font only after its filters have seen the change.
        if (event->type() == QEvent::FontChange)
            QMetaObject::invokeMethod(this, &DBGridFooter::followGridFont, Qt::QueuedConnection);
        else if (event->type() == QEvent::Move || event->type() == QEvent::Resize)
            update();
    }
    return QWidget::eventFilter(watched, event);
}

void DBGridFooter::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(0, 0, width() - 1, 0);
    painter.setPen(palette().color(QPalette::WindowText));

    struct Shown
    {
        QRect cell;
        QString text;
    };
    // Columns scrolled out to the left leave the caption its room.
    const int gridLeft = m_grid ? mapFromGlobal(m_grid->viewport()->mapToGlobal(QPoint(0, 0))).x() : 0;
    std::vector<Shown> shown;
    for (const QString& name : m_totals.fieldNames()) {
        const QRect cell = totalCell(name);
        if (!cell.isNull() && cell.right() >= gridLeft)
            shown.push_back({cell, totalText(name)});
    }
    std::sort(shown.begin(), shown.end(),
              [](const Shown& a, const Shown& b) { return a.cell.left() < b.cell.left(); });

    // A total too wide for its column reaches left over columns without one, and the caption gives way.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const QFontMetrics metrics = fontMetrics();
    int free = margin;
    int captionRight = width() - margin;
    for (const Shown& total : shown) {
        const int right = total.cell.right() - margin;
        const int left = qMax(free, right + 1 - metrics.horizontalAdvance(total.text));
        if (&total == &shown.front())
            captionRight = left - margin;
        painter.drawText(QRect(left, 1, right + 1 - left, height() - 1), Qt::AlignRight | Qt::AlignVCenter,
                         total.text);
        free = total.cell.right() + 1 + margin;
    }
    const QRect captionRoom(margin, 1, captionRight - margin, height() - 1);
    const QString caption = m_note.isEmpty() ? m_caption : m_caption + QLatin1Char(' ') + m_note;
    painter.drawText(captionRoom, Qt::AlignLeft | Qt::AlignVCenter,
                     metrics.elidedText(caption, Qt::ElideRight, captionRoom.width()));
}

} // namespace zeb
