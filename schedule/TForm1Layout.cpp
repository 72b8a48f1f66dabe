#include "DBGridEh.h"
#include "DBGridFooter.h"
#include "DBLookupComboBox.h"
#include "DBNavigator.h"
#include "DBRichEdit.h"
#include "DataModule.h"
#include "ScheduleColumns.h"
#include "SelectorRowLayout.h"
#include "TForm1.h"

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

void TForm1::createControls()
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

    TabSet1 = named(new QTabBar(central), QStringLiteral("TabSet1"));
    TabSet1->addTab(QStringLiteral("Отделы"));
    TabSet1->addTab(QStringLiteral("Факультеты"));
    TabSet1->setDrawBase(false);
    TabSet1->setExpanding(false);
    TabSet1->setFixedHeight(21);
    TabSet1->setFocusPolicy(Qt::TabFocus);
    layout->addWidget(TabSet1);

    Notebook1 = named(new QStackedWidget(central), QStringLiteral("Notebook1"));
    Notebook1->setFixedHeight(49);
    // Made inside the page panel, so that the labels measure themselves in the window's font.
    Notebook1->addWidget(createDivisionsPage());
    Notebook1->addWidget(createFacultiesPage());
    layout->addWidget(Notebook1);

    createGrid();
    layout->addWidget(DBGridEh1, 1);
    createGridFooter();
    layout->addWidget(createAsOfRow(DBGridEh1Footer));
    layout->addWidget(createNotePanel());
    setCentralWidget(central);
    connectNavigation();
    connectAddButtons();
}

QWidget* TForm1::createDivisionsPage()
{
    auto* page = named(new QWidget(Notebook1), QStringLiteral("Default"));
    auto* row = new SelectorRowLayout(page);
    Label2 = label(row, QStringLiteral("Label2"), QStringLiteral("Отдел первого уровня:"), 5, 2);
    DBLookupComboboxEh_Otdel_1 = selector(row, Label2, QStringLiteral("DBLookupComboboxEh_Otdel_1"),
                                          DBLookupComboBox::Style::Plain, 8, 383, 550);
    DBLookupComboboxEh_Otdel_1->setColor(white);
    DBLookupComboboxEh_Otdel_1->setListSource(&m_dataModule.DS_Otdel_1, QStringLiteral("id_otdel_1"),
                                              QStringLiteral("otdel_1"));
    Button4 = plusButton(row, QStringLiteral("Button4"), 395);
    Label3 = label(row, QStringLiteral("Label3"), QStringLiteral("Подуровень:"), 433, 2);
    DBLookupComboboxEh_Otdel_11 = selector(row, Label3, QStringLiteral("DBLookupComboboxEh_Otdel_11"),
                                           DBLookupComboBox::Style::EditStyle, 434, 330, 550);
    DBLookupComboboxEh_Otdel_11->setListSource(&m_dataModule.DS_Otdel_11, QStringLiteral("id_otdel_1"),
                                               QStringLiteral("otdel_1"));
    setSelectorState(DBLookupComboboxEh_Otdel_11, false);
    Button2 = plusButton(row, QStringLiteral("Button2"), 768);
    return page;
}

QWidget* TForm1::createFacultiesPage()
{
    auto* page = named(new QWidget(Notebook1), QStringLiteral("Second"));
    auto* row = new SelectorRowLayout(page);
    Label4 = label(row, QStringLiteral("Label4"), QStringLiteral("Факультет:"), 4, 3);
    DBLookupComboboxEh_Faculty = selector(row, Label4, QStringLiteral("DBLookupComboboxEh_Faculty"),
                                          DBLookupComboBox::Style::Plain, 8, 259, 0);
    DBLookupComboboxEh_Faculty->setColor(white);
    DBLookupComboboxEh_Faculty->setListSource(&m_dataModule.DS__Faculty, QStringLiteral("id_faculty"),
                                              QStringLiteral("p23-1"));
    // Abbreviations alone are easily mistaken: the list shows each faculty's full name beside.
    DBLookupComboboxEh_Faculty->setDetailField(QStringLiteral("p23-2"));
    Label5 = label(row, QStringLiteral("Label5"), QStringLiteral("Отдел второго уровня:"), 275, 2);
    DBLookupComboboxEh_Otdel_2 = selector(row, Label5, QStringLiteral("DBLookupComboboxEh_Otdel_2"),
                                          DBLookupComboBox::Style::EditStyle, 272, 330, 550);
    DBLookupComboboxEh_Otdel_2->setListSource(&m_dataModule.DS_Otdel_2, QStringLiteral("id_otdel_2"),
                                              QStringLiteral("otdel_1"));
    setSelectorState(DBLookupComboboxEh_Otdel_2, false);
    Button1 = plusButton(row, QStringLiteral("Button1"), 608);
    Label1 = label(row, QStringLiteral("Label1"), QStringLiteral("Кафедра:"), 633, 2);
    DBLookupComboboxEh_Kafedra = selector(row, Label1, QStringLiteral("DBLookupComboboxEh_Kafedra"),
                                          DBLookupComboBox::Style::EditStyle, 632, 330, 600);
    DBLookupComboboxEh_Kafedra->setListSource(&m_dataModule.DS_Kafedra, QStringLiteral("id_kafedra"),
                                              QStringLiteral("f1"));
    setSelectorState(DBLookupComboboxEh_Kafedra, false);
    Button3 = plusButton(row, QStringLiteral("Button3"), 968);
    return page;
}

