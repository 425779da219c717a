#pragma once

#include <QStringList>

namespace mzt {

class Database;

// Creates the schema of an empty database and brings an older one up to date.
// Each file schema/NNN_*.sql is upgrade step NNN; the version reached is kept in the
// single row of 架构版本. Every step runs in one transaction.
class SchemaInstaller final
{
public:
    static int latestVersion();
    static int currentVersion(Database& db);
    // Runs every step above the current version; returns the version reached.
    static int install(Database& db);
    // Splits a schema file into statements (";" at the end of a line ends one).
    static QStringList splitStatements(const QString& text);
};

} // namespace mzt
