#include "controls/DBNavigator.h"
#include "controls/DBRichEdit.h"
#include "data/module/DataSource.h"
#include "data/dataset/Dataset.h"
#include "data/dataset/Field.h"
#include "tests/controls/FixtureConnection.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/controls/TypeText.h"

#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <functional>

using namespace zeb;

namespace {

// The schedule lines in key order (line 1 first), a note on line 2 only, the editor bound to the note.
struct Notes
{
    explicit Notes(Connection& database)
        : connection(&database), lines(QStringLiteral("lines"), &database), source(&lines)
    {
        connection->execute(QStringLiteral("update Vakansii set descr = null"));
        connection->execute(QStringLiteral("update Vakansii set descr = 'ab' where id_vakansiya = 2"));
        lines.setSql(QStringLiteral("select * from Vakansii order by id_vakansiya"));
        lines.setKeyField(QStringLiteral("id_vakansiya"));
        lines.open();
        editor.setDataSource(&source, QStringLiteral("DESCR"));
        navigator.setDataSource(&source);
    }

    Field& note() { return *lines.fieldByName(QStringLiteral("descr")); }
    QString stored(int line)
    {
        return columnValues(*connection,
                            QStringLiteral("select descr from Vakansii where id_vakansiya = %1").arg(line),
                            QStringLiteral("descr"));
    }

    ScriptedPlatform platform;
    Connection* connection;
    Dataset lines;
    DataSource source;
    DBRichEdit editor;
    DBNavigator navigator;
};

using Action = std::function<void(Notes&)>;

} // namespace

Q_DECLARE_METATYPE(Action)

class TestNoteEditor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { m_database = std::make_unique<FixtureConnection>(); }
    void typingEditsTheCurrentRow();
    void editorFollowsTheDataset_data();
    void editorFollowsTheDataset();
    void typingKeepsTheCursor();
    void refusedEditIsShownAndUndone();
    void postButton();
    void postButtonAvailableWhileEditing_data();
    void postButtonAvailableWhileEditing();
    void postButtonSaves();
    void failedSaveIsShown();

private:
    std::unique_ptr<FixtureConnection> m_database;
};

void TestNoteEditor::typingEditsTheCurrentRow()
{
    Notes notes(*m_database->connection);
    QVERIFY(!notes.editor.acceptRichText());
    QVERIFY(!notes.editor.isReadOnly());
    QCOMPARE(notes.editor.toPlainText(), QString());

    typeText(&notes.editor, QStringLiteral("Срочно"));

    QCOMPARE(notes.lines.state(), Dataset::State::Edit);
    QVERIFY(notes.lines.isModified());
    QCOMPARE(notes.note().asString(), QStringLiteral("Срочно"));
    QCOMPARE(notes.editor.toPlainText(), QStringLiteral("Срочно"));
    notes.lines.post();
    QCOMPARE(notes.stored(1), QStringLiteral("Срочно"));
}

void TestNoteEditor::editorFollowsTheDataset_data()
{
    QTest::addColumn<Action>("act");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("readOnly");

    QTest::newRow("next row") << Action([](Notes& notes) { notes.lines.next(); }) << QStringLiteral("ab")
                              << false;
    QTest::newRow("back to a row without a note") << Action([](Notes& notes) {
        notes.lines.next();
        notes.lines.prior();
    }) << QString() << false;
    QTest::newRow("note written by code") << Action([](Notes& notes) {
        notes.lines.edit();
        notes.note().setAsString(QStringLiteral("Из программы"));
    }) << QStringLiteral("Из программы") << false;
    QTest::newRow("rows read again") << Action([](Notes& notes) {
        notes.connection->execute(
            QStringLiteral("update Vakansii set descr = 'новое' where id_vakansiya = 1"));
        notes.lines.close();
        notes.lines.open();
    }) << QStringLiteral("новое") << false;
    QTest::newRow("typing cancelled") << Action([](Notes& notes) {
        typeText(&notes.editor, QStringLiteral("черновик"));
        notes.lines.cancel();
    }) << QString() << false;
    QTest::newRow("dataset closed") << Action([](Notes& notes) {
        notes.lines.next();
        notes.lines.close();
    }) << QString() << true;
}

void TestNoteEditor::editorFollowsTheDataset()
{
    QFETCH(Action, act);
    QFETCH(QString, text);
    QFETCH(bool, readOnly);
    Notes notes(*m_database->connection);

    act(notes);

    QCOMPARE(notes.editor.toPlainText(), text);
    QCOMPARE(notes.editor.isReadOnly(), readOnly);
}

