#include "categories.h"
#include "goods.h"
#include "goodsselection.h"
#include "report.h"
#include "reporttemplate.h"
#include "stocktables.h"
#include "testdb.h"

#include <QDate>
#include <QTest>

using namespace mzt;
using namespace mzt::test;

namespace {

void addWarehouse(Database& db, const QString& name)
{
    db.exec(QStringLiteral("insert into 货位(货位编码,货位名称) values(?,?)"), {name, name});
    StockTables::CreateWarehouseTable(db, name);
}

// A goods row written directly, as older data or an import leaves it.
void insertGoods(Database& db, const QString& code, const QString& name, const QString& barcode = {},
                 const QString& unit = QStringLiteral("件*1"))
{
    db.exec(QStringLiteral(
                "insert into 商品(编码,条码,品名,单位,柜组,换算数,小包装,备注,公司名,淘汰否,进价,售价) "
                "values(?,?,?,?,'1件','件',1,?,'','否',1,2)"),
            {code, QStringLiteral("X"), name, unit, barcode});
    db.exec(QStringLiteral("insert into 库存(货位,编码,数量,金额,组合库存) values('库存',?,0,0,'0')"),
            {code});
}

GoodsForm goodsForm(const QString& categoryCode, const QString& number,
                    const QString& name = QStringLiteral("可比克"))
{
    GoodsForm f;
    f.categoryPart = Categories::goodsCodePart(categoryCode);
    f.number = number;
    f.name = name;
    f.quickCode = QStringLiteral("KBK");
    f.pack.u1 = QStringLiteral("件");
    f.pack.u2 = PackSpec::noUnit();
    f.pack.u3 = PackSpec::noUnit();
    return f;
}

// A user with only the given rights.
void loginAs(TestSession& s, const QStringList& rights)
{
    s.db().exec(QStringLiteral("insert into 权限密码(工号,姓名,密码) values('101','张三','')"));
    for (const QString& r : rights)
        s.db().exec(QStringLiteral("update 权限密码 set ") + quoteIdentifier(r) +
                    QStringLiteral("=1 where 工号='101'"));
    s.login().JobNo = QStringLiteral("101");
    s.login().OperatorName = QStringLiteral("张三");
}

qint64 rowsOf(Database& db, const QString& table, const QString& code)
{
    return db
        .scalar(QStringLiteral("select count(*) from ") + quoteIdentifier(table) +
                    QStringLiteral(" where 编码=?"),
                {code})
        ->toLongLong();
}

} // namespace

class TestGoods final : public QObject
{
    Q_OBJECT

private slots:
    void codeFromCategory_data();
    void codeFromCategory();
    void duplicateCodeRefused_data();
    void duplicateCodeRefused();
    void proposedNumber_data();
    void proposedNumber();
    void packSpecification_data();
    void packSpecification();
    void ratioRefused_data();
    void ratioRefused();
    void newGoodsStockRows();
    void failureHalfWayLeavesNothing();
    void noWarehouseOpensWarehouses();
    void requiredBoxes_data();
    void requiredBoxes();
    void barcodeDuplicates_data();
    void barcodeDuplicates();
    void changeKeepsUntouchedUnits();
    void changeRecomputesTouchedUnits_data();
    void changeRecomputesTouchedUnits();
    void purchasePriceByRight();
    void rightsRefused();
    void deleteRemovesStockRows();
    void filtersStayLiteral_data();
    void filtersStayLiteral();
    void categoryFilter_data();
    void categoryFilter();
    void selectionEntries();
    void printChoosesTemplate_data();
    void printChoosesTemplate();
    void shippedTemplatesPrintRows_data();
    void shippedTemplatesPrintRows();
};

void TestGoods::codeFromCategory_data()
{
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("code");
    QTest::newRow("two characters get 00") << "01"
                                           << "7"
                                           << "B01007";
    QTest::newRow("four characters stay") << "0101"
                                          << "7"
                                          << "B01017";
    QTest::newRow("number trimmed") << "02"
                                    << " 12 "
                                    << "B020012";
}

void TestGoods::codeFromCategory()
{
    QFETCH(QString, category);
    QFETCH(QString, number);
    QFETCH(QString, code);
    TestSession s;
    addWarehouse(s.db(), QStringLiteral("一号库"));
    GoodsEditor editor(s.session());
    editor.startAdd();
    const GoodsEditor::SaveResult r = editor.AddGoods(goodsForm(category, number));
    QCOMPARE(r.status, GoodsEditor::SaveStatus::Saved);
    QCOMPARE(r.code, code);
    QCOMPARE(s.db().column(QStringLiteral("select 编码 from 商品")), QStringList{code});
    QCOMPARE(s.prompter().last(), QStringLiteral("增加新商品成功！"));
    QVERIFY(s.db().exists(QStringLiteral("select 1 from 日志 where 操作内容=? and 性质='重要'"),
                          {QStringLiteral("新增商品资料,新增的商品名为:可比克")}));
}

