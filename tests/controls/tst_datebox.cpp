#include "controls/CalendarPopup.h"
#include "controls/DateBox.h"
#include "tests/support/PopupPlacement.h"
#include "controls/TypedDate.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QToolButton>

using namespace zeb;

namespace {

const QDate shownAtStart(2026, 12, 11);

// A window with a line edit (somewhere else for the focus to be) and the box beside it.
struct BoxWindow
{
    BoxWindow()
    {
        auto* layout = new QHBoxLayout(&window);
        layout->addWidget(other);
        layout->addWidget(box);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        other->setFocus();
    }

    void type(const QString& text) const
    {
        for (const QChar ch : text)
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(ch),
                                Qt::NoModifier);
    }

    QWidget window;
    QLineEdit* other = new QLineEdit(&window);
    DateBox* box = new DateBox(shownAtStart, &window);
};

QRect screenArea(const QWidget& widget)
{
    return widget.screen()->availableGeometry();
}

} // namespace

class TestDateBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typedDates_data();
    void typedDates();
    void dateTypedInFullIsTakenAsTyped_data();
    void dateTypedInFullIsTakenAsTyped();
    void unfinishedDateGivesTheDateInEffectBack();
    void calendarPicksADate();
    void popupPositionStaysOnTheScreen_data();
    void popupPositionStaysOnTheScreen();
    void calendarOpensWhollyOnTheScreen_data();
    void calendarOpensWhollyOnTheScreen();
};

void TestDateBox::typedDates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");
    QTest::newRow("points") << QStringLiteral("01.01.2018") << QDate(2018, 1, 1);
    QTest::newRow("commas") << QStringLiteral("02,03,2018") << QDate(2018, 3, 2);
    QTest::newRow("slashes") << QStringLiteral("28/02/2019") << QDate(2019, 2, 28);
    QTest::newRow("single digits") << QStringLiteral("1.2.2018") << QDate(2018, 2, 1);
    QTest::newRow("digits only") << QStringLiteral("31122020") << QDate(2020, 12, 31);
    QTest::newRow("no such day") << QStringLiteral("30.02.2024") << QDate();
    QTest::newRow("short year") << QStringLiteral("01.01.18") << QDate();
    QTest::newRow("year unfinished") << QStringLiteral("01.01.201") << QDate();
    QTest::newRow("empty") << QString() << QDate();
}

void TestDateBox::typedDates()
{
    QFETCH(QString, text);
    QFETCH(QDate, date);
    QCOMPARE(typedDate(text), date);
}

void TestDateBox::dateTypedInFullIsTakenAsTyped_data()
{
    QTest::addColumn<QString>("enteredBy");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QDate>("date");
    for (const char* way : {"click left", "click middle", "click right", "Tab"}) {
        QTest::addRow("%s, points", way)
            << QString::fromLatin1(way) << QStringLiteral("01.01.2018") << QDate(2018, 1, 1);
        QTest::addRow("%s, commas", way)
            << QString::fromLatin1(way) << QStringLiteral("01,01,2018") << QDate(2018, 1, 1);
        QTest::addRow("%s, slashes", way)
            << QString::fromLatin1(way) << QStringLiteral("21/01/2018") << QDate(2018, 1, 21);
    }
}

// However the focus comes into the box, the date typed replaces the one shown, and it is taken once, when
// it is complete.
void TestDateBox::dateTypedInFullIsTakenAsTyped()
{
    QFETCH(QString, enteredBy);
    QFETCH(QString, typed);
    QFETCH(QDate, date);
    BoxWindow w;
    QSignalSpy changes(w.box, &DateBox::dateChanged);
    if (enteredBy == QLatin1String("Tab")) {
        QTest::keyClick(w.other, Qt::Key_Tab);
    } else {
        const int x = enteredBy == QLatin1String("click left")     ? 3
                      : enteredBy == QLatin1String("click middle") ? w.box->width() / 3
                                                                   : w.box->width() - w.box->height() - 3;
        QTest::mouseClick(w.box, Qt::LeftButton, {}, QPoint(x, w.box->height() / 2));
    }
    QCOMPARE(QApplication::focusWidget(), w.box);

    w.type(typed);

    QCOMPARE(w.box->date(), date);
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes.first().first().toDate(), date);
    QTest::keyClick(w.box, Qt::Key_Return);
    QCOMPARE(w.box->text(), date.toString(QStringLiteral("dd.MM.yyyy")));
}

