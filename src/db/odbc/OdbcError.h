#pragma once

#include "db/DbError.h"

#include <sql.h>

#include <string>

namespace db {

// The handle's diagnostic records as a DbError: SQLSTATE and native code of the first record and
// the messages of all of them, one a line. fallback is the message when the driver left none.
DbError OdbcError(SQLSMALLINT handleType, SQLHANDLE handle, const std::string &fallback,
                  std::string written = {}, std::string translated = {});

} // namespace db
