#include "dialogs/DirectoryEditor.h"

#include "controls/DBGridEh.h"
#include "controls/DBLookupComboBox.h"
#include "controls/DBNavigator.h"
#include "data/module/DataModule.h"
#include "data/rules/SalaryScaleRules.h"
#include "dialogs/DepartmentCopyDialog.h"
#include "dialogs/ReferenceDialog.h"
#include "dialogs/ScreenPlace.h"
#include "dialogs/SharedLists.h"
#include "platform/seam/ErrorDisplayApplication.h"
#include "platform/seam/Platform.h"

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

DirectoryEditor::DirectoryEditor(DataModule& dataModule, const DBLookupComboBox& facultySelector,
                                 SessionIdentity identity, QWidget* parent)
    : QDialog(parent, referenceDialogFlags), m_dataModule(dataModule), m_facultySelector(facultySelector),
      m_identity(std::move(identity))
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Form3"));
    setFont(dialogFont());
    setFixedSize(356, 372);
    move(524, 268);

    // The tab row is hidden, so the panel starts at the top of the client area.
    m_panel = named(new QWidget(this), QStringLiteral("Panel1"));
    m_panel->setGeometry(0, 0, 357, 372);
    m_pages = named(new QTabWidget(m_panel), QStringLiteral("PageControl1"));
    m_pages->tabBar()->hide();
    m_pages->setDocumentMode(true);
    m_pages->setGeometry(0, 0, 357, 372);
    m_pages->addTab(createPostPage(), QStringLiteral("Post"));
    m_pages->addTab(createDepartmentPage(), QStringLiteral("Kafedra"));
    m_pages->addTab(createDivisionPage(), QStringLiteral("Otdel_1"));
    m_pages->addTab(createFacultyPage(), QStringLiteral("Faculty"));
    m_pages->addTab(createSalaryScalePage(), QStringLiteral("Oklad"));
    m_salaryScaleRules = std::make_unique<SalaryScaleRules>(m_dataModule.salaryScale);
}

DirectoryEditor::~DirectoryEditor() = default;

QWidget* DirectoryEditor::createPostPage()
{
    m_postPage = gridPage(QStringLiteral("TabSheet1"), m_postGrid, m_postNavigator, m_dataModule.postsSource,
                          QStringLiteral("DBGridEh1"),
                          {column(QStringLiteral("post"), QStringLiteral("Должность"), 343)},
                          QStringLiteral("DBNavigator1"));
    return m_postPage;
}

QWidget* DirectoryEditor::createDepartmentPage()
{
    m_departmentPage = named(new QWidget, QStringLiteral("TabSheet2"));
    m_departmentGrid =
        directoryGrid(m_departmentPage, QStringLiteral("DBGridEh2"), m_dataModule.departmentsSource,
                      {column(QStringLiteral("f1"), QStringLiteral("Кафедра"), 343)});
    m_departmentGrid->onKeyDown = [this](QKeyEvent* event) { departmentGridKeyPressed(*event); };
    // Departments are removed through the copy-and-removal dialog, which logs each removal.
    m_departmentNavigator = navigator(
        m_departmentPage, QStringLiteral("DBNavigator2"), m_dataModule.departmentsSource,
        {NavigatorButton::Insert, NavigatorButton::Edit, NavigatorButton::Post, NavigatorButton::Cancel});
    m_departmentNavigator->setFixedWidth(276);
    m_departmentNavigator->setKeyboardTarget(m_departmentGrid);

    m_copyRemoveButton =
        named(new QPushButton(QStringLiteral("-"), m_departmentPage), QStringLiteral("BitBtn1"));
    m_copyRemoveButton->setFixedSize(68, 25);
    m_copyRemoveButton->setAutoDefault(false);
    m_copyRemoveButton->setToolTip(QStringLiteral("Копирование и удаление кафедр"));
    QFont large = m_copyRemoveButton->font();
    large.setPixelSize(19);
    m_copyRemoveButton->setFont(large);
    connect(m_copyRemoveButton, &QPushButton::clicked, this, &DirectoryEditor::showDepartmentCopyDialog);

    auto* bottom = new QHBoxLayout;
    bottom->setContentsMargins(2, 2, 0, 2);
    bottom->setSpacing(0);
    bottom->addWidget(m_departmentNavigator);
    bottom->addWidget(m_copyRemoveButton);
    bottom->addStretch();
    auto* layout = new QVBoxLayout(m_departmentPage);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_departmentGrid);
    layout->addLayout(bottom);
    return m_departmentPage;
}

