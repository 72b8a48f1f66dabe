#include "platform/seam/DesktopPlatform.h"

#include "platform/seam/DisplayText.h"
#include "platform/Error.h"
#include "platform/seam/HttpDownload.h"
#include "platform/seam/LocalFileOpener.h"
#include "platform/seam/ModalDialogs.h"
#include "platform/seam/SaveFileDialog.h"
#include "platform/seam/Typeahead.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QHostAddress>
#include <QHostInfo>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSysInfo>

namespace zeb {

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::None:
        return QMessageBox::NoIcon;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

struct ButtonSet
{
    QMessageBox::StandardButton first;
    QMessageBox::StandardButton second;
};

ButtonSet boxButtons(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return {QMessageBox::Ok, QMessageBox::NoButton};
    case MessageButtons::OkCancel:
        return {QMessageBox::Ok, QMessageBox::Cancel};
    case MessageButtons::YesNo:
        return {QMessageBox::Yes, QMessageBox::No};
    }
    return {QMessageBox::Ok, QMessageBox::NoButton};
}

// The workstations are Russian: the buttons say what a Russian system's boxes say.
QString russianText(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Ok:
        return QStringLiteral("ОК");
    case QMessageBox::Cancel:
        return QStringLiteral("Отмена");
    case QMessageBox::Yes:
        return QStringLiteral("Да");
    case QMessageBox::No:
        return QStringLiteral("Нет");
    default:
        return {};
    }
}

QAbstractButton* addButton(QMessageBox& box, QMessageBox::StandardButton button)
{
    QAbstractButton* added = box.addButton(button);
    added->setText(russianText(button));
    return added;
}

MessageAnswer answerOf(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    default:
        return MessageAnswer::Cancel;
    }
}

} // namespace

MessageAnswer DesktopPlatform::showMessageBox(QWidget* owner, const QString& text, const QString& caption,
                                              MessageButtons buttons, MessageIcon icon)
{
    // What was typed while the question was being prepared is typed ahead of the box, not into it.
    TypeaheadHold::keepPendingKeys();
    // A box without an owner still belongs to the window at work, which gets the focus back afterwards.
    QWidget* parent = owner ? owner : QApplication::activeWindow();
    QMessageBox box(boxIcon(icon), caption, displayText(text), QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    const ButtonSet set = boxButtons(buttons);
    box.setDefaultButton(qobject_cast<QPushButton*>(addButton(box, set.first)));
    // Closing the box without choosing answers the last button: Cancel, No, or the only OK.
    const QMessageBox::StandardButton closing = set.second == QMessageBox::NoButton ? set.first : set.second;
    if (set.second != QMessageBox::NoButton)
        addButton(box, set.second);
    box.setEscapeButton(box.button(closing));
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    return answerOf(clicked ? box.standardButton(clicked) : closing);
}

int DesktopPlatform::runModal(QDialog& dialog)
{
    if (m_terminationRequested)
        return ModalResult::Cancel;
    const int result = dialog.exec();
    return result == QDialog::Accepted && !m_terminationRequested ? ModalResult::Ok : ModalResult::Cancel;
}

void DesktopPlatform::showError(const QString& text)
{
    messageBox(nullptr, text, QCoreApplication::applicationName(), MessageButtons::Ok, MessageIcon::Error);
}

void DesktopPlatform::requestTerminate()
{
    m_terminationRequested = true;
    rejectModalDialogs();
    // Not quit(): that asks the windows first, and a window may refuse to close.
    QCoreApplication::exit(0);
}

bool DesktopPlatform::terminationRequested() const
{
    return m_terminationRequested;
}

bool DesktopPlatform::startDetached(const QString& program, const QStringList& arguments,
                                    const QString& workingDirectory)
{
    return QProcess::startDetached(program, arguments, workingDirectory);
}

bool DesktopPlatform::openUrl(const QString& address)
{
    const QUrl url(address);
    return url.isLocalFile() ? openLocalFile(url.toLocalFile()) : QDesktopServices::openUrl(url);
}

QString DesktopPlatform::saveFileName(QWidget* owner, const QString& caption, const QString& proposedPath,
                                      const QString& filter)
{
    if (m_terminationRequested)
        return {};
    const QString chosen = askSaveFileName(owner, caption, proposedPath, filter);
    return m_terminationRequested ? QString() : chosen;
}

DownloadResult DesktopPlatform::download(const QUrl& url, QIODevice& target, qint64 maxBytes)
{
    return httpDownload(url, target, maxBytes);
}

QString DesktopPlatform::computerName() const
{
    return QSysInfo::machineHostName();
}

QString DesktopPlatform::ownIpv4Address() const
{
    const QString hostName = QHostInfo::localHostName();
    const QHostInfo lookup = QHostInfo::fromName(hostName);
    const QList<QHostAddress> addresses = lookup.addresses();
    for (const QHostAddress& address : addresses) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            return address.toString();
    }
    throw Error(QStringLiteral("Не удалось определить IPv4-адрес компьютера «%1».").arg(hostName));
}

QDateTime DesktopPlatform::now() const
{
    return QDateTime::currentDateTime();
}

} // namespace zeb
