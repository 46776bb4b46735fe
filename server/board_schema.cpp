#include "board_schema.h"

#include <string>

#include "sql_link.h"

namespace {

// Version N is Migrations[N - 1]; @ID@ is the link's self-numbering row id.
const char* const Migrations[] = {
    // 1: courses, riders, runs and each key's best run on each course.
    "CREATE TABLE courses (hash TEXT PRIMARY KEY, sha256 TEXT NOT NULL, name TEXT NOT NULL,"
    " par INTEGER NOT NULL, file TEXT NOT NULL, shipped INTEGER NOT NULL, added BIGINT NOT NULL);"
    "CREATE TABLE riders (key TEXT PRIMARY KEY, name TEXT NOT NULL);"
    "CREATE TABLE runs (id @ID@, course TEXT NOT NULL REFERENCES courses(hash),"
    " key TEXT NOT NULL REFERENCES riders(key), rider TEXT NOT NULL, iterations INTEGER NOT NULL,"
    " splits TEXT NOT NULL, demo TEXT NOT NULL, ride TEXT NOT NULL, submitted BIGINT NOT NULL);"
    "CREATE UNIQUE INDEX runs_ride ON runs (course, ride);"
    "CREATE TABLE bests (course TEXT NOT NULL, key TEXT NOT NULL, run BIGINT NOT NULL,"
    " iterations INTEGER NOT NULL, PRIMARY KEY (course, key));"
    "CREATE INDEX bests_board ON bests (course, iterations, run);",
};

std::string withIdType(std::string sql, const char* idType) {
    for (size_t at; (at = sql.find("@ID@")) != std::string::npos;) sql.replace(at, 4, idType);
    return sql;
}

// SQLite runs one statement at a time.
void runEach(SqlLink* link, const std::string& statements) {
    size_t from = 0;
    for (size_t end; (end = statements.find(';', from)) != std::string::npos; from = end + 1)
        link->run(statements.substr(from, end - from), {});
}

}  // namespace

void migrateBoardSchema(SqlLink* link) {
    link->run("CREATE TABLE IF NOT EXISTS schema_migrations (version INTEGER PRIMARY KEY)", {});
    for (int version = 1; version <= BoardSchemaVersion; ++version) {
        link->beginWrite();
        try {
            link->lockSchema();
            if (link->run("SELECT version FROM schema_migrations WHERE version = $1", {std::to_string(version)}).empty()) {
                runEach(link, withIdType(Migrations[version - 1], link->serialIdType()));
                link->run("INSERT INTO schema_migrations (version) VALUES ($1)", {std::to_string(version)});
            }
            link->commit();
        } catch (...) {
            link->rollback();
            throw;
        }
    }
}
