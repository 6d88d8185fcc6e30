#include "db/DbError.h"
#include "db/Sql.h"
#include "db/Transaction.h"
#include "db/odbc/OdbcConnection.h"
#include "db/sqlite/SqliteConnection.h"
#include "fixtures/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

using Rows = std::vector<std::string>;
using Attachments = std::vector<std::pair<std::string, std::string>>;

const char *KindCode(db::FieldKind k) {
    switch (k) {
    case db::FieldKind::Null:
        return "N";
    case db::FieldKind::Integer:
        return "I";
    case db::FieldKind::Real:
        return "R";
    case db::FieldKind::Currency:
        return "C";
    case db::FieldKind::Date:
        return "D";
    case db::FieldKind::Text:
        return "T";
    }
    return "?";
}

// Rows as "a|b|c"; with kinds, each value is followed by its kind: "7:I|Pérez:T".
Rows Query(db::Connection &c, const std::string &sql, bool kinds = false) {
    Rows out;
    auto rs = c.OpenRecordset(sql);
    while (!rs->Eof()) {
        std::string row;
        for (std::size_t i = 0; i < rs->FieldCount(); ++i) {
            row += (i ? "|" : "") + rs->Fields(i).AsText();
            if (kinds) {
                row += std::string(":") + KindCode(rs->Fields(i).Kind());
            }
        }
        out.push_back(row);
        rs->MoveNext();
    }
    return out;
}

// The message of the DbError a statement raises; fails the test when it runs.
template <class F> db::DbError ErrorOf(F &&run) {
    try {
        run();
    } catch (const db::DbError &e) {
        return e;
    }
    ADD_FAILURE() << "no DbError was raised";
    return db::DbError("");
}

class Odbc : public ::testing::Test {
  protected:
    db::ConnectionPtr Open(const std::string &file, const Attachments &attachments = {}) {
        return db::OpenOdbc(db::SqliteOdbcConnectionString(dir.File(file)), db::OdbcDialect::Sqlite,
                            attachments);
    }
    // The same file with nothing rewritten and none of the settings added, to ask SQLite itself.
    db::ConnectionPtr OpenAsWritten(const std::string &file) {
        return db::OpenOdbc(Bare(file), db::OdbcDialect::SqlServer);
    }
    std::string Bare(const std::string &file) {
        return std::string("Driver=") + db::kSqliteOdbcDriver + ";Database=" + dir.File(file);
    }

    TempDir dir;
};

TEST_F(Odbc, TextsWithApostrophesAndAccentsRoundTripThroughQuoting) {
    db::RunSqliteScript(dir.File("erp.db"),
                        {"CREATE TABLE Proveedores (Codigo INTEGER, Nombre VARCHAR(60) COLLATE "
                         "NOCASE, Nota VARCHAR(4000) COLLATE NOCASE DEFAULT '')"});
    auto erp = Open("erp.db");
    const Rows texts = {"O'Brien",
                        "'); DELETE FROM Proveedores; --",
                        "ñandú Ä €",
                        "日本語",
                        "😀 cara",
                        "a;b",
                        "''",
                        "?1 ?2",
                        "\"quoted\" [x]"};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::string &t = texts[i];
        EXPECT_EQ(erp->Execute("INSERT INTO Proveedores (Codigo, Nombre) VALUES (" + std::to_string(i) +
                               ", " + db::Quote(t) + ")"),
                  1)
            << t;
        EXPECT_EQ(Query(*erp, "SELECT Codigo FROM Proveedores WHERE Nombre = " + db::Quote(t)),
                  Rows{std::to_string(i)})
            << t;
        // Brackets in a LIKE pattern are a character class: "[x]" matches the letter x alone.
        bool bracketed = t.find('[') != std::string::npos;
        EXPECT_EQ(Query(*erp, "SELECT COUNT(*) FROM Proveedores WHERE Nombre LIKE '%" + db::Escape(t) + "%'"),
                  Rows{bracketed ? "0" : "1"})
            << t;
    }
    Rows all = Query(*erp, "SELECT Nombre FROM Proveedores ORDER BY Codigo");
    EXPECT_EQ(all, texts);
    // Text comparison ignores case as on SQL Server.
    EXPECT_EQ(Query(*erp, "SELECT Codigo FROM Proveedores WHERE Nombre = 'o''brien'"), Rows{"0"});

    // Longer than one read of the driver's buffer, with two-byte letters and a four-byte one at the seams.
    std::string longText;
    for (int i = 0; i < 1500; ++i) {
        longText += "ñá😀x";
    }
    longText += "fin";
    EXPECT_EQ(erp->Execute("UPDATE Proveedores SET Nota = " + db::Quote(longText) + " WHERE Codigo = 2"), 1);
    auto rs = erp->OpenRecordset("SELECT Nota, Nombre FROM Proveedores WHERE Codigo = 2");
    ASSERT_FALSE(rs->Eof());
    EXPECT_EQ(rs->Fields("nota").AsText().size(), longText.size());
    EXPECT_EQ(rs->Fields("NOTA").AsText(), longText);
    EXPECT_EQ(rs->Fields(1).AsText(), "ñandú Ä €");
    EXPECT_EQ(rs->Fields(1).Kind(), db::FieldKind::Text);
}

