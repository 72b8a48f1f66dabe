#pragma once

class QWidget;

namespace zeb {

class Connection;

// The staff schedule report the program builds itself, for installations without a report server: the
// user picks the date, the report is written to a temporary PDF file with a progress indication, and the
// desktop's viewer opens it.
void showBuiltInReport(QWidget* owner, Connection& connection);

} // namespace zeb
