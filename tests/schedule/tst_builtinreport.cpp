#include "controls/DateBox.h"
#include "report/FormRequisites.h"
#include "schedule/menu/BuiltInReport.h"
#include "schedule/menu/ReportDialog.h"
#include "tests/schedule/MainWindowRig.h"
#include "tests/support/EngineRows.h"
#include "tests/support/NamedChild.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using namespace zeb;

namespace {

const auto reportName = QStringLiteral("Штатное расписание на 01.09.2024.pdf");

QByteArray fileStart(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(5) : QByteArray("<missing>");
}

// The file's own mode bits; -1 when it cannot be read. A link's own, not its target's.
int modeBits(const QString& path)
{
    struct stat status = {};
    if (lstat(QFile::encodeName(path).constData(), &status) != 0)
        return -1;
    return int(status.st_mode & 07777);
}

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
}

// The main window without a report server, the date dialog answered with 01.09.2024.
int asOfFirstSeptember(QDialog& dialog)
{
    child<DateBox>(dialog, "DateEdit")->setDate(QDate(2024, 9, 1));
    return ModalResult::Ok;
}

struct ReportRig
{
    explicit ReportRig(EngineKind engine, ScriptedPlatform::ModalScript answer = asOfFirstSeptember)
        : rig(engine)
    {
        rig.execute(QStringLiteral("delete from VuzDefaults where id_vuz_defaults = 22"));
        rig.platform.queueModal(std::move(answer));
    }

    void runReport() { child<QAction>(*rig.form, "N1")->trigger(); }

    MainWindowRig rig;
    QTemporaryDir folder;
};

} // namespace

class TestBuiltInReport : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;

private Q_SLOTS:
    void initTestCase();
    void savedOwnerOnlyWhereChosenAndOpened_data() { addEngineRows(); }
    void savedOwnerOnlyWhereChosenAndOpened();
    void cancelInTheSaveDialogWritesNothing();
    void existingFileIsReplacedOnlyWhenAgreed();
    void plantedLinkIsReplacedNotFollowed_data();
    void plantedLinkIsReplacedNotFollowed();
    void withoutAViewerTheUserIsToldWhereTheFileIs();
    void proposedInTheHomeFolderWithoutDocuments();
    void detailsAndRequisitesAreKeptForTheNextReport_data() { addEngineRows(); }
    void detailsAndRequisitesAreKeptForTheNextReport();
    void reversedPeriodIsRefusedInTheDialog();
    void vacanciesAreChosenInTheDialog_data() { addEngineRows(); }
    void vacanciesAreChosenInTheDialog();
    void vacanciesAreWrittenAsPdf();
    void changesAreChosenInTheDialog_data() { addEngineRows(); }
    void changesAreChosenInTheDialog();
    void changesRefusals_data();
    void changesRefusals();
    void tabGoesDownTheRows_data();
    void tabGoesDownTheRows();
};

void TestBuiltInReport::initTestCase()
{
    // The user's folders are those of a home of the test's own.
    QVERIFY(m_home.isValid());
    qputenv("HOME", QFile::encodeName(m_home.path()));
    qunsetenv("XDG_CONFIG_HOME");
    QVERIFY(QDir(m_home.path()).mkdir(QStringLiteral("Documents")));
}

void TestBuiltInReport::savedOwnerOnlyWhereChosenAndOpened()
{
    QFETCH(EngineKind, engine);
    ReportRig report(engine);
    const QString chosen = report.folder.filePath(QStringLiteral("отчёт за сентябрь.pdf"));
    report.rig.platform.queueSaveFileName(chosen);

    report.runReport();

    QCOMPARE(report.rig.platform.saveQuestions().size(), 1);
    const SaveQuestion& asked = report.rig.platform.saveQuestions().first();
    QCOMPARE(asked.owner, report.rig.form.get());
    QCOMPARE(asked.caption, QStringLiteral("Сохранить штатное расписание"));
    QCOMPARE(asked.proposedPath, QDir(m_home.path()).filePath(QStringLiteral("Documents/") + reportName));
    QCOMPARE(asked.filter, QStringLiteral("Документ PDF (*.pdf)"));
    QCOMPARE(fileStart(chosen), QByteArray("%PDF-"));
    QCOMPARE(modeBits(chosen), 0600);
    // Written beside under another name and renamed: nothing else is left in the folder.
    QCOMPARE(entries(report.folder.path()), QStringList{QFileInfo(chosen).fileName()});
    QCOMPARE(report.rig.platform.openedUrls(), QStringList{QUrl::fromLocalFile(chosen).toString()});
    QVERIFY(report.rig.platform.boxes().isEmpty());
    QVERIFY2(report.rig.platform.errors().isEmpty(), qPrintable(report.rig.platform.errors().join(u'\n')));
    QVERIFY(entries(QDir(m_home.path()).filePath(QStringLiteral("Documents"))).isEmpty());
}

