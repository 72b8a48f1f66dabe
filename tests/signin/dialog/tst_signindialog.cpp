#include "data/module/DataModule.h"
#include "tests/support/NamedChild.h"
#include "tests/support/ScriptedPlatform.h"
#include "signin/dialog/ShadowLabel.h"
#include "signin/dialog/SignInDialog.h"
#include "tests/support/TestInstallation.h"
#include "server/UserAdmin.h"
#include "signin/dialog/VersionLabel.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace zeb;

namespace {

void typeOneByOne(QWidget* field, const QString& text)
{
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

void sendMouse(QWidget* target, QEvent::Type type, const QPoint& local, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(local), QPointF(target->mapToGlobal(local)), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

template <typename Part> Part* part(QWidget& dialog, const char* name)
{
    return dialog.findChild<Part*>(QString::fromLatin1(name));
}

// The dialog as the active window, so that keys reach the focus.
bool showActive(QWidget& dialog)
{
    dialog.show();
    dialog.activateWindow();
    return QTest::qWaitForWindowActive(&dialog);
}

QString focusName()
{
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

// Presses the key where the focus is and tells where it is afterwards.
QString pressWhereFocused(Qt::Key key)
{
    QTest::keyClick(QApplication::focusWidget(), key);
    return focusName();
}

// Presses the left button on a part of the dialog, moves the mouse by `delta` and releases it.
void drag(QWidget* part, const QPoint& delta, Qt::MouseButton button = Qt::LeftButton)
{
    const QPoint start(10, 10);
    sendMouse(part, QEvent::MouseButtonPress, start, button, button);
    sendMouse(part, QEvent::MouseMove, start + delta, Qt::NoButton, button);
    sendMouse(part, QEvent::MouseButtonRelease, start + delta, button, Qt::NoButton);
}

} // namespace

// A sign-in dialog on a home folder: an empty temporary one, or a demo installation.
struct DialogRig
{
    explicit DialogRig(const QString& home) : dialog(dataModule, home)
    {
        dataModule.connection.setDataDirectory(QDir(home).filePath(QStringLiteral("Data")));
    }

    DataModule dataModule;
    SignInDialog dialog;
};

class TestSignInDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void controlsLieOverThePictures_data();
    void controlsLieOverThePictures();
    void dialogAtCreation();
    void versionLabel_data();
    void versionLabel();
    void moreButtonTogglesTheArea();
    void leftoverUpdateScriptIsRemoved();
    void exitTimerEndsTheProgram();
    void enterInAnyFieldSignsIn_data();
    void enterInAnyFieldSignsIn();
    void tabOrder_data();
    void tabOrder();
    void moreButtonByKeyboard_data();
    void moreButtonByKeyboard();
    void focusedButtonIsMarked_data();
    void focusedButtonIsMarked();
    void keyboardOnlySignIn_data();
    void keyboardOnlySignIn();
    void keyboardOnlyCancel_data();
    void keyboardOnlyCancel();
    void unreadableSettingsAreToldWhenTheDialogOpens_data();
    void unreadableSettingsAreToldWhenTheDialogOpens();
    void missingDatabaseIsToldPlainly();
    void loginTextIsNotSelectedOnEntry();
    void newPasswordFieldsTakeOnlyLatinDigitsAndUnderscore_data();
    void newPasswordFieldsTakeOnlyLatinDigitsAndUnderscore();
    void cyrillicLoginSignsIn();
    void demandedChangeDisablesTheMoreButton();
    void addressLookupErrorReachesTheErrorDisplay();
    void cancelEndsWithCancelAndTermination();
    void draggingMovesTheWindow_data();
    void draggingMovesTheWindow();

private:
    QTemporaryDir m_emptyHome;
};

void TestSignInDialog::initTestCase()
{
    QVERIFY(m_emptyHome.isValid());
}

void TestSignInDialog::controlsLieOverThePictures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");

    QTest::newRow("Image1") << QStringLiteral("Image1") << QRect(0, 0, 497, 278);
    QTest::newRow("Image2") << QStringLiteral("Image2") << QRect(0, 277, 497, 139);
    QTest::newRow("Login_Edit") << QStringLiteral("Login_Edit") << QRect(146, 202, 187, 21);
    QTest::newRow("Password_Edit") << QStringLiteral("Password_Edit") << QRect(146, 238, 187, 21);
    QTest::newRow("Edit1") << QStringLiteral("Edit1") << QRect(148, 309, 186, 21);
    QTest::newRow("Edit2") << QStringLiteral("Edit2") << QRect(148, 345, 186, 21);
    QTest::newRow("SpeedButton2") << QStringLiteral("SpeedButton2") << QRect(349, 200, 55, 20);
    QTest::newRow("SpeedButton1") << QStringLiteral("SpeedButton1") << QRect(418, 199, 67, 22);
    QTest::newRow("SpeedButton3") << QStringLiteral("SpeedButton3") << QRect(346, 236, 139, 22);
    QTest::newRow("RzLabel1") << QStringLiteral("RzLabel1") << QRect(60, 107, 329, 78);
}

void TestSignInDialog::controlsLieOverThePictures()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);

    ScriptedPlatform platform;
    DialogRig rig(m_emptyHome.path());
    const auto* control = rig.dialog.findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), geometry);
    if (const auto* button = qobject_cast<const QToolButton*>(control)) {
        QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(button->text().isEmpty());
        QVERIFY(button->icon().isNull());
    }
    if (const auto* field = qobject_cast<const QLineEdit*>(control)) {
        QVERIFY(!field->hasFrame());
        QCOMPARE(field->echoMode(),
                 name == QStringLiteral("Login_Edit") ? QLineEdit::Normal : QLineEdit::Password);
    }
    if (const auto* picture = qobject_cast<const QLabel*>(control); picture && name.startsWith(u"Image"))
        QCOMPARE(picture->pixmap().size(), geometry.size());
}

