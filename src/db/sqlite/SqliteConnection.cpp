#include "db/sqlite/SqliteConnection.h"

#include "db/BusyTimeout.h"
#include "db/ConnectionString.h"
#include "db/DbError.h"
#include "db/dialect/Rewriter.h"
#include "db/dialect/ShapeScanner.h"
#include "db/dialect/Tokenizer.h"
#include "db/sqlite/SqliteCatalog.h"
#include "db/sqlite/SqliteRecordset.h"
#include "db/sqlite/SqliteStatement.h"
#include "db/sqlite/SpanishCollation.h"
#include "db/sqlite/SqliteMessages.h"

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <list>
#include <unordered_map>

namespace db {

using namespace dialect;

namespace {

constexpr std::size_t kCacheSize = 256;

// A translated statement shape: its SQLite statements, prepared once and reused.
struct Shape {
    struct Lit {
        bool liftable;
        bool number;
        std::string value; // what a literal that stays in the text must be for this shape to apply
    };
    std::vector<Lit> literals;
    bool lifted = false;
    bool Accepts(const std::vector<Literal> &given) const {
        if (given.size() != literals.size()) {
            return false;
        }
        for (std::size_t i = 0; i < given.size(); ++i) {
            if (!literals[i].liftable && (given[i].text != literals[i].value || given[i].number != literals[i].number)) {
                return false;
            }
        }
        return true;
    }
    StatementKind kind;
    std::string intoTable;
    bool clearsIdentity = false;
    std::vector<std::shared_ptr<SqliteStatement>> statements;
};

class SqliteConnection : public Connection {
  public:
    SqliteConnection(const std::string &path, const std::vector<std::pair<std::string, std::string>> &attachments,
                     bool readOnly)
        : path_(path) {
        // A folder that cannot be written is read as it stands: no log file, no locks.
        // URIs allowed, so that an attachment may be named "file:...?mode=ro".
        int flags = readOnly ? SQLITE_OPEN_READONLY | SQLITE_OPEN_URI
                             : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI;
        std::string name = readOnly ? Inmutable(path) : path;
        int rc = sqlite3_open_v2(name.c_str(), &db_, flags | SQLITE_OPEN_NOMUTEX, nullptr);
        if (rc != SQLITE_OK) {
            std::string msg = db_ ? SqliteMessage(sqlite3_extended_errcode(db_), sqlite3_errmsg(db_)) : "sin memoria";
            sqlite3_close(db_);
            db_ = nullptr;
            throw DbError("No se puede abrir la base de datos " + path + ": " + msg, {}, {}, rc);
        }
        sqlite3_extended_result_codes(db_, 1);
        sqlite3_busy_timeout(db_, BusyTimeoutMs());
        RegisterSpanishCollation(db_);
        TraceIfAsked();
        if (!readOnly) {
            Raw("PRAGMA journal_mode=WAL");
        }
        Raw("PRAGMA foreign_keys=OFF");
        // A large import touches many index pages; a small cache would spill them to the log
        // again and again before the commit.
        Raw("PRAGMA cache_size=-32768");
        for (const auto &[name, file] : attachments) {
            Raw("ATTACH DATABASE " + Quoted(readOnly ? Inmutable(file) : file, '\'') + " AS " + Quoted(name, '"'));
            if (!readOnly) {
                Raw("PRAGMA " + Quoted(name, '"') + ".journal_mode=WAL");
            }
        }
        catalog_ = std::make_unique<SqliteCatalog>(db_, attachments);
        // ADO's connection string for a second connection to the same files (OpenConnectionString).
        Properties()["Extended Properties"] = EmbeddedExtendedProperties(path, attachments);
    }

    // PAGOCENTRAL_SQL_TRACE=FILE appends every statement as SQLite runs it (translated, with
    // its bound values), to see what a slow operation asks of the database.
    void TraceIfAsked() {
        const char *f = std::getenv("PAGOCENTRAL_SQL_TRACE");
        if (!f || !*f) {
            return;
        }
        trace_ = std::fopen(f, "a");
        if (!trace_) {
            return;
        }
        // Line by line: several connections may share the file.
        std::setvbuf(trace_, nullptr, _IOLBF, 0);
        sqlite3_trace_v2(
            db_, SQLITE_TRACE_STMT,
            [](unsigned, void *ctx, void *p, void *) -> int {
                if (char *sql = sqlite3_expanded_sql(static_cast<sqlite3_stmt *>(p))) {
                    std::fprintf(static_cast<FILE *>(ctx), "%s;\n", sql);
                    sqlite3_free(sql);
                }
                return 0;
            },
            trace_);
    }

