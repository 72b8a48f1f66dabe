#pragma once

namespace zeb {

class DataModule;

// Reloads the lists behind the unit selectors and the grid's post column, each on the statement it holds
// now (a faculty's departments stay that faculty's), and sorts them for the user. The schedule itself and
// the selectors' chosen keys stay as they are.
void refreshSelectionLists(DataModule& dataModule);

} // namespace zeb