void TestSignInDialog::dialogAtCreation()
{
    ScriptedPlatform platform;
    DialogRig rig(m_emptyHome.path());
    SignInDialog& dialog = rig.dialog;

    QCOMPARE(dialog.size(), QSize(497, 273));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Аутентификация"));
    QVERIFY(dialog.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(child<ShadowLabel>(dialog, "RzLabel1")->text(), QString());
    QCOMPARE(child<ShadowLabel>(dialog, "RzLabel1")->font().family(), QStringLiteral("Arial"));
    QVERIFY(child<ShadowLabel>(dialog, "RzLabel1")->font().bold());
    QCOMPARE(child<ShadowLabel>(dialog, "RzLabel1")->font().pixelSize(), 13);
    QVERIFY(child<ShadowLabel>(dialog, "RzLabel1")->wordWrap());
    QCOMPARE(child<ShadowLabel>(dialog, "RzLabel1")->alignment(), Qt::Alignment(Qt::AlignCenter));
    QCOMPARE(child<QLabel>(dialog, "Label1")->pos(), QPoint(6, 5));
    QCOMPARE(child<QLabel>(dialog, "Label1")->font().family(), QStringLiteral("MS Sans Serif"));
    QVERIFY(child<QLabel>(dialog, "Label1")->font().bold());
    QCOMPARE(child<QTimer>(dialog, "Timer1")->interval(), 2000);
    QVERIFY(!child<QTimer>(dialog, "Timer1")->isActive());
    QCOMPARE(dialog.flow().attemptCount(), quint8(0));
    QVERIFY(!dialog.flow().passwordAreaOpen());
    QCOMPARE(child<QLineEdit>(dialog, "Login_Edit")->nextInFocusChain(),
             child<QLineEdit>(dialog, "Password_Edit"));
    QCOMPARE(child<QLineEdit>(dialog, "Password_Edit")->nextInFocusChain(),
             child<QLineEdit>(dialog, "Edit1"));
    QCOMPARE(child<QLineEdit>(dialog, "Edit1")->nextInFocusChain(), child<QLineEdit>(dialog, "Edit2"));
    QVERIFY(child<QLineEdit>(dialog, "Edit1")->isHidden());
    QVERIFY(child<QLineEdit>(dialog, "Edit2")->isHidden());
}

void TestSignInDialog::versionLabel_data()
{
    QTest::addColumn<QDateTime>("built");
    QTest::addColumn<QString>("text");

    QTest::newRow("afternoon") << QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9))
                               << QStringLiteral("V.1   [ 05.03.2024 14:07:09 ]");
    QTest::newRow("morning") << QDateTime(QDate(2023, 11, 28), QTime(9, 0, 0))
                             << QStringLiteral("V.1   [ 28.11.2023 9:00:00 ]");
    QTest::newRow("exactly midnight")
        << QDateTime(QDate(2024, 3, 5), QTime(0, 0, 0)) << QStringLiteral("V.1   [ 05.03.2024 ]");
    QTest::newRow("a second after midnight")
        << QDateTime(QDate(2024, 3, 5), QTime(0, 0, 1)) << QStringLiteral("V.1   [ 05.03.2024 0:00:01 ]");
}

