#include "controls/DBGridEh.h"
#include "data/module/DataModule.h"
#include "data/dataset/DatasetModel.h"
#include "controls/DateCellEditor.h"
#include "data/dataset/Field.h"
#include "controls/FindTextDialog.h"
#include "controls/GridHeaderView.h"
#include "controls/GridRowIndicator.h"
#include "controls/LookupCellEditor.h"
#include "tests/support/PopupPlacement.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TestInstallation.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QHBoxLayout>
#include <QIdentityProxyModel>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTest>
#include <QToolButton>

using namespace zeb;

namespace {

enum Col
{
    NumCol,
    PostCol,
    UnitsCol,
    EnterCol,
    EnterOrderCol,
    EnterDateCol,
    DeduceOrderCol,
};

QList<GridColumn> scheduleColumns()
{
    const auto column = [](const char* field, const char* title, int width) {
        GridColumn c;
        c.fieldName = QString::fromUtf8(field);
        c.title = QString::fromUtf8(title);
        c.width = width;
        return c;
    };
    QList<GridColumn> columns{
        column("Num", "№", 36),
        column("POST", "Должность", 309),
        column("q_units", "Кол. ед.", 38),
        column("Enter", "Ввести|Ввести", 75),
        column("e_n_p", "Ввести|№ приказа", 61),
        column("e_d_p", "Ввести|Дата приказа", 90),
        column("d_n_p", "Вывести|№ приказа", 65),
    };
    columns[PostCol].alwaysShowDropDownButton = true;
    columns[PostCol].dropDownRows = 14;
    columns[PostCol].dropDownWidth = 600;
    return columns;
}

// A signed-in data module on a fresh demo database, the test's own schedule lines loaded into a grid that
// sits in a window beside a line edit (somewhere for the focus to go).
struct GridWindow
{
    explicit GridWindow(int lines = 5)
    {
        module.connection.setDataDirectory(installation.dataDirectory());
        module.connection.setConnectionString(installation.signedInConnection()->connectionString());
        module.openDataSets();
        std::unique_ptr<Engine> admin = installation.adminEngine();
        const int before =
            firstValue(*admin, QStringLiteral("select coalesce(max(id_vakansiya), 0) from Vakansii")).toInt();
        posts = {module.posts.valueAt(0, module.posts.fieldIndex(QStringLiteral("id_post"))),
                 module.posts.valueAt(1, module.posts.fieldIndex(QStringLiteral("id_post")))};
        admin->run(
            QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                           "INSERT INTO Vakansii (id_post, q_units, Num, e_n_p, d_n_p) "
                           "SELECT CASE i % 2 WHEN 1 THEN %2 ELSE %3 END, 1, i, 'E-' || i, 'D-' || i FROM n")
                .arg(lines)
                .arg(posts[0].toInt())
                .arg(posts[1].toInt()));
        lines_().setSql(
            QStringLiteral("Select * from Vakansii where id_vakansiya > %1 ORDER BY Num").arg(before));
        lines_().open();

        outside = new QLineEdit(&window);
        grid = new DBGridEh(&window);
        auto* layout = new QHBoxLayout(&window);
        layout->addWidget(outside);
        layout->addWidget(grid, 1);
        grid->setColumns(scheduleColumns());
        grid->setDataSource(&module.scheduleLinesSource);
        window.resize(900, 320);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        grid->setFocus();
    }

    Dataset& lines_() { return module.scheduleLines; }
    QModelIndex cell(int row, int column) const { return grid->model()->index(row, column); }
    QString text(int row, int column) const { return cell(row, column).data().toString(); }

    void click(int row, int column, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers,
                          grid->visualRect(cell(row, column)).center());
    }
    static void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    }
    // One character at a time into whatever has the focus, Cyrillic included.
    static void type(const QString& text)
    {
        for (const QChar ch : text)
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(ch),
                                Qt::NoModifier);
    }
    // An editor of the grid has the focus.
    bool editing() const
    {
        QWidget* focus = QApplication::focusWidget();
        return focus && focus != grid && grid->isAncestorOf(focus);
    }
    template <class Editor> Editor* editor() const
    {
        return qobject_cast<Editor*>(QApplication::focusWidget());
    }

    ScriptedPlatform platform;
    TestInstallation installation{EngineKind::Sqlite, true};
    DataModule module;
    QVariantList posts;
    QWidget window;
    QLineEdit* outside = nullptr;
    DBGridEh* grid = nullptr;
};

// Records the rows whose cells are asked for data.
class RecordingModel : public QIdentityProxyModel
{
public:
    QVariant data(const QModelIndex& index, int role) const override
    {
        askedRows.insert(index.row());
        return QIdentityProxyModel::data(index, role);
    }

    mutable QSet<int> askedRows;
};

// Records the cells the view paints and measures through its delegate, handing them to the grid's own
// delegate, which reads them through a recording model.
class RecordingDelegate : public QStyledItemDelegate
{
public:
    RecordingDelegate(QAbstractItemDelegate* grid, QAbstractItemModel* model) : m_grid(grid)
    {
        recorded.setSourceModel(model);
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        ++paintedCells;
        m_grid->paint(painter, option, recorded.mapFromSource(index));
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        ++measuredCells;
        return m_grid->sizeHint(option, recorded.mapFromSource(index));
    }

    RecordingModel recorded;
    mutable int paintedCells = 0;
    mutable int measuredCells = 0;

private:
    QAbstractItemDelegate* m_grid;
};

struct UpdateCall
{
    ColumnUpdateData data;
    Dataset::State state;
};

using GridAction = std::function<void(GridWindow&)>;

// Counts the update notifications of every column.
std::shared_ptr<int> countUpdates(DBGridEh& grid)
{
    auto updates = std::make_shared<int>(0);
    for (int column = 0; column < grid.columns().size(); ++column)
        grid.column(column).onUpdateData = [updates](ColumnUpdateData&) { ++*updates; };
    return updates;
}

} // namespace

