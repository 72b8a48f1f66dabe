#include "DBNavigator.h"

#include "DataSource.h"
#include "Dataset.h"
#include "ErrorDisplayApplication.h"

#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

namespace zeb {

namespace {

// Drawn rather than taken from the style, which may have no such icon.
QIcon checkMark()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 128, 0), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
    painter.end();
    return QIcon(pixmap);
}

} // namespace

DBNavigator::DBNavigator(QWidget* parent) : QWidget(parent), m_post(new QToolButton(this))
{
    m_post->setObjectName(QStringLiteral("PostButton"));
    m_post->setToolTip(QStringLiteral("Сохранить"));
    m_post->setIcon(checkMark());
    m_post->setCursor(Qt::PointingHandCursor);
    m_post->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_post->setEnabled(false);
    setCursor(Qt::PointingHandCursor);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_post);
    connect(m_post, &QToolButton::clicked, this, &DBNavigator::post);
}

void DBNavigator::setDataSource(DataSource* source)
{
    m_source = source;
    disconnect(m_stateConnection);
    m_bound = source ? source->dataSet() : nullptr;
    if (m_bound)
        m_stateConnection = connect(m_bound, &Dataset::stateChanged, this, &DBNavigator::updateButton);
    updateButton();
}

void DBNavigator::updateButton()
{
    const bool editing =
        m_bound && (m_bound->state() == Dataset::State::Edit || m_bound->state() == Dataset::State::Insert);
    m_post->setEnabled(editing);
}

void DBNavigator::post()
{
    if (!m_bound)
        return;
    try {
        m_bound->post();
    } catch (const std::exception& error) {
        showUnhandledError(error);
    }
}

} // namespace zeb
