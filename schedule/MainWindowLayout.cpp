#include "controls/DBGridEh.h"
#include "controls/DBGridFooter.h"
#include "controls/DBLookupComboBox.h"
#include "controls/DBNavigator.h"
#include "controls/DBRichEdit.h"
#include "data/module/DataModule.h"
#include "schedule/MainWindow.h"
#include "schedule/SelectorRowLayout.h"
#include "schedule/grid/ScheduleColumns.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStackedWidget>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace zeb {

namespace {

const QColor silver(0xC0, 0xC0, 0xC0);
const QColor white(0xFF, 0xFF, 0xFF);

QFont courierNew(int pixelSize)
{
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(pixelSize);
    return font;
}

template <typename Widget> Widget* named(Widget* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

// A selector gives up width on a narrow window, but keeps room for its title above it and for a name.
constexpr int selectorMinimumWidth = 120;

QLabel* label(SelectorRowLayout* row, const QString& name, const QString& text, int left, int top)
{
    auto* label = named(new QLabel(text, row->parentWidget()), name);
    label->adjustSize();
    row->addControl(label, QRect(QPoint(left, top), label->size()));
    return label;
}

DBLookupComboBox* selector(SelectorRowLayout* row, const QLabel* title, const QString& name,
                           DBLookupComboBox::Style style, int left, int width, int dropDownWidth)
{
    auto* box = named(new DBLookupComboBox(style, row->parentWidget()), name);
    box->setDropDownBoxWidth(dropDownWidth);
    row->addShrinkingControl(box, QRect(left, 21, width, 24), qMax(selectorMinimumWidth, title->width()));
    return box;
}

QToolButton* plusButton(SelectorRowLayout* row, const QString& name, int left)
{
    auto* button = named(new QToolButton(row->parentWidget()), name);
    button->setText(QStringLiteral("+"));
    button->setToolTip(QStringLiteral("Добавить отдел второго уровня"));
    row->addControl(button, QRect(left, 24, 17, 17));
    return button;
}

} // namespace

void MainWindow::createControls()
{
    resize(1014, 501);
    createMenu();
    setFont(courierNew(13));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, silver);
    setPalette(palette);
    setAutoFillBackground(true);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_unitTabs = named(new QTabBar(central), QStringLiteral("TabSet1"));
    m_unitTabs->addTab(QStringLiteral("Отделы"));
    m_unitTabs->addTab(QStringLiteral("Факультеты"));
    m_unitTabs->setDrawBase(false);
    m_unitTabs->setExpanding(false);
    m_unitTabs->setFixedHeight(21);
    m_unitTabs->setFocusPolicy(Qt::TabFocus);
    layout->addWidget(m_unitTabs);

    m_selectorPages = named(new QStackedWidget(central), QStringLiteral("Notebook1"));
    m_selectorPages->setFixedHeight(49);
    // Made inside the page panel, so that the labels measure themselves in the window's font.
    m_selectorPages->addWidget(createDivisionsPage());
    m_selectorPages->addWidget(createFacultiesPage());
    layout->addWidget(m_selectorPages);

    createGrid();
    createLineHistoryAction();
    layout->addWidget(m_grid, 1);
    createGridFooter();
    layout->addWidget(createAsOfRow(m_gridFooter));
    layout->addWidget(createNotePanel());
    setCentralWidget(central);
    connectNavigation();
    connectAddButtons();
    connectVacancies();
}

QWidget* MainWindow::createDivisionsPage()
{
    auto* page = named(new QWidget(m_selectorPages), QStringLiteral("Default"));
    auto* row = new SelectorRowLayout(page);
    m_divisionTitle = label(row, QStringLiteral("Label2"), QStringLiteral("Отдел первого уровня:"), 5, 2);
    m_divisionSelector = selector(row, m_divisionTitle, QStringLiteral("DBLookupComboboxEh_Otdel_1"),
                                  DBLookupComboBox::Style::Plain, 8, 383, 550);
    m_divisionSelector->setColor(white);
    m_divisionSelector->setListSource(&m_dataModule.divisionsSource, QStringLiteral("id_otdel_1"),
                                      QStringLiteral("otdel_1"));
    m_addDivisionButton = plusButton(row, QStringLiteral("Button4"), 395);
    m_subLevelTitle = label(row, QStringLiteral("Label3"), QStringLiteral("Подуровень:"), 433, 2);
    m_subLevelSelector = selector(row, m_subLevelTitle, QStringLiteral("DBLookupComboboxEh_Otdel_11"),
                                  DBLookupComboBox::Style::EditStyle, 434, 330, 550);
    m_subLevelSelector->setListSource(&m_dataModule.subLevelsSource, QStringLiteral("id_otdel_1"),
                                      QStringLiteral("otdel_1"));
    setSelectorState(m_subLevelSelector, false);
    m_addSubLevelButton = plusButton(row, QStringLiteral("Button2"), 768);
    return page;
}

