#include "controls/DBNavigator.h"

#include "data/module/DataSource.h"
#include "data/dataset/Dataset.h"
#include "controls/DrawnIcons.h"
#include "platform/seam/ErrorDisplayApplication.h"
#include "controls/RecordDeletion.h"

#include <QHBoxLayout>
#include <QToolButton>
#include <functional>

namespace zeb {

namespace {

struct ButtonLook
{
    const char16_t* objectName;
    const char16_t* toolTip;
    QIcon (*icon)();
};

// In the order of NavigatorButton.
const ButtonLook looks[] = {
    {u"InsertButton", u"Добавить запись", plusSign}, {u"DeleteButton", u"Удалить запись", minusSign},
    {u"EditButton", u"Изменить запись", upTriangle}, {u"PostButton", u"Сохранить", checkMark},
    {u"CancelButton", u"Отменить изменения", cross},
};
static_assert(std::size(looks) == size_t(NavigatorButton::Cancel) + 1);

} // namespace

DBNavigator::DBNavigator(QWidget* parent) : QWidget(parent), m_layout(new QHBoxLayout(this))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    setCursor(Qt::PointingHandCursor);
    setVisibleButtons({NavigatorButton::Post});
}

QToolButton* DBNavigator::button(NavigatorButton which) const
{
    return m_buttons[size_t(which)];
}

QToolButton* DBNavigator::makeButton(NavigatorButton which)
{
    const ButtonLook& look = looks[size_t(which)];
    auto* button = new QToolButton(this);
    button->setObjectName(QString::fromUtf16(look.objectName));
    button->setToolTip(QString::fromUtf16(look.toolTip));
    button->setIcon(look.icon());
    button->setCursor(Qt::PointingHandCursor);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    connect(button, &QToolButton::clicked, this, [this, which] { run(which); });
    return button;
}

void DBNavigator::setVisibleButtons(const QList<NavigatorButton>& buttons)
{
    while (m_layout->count() > 0)
        delete m_layout->takeAt(0);
    for (int i = 0; i < buttonCount; ++i) {
        if (m_buttons[size_t(i)] && !buttons.contains(NavigatorButton(i))) {
            delete m_buttons[size_t(i)];
            m_buttons[size_t(i)] = nullptr;
        }
    }
    for (const NavigatorButton which : buttons) {
        QToolButton*& button = m_buttons[size_t(which)];
        if (!button)
            button = makeButton(which);
        if (m_layout->indexOf(button) < 0)
            m_layout->addWidget(button, 1);
    }
    updateButtons();
}

void DBNavigator::setDataSource(DataSource* source)
{
    m_source = source;
    for (const QMetaObject::Connection& connection : std::as_const(m_connections))
        disconnect(connection);
    m_connections.clear();
    m_bound = source ? source->dataSet() : nullptr;
    if (m_bound) {
        // Counts and positions matter too: a delete in browse state changes no state.
        const auto update = [this] { updateButtons(); };
        m_connections = {
            connect(m_bound, &Dataset::stateChanged, this, update),
            connect(m_bound, &Dataset::layoutReset, this, update),
            connect(m_bound, &Dataset::rowInserted, this, update),
            connect(m_bound, &Dataset::rowRemoved, this, update),
            connect(m_bound, &Dataset::currentRowChanged, this, update),
        };
    }
    updateButtons();
}

void DBNavigator::updateButtons()
{
    const Dataset::State state = m_bound ? m_bound->state() : Dataset::State::Inactive;
    const bool active = state != Dataset::State::Inactive;
    const bool browsingRows = state == Dataset::State::Browse && !m_bound->isEmpty();
    const bool editing = state == Dataset::State::Edit || state == Dataset::State::Insert;
    const auto enable = [this](NavigatorButton which, bool on) {
        if (QToolButton* button = this->button(which))
            button->setEnabled(on);
    };
    enable(NavigatorButton::Insert, active);
    enable(NavigatorButton::Delete, browsingRows);
    enable(NavigatorButton::Edit, browsingRows);
    enable(NavigatorButton::Post, editing);
    enable(NavigatorButton::Cancel, editing);
}

void DBNavigator::run(NavigatorButton which)
{
    if (!m_bound)
        return;
    try {
        switch (which) {
        case NavigatorButton::Insert:
            m_bound->insert();
            break;
        case NavigatorButton::Delete:
            recorddeletion::askAndDelete(this, *m_bound);
            break;
        case NavigatorButton::Edit:
            m_bound->edit();
            break;
        case NavigatorButton::Post:
            m_bound->post();
            break;
        case NavigatorButton::Cancel:
            m_bound->cancel();
            break;
        }
    } catch (const std::exception& error) {
        showUnhandledError(error);
    }
    if (m_keyboardTarget && m_keyboardTarget->isEnabled() && m_keyboardTarget->isVisible())
        m_keyboardTarget->setFocus(Qt::OtherFocusReason);
}

} // namespace zeb
