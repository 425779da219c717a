#pragma once

#include "database.h"
#include "decimal.h"
#include "goodsselection.h"
#include "session.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <optional>

namespace mzt {

// The packing units of a goods item, largest first (U1, U2, U3), and the ratios n1 (U2 per
// U1) and n2 (U3 per U2) as typed. A unit that is empty or "无单位" ends the chain: a third
// unit counts only below a second one.
struct PackSpec
{
    QString u1;
    QString u2;
    QString u3;
    QString n1 = QStringLiteral("1");
    QString n2 = QStringLiteral("1");

    static QString noUnit() { return QStringLiteral("无单位"); }
    static bool isUnit(const QString& u);

    // 0 to 3: how many units the chain holds.
    int unitCount() const;
    // The ratio text as it is written: an emptied box counts as "1", leading zeros dropped;
    // the text unchanged when it is not a whole number.
    static QString normalisedRatio(const QString& text);
    // A ratio must be a whole number from 1 to 999999; nullopt otherwise.
    static std::optional<qint64> ratioValue(const QString& text);
    // The message for the first ratio in use that is not a whole number of at least 1, and
    // which one it is (1 or 2); empty with 0 when both are fine.
    QString ratioProblem(int* which = nullptr) const;

    // 柜组: "1件*12袋*24包", "1件*24包", "1件"; empty without a first unit.
    QString specification() const;
    // 换算数: the unit names, largest first ("件袋包").
    QString unitNames() const;
    QString smallestUnit() const;
    // 单位: the smallest unit's name, "*" and the ratio of the unit above it ("包*24"); "件*1"
    // for one unit.
    QString unitText() const;
    // 小包装: smallest units in one largest unit (n1 × n2, n1 or 1); needs valid ratios.
    qint64 smallPack() const;

    // The units and ratios of a stored item, read back from its 柜组 (and 换算数 when the
    // packing text cannot be read).
    static PackSpec fromStored(const QString& specification, const QString& unitNames);
};

// The boxes of the goods editor as typed.
struct GoodsForm
{
    QString code;         // change mode: the stored code
    QString categoryPart; // add mode: the category part of the code ("0100")
    QString number;       // add mode: the number box
    QString name;
    QString quickCode;
    QString barcode;
    QString supplierCode;
    QString supplierName;
    QString shelfLife;
    QString productionDate;
    QString discontinued = QStringLiteral("否");
    PackSpec pack;
    // In change mode units left untouched keep the stored 单位, 换算数, 柜组 and 小包装.
    bool packChanged = true;
    QString purchasePrice;
    QString wholesalePrice;
    QString retailPrice;
    QString upperLimit;
    QString lowerLimit;
    QStringList prices; // 价格一 … 价格十, 价格11 … 价格20; missing ones count as empty
};

// A box of the editor, for the focus after a refusal.
enum class GoodsField
{
    None,
    Category,
    Number,
    Name,
    QuickCode,
    Barcode,
    Supplier,
    Unit1,
    Ratio1,
    Ratio2,
    PurchasePrice,
    WholesalePrice,
    RetailPrice,
    UpperLimit,
    LowerLimit,
    Price, // one of the twenty further prices, see SaveResult::priceIndex
};

// The goods editor (add and change mode): code proposal and checks, look-ups for its
// lists, and the saves with their stock rows.
class GoodsEditor final
{
public:
    enum class Mode
    {
        Add,
        Change
    };
    enum class SaveStatus
    {
        Saved,
        Refused,     // a check failed; its message was shown
        Cancelled,   // the question was answered No
        NoWarehouse, // no warehouse yet; the message was shown, the caller opens the warehouse window
        Failed,      // the database refused; everything rolled back and the reason shown
    };
    struct SaveResult
    {
        SaveStatus status = SaveStatus::Refused;
        GoodsField focus = GoodsField::None;
        int priceIndex = -1;
        QString code; // the code saved
    };

    explicit GoodsEditor(Session& session);

    Mode mode() const { return m_mode; }
    void startAdd();
    // Loads the goods item for change mode; "当前无资料可修改!" when it is not there.
    bool startChange(const QString& code);
    // The stored item in change mode.
    const GoodsForm& stored() const { return m_stored; }
    QString storedUnitText() const { return m_storedUnitText; }
    QString storedSpecification() const { return m_storedSpecification; }

