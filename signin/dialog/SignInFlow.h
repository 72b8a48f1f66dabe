#pragma once

#include "credentials/SettingsLocation.h"

#include <QString>
#include <exception>

namespace zeb {

class Connection;
struct ConnectFailure;
class SignInView;
class DataModule;

// One sign-in dialog's attempts: the sign-in button's action and the GET_USER exchange behind it.
// It keeps the attempt counter and whether the password-change area is open; the dialog shows the rest.
class SignInFlow
{
public:
    // The data module receives the login as typed once the returned account has connected. home is the
    // program's folder; its settings file wins over the workstation's.
    SignInFlow(DataModule& dataModule, SignInView& view, QString home,
               SettingsLocation workstation = SettingsLocation::workstation());

    // Where the settings file is found now (looked up afresh at every attempt); raises IoError when nowhere.
    SettingsLocation settingsLocation() const;

    // The sign-in button: counts the attempt, checks a new password, signs in, and on success sets the
    // server's date format and closes the dialog with the OK result. Errors raised before GET_USER runs
    // (the settings file, the address lookup) and a failed date-format statement propagate.
    void signInButtonClicked();

    // The exchange; true when signed in. newPassword is "NULL" for none, otherwise the new password as typed.
    bool exchangeSignIn(Connection& connection, const QString& newPassword);

    // The more button; returns whether the area is now open.
    bool togglePasswordArea();

    quint8 attemptCount() const { return m_attemptCount; }
    bool passwordAreaOpen() const { return m_passwordAreaOpen; }

private:
    // Neither opening of the attempt reached the database.
    void reportUnreachableDatabase(const ConnectFailure& failure);
    void reportFailedExchange(const std::exception& error, Connection& connection);
    bool connectAccepted(Connection& connection, const QString& connectionString);

    DataModule& m_dataModule;
    SignInView& m_view;
    QString m_home;
    SettingsLocation m_workstation;
    quint8 m_attemptCount = 0;
    bool m_passwordAreaOpen = false;
};

} // namespace zeb
