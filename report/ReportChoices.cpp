#include "report/ReportChoices.h"

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

const QStringList extensions = {QStringLiteral("pdf"), QStringLiteral("xlsx"), QStringLiteral("html")};

QDate dateOf(const QSettings& settings, const QString& key, const QDate& otherwise)
{
    if (!settings.contains(key))
        return otherwise;
    return QDate::fromString(settings.value(key).toString(), Qt::ISODate);
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
}

QString reportChoicesFault(const ReportChoices& choices)
{
    if (!choices.asOf.isValid())
        return QStringLiteral("Укажите дату, на которую составляется штатное расписание.");
    const FormDetails& details = choices.details;
    if (details.periodFrom.isValid() && details.periodTo.isValid() && details.periodFrom > details.periodTo)
        return QStringLiteral("Период указан наоборот: его начало %1 позже конца %2.")
            .arg(details.periodFrom.toString(QStringLiteral("dd.MM.yyyy")),
                 details.periodTo.toString(QStringLiteral("dd.MM.yyyy")));
    if (!extensions.contains(choices.extension))
        return QStringLiteral("Выберите формат файла: PDF, Excel или HTML.");
    return {};
}

} // namespace zeb