Q_DECLARE_METATYPE(GridAction)

class TestDBGrid : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void headerGroupsSpanTheirColumns();
    void columnWidthsAreProportions();
    void paintingAsksOnlyForVisibleRows_data();
    void paintingAsksOnlyForVisibleRows();
    void typedTextGoesThroughTheUpdateNotification_data();
    void typedTextGoesThroughTheUpdateNotification();
    void lookupPickWritesTheChosenKey_data();
    void lookupPickWritesTheChosenKey();
    void calendarPickWritesTheDate();
    void calendarOfACellAtTheScreensEdgeOpensOnTheScreen();
    void typedCharactersPassTheKeyHandler_data();
    void typedCharactersPassTheKeyHandler();
    void refusedSaveKeepsTheRow();
    void insertDownAndEscape();
    void escapeInAnEditorDiscardsItsText();
    void ctrlDeleteAsksAndDeletes_data();
    void ctrlDeleteAsksAndDeletes();
    void deleteLoopStopsAtAbort();
    void selectionIsKeptByBookmark();
    void find_data();
    void find();
    void clipboardRoundTrip();
    void pasteStopsAtTheFirstRefusal();
    void focusEventsAndAlwaysShownEditor();
    void columnEnterAndCellClick();
    void keyDownSeesEachKeyOnce_data();
    void keyDownSeesEachKeyOnce();
    void readOnlyGridWritesNothing_data();
    void readOnlyGridWritesNothing();
    void keyDownHandlerSwitchesReadOnly_data();
    void keyDownHandlerSwitchesReadOnly();
    void keyWhoseEditorTheHandlerClosedGoesToTheGrid();
    void keyDownErrorDropsTheKey_data();
    void keyDownErrorDropsTheKey();
};

void TestDBGrid::headerGroupsSpanTheirColumns()
{
    GridWindow w;
    auto* header = qobject_cast<GridHeaderView*>(w.grid->horizontalHeader());
    QVERIFY(header);
    QCOMPARE(header->groupSpan(EnterCol), std::make_pair(int(EnterCol), int(EnterDateCol)));
    QCOMPARE(header->groupSpan(EnterDateCol), std::make_pair(int(EnterCol), int(EnterDateCol)));
    QCOMPARE(header->groupSpan(DeduceOrderCol), std::make_pair(int(DeduceOrderCol), int(DeduceOrderCol)));
    QCOMPARE(header->groupSpan(UnitsCol), std::make_pair(int(UnitsCol), int(UnitsCol)));

    const QRect group = header->groupRect(EnterOrderCol);
    QCOMPARE(header->groupRect(EnterCol), group);
    QCOMPARE(header->groupRect(EnterDateCol), group);
    QCOMPARE(group.left(), header->sectionViewportPosition(EnterCol));
    QCOMPARE(group.width(), header->sectionSize(EnterCol) + header->sectionSize(EnterOrderCol) +
                                header->sectionSize(EnterDateCol));
    QCOMPARE(header->groupText(EnterCol), QStringLiteral("Ввести"));
    QCOMPARE(header->titleText(EnterOrderCol), QStringLiteral("№ приказа"));

    // Single-level titles fill both levels; second-level titles sit under their group.
    QCOMPARE(header->titleRect(UnitsCol).height(), header->height());
    QVERIFY(header->groupRect(UnitsCol).isNull());
    QCOMPARE(header->titleRect(EnterOrderCol).top(), group.bottom() + 1);
    QCOMPARE(header->titleRect(EnterOrderCol).bottom(), header->height() - 1);
    QVERIFY(header->height() >= 2 * (header->fontMetrics().height() + GridHeaderView::titleMargin));
}

void TestDBGrid::columnWidthsAreProportions()
{
    GridWindow w;
    const QList<GridColumn> columns = scheduleColumns();
    int total = 0;
    for (const GridColumn& column : columns)
        total += column.width;
    for (const int windowWidth : {900, 1300}) {
        w.window.resize(windowWidth, 320);
        QCoreApplication::processEvents();
        const int available = w.grid->viewport()->width();
        int sum = 0;
        for (int i = 0; i < columns.size(); ++i) {
            const double expected = double(available) * columns[i].width / total;
            QVERIFY2(qAbs(w.grid->columnWidth(i) - expected) <= 1.0, qPrintable(QString::number(i)));
            sum += w.grid->columnWidth(i);
        }
        QCOMPARE(sum, available);
    }
}

void TestDBGrid::paintingAsksOnlyForVisibleRows_data()
{
    QTest::addColumn<int>("lines");
    QTest::newRow("100 lines") << 100;
    QTest::newRow("100000 lines") << 100000;
}

void TestDBGrid::paintingAsksOnlyForVisibleRows()
{
    QFETCH(int, lines);
    GridWindow w(lines);
    QCOMPARE(w.lines_().recordCount(), lines);
    QAbstractItemDelegate* own = w.grid->itemDelegate();
    RecordingDelegate cells(own, w.grid->model());
    w.grid->setItemDelegate(&cells);
    QCOMPARE(w.grid->verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);

    for (const int current : {0, lines / 2}) {
        w.lines_().moveTo(current);
        QCoreApplication::processEvents();
        cells.recorded.askedRows.clear();
        cells.paintedCells = 0;
        cells.measuredCells = 0;
        w.grid->viewport()->repaint();

        const int first = w.grid->rowAt(0);
        const int last = w.grid->rowAt(w.grid->viewport()->height() - 1);
        const int visible = (last < 0 ? lines - 1 : last) - first + 1;
        QVERIFY(first >= 0);
        QVERIFY(w.grid->rowAt(w.grid->visualRect(w.cell(current, 0)).center().y()) == current);
        QCOMPARE(cells.measuredCells, 0);
        QVERIFY(!cells.recorded.askedRows.isEmpty());
        for (const int row : std::as_const(cells.recorded.askedRows))
            QVERIFY2(row >= first && row < first + visible, qPrintable(QString::number(row)));
        QVERIFY(cells.paintedCells <= visible * w.grid->model()->columnCount());
        QVERIFY(visible < 40);
    }
    w.grid->setItemDelegate(own);
}

