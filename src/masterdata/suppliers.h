#pragma once

// Suppliers (供应商): the supplier window's list, save and delete, the browse list the
// purchase side opens to pick a supplier, and the look-up behind a typed supplier name.

#include "masterlist.h"

#include <QString>

#include <optional>

namespace mzt {

// The supplier a calling window takes over.
struct SupplierChoice
{
    QString code;    // 编码
    QString name;    // 公司名
    QString contact; // 联系人
    QString phone;   // 电话一
    QString fax;     // 电话二

    static SupplierChoice fromValues(const FieldValues& values);
    static SupplierChoice fromRow(const Row& row);
};

// The eleven columns of the supplier window, in the order an insert lists them.
MasterListConfig supplierListConfig();

// The supplier window's logic (Tfrm_prvice).
class SupplierList final : public MasterListLogic
{
public:
    explicit SupplierList(Session& session);

    static QString exportName() { return QStringLiteral("供商信息"); }
    static QString windowRight() { return QStringLiteral("供应商信息管理"); }

    // The list as the window opens; after every save and delete it is read in name order.
    Rows open() { return loadOpening(); }
    Rows inNameOrder() { return loadAll(); }
    // Query mode: one like term per filled box.
    Rows FilterSuppliers(const FieldValues& boxes) { return filter(boxes); }
    // Looks the supplier up by the code box and the name of the supplier being edited (the
    // list row clicked; for a new supplier the name box). No row: "是否保存此客户？" and an
    // insert; a row: it is updated without a question. The code of a row never changes.
    SaveResult SaveSupplier(const FieldValues& boxes, const std::optional<FieldValues>& editedRow);
    // After "是否删除当前供应商？" removes the row matched by the current row's code and name;
    // the log names the supplier of the name box. Goods and bills naming it are not examined.
    DeleteResult DeleteSupplier(const FieldValues& currentRow, const FieldValues& boxes);
};

// What a caller of the browse list takes: the first kind of caller fills a code and a
// name box, the second the name only.
enum class SupplierPickMode
{
    CodeAndName,
    NameOnly,
};

// The supplier browse list (Tfrm_gyshz_check).
class SupplierBrowse final
{
public:
    explicit SupplierBrowse(Session& session) : m_s(session) {}

    static QString selectList() { return QStringLiteral("编码,公司名,联系人,电话一,电话二"); }

    Rows open();
    // Suppliers whose code, name, telephone (电话一) and contact contain the fragments;
    // empty fragments keep every row.
    Rows BrowseSuppliers(const QString& code, const QString& name, const QString& phone,
                         const QString& contact);
    // The supplier of a double-clicked row (its fields by column name). Without a row:
    // "对不起当前无客户资料!". A caller that needs the code gets nothing for a row without one
    // (the list stays open).
    std::optional<SupplierChoice> pick(const std::optional<FieldValues>& row, SupplierPickMode mode);
    // "新增供应商资料" opens the supplier window only for holders of "供应商信息管理".
    bool mayAddSupplier();

    static QString emptyListText() { return QStringLiteral("对不起当前无客户资料!"); }

private:
    Session& m_s;
};

// The look-up of a typed supplier name in the goods editor and the purchase bills.
class SupplierLookup final
{
public:
    explicit SupplierLookup(Database& db) : m_db(db) {}

    // "编码,公司名" of the suppliers whose code or name contains the text (literally, any
    // letter case), in name order.
    Rows FindSuppliers(const QString& text);

private:
    Database& m_db;
};

} // namespace mzt
