#pragma once

namespace zeb {

// Without TZ the C library looks at the time zone file again at every local-time conversion, which makes
// each read of the clock cost more than saving a line. Naming the file once for the run keeps the zone the
// system has; a TZ the user set is left as it is.
void pinLocalTimeZone();

} // namespace zeb