void TestGoods::duplicateCodeRefused_data()
{
    QTest::addColumn<QString>("existing");
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("refused");
    QTest::newRow("same code") << "B01001"
                               << "1" << true;
    QTest::newRow("code containing it") << "B010010"
                                        << "1" << true;
    QTest::newRow("other category part") << "B01011"
                                         << "1" << false;
    QTest::newRow("percent typed stays literal") << "B0100X1"
                                                 << "%1" << false;
    QTest::newRow("underscore typed stays literal") << "B0100X1"
                                                    << "_1" << false;
}

void TestGoods::duplicateCodeRefused()
{
    QFETCH(QString, existing);
    QFETCH(QString, number);
    QFETCH(bool, refused);
    TestSession s;
    addWarehouse(s.db(), QStringLiteral("一号库"));
    insertGoods(s.db(), existing, QStringLiteral("旧商品"));
    GoodsEditor editor(s.session());
    editor.startAdd();
    QCOMPARE(editor.isCodeTaken(QStringLiteral("0100"), number), refused);
    const GoodsEditor::SaveResult r = editor.AddGoods(goodsForm(QStringLiteral("01"), number));
    if (refused) {
        QCOMPARE(r.status, GoodsEditor::SaveStatus::Refused);
        QCOMPARE(r.focus, GoodsField::Number);
        QCOMPARE(s.prompter().last(), QStringLiteral("对不起商品编码有类似的重复,请你重新输入！"));
        QCOMPARE(s.db().countRows(QStringLiteral("商品")), 1);
        QCOMPARE(s.db().countRows(QStringLiteral("库存")), 1);
    } else {
        QCOMPARE(r.status, GoodsEditor::SaveStatus::Saved);
        QCOMPARE(s.db().countRows(QStringLiteral("商品")), 2);
    }
}

void TestGoods::proposedNumber_data()
{
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<QString>("part");
    QTest::addColumn<QString>("proposed"); // empty: the box stays as it is
    QTest::newRow("no goods") << QStringList{} << "0100"
                              << "1";
    QTest::newRow("highest plus one") << QStringList{"B01001", "B01003", "B01002"} << "0100"
                                      << "4";
    QTest::newRow("across categories") << QStringList{"B01001", "B02005"} << "0100"
                                       << "6";
    QTest::newRow("ten counts above nine") << QStringList{"B01009", "B010010"} << "0100"
                                           << "11";
    QTest::newRow("non-digit code passed over") << QStringList{"B010015", "B0100ABC"} << "0100"
                                                << "16";
    QTest::newRow("imported codes without B") << QStringList{"0100KBK"} << "0100"
                                              << "1";
    QTest::newRow("no code ends in digits") << QStringList{"B0100X"} << "0100"
                                            << "";
}

void TestGoods::proposedNumber()
{
    QFETCH(QStringList, codes);
    QFETCH(QString, part);
    QFETCH(QString, proposed);
    TestSession s;
    for (const QString& c : codes)
        insertGoods(s.db(), c, c);
    GoodsEditor editor(s.session());
    editor.startAdd();
    const std::optional<QString> n = editor.proposeNumber(part);
    QCOMPARE(n.value_or(QString()), proposed);
    QCOMPARE(n.has_value(), !proposed.isEmpty());
}

void TestGoods::packSpecification_data()
{
    QTest::addColumn<QString>("u1");
    QTest::addColumn<QString>("u2");
    QTest::addColumn<QString>("u3");
    QTest::addColumn<QString>("n1");
    QTest::addColumn<QString>("n2");
    QTest::addColumn<QString>("spec");
    QTest::addColumn<QString>("names");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<int>("smallPack");
    QTest::newRow("three units") << "件"
                                 << "袋"
                                 << "包"
                                 << "12"
                                 << "24"
                                 << "1件*12袋*24包"
                                 << "件袋包"
                                 << "包*24" << 288;
    QTest::newRow("two units") << "件"
                               << "包"
                               << "无单位"
                               << "24"
                               << ""
                               << "1件*24包"
                               << "件包"
                               << "包*24" << 24;
    QTest::newRow("one unit, ratio left empty") << "件"
                                                << "无单位"
                                                << "无单位"
                                                << ""
                                                << ""
                                                << "1件"
                                                << "件"
                                                << "件*1" << 1;
    QTest::newRow("one unit ignores its ratio") << "件"
                                                << "无单位"
                                                << "无单位"
                                                << "5"
                                                << "7"
                                                << "1件"
                                                << "件"
                                                << "件*1" << 1;
    QTest::newRow("third unit needs a second") << "件"
                                               << "无单位"
                                               << "包"
                                               << "6"
                                               << "4"
                                               << "1件"
                                               << "件"
                                               << "件*1" << 1;
    QTest::newRow("leading zeros dropped") << "箱"
                                           << "瓶"
                                           << ""
                                           << "012"
                                           << ""
                                           << "1箱*12瓶"
                                           << "箱瓶"
                                           << "瓶*12" << 12;
}