    // "无单位" and every unit name.
    QStringList unitChoices();
    // "类名(编码)" of every category, by name.
    QStringList categoryChoices();
    QStringList warehouses();

    // The number proposed for a new goods item of the category part: the number of the
    // highest goods code plus 1 ("1" when there are no goods); nullopt when that code does
    // not end in digits.
    std::optional<QString> proposeNumber(const QString& categoryPart);
    static QString goodsCode(const QString& categoryPart, const QString& number);
    // True when a stored code contains "B" + part + number anywhere.
    bool isCodeTaken(const QString& categoryPart, const QString& number);
    // True when another goods item carries the barcode and it is not the barcode the item
    // had when the editor opened.
    bool isBarcodeTaken(const QString& barcode);
    // The same, showing "对不起条码有重复，请你重新输入！".
    bool checkBarcode(const QString& barcode);
    // Suppliers whose code or name contains the text (编码, 公司名).
    Rows findSuppliers(const QString& text);
    // Change mode: bill lines use the goods item, so its units stay as they are.
    bool unitsLocked();

    bool canSeePurchasePrice();
    // The rights of the editor's buttons; a refusal is shown.
    bool mayOpenWarehouses();
    bool mayOpenUnits();

    SaveResult save(const GoodsForm& form);
    SaveResult AddGoods(const GoodsForm& form);
    SaveResult ChangeGoods(const GoodsForm& form);

    static QStringList priceColumns();

private:
    SaveResult refuse(const QString& text, GoodsField focus, int priceIndex = -1);
    // Required boxes, ratios, numbers and barcode; nullopt when all are fine.
    std::optional<SaveResult> checkForm(const GoodsForm& form);
    void writePrices(const QString& code, const GoodsForm& form, const QString& smallPack);

    Session& m_s;
    Mode m_mode = Mode::Add;
    GoodsForm m_stored;
    QString m_storedUnitText;
    QString m_storedSpecification;
    QString m_storedUnitNames;
    QString m_storedBigUnit;
    QString m_storedSmallPack;
};

// The filter boxes of the goods list.
struct GoodsQuery
{
    QString code;
    QString quickCode;
    QString name;
    QString supplier;
    QString barcode;
};

// The goods list: the list by category or filter, deletion, print and the picker entries.
class GoodsList final
{
public:
    explicit GoodsList(Session& session);

    // The opening list: every goods item.
    Rows ListGoods();
    // The goods of a category and its sub-categories (by code prefix); "0" gives all goods.
    Rows ListGoodsInCategory(const QString& categoryCode);
    // One "contains" term per filled box, the typed text taken literally.
    Rows ListGoodsByQuery(const GoodsQuery& query);
    // Every goods item by name.
    Rows ListGoodsByName();
    // The last list again, e.g. after a change.
    Rows reload();

    bool canSeePurchasePrice();
    // "增加管理商品"; the refusal is shown.
    bool mayManage();

    // Removes the goods item and all its stock rows, after the question. False when refused,
    // cancelled or failed (the reason shown).
    bool DeleteGoods(const QString& code, const QString& name);

    struct PrintJob
    {
        QString templateFile; // "zcfrf\\proceduct.frf" with the purchase price, else proceduct1
        Rows rows;
    };
    // Checks the right, logs, reads the rows of the current list and asks about the purchase
    // price; nullopt when there is nothing to print (the reason shown).
    std::optional<PrintJob> PrintGoods();

    // The picker entry of a list row: unit = first character of 单位, quantity 1, discount 1,
    // price = 售价.
    static GoodsSelectionEntry selectionEntry(const QString& code, const QString& unitText,
                                              const QVariant& retailPrice, const QString& name,
                                              const QString& warehouse);

    // The list's column list ("编码,条码,品名,…").
    static QStringList listFields();

private:
    Rows run();

    Session& m_s;
    // The current list: a condition over 商品 (joined with 库存 when filtered by the boxes).
    QString m_condition;
    QVariantList m_values;
    bool m_joinStock = false;
    bool m_byName = false;
};

} // namespace mzt