void TestDBGrid::typedTextGoesThroughTheUpdateNotification_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("handler");
    QTest::addColumn<int>("calls");
    QTest::addColumn<QString>("written");

    QTest::newRow("plain text") << int(EnterOrderCol) << QStringLiteral("Пр-7") << QString() << 1
                                << QStringLiteral("Пр-7");
    QTest::newRow("number") << int(UnitsCol) << QStringLiteral("2,5") << QString() << 1
                            << QStringLiteral("2,5");
    QTest::newRow("handled writes nothing")
        << int(UnitsCol) << QStringLiteral("3") << QStringLiteral("handled") << 1 << QStringLiteral("1");
    QTest::newRow("handler changes the text")
        << int(EnterOrderCol) << QStringLiteral("X") << QStringLiteral("text") << 1
        << QStringLiteral("из обработчика");
    QTest::newRow("unchanged text") << int(EnterOrderCol) << QStringLiteral("E-2") << QString() << 0
                                    << QStringLiteral("E-2");
}

void TestDBGrid::typedTextGoesThroughTheUpdateNotification()
{
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(QString, handler);
    QFETCH(int, calls);
    QFETCH(QString, written);

    GridWindow w;
    QList<UpdateCall> seen;
    w.grid->column(column).onUpdateData = [&](ColumnUpdateData& data) {
        seen.append({data, w.lines_().state()});
        if (handler == QLatin1String("handled"))
            data.Handled = true;
        else if (handler == QLatin1String("text"))
            data.Text = QStringLiteral("из обработчика");
    };
    w.click(1, column);
    GridWindow::type(typed);
    GridWindow::key(Qt::Key_Return);

    QCOMPARE(seen.size(), calls);
    QCOMPARE(w.grid->currentIndex(), w.cell(1, column + 1));
    QCOMPARE(w.text(1, column), written);
    if (calls == 0) {
        QCOMPARE(w.lines_().state(), Dataset::State::Browse);
        return;
    }
    QCOMPARE(seen[0].state, Dataset::State::Edit);
    QCOMPARE(seen[0].data.Text, typed);
    QCOMPARE(seen[0].data.Value, QVariant(typed));
    QVERIFY(seen[0].data.UseText);
    QVERIFY(!seen[0].data.Handled);
    QCOMPARE(w.lines_().recNo(), 1);
}

void TestDBGrid::lookupPickWritesTheChosenKey_data()
{
    QTest::addColumn<bool>("handlerRestores");
    QTest::newRow("written as picked") << false;
    QTest::newRow("handler gives the old key back") << true;
}

void TestDBGrid::lookupPickWritesTheChosenKey()
{
    QFETCH(bool, handlerRestores);
    GridWindow w;
    Field* idPost = w.lines_().fieldByName(QStringLiteral("id_post"));
    QList<UpdateCall> seen;
    w.grid->column(PostCol).onUpdateData = [&](ColumnUpdateData& data) {
        seen.append({data, w.lines_().state()});
        if (handlerRestores)
            data.Value = idPost->oldValue();
    };
    w.click(0, PostCol);
    GridWindow::key(Qt::Key_F2);
    auto* combo = w.editor<LookupCellEditor>();
    QVERIFY(combo);
    QCOMPARE(combo->maxVisibleItems(), 14);
    QVERIFY(combo->view()->minimumWidth() >= 600);
    QCOMPARE(combo->currentData(), w.posts[0]);

    const int wanted = combo->findData(w.posts[1]);
    QVERIFY(wanted >= 0);
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    const QRect item = list->visualRect(list->model()->index(wanted, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, item.center());

    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].state, Dataset::State::Edit);
    QVERIFY(!seen[0].data.UseText);
    QCOMPARE(seen[0].data.Value, w.posts[1]);
    QCOMPARE(seen[0].data.Text, combo->itemText(wanted));
    QCOMPARE(idPost->value().toInt(), (handlerRestores ? w.posts[0] : w.posts[1]).toInt());
}

void TestDBGrid::calendarPickWritesTheDate()
{
    GridWindow w;
    QList<UpdateCall> seen;
    w.grid->column(EnterDateCol).onUpdateData = [&](ColumnUpdateData& data) {
        seen.append({data, w.lines_().state()});
    };
    w.click(2, EnterDateCol);
    GridWindow::key(Qt::Key_F2);
    auto* editor = w.editor<DateCellEditor>();
    QVERIFY(editor);
    QTest::mouseClick(editor->calendarButton(), Qt::LeftButton);
    QVERIFY(editor->calendar()->isVisible());
    const QDate date(2024, 2, 29);
    editor->calendar()->setSelectedDate(date);
    auto* days = editor->calendar()->findChild<QTableView*>();
    QVERIFY(days);
    QTest::keyClick(days, Qt::Key_Return);

    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].state, Dataset::State::Edit);
    QVERIFY(!seen[0].data.UseText);
    QCOMPARE(seen[0].data.Text, QStringLiteral("29.02.2024"));
    QCOMPARE(seen[0].data.Value, QVariant(date.startOfDay()));
    QCOMPARE(w.lines_().fieldByName(QStringLiteral("e_d_p"))->asDateTime(), date.startOfDay());
    QCOMPARE(w.text(2, EnterDateCol), QStringLiteral("29.02.2024"));
}

