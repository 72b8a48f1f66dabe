#pragma once

namespace zeb {

class Engine;

// The demo's sign-in users, one for each thing the sign-in can answer: admin/admin123 and kadry/kadry123
// sign in; petrova/petrova1 has an expired password, sidorov/sidorov1 one about to expire,
// novikova/novikova1 must change hers, blocked/blocked1 is locked by the administrator.
void insertDemoUsers(Engine& engine);

} // namespace zeb
