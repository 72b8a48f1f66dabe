#include "controls/DBNavigator.h"
#include "data/module/DataSource.h"
#include "data/dataset/Dataset.h"
#include "data/dataset/Field.h"
#include "tests/controls/FixtureConnection.h"
#include "tests/support/ScriptedPlatform.h"

#include <QTest>
#include <QToolButton>
#include <functional>

using namespace zeb;

namespace {

const QList<NavigatorButton> allButtons{NavigatorButton::Insert, NavigatorButton::Delete,
                                        NavigatorButton::Edit, NavigatorButton::Post,
                                        NavigatorButton::Cancel};

// Posts of this object only, `rows` of them in key order, with a navigator of all five buttons shown on
// them.
struct Bar
{
    Bar(Connection& database, int rows)
        : connection(&database), prefix(QStringLiteral("nav%1 ").arg(++made)),
          posts(QStringLiteral("posts"), &database), source(&posts)
    {
        for (int i = 1; i <= rows; ++i)
            connection->execute(QStringLiteral("insert into post (post) values ('%1%2')").arg(prefix).arg(i));
        posts.setSql(QStringLiteral("select * from post where post like '%1%' order by id_post").arg(prefix));
        posts.setKeyField(QStringLiteral("id_post"));
        posts.open();
        navigator.setVisibleButtons(allButtons);
        navigator.setDataSource(&source);
        navigator.resize(200, 25);
        navigator.show();
    }

    // What the database holds of this test's posts, in key order.
    QString stored() const
    {
        return columnValues(
            *connection,
            QStringLiteral("select post from post where post like '%1%' order by id_post").arg(prefix),
            QStringLiteral("post"));
    }
    QString name(const QString& suffix) const { return prefix + suffix; }
    Field& post() { return *posts.fieldByName(QStringLiteral("post")); }
    void click(NavigatorButton which)
    {
        QToolButton* button = navigator.button(which);
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // Object names of the available buttons, in the bar's order.
    QStringList enabled() const
    {
        QStringList names;
        for (const NavigatorButton which : allButtons) {
            if (navigator.button(which)->isEnabled())
                names << navigator.button(which)->objectName();
        }
        return names;
    }

    static inline int made = 0;
    ScriptedPlatform platform;
    Connection* connection;
    QString prefix;
    Dataset posts;
    DataSource source;
    DBNavigator navigator;
};

using Action = std::function<void(Bar&)>;

} // namespace

Q_DECLARE_METATYPE(Action)
Q_DECLARE_METATYPE(NavigatorButton)

class TestDBNavigator : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { m_database = std::make_unique<FixtureConnection>(); }
    void aButtonLooksItsPart_data();
    void aButtonLooksItsPart();
    void buttonsShareTheBarInTheOrderGiven();
    void byDefaultOnlyPostIsShown();
    void buttonsAvailableByState_data();
    void buttonsAvailableByState();
    void insertAndPostSaveANewRow();
    void editAndCancelKeepTheRow();
    void deleteAsksFirst_data();
    void deleteAsksFirst();
    void failuresAreShownAbortIsNot_data();
    void failuresAreShownAbortIsNot();

private:
    std::unique_ptr<FixtureConnection> m_database;
};

void TestDBNavigator::aButtonLooksItsPart_data()
{
    QTest::addColumn<NavigatorButton>("which");
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("toolTip");

    QTest::newRow("insert") << NavigatorButton::Insert << QStringLiteral("InsertButton")
                            << QStringLiteral("Добавить запись");
    QTest::newRow("delete") << NavigatorButton::Delete << QStringLiteral("DeleteButton")
                            << QStringLiteral("Удалить запись");
    QTest::newRow("edit") << NavigatorButton::Edit << QStringLiteral("EditButton")
                          << QStringLiteral("Изменить запись");
    QTest::newRow("post") << NavigatorButton::Post << QStringLiteral("PostButton")
                          << QStringLiteral("Сохранить");
    QTest::newRow("cancel") << NavigatorButton::Cancel << QStringLiteral("CancelButton")
                            << QStringLiteral("Отменить изменения");
}

void TestDBNavigator::aButtonLooksItsPart()
{
    QFETCH(NavigatorButton, which);
    QFETCH(QString, objectName);
    QFETCH(QString, toolTip);
    DBNavigator navigator;
    navigator.setVisibleButtons(allButtons);

    QToolButton* button = navigator.button(which);
    QVERIFY(button);
    QCOMPARE(button->objectName(), objectName);
    QCOMPARE(button->toolTip(), toolTip);
    QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
    const QImage icon = button->icon().pixmap(16, 16).toImage();
    QVERIFY(!icon.isNull());
    // Something is drawn, and not over the whole square.
    int inked = 0;
    for (int y = 0; y < icon.height(); ++y) {
        for (int x = 0; x < icon.width(); ++x)
            inked += qAlpha(icon.pixel(x, y)) > 0 ? 1 : 0;
    }
    QVERIFY(inked > 8);
    QVERIFY(inked < icon.width() * icon.height() / 2);
    QCOMPARE(navigator.findChildren<QToolButton*>(objectName).size(), 1);
}

