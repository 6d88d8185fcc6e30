#pragma once

namespace db {

// How long a connection to an embedded database waits for another user's write lock, in
// milliseconds: PAGOCENTRAL_BUSY_TIMEOUT when it holds a number, else 15000.
int BusyTimeoutMs();

} // namespace db
