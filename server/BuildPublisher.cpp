#include "server/BuildPublisher.h"

#include "data/Engine.h"
#include "platform/Error.h"
#include "server/NativeTable.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <limits>

namespace zeb {

namespace {

const QString programTable = QStringLiteral("zeb_program");
const QString program = QStringLiteral("ZEB 7");

} // namespace

BuildPublisher::BuildPublisher(Engine& engine) : m_engine(engine) {}

PublishedBuild BuildPublisher::current() const
{
    const NativeTable table(m_engine, programTable);
    StatementResult result =
        m_engine.run(QStringLiteral("SELECT %1, %2 FROM %3 WHERE %4 = %5")
                         .arg(table.column(QStringLiteral("build")), table.column(QStringLiteral("digest")),
                              table.name(), table.column(QStringLiteral("program")), table.placeholder(0)),
                     {program});
    PublishedBuild published;
    while (result.rows->next()) {
        published.build = int(result.rows->toInt64(0));
        published.digest = result.rows->isNull(1) ? QString() : result.rows->toText(1);
    }
    return published;
}

PublishedBuild BuildPublisher::publish(const QString& executable, std::optional<int> build)
{
    const PublishedBuild before = current();
    if (build && *build > maxChosenBuild)
        throw Error(
            QStringLiteral("Сборка %1 не опубликована: номер, указанный в --build, может быть не больше "
                           "%2, чтобы после него оставались номера для следующих сборок.")
                .arg(*build)
                .arg(maxChosenBuild));
    if (!build && before.build == std::numeric_limits<int>::max())
        throw Error(
            QStringLiteral("Сборка не опубликована: опубликованная сборка %1 — последний возможный номер.")
                .arg(before.build));
    const PublishedBuild after{build.value_or(before.build + 1), fileDigest(executable)};
    if (after.build <= before.build)
        throw Error(QStringLiteral("Сборка %1 не опубликована: номер новой сборки должен быть больше "
                                   "опубликованной сборки %2.")
                        .arg(after.build)
                        .arg(before.build));
    const NativeTable table(m_engine, programTable);
    // Only over the build just read, so that two administrators publishing at once never go back a build.
    const StatementResult changed = m_engine.run(
        QStringLiteral("UPDATE %1 SET %2 = %3, %4 = %5 WHERE %6 = %7 AND %2 = %8")
            .arg(table.name(), table.column(QStringLiteral("build")), table.placeholder(0),
                 table.column(QStringLiteral("digest")), table.placeholder(1),
                 table.column(QStringLiteral("program")), table.placeholder(2), table.placeholder(3)),
        {after.build, after.digest, program, before.build});
    if (changed.rowsAffected == 0) {
        if (before.build != 0)
            throw Error(QStringLiteral("Сборка %1 не опубликована: опубликованная сборка тем временем "
                                       "изменилась. Повторите команду.")
                            .arg(after.build));
        table.insert({QStringLiteral("program"), QStringLiteral("build"), QStringLiteral("digest")},
                     {program, after.build, after.digest});
    }
    return after;
}

QString BuildPublisher::fileDigest(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw IoError(QStringLiteral("Не удалось прочитать файл «%1»: %2")
                          .arg(QDir::toNativeSeparators(path), file.errorString()));
    if (file.size() == 0)
        throw Error(
            QStringLiteral("Файл «%1» пуст: публиковать нечего.").arg(QDir::toNativeSeparators(path)));
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        throw IoError(QStringLiteral("Не удалось прочитать файл «%1»: %2")
                          .arg(QDir::toNativeSeparators(path), file.errorString()));
    return QString::fromLatin1(hash.result().toHex());
}

} // namespace zeb
