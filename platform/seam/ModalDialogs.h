#pragma once

namespace zeb {

// Closes every visible modal window and every box in front (BoxInFront.h), dialogs with the reject result,
// so that each modal run in progress returns as if cancelled.
void rejectModalDialogs();

} // namespace zeb