void TestGoods::packSpecification()
{
    QFETCH(QString, u1);
    QFETCH(QString, u2);
    QFETCH(QString, u3);
    QFETCH(QString, n1);
    QFETCH(QString, n2);
    QFETCH(QString, spec);
    QFETCH(QString, names);
    QFETCH(QString, unit);
    QFETCH(int, smallPack);
    TestSession s;
    addWarehouse(s.db(), QStringLiteral("一号库"));
    GoodsEditor editor(s.session());
    editor.startAdd();
    GoodsForm f = goodsForm(QStringLiteral("01"), QStringLiteral("1"));
    f.pack = PackSpec{u1, u2, u3, n1, n2};
    QCOMPARE(editor.AddGoods(f).status, GoodsEditor::SaveStatus::Saved);
    const Rows rows =
        s.db().query(QStringLiteral("select 单位,柜组,换算数,小包装,大包装 from 商品 where 编码='B01001'"));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.first().value(0).toString(), unit);
    QCOMPARE(rows.first().value(1).toString(), spec);
    QCOMPARE(rows.first().value(2).toString(), names);
    QCOMPARE(Decimal::fromVariant(rows.first().value(3)), Decimal(smallPack));
    QCOMPARE(rows.first().value(4).toString(), u1);
    // The stored packing reads back as the units it was made from.
    const PackSpec back = PackSpec::fromStored(spec, names);
    QCOMPARE(back.specification(), spec);
    QCOMPARE(back.smallPack(), qint64(smallPack));
}

void TestGoods::ratioRefused_data()
{
    QTest::addColumn<QString>("u3");
    QTest::addColumn<QString>("n1");
    QTest::addColumn<QString>("n2");
    QTest::addColumn<int>("focus");
    QTest::newRow("zero") << "无单位"
                          << "0"
                          << "1" << int(GoodsField::Ratio1);
    QTest::newRow("fraction") << "无单位"
                              << "1.5"
                              << "1" << int(GoodsField::Ratio1);
    QTest::newRow("only a point") << "无单位"
                                  << "."
                                  << "1" << int(GoodsField::Ratio1);
    QTest::newRow("too large") << "无单位"
                               << "1000000"
                               << "1" << int(GoodsField::Ratio1);
    QTest::newRow("second ratio zero") << "包"
                                       << "12"
                                       << "0" << int(GoodsField::Ratio2);
    QTest::newRow("second ratio fraction") << "包"
                                           << "12"
                                           << "2.5" << int(GoodsField::Ratio2);
}

void TestGoods::ratioRefused()
{
    QFETCH(QString, u3);
    QFETCH(QString, n1);
    QFETCH(QString, n2);
    QFETCH(int, focus);
    TestSession s;
    addWarehouse(s.db(), QStringLiteral("一号库"));
    GoodsEditor editor(s.session());
    editor.startAdd();
    GoodsForm f = goodsForm(QStringLiteral("01"), QStringLiteral("1"));
    f.pack = PackSpec{QStringLiteral("件"), QStringLiteral("袋"), u3, n1, n2};
    const GoodsEditor::SaveResult r = editor.AddGoods(f);
    QCOMPARE(r.status, GoodsEditor::SaveStatus::Refused);
    QCOMPARE(int(r.focus), focus);
    QCOMPARE(s.prompter().last(), QStringLiteral("单位换算数必须是1至999999之间的整数,请重新输入!"));
    QCOMPARE(s.db().countRows(QStringLiteral("商品")), 0);
    QCOMPARE(s.db().countRows(QStringLiteral("库存")), 0);
}

void TestGoods::newGoodsStockRows()
{
    TestSession s;
    addWarehouse(s.db(), QStringLiteral("一号库"));
    addWarehouse(s.db(), QStringLiteral("二号库"));
    insertGoods(s.db(), QStringLiteral("B02001"), QStringLiteral("旧商品"));
    GoodsEditor editor(s.session());
    editor.startAdd();
    QCOMPARE(editor.AddGoods(goodsForm(QStringLiteral("01"), QStringLiteral("1"))).status,
             GoodsEditor::SaveStatus::Saved);
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    const std::pair<QString, QString> tables[] = {{QStringLiteral("库存"), QStringLiteral("库存")},
                                                  {QStringLiteral("库存2"), QStringLiteral("库存2")},
                                                  {QStringLiteral("一号库"), QStringLiteral("一号库")},
                                                  {QStringLiteral("二号库"), QStringLiteral("二号库")}};
    for (const auto& [table, label] : tables) {
        const Rows rows = s.db().query(QStringLiteral("select 货位,数量,金额,日期,标记,组合库存 from ") +
                                       quoteIdentifier(table) + QStringLiteral(" where 编码='B01001'"));
        QCOMPARE(rows.size(), 1);
        const Row& r = rows.first();
        QCOMPARE(r.value(0).toString(), label);
        QVERIFY(Decimal::fromVariant(r.value(1)).isZero());
        QVERIFY(Decimal::fromVariant(r.value(2)).isZero());
        QCOMPARE(r.value(3).toString().left(10), today);
        QCOMPARE(r.value(4).toInt(), 0);
        QCOMPARE(r.value(5).toString(), QStringLiteral("0"));
    }
    // The other goods item keeps its rows as they were.
    QCOMPARE(rowsOf(s.db(), QStringLiteral("库存"), QStringLiteral("B02001")), 1);
    QCOMPARE(rowsOf(s.db(), QStringLiteral("库存2"), QStringLiteral("B02001")), 0);
}