void TestDBNavigator::buttonsShareTheBarInTheOrderGiven()
{
    DBNavigator navigator;
    const QList<NavigatorButton> order{NavigatorButton::Cancel, NavigatorButton::Insert,
                                       NavigatorButton::Post, NavigatorButton::Cancel};
    navigator.setVisibleButtons(order);
    navigator.resize(151, 30);
    navigator.show();
    QVERIFY(QTest::qWaitForWindowExposed(&navigator));

    QCOMPARE(navigator.findChildren<QToolButton*>().size(), 3);
    QVERIFY(!navigator.button(NavigatorButton::Delete));
    QVERIFY(!navigator.button(NavigatorButton::Edit));
    const QRect cancel = navigator.button(NavigatorButton::Cancel)->geometry();
    const QRect insert = navigator.button(NavigatorButton::Insert)->geometry();
    const QRect post = navigator.button(NavigatorButton::Post)->geometry();
    QCOMPARE(cancel.left(), 0);
    QCOMPARE(insert.left(), cancel.right() + 1);
    QCOMPARE(post.left(), insert.right() + 1);
    QCOMPARE(post.right(), navigator.width() - 1);
    for (const QRect& button : {cancel, insert, post}) {
        QVERIFY(qAbs(button.width() - navigator.width() / 3) <= 1);
        QCOMPARE(button.height(), navigator.height());
    }

    // Choosing again keeps the buttons still shown and drops the others.
    QToolButton* kept = navigator.button(NavigatorButton::Post);
    navigator.setVisibleButtons({NavigatorButton::Post, NavigatorButton::Edit});
    QCOMPARE(navigator.button(NavigatorButton::Post), kept);
    QVERIFY(!navigator.button(NavigatorButton::Cancel));
    QVERIFY(!navigator.button(NavigatorButton::Insert));
    QCOMPARE(navigator.findChildren<QToolButton*>().size(), 2);
    QCoreApplication::processEvents();
    QCOMPARE(kept->geometry().left(), 0);
    QCOMPARE(navigator.button(NavigatorButton::Edit)->geometry().right(), navigator.width() - 1);
}

void TestDBNavigator::byDefaultOnlyPostIsShown()
{
    DBNavigator navigator;
    QCOMPARE(navigator.findChildren<QToolButton*>(), QList<QToolButton*>{navigator.postButton()});
    QCOMPARE(navigator.button(NavigatorButton::Post), navigator.postButton());
    navigator.resize(37, 49);
    navigator.show();
    QCOMPARE(navigator.postButton()->geometry(), navigator.rect());
}

void TestDBNavigator::buttonsAvailableByState_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<Action>("act");
    QTest::addColumn<QStringList>("enabled");

    const QStringList browsing{QStringLiteral("InsertButton"), QStringLiteral("DeleteButton"),
                               QStringLiteral("EditButton")};
    // A new row can be started from an edit too: the edit is saved or dropped first.
    const QStringList editing{QStringLiteral("InsertButton"), QStringLiteral("PostButton"),
                              QStringLiteral("CancelButton")};
    const QStringList onlyInsert{QStringLiteral("InsertButton")};

    QTest::newRow("browsing") << 2 << Action([](Bar&) {}) << browsing;
    QTest::newRow("browsing nothing") << 0 << Action([](Bar&) {}) << onlyInsert;
    QTest::newRow("editing") << 2 << Action([](Bar& bar) { bar.posts.edit(); }) << editing;
    QTest::newRow("inserting") << 2 << Action([](Bar& bar) { bar.posts.insert(); }) << editing;
    QTest::newRow("inserting into nothing") << 0 << Action([](Bar& bar) { bar.posts.append(); }) << editing;
    QTest::newRow("insert cancelled") << 0 << Action([](Bar& bar) {
        bar.posts.insert();
        bar.posts.cancel();
    }) << onlyInsert;
    QTest::newRow("posted") << 2 << Action([](Bar& bar) {
        bar.posts.edit();
        bar.post().setValue(bar.name(QStringLiteral("changed")));
        bar.posts.post();
    }) << browsing;
    QTest::newRow("last row deleted") << 1 << Action([](Bar& bar) { bar.posts.remove(); }) << onlyInsert;
    QTest::newRow("closed") << 2 << Action([](Bar& bar) { bar.posts.close(); }) << QStringList();
    QTest::newRow("closed while editing") << 2 << Action([](Bar& bar) {
        bar.posts.edit();
        bar.posts.close();
    }) << QStringList();
    QTest::newRow("reopened") << 2 << Action([](Bar& bar) {
        bar.posts.close();
        bar.posts.open();
    }) << browsing;
    QTest::newRow("bound to nothing")
        << 2 << Action([](Bar& bar) { bar.navigator.setDataSource(nullptr); }) << QStringList();
    QTest::newRow("buttons chosen after binding") << 2 << Action([](Bar& bar) {
        bar.posts.edit();
        bar.navigator.setVisibleButtons({});
        bar.navigator.setVisibleButtons(allButtons);
    }) << editing;
}

