#include "signin/dialog/SignInFlow.h"

#include "credentials/SettingsFile.h"
#include "data/module/DataModule.h"
#include "platform/Cp1251.h"
#include "platform/seam/Platform.h"
#include "signin/ConnectionString.h"
#include "signin/GetUserOutcome.h"
#include "signin/GetUserStatement.h"
#include "signin/NewPasswordRule.h"
#include "signin/SignInExchange.h"
#include "signin/dialog/ComputerName.h"
#include "signin/dialog/SignInView.h"

namespace zeb {

namespace {

// The system's computer-name query gets a buffer of this size during sign-in.
constexpr qsizetype computerNameBufferSize = 256;

} // namespace

SignInFlow::SignInFlow(DataModule& dataModule, SignInView& view, QString home, SettingsLocation workstation)
    : m_dataModule(dataModule), m_view(view), m_home(std::move(home)), m_workstation(std::move(workstation))
{
}

SettingsLocation SignInFlow::settingsLocation() const
{
    return SettingsLocation::ofProgram(m_home, m_workstation);
}

void SignInFlow::signInButtonClicked()
{
    ++m_attemptCount;
    QString newPassword = GetUserStatement::noNewPassword();
    if (m_passwordAreaOpen) {
        newPassword = m_view.newPassword();
        if (newPassword != m_view.confirmation()) {
            m_view.clearNewPasswords();
            m_view.showMessage(
                QStringLiteral("Новый пароль подтвержден не верно!!!\rПодтвердите пароль заново."));
            return;
        }
        if (newPassword.size() < minimumNewPasswordLength) {
            m_view.clearNewPasswords();
            m_view.showMessage(newPasswordTooShortMessage());
            return;
        }
    }

    Connection& connection = m_dataModule.connection;
    if (!exchangeSignIn(connection, newPassword))
        return;
    connection.execute(QStringLiteral("SET DATEFORMAT dmy"));
    m_view.closeWith(ModalResult::Ok);
}

bool SignInFlow::exchangeSignIn(Connection& connection, const QString& newPassword)
{
    const SettingsLocation location = settingsLocation();
    const FirstConnectInfo settings = SettingsFile::read(location.settingsFile);
    // An embedded database lies beside the settings file that names it.
    connection.setDataDirectory(location.dataDirectory);
    // Not the end of the attempt: running GET_USER tries to open the connection once more.
    if (const std::optional<ConnectFailure> failure = openWithSettings(connection, settings))
        m_view.showMessage(failure->serverFault ? failure->explanation : failure->message);

    GetUserStatement statement;
    statement.login = m_view.login();
    statement.password = m_view.password();
    statement.newPassword = newPassword;
    statement.computerName = cp1251::decode(computerNameBytes(computerNameBufferSize));
    statement.ip = Platform::instance().ownIpv4Address();

    // Running GET_USER would open the connection once more; when that fails too, the database is out of reach
    // and the login and password were never checked.
    if (const std::optional<ConnectFailure> failure = openWithSettings(connection, settings)) {
        reportUnreachableDatabase(*failure);
        return false;
    }

    GetUserAnswer answer;
    try {
        answer = runGetUser(connection, statement.text());
        GetUserOutcome outcome = decideOutcome(answer, m_attemptCount);
        if (outcome == GetUserOutcome::Update) {
            if (m_view.startUpdate(answer.updateDigest, answer.updateBuild))
                return false;
            // Not this installation's to replace: the user has been told, the sign-in goes on without it.
            answer.updateIndicator = 0;
            outcome = decideOutcome(answer, m_attemptCount);
        }
        switch (outcome) {
        case GetUserOutcome::ServerMessage:
            // The connection stays open with the settings file's account; the next attempt re-uses it.
            m_view.showMessage(answer.message);
            return false;
        case GetUserOutcome::ChangeDemanded:
            connection.close();
            m_view.showMessage(passwordChangeMessage());
            m_view.pressMoreButton();
            // Only a password change or cancel is left.
            m_view.disableMoreButton();
            return false;
        case GetUserOutcome::ChangeProposed:
            connection.close();
            m_view.showMessage(passwordChangeMessage());
            m_view.pressMoreButton();
            return false;
        case GetUserOutcome::Update:
        case GetUserOutcome::Accepted:
            break;
        }
    } catch (const std::exception& error) {
        reportFailedExchange(error, connection);
        return false;
    }

    connection.close();
    return connectAccepted(connection, buildConnectionString(returnedAccount(settings, answer)));
}

bool SignInFlow::togglePasswordArea()
{
    m_passwordAreaOpen = !m_passwordAreaOpen;
    return m_passwordAreaOpen;
}

void SignInFlow::reportUnreachableDatabase(const ConnectFailure& failure)
{
    m_view.showMessage(
        failure.serverFault
            ? failure.explanation
            : QStringLiteral("Не удаётся подключиться к базе данных.\rОбратитесь к администратору."));
    Platform::instance().showError(QStringLiteral("Не удаётся подключиться к базе данных.\n") +
                                   failure.message);
}

// A server that went away under the statement never judged the login and password.
void SignInFlow::reportFailedExchange(const std::exception& error, Connection& connection)
{
    Platform::instance().showError(errorMessage(error));
    const std::optional<QString> serverFault = serverFaultOf(error);
    m_view.showMessage(serverFault ? *serverFault : QStringLiteral("Неверно ввели логин или пароль."));
    connection.close();
}

bool SignInFlow::connectAccepted(Connection& connection, const QString& connectionString)
{
    try {
        connection.setConnectionString(connectionString);
        connection.open();
        m_dataModule.setSessionLogin(m_view.login());
        m_dataModule.openDataSets();
        return true;
    } catch (const std::exception& error) {
        Platform::instance().showError(errorMessage(error));
        // An accepted answer carries no message, so the label is cleared.
        m_view.showMessage(QString());
        connection.close();
        return false;
    }
}

} // namespace zeb