void TestGoods::failureHalfWayLeavesNothing()
{
    TestSession s;
    addWarehouse(s.db(), QStringLiteral("一号库"));
    addWarehouse(s.db(), QStringLiteral("二号库"));
    // The second warehouse's table goes behind the program's back.
    s.db().exec(QStringLiteral("drop table ") + quoteIdentifier(QStringLiteral("二号库")));
    const qint64 logRows = s.db().countRows(QStringLiteral("日志"));
    GoodsEditor editor(s.session());
    editor.startAdd();
    const GoodsEditor::SaveResult r = editor.AddGoods(goodsForm(QStringLiteral("01"), QStringLiteral("1")));
    QCOMPARE(r.status, GoodsEditor::SaveStatus::Failed);
    QCOMPARE(s.prompter().shown.last().kind, MessageKind::Error);
    QVERIFY(!s.prompter().texts().contains(QStringLiteral("增加新商品成功！")));
    QCOMPARE(s.db().countRows(QStringLiteral("商品")), 0);
    QCOMPARE(s.db().countRows(QStringLiteral("库存")), 0);
    QCOMPARE(s.db().countRows(QStringLiteral("库存2")), 0);
    QCOMPARE(s.db().countRows(QStringLiteral("一号库")), 0);
    QCOMPARE(s.db().countRows(QStringLiteral("日志")), logRows);
    QVERIFY(!s.db().inTransaction());
    // Once the table is back the same goods item saves.
    StockTables::CreateWarehouseTable(s.db(), QStringLiteral("二号库"));
    QCOMPARE(editor.AddGoods(goodsForm(QStringLiteral("01"), QStringLiteral("1"))).status,
             GoodsEditor::SaveStatus::Saved);
    QCOMPARE(rowsOf(s.db(), QStringLiteral("二号库"), QStringLiteral("B01001")), 1);
}

void TestGoods::noWarehouseOpensWarehouses()
{
    TestSession s;
    GoodsEditor editor(s.session());
    editor.startAdd();
    const GoodsEditor::SaveResult r = editor.AddGoods(goodsForm(QStringLiteral("01"), QStringLiteral("1")));
    QCOMPARE(r.status, GoodsEditor::SaveStatus::NoWarehouse);
    QCOMPARE(s.prompter().last(), QStringLiteral("对不起,当前没有一个仓库信息,请您先增加一个仓库!"));
    QCOMPARE(s.db().countRows(QStringLiteral("商品")), 0);
    QCOMPARE(s.db().countRows(QStringLiteral("库存")), 0);
    QVERIFY(editor.mayOpenWarehouses());
}

void TestGoods::requiredBoxes_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("focus");
    QTest::newRow("category") << "category" << int(GoodsField::Category);
    QTest::newRow("number") << "number" << int(GoodsField::Number);
    QTest::newRow("name") << "name" << int(GoodsField::Name);
    QTest::newRow("quick code") << "quick" << int(GoodsField::QuickCode);
    QTest::newRow("first unit") << "unit" << int(GoodsField::Unit1);
}

void TestGoods::requiredBoxes()
{
    QFETCH(QString, box);
    QFETCH(int, focus);
    TestSession s;
    addWarehouse(s.db(), QStringLiteral("一号库"));
    GoodsEditor editor(s.session());
    editor.startAdd();
    GoodsForm f = goodsForm(QStringLiteral("01"), QStringLiteral("1"));
    if (box == QLatin1String("category"))
        f.categoryPart.clear();
    else if (box == QLatin1String("number"))
        f.number = QStringLiteral("  ");
    else if (box == QLatin1String("name"))
        f.name = QStringLiteral(" ");
    else if (box == QLatin1String("quick"))
        f.quickCode.clear();
    else
        f.pack.u1 = PackSpec::noUnit();
    const GoodsEditor::SaveResult r = editor.AddGoods(f);
    QCOMPARE(r.status, GoodsEditor::SaveStatus::Refused);
    QCOMPARE(int(r.focus), focus);
    QCOMPARE(s.prompter().last(), QStringLiteral("请您正确输入带 [*] 号的商品资料!"));
    QCOMPARE(s.db().countRows(QStringLiteral("商品")), 0);
}

void TestGoods::barcodeDuplicates_data()
{
    QTest::addColumn<QString>("editing"); // empty: add mode
    QTest::addColumn<QString>("barcode");
    QTest::addColumn<bool>("taken");
    QTest::newRow("new goods, used barcode") << ""
                                             << "6901234" << true;
    QTest::newRow("new goods, used barcode with blanks") << ""
                                                         << " 6901234 " << true;
    QTest::newRow("new goods, free barcode") << ""
                                             << "6909999" << false;
    QTest::newRow("empty barcode never taken") << ""
                                               << "" << false;
    QTest::newRow("own barcode kept") << "B01001"
                                      << "6901234" << false;
    QTest::newRow("other goods' barcode") << "B01002"
                                          << "6901234" << true;
}