void TestSignInDialog::versionLabel()
{
    QFETCH(QDateTime, built);
    QFETCH(QString, text);
    QCOMPARE(versionLabelText(built), text);

    ScriptedPlatform platform;
    DialogRig rig(m_emptyHome.path());
    QCOMPARE(child<QLabel>(rig.dialog, "Label1")->text(), versionLabelText(buildDateTime()));
}

void TestSignInDialog::moreButtonTogglesTheArea()
{
    ScriptedPlatform platform;
    DialogRig rig(m_emptyHome.path());
    child<QToolButton>(rig.dialog, "SpeedButton3")->click();
    QCOMPARE(rig.dialog.height(), 416);
    QVERIFY(rig.dialog.flow().passwordAreaOpen());
    QVERIFY(!child<QLineEdit>(rig.dialog, "Edit1")->isHidden());
    QVERIFY(!child<QLineEdit>(rig.dialog, "Edit2")->isHidden());
    child<QToolButton>(rig.dialog, "SpeedButton3")->click();
    QCOMPARE(rig.dialog.height(), 275);
    QVERIFY(!rig.dialog.flow().passwordAreaOpen());
    QVERIFY(child<QLineEdit>(rig.dialog, "Edit1")->isHidden());
    QVERIFY(child<QLineEdit>(rig.dialog, "Edit2")->isHidden());
    QCOMPARE(rig.dialog.width(), 497);
}

void TestSignInDialog::leftoverUpdateScriptIsRemoved()
{
    ScriptedPlatform platform;
    QTemporaryDir home;
    QFile script(QDir(home.path()).filePath(QStringLiteral("ZEB 7.bat")));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.close();

    DialogRig rig(home.path());
    QVERIFY(!script.exists());
    QCOMPARE(platform.errors(), QStringList());
}

void TestSignInDialog::exitTimerEndsTheProgram()
{
    ScriptedPlatform platform;
    DialogRig rig(m_emptyHome.path());
    rig.dialog.exitTimerTick();
    QCOMPARE(platform.terminationRequests(), 1);
    QCOMPARE(child<QTimer>(rig.dialog, "Timer1")->interval(), 100);
    rig.dialog.exitTimerTick();
    QCOMPARE(platform.terminationRequests(), 2);
}

