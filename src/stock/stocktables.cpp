#include "stocktables.h"

#include "lists.h"

namespace mzt {

namespace {

const QString totalTable = QStringLiteral("库存");
const QString copyTable = QStringLiteral("库存2");

QString dateText(const QDate& d)
{
    return d.toString(QStringLiteral("yyyy-MM-dd"));
}

// Any relation of that name: tables, views, indexes and sequences share one name space on
// both engines. SQLite ignores ASCII letter case in names; PostgreSQL keeps quoted names
// apart by case, but two warehouses differing only in case would confuse every user, so
// both engines compare without case.
bool relationExists(Database& db, const QString& name)
{
    if (db.dialect().isSqlite())
        return db.exists(QStringLiteral("select 1 from sqlite_master where lower(name) = lower(?)"), {name});
    return db.exists(QStringLiteral("select 1 from pg_catalog.pg_class c join pg_catalog.pg_namespace n "
                                    "on n.oid = c.relnamespace where n.nspname = current_schema() "
                                    "and lower(c.relname) = lower(?)"),
                     {name});
}

void insertZeroRow(Database& db, const QString& table, const QString& label, const QString& code,
                   const QDate& today)
{
    db.exec(QStringLiteral("insert into ") + quoteIdentifier(table) +
                QStringLiteral("(货位,编码,数量,金额,日期,标记,组合库存)values(?,?,0,0,?,0,?)"),
            {label, code, dateText(today), QStringLiteral("0")});
}

void requireNoRow(Database& db, const QString& table, const QString& code)
{
    if (db.exists(QStringLiteral("select 1 from ") + quoteIdentifier(table) + QStringLiteral(" where 编码=?"),
                  {code}))
        throw DbError(QStringLiteral("商品编码“%1”在库存表“%2”中已有记录").arg(code, table));
}

void requireTable(Database& db, const QString& warehouse)
{
    if (!db.tableExists(warehouse))
        throw DbError(QStringLiteral("仓库“%1”的库存表不存在").arg(warehouse));
}

} // namespace

const QStringList& StockTables::columns()
{
    static const QStringList c = {QStringLiteral("货位"),    QStringLiteral("编码"), QStringLiteral("数量"),
                                  QStringLiteral("金额"),    QStringLiteral("日期"), QStringLiteral("标记"),
                                  QStringLiteral("组合库存")};
    return c;
}

QStringList StockTables::warehouseNames(Database& db)
{
    return db.column(QStringLiteral("select 货位名称 from 货位 order by 货位名称"));
}

void StockTables::addRows(Database& db, const QString& rawCode, const QDate& today, bool withCopy)
{
    const QString code = rawCode.trimmed();
    if (code.isEmpty())
        throw DbError(QStringLiteral("商品编码不能为空"));
    const QStringList warehouses = warehouseNames(db);
    requireNoRow(db, totalTable, code);
    if (withCopy)
        requireNoRow(db, copyTable, code);
    for (const QString& w : warehouses) {
        requireTable(db, w);
        requireNoRow(db, w, code);
    }
    insertZeroRow(db, totalTable, totalTable, code, today);
    if (withCopy)
        insertZeroRow(db, copyTable, copyTable, code, today);
    for (const QString& w : warehouses)
        insertZeroRow(db, w, w, code, today);
}

void StockTables::AddGoodsRows(Database& db, const QString& code, const QDate& today)
{
    addRows(db, code, today, true);
}

void StockTables::AddImportedGoodsRows(Database& db, const QString& code, const QDate& today)
{
    addRows(db, code, today, false);
}

void StockTables::DeleteGoodsRows(Database& db, const QString& rawCode)
{
    const QString code = rawCode.trimmed();
    QStringList tables = {totalTable, copyTable};
    for (const QString& w : warehouseNames(db)) {
        // A warehouse row whose table is gone holds no stock to remove.
        if (db.tableExists(w))
            tables << w;
    }
    tables << QStringLiteral("期初库存表");
    for (const QString& t : tables)
        db.exec(QStringLiteral("delete from ") + quoteIdentifier(t) + QStringLiteral(" where 编码=?"),
                {code});
}

QString StockTables::warehouseNameProblem(Database& db, const QString& name)
{
    const QString problem = Dialect::identifierProblem(name);
    if (!problem.isEmpty())
        return problem;
    if (relationExists(db, name))
        return QStringLiteral("数据库中已有名为“%1”的表,不能再用作仓库名称").arg(name);
    return {};
}

void StockTables::CreateWarehouseTable(Database& db, const QString& name)
{
    const QString problem = warehouseNameProblem(db, name);
    if (!problem.isEmpty())
        throw InvalidNameError(name, problem);
    StockSnapshotTable(db, 1, name);
    StockSnapshotTable(db, 3, name);
}

bool StockTables::isWarehouseTable(Database& db, const QString& name)
{
    if (name.compare(totalTable, Qt::CaseInsensitive) == 0 ||
        name.compare(copyTable, Qt::CaseInsensitive) == 0)
        return false;
    if (!Dialect::identifierProblem(name).isEmpty())
        return false;
    if (!db.exists(QStringLiteral("select 1 from 货位 where 货位名称=?"), {name}))
        return false;
    if (!db.tableExists(name))
        return false;
    // Only a table of exactly the stock columns is a stock table.
    QStringList cols = db.columns(name);
    for (QString& c : cols)
        c = c.toLower();
    QStringList expected = columns();
    for (QString& c : expected)
        c = c.toLower();
    return cols == expected;
}

void StockTables::DropWarehouseTable(Database& db, const QString& name)
{
    if (!isWarehouseTable(db, name))
        throw DbError(QStringLiteral("“%1”不是仓库的库存表,不能删除").arg(name));
    StockSnapshotTable(db, 2, name);
}

void StockTables::ResetAll(Database& db, const QDate& today)
{
    QStringList tables = {totalTable, copyTable};
    for (const QString& w : warehouseNames(db)) {
        if (db.tableExists(w))
            tables << w;
    }
    for (const QString& t : tables) {
        db.exec(QStringLiteral("update ") + quoteIdentifier(t) +
                    QStringLiteral(" set 数量=0,金额=0,组合库存=?,日期=?"),
                {QStringLiteral("0"), dateText(today)});
    }
}

} // namespace mzt