void TestBuiltInReport::cancelInTheSaveDialogWritesNothing()
{
    ReportRig report(EngineKind::Sqlite);
    report.rig.platform.queueSaveFileName(QString());
    SentStatements sent;

    report.runReport();

    QCOMPARE(report.rig.platform.saveQuestions().size(), 1);
    // Only the report setting was read: no line of the report.
    QCOMPARE(sent.list().size(), 1);
    QVERIFY(entries(QDir(m_home.path()).filePath(QStringLiteral("Documents"))).isEmpty());
    QVERIFY(report.rig.platform.openedUrls().isEmpty());
    QVERIFY(report.rig.platform.boxes().isEmpty());
    QVERIFY(report.rig.platform.errors().isEmpty());
}

void TestBuiltInReport::existingFileIsReplacedOnlyWhenAgreed()
{
    ReportRig report(EngineKind::Sqlite);
    const QString chosen = report.folder.filePath(reportName);
    QFile earlier(chosen);
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.write("the report of last week");
    earlier.close();
    // "No": the dialog again on the same name, then Cancel; the file stays as it was.
    report.rig.platform.queueSaveFileName(chosen);
    report.rig.platform.queueAnswer(MessageAnswer::No);
    report.rig.platform.queueSaveFileName(QString());

    report.runReport();

    QCOMPARE(report.rig.platform.boxes().size(), 1);
    const ShownBox& question = report.rig.platform.boxes().first();
    QCOMPARE(question.text, QStringLiteral("Файл «%1» уже существует.\rЗаменить его?").arg(chosen));
    QCOMPARE(question.caption, QStringLiteral("Штатное расписание"));
    QCOMPARE(question.buttons, MessageButtons::YesNo);
    QCOMPARE(question.icon, MessageIcon::Question);
    QCOMPARE(report.rig.platform.saveQuestions().size(), 2);
    QCOMPARE(report.rig.platform.saveQuestions().last().proposedPath, chosen);
    QCOMPARE(fileStart(chosen), QByteArray("the r"));
    QVERIFY(report.rig.platform.openedUrls().isEmpty());

    // "Yes": replaced, owner-only whatever the earlier file's rights were.
    QVERIFY(QFile::setPermissions(chosen, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ReadGroup | QFileDevice::ReadOther));
    report.rig.platform.queueModal([](QDialog&) { return ModalResult::Ok; });
    report.rig.platform.queueSaveFileName(chosen);
    report.rig.platform.queueAnswer(MessageAnswer::Yes);

    report.runReport();

    QCOMPARE(fileStart(chosen), QByteArray("%PDF-"));
    QCOMPARE(modeBits(chosen), 0600);
    QCOMPARE(report.rig.platform.openedUrls().size(), 1);
}

void TestBuiltInReport::plantedLinkIsReplacedNotFollowed_data()
{
    QTest::addColumn<bool>("targetExists");
    QTest::newRow("link to another's file") << true;
    QTest::newRow("link to a name not yet taken") << false;
}

