#include "bench/StartupProbe.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>

// The yardstick: a bare Qt Widgets program showing one dialog.
int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    ShownWindowProbe probe("QDialog");
    application.installEventFilter(&probe);
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Пользователь")));
    return dialog.exec();
}
