#include "controls/FindTextDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zeb {

FindTextDialog::FindTextDialog(QWidget* parent)
    : QDialog(parent), m_text(new QLineEdit(this)),
      m_allColumns(new QRadioButton(QStringLiteral("All columns"))),
      m_currentColumn(new QRadioButton(QStringLiteral("Current column"))),
      m_matchCase(new QCheckBox(QStringLiteral("Match case"), this)),
      m_wholeCell(new QCheckBox(QStringLiteral("Whole cell"), this))
{
    setObjectName(QStringLiteral("FindTextDialog"));
    setWindowTitle(QStringLiteral("Find text"));
    m_text->setObjectName(QStringLiteral("text"));
    m_allColumns->setObjectName(QStringLiteral("allColumns"));
    m_currentColumn->setObjectName(QStringLiteral("currentColumn"));
    m_matchCase->setObjectName(QStringLiteral("matchCase"));
    m_wholeCell->setObjectName(QStringLiteral("wholeCell"));
    m_allColumns->setChecked(true);

    auto* scope = new QGroupBox(QStringLiteral("Look in"), this);
    auto* scopeLayout = new QVBoxLayout(scope);
    scopeLayout->addWidget(m_allColumns);
    scopeLayout->addWidget(m_currentColumn);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Text to find:"), m_text);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(scope);
    layout->addWidget(m_matchCase);
    layout->addWidget(m_wholeCell);
    layout->addWidget(buttons);
}

QString FindTextDialog::text() const
{
    return m_text->text();
}

void FindTextDialog::setText(const QString& text)
{
    m_text->setText(text);
    m_text->selectAll();
}

bool FindTextDialog::allColumns() const
{
    return m_allColumns->isChecked();
}

void FindTextDialog::setAllColumns(bool all)
{
    (all ? m_allColumns : m_currentColumn)->setChecked(true);
}

bool FindTextDialog::matchCase() const
{
    return m_matchCase->isChecked();
}

void FindTextDialog::setMatchCase(bool on)
{
    m_matchCase->setChecked(on);
}

bool FindTextDialog::wholeCell() const
{
    return m_wholeCell->isChecked();
}

void FindTextDialog::setWholeCell(bool on)
{
    m_wholeCell->setChecked(on);
}

bool FindTextDialog::matches(const QString& cellText) const
{
    const Qt::CaseSensitivity cs = matchCase() ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (wholeCell())
        return cellText.compare(text(), cs) == 0;
    return cellText.contains(text(), cs);
}

} // namespace zeb