void TestDateBox::unfinishedDateGivesTheDateInEffectBack()
{
    BoxWindow w;
    QSignalSpy changes(w.box, &DateBox::dateChanged);
    QTest::keyClick(w.other, Qt::Key_Tab);
    w.type(QStringLiteral("31.02.2024"));
    QCOMPARE(w.box->text(), QStringLiteral("31.02.2024"));
    QTest::keyClick(w.box, Qt::Key_Tab);

    QCOMPARE(QApplication::focusWidget(), w.other);
    QCOMPARE(w.box->text(), QStringLiteral("11.12.2026"));
    QCOMPARE(w.box->date(), shownAtStart);
    QCOMPARE(changes.size(), 0);
}

void TestDateBox::calendarPicksADate()
{
    BoxWindow w;
    QSignalSpy changes(w.box, &DateBox::dateChanged);
    QTest::keyClick(w.other, Qt::Key_Tab);
    QTest::keyClick(w.box, Qt::Key_F4);
    QCalendarWidget* calendar = w.box->calendarPopup()->calendar();
    QVERIFY(calendar->isVisible());
    QCOMPARE(calendar->selectedDate(), shownAtStart);
    auto* days = calendar->findChild<QTableView*>();
    QVERIFY(days);
    QTest::keyClick(days, Qt::Key_Left);
    QTest::keyClick(days, Qt::Key_Return);

    QVERIFY(!calendar->isVisible());
    QCOMPARE(w.box->date(), QDate(2026, 12, 10));
    QCOMPARE(w.box->text(), QStringLiteral("10.12.2026"));
    QCOMPARE(changes.size(), 1);
    QCOMPARE(QApplication::focusWidget(), w.box);
}

void TestDateBox::popupPositionStaysOnTheScreen_data()
{
    QTest::addColumn<QRect>("anchor");
    QTest::addColumn<QPoint>("position");
    // A pop-up of 250 x 200 on a screen of 800 x 600.
    QTest::newRow("room below") << QRect(100, 100, 90, 20) << QPoint(100, 120);
    QTest::newRow("bottom edge: above") << QRect(100, 570, 90, 20) << QPoint(100, 370);
    QTest::newRow("right edge") << QRect(760, 100, 40, 20) << QPoint(550, 120);
    QTest::newRow("bottom right corner") << QRect(760, 580, 40, 20) << QPoint(550, 380);
    QTest::newRow("left of the screen") << QRect(-30, 100, 90, 20) << QPoint(0, 120);
    QTest::newRow("no room either way: below, up to the edge")
        << QRect(100, 150, 90, 300) << QPoint(100, 400);
}

void TestDateBox::popupPositionStaysOnTheScreen()
{
    QFETCH(QRect, anchor);
    QFETCH(QPoint, position);
    QCOMPARE(popupPosition(anchor, QSize(250, 200), QRect(0, 0, 800, 600)), position);
}

void TestDateBox::calendarOpensWhollyOnTheScreen_data()
{
    QTest::addColumn<Qt::Alignment>("corner");
    QTest::newRow("top left") << Qt::Alignment(Qt::AlignTop | Qt::AlignLeft);
    QTest::newRow("top right") << Qt::Alignment(Qt::AlignTop | Qt::AlignRight);
    QTest::newRow("bottom left") << Qt::Alignment(Qt::AlignBottom | Qt::AlignLeft);
    QTest::newRow("bottom right") << Qt::Alignment(Qt::AlignBottom | Qt::AlignRight);
}

// The box in a window pushed into each corner of the screen.
void TestDateBox::calendarOpensWhollyOnTheScreen()
{
    QFETCH(Qt::Alignment, corner);
    BoxWindow w;
    const QRect screen = screenArea(w.window);
    QRect placed(QPoint(), w.window.frameGeometry().size());
    placed.moveLeft(corner & Qt::AlignRight ? screen.right() + 1 - placed.width() : screen.left());
    placed.moveTop(corner & Qt::AlignBottom ? screen.bottom() + 1 - placed.height() : screen.top());
    w.window.move(placed.topLeft());
    QCOMPARE(w.window.frameGeometry().topLeft(), placed.topLeft());

    QTest::mouseClick(w.box->calendarButton(), Qt::LeftButton);

    CalendarPopup* popup = w.box->calendarPopup();
    QVERIFY(popup->isVisible());
    const QString fault = popupPlacementFault(*popup, screen, *w.box);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

QTEST_MAIN(TestDateBox)
#include "tst_datebox.moc"