QWidget* MainWindow::createFacultiesPage()
{
    auto* page = named(new QWidget(m_selectorPages), QStringLiteral("Second"));
    auto* row = new SelectorRowLayout(page);
    m_facultyTitle = label(row, QStringLiteral("Label4"), QStringLiteral("Факультет:"), 4, 3);
    m_facultySelector = selector(row, m_facultyTitle, QStringLiteral("DBLookupComboboxEh_Faculty"),
                                 DBLookupComboBox::Style::Plain, 8, 259, 0);
    m_facultySelector->setColor(white);
    m_facultySelector->setListSource(&m_dataModule.facultiesSource, QStringLiteral("id_faculty"),
                                     QStringLiteral("p23-1"));
    // Abbreviations alone are easily mistaken: the list shows each faculty's full name beside.
    m_facultySelector->setDetailField(QStringLiteral("p23-2"));
    m_levelTwoTitle = label(row, QStringLiteral("Label5"), QStringLiteral("Отдел второго уровня:"), 275, 2);
    m_levelTwoSelector = selector(row, m_levelTwoTitle, QStringLiteral("DBLookupComboboxEh_Otdel_2"),
                                  DBLookupComboBox::Style::EditStyle, 272, 330, 550);
    m_levelTwoSelector->setListSource(&m_dataModule.levelTwoDivisionsSource, QStringLiteral("id_otdel_2"),
                                      QStringLiteral("otdel_1"));
    setSelectorState(m_levelTwoSelector, false);
    m_addLevelTwoButton = plusButton(row, QStringLiteral("Button1"), 608);
    m_departmentTitle = label(row, QStringLiteral("Label1"), QStringLiteral("Кафедра:"), 633, 2);
    m_departmentSelector = selector(row, m_departmentTitle, QStringLiteral("DBLookupComboboxEh_Kafedra"),
                                    DBLookupComboBox::Style::EditStyle, 632, 330, 600);
    m_departmentSelector->setListSource(&m_dataModule.departmentsSource, QStringLiteral("id_kafedra"),
                                        QStringLiteral("f1"));
    setSelectorState(m_departmentSelector, false);
    m_addDepartmentButton = plusButton(row, QStringLiteral("Button3"), 968);
    return page;
}

void MainWindow::createGrid()
{
    m_grid = named(new DBGridEh, QStringLiteral("DBGridEh1"));
    m_grid->setFont(courierNew(13));
    m_grid->setDataSource(&m_dataModule.scheduleLinesSource);
    QList<GridColumn> columns = scheduleGridColumns();
    bindColumnQuestions(columns);
    m_grid->setColumns(columns);
    m_grid->onEnter = [this] { gridEntered(); };
    m_grid->onExit = [this] { gridLeft(); };
    m_grid->onKeyPress = [this](QChar& key) { gridKeyPressed(key); };
    m_grid->onColEnter = [this] { gridColumnEntered(); };
    m_grid->onCellClick = [this](int column) { gridCellClicked(column); };
    m_grid->setEnabled(false);
}

void MainWindow::createGridFooter()
{
    m_gridFooter = named(new DBGridFooter, QStringLiteral("DBGridEh1Footer"));
    m_gridFooter->setCaption(QStringLiteral("Итого:"));
    const QList<GridColumn>& columns = m_grid->columns();
    m_gridFooter->setGrid(
        m_grid, {columns[ScheduleColumn::Units].fieldName, columns[ScheduleColumn::HourFund].fieldName});
}

QWidget* MainWindow::createNotePanel()
{
    m_notePanel = named(new QWidget, QStringLiteral("Panel2"));
    m_notePanel->setFixedHeight(67);
    auto* layout = new QHBoxLayout(m_notePanel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* panel3 = named(new QWidget(m_notePanel), QStringLiteral("Panel3"));
    auto* noteLayout = new QVBoxLayout(panel3);
    noteLayout->setContentsMargins(0, 0, 0, 0);
    noteLayout->setSpacing(0);
    m_noteTitle = named(new QLabel(QStringLiteral("Примечание:"), panel3), QStringLiteral("Label6"));
    m_noteTitle->setFont(courierNew(15));
    // The note's title row also says, while the grid shows a past day, since when the lines' history is kept.
    auto* titleRow = new QHBoxLayout;
    titleRow->setContentsMargins(0, 0, 4, 0);
    titleRow->addWidget(m_noteTitle);
    titleRow->addStretch(1);
    m_historyStart->setParent(panel3);
    titleRow->addWidget(m_historyStart);
    noteLayout->addLayout(titleRow);
    m_noteEditor = named(new DBRichEdit(panel3), QStringLiteral("DBRichEdit1"));
    m_noteEditor->setDataSource(&m_dataModule.scheduleLinesSource, QStringLiteral("descr"));
    QPalette notePalette = m_noteEditor->palette();
    notePalette.setColor(QPalette::Base, notePalette.color(QPalette::ToolTipBase));
    m_noteEditor->setPalette(notePalette);
    noteLayout->addWidget(m_noteEditor, 1);
    layout->addWidget(panel3, 1);

    auto* panel4 = named(new QWidget(m_notePanel), QStringLiteral("Panel4"));
    panel4->setFixedWidth(49);
    m_navigator = named(new DBNavigator(panel4), QStringLiteral("DBNavigator1"));
    m_navigator->setGeometry(7, 16, 37, 49);
    m_navigator->setDataSource(&m_dataModule.scheduleLinesSource);
    layout->addWidget(panel4);
    return m_notePanel;
}

} // namespace zeb
