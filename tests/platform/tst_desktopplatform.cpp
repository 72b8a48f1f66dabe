#include "platform/seam/DesktopPlatform.h"
#include "platform/seam/DisplayText.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHostAddress>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace zeb;

Q_DECLARE_METATYPE(zeb::MessageButtons)
Q_DECLARE_METATYPE(zeb::MessageIcon)
Q_DECLARE_METATYPE(zeb::MessageAnswer)

namespace {

struct SeenBox
{
    QString text;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    Qt::TextFormat format = Qt::AutoText;
    QWidget* owner = nullptr;
    QStringList buttonTexts;
};

// Waits for the box the platform shows, notes what it shows and lets `act` close it.
void whenBoxShown(SeenBox& seen, std::function<void(QMessageBox&)> act)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, &seen, act] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        seen = {box->text(),       box->windowTitle(),  box->icon(), box->standardButtons(),
                box->textFormat(), box->parentWidget(), {}};
        for (const QAbstractButton* button : box->buttons())
            seen.buttonTexts.append(button->text());
        seen.buttonTexts.sort();
        poll->deleteLater();
        poll->stop();
        act(*box);
    });
    poll->start(10);
}

void click(QMessageBox& box, QMessageBox::StandardButton button)
{
    QTest::mouseClick(box.button(button), Qt::LeftButton);
}

} // namespace

class TestDesktopPlatform : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void displayText_data();
    void displayText();
    void messageBoxShowsWhatWasAsked_data();
    void messageBoxShowsWhatWasAsked();
    void closingABoxAnswersItsLastButton_data();
    void closingABoxAnswersItsLastButton();
    void errorBoxHasTheApplicationName();
    void keysTypedAroundABoxComeAfterItInOrder();
    void runModalMapsTheDialogResult_data();
    void runModalMapsTheDialogResult();
    void ownIpv4AddressIsDottedDecimal();
    void saveDialogProposesTheFolderAndName_data();
    void saveDialogProposesTheFolderAndName();
    void localFileOpensOnlyWhenTheDesktopCan_data();
    void localFileOpensOnlyWhenTheDesktopCan();
};

void TestDesktopPlatform::displayText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("carriage return") << QStringLiteral("Сервер\rадминистратор")
                                     << QStringLiteral("Сервер\nадминистратор");
    QTest::newRow("CR LF stays one break") << QStringLiteral("a\r\nb") << QStringLiteral("a\nb");
    QTest::newRow("line feed") << QStringLiteral("a\nb") << QStringLiteral("a\nb");
    QTest::newRow("two in a row") << QStringLiteral("a\r\rb\r") << QStringLiteral("a\n\nb\n");
}

void TestDesktopPlatform::displayText()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(zeb::displayText(text), shown);
}

void TestDesktopPlatform::messageBoxShowsWhatWasAsked_data()
{
    QTest::addColumn<MessageButtons>("buttons");
    QTest::addColumn<MessageIcon>("icon");
    QTest::addColumn<QMessageBox::StandardButton>("pressed");
    QTest::addColumn<QMessageBox::StandardButtons>("expectedButtons");
    QTest::addColumn<QMessageBox::Icon>("expectedIcon");
    QTest::addColumn<MessageAnswer>("answer");

    QTest::newRow("notice") << MessageButtons::Ok << MessageIcon::Information << QMessageBox::Ok
                            << QMessageBox::StandardButtons(QMessageBox::Ok) << QMessageBox::Information
                            << MessageAnswer::Ok;
    QTest::newRow("question OK") << MessageButtons::OkCancel << MessageIcon::Question << QMessageBox::Ok
                                 << (QMessageBox::Ok | QMessageBox::Cancel) << QMessageBox::Question
                                 << MessageAnswer::Ok;
    QTest::newRow("question Cancel") << MessageButtons::OkCancel << MessageIcon::None << QMessageBox::Cancel
                                     << (QMessageBox::Ok | QMessageBox::Cancel) << QMessageBox::NoIcon
                                     << MessageAnswer::Cancel;
    QTest::newRow("confirmation Yes")
        << MessageButtons::YesNo << MessageIcon::Warning << QMessageBox::Yes
        << (QMessageBox::Yes | QMessageBox::No) << QMessageBox::Warning << MessageAnswer::Yes;
    QTest::newRow("confirmation No") << MessageButtons::YesNo << MessageIcon::Error << QMessageBox::No
                                     << (QMessageBox::Yes | QMessageBox::No) << QMessageBox::Critical
                                     << MessageAnswer::No;
}

