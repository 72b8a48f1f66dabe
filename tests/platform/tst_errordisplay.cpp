#include "platform/Error.h"
#include "platform/seam/ErrorDisplayApplication.h"
#include "tests/support/ScriptedPlatform.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <stdexcept>

using namespace zeb;

namespace {

enum class Raised
{
    Error,
    IoError,
    StandardException,
    Abort,
};

[[noreturn]] void raise(Raised kind)
{
    switch (kind) {
    case Raised::Error:
        throw Error(QStringLiteral("Нарушено ограничение уникальности"));
    case Raised::IoError:
        throw IoError(QStringLiteral("Не удалось записать файл «ZEB 7.t»"));
    case Raised::StandardException:
        throw std::runtime_error("bad allocation");
    case Raised::Abort:
        throw Abort();
    }
    throw Abort();
}

} // namespace

Q_DECLARE_METATYPE(Raised)

class TestErrorDisplay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void errorFromAClickedSlotIsShown_data();
    void errorFromAClickedSlotIsShown();
    void errorFromATimerIsShown();
};

void TestErrorDisplay::errorFromAClickedSlotIsShown_data()
{
    QTest::addColumn<Raised>("raised");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("error") << Raised::Error
                           << QStringList{QStringLiteral("Нарушено ограничение уникальности")};
    QTest::newRow("I/O error") << Raised::IoError
                               << QStringList{QStringLiteral("Не удалось записать файл «ZEB 7.t»")};
    QTest::newRow("std::exception") << Raised::StandardException
                                    << QStringList{QStringLiteral("bad allocation")};
    QTest::newRow("abort is silent") << Raised::Abort << QStringList();
}

void TestErrorDisplay::errorFromAClickedSlotIsShown()
{
    QFETCH(Raised, raised);
    QFETCH(QStringList, shown);

    ScriptedPlatform platform;
    QPushButton button(QStringLiteral("Сохранить"));
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, &button, [&clicks, raised] {
        ++clicks;
        raise(raised);
    });
    button.show();

    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(platform.errors(), shown);

    // The window goes on working: the next click arrives and is reported the same way.
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(clicks, 2);
    QCOMPARE(platform.errors(), shown + shown);
    QVERIFY(!button.isDown());
}

void TestErrorDisplay::errorFromATimerIsShown()
{
    ScriptedPlatform platform;
    QTimer::singleShot(0, [] { raise(Raised::Error); });
    QTRY_COMPARE(platform.errors(), QStringList{QStringLiteral("Нарушено ограничение уникальности")});
}

int main(int argc, char** argv)
{
    ErrorDisplayApplication application(argc, argv);
    TestErrorDisplay test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_errordisplay.moc"
