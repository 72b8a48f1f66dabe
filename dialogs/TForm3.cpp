#include "TForm3.h"

#include "DBGridEh.h"
#include "DBLookupComboBox.h"
#include "DBNavigator.h"
#include "DataModule.h"
#include "ErrorDisplayApplication.h"
#include "Platform.h"
#include "ReferenceDialog.h"
#include "ScreenPlace.h"
#include "SharedLists.h"
#include "TForm6.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QScopeGuard>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <array>

namespace zeb {

namespace {

const QList<NavigatorButton> allButtons = {NavigatorButton::Insert, NavigatorButton::Delete,
                                           NavigatorButton::Edit, NavigatorButton::Post,
                                           NavigatorButton::Cancel};

GridColumn column(const QString& field, const QString& title, int width)
{
    GridColumn column;
    column.fieldName = field;
    column.title = title;
    column.width = width;
    return column;
}

DBGridEh* directoryGrid(QWidget* page, const QString& name, DataSource& source,
                        const QList<GridColumn>& columns)
{
    auto* grid = named(new DBGridEh(page), name);
    grid->setColumns(columns);
    grid->setDataSource(&source);
    grid->setAlwaysShowEditor(true);
    return grid;
}

DBNavigator* navigator(QWidget* page, const QString& name, DataSource& source,
                       const QList<NavigatorButton>& buttons)
{
    auto* bar = named(new DBNavigator(page), name);
    bar->setVisibleButtons(buttons);
    bar->setDataSource(&source);
    bar->setFixedHeight(25);
    return bar;
}

// A page whose grid fills it above a navigator bar along the bottom edge.
QWidget* gridPage(const QString& name, DBGridEh*& grid, DBNavigator*& bar, DataSource& source,
                  const QString& gridName, const QList<GridColumn>& columns, const QString& barName)
{
    auto* page = named(new QWidget, name);
    grid = directoryGrid(page, gridName, source, columns);
    bar = navigator(page, barName, source, allButtons);
    bar->setKeyboardTarget(grid);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(grid);
    layout->addWidget(bar);
    return page;
}

} // namespace

TForm3::TForm3(TDM_shtat& dataModule, const DBLookupComboBox& facultySelector, SessionIdentity identity,
               QWidget* parent)
    : QDialog(parent, referenceDialogFlags), m_dataModule(dataModule), m_facultySelector(facultySelector),
      m_identity(std::move(identity))
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Form3"));
    setFont(dialogFont());
    setFixedSize(356, 372);
    move(524, 268);

    // The tab row is hidden, so the panel starts at the top of the client area.
    Panel1 = named(new QWidget(this), QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 0, 357, 372);
    PageControl1 = named(new QTabWidget(Panel1), QStringLiteral("PageControl1"));
    PageControl1->tabBar()->hide();
    PageControl1->setDocumentMode(true);
    PageControl1->setGeometry(0, 0, 357, 372);
    PageControl1->addTab(createPostPage(), QStringLiteral("Post"));
    PageControl1->addTab(createDepartmentPage(), QStringLiteral("Kafedra"));
    PageControl1->addTab(createDivisionPage(), QStringLiteral("Otdel_1"));
    PageControl1->addTab(createFacultyPage(), QStringLiteral("Faculty"));
}

QWidget* TForm3::createPostPage()
{
    TabSheet1 = gridPage(QStringLiteral("TabSheet1"), DBGridEh1, DBNavigator1, m_dataModule.DS_Post,
                         QStringLiteral("DBGridEh1"),
                         {column(QStringLiteral("post"), QStringLiteral("Должность"), 343)},
                         QStringLiteral("DBNavigator1"));
    return TabSheet1;
}

