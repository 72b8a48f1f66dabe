#pragma once

#include "platform/seam/Platform.h"

namespace zeb {

// The seam as the program uses it: Qt's boxes and dialogs, the desktop, the network and the clock.
class DesktopPlatform : public Platform
{
public:
    int runModal(QDialog& dialog) override;
    void showError(const QString& text) override;
    // Closes every modal dialog with the reject result and leaves all event loops running. Before the
    // application's main loop has begun the caller must see terminationRequested() and not begin it.
    void requestTerminate() override;
    bool terminationRequested() const override;

    bool startDetached(const QString& program, const QStringList& arguments,
                       const QString& workingDirectory) override;
    bool openUrl(const QString& address) override;
    QString saveFileName(QWidget* owner, const QString& caption, const QString& proposedPath,
                         const QString& filter) override;
    DownloadResult download(const QUrl& url, QIODevice& target, qint64 maxBytes) override;

    QString computerName() const override;
    QString ownIpv4Address() const override;
    QDateTime now() const override;

protected:
    MessageAnswer showMessageBox(QWidget* owner, const QString& text, const QString& caption,
                                 MessageButtons buttons, MessageIcon icon) override;

private:
    bool m_terminationRequested = false;
};

} // namespace zeb
