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
    void failedWriteLeavesTheEarlierFile();
};

void TestSavedFile::ownerOnlyWhateverWasThere_data()
{
    QTest::addColumn<QString>("before");
    QTest::newRow("new name") << QString();
    QTest::newRow("file readable by everyone") << QStringLiteral("file");
    QTest::newRow("link to another file") << QStringLiteral("link");
}

void TestSavedFile::ownerOnlyWhateverWasThere()
{
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

    QVERIFY_THROWS_NO_EXCEPTION(saveFile(path, [](QIODevice& file) { file.write("<!DOCTYPE html>"); }));

    QCOMPARE(contents(path), QByteArray("<!DOCTYPE html>"));
    QVERIFY(!QFileInfo(path).isSymLink());
    QCOMPARE(modeBits(path), 0600);
    QCOMPARE(entries(folder.path()), QStringList{QFileInfo(path).fileName()});
    QCOMPARE(contents(linked), QByteArray("notes"));
}

void TestSavedFile::failedWriteLeavesTheEarlierFile()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("report.pdf"));
    writeFile(path, "earlier", QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    QVERIFY_THROWS_EXCEPTION(Abort, saveFile(path, [](QIODevice& file) {
                                 file.write("half a report");
                                 throw Abort();
                             }));

    QCOMPARE(contents(path), QByteArray("earlier"));
    QCOMPARE(entries(folder.path()), QStringList{QStringLiteral("report.pdf")});
}

QTEST_GUILESS_MAIN(TestSavedFile)
#include "tst_savedfile.moc"
