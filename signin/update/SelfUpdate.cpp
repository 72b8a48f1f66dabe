#include "signin/update/SelfUpdate.h"

#include "platform/Error.h"
#include "platform/seam/Platform.h"
#include "signin/update/BuildDigest.h"
#include "signin/update/DownloadFile.h"
#include "signin/update/PosixUpdateScript.h"
#include "signin/update/UpdateRefusal.h"
#include "signin/update/UpdateServer.h"
#include "signin/update/WindowsUpdateScript.h"

#include <QDir>
#include <QLabel>
#include <QSaveFile>
#include <QTimer>

namespace zeb {

namespace {

const auto tempFolder = QStringLiteral("tempZEB");
const auto windowsScriptName = QStringLiteral("ZEB 7.bat");
const auto posixScriptName = QStringLiteral("ZEB 7.sh");

// The server answered, but what it sent is not installed.
const auto noPublishedDigestMessage =
    QStringLiteral("Сервер не сообщил контрольную сумму новой версии программы, поэтому она не будет "
                   "установлена.\rОбратитесь к администратору: новую версию нужно опубликовать командой "
                   "zeb7-admin publish.");

const auto buildMismatchMessage =
    QStringLiteral("Загруженная версия программы не совпадает с опубликованной и не будет установлена."
                   "\rОбратитесь к администратору: её нужно опубликовать заново командой "
                   "zeb7-admin publish.");

void writeScript(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw IoError(QStringLiteral("Не удалось записать файл «%1»: %2")
                          .arg(QDir::toNativeSeparators(path), file.errorString()));
}

// Written beside the executable and started with home as its working directory, which is the home the
// Windows script takes from its current directory.
void startScript(const UpdateSite& site)
{
    const QDir home(site.home);
#ifdef Q_OS_WIN
    const QString path = home.filePath(windowsScriptName);
    writeScript(path, windowsUpdateScriptFile());
    Platform::instance().startDetached(QStringLiteral("cmd.exe"),
                                       {QStringLiteral("/c"), QDir::toNativeSeparators(path)}, site.home);
#else
    const QString path = home.filePath(posixScriptName);
    writeScript(path, posixUpdateScript(site, path));
    Platform::instance().startDetached(QStringLiteral("/bin/sh"), {path}, site.home);
#endif
}

// The update ends here: the user reads why, then the program ends as it would after an update.
void giveUp(const QLabel& notice, const QString& text, MessageIcon icon)
{
    Platform::instance().messageBox(notice.window(), text, QStringLiteral("Уведомление"), MessageButtons::Ok,
                                    icon);
    Platform::instance().requestTerminate();
}

} // namespace

bool startSelfUpdate(QLabel& notice, QTimer& exitTimer, const QString& publishedDigest, qint64 publishedBuild,
                     const UpdateSite& site)
{
    if (const UpdateRefusal refusal = updateRefusal(site); refusal != UpdateRefusal::None) {
        Platform::instance().messageBox(
            notice.window(), updateRefusalNotice(refusal, publishedBuild, site.home),
            QStringLiteral("Уведомление"), MessageButtons::Ok, MessageIcon::Information);
        return false;
    }
    notice.setText(QStringLiteral("Идёт обновление программы, ПОДОЖДИТЕ..."));
    // Paints the notice before the downloads block the window; a click now would start a second attempt.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    const QDir home(site.home);
    home.mkdir(tempFolder);
    const QString server = UpdateServer::baseAddress(site.home);
    const QString program = home.filePath(tempFolder + QStringLiteral("/ZEB 7.exe"));
    bool fetched = false;
    try {
        fetched = downloadFile(server + QStringLiteral("/zebprogs/ZEB 7.t"),
                               home.filePath(QStringLiteral("ZEB 7.t")), maxFirstDownloadBytes) &&
                  downloadFile(server + QStringLiteral("/zebprogs/ZEB 7.exe"), program, maxProgramBytes);
    } catch (const IoError&) {
        // Nothing of a failed update stays behind: the download is gone already, the folder goes too.
        home.rmdir(tempFolder);
        throw;
    }
    if (!fetched) {
        home.rmdir(tempFolder);
        giveUp(notice, QStringLiteral("Сервер обновлений не доступен.\rОбратитесь к администратору."),
               MessageIcon::Information);
        return true;
    }
    if (!isPublishedBuild(program, publishedDigest)) {
        // Not left where a later script could pick it up.
        QFile::remove(program);
        home.rmdir(tempFolder);
        giveUp(notice, publishedDigest.isEmpty() ? noPublishedDigestMessage : buildMismatchMessage,
               MessageIcon::Warning);
        return true;
    }
    startScript(site);
    exitTimer.start();
    return true;
}

void exitWhenUpdateStarted(QTimer& exitTimer)
{
    if (exitTimer.interval() == updateExitTimerInterval)
        exitTimer.setInterval(100);
    Platform::instance().requestTerminate();
}

void removeLeftoverScript(const QString& home)
{
    const QDir folder(home);
    QFile::remove(folder.filePath(windowsScriptName));
    QFile::remove(folder.filePath(posixScriptName));
}

} // namespace zeb
