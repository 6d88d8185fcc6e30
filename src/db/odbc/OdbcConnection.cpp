#include "db/odbc/OdbcConnection.h"

#include "db/BusyTimeout.h"
#include "db/ConnectionString.h"
#include "db/DbError.h"
#include "db/dialect/Rewriter.h"
#include "db/dialect/TokenUtil.h"
#include "db/dialect/Tokenizer.h"
#include "db/odbc/OdbcCatalog.h"
#include "db/odbc/OdbcError.h"
#include "db/odbc/OdbcHandle.h"
#include "db/odbc/OdbcRecordset.h"
#include "db/odbc/OdbcStatement.h"
#include "db/odbc/OdbcText.h"

#include <sqlext.h>

#include <algorithm>
#include <memory>

namespace db {

using namespace dialect;

namespace {

// Settings of the SQLite ODBC driver the module relies on, added when the string names none.
const std::pair<const char *, const char *> kSqliteDefaults[] = {
    {"JournalMode", "WAL"}, // readers and one writer at once, as OpenSqlite
    {"SyncPragma", "FULL"}, // the driver otherwise leaves synchronous=NORMAL; durability is not traded
    {"NoTXN", "0"},         // BeginTrans must really begin one
    {"BigInt", "1"},        // INTEGER columns are 64-bit, not cut to SQL_INTEGER
    {"StepAPI", "0"},       // rows are read when the statement runs: no statement stays active to lock
                            // a table, and an expression column is typed from its values, not "varchar"
    {"FKSupport", "0"},     // foreign keys not enforced, as OpenSqlite
};

std::string TrimBlanks(const std::string &s) {
    auto b = s.find_first_not_of(" \t");
    auto e = s.find_last_not_of(" \t");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

// Keys of "k=v;k={v;v};..." in the order given.
std::vector<std::string> KeysOf(const std::string &cs) {
    std::vector<std::string> keys;
    std::size_t i = 0;
    while (i < cs.size()) {
        std::size_t eq = cs.find('=', i);
        std::size_t semi = cs.find(';', i);
        if (eq == std::string::npos || (semi != std::string::npos && semi < eq)) {
            i = semi == std::string::npos ? cs.size() : semi + 1;
            continue;
        }
        keys.push_back(TrimBlanks(cs.substr(i, eq - i)));
        std::size_t v = eq + 1;
        while (v < cs.size() && (cs[v] == ' ' || cs[v] == '\t')) {
            ++v;
        }
        if (v < cs.size() && cs[v] == '{') {
            std::size_t close = cs.find('}', v);
            v = close == std::string::npos ? cs.size() : close + 1;
        }
        semi = cs.find(';', v);
        i = semi == std::string::npos ? cs.size() : semi + 1;
    }
    return keys;
}

std::string WithSqliteDefaults(const std::string &cs) {
    std::vector<std::string> keys = KeysOf(cs);
    std::string out = TrimBlanks(cs);
    // Busy timeout (ms), as OpenSqlite: wait for another writer, do not fail. The driver waits
    // without end on 0, so "do not wait" is its shortest wait.
    std::string timeout = std::to_string(std::max(1, BusyTimeoutMs()));
    if (!std::any_of(keys.begin(), keys.end(), [](const std::string &k) { return EqualsNoCase(k, "Timeout"); })) {
        if (!out.empty() && out.back() != ';') {
            out += ';';
        }
        out += "Timeout=" + timeout;
    }
    for (const auto &[clave, value] : kSqliteDefaults) {
        const auto &key = clave; // a lambda may not capture a structured binding before clang 16
        bool given =
            std::any_of(keys.begin(), keys.end(), [&](const std::string &k) { return EqualsNoCase(k, key); });
        if (!given) {
            if (!out.empty() && out.back() != ';') {
                out += ';';
            }
            out += std::string(key) + "=" + value;
        }
    }
    return out;
}

std::string Quoted(const std::string &s, char q) {
    std::string out(1, q);
    for (char c : s) {
        out += c;
        if (c == q) {
            out += q;
        }
    }
    return out + q;
}

// Each statement of a text as written, cut where the dialect tokenizer cuts it; the whole text
// when the tokenizer cannot read it (the server is the judge of its own dialect).
std::vector<std::string> SplitAsWritten(const std::string &sql) {
    std::vector<Token> tokens;
    try {
        tokens = Tokenize(sql);
    } catch (const DbError &) {
        return {sql};
    }
    std::vector<std::size_t> semicolons;
    for (const auto &t : tokens) {
        if (t.IsSymbol(";")) {
            semicolons.push_back(t.pos);
        }
    }
    auto statements = SplitStatements(std::move(tokens));
    if (statements.size() <= 1) {
        return statements.empty() ? std::vector<std::string>{} : std::vector<std::string>{sql};
    }
    std::vector<std::string> out;
    for (const auto &p : statements) {
        std::size_t start = p.front().pos;
        auto next = std::upper_bound(semicolons.begin(), semicolons.end(), p.back().pos);
        std::size_t end = next == semicolons.end() ? sql.size() : *next;
        out.push_back(TrimBlanks(sql.substr(start, end - start)));
    }
    return out;
}

class OdbcConnection : public Connection {
  public:
    OdbcConnection(const std::string &connectionString, OdbcDialect dialect,
                   const std::vector<std::pair<std::string, std::string>> &attachments)
        : sqlite_(dialect == OdbcDialect::Sqlite) {
        if (!sqlite_ && !attachments.empty()) {
            throw DbError("Las bases de datos adjuntas solo se usan con el dialecto SQLite");
        }
        SQLHANDLE h = SQL_NULL_HANDLE;
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &h))) {
            throw DbError("No se puede iniciar ODBC");
        }
        auto env = std::make_shared<OdbcEnv>(h, nullptr);
        if (!SQL_SUCCEEDED(
                SQLSetEnvAttr(h, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0))) {
            throw OdbcError(SQL_HANDLE_ENV, h, "No se puede iniciar ODBC 3");
        }
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, env->Get(), &h))) {
            throw OdbcError(SQL_HANDLE_ENV, env->Get(), "No se puede crear la conexión ODBC");
        }
        dbc_ = std::make_shared<OdbcDbc>(h, env);
        // The string is not quoted in errors: it may carry a password.
        SQLRETURN r;
        // The SQLite driver takes UTF-8 as it is (a database path with any letter); see OdbcEncoding.
        if (sqlite_) {
            std::string cs = WithSqliteDefaults(connectionString);
            r = SQLDriverConnect(h, nullptr, reinterpret_cast<SQLCHAR *>(cs.data()),
                                 static_cast<SQLSMALLINT>(cs.size()), nullptr, 0, nullptr,
                                 SQL_DRIVER_NOPROMPT);
        } else {
            OdbcWide cs = Utf8ToOdbc(connectionString);
            r = SQLDriverConnectW(h, nullptr, cs.data(), static_cast<SQLSMALLINT>(cs.size()), nullptr, 0,
                                  nullptr, SQL_DRIVER_NOPROMPT);
        }
        if (!SQL_SUCCEEDED(r)) {
            DbError e = OdbcError(SQL_HANDLE_DBC, h, "error desconocido");
            throw DbError(std::string("No se puede abrir la conexión ODBC: ") + e.what(), {}, {},
                          e.NativeCode(), e.SqlState());
        }
        dbc_->MarkConnected();
        if (!sqlite_ && IsSqlServer()) {
            // The module writes dates day first ('05/12/2026' is 5 December) whatever the login's language.
            Raw("SET DATEFORMAT dmy");
        }
        if (sqlite_) {
            for (const auto &[name, file] : attachments) {
                Raw("ATTACH DATABASE " + Quoted(file, '\'') + " AS " + Quoted(name, '"'));
                Raw("PRAGMA " + Quoted(name, '"') + ".journal_mode=WAL");
            }
            catalog_ = std::make_unique<OdbcCatalog>(dbc_, attachments);
        }
        // ADO's connection string for a second connection to the same database.
        Properties()["Extended Properties"] =
            sqlite_ ? EmbeddedExtendedProperties({}, attachments, connectionString) : connectionString;
    }

    ~OdbcConnection() override {
        if (inTrans_ && sqlite_) {
            try {
                Raw("ROLLBACK");
            } catch (...) {
            }
        } else if (inTrans_) {
            SQLEndTran(SQL_HANDLE_DBC, dbc_->Get(), SQL_ROLLBACK);
            SQLSetConnectAttr(dbc_->Get(), SQL_ATTR_AUTOCOMMIT,
                              reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
        }
    }

    long Execute(const std::string &sql) override { return Run(sql, nullptr); }

    std::unique_ptr<Recordset> OpenRecordset(const std::string &sql) override {
        std::unique_ptr<Recordset> rs;
        Run(sql, &rs);
        if (!rs) {
            throw DbError("La instrucción no devuelve registros", sql);
        }
        return rs;
    }

    // Auto-commit is what ODBC does outside a transaction; turning it off opens one. On SQLite
    // the driver would begin a deferred one, so the write lock is taken here instead, as the
    // SQLite backend does: a second writer waits its busy timeout rather than failing.
    void BeginTrans() override {
        if (inTrans_) {
            throw DbError("Ya hay una transacción abierta en esta conexión");
        }
        if (sqlite_) {
            Raw("BEGIN IMMEDIATE");
        } else {
            SetAutoCommit(false);
        }
        inTrans_ = true;
    }

    void CommitTrans() override {
        if (!inTrans_) {
            throw DbError("No hay ninguna transacción abierta");
        }
        if (sqlite_) {
            Raw("COMMIT");
            inTrans_ = false;
            return;
        }
        // A failed commit leaves the transaction open, for the caller to roll back.
        if (!SQL_SUCCEEDED(SQLEndTran(SQL_HANDLE_DBC, dbc_->Get(), SQL_COMMIT))) {
            throw OdbcError(SQL_HANDLE_DBC, dbc_->Get(), "No se puede confirmar la transacción");
        }
        inTrans_ = false;
        SetAutoCommit(true);
    }

    void RollbackTrans() override {
        if (!inTrans_) {
            throw DbError("No hay ninguna transacción abierta");
        }
        inTrans_ = false;
        if (sqlite_) {
            // A failed statement may already have ended the transaction.
            try {
                Raw("ROLLBACK");
            } catch (const DbError &e) {
                if (std::string(e.what()).find("no transaction is active") == std::string::npos) {
                    throw;
                }
            }
            return;
        }
        SQLRETURN r = SQLEndTran(SQL_HANDLE_DBC, dbc_->Get(), SQL_ROLLBACK);
        std::unique_ptr<DbError> failure;
        if (!SQL_SUCCEEDED(r)) {
            failure = std::make_unique<DbError>(
                OdbcError(SQL_HANDLE_DBC, dbc_->Get(), "No se puede deshacer la transacción"));
        }
        SetAutoCommit(true);
        if (failure) {
            throw *failure;
        }
    }

    bool InTransaction() const override { return inTrans_; }

  private:
    OdbcEncoding Encoding() const { return sqlite_ ? OdbcEncoding::Utf8 : OdbcEncoding::Utf16; }

    void SetAutoCommit(bool on) {
        SQLPOINTER value = reinterpret_cast<SQLPOINTER>(on ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF);
        if (!SQL_SUCCEEDED(SQLSetConnectAttr(dbc_->Get(), SQL_ATTR_AUTOCOMMIT, value, 0))) {
            throw OdbcError(SQL_HANDLE_DBC, dbc_->Get(), "No se puede cambiar el modo de confirmación");
        }
    }

    // SQL Server itself, through Microsoft's driver or FreeTDS (not another database spoken to as written).
    bool IsSqlServer() const {
        char name[128] = {};
        SQLSMALLINT length = 0;
        if (!SQL_SUCCEEDED(SQLGetInfo(dbc_->Get(), SQL_DBMS_NAME, name, sizeof name, &length))) {
            return false;
        }
        return std::string(name).find("SQL Server") != std::string::npos;
    }

    // A statement of our own, in the backend's dialect; rows it returns are read and dropped.
    void Raw(const std::string &sql) {
        auto st = std::make_unique<OdbcStatement>(dbc_, sql, sql, sql, Encoding());
        if (st->ReturnsRows()) {
            OdbcRecordset rs(std::move(st), sqlite_);
            while (!rs.Eof()) {
                rs.MoveNext();
            }
        }
    }

    long Run(const std::string &sql, std::unique_ptr<Recordset> *rs) {
        return sqlite_ ? RunRewritten(sql, rs) : RunAsWritten(sql, rs);
    }

    // A statement's rows as the last result wanted, or its records affected.
    long Finish(std::unique_ptr<OdbcStatement> st, const std::string &written,
                std::unique_ptr<Recordset> *rs) {
        if (rs) {
            if (!st->ReturnsRows()) {
                throw DbError("La instrucción no devuelve registros", written);
            }
            *rs = std::make_unique<OdbcRecordset>(std::move(st), sqlite_);
            return -1;
        }
        return st->RowCount();
    }

    long RunAsWritten(const std::string &sql, std::unique_ptr<Recordset> *rs) {
        auto statements = SplitAsWritten(sql);
        if (statements.empty() && rs) {
            throw DbError("La consulta está vacía", sql);
        }
        long affected = 0;
        for (std::size_t i = 0; i < statements.size(); ++i) {
            bool last = i + 1 == statements.size();
            affected =
                Finish(std::make_unique<OdbcStatement>(dbc_, statements[i], sql, statements[i], Encoding()),
                       sql, last ? rs : nullptr);
        }
        return affected;
    }

    // SQLite text of one rewritten statement; a literal that cannot be what its column holds is
    // reported with the statement as it would have run with the literal as written.
    static std::string RenderFor(const Tokens &tokens, const std::string &written) {
        try {
            return Render(tokens, RenderMode::Inline);
        } catch (const DbError &e) {
            Tokens plain = tokens;
            for (auto &t : plain) {
                t.dateContext = false;
            }
            throw DbError(e.what(), written, Render(plain, RenderMode::Inline), e.NativeCode());
        }
    }

    // As the SQLite backend runs a text: each statement rewritten, literals left inline (quoted
    // by the renderer, apostrophes doubled), since the driver takes the SQL text as given.
    long RunRewritten(const std::string &sql, std::unique_ptr<Recordset> *rs) {
        auto statements = SplitStatements(Tokenize(sql));
        if (statements.empty() && rs) {
            throw DbError("La consulta está vacía", sql);
        }
        long affected = 0;
        for (std::size_t i = 0; i < statements.size(); ++i) {
            Translation tr;
            try {
                tr = Translate(std::move(statements[i]), *catalog_);
            } catch (const DbError &e) {
                throw DbError(e.what(), sql, "", e.NativeCode());
            }
            affected = RunTranslation(tr, sql, i + 1 == statements.size() ? rs : nullptr);
        }
        return affected;
    }

    long RunTranslation(const Translation &tr, const std::string &written, std::unique_ptr<Recordset> *rs) {
        if (tr.kind == StatementKind::NoOp) {
            return 0;
        }
        long affected = -1;
        for (std::size_t i = 0; i < tr.statements.size(); ++i) {
            bool last = i + 1 == tr.statements.size();
            std::string text = RenderFor(tr.statements[i], written);
            auto st = std::make_unique<OdbcStatement>(dbc_, text, written, text, Encoding());
            if (rs && last && tr.kind == StatementKind::Query) {
                return Finish(std::move(st), written, rs);
            }
            affected = st->RowCount();
        }
        if (tr.clearsIdentity) {
            // The driver offers no way to reset the last row number but an insert that gives 0.
            static const std::string reset =
                "CREATE TEMP TABLE IF NOT EXISTS PagosCentral_SinIdentidad (Id INTEGER PRIMARY KEY); "
                "INSERT OR REPLACE INTO temp.PagosCentral_SinIdentidad (Id) VALUES (0)";
            OdbcStatement(dbc_, reset.substr(0, reset.find(';')), written, reset, Encoding());
            OdbcStatement(dbc_, reset.substr(reset.find(';') + 2), written, reset, Encoding());
        }
        if (tr.kind == StatementKind::Schema || tr.kind == StatementKind::SelectInto) {
            catalog_->Invalidate();
            affected = 0;
        }
        if (tr.kind == StatementKind::SelectInto) {
            std::string count = Render(Generated("SELECT COUNT(*) FROM " + tr.intoTable), RenderMode::Inline);
            OdbcRecordset r(std::make_unique<OdbcStatement>(dbc_, count, written, count, Encoding()), true);
            affected = r.Eof() ? 0 : static_cast<long>(r.Fields(0).AsInt64());
        } else if (tr.kind == StatementKind::Query) {
            affected = -1;
        }
        if (rs) {
            throw DbError("La instrucción no devuelve registros", written);
        }
        return affected;
    }

    bool sqlite_;
    std::shared_ptr<OdbcDbc> dbc_;
    std::unique_ptr<OdbcCatalog> catalog_;
    bool inTrans_ = false;
};

} // namespace

ConnectionPtr OpenOdbc(const std::string &connectionString, OdbcDialect dialect,
                       const std::vector<std::pair<std::string, std::string>> &attachments) {
    return std::make_shared<OdbcConnection>(connectionString, dialect, attachments);
}

std::string SqliteOdbcConnectionString(const std::string &databasePath, const std::string &driver) {
    std::string cs = "Driver=" + driver + ";Database=" + databasePath;
    return WithSqliteDefaults(cs);
}

} // namespace db