void TestDesktopPlatform::messageBoxShowsWhatWasAsked()
{
    QFETCH(MessageButtons, buttons);
    QFETCH(MessageIcon, icon);
    QFETCH(QMessageBox::StandardButton, pressed);
    QFETCH(QMessageBox::StandardButtons, expectedButtons);
    QFETCH(QMessageBox::Icon, expectedIcon);
    QFETCH(MessageAnswer, answer);

    QWidget owner;
    owner.show();
    SeenBox seen;
    whenBoxShown(seen, [pressed](QMessageBox& box) { click(box, pressed); });
    DesktopPlatform platform;
    const QString text = QStringLiteral("Удалить строку <b>1</b>?\rЭто нельзя отменить.");
    QCOMPARE(platform.messageBox(&owner, text, QStringLiteral("Уведомление"), buttons, icon), answer);

    QCOMPARE(seen.text, QStringLiteral("Удалить строку <b>1</b>?\nЭто нельзя отменить."));
    QCOMPARE(seen.format, Qt::PlainText);
    QCOMPARE(seen.caption, QStringLiteral("Уведомление"));
    QCOMPARE(seen.icon, expectedIcon);
    QCOMPARE(seen.buttons, expectedButtons);
    QCOMPARE(seen.owner, &owner);
    QStringList russian;
    if (expectedButtons & QMessageBox::Ok)
        russian << QStringLiteral("ОК");
    if (expectedButtons & QMessageBox::Cancel)
        russian << QStringLiteral("Отмена");
    if (expectedButtons & QMessageBox::Yes)
        russian << QStringLiteral("Да");
    if (expectedButtons & QMessageBox::No)
        russian << QStringLiteral("Нет");
    russian.sort();
    QCOMPARE(seen.buttonTexts, russian);
}

void TestDesktopPlatform::closingABoxAnswersItsLastButton_data()
{
    QTest::addColumn<MessageButtons>("buttons");
    QTest::addColumn<MessageAnswer>("answer");
    QTest::newRow("OK") << MessageButtons::Ok << MessageAnswer::Ok;
    QTest::newRow("OK/Cancel") << MessageButtons::OkCancel << MessageAnswer::Cancel;
    QTest::newRow("Yes/No") << MessageButtons::YesNo << MessageAnswer::No;
}

