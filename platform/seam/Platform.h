#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QUrl>

class QDialog;
class QIODevice;
class QWidget;

namespace zeb {

enum class MessageButtons
{
    Ok,
    OkCancel,
    YesNo,
};

enum class MessageIcon
{
    None,
    Information,
    Warning,
    Error,
    Question,
};

// Closing a box without choosing answers Cancel (OK/Cancel), No (Yes/No) or Ok (OK only).
enum class MessageAnswer
{
    Ok,
    Cancel,
    Yes,
    No,
};

// How a download ended.
enum class DownloadResult
{
    // A success answer, whole and at least one byte long, all written.
    Complete,
    // No answer, an error status, an empty or cut body.
    Failed,
    // The answer is longer than was allowed: abandoned before more than that was written.
    TooLarge,
    // The target refused a write (a full disk): abandoned.
    WriteFailed,
};

// Everything the program does outside itself goes through here: the real implementation for the program,
// a scripted one for tests, which answers message boxes in order and records every box shown.
class Platform
{
public:
    virtual ~Platform() = default;

    static Platform& instance();
    // Installs the implementation in use (not owned); nullptr restores the real one.
    static void setInstance(Platform* platform);

    // A box with the text and buttons; keys typed while it is up are kept for after the answer (Typeahead.h).
    MessageAnswer messageBox(QWidget* owner, const QString& text, const QString& caption,
                             MessageButtons buttons, MessageIcon icon);
    // Shows a dialog modally; ModalResult::Ok when it was accepted, ModalResult::Cancel otherwise.
    virtual int runModal(QDialog& dialog) = 0;
    // The application's display of an error nobody handled: an error box with the application title.
    virtual void showError(const QString& text) = 0;
    // Asks the application to end; running modal loops end with the cancel result.
    virtual void requestTerminate() = 0;
    virtual bool terminationRequested() const = 0;

    virtual bool startDetached(const QString& program, const QStringList& arguments,
                               const QString& workingDirectory) = 0;
    // Opens the address in the desktop's browser, a local file's address in the desktop's application for
    // it, without waiting for either; false when the desktop has nothing that opens it.
    virtual bool openUrl(const QString& address) = 0;
    // Asks where to save a file, proposing `proposedPath` (folder and name); `filter` as QFileDialog takes
    // it. The path chosen, or an empty text when the user cancelled. Replacing an existing file is the
    // caller's question.
    virtual QString saveFileName(QWidget* owner, const QString& caption, const QString& proposedPath,
                                 const QString& filter) = 0;
    // Fetches the URL into `target`, at most `maxBytes` of it.
    virtual DownloadResult download(const QUrl& url, QIODevice& target, qint64 maxBytes) = 0;

    virtual QString computerName() const = 0;
    // The first IPv4 address of a host-name lookup of this computer's own name; raises zeb::Error when
    // the name cannot be resolved or gives no IPv4 address.
    virtual QString ownIpv4Address() const = 0;
    virtual QDateTime now() const = 0;

protected:
    virtual MessageAnswer showMessageBox(QWidget* owner, const QString& text, const QString& caption,
                                         MessageButtons buttons, MessageIcon icon) = 0;
};

// Modal results as the windows count them.
namespace ModalResult {
constexpr int Ok = 1;
constexpr int Cancel = 2;
} // namespace ModalResult

} // namespace zeb
