#include "controls/DBGridEh.h"
#include "controls/DBLookupComboBox.h"
#include "schedule/grid/ScheduleColumns.h"
#include "tests/schedule/MainWindowRig.h"
#include "tests/support/EngineRows.h"
#include "tests/support/NamedChild.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

using namespace zeb;

namespace {

// Line 1 of "Бухгалтерия" (Num 1, "Доцент", not withdrawn) changed twice by another workstation after the
// fixture entered it: its post and staff units, then its entry.
void changeLineOne(MainWindowRig& rig)
{
    rig.execute(QStringLiteral(
        "update Vakansii set id_post = 1, q_units = 1.5, ZEB_User = 'kadry' where id_vakansiya = 1"));
    rig.execute(QStringLiteral(
        "update Vakansii set id_enter = 2, e_n_p = '12-к', e_d_p = '01.02.2024' where id_vakansiya = 1"));
}

// The table's rows, their cells joined by "|"; the time of a change, when it is one, as "<time>".
QStringList tableTexts(const QTableWidget& table)
{
    static const QRegularExpression time(QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d$"));
    QStringList rows;
    for (int row = 0; row < table.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < table.columnCount(); ++column) {
            const QTableWidgetItem* item = table.item(row, column);
            const QString text = item ? item->text() : QString();
            cells.append(column == 0 && time.match(text).hasMatch() ? QStringLiteral("<time>") : text);
        }
        rows.append(cells.join(u'|'));
    }
    return rows;
}

struct ShownHistory
{
    QString title;
    QStringList headings;
    QStringList rows;
    bool closedByEscape = false;
};

// Reads the dialog as it comes up and closes it with Escape, as a user would.
ScriptedPlatform::ModalScript readAndEscape(ShownHistory& shown)
{
    return [&shown](QDialog& dialog) {
        dialog.show();
        if (!QTest::qWaitForWindowExposed(&dialog))
            return int(ModalResult::Cancel);
        shown.title = child<QLabel>(dialog, "LineHistoryTitle")->text();
        const auto* table = child<QTableWidget>(dialog, "LineHistoryTable");
        for (int column = 0; column < table->columnCount(); ++column)
            shown.headings.append(table->horizontalHeaderItem(column)->text());
        shown.rows = tableTexts(*table);
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &dialog, Qt::Key_Escape);
        shown.closedByEscape = !dialog.isVisible() && dialog.result() == QDialog::Rejected;
        return int(ModalResult::Cancel);
    };
}

} // namespace

class TestLineHistoryDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void ctrlHShowsTheLinesChangesNewestFirst_data() { addEngineRows(); }
    void ctrlHShowsTheLinesChangesNewestFirst();
    void contextMenuOffersTheHistory();
    void unsavedLineHasNoHistory();
};

void TestLineHistoryDialog::ctrlHShowsTheLinesChangesNewestFirst()
{
    QFETCH(EngineKind, engine);
    MainWindowRig rig(engine);
    changeLineOne(rig);
    MainWindow& form = *rig.form;
    rig.pick(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_1"), QStringLiteral("Бухгалтерия"));
    rig.clickCell(0, ScheduleColumn::Units);
    ShownHistory shown;
    rig.platform.queueModal(readAndEscape(shown));

    rig.press(Qt::Key_H, Qt::ControlModifier);

    QCOMPARE(rig.platform.modalRuns().last(), QStringLiteral("zeb::LineHistoryDialog"));
    QCOMPARE(shown.title, QStringLiteral("Строка № 1, Новая должность. Изменения, начиная с последнего:"));
    QCOMPARE(shown.headings,
             QStringList({QStringLiteral("Когда"), QStringLiteral("Кто"), QStringLiteral("Изменение"),
                          QStringLiteral("Графа"), QStringLiteral("Было"), QStringLiteral("Стало")}));
    const QString login = rig.installation->workAccount().user;
    QCOMPARE(
        shown.rows,
        QStringList({
            QStringLiteral("<time>|kadry (%1)|Строка изменена|Ввести||Вакантная").arg(login),
            QStringLiteral("|||Ввести: № приказа||12-к"),
            QStringLiteral("|||Ввести: Дата приказа||01.02.2024"),
            QStringLiteral("<time>|kadry (%1)|Строка изменена|Должность|Доцент|Новая должность").arg(login),
            QStringLiteral("|||Кол. ед.||1,5"),
            QStringLiteral("<time>|%1|Строка добавлена|№||1").arg(login),
            QStringLiteral("|||Должность||Доцент"),
            QStringLiteral("|||Вывести||Не выведена"),
            QStringLiteral("|||Отдел первого уровня||Бухгалтерия"),
        }));
    QVERIFY(shown.closedByEscape);
    QVERIFY(rig.platform.boxes().isEmpty());
    QVERIFY2(rig.platform.errors().isEmpty(), qPrintable(rig.platform.errors().join(u'\n')));
}

// A right click on the grid offers the entry; choosing it shows the current line's history.
void TestLineHistoryDialog::contextMenuOffersTheHistory()
{
    MainWindowRig rig(EngineKind::Sqlite);
    changeLineOne(rig);
    MainWindow& form = *rig.form;
    rig.pick(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_1"), QStringLiteral("Бухгалтерия"));
    rig.clickCell(0, ScheduleColumn::Post);
    ShownHistory shown;
    rig.platform.queueModal(readAndEscape(shown));
    QStringList offered;
    QTimer::singleShot(0, [&offered] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (const QAction* action : menu->actions())
            offered.append(action->text() + u' ' + action->shortcut().toString());
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
    });

    auto* grid = child<DBGridEh>(form, "DBGridEh1");
    const QPoint at = grid->visualRect(grid->model()->index(0, ScheduleColumn::Post)).center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, grid->viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid->viewport(), &click);

    QCOMPARE(offered, QStringList({QStringLiteral("История строки Ctrl+H")}));
    QCOMPARE(shown.rows.size(), 9);
    QVERIFY(shown.title.startsWith(QStringLiteral("Строка № 1,")));
}

void TestLineHistoryDialog::unsavedLineHasNoHistory()
{
    MainWindowRig rig(EngineKind::Sqlite);
    MainWindow& form = *rig.form;
    rig.pick(child<DBLookupComboBox>(form, "DBLookupComboboxEh_Otdel_1"), QStringLiteral("Бухгалтерия"));
    rig.clickCell(0, ScheduleColumn::Units);
    rig.press(Qt::Key_Insert);
    rig.platform.queueAnswer(MessageAnswer::Ok);

    rig.press(Qt::Key_H, Qt::ControlModifier);

    QCOMPARE(rig.platform.boxTexts(),
             QStringList({QStringLiteral("Строка ещё не сохранена в базе данных, поэтому истории изменений у "
                                         "неё нет. История появится, когда строка будет сохранена.")}));
    QVERIFY(!rig.platform.modalRuns().contains(QStringLiteral("zeb::LineHistoryDialog")));
}

QTEST_MAIN(TestLineHistoryDialog)
#include "tst_linehistorydialog.moc"
