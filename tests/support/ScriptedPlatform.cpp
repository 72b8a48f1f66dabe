#include "tests/support/ScriptedPlatform.h"

#include "platform/Error.h"
#include "platform/seam/HttpDownload.h"
#include "platform/seam/ModalDialogs.h"

#include <QDialog>
#include <QProcess>
#include <QTest>

namespace zeb {

namespace {

MessageAnswer closingAnswer(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return MessageAnswer::Ok;
    case MessageButtons::OkCancel:
        return MessageAnswer::Cancel;
    case MessageButtons::YesNo:
        return MessageAnswer::No;
    }
    return MessageAnswer::Cancel;
}

} // namespace

ScriptedPlatform::ScriptedPlatform()
{
    Platform::setInstance(this);
}

ScriptedPlatform::~ScriptedPlatform()
{
    Platform::setInstance(nullptr);
}

void ScriptedPlatform::queueAnswer(MessageAnswer answer)
{
    m_answers.enqueue({answer, {}});
}

void ScriptedPlatform::queueAnswer(MessageAnswer answer, std::function<void()> whileShown)
{
    m_answers.enqueue({answer, std::move(whileShown)});
}

QStringList ScriptedPlatform::boxTexts() const
{
    QStringList texts;
    for (const ShownBox& box : m_boxes)
        texts.append(box.text);
    return texts;
}

void ScriptedPlatform::queueModal(ModalScript script)
{
    m_modalScripts.enqueue(std::move(script));
}

MessageAnswer ScriptedPlatform::showMessageBox(QWidget* owner, const QString& text, const QString& caption,
                                               MessageButtons buttons, MessageIcon icon)
{
    m_boxes.append({owner, text, caption, buttons, icon});
    if (m_answers.isEmpty()) {
        const QByteArray message =
            "Message box without a scripted answer: [" + caption.toUtf8() + "] " + text.toUtf8();
        QTest::qFail(message.constData(), __FILE__, __LINE__);
        return closingAnswer(buttons);
    }
    const Answer next = m_answers.dequeue();
    if (next.whileShown)
        next.whileShown();
    return next.answer;
}

int ScriptedPlatform::runModal(QDialog& dialog)
{
    m_modalRuns.append(QString::fromLatin1(dialog.metaObject()->className()));
    if (terminationRequested())
        return ModalResult::Cancel;
    int result = ModalResult::Cancel;
    if (!m_modalScripts.isEmpty())
        result = m_modalScripts.dequeue()(dialog);
    else if (dialog.exec() == QDialog::Accepted)
        result = ModalResult::Ok;
    return terminationRequested() ? ModalResult::Cancel : result;
}

void ScriptedPlatform::showError(const QString& text)
{
    m_errors.append(text);
}

void ScriptedPlatform::requestTerminate()
{
    ++m_terminationRequests;
    rejectModalDialogs();
}

bool ScriptedPlatform::startDetached(const QString& program, const QStringList& arguments,
                                     const QString& workingDirectory)
{
    m_detachedStarts.append({program, arguments, workingDirectory});
    return !m_startsProcesses || QProcess::startDetached(program, arguments, workingDirectory);
}

bool ScriptedPlatform::openUrl(const QString& address)
{
    m_openedUrls.append(address);
    return m_opensUrls;
}

QString ScriptedPlatform::saveFileName(QWidget* owner, const QString& caption, const QString& proposedPath,
                                       const QString& filter)
{
    m_saveQuestions.append({owner, caption, proposedPath, filter});
    if (m_saveAnswers.isEmpty()) {
        const QByteArray message =
            "Save dialog without a scripted answer: [" + caption.toUtf8() + "] " + proposedPath.toUtf8();
        QTest::qFail(message.constData(), __FILE__, __LINE__);
        return {};
    }
    return m_saveAnswers.dequeue();
}

DownloadResult ScriptedPlatform::download(const QUrl& url, QIODevice& target, qint64 maxBytes)
{
    m_downloads.append(url);
    return m_downloadScript ? m_downloadScript(url, target, maxBytes) : httpDownload(url, target, maxBytes);
}

QString ScriptedPlatform::ownIpv4Address() const
{
    if (m_ipv4Failure)
        throw Error(*m_ipv4Failure);
    return m_ipv4Address;
}

} // namespace zeb
