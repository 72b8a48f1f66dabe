#include "report/ReportChoices.h"

#include "report/FormTexts.h"

#include <QSettings>

namespace zeb {

namespace {

QSettings store()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("zeb7"),
                     QStringLiteral("report"));
}

const QString numberKey = QStringLiteral("form/number");
const QString compiledKey = QStringLiteral("form/compiled");
const QString fromKey = QStringLiteral("form/periodFrom");
const QString toKey = QStringLiteral("form/periodTo");
const QString approvedKey = QStringLiteral("form/approvedOn");
const QString orderKey = QStringLiteral("form/approvalOrder");
const QString extensionKey = QStringLiteral("file/extension");
const QString changesFromKey = QStringLiteral("changes/from");
const QString changesToKey = QStringLiteral("changes/to");

const QStringList extensions = {QStringLiteral("pdf"), QStringLiteral("xlsx"), QStringLiteral("html")};

QDate dateOf(const QSettings& settings, const QString& key, const QDate& otherwise)
{
    if (!settings.contains(key))
        return otherwise;
    return QDate::fromString(settings.value(key).toString(), Qt::ISODate);
}

QString changesFault(const ReportChoices& choices)
{
    if (!choices.changesFrom.isValid() || !choices.changesTo.isValid())
        return QStringLiteral("Укажите начало и конец периода изменений.");
    if (choices.changesFrom > choices.changesTo)
        return formtexts::reversedPeriodText(choices.changesFrom, choices.changesTo);
    return {};
}

} // namespace

ReportChoices rememberedReportChoices(const QDate& today)
{
    const QSettings settings = store();
    ReportChoices choices;
    choices.asOf = today;
    FormDetails& details = choices.details;
    details.documentNumber = settings.value(numberKey).toString();
    details.compiledOn = dateOf(settings, compiledKey, today);
    details.periodFrom = dateOf(settings, fromKey, QDate(today.year(), 1, 1));
    details.periodTo = dateOf(settings, toKey, QDate(today.year(), 12, 31));
    details.approvedOn = dateOf(settings, approvedKey, QDate());
    details.approvalOrder = settings.value(orderKey).toString();
    choices.changesFrom = dateOf(settings, changesFromKey, QDate(today.year(), today.month(), 1));
    choices.changesTo = dateOf(settings, changesToKey, today);
    choices.extension = settings.value(extensionKey).toString();
    if (!extensions.contains(choices.extension))
        choices.extension = extensions.first();
    return choices;
}

void rememberReportChoices(const ReportChoices& choices)
{
    QSettings settings = store();
    const FormDetails& details = choices.details;
    settings.setValue(numberKey, details.documentNumber);
    settings.setValue(compiledKey, details.compiledOn.toString(Qt::ISODate));
    settings.setValue(fromKey, details.periodFrom.toString(Qt::ISODate));
    settings.setValue(toKey, details.periodTo.toString(Qt::ISODate));
    settings.setValue(approvedKey, details.approvedOn.toString(Qt::ISODate));
    settings.setValue(orderKey, details.approvalOrder);
    settings.setValue(extensionKey, choices.extension);
    settings.setValue(changesFromKey, choices.changesFrom.toString(Qt::ISODate));
    settings.setValue(changesToKey, choices.changesTo.toString(Qt::ISODate));
}

QString reportChoicesFault(const ReportChoices& choices)
{
    if (!choices.asOf.isValid())
        return QStringLiteral("Укажите дату, на которую составляется штатное расписание.");
    if (!extensions.contains(choices.extension))
        return QStringLiteral("Выберите формат файла: PDF, Excel или HTML.");
    // The form's details belong to the staff schedule alone.
    if (choices.kind == ReportKind::Changes)
        return changesFault(choices);
    const FormDetails& details = choices.details;
    if (details.periodFrom.isValid() && details.periodTo.isValid() && details.periodFrom > details.periodTo)
        return formtexts::reversedPeriodText(details.periodFrom, details.periodTo);
    return {};
}

} // namespace zeb