// The grid's window in the bottom right corner of the screen: the calendar opens over the cell, inside.
void TestDBGrid::calendarOfACellAtTheScreensEdgeOpensOnTheScreen()
{
    GridWindow w;
    const QRect screen = w.window.screen()->availableGeometry();
    w.window.move(screen.bottomRight() -
                  QPoint(w.window.frameGeometry().width() - 1, w.window.frameGeometry().height() - 1));
    const int last = w.grid->model()->rowCount() - 1;
    w.click(last, EnterDateCol);
    GridWindow::key(Qt::Key_F2);
    auto* editor = w.editor<DateCellEditor>();
    QVERIFY(editor);

    QTest::mouseClick(editor->calendarButton(), Qt::LeftButton);

    QWidget* popup = editor->calendar()->window();
    QVERIFY(popup->isVisible());
    const QString fault = popupPlacementFault(*popup, screen, *editor);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

void TestDBGrid::typedCharactersPassTheKeyHandler_data()
{
    QTest::addColumn<bool>("alwaysShowEditor");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::newRow("grid, decimal point")
        << false << int(UnitsCol) << QStringLiteral("1.5") << QStringLiteral("1,5");
    QTest::newRow("open editor, decimal point")
        << true << int(UnitsCol) << QStringLiteral("0.25") << QStringLiteral("0,25");
    QTest::newRow("Cyrillic passes unchanged")
        << false << int(DeduceOrderCol) << QStringLiteral("Приказ 1.2") << QStringLiteral("Приказ 1,2");
}

void TestDBGrid::typedCharactersPassTheKeyHandler()
{
    QFETCH(bool, alwaysShowEditor);
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(QString, written);
    GridWindow w;
    QString offered;
    w.grid->onKeyPress = [&](QChar& ch) {
        offered += ch;
        if (ch == QLatin1Char('.'))
            ch = QLatin1Char(',');
    };
    w.grid->setAlwaysShowEditor(alwaysShowEditor);
    QString seenText;
    w.grid->column(column).onUpdateData = [&](ColumnUpdateData& data) { seenText = data.Text; };
    w.click(3, column);
    QCOMPARE(w.editing(), alwaysShowEditor);
    GridWindow::type(typed);
    GridWindow::key(Qt::Key_Tab);

    QCOMPARE(offered, typed);
    QCOMPARE(seenText, written);
    QCOMPARE(w.text(3, column), written);
}

void TestDBGrid::refusedSaveKeepsTheRow()
{
    GridWindow w;
    w.lines_().beforePost = [](Dataset&) { throw Error(QStringLiteral("Сохранение запрещено.")); };
    w.click(0, EnterOrderCol);
    GridWindow::type(QStringLiteral("new"));
    GridWindow::key(Qt::Key_Return);
    QCOMPARE(w.lines_().state(), Dataset::State::Edit);

    w.click(3, EnterOrderCol);
    QCOMPARE(w.platform.errors(), QStringList{QStringLiteral("Сохранение запрещено.")});
    QCOMPARE(w.lines_().recNo(), 0);
    QCOMPARE(w.grid->currentIndex().row(), 0);
    QCOMPARE(w.lines_().state(), Dataset::State::Edit);
    auto* indicator = qobject_cast<GridRowIndicator*>(w.grid->verticalHeader());
    QVERIFY(indicator);
    QCOMPARE(indicator->mark(0), GridRowIndicator::Mark::Editing);
    QCOMPARE(indicator->mark(3), GridRowIndicator::Mark::None);
}

void TestDBGrid::insertDownAndEscape()
{
    GridWindow w;
    auto* indicator = qobject_cast<GridRowIndicator*>(w.grid->verticalHeader());
    Dataset& lines = w.lines_();
    w.click(2, NumCol);
    QCOMPARE(indicator->mark(2), GridRowIndicator::Mark::Current);

    GridWindow::key(Qt::Key_Insert);
    QCOMPARE(lines.state(), Dataset::State::Insert);
    QCOMPARE(lines.recordCount(), 6);
    QCOMPARE(w.grid->currentIndex().row(), 2);
    QCOMPARE(indicator->mark(2), GridRowIndicator::Mark::Inserting);

    // Down on a new line that holds nothing takes it away.
    GridWindow::key(Qt::Key_Down);
    QCOMPARE(lines.state(), Dataset::State::Browse);
    QCOMPARE(lines.recordCount(), 5);
    QCOMPARE(w.grid->currentIndex().row(), lines.recNo());

    // Down on the last line adds one; Escape takes it back.
    w.click(4, NumCol);
    GridWindow::key(Qt::Key_Down);
    QCOMPARE(lines.state(), Dataset::State::Insert);
    QCOMPARE(lines.recordCount(), 6);
    QCOMPARE(lines.recNo(), 5);
    QCOMPARE(w.grid->currentIndex().row(), 5);
    GridWindow::key(Qt::Key_Escape);
    QCOMPARE(lines.state(), Dataset::State::Browse);
    QCOMPARE(lines.recordCount(), 5);

    // Down in the middle just moves.
    w.click(1, NumCol);
    GridWindow::key(Qt::Key_Down);
    QCOMPARE(lines.recNo(), 2);
    QCOMPARE(lines.recordCount(), 5);
}

void TestDBGrid::escapeInAnEditorDiscardsItsText()
{
    GridWindow w;
    Dataset& lines = w.lines_();
    int calls = 0;
    w.grid->column(EnterOrderCol).onUpdateData = [&](ColumnUpdateData&) { ++calls; };
    w.click(1, EnterOrderCol);
    GridWindow::type(QStringLiteral("discarded"));
    GridWindow::key(Qt::Key_Escape);
    QVERIFY(!w.editing());
    QCOMPARE(calls, 0);
    QCOMPARE(w.text(1, EnterOrderCol), QStringLiteral("E-2"));
    QCOMPARE(lines.state(), Dataset::State::Browse);

    // A committed change stays until Escape cancels the line's edit.
    GridWindow::type(QStringLiteral("kept"));
    GridWindow::key(Qt::Key_Return);
    QCOMPARE(w.text(1, EnterOrderCol), QStringLiteral("kept"));
    QCOMPARE(lines.state(), Dataset::State::Edit);
    GridWindow::key(Qt::Key_Escape);
    QCOMPARE(lines.state(), Dataset::State::Browse);
    QCOMPARE(w.text(1, EnterOrderCol), QStringLiteral("E-2"));
}

void TestDBGrid::ctrlDeleteAsksAndDeletes_data()
{
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QList<int>>("removedNums");

    QTest::newRow("current line") << QList<int>{} << MessageAnswer::Ok << QStringLiteral("Delete record?")
                                  << QList<int>{3};
    QTest::newRow("one selected") << QList<int>{3} << MessageAnswer::Ok << QStringLiteral("Delete record?")
                                  << QList<int>{4};
    QTest::newRow("three selected") << QList<int>{0, 4, 1} << MessageAnswer::Ok
                                    << QStringLiteral("Delete all selected records?") << QList<int>{1, 5, 2};
    QTest::newRow("cancelled") << QList<int>{0, 1} << MessageAnswer::Cancel
                               << QStringLiteral("Delete all selected records?") << QList<int>{};
}

void TestDBGrid::ctrlDeleteAsksAndDeletes()
{
    QFETCH(QList<int>, selected);
    QFETCH(MessageAnswer, answer);
    QFETCH(QString, question);
    QFETCH(QList<int>, removedNums);

    GridWindow w;
    Dataset& lines = w.lines_();
    QList<int> removed;
    lines.beforeDelete = [&](Dataset& d) {
        removed.append(d.fieldByName(QStringLiteral("Num"))->asInteger());
    };
    w.click(2, NumCol);
    for (const int row : selected)
        w.click(row, NumCol, Qt::ControlModifier);
    w.platform.queueAnswer(answer);
    GridWindow::key(Qt::Key_Delete, Qt::ControlModifier);

    QCOMPARE(w.platform.boxes().size(), 1);
    const ShownBox& box = w.platform.boxes().first();
    QCOMPARE(box.text, question);
    QCOMPARE(box.caption, QStringLiteral("Confirm"));
    QCOMPARE(box.buttons, MessageButtons::OkCancel);
    QCOMPARE(box.icon, MessageIcon::Question);
    QCOMPARE(removed, removedNums);
    QCOMPARE(lines.recordCount(), 5 - int(removedNums.size()));
    QVERIFY(w.platform.errors().isEmpty());
}

void TestDBGrid::deleteLoopStopsAtAbort()
{
    GridWindow w;
    Dataset& lines = w.lines_();
    int calls = 0;
    lines.beforeDelete = [&](Dataset&) {
        if (++calls == 2)
            throw Abort();
    };
    w.click(0, NumCol);
    w.click(3, NumCol, Qt::ShiftModifier);
    QCOMPARE(w.grid->selectedRows().size(), 4);
    w.platform.queueAnswer(MessageAnswer::Ok);
    GridWindow::key(Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(calls, 2);
    QCOMPARE(lines.recordCount(), 4);
    QVERIFY(w.platform.errors().isEmpty());
    QCOMPARE(w.grid->selectedRows().size(), 3);
}

void TestDBGrid::selectionIsKeptByBookmark()
{
    GridWindow w;
    Dataset& lines = w.lines_();
    w.click(1, NumCol);
    GridWindow::key(Qt::Key_Down, Qt::ShiftModifier);
    GridWindow::key(Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(w.grid->selectedRows(),
             (QList<QByteArray>{lines.bookmarkAt(1), lines.bookmarkAt(2), lines.bookmarkAt(3)}));
    w.click(2, NumCol, Qt::ControlModifier);
    w.click(0, NumCol, Qt::ControlModifier);
    const QList<QByteArray> chosen{lines.bookmarkAt(1), lines.bookmarkAt(3), lines.bookmarkAt(0)};
    QCOMPARE(w.grid->selectedRows(), chosen);

    // Reordering keeps the same lines selected.
    lines.sort(QStringLiteral("d_n_p"));
    lines.sort(QStringLiteral("[Num]"));
    QCOMPARE(w.grid->selectedRows(), chosen);
    lines.sort(QStringLiteral("e_n_p"));
    QCOMPARE(w.grid->selectedRows(), chosen);

    GridWindow::key(Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(w.grid->selectedRows().size(), 5);

    // A move without a modifier clears it, and so do new rows.
    GridWindow::key(Qt::Key_Down);
    QVERIFY(w.grid->selectedRows().isEmpty());
    w.grid->selectRows(chosen);
    lines.close();
    lines.open();
    QVERIFY(w.grid->selectedRows().isEmpty());
}

void TestDBGrid::find_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("allColumns");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<bool>("wholeCell");
    QTest::addColumn<int>("foundRow");
    QTest::addColumn<int>("foundColumn");

    QTest::newRow("inside a cell") << QStringLiteral("-4") << true << false << false << 3
                                   << int(EnterOrderCol);
    QTest::newRow("ignoring case") << QStringLiteral("d-5") << true << false << false << 4
                                   << int(DeduceOrderCol);
    QTest::newRow("case must match") << QStringLiteral("d-5") << true << true << false << -1 << -1;
    QTest::newRow("whole cell") << QStringLiteral("E-") << true << false << true << -1 << -1;
    QTest::newRow("current column only") << QStringLiteral("D-3") << false << false << false << -1 << -1;
    QTest::newRow("not before the current row") << QStringLiteral("E-1") << true << false << true << -1 << -1;
}

void TestDBGrid::find()
{
    QFETCH(QString, text);
    QFETCH(bool, allColumns);
    QFETCH(bool, matchCase);
    QFETCH(bool, wholeCell);
    QFETCH(int, foundRow);
    QFETCH(int, foundColumn);

    GridWindow w;
    w.click(1, EnterOrderCol);
    QString title;
    w.platform.queueModal([&](QDialog& dialog) {
        title = dialog.windowTitle();
        auto* find = qobject_cast<FindTextDialog*>(&dialog);
        if (!find || dialog.objectName() != QLatin1String("FindTextDialog"))
            return ModalResult::Cancel;
        find->setText(text);
        find->setAllColumns(allColumns);
        find->setMatchCase(matchCase);
        find->setWholeCell(wholeCell);
        return ModalResult::Ok;
    });
    if (foundRow < 0)
        w.platform.queueAnswer(MessageAnswer::Ok);
    GridWindow::key(Qt::Key_F, Qt::ControlModifier);

    QCOMPARE(w.platform.modalRuns(), QStringList{QStringLiteral("zeb::FindTextDialog")});
    QCOMPARE(title, QStringLiteral("Find text"));
    if (foundRow >= 0) {
        QVERIFY(w.platform.boxes().isEmpty());
        QCOMPARE(w.grid->currentIndex(), w.cell(foundRow, foundColumn));
        QCOMPARE(w.lines_().recNo(), foundRow);
        return;
    }
    QCOMPARE(w.platform.boxes().size(), 1);
    QCOMPARE(w.platform.boxes()[0].text, QStringLiteral("Текст не найден."));
    QCOMPARE(w.platform.boxes()[0].caption, QStringLiteral("Find text"));
    QCOMPARE(w.platform.boxes()[0].buttons, MessageButtons::Ok);
    QCOMPARE(w.platform.boxes()[0].icon, MessageIcon::Information);
    QCOMPARE(w.grid->currentIndex(), w.cell(1, EnterOrderCol));
}

void TestDBGrid::clipboardRoundTrip()
{
    GridWindow w;
    QStringList updates;
    for (const int column : {EnterOrderCol, EnterDateCol, DeduceOrderCol}) {
        w.grid->column(column).onUpdateData = [&, column](ColumnUpdateData& data) {
            QVERIFY(data.UseText);
            updates << QStringLiteral("%1:%2:%3").arg(w.lines_().recNo()).arg(column).arg(data.Text);
        };
    }
    w.click(1, EnterOrderCol);
    GridWindow::key(Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("E-2"));

    w.click(0, NumCol, Qt::ControlModifier);
    w.click(2, NumCol, Qt::ControlModifier);
    GridWindow::key(Qt::Key_Insert, Qt::ControlModifier);
    const QString copied = QGuiApplication::clipboard()->text();
    QCOMPARE(copied.split(QLatin1Char('\n')).size(), 2);
    QVERIFY(copied.startsWith(QStringLiteral("1\t")));
    QVERIFY(copied.contains(QStringLiteral("\tE-3\t")));

    QGuiApplication::clipboard()->setText(QStringLiteral("П-1\t01.03.2024\tВ-1\r\nП-2\t\tD-5\r\n"));
    w.click(3, EnterOrderCol);
    GridWindow::key(Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(updates, (QStringList{QStringLiteral("3:4:П-1"), QStringLiteral("3:5:01.03.2024"),
                                   QStringLiteral("3:6:В-1"), QStringLiteral("4:4:П-2")}));
    QCOMPARE(w.text(3, EnterDateCol), QStringLiteral("01.03.2024"));
    QCOMPARE(w.text(4, EnterOrderCol), QStringLiteral("П-2"));
    QCOMPARE(w.text(4, DeduceOrderCol), QStringLiteral("D-5"));
    QVERIFY(w.platform.errors().isEmpty());
}

void TestDBGrid::pasteStopsAtTheFirstRefusal()
{
    GridWindow w;
    QGuiApplication::clipboard()->setText(QStringLiteral("7\tмного\tM\n8\t9"));
    w.click(0, NumCol);
    GridWindow::key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.platform.errors().size(), 1);
    QCOMPARE(w.text(0, NumCol), QStringLiteral("7"));
    QCOMPARE(w.text(0, UnitsCol), QStringLiteral("1"));
    QCOMPARE(w.text(0, EnterCol), QString());
    QCOMPARE(w.text(1, NumCol), QStringLiteral("2"));
}

void TestDBGrid::focusEventsAndAlwaysShownEditor()
{
    GridWindow w;
    QStringList events;
    w.grid->onEnter = [&] {
        events << QStringLiteral("enter");
        w.grid->setAlwaysShowEditor(true);
    };
    w.grid->onExit = [&] {
        events << QStringLiteral("exit");
        w.grid->setAlwaysShowEditor(false);
    };
    w.outside->setFocus();
    events.clear();

    w.click(1, EnterOrderCol);
    QCOMPARE(events, QStringList{QStringLiteral("enter")});
    auto* editor = w.editor<QLineEdit>();
    QVERIFY(editor);
    QCOMPARE(editor->parentWidget(), w.grid->viewport());
    QCOMPARE(editor->text(), QStringLiteral("E-2"));

    // Moving between cells keeps an editor open and fires nothing.
    GridWindow::key(Qt::Key_Tab);
    QCOMPARE(w.grid->currentIndex(), w.cell(1, EnterDateCol));
    QVERIFY(w.editor<DateCellEditor>());
    GridWindow::key(Qt::Key_Down);
    QCOMPARE(w.grid->currentIndex(), w.cell(2, EnterDateCol));
    QVERIFY(w.editor<DateCellEditor>());
    QCOMPARE(events, QStringList{QStringLiteral("enter")});

    // A new line left empty goes away when the focus leaves the grid.
    GridWindow::key(Qt::Key_Insert);
    QCOMPARE(w.lines_().state(), Dataset::State::Insert);
    w.outside->setFocus();
    QCOMPARE(events, (QStringList{QStringLiteral("enter"), QStringLiteral("exit")}));
    QCOMPARE(w.lines_().state(), Dataset::State::Browse);
    QCOMPARE(w.lines_().recordCount(), 5);
    QVERIFY(!w.editing());

    // Without the option, moving does not open an editor.
    w.grid->onEnter = nullptr;
    w.click(0, NumCol);
    GridWindow::key(Qt::Key_Tab);
    QVERIFY(!w.editing());
    QCOMPARE(QApplication::focusWidget(), w.grid);
}

void TestDBGrid::columnEnterAndCellClick()
{
    GridWindow w;
    QList<int> entered;
    QList<int> clicked;
    w.grid->onColEnter = [&] {
        entered << w.grid->selectedIndex();
        // Moving the column from the handler does not call it again.
        if (w.grid->selectedIndex() == UnitsCol)
            w.grid->setSelectedIndex(PostCol);
    };
    w.grid->onCellClick = [&](int column) {
        QCOMPARE(w.grid->currentIndex().column(), column);
        clicked << column;
    };
    w.click(2, EnterCol);
    w.click(2, EnterCol);
    GridWindow::key(Qt::Key_Backtab, Qt::ShiftModifier);
    GridWindow::key(Qt::Key_Up);
    QCOMPARE(entered, (QList<int>{int(EnterCol), int(UnitsCol)}));
    QCOMPARE(w.grid->selectedIndex(), int(PostCol));
    QCOMPARE(clicked, (QList<int>{int(EnterCol), int(EnterCol)}));
    QCOMPARE(w.lines_().recNo(), 1);
}

void TestDBGrid::keyDownSeesEachKeyOnce_data()
{
    QTest::addColumn<bool>("alwaysShowEditor");
    QTest::addColumn<QList<QKeySequence>>("keys");

    // Keys the editor takes, keys it leaves to the grid, keys nobody takes, keys that open or close it.
    QTest::newRow("editor always shown")
        << true
        << QList<QKeySequence>{Qt::Key_A,    Qt::Key_Left,   Qt::Key_Backspace, Qt::Key_F5,
                               Qt::Key_Up,   Qt::Key_Return, Qt::Key_Tab,       Qt::SHIFT | Qt::Key_Backtab,
                               Qt::Key_Down, Qt::Key_Insert, Qt::Key_Escape,    Qt::CTRL | Qt::Key_Delete,
                               Qt::Key_End};
    QTest::newRow("editor on demand")
        << false
        << QList<QKeySequence>{Qt::Key_Down,   Qt::Key_Up,     Qt::Key_Up,     Qt::Key_F2,
                               Qt::Key_A,      Qt::Key_F5,     Qt::Key_Return, Qt::Key_B,
                               Qt::Key_Escape, Qt::Key_Escape, Qt::Key_Tab,    Qt::CTRL | Qt::Key_Delete};
}

void TestDBGrid::keyDownSeesEachKeyOnce()
{
    QFETCH(bool, alwaysShowEditor);
    QFETCH(QList<QKeySequence>, keys);
    GridWindow w;
    QList<int> seen;
    w.grid->onKeyDown = [&](QKeyEvent* event) { seen << event->key(); };
    w.grid->setAlwaysShowEditor(alwaysShowEditor);
    w.click(0, EnterOrderCol);
    QCOMPARE(w.editing(), alwaysShowEditor);
    w.platform.queueAnswer(MessageAnswer::Cancel);

    QList<int> pressed;
    for (const QKeySequence& sequence : keys) {
        const QKeyCombination key = sequence[0];
        // A modifier is a key press of its own before the key.
        if (key.keyboardModifiers() & Qt::ShiftModifier)
            pressed << Qt::Key_Shift;
        if (key.keyboardModifiers() & Qt::ControlModifier)
            pressed << Qt::Key_Control;
        pressed << int(key.key());
        GridWindow::key(key.key(), key.keyboardModifiers());
    }

    QCOMPARE(seen, pressed);
    QCOMPARE(w.platform.boxTexts(), QStringList{QStringLiteral("Delete record?")});
}

void TestDBGrid::readOnlyGridWritesNothing_data()
{
    QTest::addColumn<GridAction>("act");

    QTest::newRow("typing") << GridAction([](GridWindow& w) {
        w.click(1, EnterOrderCol);
        GridWindow::type(QStringLiteral("x"));
        GridWindow::key(Qt::Key_Return);
    });
    QTest::newRow("F2") << GridAction([](GridWindow& w) {
        w.click(1, EnterOrderCol);
        GridWindow::key(Qt::Key_F2);
    });
    QTest::newRow("double click") << GridAction([](GridWindow& w) {
        QTest::mouseDClick(w.grid->viewport(), Qt::LeftButton, {},
                           w.grid->visualRect(w.cell(1, EnterOrderCol)).center());
    });
    QTest::newRow("editor always shown") << GridAction([](GridWindow& w) {
        w.grid->setAlwaysShowEditor(true);
        w.click(1, EnterOrderCol);
        GridWindow::key(Qt::Key_Tab);
    });
    QTest::newRow("Insert") << GridAction([](GridWindow& w) {
        w.click(1, NumCol);
        GridWindow::key(Qt::Key_Insert);
    });
    QTest::newRow("Down on the last line") << GridAction([](GridWindow& w) {
        w.click(4, NumCol);
        GridWindow::key(Qt::Key_Down);
    });
    QTest::newRow("paste") << GridAction([](GridWindow& w) {
        QGuiApplication::clipboard()->setText(QStringLiteral("П-1\tx\nП-2\ty"));
        w.click(1, EnterOrderCol);
        GridWindow::key(Qt::Key_V, Qt::ControlModifier);
    });
    QTest::newRow("Ctrl+Delete") << GridAction([](GridWindow& w) {
        w.click(1, NumCol);
        GridWindow::key(Qt::Key_Delete, Qt::ControlModifier);
    });
    QTest::newRow("Ctrl+Delete on selected lines") << GridAction([](GridWindow& w) {
        w.click(1, NumCol);
        w.click(2, NumCol, Qt::ControlModifier);
        w.click(3, NumCol, Qt::ControlModifier);
        GridWindow::key(Qt::Key_Delete, Qt::ControlModifier);
    });
    QTest::newRow("made read-only while typing") << GridAction([](GridWindow& w) {
        w.grid->setReadOnly(false);
        w.grid->setAlwaysShowEditor(true);
        w.click(1, EnterOrderCol);
        GridWindow::type(QStringLiteral("x"));
        QVERIFY(w.editing());
        w.grid->setReadOnly(true);
        QCOMPARE(QApplication::focusWidget(), w.grid);
    });
}

void TestDBGrid::readOnlyGridWritesNothing()
{
    QFETCH(GridAction, act);
    GridWindow w;
    const std::shared_ptr<int> updates = countUpdates(*w.grid);
    w.grid->setReadOnly(true);
    QVERIFY(w.grid->isReadOnly());

    act(w);

    QVERIFY(!w.editing());
    QCOMPARE(*updates, 0);
    QCOMPARE(w.lines_().state(), Dataset::State::Browse);
    QCOMPARE(w.lines_().recordCount(), 5);
    QCOMPARE(w.text(1, EnterOrderCol), QStringLiteral("E-2"));
    QCOMPARE(w.text(2, EnterOrderCol), QStringLiteral("E-3"));
    QVERIFY(w.platform.boxes().isEmpty());
    QVERIFY(w.platform.errors().isEmpty());
}

void TestDBGrid::keyDownHandlerSwitchesReadOnly_data()
{
    QTest::addColumn<bool>("alwaysShowEditor");
    QTest::newRow("editor always shown") << true;
    QTest::newRow("editor on demand") << false;
}

// A window that makes the grid read-only for Ctrl+Delete only, from its key handler.
void TestDBGrid::keyDownHandlerSwitchesReadOnly()
{
    QFETCH(bool, alwaysShowEditor);
    GridWindow w;
    const std::shared_ptr<int> updates = countUpdates(*w.grid);
    int deletes = 0;
    w.lines_().beforeDelete = [&](Dataset&) { ++deletes; };
    w.grid->onKeyDown = [&](QKeyEvent* event) {
        w.grid->setReadOnly(event->key() == Qt::Key_Delete && event->modifiers() == Qt::ControlModifier);
    };
    w.grid->setAlwaysShowEditor(alwaysShowEditor);
    w.click(2, EnterOrderCol);
    QCOMPARE(w.editing(), alwaysShowEditor);

    GridWindow::key(Qt::Key_Delete, Qt::ControlModifier);
    QVERIFY(w.grid->isReadOnly());
    QVERIFY(w.platform.boxes().isEmpty());
    QCOMPARE(deletes, 0);
    QCOMPARE(w.lines_().recordCount(), 5);
    QVERIFY(!w.editing());

    GridWindow::type(QStringLiteral("QRS"));
    QVERIFY(!w.grid->isReadOnly());
    QVERIFY(w.editing());
    GridWindow::key(Qt::Key_Return);
    QCOMPARE(*updates, 1);
    QCOMPARE(w.text(2, EnterOrderCol), QStringLiteral("QRS"));
    QCOMPARE(w.lines_().state(), Dataset::State::Edit);
    QCOMPARE(w.grid->currentIndex(), w.cell(2, EnterDateCol));
}

void TestDBGrid::keyWhoseEditorTheHandlerClosedGoesToTheGrid()
{
    GridWindow w;
    w.grid->onKeyDown = [&](QKeyEvent* event) {
        if (event->key() == Qt::Key_A)
            w.grid->setReadOnly(true);
    };
    w.grid->setAlwaysShowEditor(true);
    w.click(1, EnterOrderCol);
    QVERIFY(w.editing());

    // In the editor Ctrl+A would select its text; in the grid it selects every line.
    GridWindow::key(Qt::Key_A, Qt::ControlModifier);

    QVERIFY(!w.editing());
    QCOMPARE(w.grid->selectedRows().size(), 5);
}

void TestDBGrid::keyDownErrorDropsTheKey_data()
{
    QTest::addColumn<bool>("alwaysShowEditor");
    QTest::addColumn<bool>("abort");
    QTest::newRow("grid, error") << false << false;
    QTest::newRow("grid, abort") << false << true;
    QTest::newRow("editor, error") << true << false;
    QTest::newRow("editor, abort") << true << true;
}

void TestDBGrid::keyDownErrorDropsTheKey()
{
    QFETCH(bool, alwaysShowEditor);
    QFETCH(bool, abort);
    GridWindow w;
    w.grid->onKeyDown = [abort](QKeyEvent* event) {
        if (event->key() != Qt::Key_Insert)
            return;
        if (abort)
            throw Abort();
        throw Error(QStringLiteral("Новые строки здесь не добавляют."));
    };
    w.grid->setAlwaysShowEditor(alwaysShowEditor);
    w.click(1, EnterOrderCol);
    QCOMPARE(w.editing(), alwaysShowEditor);

    GridWindow::key(Qt::Key_Insert);

    QCOMPARE(w.platform.errors(),
             abort ? QStringList() : QStringList{QStringLiteral("Новые строки здесь не добавляют.")});
    QCOMPARE(w.lines_().state(), Dataset::State::Browse);
    QCOMPARE(w.lines_().recordCount(), 5);
    QCOMPARE(w.editing(), alwaysShowEditor);
}

QTEST_MAIN(TestDBGrid)
#include "tst_dbgrid.moc"
