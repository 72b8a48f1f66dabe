#include "platform/seam/LocalFileOpener.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace zeb {

namespace {

// A desktop hands the file over and xdg-open ends at once; a bare X session runs the application in
// xdg-open itself, which is then still running after this time.
constexpr int openerAnswerMs = 3000;

} // namespace

bool openLocalFile(const QString& path)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    // Qt starts xdg-open detached and takes its start for success; its exit status tells whether anything
    // on this desktop opens the file.
    auto* opener = new QProcess(QCoreApplication::instance());
    opener->setProgram(QStringLiteral("xdg-open"));
    opener->setArguments({path});
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setStandardErrorFile(QProcess::nullDevice());
    opener->start();
    if (!opener->waitForStarted()) {
        delete opener;
        return false;
    }
    if (!opener->waitForFinished(openerAnswerMs)) {
        QObject::connect(opener, &QProcess::finished, opener, &QObject::deleteLater);
        return true;
    }
    const bool opened = opener->exitStatus() == QProcess::NormalExit && opener->exitCode() == 0;
    delete opener;
    return opened;
#else
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
#endif
}

} // namespace zeb
