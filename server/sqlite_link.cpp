// The board on SQLite: one file in WAL mode, a busy timeout, every commit synced.
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <unordered_map>

#include "sql_link.h"

namespace {

constexpr int BusyTimeoutMs = 10000;

class SqliteLink : public SqlLink {
public:
    explicit SqliteLink(sqlite3* db) : db_(db) {}
    ~SqliteLink() override {
        for (auto& [sql, statement] : statements_) sqlite3_finalize(statement);
        sqlite3_close_v2(db_);
    }

    std::vector<SqlRow> run(const std::string& sql, const SqlParams& params) override {
        const auto start = std::chrono::steady_clock::now();
        sqlite3_stmt* statement = prepared(sql);
        for (size_t i = 0; i < params.size(); ++i) {
            char name[24];
            std::snprintf(name, sizeof name, "$%zu", i + 1);
            const int index = sqlite3_bind_parameter_index(statement, name);
            if (index > 0) sqlite3_bind_text(statement, index, params[i].data(), int(params[i].size()), SQLITE_STATIC);
        }
        std::vector<SqlRow> rows;
        int status;
        while ((status = sqlite3_step(statement)) == SQLITE_ROW) {
            SqlRow row;
            for (int c = 0; c < sqlite3_column_count(statement); ++c) {
                const unsigned char* text = sqlite3_column_text(statement, c);
                row.emplace_back(text ? reinterpret_cast<const char*>(text) : "", size_t(sqlite3_column_bytes(statement, c)));
            }
            rows.push_back(std::move(row));
        }
        const int code = sqlite3_extended_errcode(db_);
        const std::string message = sqlite3_errmsg(db_);
        sqlite3_reset(statement);
        sqlite3_clear_bindings(statement);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (status != SQLITE_DONE) fail(code, message);
        return rows;
    }

    void beginWrite() override { run("BEGIN IMMEDIATE", {}); }
    void commit() override { run("COMMIT", {}); }
    void rollback() override { sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr); }
    const char* serialIdType() const override { return "INTEGER PRIMARY KEY"; }

private:
    // The link's statements are prepared once and kept.
    sqlite3_stmt* prepared(const std::string& sql) {
        auto it = statements_.find(sql);
        if (it != statements_.end()) return it->second;
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), int(sql.size()), &statement, nullptr) != SQLITE_OK)
            fail(sqlite3_extended_errcode(db_), sqlite3_errmsg(db_));
        statements_.emplace(sql, statement);
        return statement;
    }

    [[noreturn]] static void fail(int code, const std::string& message) {
        const int kind = code == SQLITE_CONSTRAINT_UNIQUE || code == SQLITE_CONSTRAINT_PRIMARYKEY ? SqlDuplicate
                         : (code & 0xFF) == SQLITE_IOERR || (code & 0xFF) == SQLITE_CANTOPEN ||
                                 (code & 0xFF) == SQLITE_BUSY || (code & 0xFF) == SQLITE_CORRUPT
                             ? SqlDown
                             : SqlOther;
        throw SqlFailure{kind, message};
    }

    sqlite3* db_;
    std::unordered_map<std::string, sqlite3_stmt*> statements_;
};

}  // namespace

std::unique_ptr<SqlLink> openSqliteLink(const std::string& path, std::string* why) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr) !=
        SQLITE_OK) {
        *why = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close_v2(db);
        return nullptr;
    }
    sqlite3_busy_timeout(db, BusyTimeoutMs);
    auto link = std::make_unique<SqliteLink>(db);
    try {
        link->run("PRAGMA journal_mode=WAL", {});
        link->run("PRAGMA synchronous=FULL", {});
        link->run("PRAGMA foreign_keys=ON", {});
    } catch (const SqlFailure& f) {
        *why = f.text;
        return nullptr;
    }
    return link;
}

std::unique_ptr<SqlLink> openSqlLink(const std::string& url, std::string* why) {
    if (url.rfind("sqlite:", 0) == 0) return openSqliteLink(url.substr(7), why);
    if (url.rfind("postgresql://", 0) == 0 || url.rfind("postgres://", 0) == 0) return openPostgresLink(url, why);
    *why = "a database URL is sqlite:PATH or postgresql://...";
    return nullptr;
}