void TestSignInDialog::enterInAnyFieldSignsIn_data()
{
    QTest::addColumn<QString>("field");
    for (const char* name : {"Login_Edit", "Password_Edit", "Edit1", "Edit2"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestSignInDialog::enterInAnyFieldSignsIn()
{
    QFETCH(QString, field);
    ScriptedPlatform platform;
    // No settings file: the attempt ends at once in the error display.
    DialogRig rig(m_emptyHome.path());
    rig.dialog.show();
    auto* edit = rig.dialog.findChild<QLineEdit*>(field);
    edit->setText(QStringLiteral("abc"));

    QTest::keyClick(edit, Qt::Key_Return);

    QCOMPARE(rig.dialog.flow().attemptCount(), quint8(1));
    QCOMPARE(platform.errors().size(), 1);
    QVERIFY2(platform.errors().at(0).contains(QStringLiteral("ZEB")), qPrintable(platform.errors().at(0)));
    QCOMPARE(edit->text(), QStringLiteral("abc"));
    QVERIFY(rig.dialog.isVisible());
    QCOMPARE(rig.dialog.result(), 0);

    QTest::keyClick(edit, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(rig.dialog.flow().attemptCount(), quint8(2));
}

void TestSignInDialog::tabOrder_data()
{
    QTest::addColumn<bool>("areaShown");
    QTest::addColumn<QStringList>("order");

    const QStringList fields{QStringLiteral("Login_Edit"), QStringLiteral("Password_Edit")};
    const QStringList area{QStringLiteral("Edit1"), QStringLiteral("Edit2")};
    const QStringList buttons{QStringLiteral("SpeedButton2"), QStringLiteral("SpeedButton1"),
                              QStringLiteral("SpeedButton3")};
    QTest::newRow("area hidden") << false << fields + buttons;
    QTest::newRow("area shown") << true << fields + area + buttons;
}

void TestSignInDialog::tabOrder()
{
    QFETCH(bool, areaShown);
    QFETCH(QStringList, order);

    ScriptedPlatform platform;
    DialogRig rig(m_emptyHome.path());
    if (areaShown)
        part<QToolButton>(rig.dialog, "SpeedButton3")->click();
    QVERIFY(showActive(rig.dialog));
    QCOMPARE(focusName(), QStringLiteral("Login_Edit"));
    QCOMPARE(part<QLineEdit>(rig.dialog, "Edit1")->isVisible(), areaShown);
    QCOMPARE(part<QLineEdit>(rig.dialog, "Edit2")->isVisible(), areaShown);

    // Once round and back to the login, forwards and backwards.
    QStringList forwards;
    QStringList backwards;
    for (qsizetype step = 0; step < order.size(); ++step)
        forwards.append(pressWhereFocused(Qt::Key_Tab));
    for (qsizetype step = 0; step < order.size(); ++step)
        backwards.prepend(pressWhereFocused(Qt::Key_Backtab));
    QCOMPARE(forwards, order.mid(1) + order.mid(0, 1));
    QCOMPARE(backwards, order);
}

void TestSignInDialog::moreButtonByKeyboard_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Space") << int(Qt::Key_Space);
    QTest::newRow("Return") << int(Qt::Key_Return);
}

void TestSignInDialog::moreButtonByKeyboard()
{
    QFETCH(int, key);
    ScriptedPlatform platform;
    DialogRig rig(m_emptyHome.path());
    QVERIFY(showActive(rig.dialog));
    for (int tabs = 0; tabs < 4; ++tabs)
        pressWhereFocused(Qt::Key_Tab);
    QCOMPARE(focusName(), QStringLiteral("SpeedButton3"));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    QCOMPARE(rig.dialog.height(), 416);
    QVERIFY(part<QLineEdit>(rig.dialog, "Edit1")->isVisible());
    QCOMPARE(focusName(), QStringLiteral("SpeedButton3"));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    QCOMPARE(rig.dialog.height(), 275);
    QVERIFY(!part<QLineEdit>(rig.dialog, "Edit1")->isVisible());
    QCOMPARE(rig.dialog.flow().attemptCount(), quint8(0));
}

void TestSignInDialog::focusedButtonIsMarked_data()
{
    QTest::addColumn<QString>("button");
    for (const char* name : {"SpeedButton2", "SpeedButton1", "SpeedButton3"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestSignInDialog::focusedButtonIsMarked()
{
    QFETCH(QString, button);
    ScriptedPlatform platform;
    DialogRig rig(m_emptyHome.path());
    QVERIFY(showActive(rig.dialog));
    auto* target = rig.dialog.findChild<QToolButton*>(button);

    // A click leaves the focus in the field being typed.
    QTest::mouseClick(part<QToolButton>(rig.dialog, "SpeedButton3"), Qt::LeftButton);
    QTest::mouseClick(part<QToolButton>(rig.dialog, "SpeedButton3"), Qt::LeftButton);
    QCOMPARE(focusName(), QStringLiteral("Login_Edit"));
    const QImage unfocused = rig.dialog.grab(target->geometry()).toImage();

    while (focusName() != button)
        pressWhereFocused(Qt::Key_Tab);
    const QImage focused = rig.dialog.grab(target->geometry()).toImage();
    QVERIFY(focused != unfocused);
}

void TestSignInDialog::keyboardOnlySignIn_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Space") << int(Qt::Key_Space);
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
}

void TestSignInDialog::keyboardOnlySignIn()
{
    QFETCH(int, key);
    ScriptedPlatform platform;
    std::unique_ptr<TestInstallation> installation;
    QVERIFY_THROWS_NO_EXCEPTION(installation = std::make_unique<TestInstallation>(EngineKind::Sqlite, true));
    DialogRig rig(installation->directory());
    QStringList focusPath;
    platform.queueModal([&focusPath, key](QDialog& shown) {
        shown.setModal(true);
        if (!showActive(shown))
            return 0;
        focusPath.append(focusName());
        typeOneByOne(QApplication::focusWidget(), QStringLiteral("kadry"));
        focusPath.append(pressWhereFocused(Qt::Key_Tab));
        typeOneByOne(QApplication::focusWidget(), QStringLiteral("kadry123"));
        focusPath.append(pressWhereFocused(Qt::Key_Tab));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        return shown.result();
    });

    QCOMPARE(platform.runModal(rig.dialog), ModalResult::Ok);
    QCOMPARE(focusPath, QStringList({QStringLiteral("Login_Edit"), QStringLiteral("Password_Edit"),
                                     QStringLiteral("SpeedButton2")}));
    QCOMPARE(rig.dataModule.sessionLogin(), QStringLiteral("kadry"));
    QCOMPARE(platform.errors(), QStringList());
    QCOMPARE(platform.terminationRequests(), 0);
}

void TestSignInDialog::keyboardOnlyCancel_data()
{
    QTest::addColumn<bool>("areaShown");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");

    QTest::newRow("Space on the cancel button")
        << false << QStringLiteral("SpeedButton1") << int(Qt::Key_Space);
    QTest::newRow("Enter on the cancel button")
        << false << QStringLiteral("SpeedButton1") << int(Qt::Key_Return);
    QTest::newRow("Escape in the login") << false << QStringLiteral("Login_Edit") << int(Qt::Key_Escape);
    QTest::newRow("Escape in the password")
        << false << QStringLiteral("Password_Edit") << int(Qt::Key_Escape);
    QTest::newRow("Escape in the new password") << true << QStringLiteral("Edit1") << int(Qt::Key_Escape);
    QTest::newRow("Escape in the confirmation") << true << QStringLiteral("Edit2") << int(Qt::Key_Escape);
    QTest::newRow("Escape on the sign-in button")
        << false << QStringLiteral("SpeedButton2") << int(Qt::Key_Escape);
    QTest::newRow("Escape on the more button")
        << false << QStringLiteral("SpeedButton3") << int(Qt::Key_Escape);
}

void TestSignInDialog::keyboardOnlyCancel()
{
    QFETCH(bool, areaShown);
    QFETCH(QString, focus);
    QFETCH(int, key);

    ScriptedPlatform platform;
    DialogRig rig(m_emptyHome.path());
    if (areaShown)
        part<QToolButton>(rig.dialog, "SpeedButton3")->click();
    QString pressedIn;
    platform.queueModal([&pressedIn, focus, key](QDialog& shown) {
        shown.setModal(true);
        if (!showActive(shown))
            return 0;
        for (int tabs = 0; tabs < 8 && focusName() != focus; ++tabs)
            pressWhereFocused(Qt::Key_Tab);
        pressedIn = focusName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        return shown.result();
    });

    QCOMPARE(platform.runModal(rig.dialog), ModalResult::Cancel);
    QCOMPARE(pressedIn, focus);
    QCOMPARE(platform.terminationRequests(), 1);
    QVERIFY(!rig.dialog.isVisible());
    QCOMPARE(rig.dialog.flow().attemptCount(), quint8(0));
}

void TestSignInDialog::unreadableSettingsAreToldWhenTheDialogOpens_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("relativeHome");
    QTest::addColumn<QString>("told");

    QTest::newRow("missing") << QByteArray() << false << QStringLiteral("не найден");
    QTest::newRow("missing, home given relatively") << QByteArray() << true << QStringLiteral("не найден");
    QTest::newRow("83 bytes") << QByteArray(83, 'x') << false << QStringLiteral("повреждён");
    QTest::newRow("84 bytes") << QByteArray(84, 'x') << false << QString();
}

void TestSignInDialog::unreadableSettingsAreToldWhenTheDialogOpens()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, relativeHome);
    QFETCH(QString, told);

    QTemporaryDir home;
    const QString settingsPath = QDir(home.path()).filePath(QStringLiteral("Data/ZEB"));
    if (!content.isNull()) {
        QVERIFY(QDir().mkpath(QFileInfo(settingsPath).path()));
        QFile file(settingsPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    ScriptedPlatform platform;
    DialogRig rig(relativeHome ? QDir::current().relativeFilePath(home.path()) : home.path());

    rig.dialog.show();
    QCoreApplication::processEvents();

    if (told.isEmpty()) {
        QCOMPARE(platform.errors(), QStringList());
        return;
    }
    QCOMPARE(platform.errors().size(), 1);
    const QString shown = platform.errors().at(0);
    QVERIFY2(shown.contains(QStringLiteral("«%1»").arg(QDir::toNativeSeparators(settingsPath))) &&
                 shown.contains(told),
             qPrintable(shown));
    QCOMPARE(part<ShadowLabel>(rig.dialog, "RzLabel1")->text(), QString());

    // Told once, not at every showing; each attempt still ends with it.
    rig.dialog.hide();
    rig.dialog.show();
    QCoreApplication::processEvents();
    part<QToolButton>(rig.dialog, "SpeedButton2")->click();
    QCOMPARE(platform.errors(), QStringList({shown, shown}));
}

void TestSignInDialog::missingDatabaseIsToldPlainly()
{
    ScriptedPlatform platform;
    std::unique_ptr<TestInstallation> installation;
    QVERIFY_THROWS_NO_EXCEPTION(installation = std::make_unique<TestInstallation>(EngineKind::Sqlite, true));
    const QString databaseFile =
        QDir(installation->dataDirectory()).filePath(installation->settings().dataSource.section(u':', 1));
    QVERIFY(QFile::remove(databaseFile));
    DialogRig rig(installation->directory());
    QVERIFY(showActive(rig.dialog));
    part<QLineEdit>(rig.dialog, "Login_Edit")->setText(QStringLiteral("kadry"));
    part<QLineEdit>(rig.dialog, "Password_Edit")->setText(QStringLiteral("kadry123"));

    QTest::keyClick(part<QLineEdit>(rig.dialog, "Password_Edit"), Qt::Key_Return);

    QCOMPARE(part<ShadowLabel>(rig.dialog, "RzLabel1")->text(),
             QStringLiteral("Не удаётся подключиться к базе данных.\rОбратитесь к администратору."));
    QCOMPARE(platform.errors().size(), 1);
    const QString shown = platform.errors().at(0);
    QVERIFY2(shown.startsWith(QStringLiteral("Не удаётся подключиться к базе данных.\n")) &&
                 shown.contains(QFileInfo(databaseFile).fileName()),
             qPrintable(shown));
    QVERIFY(!rig.dataModule.connection.isOpen());
    QVERIFY(rig.dialog.isVisible());
}

void TestSignInDialog::loginTextIsNotSelectedOnEntry()
{
    ScriptedPlatform platform;
    DialogRig rig(m_emptyHome.path());
    rig.dialog.show();
    rig.dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&rig.dialog));
    child<QLineEdit>(rig.dialog, "Login_Edit")->setText(QStringLiteral("kadry"));
    child<QLineEdit>(rig.dialog, "Password_Edit")->setText(QStringLiteral("secret"));

    child<QLineEdit>(rig.dialog, "Password_Edit")->setFocus(Qt::TabFocusReason);
    QVERIFY(child<QLineEdit>(rig.dialog, "Password_Edit")->hasSelectedText());
    child<QLineEdit>(rig.dialog, "Login_Edit")->setFocus(Qt::TabFocusReason);
    QVERIFY(child<QLineEdit>(rig.dialog, "Login_Edit")->hasFocus());
    QVERIFY(!child<QLineEdit>(rig.dialog, "Login_Edit")->hasSelectedText());
}

void TestSignInDialog::newPasswordFieldsTakeOnlyLatinDigitsAndUnderscore_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");

    for (const char* field : {"Edit1", "Edit2"}) {
        QTest::addRow("%s: allowed", field)
            << QString::fromLatin1(field) << QStringLiteral("aZ_09zA") << QStringLiteral("aZ_09zA");
        QTest::addRow("%s: cyrillic", field)
            << QString::fromLatin1(field) << QStringLiteral("пароль") << QString();
        QTest::addRow("%s: mixed", field)
            << QString::fromLatin1(field) << QStringLiteral("ab ж-1!.,Ё;2") << QStringLiteral("ab12");
    }
    QTest::newRow("Login_Edit takes everything")
        << QStringLiteral("Login_Edit") << QStringLiteral("Иванов И.И. 1") << QStringLiteral("Иванов И.И. 1");
    QTest::newRow("Password_Edit takes everything")
        << QStringLiteral("Password_Edit") << QStringLiteral("пароль 1!") << QStringLiteral("пароль 1!");
}

void TestSignInDialog::newPasswordFieldsTakeOnlyLatinDigitsAndUnderscore()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, kept);

    ScriptedPlatform platform;
    DialogRig rig(m_emptyHome.path());
    child<QToolButton>(rig.dialog, "SpeedButton3")->click();
    rig.dialog.show();
    auto* edit = rig.dialog.findChild<QLineEdit*>(field);
    edit->setFocus();

    typeOneByOne(edit, typed);
    QCOMPARE(edit->text(), kept);

    // Backspace and the cursor keys still work; pasted text is not filtered.
    edit->setText(QStringLiteral("abc"));
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClick(edit, Qt::Key_Delete);
    QCOMPARE(edit->text(), QStringLiteral("b"));
    edit->insert(QStringLiteral("ж "));
    QCOMPARE(edit->text(), QStringLiteral("ж b"));
}