void TestGoods::barcodeDuplicates()
{
    QFETCH(QString, editing);
    QFETCH(QString, barcode);
    QFETCH(bool, taken);
    TestSession s;
    addWarehouse(s.db(), QStringLiteral("一号库"));
    insertGoods(s.db(), QStringLiteral("B01001"), QStringLiteral("甲"), QStringLiteral("6901234"));
    insertGoods(s.db(), QStringLiteral("B01002"), QStringLiteral("乙"), QStringLiteral(""));
    GoodsEditor editor(s.session());
    GoodsForm f;
    if (editing.isEmpty()) {
        editor.startAdd();
        f = goodsForm(QStringLiteral("02"), QStringLiteral("1"));
    } else {
        QVERIFY(editor.startChange(editing));
        f = editor.stored();
    }
    f.barcode = barcode;
    QCOMPARE(editor.isBarcodeTaken(barcode), taken);
    QCOMPARE(editor.checkBarcode(barcode), !taken);
    if (taken)
        QCOMPARE(s.prompter().last(), QStringLiteral("对不起条码有重复，请你重新输入！"));
    s.prompter().clear();
    // Saving checks it again: the toolbar button takes no focus from the box.
    const GoodsEditor::SaveResult r = editor.save(f);
    QCOMPARE(r.status == GoodsEditor::SaveStatus::Refused, taken);
    if (taken) {
        QCOMPARE(r.focus, GoodsField::Barcode);
        QCOMPARE(s.prompter().last(), QStringLiteral("对不起条码有重复，请你重新输入！"));
    }
}

void TestGoods::changeKeepsUntouchedUnits()
{
    TestSession s;
    addWarehouse(s.db(), QStringLiteral("乙库"));
    addWarehouse(s.db(), QStringLiteral("甲库"));
    // Stored values that the editor's lists cannot make; untouched units keep them.
    s.db().exec(QStringLiteral(
        "insert into 商品(编码,条码,品名,单位,柜组,换算数,小包装,大包装,备注,淘汰否,进价,售价) "
        "values('B01001','KBK','可比克','包*24','1件*12袋*24包','件袋包',288,'件','','否',3,5)"));
    s.db().exec(
        QStringLiteral("insert into 库存(货位,编码,数量,金额,组合库存) values('库存','B01001',0,0,'0')"));
    GoodsEditor editor(s.session());
    QVERIFY(editor.startChange(QStringLiteral("B01001")));
    GoodsForm f = editor.stored();
    QCOMPARE(f.pack.u1, QStringLiteral("件"));
    QCOMPARE(f.pack.n2, QStringLiteral("24"));
    QCOMPARE(f.packChanged, false);
    f.name = QStringLiteral("可比克薯片");
    f.retailPrice = QStringLiteral("5.5");
    f.discontinued = QStringLiteral("是");
    f.prices = QStringList(20, QString());
    f.prices[10] = QStringLiteral("4.25");
    const GoodsEditor::SaveResult r = editor.ChangeGoods(f);
    QCOMPARE(r.status, GoodsEditor::SaveStatus::Saved);
    QCOMPARE(s.prompter().shown.first().text, QStringLiteral("确实要修改吗？"));
    QCOMPARE(s.prompter().shown.first().title, QStringLiteral("记录修改"));
    const Row row = s.db().query(QStringLiteral("select * from 商品 where 编码='B01001'")).first();
    QCOMPARE(row.value(QStringLiteral("品名")).toString(), QStringLiteral("可比克薯片"));
    QCOMPARE(row.value(QStringLiteral("单位")).toString(), QStringLiteral("包*24"));
    QCOMPARE(row.value(QStringLiteral("柜组")).toString(), QStringLiteral("1件*12袋*24包"));
    QCOMPARE(row.value(QStringLiteral("换算数")).toString(), QStringLiteral("件袋包"));
    QCOMPARE(Decimal::fromVariant(row.value(QStringLiteral("小包装"))), Decimal(288));
    QCOMPARE(Decimal::fromVariant(row.value(QStringLiteral("售价"))), *Decimal::parse(u"5.5"));
    QCOMPARE(Decimal::fromVariant(row.value(QStringLiteral("价格11"))), *Decimal::parse(u"4.25"));
    QCOMPARE(Decimal::fromVariant(row.value(QStringLiteral("价格一"))), Decimal());
    QCOMPARE(row.value(QStringLiteral("淘汰否")).toString(), QStringLiteral("是"));
    // 库存 is labelled with the first warehouse by name.
    QCOMPARE(s.db().scalar(QStringLiteral("select 货位 from 库存 where 编码='B01001'"))->toString(),
             StockTables::warehouseNames(s.db()).first());
    QVERIFY(s.db().exists(QStringLiteral("select 1 from 日志 where 操作内容=?"),
                          {QStringLiteral("修改商品资料,商品名修改为:可比克薯片")}));
}

void TestGoods::changeRecomputesTouchedUnits_data()
{
    QTest::addColumn<bool>("usedInBill");
    QTest::addColumn<QString>("spec");
    QTest::newRow("not in any bill") << false << "1箱*6瓶";
    QTest::newRow("used in a sales line") << true << "1件*12袋*24包";
}

