#include "data/dataset/Dataset.h"

#include <algorithm>

namespace zeb {

void Dataset::setPosition(int position)
{
    m_position = position;
    if (!controlsDisabled())
        Q_EMIT currentRowChanged(position);
}

void Dataset::scrolled()
{
    if (afterScroll)
        afterScroll(*this);
}

void Dataset::first()
{
    checkBrowseMode();
    setPosition(m_order.empty() ? -1 : 0);
    m_bof = true;
    m_eof = m_order.empty();
    scrolled();
}

void Dataset::last()
{
    checkBrowseMode();
    setPosition(int(m_order.size()) - 1);
    m_bof = m_order.empty();
    m_eof = true;
    scrolled();
}

void Dataset::next()
{
    checkBrowseMode();
    m_bof = false;
    if (m_position + 1 >= int(m_order.size())) {
        m_eof = true;
        return;
    }
    m_eof = false;
    setPosition(m_position + 1);
    scrolled();
}

void Dataset::prior()
{
    checkBrowseMode();
    m_eof = false;
    if (m_position <= 0) {
        m_bof = true;
        return;
    }
    m_bof = false;
    setPosition(m_position - 1);
    scrolled();
}

void Dataset::moveTo(int position)
{
    checkBrowseMode();
    if (position < 0 || position >= int(m_order.size()))
        return;
    m_bof = m_eof = false;
    if (position == m_position)
        return;
    setPosition(position);
    scrolled();
}

QByteArray Dataset::bookmark() const
{
    checkActive();
    return bookmarkAt(m_position);
}

void Dataset::gotoBookmark(const QByteArray& bookmark)
{
    checkBrowseMode();
    const int position = positionOf(bookmark);
    if (position < 0)
        throw Error(QStringLiteral("Запись не найдена: список обновился."));
    m_bof = m_eof = false;
    setPosition(position);
    scrolled();
}

QByteArray Dataset::bookmarkAt(int position) const
{
    if (position < 0 || position >= int(m_order.size()))
        return {};
    return QByteArray::number(m_order[size_t(position)]);
}

int Dataset::positionOf(const QByteArray& bookmark) const
{
    bool ok = false;
    const int row = bookmark.toInt(&ok);
    return ok ? positionOfRow(row) : -1;
}

int Dataset::positionOfRow(int row) const
{
    const auto found = std::find(m_order.begin(), m_order.end(), row);
    return row >= 0 && found != m_order.end() ? int(found - m_order.begin()) : -1;
}

} // namespace zeb
