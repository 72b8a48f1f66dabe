#include "platform/seam/DesktopPlatform.h"

#include <QDialog>
#include <QTest>
#include <QTimer>

using namespace zeb;

class TestTerminate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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

QTEST_MAIN(TestTerminate)
#include "tst_terminate.moc"
