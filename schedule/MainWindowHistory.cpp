// "История строки": the history the database keeps of the grid's current line.

#include "controls/DBGridEh.h"
#include "data/dataset/Dataset.h"
#include "data/dataset/Field.h"
#include "data/module/DataModule.h"
#include "platform/seam/ErrorDisplayApplication.h"
#include "platform/seam/Platform.h"
#include "schedule/MainWindow.h"
#include "schedule/history/LineHistory.h"
#include "schedule/history/LineHistoryDialog.h"

#include <QAction>

namespace zeb {

namespace {

const QString historyCaption = QStringLiteral("История строки");

// "№ 3, Доцент", or what of it the line has.
QString lineName(const Dataset& lines)
{
    QStringList parts;
    if (const Field* number = lines.findField(QStringLiteral("Num")); number && !number->isNull())
        parts.append(QStringLiteral("№ ") + number->asString());
    if (const Field* post = lines.findField(QStringLiteral("POST")); post && !post->asString().isEmpty())
        parts.append(post->asString().trimmed());
    return parts.join(QStringLiteral(", "));
}

} // namespace

void MainWindow::createLineHistoryAction()
{
    m_lineHistoryAction = new QAction(historyCaption, this);
    m_lineHistoryAction->setObjectName(QStringLiteral("LineHistoryAction"));
    m_lineHistoryAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    m_lineHistoryAction->setShortcutContext(Qt::WindowShortcut);
    connect(m_lineHistoryAction, &QAction::triggered, this, guarded([this](bool) { showLineHistory(); }));
    m_grid->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_grid->addAction(m_lineHistoryAction);
}

void MainWindow::showLineHistory()
{
    const Dataset* lines = m_grid->dataset();
    if (!lines || !lines->isActive() || lines->isEmpty()) {
        Platform::instance().messageBox(this,
                                        QStringLiteral("В таблице нет строк. Историю изменений показывает "
                                                       "текущая строка штатного расписания."),
                                        historyCaption, MessageButtons::Ok, MessageIcon::Information);
        return;
    }
    const QVariant key = lines->fieldByName(QStringLiteral("id_vakansiya"))->value();
    if (key.isNull() || lines->state() == Dataset::State::Insert) {
        Platform::instance().messageBox(
            this,
            QStringLiteral("Строка ещё не сохранена в базе данных, поэтому истории "
                           "изменений у неё нет. История появится, когда строка "
                           "будет сохранена."),
            historyCaption, MessageButtons::Ok, MessageIcon::Information);
        return;
    }
    LineHistory history(m_dataModule.connection);
    LineHistoryDialog dialog(lineName(*lines), history.changesOf(key), this);
    Platform::instance().runModal(dialog);
}

} // namespace zeb
