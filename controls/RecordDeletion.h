#pragma once

#include <QByteArray>
#include <QList>

class QWidget;

namespace zeb {

class Dataset;

namespace recorddeletion {

// Asks the user before deleting and, on OK, deletes the current row, or with two rows or more given by
// bookmark each of them in turn. Errors are shown through the platform's error display; Abort ends the
// deleting silently. Nothing is asked while the dataset is closed or empty.
void askAndDelete(QWidget* owner, Dataset& dataset, const QList<QByteArray>& rows = {});

} // namespace recorddeletion

} // namespace zeb