TEST_F(Odbc, NullsDatesAndAmountsReadBackExactly) {
    db::RunSqliteScript(
        dir.File("erp.db"),
        {"CREATE TABLE Lineas (Id INTEGER, Documento VARCHAR(50) COLLATE NOCASE, Fecha DATETIME, "
         "Importe MONEY, Obs VARCHAR(100) COLLATE NOCASE, Peso FLOAT)"});
    auto erp = Open("erp.db");
    erp->Execute(
        "INSERT INTO Lineas (Id, Documento, Fecha, Importe, Obs) VALUES (1, 'FA-1', '05/01/2026', 0.1, "
        "'31/02/2024')");
    erp->Execute(
        "INSERT INTO Lineas (Id, Documento, Fecha, Importe) VALUES (2, 'FA-2', '10/03/2026 23:30:00', "
        "123456789.1234)");
    erp->Execute("INSERT INTO Lineas (Id) VALUES (3)");
    erp->Execute("INSERT INTO Lineas (Id, Importe, Peso) VALUES (9007199254740993, -0.0001, 2.5)");
    EXPECT_EQ(erp->Execute("UPDATE Lineas SET Importe = Importe + 0.2 WHERE Id = 1"), 1);
    // A money column keeps four decimals: the stored sum is 0.3, not 0.30000000000000004.
    EXPECT_EQ(Query(*erp, "SELECT COUNT(*) FROM Lineas WHERE Importe = 0.3"), Rows{"1"});

    auto rs = erp->OpenRecordset("SELECT Id, Documento, Fecha, Importe, Obs, Peso FROM Lineas ORDER BY Id");
    ASSERT_FALSE(rs->Eof());
    EXPECT_EQ(rs->Fields("Importe").AsCurrencyUnits(), 3000);
    EXPECT_EQ(rs->Fields("Importe").AsText(), "0.3");
    EXPECT_EQ(rs->Fields("Importe").Kind(), db::FieldKind::Currency);
    EXPECT_EQ(rs->Fields("Fecha").AsText(), "2026-01-05");
    EXPECT_EQ(rs->Fields("Fecha").Kind(), db::FieldKind::Date);
    // A text column keeps a date-shaped text as typed.
    EXPECT_EQ(rs->Fields("Obs").AsText(), "31/02/2024");
    EXPECT_EQ(rs->Fields("Obs").Kind(), db::FieldKind::Text);
    rs->MoveNext();
    EXPECT_EQ(rs->Fields("Fecha").AsText(), "2026-03-10 23:30:00");
    EXPECT_EQ(rs->Fields("Importe").AsCurrencyUnits(), 1234567891234);
    EXPECT_EQ(rs->Fields("Importe").AsText(), "123456789.1234");
    rs->MoveNext();
    const db::Field &fecha = rs->Fields("Fecha");
    EXPECT_TRUE(fecha.IsNull());
    EXPECT_EQ(fecha.Kind(), db::FieldKind::Null);
    EXPECT_EQ(fecha.AsText(), "");
    EXPECT_EQ(rs->Fields("Importe").AsCurrencyUnits(), 0);
    EXPECT_EQ(rs->Fields("Documento").AsInt64(), 0);
    EXPECT_FALSE(rs->Fields("Id").IsNull());
    rs->MoveNext();
    // 2^53 + 1 has no double: the value must not pass through one.
    EXPECT_EQ(rs->Fields("Id").AsInt64(), 9007199254740993LL);
    EXPECT_EQ(rs->Fields("Id").AsText(), "9007199254740993");
    EXPECT_EQ(rs->Fields("Id").Kind(), db::FieldKind::Integer);
    EXPECT_EQ(rs->Fields("Importe").AsCurrencyUnits(), -1);
    EXPECT_EQ(rs->Fields("Peso").AsDouble(), 2.5);
    EXPECT_EQ(rs->Fields("Peso").Kind(), db::FieldKind::Real);
    rs->MoveNext();
    EXPECT_TRUE(rs->Eof());
    EXPECT_EQ(ErrorOf([&] { rs->MoveNext(); }).what(), std::string("El recordset está al final"));
    EXPECT_EQ(ErrorOf([&] { rs->Fields(0).AsText(); }).what(), std::string("No hay registro actual"));

    for (int i = 0; i < 10; ++i) {
        erp->Execute("INSERT INTO Lineas (Id, Importe) VALUES (100, 0.1)");
    }
    auto sum = erp->OpenRecordset("SELECT SUM(Importe) AS Total, COUNT(*) AS N FROM Lineas WHERE Id = 100");
    EXPECT_EQ(sum->Fields("Total").AsCurrencyUnits(), 10000);
    EXPECT_EQ(sum->Fields("N").AsInt64(), 10);
    EXPECT_EQ(sum->Fields("N").Kind(), db::FieldKind::Integer);
    EXPECT_EQ(Query(*erp, "SELECT Id FROM Lineas WHERE Fecha BETWEEN '01/01/2026' AND '31/01/2026'"),
              Rows{"1"});

    // Amounts given as decimal text are read digit by digit: each of these goes wrong through a double.
    const std::pair<const char *, std::int64_t> texts[] = {{"0.00015", 2},
                                                           {"-0.00145", -15},
                                                           {"922337203685477.5807", INT64_MAX},
                                                           {"-922337203685477.5808", INT64_MIN},
                                                           {"12,5", 125000},
                                                           {"1e-4", 1}};
    for (const auto &[text, units] : texts) {
        erp->Execute("DELETE FROM Lineas WHERE Id = 200");
        erp->Execute("INSERT INTO Lineas (Id, Obs) VALUES (200, " + db::Quote(text) + ")");
        auto one = erp->OpenRecordset("SELECT Obs FROM Lineas WHERE Id = 200");
        EXPECT_EQ(one->Fields(0).AsCurrencyUnits(), units) << text;
        EXPECT_EQ(one->Fields(0).AsText(), text);
    }
    erp->Execute("UPDATE Lineas SET Obs = '922337203685477.5808' WHERE Id = 200");
    auto over = erp->OpenRecordset("SELECT Obs FROM Lineas WHERE Id = 200");
    EXPECT_EQ(std::string(ErrorOf([&] { over->Fields(0).AsCurrencyUnits(); }).what()),
              "Importe fuera de rango: 922337203685477.5808");
}

