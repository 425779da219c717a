#include "schema.h"

#include "database.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>

namespace mzt {

namespace {

QMap<int, QString> stepFiles()
{
    QMap<int, QString> steps;
    const QDir dir(QStringLiteral(":/schema"));
    static const QRegularExpression re(QStringLiteral("^(\\d+)_.*\\.sql$"));
    for (const QString& f : dir.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name)) {
        const auto m = re.match(f);
        if (m.hasMatch())
            steps.insert(m.captured(1).toInt(), dir.filePath(f));
    }
    return steps;
}

} // namespace

QStringList SchemaInstaller::splitStatements(const QString& text)
{
    QStringList out;
    QString current;
    bool inQuote = false;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (!inQuote && (line.isEmpty() || line.startsWith(QStringLiteral("--"))))
            continue;
        for (QChar c : raw)
            if (c == QLatin1Char('\''))
                inQuote = !inQuote;
        current += raw + QLatin1Char('\n');
        if (!inQuote && line.endsWith(QLatin1Char(';'))) {
            QString s = current.trimmed();
            s.chop(1);
            if (!s.trimmed().isEmpty())
                out.append(s.trimmed());
            current.clear();
        }
    }
    if (!current.trimmed().isEmpty())
        out.append(current.trimmed());
    return out;
}

int SchemaInstaller::latestVersion()
{
    const auto steps = stepFiles();
    return steps.isEmpty() ? 0 : steps.lastKey();
}

int SchemaInstaller::currentVersion(Database& db)
{
    if (!db.tableExists(QStringLiteral("架构版本")))
        return 0;
    const auto v = db.scalar(QStringLiteral("select max(版本) from 架构版本"));
    return v && !v->isNull() ? v->toInt() : 0;
}

int SchemaInstaller::install(Database& db)
{
    int version = currentVersion(db);
    const auto steps = stepFiles();
    for (auto it = steps.cbegin(); it != steps.cend(); ++it) {
        if (it.key() <= version)
            continue;
        QFile f(it.value());
        if (!f.open(QIODevice::ReadOnly))
            throw DbError(QStringLiteral("无法读取数据库结构文件 ") + it.value());
        const QString text = db.dialect().expandTypes(QString::fromUtf8(f.readAll()));
        TransactionGuard tx(db);
        if (!db.tableExists(QStringLiteral("架构版本")))
            db.exec(QStringLiteral("create table 架构版本 (版本 INTEGER NOT NULL)"));
        for (const QString& statement : splitStatements(text))
            db.exec(statement);
        db.exec(QStringLiteral("delete from 架构版本"));
        db.exec(QStringLiteral("insert into 架构版本 (版本) values (?)"), {it.key()});
        tx.commit();
        version = it.key();
    }
    return version;
}

} // namespace mzt