void TestSignInDialog::cyrillicLoginSignsIn()
{
    ScriptedPlatform platform;
    std::unique_ptr<TestInstallation> installation;
    QVERIFY_THROWS_NO_EXCEPTION(installation = std::make_unique<TestInstallation>(EngineKind::Sqlite, true));
    UserAdmin(*installation->adminEngine())
        .add(QStringLiteral("Иванов"), QStringLiteral("Пароль-1"), false, QStringLiteral("Иванов И.И."));

    DialogRig rig(installation->directory());
    platform.queueModal([](QDialog& shown) {
        auto& dialog = static_cast<SignInDialog&>(shown);
        dialog.setModal(true);
        dialog.show();
        typeOneByOne(child<QLineEdit>(dialog, "Login_Edit"), QStringLiteral("Иванов"));
        QTest::keyClick(child<QLineEdit>(dialog, "Login_Edit"), Qt::Key_Tab);
        typeOneByOne(child<QLineEdit>(dialog, "Password_Edit"), QStringLiteral("Пароль-1"));
        QTest::keyClick(child<QLineEdit>(dialog, "Password_Edit"), Qt::Key_Return);
        return dialog.result();
    });

    QCOMPARE(platform.runModal(rig.dialog), ModalResult::Ok);
    QCOMPARE(child<QLineEdit>(rig.dialog, "Login_Edit")->text(), QStringLiteral("Иванов"));
    QCOMPARE(rig.dataModule.sessionLogin(), QStringLiteral("Иванов"));
    QVERIFY(!rig.dialog.isVisible());
    QCOMPARE(platform.errors(), QStringList());
}