QWidget* TForm3::createDepartmentPage()
{
    TabSheet2 = named(new QWidget, QStringLiteral("TabSheet2"));
    DBGridEh2 = directoryGrid(TabSheet2, QStringLiteral("DBGridEh2"), m_dataModule.DS_Kafedra,
                              {column(QStringLiteral("f1"), QStringLiteral("Кафедра"), 343)});
    DBGridEh2->onKeyDown = [this](QKeyEvent* event) { DBGridEh2KeyDown(*event); };
    // Departments are removed through the copy-and-removal dialog, which logs each removal.
    DBNavigator2 = navigator(
        TabSheet2, QStringLiteral("DBNavigator2"), m_dataModule.DS_Kafedra,
        {NavigatorButton::Insert, NavigatorButton::Edit, NavigatorButton::Post, NavigatorButton::Cancel});
    DBNavigator2->setFixedWidth(276);
    DBNavigator2->setKeyboardTarget(DBGridEh2);

    BitBtn1 = named(new QPushButton(QStringLiteral("-"), TabSheet2), QStringLiteral("BitBtn1"));
    BitBtn1->setFixedSize(68, 25);
    BitBtn1->setAutoDefault(false);
    BitBtn1->setToolTip(QStringLiteral("Копирование и удаление кафедр"));
    QFont large = BitBtn1->font();
    large.setPixelSize(19);
    BitBtn1->setFont(large);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm3::BitBtn1Click);

    auto* bottom = new QHBoxLayout;
    bottom->setContentsMargins(2, 2, 0, 2);
    bottom->setSpacing(0);
    bottom->addWidget(DBNavigator2);
    bottom->addWidget(BitBtn1);
    bottom->addStretch();
    auto* layout = new QVBoxLayout(TabSheet2);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(DBGridEh2);
    layout->addLayout(bottom);
    return TabSheet2;
}

QWidget* TForm3::createDivisionPage()
{
    TabSheet3 = gridPage(QStringLiteral("TabSheet3"), DBGridEh3, DBNavigator3, m_dataModule.DS_Otdel_1,
                         QStringLiteral("DBGridEh3"),
                         {column(QStringLiteral("Otdel_1"), QStringLiteral("Отдел"), 343)},
                         QStringLiteral("DBNavigator3"));
    return TabSheet3;
}

QWidget* TForm3::createFacultyPage()
{
    GridColumn institution = column(QStringLiteral("vuz"), QStringLiteral("ВУЗ"), 119);
    institution.dropDownWidth = 400;
    TS_Faculty = gridPage(QStringLiteral("TS_Faculty"), DBGridEh4, DBNavigator4, m_dataModule.DS__Faculty,
                          QStringLiteral("DBGridEh4"),
                          {column(QStringLiteral("p23-1"), QStringLiteral("Фак-т"), 84),
                           column(QStringLiteral("p23-2"), QStringLiteral("Фак-т2"), 183), institution},
                          QStringLiteral("DBNavigator4"));
    return TS_Faculty;
}

// Ctrl+Delete alone must not delete a department here: that takes the copy-and-removal dialog.
void TForm3::DBGridEh2KeyDown(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers modifiers =
        event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const bool ctrlDelete = event.key() == Qt::Key_Delete && modifiers == Qt::ControlModifier &&
                            QGuiApplication::mouseButtons() == Qt::NoButton;
    DBGridEh2->setReadOnly(ctrlDelete);
}

void TForm3::BitBtn1Click()
{
    TForm6 dialog(m_dataModule, m_identity, this);
    Form6 = &dialog;
    const auto forget = qScopeGuard([] { Form6 = nullptr; });
    Platform::instance().runModal(dialog);
    // Back in the list, not on the "-" button, where a Space would open the dialog again.
    DBGridEh2->setFocus(Qt::OtherFocusReason);
}

// The keyboard starts in the shown page's list.
void TForm3::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    keepOnScreen(*this);
    const std::array<DBGridEh*, 4> grids = {DBGridEh1, DBGridEh2, DBGridEh3, DBGridEh4};
    const int page = PageControl1->currentIndex();
    if (page >= 0 && page < int(grids.size()))
        grids[page]->setFocus(Qt::ActiveWindowFocusReason);
}

void TForm3::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TForm3::FormClose()
{
    guarded([this] { restoreSharedLists(m_dataModule, m_facultySelector.keyValue()); })();
    setWidths(369, 360, 359);
}

void TForm3::setWidths(int dialogWidth, int panelWidth, int pageControlWidth)
{
    setFixedWidth(dialogWidth);
    Panel1->resize(panelWidth, Panel1->height());
    PageControl1->resize(pageControlWidth, PageControl1->height());
}

} // namespace zeb
