#include "platform/Error.h"
#include "report/SavedFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using namespace zeb;

namespace {

int modeBits(const QString& path)
{
    struct stat status = {};
    if (lstat(QFile::encodeName(path).constData(), &status) != 0)
        return -1;
    return int(status.st_mode & 07777);
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes, QFileDevice::Permissions permissions)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    QVERIFY(file.setPermissions(permissions));
}

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
}

// Saves `bytes` through saveFile, or through saveFileByName with a writer that opens the name it is given.
void save(bool byName, const QString& path, const QByteArray& bytes, bool fail = false)
{
    if (!byName) {
        saveFile(path, [&](QIODevice& file) {
            file.write(bytes);
            if (fail)
                throw Abort();
        });
        return;
    }
    saveFileByName(path, [&](const QString& name) {
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly))
            throw Error(file.errorString());
        file.write(bytes);
        file.close();
        if (fail)
            throw Abort();
    });
}

const QFileDevice::Permissions everyoneReads = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                               QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                               QFileDevice::ReadOther | QFileDevice::WriteOther;

} // namespace

class TestSavedFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void ownerOnlyWhateverWasThere_data();
    void ownerOnlyWhateverWasThere();
    void failedWriteLeavesTheEarlierFile_data();
    void failedWriteLeavesTheEarlierFile();
};

void TestSavedFile::ownerOnlyWhateverWasThere_data()
{
    QTest::addColumn<bool>("byName");
    QTest::addColumn<QString>("before");
    for (const bool byName : {false, true}) {
        const char* writer = byName ? "by name" : "device";
        QTest::addRow("new name, %s", writer) << byName << QString();
        QTest::addRow("file readable by everyone, %s", writer) << byName << QStringLiteral("file");
        QTest::addRow("link to another file, %s", writer) << byName << QStringLiteral("link");
    }
}

void TestSavedFile::ownerOnlyWhateverWasThere()
{
    QFETCH(bool, byName);
    QFETCH(QString, before);
    QTemporaryDir folder;
    QTemporaryDir elsewhere;
    const QString path = folder.filePath(QStringLiteral("Штатное расписание.html"));
    const QString linked = elsewhere.filePath(QStringLiteral("notes.txt"));
    writeFile(linked, "notes", everyoneReads);
    if (before == QLatin1String("file"))
        writeFile(path, "earlier", everyoneReads);
    if (before == QLatin1String("link"))
        QVERIFY(QFile::link(linked, path));

    QVERIFY_THROWS_NO_EXCEPTION(save(byName, path, "<!DOCTYPE html>"));

    QCOMPARE(contents(path), QByteArray("<!DOCTYPE html>"));
    QVERIFY(!QFileInfo(path).isSymLink());
    QCOMPARE(modeBits(path), 0600);
    QCOMPARE(entries(folder.path()), QStringList{QFileInfo(path).fileName()});
    QCOMPARE(contents(linked), QByteArray("notes"));
}

void TestSavedFile::failedWriteLeavesTheEarlierFile_data()
{
    QTest::addColumn<bool>("byName");
    QTest::newRow("device") << false;
    QTest::newRow("by name") << true;
}

void TestSavedFile::failedWriteLeavesTheEarlierFile()
{
    QFETCH(bool, byName);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("report.pdf"));
    writeFile(path, "earlier", QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    QVERIFY_THROWS_EXCEPTION(Abort, save(byName, path, "half a report", true));

    QCOMPARE(contents(path), QByteArray("earlier"));
    QCOMPARE(entries(folder.path()), QStringList{QStringLiteral("report.pdf")});
}

QTEST_GUILESS_MAIN(TestSavedFile)
#include "tst_savedfile.moc"