void TestSignInDialog::demandedChangeDisablesTheMoreButton()
{
    ScriptedPlatform platform;
    std::unique_ptr<TestInstallation> installation;
    QVERIFY_THROWS_NO_EXCEPTION(installation = std::make_unique<TestInstallation>(EngineKind::Sqlite, true));
    DialogRig rig(installation->directory());
    rig.dialog.show();
    child<QLineEdit>(rig.dialog, "Login_Edit")->setText(QStringLiteral("novikova"));
    child<QLineEdit>(rig.dialog, "Password_Edit")->setText(QStringLiteral("novikova1"));

    QTest::mouseClick(child<QToolButton>(rig.dialog, "SpeedButton2"), Qt::LeftButton);

    QCOMPARE(child<ShadowLabel>(rig.dialog, "RzLabel1")->text(),
             QStringLiteral("Вы должны поменять пароль\rЭто делается для безопастности и сохранения данных "
                            "от злоумышлеников"));
    QCOMPARE(rig.dialog.height(), 416);
    QVERIFY(!child<QToolButton>(rig.dialog, "SpeedButton3")->isEnabled());
    QVERIFY(rig.dialog.isVisible());

    // The area stays open; a differing confirmation is refused and empties both fields.
    child<QToolButton>(rig.dialog, "SpeedButton3")->click();
    QCOMPARE(rig.dialog.height(), 416);
    child<QLineEdit>(rig.dialog, "Edit1")->setText(QStringLiteral("abcdef"));
    child<QLineEdit>(rig.dialog, "Edit2")->setText(QStringLiteral("abcdeg"));
    QTest::keyClick(child<QLineEdit>(rig.dialog, "Edit2"), Qt::Key_Return);
    QCOMPARE(child<ShadowLabel>(rig.dialog, "RzLabel1")->text(),
             QStringLiteral("Новый пароль подтвержден не верно!!!\rПодтвердите пароль заново."));
    QCOMPARE(child<QLineEdit>(rig.dialog, "Edit1")->text(), QString());
    QCOMPARE(child<QLineEdit>(rig.dialog, "Edit2")->text(), QString());
    QCOMPARE(platform.errors(), QStringList());
}