void TestGoods::changeRecomputesTouchedUnits()
{
    QFETCH(bool, usedInBill);
    QFETCH(QString, spec);
    TestSession s;
    addWarehouse(s.db(), QStringLiteral("一号库"));
    s.db().exec(
        QStringLiteral("insert into 商品(编码,条码,品名,单位,柜组,换算数,小包装,大包装,备注,淘汰否) "
                       "values('B01001','KBK','可比克','包*24','1件*12袋*24包','件袋包',288,'件','','否')"));
    if (usedInBill)
        s.db().exec(
            QStringLiteral("insert into 销售子(单号,编码,品名,数量) values('X1','B01001','可比克',5)"));
    GoodsEditor editor(s.session());
    QVERIFY(editor.startChange(QStringLiteral("B01001")));
    QCOMPARE(editor.unitsLocked(), usedInBill);
    GoodsForm f = editor.stored();
    f.pack = PackSpec{QStringLiteral("箱"), QStringLiteral("瓶"), PackSpec::noUnit(), QStringLiteral("6"),
                      QString()};
    f.packChanged = true;
    QCOMPARE(editor.ChangeGoods(f).status, GoodsEditor::SaveStatus::Saved);
    QCOMPARE(s.db().scalar(QStringLiteral("select 柜组 from 商品 where 编码='B01001'"))->toString(), spec);
    QCOMPARE(
        Decimal::fromVariant(*s.db().scalar(QStringLiteral("select 小包装 from 商品 where 编码='B01001'"))),
        Decimal(usedInBill ? 288 : 6));
}

void TestGoods::purchasePriceByRight()
{
    TestSession s;
    addWarehouse(s.db(), QStringLiteral("一号库"));
    insertGoods(s.db(), QStringLiteral("B02001"), QStringLiteral("旧商品"));
    loginAs(s, {QStringLiteral("增加管理商品")});
    GoodsList list(s.session());
    GoodsEditor editor(s.session());
    QVERIFY(!list.canSeePurchasePrice());
    QVERIFY(!editor.canSeePurchasePrice());

    // The hidden box cannot carry a purchase price in, nor change a stored one.
    editor.startAdd();
    GoodsForm f = goodsForm(QStringLiteral("01"), QStringLiteral("1"));
    f.purchasePrice = QStringLiteral("9.9");
    QCOMPARE(editor.AddGoods(f).status, GoodsEditor::SaveStatus::Saved);
    QVERIFY(Decimal::fromVariant(*s.db().scalar(QStringLiteral("select 进价 from 商品 where 编码='B01001'")))
                .isZero());
    QVERIFY(editor.startChange(QStringLiteral("B02001")));
    GoodsForm g = editor.stored();
    g.purchasePrice = QStringLiteral("7");
    QCOMPARE(editor.ChangeGoods(g).status, GoodsEditor::SaveStatus::Saved);
    QCOMPARE(
        Decimal::fromVariant(*s.db().scalar(QStringLiteral("select 进价 from 商品 where 编码='B02001'"))),
        Decimal(1));

    s.db().exec(QStringLiteral("update 权限密码 set 可查看商品进价=1 where 工号='101'"));
    QVERIFY(list.canSeePurchasePrice());
    QVERIFY(editor.startChange(QStringLiteral("B02001")));
    g = editor.stored();
    g.purchasePrice = QStringLiteral("7");
    QCOMPARE(editor.ChangeGoods(g).status, GoodsEditor::SaveStatus::Saved);
    QCOMPARE(
        Decimal::fromVariant(*s.db().scalar(QStringLiteral("select 进价 from 商品 where 编码='B02001'"))),
        Decimal(7));
}

void TestGoods::rightsRefused()
{
    TestSession s;
    addWarehouse(s.db(), QStringLiteral("一号库"));
    insertGoods(s.db(), QStringLiteral("B02001"), QStringLiteral("旧商品"));
    loginAs(s, {});
    GoodsEditor editor(s.session());
    editor.startAdd();
    QCOMPARE(editor.AddGoods(goodsForm(QStringLiteral("01"), QStringLiteral("1"))).status,
             GoodsEditor::SaveStatus::Refused);
    QCOMPARE(s.prompter().last(), noRightText());
    GoodsList list(s.session());
    QVERIFY(!list.DeleteGoods(QStringLiteral("B02001"), QStringLiteral("旧商品")));
    QCOMPARE(s.prompter().last(), noRightText());
    QVERIFY(!list.PrintGoods());
    QCOMPARE(s.prompter().last(), noRightText());
    QVERIFY(!editor.mayOpenUnits());
    QVERIFY(!editor.mayOpenWarehouses());
    QCOMPARE(s.db().countRows(QStringLiteral("商品")), 1);
}