TEST_F(Odbc, FailureInsideTransactionIsUndoneWithTheTransaction) {
    db::RunSqliteScript(dir.File("erp.db"),
                        {"CREATE TABLE Almacenes (Codigo INTEGER PRIMARY KEY, Nombre VARCHAR(60) "
                         "COLLATE NOCASE)",
                         "INSERT INTO Almacenes VALUES (1, 'Central')"});
    auto erp = Open("erp.db");
    auto other = Open("erp.db");

    EXPECT_EQ(ErrorOf([&] { erp->CommitTrans(); }).what(), std::string("No hay ninguna transacción abierta"));
    EXPECT_EQ(ErrorOf([&] { erp->RollbackTrans(); }).what(),
              std::string("No hay ninguna transacción abierta"));

    erp->BeginTrans();
    EXPECT_TRUE(erp->InTransaction());
    EXPECT_EQ(erp->Execute("INSERT INTO Almacenes VALUES (2, 'Telde')"), 1);
    EXPECT_EQ(ErrorOf([&] { erp->BeginTrans(); }).what(),
              std::string("Ya hay una transacción abierta en esta conexión"));
    db::DbError dup = ErrorOf([&] { erp->Execute("INSERT INTO Almacenes VALUES (1, 'Otra')"); });
    EXPECT_EQ(std::string(dup.what()), "[SQLite]UNIQUE constraint failed: Almacenes.Codigo (19)");
    EXPECT_EQ(dup.NativeCode(), 19);
    // The open transaction sees its own row; another connection reads the last committed state.
    EXPECT_EQ(Query(*erp, "SELECT Codigo FROM Almacenes ORDER BY Codigo"), (Rows{"1", "2"}));
    EXPECT_EQ(Query(*other, "SELECT Codigo FROM Almacenes ORDER BY Codigo"), Rows{"1"});
    erp->RollbackTrans();
    EXPECT_FALSE(erp->InTransaction());
    EXPECT_EQ(Query(*erp, "SELECT Codigo, Nombre FROM Almacenes"), Rows{"1|Central"});
    // After the rollback each statement commits by itself again.
    erp->Execute("INSERT INTO Almacenes VALUES (5, 'Cinco')");
    EXPECT_EQ(Query(*other, "SELECT Nombre FROM Almacenes WHERE Codigo = 5"), Rows{"Cinco"});
    erp->Execute("DELETE FROM Almacenes WHERE Codigo = 5");

    try {
        db::Transaction tx(*erp);
        erp->Execute("UPDATE Almacenes SET Nombre = 'Cambiado' WHERE Codigo = 1");
        erp->Execute("INSERT INTO Almacenes VALUES (1, 'Otra')");
        tx.Commit();
        FAIL() << "the duplicate was stored";
    } catch (const db::DbError &) {
    }
    EXPECT_FALSE(erp->InTransaction());
    EXPECT_EQ(Query(*other, "SELECT Codigo, Nombre FROM Almacenes"), Rows{"1|Central"});

    {
        db::Transaction tx(*erp);
        erp->Execute("INSERT INTO Almacenes VALUES (3, 'Vecindario')");
        tx.Commit();
    }
    EXPECT_EQ(Query(*other, "SELECT Codigo FROM Almacenes ORDER BY Codigo"), (Rows{"1", "3"}));
    // After the commit each statement commits by itself again.
    erp->Execute("DELETE FROM Almacenes WHERE Codigo = 3");
    EXPECT_EQ(Query(*other, "SELECT Codigo FROM Almacenes ORDER BY Codigo"), Rows{"1"});
}

