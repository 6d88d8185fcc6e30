#pragma once

#include "app/Args.h"

namespace app {

// pagocentral sqlserver-scripts DIR [--demo]: writes the scripts a database administrator runs
// with sqlcmd: erp.sql and contabilidad.sql (tables, indexes, functions), and with --demo
// demo_erp.sql and demo_contabilidad.sql (the demo company, dated around today).
int ComandoSqlServer(const Args &args);

} // namespace app
