#include "Usage.h"

namespace zeb {

QString usageText()
{
    return QStringLiteral(
        "Использование:\n"
        "  zeb7-admin init DIR --engine sqlite|pg [--host H] [--port P] [--database NAME] [--admin-user U] "
        "[--demo]\n"
        "      Создаёт базу данных со схемой, процедурами и учётными записями и пишет файл настроек "
        "DIR/Data/ZEB.\n"
        "      sqlite: файл DIR/Data/NAME.db; pg: база NAME на сервере H:P (по умолчанию 127.0.0.1:5432).\n"
        "      Имя базы по умолчанию zeb. --demo добавляет демонстрационные данные и пользователей.\n"
        "  zeb7-admin settings DIR\n"
        "      Показывает значения файла настроек DIR/Data/ZEB и строку соединения клиента.\n"
        "  zeb7-admin user add|passwd|lock|unlock DIR LOGIN [PASSWORD] [--must-change] [--admin-user U]\n"
        "      Добавляет пользователя, меняет его пароль, блокирует или разблокирует его.\n"
        "      --must-change: пароль нужно сменить при следующем входе.\n"
        "  zeb7-admin query DIR --login L --password P \"STATEMENT\"\n"
        "      Входит как клиент от имени пользователя L и выполняет оператор; строки выводятся в формате "
        "CSV.\n"
        "  zeb7-admin report DIR --login L --password P --as-of ДД.ММ.ГГГГ --out FILE.pdf|FILE.html "
        "[--unit TEXT]\n"
        "      Входит как клиент от имени пользователя L и пишет штатное расписание (форма Т-3) на дату "
        "--as-of:\n"
        "      строки, введённые приказом не позже этой даты и не выведенные к ней. Формат по расширению "
        "файла:\n"
        "      .pdf (A4, альбомная) или .html/.htm. --unit оставляет подразделения, в названии которых есть "
        "TEXT.\n"
        "\n"
        "PostgreSQL: администратор сервера задаётся --admin-user (по умолчанию postgres),\n"
        "его пароль берётся из переменной окружения PGPASSWORD.\n"
        "Коды завершения: 0 успех, 1 ошибка, 2 неверные аргументы.\n");
}

} // namespace zeb