    ~SqliteConnection() override {
        cache_.clear();
        lru_.clear();
        if (db_) {
            if (inTrans_) {
                sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
            }
            sqlite3_close_v2(db_);
            if (trace_) {
                std::fclose(trace_);
            }
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

    void BeginTrans() override {
        if (inTrans_) {
            throw DbError("Ya hay una transacción abierta en esta conexión");
        }
        // The write lock is taken now, so that a second writer waits its busy timeout here
        // instead of failing at once when a deferred transaction tries to upgrade its read lock.
        Raw("BEGIN IMMEDIATE");
        inTrans_ = true;
    }
    void CommitTrans() override {
        if (!inTrans_) {
            throw DbError("No hay ninguna transacción abierta");
        }
        Raw("COMMIT");
        inTrans_ = false;
    }
    void RollbackTrans() override {
        if (!inTrans_) {
            throw DbError("No hay ninguna transacción abierta");
        }
        inTrans_ = false;
        if (sqlite3_get_autocommit(db_) == 0) {
            Raw("ROLLBACK");
        }
    }
    bool InTransaction() const override { return inTrans_; }

  private:
    // "file:" URI of a path opened as a file nobody changes meanwhile.
    static std::string Inmutable(const std::string &path) {
        std::string uri = "file:";
        for (unsigned char c : path) {
            if (c == '%' || c == '?' || c == '#' || c < 0x20) {
                char buf[4];
                std::snprintf(buf, sizeof buf, "%%%02X", c);
                uri += buf;
            } else {
                uri += static_cast<char>(c);
            }
        }
        return uri + "?immutable=1";
    }

    static std::string Quoted(const std::string &s, char q) {
        std::string out(1, q);
        for (char c : s) {
            out += c;
            if (c == q) {
                out += q;
            }
        }
        return out + q;
    }

    void Raw(const std::string &sql) {
        char *err = nullptr;
        if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
            std::string msg = SqliteMessage(sqlite3_extended_errcode(db_), err ? err : sqlite3_errmsg(db_));
            sqlite3_free(err);
            throw DbError(msg, sql, sql, sqlite3_extended_errcode(db_));
        }
    }

    std::shared_ptr<Shape> Lookup(const std::string &key) {
        auto it = cache_.find(key);
        if (it == cache_.end()) {
            return nullptr;
        }
        lru_.splice(lru_.begin(), lru_, it->second.second);
        return it->second.first;
    }

    void Remember(const std::string &key, std::shared_ptr<Shape> shape) {
        lru_.push_front(key);
        cache_[key] = {std::move(shape), lru_.begin()};
        if (cache_.size() > kCacheSize) {
            cache_.erase(lru_.back());
            lru_.pop_back();
        }
    }

    void Invalidate() {
        cache_.clear();
        lru_.clear();
        catalog_->Invalidate();
    }

    std::shared_ptr<Shape> Build(Tokens tokens, const std::string &written) {
        auto shape = std::make_shared<Shape>();
        for (const auto &t : tokens) {
            if (t.literal >= 0) {
                shape->literals.push_back({t.liftable, t.kind == TokenKind::Number, t.liftable ? "" : t.text});
                shape->lifted |= t.liftable;
            }
        }
        Translation tr;
        try {
            tr = Translate(std::move(tokens), *catalog_);
        } catch (DbError &e) {
            throw DbError(e.what(), written, "", e.NativeCode());
        }
        shape->kind = tr.kind;
        shape->intoTable = tr.intoTable;
        shape->clearsIdentity = tr.clearsIdentity;
        for (auto &st : tr.statements) {
            shape->statements.push_back(std::make_shared<SqliteStatement>(
                db_, std::move(st), shape->lifted ? RenderMode::Parameters : RenderMode::Inline));
        }
        return shape;
    }

    // Runs a whole text: one statement through the shape cache, several one after another.
    long Run(const std::string &sql, std::unique_ptr<Recordset> *rs) {
        std::string key;
        std::vector<Literal> literals;
        if (ScanShape(sql, key, literals)) {
            std::shared_ptr<Shape> shape = Lookup(key);
            if (!shape || !shape->Accepts(literals)) {
                Tokens tokens = Tokenize(sql);
                MarkLiftable(tokens);
                shape = Build(std::move(tokens), sql);
                if (shape->lifted && shape->literals.size() == literals.size()) {
                    Remember(key, shape);
                }
            }
            return RunShape(*shape, std::move(literals), sql, rs);
        }
        auto parts = SplitStatements(Tokenize(sql));
        if (parts.empty() && rs) {
            throw DbError("La consulta está vacía", sql);
        }
        long affected = 0;
        for (std::size_t i = 0; i < parts.size(); ++i) {
            // Each statement numbers its own literals.
            int base = -1;
            for (auto &t : parts[i]) {
                if (t.literal >= 0) {
                    if (base < 0) {
                        base = t.literal;
                    }
                    t.literal -= base;
                }
            }
            MarkLiftable(parts[i]);
            std::vector<Literal> lits;
            for (const auto &t : parts[i]) {
                if (t.literal >= 0) {
                    lits.push_back({t.kind == TokenKind::Number, t.text});
                }
            }
            auto shape = Build(std::move(parts[i]), sql);
            affected = RunShape(*shape, std::move(lits), sql, i + 1 == parts.size() ? rs : nullptr);
        }
        return affected;
    }

    long RunShape(Shape &shape, std::vector<Literal> literals, const std::string &written,
                  std::unique_ptr<Recordset> *rs) {
        if (shape.kind == StatementKind::NoOp) {
            return 0;
        }
        long affected = -1;
        for (std::size_t i = 0; i < shape.statements.size(); ++i) {
            auto &st = shape.statements[i];
            bool last = i + 1 == shape.statements.size();
            if (rs && last && shape.kind == StatementKind::Query) {
                *rs = std::make_unique<SqliteRecordset>(st->Start(db_, std::move(literals), written));
                return -1;
            }
            affected = st->Run(db_, last ? std::move(literals) : literals, written);
        }
        if (shape.clearsIdentity) {
            sqlite3_set_last_insert_rowid(db_, 0);
        }
        if (shape.kind == StatementKind::Schema || shape.kind == StatementKind::SelectInto) {
            Invalidate();
            affected = 0;
        }
        if (shape.kind == StatementKind::SelectInto) {
            auto count = std::make_shared<SqliteStatement>(db_, Generated("SELECT COUNT(*) FROM " + shape.intoTable),
                                                           RenderMode::Inline);
            SqliteRecordset r(count->Start(db_, {}, written));
            affected = r.Eof() ? 0 : static_cast<long>(r.Fields(0).AsInt64());
        } else if (shape.kind == StatementKind::Query) {
            affected = -1;
        }
        if (rs) {
            throw DbError("La instrucción no devuelve registros", written);
        }
        return affected;
    }

    std::string path_;
    sqlite3 *db_ = nullptr;
    FILE *trace_ = nullptr;
    bool inTrans_ = false;
    std::unique_ptr<SqliteCatalog> catalog_;
    std::list<std::string> lru_;
    std::unordered_map<std::string, std::pair<std::shared_ptr<Shape>, std::list<std::string>::iterator>> cache_;
};

} // namespace

ConnectionPtr OpenSqlite(const std::string &path, const std::vector<std::pair<std::string, std::string>> &attachments,
                         bool readOnly) {
    return std::make_shared<SqliteConnection>(path, attachments, readOnly);
}

} // namespace db

namespace db {

void RunSqliteScript(const std::string &path, const std::vector<std::string> &statements) {
    sqlite3 *h = nullptr;
    if (sqlite3_open_v2(path.c_str(), &h, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        std::string msg = h ? sqlite3_errmsg(h) : "sin memoria";
        sqlite3_close(h);
        throw DbError("No se puede crear la base de datos " + path + ": " + msg);
    }
    auto run = [&](const std::string &sql) {
        char *err = nullptr;
        if (sqlite3_exec(h, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
            std::string msg = err ? err : sqlite3_errmsg(h);
            sqlite3_free(err);
            sqlite3_exec(h, "ROLLBACK", nullptr, nullptr, nullptr);
            sqlite3_close(h);
            throw DbError(msg, sql, sql);
        }
    };
    run("PRAGMA journal_mode=WAL");
    run("BEGIN");
    for (const auto &s : statements) {
        run(s);
    }
    run("COMMIT");
    sqlite3_close(h);
}

} // namespace db