void TestGoods::deleteRemovesStockRows()
{
    TestSession s;
    addWarehouse(s.db(), QStringLiteral("一号库"));
    addWarehouse(s.db(), QStringLiteral("二号库"));
    GoodsEditor editor(s.session());
    editor.startAdd();
    QCOMPARE(editor.AddGoods(goodsForm(QStringLiteral("01"), QStringLiteral("1"))).status,
             GoodsEditor::SaveStatus::Saved);
    QCOMPARE(
        editor.AddGoods(goodsForm(QStringLiteral("01"), QStringLiteral("2"), QStringLiteral("乐事"))).status,
        GoodsEditor::SaveStatus::Saved);
    s.db().exec(QStringLiteral("insert into 期初库存表(编码,期初库存,期初金额) values('B01001',3,6)"));
    s.prompter().clear();

    GoodsList list(s.session());
    s.prompter().answers = {false};
    QVERIFY(!list.DeleteGoods(QStringLiteral("B01001"), QStringLiteral("可比克")));
    QCOMPARE(s.db().countRows(QStringLiteral("商品")), 2);

    QVERIFY(list.DeleteGoods(QStringLiteral("B01001"), QStringLiteral("可比克")));
    QCOMPARE(s.prompter().shown.at(1).text, QStringLiteral("确实要删除当前选择的商品吗"));
    QCOMPARE(s.prompter().shown.at(1).title, QStringLiteral("商品删除"));
    QCOMPARE(s.prompter().last(), QStringLiteral("删除成功！"));
    for (const QString& t :
         {QStringLiteral("商品"), QStringLiteral("库存"), QStringLiteral("库存2"), QStringLiteral("一号库"),
          QStringLiteral("二号库"), QStringLiteral("期初库存表")})
        QCOMPARE(rowsOf(s.db(), t, QStringLiteral("B01001")), 0);
    for (const QString& t : {QStringLiteral("商品"), QStringLiteral("库存"), QStringLiteral("库存2"),
                             QStringLiteral("一号库"), QStringLiteral("二号库")})
        QCOMPARE(rowsOf(s.db(), t, QStringLiteral("B01002")), 1);
    QVERIFY(s.db().exists(QStringLiteral("select 1 from 日志 where 操作内容=?"),
                          {QStringLiteral("删除商品资料,商品名为:可比克")}));
}

void TestGoods::filtersStayLiteral_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("percent") << "name"
                             << "%" << QStringList{"50%折扣"};
    QTest::newRow("quote") << "name"
                           << "'" << QStringList{"O'Brien"};
    QTest::newRow("underscore") << "name"
                                << "_" << QStringList{"A_B"};
    QTest::newRow("letter case ignored") << "name"
                                         << "o'b" << QStringList{"O'Brien"};
    QTest::newRow("part of a name") << "name"
                                    << "折扣" << QStringList{"50%折扣", "5折扣"};
    QTest::newRow("all boxes empty") << "name"
                                     << "" << QStringList{"50%折扣", "5折扣", "A_B", "AxB", "O'Brien"};
    QTest::newRow("barcode") << "barcode"
                             << "%9" << QStringList{"A_B"};
    QTest::newRow("code") << "code"
                          << "B0100" << QStringList{"50%折扣", "5折扣", "A_B", "AxB", "O'Brien"};
}

void TestGoods::filtersStayLiteral()
{
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(QStringList, names);
    TestSession s;
    insertGoods(s.db(), QStringLiteral("B01001"), QStringLiteral("50%折扣"), QStringLiteral("1239"));
    insertGoods(s.db(), QStringLiteral("B01002"), QStringLiteral("5折扣"));
    insertGoods(s.db(), QStringLiteral("B01003"), QStringLiteral("O'Brien"));
    insertGoods(s.db(), QStringLiteral("B01004"), QStringLiteral("A_B"), QStringLiteral("45%9"));
    insertGoods(s.db(), QStringLiteral("B01005"), QStringLiteral("AxB"), QStringLiteral("4519"));
    GoodsQuery q;
    if (box == QLatin1String("name"))
        q.name = text;
    else if (box == QLatin1String("barcode"))
        q.barcode = text;
    else
        q.code = text;
    GoodsList list(s.session());
    QStringList got;
    for (const Row& r : list.ListGoodsByQuery(q))
        got.append(r.value(QStringLiteral("品名")).toString());
    got.sort();
    names.sort();
    QCOMPARE(got, names);
    // The print follows the list's filter.
    s.prompter().answers = {false};
    const std::optional<GoodsList::PrintJob> job = list.PrintGoods();
    QCOMPARE(job.has_value(), !names.isEmpty());
    if (job)
        QCOMPARE(job->rows.size(), names.size());
}

void TestGoods::categoryFilter_data()
{
    QTest::addColumn<QString>("category");
    QTest::addColumn<QStringList>("codes");
    QTest::newRow("root") << "0" << QStringList{"0100KBK", "B01001", "B01011", "B02001"};
    QTest::newRow("category with sub-categories") << "01" << QStringList{"0100KBK", "B01001", "B01011"};
    QTest::newRow("sub-category") << "0101" << QStringList{"B01011"};
    QTest::newRow("other category") << "02" << QStringList{"B02001"};
    QTest::newRow("wildcard in a code stays literal") << "0_" << QStringList{};
}

void TestGoods::categoryFilter()
{
    QFETCH(QString, category);
    QFETCH(QStringList, codes);
    TestSession s;
    // 0100KBK is the code an import gives a goods item of category 01.
    for (const QString& c : {QStringLiteral("B01001"), QStringLiteral("B01011"), QStringLiteral("B02001"),
                             QStringLiteral("0100KBK")})
        insertGoods(s.db(), c, c);
    GoodsList list(s.session());
    QStringList got;
    for (const Row& r : list.ListGoodsInCategory(category))
        got.append(r.value(QStringLiteral("编码")).toString());
    got.sort();
    QCOMPARE(got, codes);
}