// Another local user made the name first, as a link to a file of the user's own.
void TestBuiltInReport::plantedLinkIsReplacedNotFollowed()
{
    QFETCH(bool, targetExists);
    ReportRig report(EngineKind::Sqlite);
    QTemporaryDir victimFolder;
    const QString victim = victimFolder.filePath(QStringLiteral(".profile"));
    if (targetExists) {
        QFile file(victim);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("export PATH");
    }
    const QString chosen = report.folder.filePath(reportName);
    QVERIFY(QFile::link(victim, chosen));
    report.rig.platform.queueSaveFileName(chosen);
    if (targetExists)
        report.rig.platform.queueAnswer(MessageAnswer::Yes);

    report.runReport();

    QVERIFY(!QFileInfo(chosen).isSymLink());
    QCOMPARE(fileStart(chosen), QByteArray("%PDF-"));
    QCOMPARE(modeBits(chosen), 0600);
    QCOMPARE(fileStart(victim), targetExists ? QByteArray("expor") : QByteArray("<missing>"));
    QVERIFY(report.rig.platform.errors().isEmpty());
}

void TestBuiltInReport::withoutAViewerTheUserIsToldWhereTheFileIs()
{
    ReportRig report(EngineKind::Sqlite);
    const QString chosen = report.folder.filePath(reportName);
    report.rig.platform.queueSaveFileName(chosen);
    report.rig.platform.setOpensUrls(false);
    report.rig.platform.queueAnswer(MessageAnswer::Ok);

    report.runReport();

    QCOMPARE(report.rig.platform.openedUrls().size(), 1);
    QCOMPARE(report.rig.platform.boxes().size(), 1);
    const ShownBox& notice = report.rig.platform.boxes().first();
    QCOMPARE(notice.text, QStringLiteral("Штатное расписание сохранено в файл «%1».\rОткрыть его не удалось: "
                                         "на компьютере нет программы для просмотра PDF.")
                              .arg(chosen));
    QCOMPARE(notice.caption, QStringLiteral("Штатное расписание"));
    QCOMPARE(notice.buttons, MessageButtons::Ok);
    QCOMPARE(notice.icon, MessageIcon::Information);
    QCOMPARE(notice.owner, report.rig.form.get());
    QCOMPARE(fileStart(chosen), QByteArray("%PDF-"));
    QVERIFY(report.rig.platform.errors().isEmpty());
}

void TestBuiltInReport::proposedInTheHomeFolderWithoutDocuments()
{
    const QString documents = QDir(m_home.path()).filePath(QStringLiteral("Documents"));
    QVERIFY(QDir(documents).removeRecursively());
    QCOMPARE(proposedReportPath(QDate(2025, 1, 9), QStringLiteral("pdf")),
             QDir(m_home.path()).filePath(QStringLiteral("Штатное расписание на 09.01.2025.pdf")));
    QVERIFY(QDir().mkpath(documents));
    QCOMPARE(proposedReportPath(QDate(2025, 1, 9), QStringLiteral("pdf")),
             QDir(documents).filePath(QStringLiteral("Штатное расписание на 09.01.2025.pdf")));
}