void TestDBNavigator::buttonsAvailableByState()
{
    QFETCH(int, rows);
    QFETCH(Action, act);
    QFETCH(QStringList, enabled);
    Bar bar(*m_database->connection, rows);

    act(bar);

    QCOMPARE(bar.enabled(), enabled);
}

void TestDBNavigator::insertAndPostSaveANewRow()
{
    Bar bar(*m_database->connection, 2);
    bar.posts.moveTo(1);

    bar.click(NavigatorButton::Insert);
    QCOMPARE(bar.posts.state(), Dataset::State::Insert);
    QCOMPARE(bar.posts.recordCount(), 3);
    QCOMPARE(bar.posts.recNo(), 1);
    bar.post().setValue(bar.name(QStringLiteral("new")));
    bar.click(NavigatorButton::Post);

    QCOMPARE(bar.posts.state(), Dataset::State::Browse);
    QVERIFY(!bar.posts.fieldByName(QStringLiteral("id_post"))->value().isNull());
    QCOMPARE(bar.stored(), QStringList({bar.name(QStringLiteral("1")), bar.name(QStringLiteral("2")),
                                        bar.name(QStringLiteral("new"))})
                               .join(QLatin1Char(',')));
    QVERIFY(bar.platform.errors().isEmpty());
}

void TestDBNavigator::editAndCancelKeepTheRow()
{
    Bar bar(*m_database->connection, 2);
    const QString before = bar.stored();

    bar.click(NavigatorButton::Edit);
    QCOMPARE(bar.posts.state(), Dataset::State::Edit);
    bar.post().setValue(bar.name(QStringLiteral("typed")));
    bar.click(NavigatorButton::Cancel);

    QCOMPARE(bar.posts.state(), Dataset::State::Browse);
    QCOMPARE(bar.post().asString(), bar.name(QStringLiteral("1")));
    QCOMPARE(bar.posts.recordCount(), 2);
    QCOMPARE(bar.stored(), before);
}

void TestDBNavigator::deleteAsksFirst_data()
{
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<QStringList>("left");

    QTest::newRow("cancelled") << MessageAnswer::Cancel
                               << QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};
    QTest::newRow("confirmed") << MessageAnswer::Ok << QStringList{QStringLiteral("1"), QStringLiteral("3")};
}

void TestDBNavigator::deleteAsksFirst()
{
    QFETCH(MessageAnswer, answer);
    QFETCH(QStringList, left);
    Bar bar(*m_database->connection, 3);
    bar.posts.moveTo(1);

    bar.platform.queueAnswer(answer);
    bar.click(NavigatorButton::Delete);

    QCOMPARE(bar.platform.boxes().size(), 1);
    const ShownBox& box = bar.platform.boxes().first();
    QCOMPARE(box.owner, &bar.navigator);
    QCOMPARE(box.text, QStringLiteral("Delete record?"));
    QCOMPARE(box.caption, QStringLiteral("Confirm"));
    QCOMPARE(box.buttons, MessageButtons::OkCancel);
    QCOMPARE(box.icon, MessageIcon::Question);
    QStringList names;
    for (const QString& suffix : left)
        names << bar.name(suffix);
    QCOMPARE(bar.stored(), names.join(QLatin1Char(',')));
    QCOMPARE(bar.posts.recordCount(), left.size());
    QVERIFY(bar.platform.errors().isEmpty());
}

void TestDBNavigator::failuresAreShownAbortIsNot_data()
{
    QTest::addColumn<NavigatorButton>("which");
    QTest::addColumn<bool>("abort");
    QTest::addColumn<Dataset::State>("state");

    QTest::newRow("post refused") << NavigatorButton::Post << false << Dataset::State::Edit;
    QTest::newRow("post aborted") << NavigatorButton::Post << true << Dataset::State::Edit;
    QTest::newRow("delete refused") << NavigatorButton::Delete << false << Dataset::State::Browse;
    QTest::newRow("delete aborted") << NavigatorButton::Delete << true << Dataset::State::Browse;
}

void TestDBNavigator::failuresAreShownAbortIsNot()
{
    QFETCH(NavigatorButton, which);
    QFETCH(bool, abort);
    QFETCH(Dataset::State, state);
    Bar bar(*m_database->connection, 2);
    const QString before = bar.stored();
    const auto refuse = [abort](Dataset&) {
        if (abort)
            throw Abort();
        throw Error(QStringLiteral("Нельзя."));
    };
    bar.posts.beforePost = refuse;
    bar.posts.beforeDelete = refuse;
    if (which == NavigatorButton::Post) {
        bar.click(NavigatorButton::Edit);
        bar.post().setValue(bar.name(QStringLiteral("refused")));
    } else {
        bar.platform.queueAnswer(MessageAnswer::Ok);
    }

    bar.click(which);

    QCOMPARE(bar.platform.errors(), abort ? QStringList() : QStringList{QStringLiteral("Нельзя.")});
    QCOMPARE(bar.posts.state(), state);
    QCOMPARE(bar.posts.recordCount(), 2);
    QCOMPARE(bar.stored(), before);
}

QTEST_MAIN(TestDBNavigator)
#include "tst_dbnavigator.moc"
