#include "warehouses.h"

#include "stocktables.h"

namespace mzt {

MasterListConfig warehouseListConfig()
{
    MasterListConfig c;
    c.table = QStringLiteral("货位");
    c.columns = {
        {.field = QStringLiteral("货位编码"),
         .caption = QStringLiteral("仓库编码"),
         .width = 110,
         .required = true},
        {.field = QStringLiteral("货位名称"),
         .caption = QStringLiteral("仓库名称"),
         .width = 160,
         .required = true},
        {.field = QStringLiteral("货位性质"), .caption = QStringLiteral("仓库性质"), .width = 130},
        {.field = QStringLiteral("管理人员"), .caption = QStringLiteral("管理人员"), .width = 110},
        {.field = QStringLiteral("备注"), .caption = QStringLiteral("备注"), .width = 240},
    };
    c.saveKeys = {{QStringLiteral("货位编码"), KeySource::Box}, {QStringLiteral("货位名称"), KeySource::Box}};
    c.orderBy = QStringLiteral("货位编码 asc");
    c.requiredMessage = QStringLiteral("请你确保:货位编码,货位名称 这二个重要资料不为空!");
    c.askInsertText = QStringLiteral("是否保存此货位信息？");
    c.askInsertTitle = QStringLiteral("系统提示");
    c.insertedMessage = {};
    c.insertFailedMessage = WarehouseList::refusedNameText();
    c.updatedMessage = QStringLiteral("修改成功！!");
    c.askDeleteText =
        QStringLiteral("如果您已经在这个仓库中录入了信息,请你不要随意删除本仓库,是否删除当前货位信息？");
    c.askDeleteTitle = QStringLiteral("删除提示");
    c.deletedMessage = QStringLiteral("删除成功！");
    // A refused drop says why instead of leaving the user guessing.
    c.showDeleteError = true;
    return c;
}

WarehouseList::WarehouseList(Session& session) : MasterListLogic(session, warehouseListConfig()) {}

bool WarehouseList::checkBeforeSave(const FieldValues& values, bool inserting)
{
    if (!inserting)
        return true;
    const QString name = values.value(QStringLiteral("货位名称"));
    QString problem;
    try {
        problem = StockTables::warehouseNameProblem(session().db, name);
    } catch (const DbError& e) {
        problem = e.message();
    }
    if (problem.isEmpty())
        return true;
    session().prompter.warn(refusedNameText());
    return false;
}

void WarehouseList::beforeInsert(const FieldValues& values)
{
    StockTables::CreateWarehouseTable(session().db, values.value(QStringLiteral("货位名称")));
}

void WarehouseList::beforeDelete(const FieldValues& row)
{
    // The table is recognised by its 货位 row, so it goes first; both in one transaction.
    // A row without a table of its own (or one naming a table of the program) only loses
    // the row: such a table is never dropped.
    const QString name = row.value(QStringLiteral("货位名称"));
    if (StockTables::isWarehouseTable(session().db, name))
        StockTables::DropWarehouseTable(session().db, name);
}

} // namespace mzt
