#include "server/DemoUsers.h"

#include "server/UserAdmin.h"

namespace zeb {

namespace {

constexpr int expiredAge = 120;
constexpr int nearlyExpiredAge = 80;

} // namespace

void insertDemoUsers(Engine& engine)
{
    UserAdmin users(engine);
    users.add(QStringLiteral("admin"), QStringLiteral("admin123"), false, QStringLiteral("Администратор"));
    users.add(QStringLiteral("kadry"), QStringLiteral("kadry123"), false,
              QStringLiteral("Смирнова Елена Викторовна"));
    users.add(QStringLiteral("petrova"), QStringLiteral("petrova1"), false,
              QStringLiteral("Петрова Анна Сергеевна"));
    users.setPasswordAge(QStringLiteral("petrova"), expiredAge);
    users.add(QStringLiteral("sidorov"), QStringLiteral("sidorov1"), false,
              QStringLiteral("Сидоров Павел Игоревич"));
    users.setPasswordAge(QStringLiteral("sidorov"), nearlyExpiredAge);
    users.add(QStringLiteral("blocked"), QStringLiteral("blocked1"), false,
              QStringLiteral("Кузнецов Олег Юрьевич"));
    users.lock(QStringLiteral("blocked"));
    users.add(QStringLiteral("novikova"), QStringLiteral("novikova1"), true,
              QStringLiteral("Новикова Мария Андреевна"));
}

} // namespace zeb