void TestGoods::selectionEntries()
{
    const GoodsSelectionEntry e = GoodsList::selectionEntry(
        QStringLiteral("B01001"), QStringLiteral("包*24"), QVariant(QStringLiteral("2.500000")),
        QStringLiteral("可比克"), QStringLiteral("一号库"));
    QCOMPARE(e.toText(), QStringLiteral("$11#B01001$22#包$33#1$55#一号库$66#$77#1$88#2.5$99#可比克$00#"));
    QCOMPARE(GoodsSelectionEntry::fromText(e.toText()), std::optional<GoodsSelectionEntry>(e));
    QVERIFY(!GoodsSelectionEntry::fromText(QStringLiteral("$11#B01001$33#1$00#")));

    GoodsSelectionList list;
    list.add(e);
    GoodsSelectionEntry other = e;
    other.code = QStringLiteral("B01002");
    list.add(other);
    GoodsSelectionEntry again = e;
    again.price = QStringLiteral("3");
    list.add(again);
    QCOMPARE(list.size(), 2);
    QCOMPARE(list.at(0).price, QStringLiteral("3"));
    QVERIFY(list.remove(QStringLiteral("B01001")));
    QVERIFY(!list.remove(QStringLiteral("B01001")));
    QCOMPARE(list.texts(), QStringList{other.toText()});
}

void TestGoods::printChoosesTemplate_data()
{
    QTest::addColumn<bool>("seesPrice");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("asked");
    QTest::newRow("with the price") << true << true << "zcfrf\\proceduct.frf" << true;
    QTest::newRow("price declined") << true << false << "zcfrf\\proceduct1.frf" << true;
    QTest::newRow("price not to be seen") << false << true << "zcfrf\\proceduct1.frf" << false;
}

void TestGoods::printChoosesTemplate()
{
    QFETCH(bool, seesPrice);
    QFETCH(bool, answer);
    QFETCH(QString, file);
    QFETCH(bool, asked);
    TestSession s;
    QStringList rights{QStringLiteral("打印商品资料")};
    if (seesPrice)
        rights.append(QStringLiteral("可查看商品进价"));
    loginAs(s, rights);
    GoodsList list(s.session());
    list.ListGoods();
    QVERIFY(!list.PrintGoods());
    QCOMPARE(s.prompter().last(), QStringLiteral("当前没有资料可打印!"));
    insertGoods(s.db(), QStringLiteral("B01001"), QStringLiteral("可比克"));
    s.prompter().clear();
    s.prompter().answers = {answer};
    const std::optional<GoodsList::PrintJob> job = list.PrintGoods();
    QVERIFY(job);
    QCOMPARE(job->templateFile, file);
    QCOMPARE(job->rows.size(), 1);
    QCOMPARE(!s.prompter().shown.isEmpty() && s.prompter().shown.last().question, asked);
    if (asked)
        QCOMPARE(s.prompter().shown.last().title, QStringLiteral("商品打印"));
    QCOMPARE(
        s.db()
            .scalar(QStringLiteral("select count(*) from 日志 where 操作内容='打印商品资料' and 性质='一般'"))
            ->toInt(),
        2);
}

void TestGoods::shippedTemplatesPrintRows_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("withPrice");
    QTest::newRow("proceduct") << "proceduct.frf" << true;
    QTest::newRow("proceduct1") << "proceduct1.frf" << false;
}

void TestGoods::shippedTemplatesPrintRows()
{
    QFETCH(QString, file);
    QFETCH(bool, withPrice);
    const QString path = QFINDTESTDATA(QStringLiteral("../../templates/zcfrf/") + file);
    QVERIFY2(!path.isEmpty(), qPrintable(file));
    TestSession s;
    insertGoods(s.db(), QStringLiteral("B01001"), QStringLiteral("可比克"), QStringLiteral("690123"));
    s.db().exec(QStringLiteral("update 商品 set 批价=1.5, 进价=1.25 where 编码='B01001'"));
    GoodsList list(s.session());
    list.ListGoods();
    s.prompter().answers = {withPrice};
    const std::optional<GoodsList::PrintJob> job = list.PrintGoods();
    QVERIFY(job);
    QVERIFY(job->templateFile.endsWith(file));
    Report report;
    QVERIFY(report.loadFile(path));
    report.setDataSet(job->rows);
    const QList<ReportPage> pages = report.layout();
    QCOMPARE(pages.size(), 1);
    const QStringList texts = pages.first().texts();
    QVERIFY2(texts.contains(QStringLiteral("可比克")), qPrintable(texts.join(u'|')));
    QVERIFY(texts.contains(QStringLiteral("690123")));
    QVERIFY(texts.contains(QStringLiteral("1.50")));
    QCOMPARE(texts.contains(QStringLiteral("1.25")), withPrice);
    QCOMPARE(texts.contains(QStringLiteral("进价")), withPrice);
}

MZT_TEST_MAIN(TestGoods)
#include "tst_goods.moc"
