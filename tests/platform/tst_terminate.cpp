#include "platform/seam/DesktopPlatform.h"
#include "platform/seam/ModalDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace zeb;

class TestTerminate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Before the request to terminate, after which every event loop ends at once.
    void aBoxUpIsClosedWithTheModalRuns();
    void nestedModalRunsEndCancelled();
};

// The sign-in dialog runs inside the main window's creation and may open a dialog of its own; a request to
// terminate from the innermost one ends both runs as cancelled, and later runs end at once.
void TestTerminate::nestedModalRunsEndCancelled()
{
    DesktopPlatform platform;
    QDialog outer;
    QDialog inner(&outer);
    int innerResult = 0;
    QTimer::singleShot(0, &outer, [&] {
        QTimer::singleShot(0, &inner, [&] {
            inner.setResult(QDialog::Accepted);
            platform.requestTerminate();
        });
        innerResult = platform.runModal(inner);
    });
    outer.setResult(QDialog::Accepted);

    QCOMPARE(platform.runModal(outer), ModalResult::Cancel);
    QCOMPARE(innerResult, ModalResult::Cancel);
    QVERIFY(platform.terminationRequested());
    QVERIFY(!outer.isVisible());
    QVERIFY(!inner.isVisible());

    QDialog later;
    QCOMPARE(platform.runModal(later), ModalResult::Cancel);
    QVERIFY(!later.isVisible());
}

// Ending the modal runs for a request to terminate closes a question box too: it is answered as if closed.
void TestTerminate::aBoxUpIsClosedWithTheModalRuns()
{
    DesktopPlatform platform;
    QWidget owner;
    owner.show();
    bool shown = false;
    bool closed = false;
    auto* poll = new QTimer(&owner);
    QObject::connect(poll, &QTimer::timeout, poll, [&] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (!qobject_cast<QMessageBox*>(window) || !window->isVisible())
                continue;
            poll->stop();
            shown = true;
            rejectModalDialogs();
            closed = !window->isVisible();
            return;
        }
    });
    poll->start(10);

    QCOMPARE(platform.messageBox(&owner, QStringLiteral("Удалить строку?"), QStringLiteral("Подтверждение"),
                                 MessageButtons::YesNo, MessageIcon::Question),
             MessageAnswer::No);
    QVERIFY(shown);
    QVERIFY(closed);
}

QTEST_MAIN(TestTerminate)
#include "tst_terminate.moc"
