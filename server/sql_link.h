// One connection to the board's database, SQLite or PostgreSQL, as the store uses it:
// statements with text parameters $1, $2, ... and rows of text. Failures are thrown.
#pragma once

#include <memory>
#include <string>
#include <vector>

enum SqlFailureKind {
    SqlDown,       // the database does not answer: the link is dropped
    SqlDuplicate,  // a unique index refused the row
    SqlOther,
};

struct SqlFailure {
    int kind;
    std::string text;
};

using SqlRow = std::vector<std::string>;
using SqlParams = std::vector<std::string>;

class SqlLink {
public:
    virtual ~SqlLink() = default;
    // Rows of the statement; text of a NULL is "".
    virtual std::vector<SqlRow> run(const std::string& sql, const SqlParams& params) = 0;
    virtual void beginWrite() = 0;  // a transaction that will write
    virtual void commit() = 0;
    virtual void rollback() = 0;  // never throws
    // The column type of a row id that numbers itself.
    virtual const char* serialIdType() const = 0;
    // Inside a write transaction: no other process migrates the schema meanwhile.
    virtual void lockSchema() {}
    // Database seconds spent by this link, for the metrics.
    double seconds = 0;
};

// sqlite:PATH or postgresql://...; null with why on a URL of neither kind or a database
// that cannot be opened.
std::unique_ptr<SqlLink> openSqlLink(const std::string& url, std::string* why);
std::unique_ptr<SqlLink> openSqliteLink(const std::string& path, std::string* why);
std::unique_ptr<SqlLink> openPostgresLink(const std::string& url, std::string* why);
