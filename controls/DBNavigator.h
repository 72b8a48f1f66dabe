#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>
#include <array>

class QHBoxLayout;
class QToolButton;

namespace zeb {

class DataSource;
class Dataset;

enum class NavigatorButton
{
    Insert,
    Delete,
    Edit,
    Post,
    Cancel,
};

// A navigator bar over a dataset: the chosen buttons side by side, sharing its width equally. Insert adds a
// row, Delete asks and deletes the current row, Edit starts editing it, Post saves and Cancel drops the edit.
// A button is available only when its command makes sense in the dataset's state. Errors of the dataset
// are shown through the platform's error display; Abort passes silently.
class DBNavigator : public QWidget
{
    Q_OBJECT

public:
    // Shows the Post button alone.
    explicit DBNavigator(QWidget* parent = nullptr);

    void setDataSource(DataSource* source);
    // The buttons shown, left to right in this order; a button named twice is shown once.
    void setVisibleButtons(const QList<NavigatorButton>& buttons);
    // Null when that button is not shown.
    QToolButton* button(NavigatorButton which) const;
    QToolButton* postButton() const { return button(NavigatorButton::Post); }
    // The control the keyboard goes to after each command (the grid the bar works for), so that what is
    // typed next goes into the line and not to a button that held the focus.
    void setKeyboardTarget(QWidget* target) { m_keyboardTarget = target; }

private:
    static constexpr int buttonCount = 5;

    QToolButton* makeButton(NavigatorButton which);
    void updateButtons();
    void run(NavigatorButton which);

    QHBoxLayout* m_layout;
    std::array<QToolButton*, buttonCount> m_buttons{};
    DataSource* m_source = nullptr;
    QPointer<Dataset> m_bound;
    QPointer<QWidget> m_keyboardTarget;
    QList<QMetaObject::Connection> m_connections;
};

} // namespace zeb