void TestBuiltInReport::detailsAndRequisitesAreKeptForTheNextReport()
{
    QFETCH(EngineKind, engine);
    ReportRig report(engine, [](QDialog& dialog) {
        child<DateBox>(dialog, "DateEdit")->setDate(QDate(2024, 9, 1));
        auto* format = child<QComboBox>(dialog, "FormatBox");
        format->setCurrentIndex(format->findData(QStringLiteral("html")));
        child<QLineEdit>(dialog, "DocumentNumberEdit")->setText(QStringLiteral(" 17 "));
        child<DateBox>(dialog, "PeriodFromEdit")->setDate(QDate(2025, 1, 1));
        child<DateBox>(dialog, "PeriodToEdit")->setDate(QDate(2025, 12, 31));
        child<QLineEdit>(dialog, "ApprovalOrderEdit")->setText(QStringLiteral("245-к"));
        child<QLineEdit>(dialog, "OkpoEdit")->setText(QStringLiteral("02069036"));
        child<QLineEdit>(dialog, "HrHeadNameEdit")->setText(QStringLiteral("Иванова А. П."));
        return ModalResult::Ok;
    });
    // Typed without an extension: the chosen format's is added.
    report.rig.platform.queueSaveFileName(report.folder.filePath(QStringLiteral("отчёт")));
    const QString chosen = report.folder.filePath(QStringLiteral("отчёт.html"));

    report.runReport();

    QVERIFY2(report.rig.platform.errors().isEmpty(), qPrintable(report.rig.platform.errors().join(u'\n')));
    const SaveQuestion& asked = report.rig.platform.saveQuestions().first();
    QCOMPARE(asked.filter, QStringLiteral("Страница HTML (*.html *.htm)"));
    QVERIFY(asked.proposedPath.endsWith(QStringLiteral("Штатное расписание на 01.09.2024.html")));
    QVERIFY(QFileInfo::exists(chosen));
    const FormRequisites stored = loadFormRequisites(report.rig.otherWorkstation());
    QCOMPARE(stored.okpo, QStringLiteral("02069036"));
    QCOMPARE(stored.hrHeadName, QStringLiteral("Иванова А. П."));

    // The next time the same workstation offers what was given, but the date of the day.
    ReportChoices offered;
    FormRequisites offeredRequisites;
    report.rig.platform.queueModal([&](QDialog& dialog) {
        offered = static_cast<ReportDialog&>(dialog).choices();
        offeredRequisites = static_cast<ReportDialog&>(dialog).requisites();
        return ModalResult::Cancel;
    });
    report.rig.platform.setNow(QDateTime(QDate(2024, 10, 3), QTime(9, 0)));
    report.runReport();
    QCOMPARE(offered.asOf, QDate(2024, 10, 3));
    QCOMPARE(offered.extension, QStringLiteral("html"));
    QCOMPARE(offered.details.documentNumber, QStringLiteral("17"));
    QCOMPARE(offered.details.periodFrom, QDate(2025, 1, 1));
    QCOMPARE(offered.details.periodTo, QDate(2025, 12, 31));
    QCOMPARE(offered.details.approvalOrder, QStringLiteral("245-к"));
    QCOMPARE(offeredRequisites, stored);
    QCOMPARE(report.rig.platform.saveQuestions().size(), 1);
}

void TestBuiltInReport::reversedPeriodIsRefusedInTheDialog()
{
    bool stayedOpen = false;
    ReportRig report(EngineKind::Sqlite, [&stayedOpen, &report](QDialog& dialog) {
        report.rig.platform.queueAnswer(MessageAnswer::Ok);
        child<DateBox>(dialog, "PeriodFromEdit")->setDate(QDate(2025, 2, 1));
        child<DateBox>(dialog, "PeriodToEdit")->setDate(QDate(2025, 1, 31));
        QTest::mouseClick(child<QPushButton>(dialog, "BuildButton"), Qt::LeftButton);
        stayedOpen = dialog.result() != QDialog::Accepted;
        return ModalResult::Cancel;
    });

    report.runReport();

    QVERIFY(stayedOpen);
    QCOMPARE(
        report.rig.platform.boxTexts(),
        QStringList(QStringLiteral("Период указан наоборот: его начало 01.02.2025 позже конца 31.01.2025.")));
    QVERIFY(report.rig.platform.saveQuestions().isEmpty());
}

// The report chosen by keys: the second entry of "Отчёт:", the last format (HTML).
void TestBuiltInReport::vacanciesAreChosenInTheDialog()
{
    QFETCH(EngineKind, engine);
    bool formGreyed = false;
    ReportRig report(engine, [&formGreyed](QDialog& dialog) {
        child<DateBox>(dialog, "DateEdit")->setDate(QDate(2024, 9, 1));
        QTest::keyClick(child<QComboBox>(dialog, "ReportKindBox"), Qt::Key_Down);
        QTest::keyClick(child<QComboBox>(dialog, "FormatBox"), Qt::Key_End);
        formGreyed = !child<QLineEdit>(dialog, "DocumentNumberEdit")->isEnabled() &&
                     !child<QLineEdit>(dialog, "OkpoEdit")->isEnabled();
        QTest::mouseClick(child<QPushButton>(dialog, "BuildButton"), Qt::LeftButton);
        return dialog.result() == QDialog::Accepted ? ModalResult::Ok : ModalResult::Cancel;
    });
    const QString chosen = report.folder.filePath(QStringLiteral("вакансии.html"));
    report.rig.platform.queueSaveFileName(chosen);
    report.runReport();

    QVERIFY(formGreyed);
    QCOMPARE(report.rig.platform.saveQuestions().size(), 1);
    const SaveQuestion& asked = report.rig.platform.saveQuestions().first();
    QCOMPARE(asked.caption, QStringLiteral("Сохранить вакансии"));
    QCOMPARE(asked.proposedPath,
             QDir(m_home.path()).filePath(QStringLiteral("Documents/Вакансии на 01.09.2024.html")));
    QFile written(chosen);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(written.readAll())
                .contains(QStringLiteral("<h1>Вакансии</h1>\n<p>по состоянию на 01.09.2024</p>")));
    QCOMPARE(report.rig.platform.openedUrls(), QStringList{QUrl::fromLocalFile(chosen).toString()});
}