void TestSignInDialog::addressLookupErrorReachesTheErrorDisplay()
{
    ScriptedPlatform platform;
    std::unique_ptr<TestInstallation> installation;
    QVERIFY_THROWS_NO_EXCEPTION(installation = std::make_unique<TestInstallation>(EngineKind::Sqlite, true));
    platform.failIpv4Lookup(QStringLiteral("Не удалось определить адрес компьютера."));
    DialogRig rig(installation->directory());
    rig.dialog.show();

    child<QToolButton>(rig.dialog, "SpeedButton2")->click();

    QCOMPARE(platform.errors(), QStringList{QStringLiteral("Не удалось определить адрес компьютера.")});
    QCOMPARE(child<ShadowLabel>(rig.dialog, "RzLabel1")->text(), QString());
    QVERIFY(rig.dialog.isVisible());
    QCOMPARE(rig.dialog.result(), 0);
}

void TestSignInDialog::cancelEndsWithCancelAndTermination()
{
    ScriptedPlatform platform;
    DialogRig rig(m_emptyHome.path());
    platform.queueModal([](QDialog& shown) {
        auto& dialog = static_cast<SignInDialog&>(shown);
        dialog.setModal(true);
        dialog.show();
        QTest::mouseClick(child<QToolButton>(dialog, "SpeedButton1"), Qt::LeftButton);
        return dialog.result();
    });

    QCOMPARE(platform.runModal(rig.dialog), ModalResult::Cancel);
    QCOMPARE(platform.terminationRequests(), 1);
    QVERIFY(!rig.dialog.isVisible());
}

