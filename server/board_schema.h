// The board's schema as versioned migrations, the same for SQLite and PostgreSQL: a
// database records the versions it has, and a server brings it up to the latest.
#pragma once

class SqlLink;

constexpr int BoardSchemaVersion = 1;

// Applies the migrations the database lacks, in one transaction each.
void migrateBoardSchema(SqlLink* link);
