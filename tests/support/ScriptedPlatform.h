#pragma once

#include "platform/seam/Platform.h"

#include <QList>
#include <QQueue>
#include <functional>
#include <optional>

namespace zeb {

struct ShownBox
{
    const QWidget* owner = nullptr;
    QString text;
    QString caption;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
};

struct SaveQuestion
{
    const QWidget* owner = nullptr;
    QString caption;
    QString proposedPath;
    QString filter;
};

struct DetachedStart
{
    QString program;
    QStringList arguments;
    QString workingDirectory;
};

// The seam for tests. It installs itself as Platform::instance() for its lifetime, answers message boxes
// from a queue and records everything the program asked of the outside world. A box without a queued
// answer fails the running test and is answered as if closed.
class ScriptedPlatform : public Platform
{
public:
    // Drives a dialog shown modally and returns its modal result.
    using ModalScript = std::function<int(QDialog&)>;
    using DownloadScript = std::function<DownloadResult(const QUrl&, QIODevice&, qint64)>;

    ScriptedPlatform();
    ~ScriptedPlatform() override;
    ScriptedPlatform(const ScriptedPlatform&) = delete;
    ScriptedPlatform& operator=(const ScriptedPlatform&) = delete;

    void queueAnswer(MessageAnswer answer);
    // The box is answered after `whileShown` ran, as if the user did that while it was up.
    void queueAnswer(MessageAnswer answer, std::function<void()> whileShown);
    qsizetype unusedAnswers() const { return m_answers.size(); }
    const QList<ShownBox>& boxes() const { return m_boxes; }
    // The texts of the boxes shown, in order.
    QStringList boxTexts() const;

    // Scripts are used in order, one per modal run; without one the dialog runs with exec().
    void queueModal(ModalScript script);
    // Class names of the dialogs run modally, in order.
    const QStringList& modalRuns() const { return m_modalRuns; }

    const QStringList& errors() const { return m_errors; }
    int terminationRequests() const { return m_terminationRequests; }

    const QList<DetachedStart>& detachedStarts() const { return m_detachedStarts; }
    // Recorded starts are not run unless asked.
    void setStartsProcesses(bool start) { m_startsProcesses = start; }
    const QStringList& openedUrls() const { return m_openedUrls; }
    // openUrl() answers this from now on, as a desktop with or without an application for the address.
    void setOpensUrls(bool opens) { m_opensUrls = opens; }

    // Answers to the save dialog in order: a path, or an empty text for Cancel. A save dialog without a
    // queued answer fails the running test and is answered as cancelled.
    void queueSaveFileName(const QString& path) { m_saveAnswers.enqueue(path); }
    const QList<SaveQuestion>& saveQuestions() const { return m_saveQuestions; }

    // Downloads go to the network unless scripted.
    void scriptDownloads(DownloadScript script) { m_downloadScript = std::move(script); }
    const QList<QUrl>& downloads() const { return m_downloads; }

    void setComputerName(const QString& name) { m_computerName = name; }
    void setIpv4Address(const QString& address) { m_ipv4Address = address; }
    // ownIpv4Address() raises Error with this text from now on.
    void failIpv4Lookup(const QString& message) { m_ipv4Failure = message; }
    void setNow(const QDateTime& now) { m_now = now; }

    int runModal(QDialog& dialog) override;
    void showError(const QString& text) override;
    void requestTerminate() override;
    bool terminationRequested() const override { return m_terminationRequests > 0; }

    bool startDetached(const QString& program, const QStringList& arguments,
                       const QString& workingDirectory) override;
    bool openUrl(const QString& address) override;
    QString saveFileName(QWidget* owner, const QString& caption, const QString& proposedPath,
                         const QString& filter) override;
    DownloadResult download(const QUrl& url, QIODevice& target, qint64 maxBytes) override;

    QString computerName() const override { return m_computerName; }
    QString ownIpv4Address() const override;
    QDateTime now() const override { return m_now; }

protected:
    MessageAnswer showMessageBox(QWidget* owner, const QString& text, const QString& caption,
                                 MessageButtons buttons, MessageIcon icon) override;

private:
    struct Answer
    {
        MessageAnswer answer;
        std::function<void()> whileShown;
    };

    QQueue<Answer> m_answers;
    QList<ShownBox> m_boxes;
    QQueue<ModalScript> m_modalScripts;
    QStringList m_modalRuns;
    QStringList m_errors;
    int m_terminationRequests = 0;
    QList<DetachedStart> m_detachedStarts;
    bool m_startsProcesses = false;
    QStringList m_openedUrls;
    bool m_opensUrls = true;
    QQueue<QString> m_saveAnswers;
    QList<SaveQuestion> m_saveQuestions;
    DownloadScript m_downloadScript;
    QList<QUrl> m_downloads;
    QString m_computerName = QStringLiteral("WS-TEST");
    QString m_ipv4Address = QStringLiteral("192.168.10.25");
    std::optional<QString> m_ipv4Failure;
    QDateTime m_now{QDate(2024, 3, 15), QTime(10, 30)};
};

} // namespace zeb