void TestNoteEditor::typingKeepsTheCursor()
{
    Notes notes(*m_database->connection);
    notes.lines.next();
    QTest::keyClick(&notes.editor, Qt::Key_Home);

    typeText(&notes.editor, QStringLiteral("xy"));
    QTest::keyClick(&notes.editor, Qt::Key_End);
    typeText(&notes.editor, QStringLiteral("!"));

    QCOMPARE(notes.editor.toPlainText(), QStringLiteral("xyab!"));
    QCOMPARE(notes.editor.textCursor().position(), 5);
    QCOMPARE(notes.note().asString(), QStringLiteral("xyab!"));
}

void TestNoteEditor::refusedEditIsShownAndUndone()
{
    Notes notes(*m_database->connection);
    notes.lines.next();
    notes.lines.afterEdit = [](Dataset&) {
        throw Error(QStringLiteral("Строка занята другим пользователем."));
    };

    typeText(&notes.editor, QStringLiteral("z"));

    QCOMPARE(notes.platform.errors(), QStringList({QStringLiteral("Строка занята другим пользователем.")}));
    QCOMPARE(notes.editor.toPlainText(), QStringLiteral("ab"));
    QCOMPARE(notes.note().asString(), QStringLiteral("ab"));
}

void TestNoteEditor::postButton()
{
    DBNavigator navigator;
    QToolButton* button = navigator.postButton();
    QCOMPARE(button->objectName(), QStringLiteral("PostButton"));
    QCOMPARE(button->toolTip(), QStringLiteral("Сохранить"));
    QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
    QVERIFY(!button->icon().isNull());
    QVERIFY(!button->isEnabled());
    navigator.resize(37, 49);
    navigator.show();
    QCOMPARE(button->geometry(), navigator.rect());
}

void TestNoteEditor::postButtonAvailableWhileEditing_data()
{
    QTest::addColumn<Action>("act");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("browsing") << Action([](Notes&) {}) << false;
    QTest::newRow("editing") << Action([](Notes& notes) { notes.lines.edit(); }) << true;
    QTest::newRow("inserting") << Action([](Notes& notes) { notes.lines.append(); }) << true;
    QTest::newRow("note typed") << Action([](Notes& notes) { typeText(&notes.editor, QStringLiteral("ы")); })
                                << true;
    QTest::newRow("saved") << Action([](Notes& notes) {
        typeText(&notes.editor, QStringLiteral("ы"));
        notes.lines.post();
    }) << false;
    QTest::newRow("cancelled") << Action([](Notes& notes) {
        notes.lines.append();
        notes.lines.cancel();
    }) << false;
    QTest::newRow("closed while editing") << Action([](Notes& notes) {
        notes.lines.edit();
        notes.lines.close();
    }) << false;
    QTest::newRow("bound to nothing") << Action([](Notes& notes) {
        notes.lines.edit();
        notes.navigator.setDataSource(nullptr);
    }) << false;
}

void TestNoteEditor::postButtonAvailableWhileEditing()
{
    QFETCH(Action, act);
    QFETCH(bool, enabled);
    Notes notes(*m_database->connection);

    act(notes);

    QCOMPARE(notes.navigator.postButton()->isEnabled(), enabled);
}

void TestNoteEditor::postButtonSaves()
{
    Notes notes(*m_database->connection);
    notes.navigator.show();
    typeText(&notes.editor, QStringLiteral("Сохранить бы"));

    QTest::mouseClick(notes.navigator.postButton(), Qt::LeftButton);

    QCOMPARE(notes.lines.state(), Dataset::State::Browse);
    QCOMPARE(notes.stored(1), QStringLiteral("Сохранить бы"));
    QVERIFY(!notes.navigator.postButton()->isEnabled());
    QVERIFY(notes.platform.errors().isEmpty());
}

void TestNoteEditor::failedSaveIsShown()
{
    Notes notes(*m_database->connection);
    notes.navigator.show();
    notes.lines.beforePost = [](Dataset&) { throw Error(QStringLiteral("Не указана должность.")); };
    typeText(&notes.editor, QStringLiteral("q"));

    QTest::mouseClick(notes.navigator.postButton(), Qt::LeftButton);

    QCOMPARE(notes.platform.errors(), QStringList({QStringLiteral("Не указана должность.")}));
    QCOMPARE(notes.lines.state(), Dataset::State::Edit);
    QVERIFY(notes.navigator.postButton()->isEnabled());
    QCOMPARE(notes.stored(1), QStringLiteral("null"));
}

QTEST_MAIN(TestNoteEditor)
#include "tst_noteeditor.moc"
