#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace zeb {

// The grid's "Find text" dialog: what to look for, in which columns and how it must match.
class FindTextDialog : public QDialog
{
    Q_OBJECT

public:
    explicit FindTextDialog(QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);
    bool allColumns() const;
    void setAllColumns(bool all);
    bool matchCase() const;
    void setMatchCase(bool on);
    bool wholeCell() const;
    void setWholeCell(bool on);

    // Whether a cell's shown text matches the search.
    bool matches(const QString& cellText) const;

private:
    QLineEdit* m_text;
    QRadioButton* m_allColumns;
    QRadioButton* m_currentColumn;
    QCheckBox* m_matchCase;
    QCheckBox* m_wholeCell;
};

} // namespace zeb