TEST_F(Odbc, TwoDatabasesHoldIndependentTransactions) {
    db::RunSqliteScript(dir.File("erp.db"), {"CREATE TABLE Extractos (Cod VARCHAR(10) COLLATE NOCASE)"});
    db::RunSqliteScript(dir.File("conta.db"), {"CREATE TABLE Previsiones (Apunte INTEGER)"});
    {
        auto erp = Open("erp.db");
        auto conta = Open("conta.db");
        erp->BeginTrans();
        conta->BeginTrans();
        erp->Execute("INSERT INTO Extractos VALUES ('E1')");
        conta->Execute("INSERT INTO Previsiones VALUES (1)");
        erp->CommitTrans();
        EXPECT_TRUE(conta->InTransaction());
        EXPECT_EQ(Query(*conta, "SELECT COUNT(*) FROM Previsiones"), Rows{"1"});
        conta->RollbackTrans();
        EXPECT_EQ(Query(*conta, "SELECT COUNT(*) FROM Previsiones"), Rows{"0"});

        // The other way round: the one begun last is rolled back first.
        conta->BeginTrans();
        erp->BeginTrans();
        conta->Execute("INSERT INTO Previsiones VALUES (2)");
        erp->Execute("INSERT INTO Extractos VALUES ('E2')");
        erp->RollbackTrans();
        conta->CommitTrans();
    }
    auto erp = Open("erp.db");
    auto conta = Open("conta.db");
    EXPECT_EQ(Query(*erp, "SELECT Cod FROM Extractos"), Rows{"E1"});
    EXPECT_EQ(Query(*conta, "SELECT Apunte FROM Previsiones"), Rows{"2"});
}

TEST_F(Odbc, WriterWaitsForAnotherConnectionsCommitInsteadOfFailing) {
    db::RunSqliteScript(dir.File("erp.db"), {"CREATE TABLE Almacenes (Codigo INTEGER, Nombre VARCHAR(60))"});
    // The holder is the native backend on its own thread: one writer at a time per file.
    auto holder = db::OpenSqlite(dir.File("erp.db"));
    auto erp = Open("erp.db");
    holder->BeginTrans();
    holder->Execute("INSERT INTO Almacenes VALUES (1, 'Central')");
    EXPECT_EQ(Query(*erp, "SELECT COUNT(*) FROM Almacenes"), Rows{"0"})
        << "a reader is not blocked by the writer";
    auto start = std::chrono::steady_clock::now();
    std::thread committer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        holder->CommitTrans();
    });
    long written = -1;
    try {
        written = erp->Execute("INSERT INTO Almacenes VALUES (2, 'Telde')");
    } catch (const db::DbError &e) {
        ADD_FAILURE() << e.Detail();
    }
    auto waited = std::chrono::steady_clock::now() - start;
    committer.join();
    EXPECT_EQ(written, 1);
    EXPECT_GE(waited, std::chrono::milliseconds(300));
    EXPECT_EQ(Query(*erp, "SELECT Codigo FROM Almacenes ORDER BY Codigo"), (Rows{"1", "2"}));
}