void TestSignInDialog::draggingMovesTheWindow_data()
{
    QTest::addColumn<QString>("part");
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("moves");

    QTest::newRow("upper picture") << QStringLiteral("Image1") << int(Qt::LeftButton) << true;
    QTest::newRow("lower picture") << QStringLiteral("Image2") << int(Qt::LeftButton) << true;
    QTest::newRow("message label") << QStringLiteral("RzLabel1") << int(Qt::LeftButton) << true;
    QTest::newRow("right button") << QStringLiteral("RzLabel1") << int(Qt::RightButton) << false;
    QTest::newRow("text field") << QStringLiteral("Login_Edit") << int(Qt::LeftButton) << false;
}

void TestSignInDialog::draggingMovesTheWindow()
{
    QFETCH(QString, part);
    QFETCH(int, button);
    QFETCH(bool, moves);

    ScriptedPlatform platform;
    DialogRig rig(m_emptyHome.path());
    child<QToolButton>(rig.dialog, "SpeedButton3")->click();
    rig.dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&rig.dialog));
    const QPoint before = rig.dialog.pos();

    drag(rig.dialog.findChild<QWidget*>(part), QPoint(40, 25), Qt::MouseButton(button));

    QCOMPARE(rig.dialog.pos(), moves ? before + QPoint(40, 25) : before);
}

QTEST_MAIN(TestSignInDialog)
#include "tst_signindialog.moc"