QWidget* DirectoryEditor::createDivisionPage()
{
    m_divisionPage = gridPage(QStringLiteral("TabSheet3"), m_divisionGrid, m_divisionNavigator,
                              m_dataModule.divisionsSource, QStringLiteral("DBGridEh3"),
                              {column(QStringLiteral("Otdel_1"), QStringLiteral("Отдел"), 343)},
                              QStringLiteral("DBNavigator3"));
    return m_divisionPage;
}

QWidget* DirectoryEditor::createFacultyPage()
{
    GridColumn institution = column(QStringLiteral("vuz"), QStringLiteral("ВУЗ"), 119);
    institution.dropDownWidth = 400;
    m_facultyPage = gridPage(QStringLiteral("TS_Faculty"), m_facultyGrid, m_facultyNavigator,
                             m_dataModule.facultiesSource, QStringLiteral("DBGridEh4"),
                             {column(QStringLiteral("p23-1"), QStringLiteral("Фак-т"), 84),
                              column(QStringLiteral("p23-2"), QStringLiteral("Фак-т2"), 183), institution},
                             QStringLiteral("DBNavigator4"));
    return m_facultyPage;
}

QWidget* DirectoryEditor::createSalaryScalePage()
{
    GridColumn salary = column(QStringLiteral("oklad"), QStringLiteral("Оклад, руб."), 143);
    salary.alignment = Qt::AlignRight | Qt::AlignVCenter;
    GridColumn from = column(QStringLiteral("date_from"), QStringLiteral("Действует с"), 120);
    from.minimumText = QStringLiteral("00.00.0000");
    m_salaryScalePage =
        gridPage(QStringLiteral("TabOklad"), m_salaryScaleGrid, m_salaryScaleNavigator,
                 m_dataModule.salaryScaleSource, QStringLiteral("DBGridOklad"),
                 {column(QStringLiteral("razrad"), QStringLiteral("Разряд"), 80), from, salary},
                 QStringLiteral("DBNavigatorOklad"));
    return m_salaryScalePage;
}

// Ctrl+Delete alone must not delete a department here: that takes the copy-and-removal dialog.
void DirectoryEditor::departmentGridKeyPressed(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers modifiers =
        event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const bool ctrlDelete = event.key() == Qt::Key_Delete && modifiers == Qt::ControlModifier &&
                            QGuiApplication::mouseButtons() == Qt::NoButton;
    m_departmentGrid->setReadOnly(ctrlDelete);
}

void DirectoryEditor::showDepartmentCopyDialog()
{
    DepartmentCopyDialog dialog(m_dataModule, m_identity, this);
    Platform::instance().runModal(dialog);
    // Back in the list, not on the "-" button, where a Space would open the dialog again.
    m_departmentGrid->setFocus(Qt::OtherFocusReason);
}

// The keyboard starts in the shown page's list.
void DirectoryEditor::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    keepOnScreen(*this);
    const std::array<DBGridEh*, 5> grids = {m_postGrid, m_departmentGrid, m_divisionGrid, m_facultyGrid,
                                            m_salaryScaleGrid};
    const int page = m_pages->currentIndex();
    if (page >= 0 && page < int(grids.size()))
        grids[page]->setFocus(Qt::ActiveWindowFocusReason);
}

void DirectoryEditor::done(int result)
{
    restoreMainWindowLists();
    QDialog::done(result);
}

void DirectoryEditor::restoreMainWindowLists()
{
    showingErrors([this] { restoreSharedLists(m_dataModule, m_facultySelector.keyValue()); });
    setWidths(369, 360, 359);
}

void DirectoryEditor::showPage(Page page)
{
    m_pages->setCurrentIndex(page);
}

void DirectoryEditor::setWidths(int dialogWidth, int panelWidth, int pageControlWidth)
{
    setFixedWidth(dialogWidth);
    m_panel->resize(panelWidth, m_panel->height());
    m_pages->resize(pageControlWidth, m_pages->height());
}

} // namespace zeb