void TestDesktopPlatform::closingABoxAnswersItsLastButton()
{
    QFETCH(MessageButtons, buttons);
    QFETCH(MessageAnswer, answer);

    SeenBox seen;
    whenBoxShown(seen, [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
    DesktopPlatform platform;
    QCOMPARE(platform.messageBox(nullptr, QStringLiteral("?"), QStringLiteral("Штатное расписание"), buttons,
                                 MessageIcon::Question),
             answer);
}

void TestDesktopPlatform::errorBoxHasTheApplicationName()
{
    QCoreApplication::setApplicationName(QStringLiteral("ZEB 7 Штатное расписание"));
    SeenBox seen;
    whenBoxShown(seen, [](QMessageBox& box) { click(box, QMessageBox::Ok); });
    DesktopPlatform platform;
    platform.showError(QStringLiteral("Нарушено ограничение\rстроки"));

    QCOMPARE(seen.text, QStringLiteral("Нарушено ограничение\nстроки"));
    QCOMPARE(seen.caption, QStringLiteral("ZEB 7 Штатное расписание"));
    QCOMPARE(seen.icon, QMessageBox::Critical);
    QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

// "x" was typed before the box appeared and waits to be handled, "ab" is typed while it is up, Enter answers
// it and "c" is typed at once: the line edit behind the box gets nothing while it is up and then "xabc".
void TestDesktopPlatform::keysTypedAroundABoxComeAfterItInOrder()
{
    QWidget owner;
    auto* edit = new QLineEdit(&owner);
    owner.show();
    QApplication::setActiveWindow(&owner);
    QVERIFY(QTest::qWaitForWindowActive(&owner));
    edit->setFocus();
    // A key the user typed while the program was busy: it waits to be handled when the box is about to come.
    QTimer::singleShot(0, edit, [edit] { QTest::keyClick(edit, Qt::Key_X); });
    SeenBox seen;
    QString whileUp;
    whenBoxShown(seen, [&](QMessageBox& box) {
        QTest::keyClicks(box.focusWidget(), QStringLiteral("ab"));
        whileUp = edit->text();
        QTest::keyClick(box.focusWidget(), Qt::Key_Return);
        QTest::keyClicks(edit, QStringLiteral("c"));
    });
    DesktopPlatform platform;

    QCOMPARE(platform.messageBox(&owner, QStringLiteral("?"), QStringLiteral("Штатное расписание"),
                                 MessageButtons::OkCancel, MessageIcon::None),
             MessageAnswer::Ok);
    QCoreApplication::processEvents();

    QCOMPARE(whileUp, QString());
    QCOMPARE(edit->text(), QStringLiteral("xabc"));
}

void TestDesktopPlatform::runModalMapsTheDialogResult_data()
{
    QTest::addColumn<bool>("accept");
    QTest::addColumn<int>("result");
    QTest::newRow("accepted") << true << ModalResult::Ok;
    QTest::newRow("rejected") << false << ModalResult::Cancel;
}

void TestDesktopPlatform::runModalMapsTheDialogResult()
{
    QFETCH(bool, accept);
    QFETCH(int, result);

    QDialog dialog;
    QTimer::singleShot(0, &dialog, [&dialog, accept] { accept ? dialog.accept() : dialog.reject(); });
    DesktopPlatform platform;
    QCOMPARE(platform.runModal(dialog), result);
}

void TestDesktopPlatform::ownIpv4AddressIsDottedDecimal()
{
    const QString address = DesktopPlatform().ownIpv4Address();
    static const QRegularExpression dotted(QStringLiteral("^\\d{1,3}\\.\\d{1,3}\\.\\d{1,3}\\.\\d{1,3}$"));
    QVERIFY2(dotted.match(address).hasMatch(), qPrintable(address));
    QCOMPARE(QHostAddress(address).protocol(), QAbstractSocket::IPv4Protocol);
}

void TestDesktopPlatform::saveDialogProposesTheFolderAndName_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<bool>("saved");
    QTest::newRow("Enter saves") << Qt::Key_Return << true;
    QTest::newRow("Escape cancels") << Qt::Key_Escape << false;
}

void TestDesktopPlatform::saveDialogProposesTheFolderAndName()
{
    QFETCH(Qt::Key, key);
    QFETCH(bool, saved);
    QTemporaryDir folder;
    const QString proposed = folder.filePath(QStringLiteral("Штатное расписание на 01.09.2024.pdf"));
    QString title;
    QString folderShown;
    QString nameShown;
    QStringList labels;
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [&, poll] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        title = dialog->windowTitle();
        folderShown = dialog->directory().absolutePath();
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        nameShown = name ? name->text() : QString();
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            labels.append(label->text());
        for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
            labels.append(button->text());
        QTest::keyClick(name ? static_cast<QWidget*>(name) : dialog, key);
    });
    poll->start(10);

    DesktopPlatform platform;
    const QString chosen = platform.saveFileName(nullptr, QStringLiteral("Сохранить штатное расписание"),
                                                 proposed, QStringLiteral("Документ PDF (*.pdf)"));

    QCOMPARE(chosen, saved ? proposed : QString());
    QCOMPARE(title, QStringLiteral("Сохранить штатное расписание"));
    QCOMPARE(folderShown, folder.path());
    QCOMPARE(nameShown, QStringLiteral("Штатное расписание на 01.09.2024.pdf"));
    for (const char* russian : {"Папка:", "Имя файла:", "Тип файла:", "Сохранить", "Отмена"})
        QVERIFY2(labels.contains(QString::fromUtf8(russian)), qPrintable(labels.join(u'|')));
    // The dialog asks nothing itself and writes nothing.
    QVERIFY(QDir(folder.path()).isEmpty());
}

void TestDesktopPlatform::localFileOpensOnlyWhenTheDesktopCan_data()
{
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<bool>("opened");
    QTest::newRow("viewer found") << 0 << true;
    // xdg-open's answer when nothing on the desktop opens the file.
    QTest::newRow("no viewer") << 3 << false;
}

void TestDesktopPlatform::localFileOpensOnlyWhenTheDesktopCan()
{
    QFETCH(int, exitCode);
    QFETCH(bool, opened);
    QTemporaryDir tools;
    const QString asked = tools.filePath(QStringLiteral("asked"));
    QFile opener(tools.filePath(QStringLiteral("xdg-open")));
    QVERIFY(opener.open(QIODevice::WriteOnly));
    opener.write(
        QStringLiteral("#!/bin/sh\nprintf '%s' \"$1\" > '%1'\nexit %2\n").arg(asked).arg(exitCode).toUtf8());
    opener.close();
    QVERIFY(opener.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(tools.path()) + ':' + path);
    const QString report = tools.filePath(QStringLiteral("Штатное расписание на 01.09.2024.pdf"));

    const bool result = DesktopPlatform().openUrl(QUrl::fromLocalFile(report).toString());
    qputenv("PATH", path);

    QCOMPARE(result, opened);
    QFile file(asked);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()), report);
}

QTEST_MAIN(TestDesktopPlatform)
#include "tst_desktopplatform.moc"