TEST_F(Odbc, ErrorsCarryTheDiagnosticSqlStateAndBothStatements) {
    db::RunSqliteScript(dir.File("erp.db"),
                        {"CREATE TABLE Almacenes (Codigo INTEGER, Nombre VARCHAR(60) COLLATE "
                         "NOCASE, Alta DATETIME)",
                         "INSERT INTO Almacenes VALUES (1, 'Central', '2026-01-05')"});
    auto erp = Open("erp.db");
    db::DbError e = ErrorOf([&] { erp->OpenRecordset("SELECT TOP 1 ISNULL(Nada, 0) FROM Almacenes"); });
    EXPECT_EQ(std::string(e.what()), "[SQLite]no such column: Nada (1)");
    EXPECT_EQ(e.SqlState(), "HY000");
    EXPECT_EQ(e.NativeCode(), 1);
    EXPECT_EQ(e.Written(), "SELECT TOP 1 ISNULL(Nada, 0) FROM Almacenes");
    EXPECT_EQ(e.Translated(), "SELECT IFNULL(Nada, 0) FROM Almacenes LIMIT 1");
    EXPECT_EQ(e.Detail(),
              "[SQLite]no such column: Nada (1)\nSQL: SELECT TOP 1 ISNULL(Nada, 0) FROM Almacenes\n"
              "SQLite: SELECT IFNULL(Nada, 0) FROM Almacenes LIMIT 1");

    // Of several statements, the one that failed is named; those before it stay done.
    e = ErrorOf(
        [&] { erp->Execute("UPDATE Almacenes SET Nombre = 'A;B' WHERE Codigo = 1; UPDATE Nada SET x = 1"); });
    EXPECT_EQ(std::string(e.what()), "[SQLite]no such table: Nada (1)");
    EXPECT_EQ(e.Written(), "UPDATE Almacenes SET Nombre = 'A;B' WHERE Codigo = 1; UPDATE Nada SET x = 1");
    EXPECT_EQ(e.Translated(), "UPDATE Nada SET x = 1");
    EXPECT_EQ(Query(*erp, "SELECT Nombre FROM Almacenes"), Rows{"A;B"});

    e = ErrorOf([&] { erp->Execute("INSERT INTO Almacenes (Codigo, Alta) VALUES (2, '31/02/2024')"); });
    EXPECT_EQ(std::string(e.what()),
              "Conversion failed when converting date and/or time from character string: '31/02/2024'");
    EXPECT_EQ(e.Translated(), "INSERT INTO Almacenes (Codigo, Alta) VALUES (2, '31/02/2024')");
    EXPECT_EQ(Query(*erp, "SELECT COUNT(*) FROM Almacenes"), Rows{"1"});

    e = ErrorOf([&] { erp->Execute("SELECT DATEPART(day, Alta) FROM Almacenes"); });
    EXPECT_NE(std::string(e.what()).find("DATEPART"), std::string::npos) << e.what();
    EXPECT_EQ(e.Written(), "SELECT DATEPART(day, Alta) FROM Almacenes");
    EXPECT_EQ(e.Translated(), "");

    EXPECT_EQ(std::string(ErrorOf([&] { erp->OpenRecordset("UPDATE Almacenes SET Codigo = 1"); }).what()),
              "La instrucción no devuelve registros");
    EXPECT_EQ(std::string(ErrorOf([&] { erp->OpenRecordset(" ; "); }).what()), "La consulta está vacía");
    EXPECT_EQ(ErrorOf([&] { erp->Execute("SELECT 'abc"); }).Written(), "SELECT 'abc");
    EXPECT_EQ(std::string(ErrorOf([&] {
                              erp->OpenRecordset("SELECT Codigo FROM Almacenes")->Fields("Nada");
                          }).what()),
              "El registro no tiene el campo Nada");

    e = ErrorOf(
        [&] { db::OpenOdbc("Driver=/nonexistent/libnada.so;Database=x.db", db::OdbcDialect::Sqlite); });
    EXPECT_EQ(std::string(e.what()),
              "No se puede abrir la conexión ODBC: [unixODBC][Driver Manager]Can't open lib "
              "'/nonexistent/libnada.so' : file not found");
    EXPECT_EQ(e.SqlState(), "01000");
    e = ErrorOf([&] { Open("no-such-folder/erp.db"); });
    EXPECT_EQ(std::string(e.what()), "No se puede abrir la conexión ODBC: No se puede abrir el fichero de la base de "
                                     "datos ([SQLite]connect failed).");
    EXPECT_EQ(e.SqlState(), "HY000");
    e = ErrorOf([&] {
        db::OpenOdbc(db::SqliteOdbcConnectionString(dir.File("erp.db")), db::OdbcDialect::SqlServer,
                     {{"Conta", dir.File("conta.db")}});
    });
    EXPECT_EQ(std::string(e.what()), "Las bases de datos adjuntas solo se usan con el dialecto SQLite");
}

// Small copies of the module's tables, as the translator's own tests declare them.
const std::vector<std::string> kErp = {
    "CREATE TABLE Compras_PagosCentral_Extractos (Cod_Empresa INTEGER, Cod_Almacen INTEGER, Cod_Extracto "
    "VARCHAR(30) COLLATE NOCASE, FechaExtracto DATETIME DEFAULT '1900-01-01', FechaVto DATETIME DEFAULT "
    "'1900-01-01', Cerrado BIT DEFAULT 0)",
    "CREATE TABLE Compras_PagosCentral_Extractos_Lineas (IdExtractoLinea INTEGER PRIMARY KEY AUTOINCREMENT, "
    "Cod_Empresa INTEGER, Cod_Almacen INTEGER, Cod_Extracto VARCHAR(30) COLLATE NOCASE, Cod_Proveedor "
    "INTEGER "
    "DEFAULT 0, Documento VARCHAR(50) COLLATE NOCASE DEFAULT '', Fecha DATETIME DEFAULT '1900-01-01', "
    "Importe "
    "MONEY DEFAULT 0, ImporteVinculado MONEY DEFAULT 0, Nueva_FechaVto DATETIME DEFAULT '1900-01-01', Obs1 "
    "VARCHAR(100) COLLATE NOCASE DEFAULT '')",
    "CREATE TABLE Compras_PagosCentral_PrevPagos (IdExtractoLinea INTEGER, IdPrevPago INTEGER, Contabilizado "
    "BIT "
    "DEFAULT 0, Importe MONEY DEFAULT 0)",
    "CREATE TABLE Almacenes (Cod_Empresa INTEGER, Codigo INTEGER, Nombre VARCHAR(60) COLLATE NOCASE)",
    "CREATE TABLE Proveedores (Cod_Empresa INTEGER, Codigo INTEGER, Nombre VARCHAR(60) COLLATE NOCASE, "
    "Cta_Proveedor VARCHAR(20) COLLATE NOCASE DEFAULT '')",
    "CREATE TABLE PagosCentral_Funciones (Nombre VARCHAR(128) PRIMARY KEY COLLATE NOCASE, Cuerpo TEXT)",
    "INSERT INTO PagosCentral_Funciones VALUES ('fn_DevPagosCenImporteExtractoPrevPagos', '(SELECT "
    "IFNULL(SUM(fnl.Importe),0) FROM Compras_PagosCentral_Extractos_Lineas fnl WHERE fnl.Cod_Empresa = {1} "
    "AND "
    "fnl.Cod_Almacen = {2} AND fnl.Cod_Extracto = {3})')",
};

