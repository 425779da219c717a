#include "testdb.h"

#include "schema.h"

#include <QCoreApplication>
#include <QFile>
#include <QUrl>
#include <QUuid>
#include <cstdio>

namespace mzt::test {

namespace {

bool g_postgres = false;

ConnectionSettings pgSettings(const QString& database = {})
{
    const QUrl url(QString::fromLocal8Bit(qgetenv("MZT_TEST_PG")));
    ConnectionSettings c;
    c.driver = QStringLiteral("postgresql");
    c.host = url.host().isEmpty() ? QStringLiteral("127.0.0.1") : url.host();
    c.port = url.port(5432);
    c.user = url.userName();
    c.password = url.password();
    c.name = database.isEmpty() ? url.path().mid(1) : database;
    return c;
}

QString uniqueName(const char* prefix)
{
    return QString::fromLatin1(prefix) + QUuid::createUuid().toString(QUuid::Id128).left(20);
}

// The maintenance connection and the installed templates of this test program.
struct Templates
{
    QTemporaryDir dir;
    QString sqliteFile;
    std::unique_ptr<Database> admin;
    QString pgTemplate;

    ~Templates()
    {
        if (admin && !pgTemplate.isEmpty()) {
            try {
                admin->exec(QStringLiteral("drop database if exists ") + pgTemplate);
            } catch (const DbError&) {
            }
        }
    }

    QString sqliteTemplate()
    {
        if (sqliteFile.isEmpty()) {
            const QString file = dir.filePath(QStringLiteral("template.db"));
            {
                ConnectionSettings c;
                c.sqliteFile = file;
                Database db(c);
                SchemaInstaller::install(db);
                db.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
                db.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
            }
            sqliteFile = file;
        }
        return sqliteFile;
    }

    Database& maintenance()
    {
        if (!admin)
            admin = std::make_unique<Database>(pgSettings());
        return *admin;
    }

    QString postgresTemplate()
    {
        if (pgTemplate.isEmpty()) {
            const QString name = uniqueName("mzt_tmpl_");
            maintenance().exec(QStringLiteral("create database ") + name + QStringLiteral(" encoding 'UTF8' template template0"));
            {
                Database db(pgSettings(name));
                SchemaInstaller::install(db);
            }
            pgTemplate = name;
        }
        return pgTemplate;
    }
};

Templates& templates()
{
    static Templates* t = [] {
        auto* created = new Templates;
        // Dropped when the program ends, before Qt's SQL plugins are unloaded.
        qAddPostRoutine([] { delete &templates(); });
        return created;
    }();
    return *t;
}

} // namespace

bool onPostgres() { return g_postgres; }
QString backendName() { return g_postgres ? QStringLiteral("PostgreSQL") : QStringLiteral("SQLite"); }

TestDatabase::TestDatabase(bool installSchema)
{
    if (g_postgres) {
        m_pgDatabase = uniqueName("mzt_t_");
        Database& admin = templates().maintenance();
        const QString from = installSchema ? templates().postgresTemplate() : QStringLiteral("template0");
        admin.exec(QStringLiteral("create database ") + m_pgDatabase + QStringLiteral(" encoding 'UTF8' template ") + from);
        m_settings = pgSettings(m_pgDatabase);
    } else {
        m_settings.driver = QStringLiteral("sqlite");
        m_settings.sqliteFile = m_dir.filePath(QStringLiteral("RURU.db"));
        if (installSchema)
            QFile::copy(templates().sqliteTemplate(), m_settings.sqliteFile);
    }
    m_db = std::make_unique<Database>(m_settings);
}

TestDatabase::~TestDatabase()
{
    m_db.reset();
    if (g_postgres && !m_pgDatabase.isEmpty()) {
        try {
            templates().maintenance().exec(QStringLiteral("drop database if exists ") + m_pgDatabase
                                           + QStringLiteral(" with (force)"));
        } catch (const DbError&) {
        }
    }
}

std::unique_ptr<Database> TestDatabase::secondConnection() const
{
    return std::make_unique<Database>(m_settings);
}

TestSession::TestSession(bool installSchema) : m_tdb(installSchema)
{
    m_settings = std::make_unique<BdChangeSettings>(m_tdb.folder());
    m_login.JobNo = QStringLiteral("888");
    m_login.OperatorName = QStringLiteral("系统管理员");
    m_login.loggedIn = true;
    m_session = std::make_unique<Session>(
        Session{m_tdb.db(), m_prompter, m_login, *m_settings, m_tdb.folder()});
}

int runOnEveryBackend(QObject* test, int argc, char** argv)
{
    g_postgres = false;
    std::fprintf(stdout, "=== %s ===\n", "SQLite");
    std::fflush(stdout);
    int rc = QTest::qExec(test, argc, argv);
    if (!qEnvironmentVariableIsEmpty("MZT_TEST_PG")) {
        g_postgres = true;
        std::fprintf(stdout, "=== %s ===\n", "PostgreSQL");
        std::fflush(stdout);
        rc |= QTest::qExec(test, argc, argv);
    }
    return rc;
}

} // namespace mzt::test
