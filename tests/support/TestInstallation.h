#pragma once

#include "data/Connection.h"
#include "data/Engine.h"
#include "credentials/FirstConnectInfo.h"
#include "signin/GetUserAnswer.h"
#include "server/ServerAccount.h"
#include "tests/support/TestPgServer.h"

#include <QTemporaryDir>
#include <memory>
#include <optional>

namespace zeb {

// A fresh installation for one test: an embedded database in a temporary folder, or a PostgreSQL database
// with its two roles under a unique name on the test server, dropped again with this object. The settings
// file lies in directory()/Data/ZEB as the client expects it beside its executable.
//
//     std::unique_ptr<TestInstallation> installation;
//     QVERIFY_THROWS_NO_EXCEPTION(installation = std::make_unique<TestInstallation>(EngineKind::Sqlite,
//     true));
class TestInstallation
{
public:
    // Raises Error when the installation fails or the PostgreSQL test variables are missing.
    explicit TestInstallation(EngineKind engine, bool demo = false);
    ~TestInstallation();
    TestInstallation(const TestInstallation&) = delete;
    TestInstallation& operator=(const TestInstallation&) = delete;

    EngineKind engine() const { return m_engine; }
    QString directory() const { return m_directory.path(); }
    QString dataDirectory() const;
    const QString& database() const { return m_database; }
    // What the installation wrote to the settings file.
    const FirstConnectInfo& settings() const { return m_settings; }
    // The database account GET_USER hands out, unscrambled, to a person of the tests' own, added and
    // signed in at the first call and kept from then on, so that every connection of a test shares it.
    ServerAccount workAccount() const;

    // An open engine with the administrator's rights.
    std::unique_ptr<Engine> adminEngine() const;
    // A client connection on the settings file's account, not yet open.
    std::unique_ptr<Connection> settingsConnection() const;
    // A client connection as after a successful sign-in: the schedule account, open, date order dmy.
    std::unique_ptr<Connection> signedInConnection() const;
    // The same with the given account, as GET_USER handed it out.
    std::unique_ptr<Connection> connectionAs(const ServerAccount& account) const;
    // One GET_USER exchange on the settings file's account, as the client's sign-in makes it.
    GetUserAnswer getUser(const QString& login, const QString& password,
                          const QString& newPassword = QStringLiteral("NULL")) const;
    // The account GET_USER hands out to the person at an accepted sign-in; raises Error when refused.
    ServerAccount signIn(const QString& login, const QString& password) const;
    // An engine session under the account, open; raises DatabaseError when the engine refuses it.
    std::unique_ptr<Engine> sessionAs(const ServerAccount& account) const;

private:
    EngineKind m_engine;
    QTemporaryDir m_directory;
    QString m_database;
    FirstConnectInfo m_settings;
    std::optional<TestPgServer> m_server;
    mutable std::optional<ServerAccount> m_work;
};

// The first column of the first row of a native statement; a null QVariant when there is no row.
QVariant firstValue(Engine& engine, const QString& sql, const QVariantList& params = {});

} // namespace zeb