const std::vector<std::string> kAccounting = {
    "CREATE TABLE Previsiones_Pago (Cod_Empresa INTEGER, Apunte INTEGER PRIMARY KEY AUTOINCREMENT, Cuenta "
    "VARCHAR(20) COLLATE NOCASE, Documento VARCHAR(50) COLLATE NOCASE, Fecha_Vto DATETIME, Importe MONEY, "
    "Estado "
    "INTEGER DEFAULT 0)",
};

// The same statements through OpenSqlite and through the SQLite ODBC driver, each on its own
// copy of the databases: equal records affected, equal rows, equal kinds.
class OdbcBesideSqlite : public Odbc {
  protected:
    void SetUp() override {
        for (const char *side : {"lite", "odbc"}) {
            std::filesystem::create_directories(dir.File(side));
            db::RunSqliteScript(dir.File(std::string(side) + "/erp.db"), kErp);
            db::RunSqliteScript(dir.File(std::string(side) + "/conta.db"), kAccounting);
        }
        lite = db::OpenSqlite(dir.File("lite/erp.db"), {{"ContaDemo", dir.File("lite/conta.db")}});
        odbc = Open("odbc/erp.db", {{"ContaDemo", dir.File("odbc/conta.db")}});
    }

    long Both(const std::string &sql) {
        long a = lite->Execute(sql);
        long b = odbc->Execute(sql);
        EXPECT_EQ(b, a) << sql;
        return b;
    }

    Rows Same(const std::string &sql) {
        Rows a = Query(*lite, sql, true);
        Rows b = Query(*odbc, sql, true);
        EXPECT_EQ(b, a) << sql;
        return b;
    }

    db::ConnectionPtr lite, odbc;
};