// The first format, PDF, chosen by keys.
void TestBuiltInReport::vacanciesAreWrittenAsPdf()
{
    ReportRig report(EngineKind::Sqlite, [](QDialog& dialog) {
        child<DateBox>(dialog, "DateEdit")->setDate(QDate(2024, 9, 1));
        QTest::keyClick(child<QComboBox>(dialog, "ReportKindBox"), Qt::Key_Down);
        QTest::keyClick(child<QComboBox>(dialog, "FormatBox"), Qt::Key_Home);
        QTest::mouseClick(child<QPushButton>(dialog, "BuildButton"), Qt::LeftButton);
        return dialog.result() == QDialog::Accepted ? ModalResult::Ok : ModalResult::Cancel;
    });
    const QString chosen = report.folder.filePath(QStringLiteral("вакансии"));
    report.rig.platform.queueSaveFileName(chosen);

    report.runReport();

    QCOMPARE(report.rig.platform.boxTexts(), QStringList());
    QCOMPARE(report.rig.platform.saveQuestions().size(), 1);
    const SaveQuestion& asked = report.rig.platform.saveQuestions().first();
    QCOMPARE(asked.proposedPath,
             QDir(m_home.path()).filePath(QStringLiteral("Documents/Вакансии на 01.09.2024.pdf")));
    QCOMPARE(asked.filter, QStringLiteral("Документ PDF (*.pdf)"));
    // A name typed without an extension gets the format's.
    QCOMPARE(fileStart(chosen + QStringLiteral(".pdf")), QByteArray("%PDF-"));
    QCOMPARE(report.rig.platform.openedUrls(),
             QStringList{QUrl::fromLocalFile(chosen + QStringLiteral(".pdf")).toString()});
}

// The third entry of "Отчёт:", its period, the spreadsheet; the period is offered again the next time.
void TestBuiltInReport::changesAreChosenInTheDialog()
{
    QFETCH(EngineKind, engine);
    bool onlyThePeriod = false;
    ReportRig report(engine, [&onlyThePeriod](QDialog& dialog) {
        QTest::keyClick(child<QComboBox>(dialog, "ReportKindBox"), Qt::Key_End);
        auto* format = child<QComboBox>(dialog, "FormatBox");
        format->setCurrentIndex(format->findData(QStringLiteral("xlsx")));
        child<DateBox>(dialog, "ChangesFromEdit")->setDate(QDate(2024, 8, 1));
        child<DateBox>(dialog, "ChangesToEdit")->setDate(QDate(2024, 9, 1));
        onlyThePeriod = !child<DateBox>(dialog, "DateEdit")->isEnabled() &&
                        child<DateBox>(dialog, "ChangesFromEdit")->isEnabled() &&
                        !child<QLineEdit>(dialog, "DocumentNumberEdit")->isEnabled();
        QTest::mouseClick(child<QPushButton>(dialog, "BuildButton"), Qt::LeftButton);
        return dialog.result() == QDialog::Accepted ? ModalResult::Ok : ModalResult::Cancel;
    });
    const QString chosen = report.folder.filePath(QStringLiteral("изменения.xlsx"));
    report.rig.platform.queueSaveFileName(chosen);
    report.runReport();

    QVERIFY(onlyThePeriod);
    QVERIFY2(report.rig.platform.errors().isEmpty(), qPrintable(report.rig.platform.errors().join(u'\n')));
    QCOMPARE(report.rig.platform.saveQuestions().size(), 1);
    const SaveQuestion& asked = report.rig.platform.saveQuestions().first();
    QCOMPARE(asked.caption, QStringLiteral("Сохранить изменения за период"));
    QCOMPARE(asked.filter, QStringLiteral("Книга Excel (*.xlsx)"));
    QCOMPARE(
        asked.proposedPath,
        QDir(m_home.path()).filePath(QStringLiteral("Documents/Изменения с 01.08.2024 по 01.09.2024.xlsx")));
    QVERIFY(fileStart(chosen).startsWith("PK\x03\x04"));
    QCOMPARE(report.rig.platform.openedUrls(), QStringList{QUrl::fromLocalFile(chosen).toString()});

    ReportChoices offered;
    report.rig.platform.queueModal([&](QDialog& dialog) {
        offered = static_cast<ReportDialog&>(dialog).choices();
        return ModalResult::Cancel;
    });
    report.runReport();
    QCOMPARE(offered.changesFrom, QDate(2024, 8, 1));
    QCOMPARE(offered.changesTo, QDate(2024, 9, 1));
}