void TForm1::createGrid()
{
    DBGridEh1 = named(new DBGridEh, QStringLiteral("DBGridEh1"));
    DBGridEh1->setFont(courierNew(13));
    DBGridEh1->setDataSource(&m_dataModule.DS_Shtat_rasp);
    QList<GridColumn> columns = scheduleGridColumns();
    const auto bind = [this](void (TForm1::*handler)(ColumnUpdateData&)) {
        return [this, handler](ColumnUpdateData& data) { (this->*handler)(data); };
    };
    columns[ScheduleColumn::Num].onUpdateData = bind(&TForm1::DBGridEh1Columns0UpdateData);
    columns[ScheduleColumn::Post].onUpdateData = bind(&TForm1::DBGridEh1Columns1UpdateData);
    columns[ScheduleColumn::FundingSource].onUpdateData = bind(&TForm1::DBGridEh1FundingSourceUpdateData);
    columns[ScheduleColumn::Grade].onUpdateData = bind(&TForm1::DBGridEh1Columns3UpdateData);
    columns[ScheduleColumn::Units].onUpdateData = bind(&TForm1::DBGridEh1Columns2UpdateData);
    columns[ScheduleColumn::Enter].onUpdateData = bind(&TForm1::DBGridEh1Columns4UpdateData);
    columns[ScheduleColumn::EntryOrder].onUpdateData = bind(&TForm1::DBGridEh1Columns5UpdateData);
    columns[ScheduleColumn::EntryDate].onUpdateData = bind(&TForm1::DBGridEh1Columns6UpdateData);
    columns[ScheduleColumn::Deduce].onUpdateData = bind(&TForm1::DBGridEh1Columns7UpdateData);
    columns[ScheduleColumn::WithdrawalOrder].onUpdateData = bind(&TForm1::DBGridEh1Columns8UpdateData);
    columns[ScheduleColumn::WithdrawalDate].onUpdateData = bind(&TForm1::DBGridEh1Columns9UpdateData);
    DBGridEh1->setColumns(columns);
    DBGridEh1->onEnter = [this] { DBGridEh1Enter(); };
    DBGridEh1->onExit = [this] { DBGridEh1Exit(); };
    DBGridEh1->onKeyPress = [this](QChar& key) { DBGridEh1KeyPress(key); };
    DBGridEh1->onColEnter = [this] { DBGridEh1ColEnter(); };
    DBGridEh1->onCellClick = [this](int column) { DBGridEh1CellClick(column); };
    DBGridEh1->setEnabled(false);
}

void TForm1::createGridFooter()
{
    DBGridEh1Footer = named(new DBGridFooter, QStringLiteral("DBGridEh1Footer"));
    DBGridEh1Footer->setCaption(QStringLiteral("Итого:"));
    const QList<GridColumn>& columns = DBGridEh1->columns();
    DBGridEh1Footer->setGrid(
        DBGridEh1, {columns[ScheduleColumn::Units].fieldName, columns[ScheduleColumn::HourFund].fieldName});
}

QWidget* TForm1::createNotePanel()
{
    Panel2 = named(new QWidget, QStringLiteral("Panel2"));
    Panel2->setFixedHeight(67);
    auto* layout = new QHBoxLayout(Panel2);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* panel3 = named(new QWidget(Panel2), QStringLiteral("Panel3"));
    auto* noteLayout = new QVBoxLayout(panel3);
    noteLayout->setContentsMargins(0, 0, 0, 0);
    noteLayout->setSpacing(0);
    Label6 = named(new QLabel(QStringLiteral("Примечание:"), panel3), QStringLiteral("Label6"));
    Label6->setFont(courierNew(15));
    noteLayout->addWidget(Label6);
    DBRichEdit1 = named(new DBRichEdit(panel3), QStringLiteral("DBRichEdit1"));
    DBRichEdit1->setDataSource(&m_dataModule.DS_Shtat_rasp, QStringLiteral("descr"));
    QPalette notePalette = DBRichEdit1->palette();
    notePalette.setColor(QPalette::Base, notePalette.color(QPalette::ToolTipBase));
    DBRichEdit1->setPalette(notePalette);
    noteLayout->addWidget(DBRichEdit1, 1);
    layout->addWidget(panel3, 1);

    auto* panel4 = named(new QWidget(Panel2), QStringLiteral("Panel4"));
    panel4->setFixedWidth(49);
    DBNavigator1 = named(new DBNavigator(panel4), QStringLiteral("DBNavigator1"));
    DBNavigator1->setGeometry(7, 16, 37, 49);
    DBNavigator1->setDataSource(&m_dataModule.DS_Shtat_rasp);
    layout->addWidget(panel4);
    return Panel2;
}

} // namespace zeb