TEST_F(OdbcBesideSqlite, TranslatorShapesGiveTheSameRowsAsTheSqliteBackend) {
    Both("INSERT INTO Almacenes (Cod_Empresa, Codigo, Nombre) VALUES (1, 1, 'Central Telde')");
    Both("INSERT INTO Proveedores (Cod_Empresa, Codigo, Nombre, Cta_Proveedor) VALUES (1, 7, 'Pérez S.L.', "
         "'4000000007')");
    EXPECT_EQ(Both("INSERT INTO Compras_PagosCentral_Extractos (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                   "FechaExtracto, FechaVto) VALUES (1,1,'E1','05/01/2026','31/01/2026')"),
              1);
    const char *lines[][4] = {{"FA-0001", "02/01/2026", "100.50", "'31/02/2024'"},
                              {"FB-0001 ", "02/01/2026 10:15:00", "20", "'O''Hara'"},
                              {"X-7777", "03/01/2026", "33.33", "''"}};
    for (auto &l : lines) {
        Both(std::string(
                 "INSERT INTO Compras_PagosCentral_Extractos_Lineas (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                 "Cod_Proveedor, Documento, Fecha, Importe, Obs1) VALUES (1, 1, 'E1', 7, '") +
             l[0] + "', '" + l[1] + "', " + l[2] + ", " + l[3] + ")");
    }
    for (const char *p : {"(1, '4000000007', '0001', '15/01/2026', 100.5, 0)",
                          "(1, '4000000007', '7777', '15/03/2026', 33.33, 0)"}) {
        Both(std::string(
                 "INSERT INTO ContaDemo.dbo.Previsiones_Pago (Cod_Empresa, Cuenta, Documento, Fecha_Vto, "
                 "Importe, Estado) VALUES ") +
             p);
    }

    EXPECT_EQ(
        Same(
            "SELECT c.Cod_Extracto, c.FechaExtracto, c.FechaVto, c.Cerrado, "
            "dbo.fn_DevPagosCenImporteExtractoPrevPagos(1, c.Cod_Almacen, c.Cod_Extracto) AS Total, "
            "ISNULL(alm.Nombre, '') AS Almacen FROM Compras_PagosCentral_Extractos c LEFT JOIN Almacenes alm "
            "ON alm.Cod_Empresa = c.Cod_Empresa AND alm.Codigo = c.Cod_Almacen WHERE c.FechaExtracto "
            "BETWEEN '01/01/2026' AND '05/01/2026'"),
        Rows{"E1:T|2026-01-05:D|2026-01-31:D|0:I|153.83:R|Central Telde:T"});
    EXPECT_EQ(
        Same("SELECT TOP 2 Documento, Importe, Fecha FROM Compras_PagosCentral_Extractos_Lineas ORDER BY "
             "Importe DESC"),
        (Rows{"FA-0001:T|100.5:C|2026-01-02:D", "X-7777:T|33.33:C|2026-01-03:D"}));
    EXPECT_EQ(Same("SELECT DISTINCT TOP 10 lin.Cod_Proveedor, ISNULL(prov.Nombre,'') AS ProvNombre FROM "
                   "Compras_PagosCentral_Extractos_Lineas lin LEFT JOIN Proveedores prov ON prov.Cod_Empresa "
                   "= 1 AND "
                   "prov.Codigo = lin.Cod_Proveedor"),
              Rows{"7:I|Pérez S.L.:T"});
    EXPECT_EQ(Same("SELECT Documento, Fecha, Obs1 FROM Compras_PagosCentral_Extractos_Lineas WHERE Fecha > "
                   "'02/01/2026' ORDER BY IdExtractoLinea"),
              (Rows{"FB-0001 :T|2026-01-02 10:15:00:D|O'Hara:T", "X-7777:T|2026-01-03:D|:T"}));
    EXPECT_EQ(
        Same(
            "SELECT pp.Apunte, pp.Documento, pp.Fecha_Vto, pp.Importe FROM ContaDemo.dbo.Previsiones_Pago pp "
            "WHERE pp.Fecha_Vto <= '31/01/2026'"),
        Rows{"1:I|0001:T|2026-01-15:D|100.5:C"});

    EXPECT_EQ(
        Both("SELECT lin.IdExtractoLinea, lin.Documento, lin.Fecha, lin.Importe INTO #CPP1 FROM "
             "Compras_PagosCentral_Extractos_Lineas lin INNER JOIN ContaDemo.dbo.Previsiones_Pago pp ON "
             "RIGHT(RTRIM(lin.Documento), 4) = RIGHT(RTRIM(pp.Documento), 4) AND lin.Importe = pp.Importe"),
        2);
    EXPECT_EQ(Same("SELECT * FROM #CPP1 ORDER BY IdExtractoLinea"),
              (Rows{"1:I|FA-0001:T|2026-01-02:D|100.5:C", "3:I|X-7777:T|2026-01-03:D|33.33:C"}));
    EXPECT_EQ(
        Both("UPDATE a SET a.ImporteVinculado = b.Importe FROM Compras_PagosCentral_Extractos_Lineas a INNER "
             "JOIN #CPP1 b ON a.IdExtractoLinea = b.IdExtractoLinea"),
        2);
    EXPECT_EQ(Both("INSERT INTO Compras_PagosCentral_PrevPagos (IdExtractoLinea, IdPrevPago, Importe) SELECT "
                   "t.IdExtractoLinea, 0, t.Importe FROM #CPP1 t; UPDATE Compras_PagosCentral_PrevPagos SET "
                   "Contabilizado = 1 WHERE Importe > 50"),
              1);
    EXPECT_EQ(
        Same("SELECT lin.Documento + ' - ' + lin.Cod_Extracto AS D, lin.ImporteVinculado, pp.Contabilizado "
             "FROM Compras_PagosCentral_Extractos_Lineas lin LEFT JOIN Compras_PagosCentral_PrevPagos pp ON "
             "pp.IdExtractoLinea = lin.IdExtractoLinea ORDER BY lin.IdExtractoLinea"),
        (Rows{"FA-0001 - E1:T|100.5:C|1:I", "FB-0001  - E1:T|0:C|:N", "X-7777 - E1:T|33.33:C|0:I"}));
    Both("DROP TABLE #CPP1");
    Both("INSERT INTO Compras_PagosCentral_Extractos_Lineas (Cod_Empresa, Cod_Almacen, Cod_Extracto) VALUES "
         "(1, 1, "
         "'E2')");
    EXPECT_EQ(Same("SELECT ISNULL(@@IDENTITY, 0) AS Id"), Rows{"4:I"});
    EXPECT_EQ(Same("SELECT COUNT(*) FROM Compras_PagosCentral_Extractos_Lineas WHERE Nueva_FechaVto = '' AND "
                   "YEAR(Fecha) = 1900"),
              Rows{"1:I"});
    EXPECT_EQ(Same("SELECT CHARINDEX('', 'abc'), RIGHT('ab', 4), MAX(Fecha) FROM "
                   "Compras_PagosCentral_Extractos_Lineas"),
              Rows{"0:I|ab:T|2026-01-03:D"});
}

TEST_F(Odbc, SqlServerDialectSendsTheTextAsWritten) {
    db::RunSqliteScript(
        dir.File("erp.db"),
        {"CREATE TABLE Lineas (Id INTEGER, Documento VARCHAR(50), Fecha DATETIME, Peso FLOAT)"});
    auto erp = OpenAsWritten("erp.db");
    // What only SQLite understands runs, what only the rewriter would fix fails at SQLite.
    db::DbError e = ErrorOf([&] { erp->OpenRecordset("SELECT TOP 1 Id FROM Lineas"); });
    EXPECT_EQ(std::string(e.what()), "[SQLite]near \"1\": syntax error (1)");
    EXPECT_EQ(e.Translated(), e.Written());
    EXPECT_EQ(e.Detail(), "[SQLite]near \"1\": syntax error (1)\nSQL: SELECT TOP 1 Id FROM Lineas");
    EXPECT_EQ(erp->Execute(
                  "INSERT INTO Lineas VALUES (1, 'x;y', '2024-01-05 00:00:00.000', 1.5); INSERT INTO Lineas "
                  "VALUES (2, 'O''Hara', '2024-01-05 10:30:00.500', NULL)  ;"),
              1);
    EXPECT_EQ(erp->Execute("UPDATE Lineas SET Peso = 2 WHERE Id = 99"), 0);
    EXPECT_EQ(erp->Execute("SELECT * FROM Lineas"), -1);
    // Dates as SQL Server writes them come back in the module's form.
    EXPECT_EQ(
        Query(*erp, "SELECT Id, Documento, Fecha, IFNULL(Peso, 0) + 0.25 AS P FROM Lineas ORDER BY Id", true),
        (Rows{"1:I|x;y:T|2024-01-05:D|1.75:R", "2:I|O'Hara:T|2024-01-05 10:30:00:D|0.25:R"}));
    e = ErrorOf([&] { erp->Execute("UPDATE Lineas SET Peso = 1; SELECT TOP 1 Id FROM Lineas"); });
    EXPECT_EQ(e.Translated(), "SELECT TOP 1 Id FROM Lineas");
}

TEST_F(Odbc, RecordsetReadsOnWhileItsConnectionWritesAndAfterItCloses) {
    db::RunSqliteScript(dir.File("erp.db"),
                        {"CREATE TABLE Almacenes (Codigo INTEGER, Nombre VARCHAR(60) COLLATE "
                         "NOCASE)",
                         "INSERT INTO Almacenes VALUES (1, 'Uno')",
                         "INSERT INTO Almacenes VALUES "
                         "(2, 'Dos')",
                         "INSERT INTO Almacenes VALUES (3, 'Tres')"});
    auto erp = Open("erp.db");
    auto outer = erp->OpenRecordset("SELECT Codigo, Nombre FROM Almacenes ORDER BY Codigo");
    EXPECT_EQ(outer->FieldCount(), 2u);
    EXPECT_TRUE(outer->HasField("NOMBRE"));
    EXPECT_FALSE(outer->HasField("Otro"));
    Rows seen;
    while (!outer->Eof()) {
        seen.push_back(outer->Fields("codigo").AsText() + "|" + outer->Fields(1).AsText());
        erp->Execute("UPDATE Almacenes SET Nombre = Nombre + '!' WHERE Codigo = " +
                     outer->Fields(0).AsText());
        EXPECT_EQ(Query(*erp, "SELECT COUNT(*) FROM Almacenes WHERE Nombre LIKE '%!'"),
                  Rows{outer->Fields(0).AsText()});
        outer->MoveNext();
    }
    EXPECT_EQ(seen, (Rows{"1|Uno", "2|Dos", "3|Tres"}));
    EXPECT_EQ(Query(*erp, "SELECT Nombre FROM Almacenes ORDER BY Codigo"), (Rows{"Uno!", "Dos!", "Tres!"}));

    // Rows are read when the statement runs, so no statement stays active to lock the table.
    erp->Execute("SELECT Codigo INTO #Copia FROM Almacenes");
    auto copy = erp->OpenRecordset("SELECT Codigo FROM #Copia ORDER BY Codigo");
    erp->Execute("DROP TABLE #Copia");
    copy->MoveNext();
    EXPECT_EQ(copy->Fields(0).AsInt64(), 2);

    auto rs = erp->OpenRecordset("SELECT Nombre FROM Almacenes ORDER BY Codigo");
    erp.reset();
    ASSERT_FALSE(rs->Eof());
    rs->MoveNext();
    EXPECT_EQ(rs->Fields(0).AsText(), "Dos!");
    rs->Close();
    EXPECT_TRUE(rs->Eof());
}

TEST_F(Odbc, SqliteSettingsAreAddedUnlessTheStringGivesThem) {
    db::RunSqliteScript(dir.File("conta.db"), kAccounting);
    auto erp = db::OpenOdbc(Bare("erp.db"), db::OdbcDialect::Sqlite, {{"ContaDemo", dir.File("conta.db")}});
    erp->Execute("CREATE TABLE Almacenes (Codigo INTEGER)");
    erp->Execute("INSERT INTO ContaDemo.dbo.Previsiones_Pago (Cod_Empresa, Importe) VALUES (1, 2.5)");
    EXPECT_EQ(Query(*OpenAsWritten("erp.db"), "PRAGMA journal_mode"), Rows{"wal"});
    EXPECT_EQ(Query(*OpenAsWritten("conta.db"), "PRAGMA journal_mode"), Rows{"wal"});
    auto asked = db::OpenOdbc(db::SqliteOdbcConnectionString(dir.File("erp.db")), db::OdbcDialect::SqlServer);
    EXPECT_EQ(Query(*asked, "PRAGMA synchronous"), Rows{"2"});
    EXPECT_EQ(Query(*asked, "PRAGMA foreign_keys"), Rows{"0"});

    auto again = db::OpenOdbc(erp->Properties().at("Extended Properties"), db::OdbcDialect::Sqlite,
                              {{"ContaDemo", dir.File("conta.db")}});
    EXPECT_EQ(Query(*again, "SELECT Importe FROM ContaDemo.dbo.Previsiones_Pago"), Rows{"2.5"});

    db::OpenOdbc(Bare("plain.db") + "; journalmode = DELETE", db::OdbcDialect::Sqlite)
        ->Execute("CREATE TABLE t (x INT)");
    EXPECT_EQ(Query(*OpenAsWritten("plain.db"), "PRAGMA journal_mode"), Rows{"delete"});
}

} // namespace