void TestBuiltInReport::changesRefusals_data()
{
    QTest::addColumn<QDate>("from");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("reversed") << QDate(2024, 9, 2) << 2
                              << QStringLiteral(
                                     "Период указан наоборот: его начало 02.09.2024 позже конца 01.09.2024.");
}

void TestBuiltInReport::changesRefusals()
{
    QFETCH(QDate, from);
    QFETCH(int, format);
    QFETCH(QString, refusal);
    bool stayedOpen = false;
    ReportRig report(EngineKind::Sqlite, [&](QDialog& dialog) {
        report.rig.platform.queueAnswer(MessageAnswer::Ok);
        QTest::keyClick(child<QComboBox>(dialog, "ReportKindBox"), Qt::Key_End);
        child<QComboBox>(dialog, "FormatBox")->setCurrentIndex(format);
        child<DateBox>(dialog, "ChangesFromEdit")->setDate(from);
        child<DateBox>(dialog, "ChangesToEdit")->setDate(QDate(2024, 9, 1));
        QTest::mouseClick(child<QPushButton>(dialog, "BuildButton"), Qt::LeftButton);
        stayedOpen = dialog.result() != QDialog::Accepted;
        return ModalResult::Cancel;
    });

    report.runReport();

    QVERIFY(stayedOpen);
    QCOMPARE(report.rig.platform.boxTexts(), QStringList(refusal));
    QVERIFY(report.rig.platform.saveQuestions().isEmpty());
}

void TestBuiltInReport::tabGoesDownTheRows_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("schedule") << int(ReportKind::Schedule)
                              << QStringList{QStringLiteral("ReportKindBox"), QStringLiteral("DateEdit"),
                                             QStringLiteral("FormatBox"),
                                             QStringLiteral("DocumentNumberEdit")};
    QTest::newRow("changes") << int(ReportKind::Changes)
                             << QStringList{QStringLiteral("ReportKindBox"),
                                            QStringLiteral("ChangesFromEdit"),
                                            QStringLiteral("ChangesToEdit"), QStringLiteral("FormatBox")};
}

// Tab passes the rows as they stand, skipping what the chosen report does not use.
void TestBuiltInReport::tabGoesDownTheRows()
{
    QFETCH(int, kind);
    QFETCH(QStringList, order);
    ReportChoices choices;
    choices.asOf = QDate(2024, 9, 1);
    choices.kind = ReportKind(kind);
    ReportDialog dialog(choices, FormRequisites());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QStringList visited;
    for (qsizetype i = 0; i < order.size(); ++i) {
        visited.append(dialog.focusWidget() ? dialog.focusWidget()->objectName() : QString());
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(visited, order);
}

QTEST_MAIN(TestBuiltInReport)
#include "tst_builtinreport.moc"
