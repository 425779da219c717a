#include "testdb.h"

#include "customers.h"
#include "report.h"

#include <QDir>
#include <QFileInfo>

using namespace mzt;

namespace {

// "编码|公司名|电话一|性质" rows.
void addCustomers(Database& db, const QStringList& rows)
{
    for (const QString& r : rows) {
        QStringList p = r.split(QLatin1Char('|'));
        while (p.size() < 4)
            p << QStringLiteral("售价");
        db.exec(
            QStringLiteral("insert into 客户(编码,公司名,电话一,性质,联系人,结账方式) values(?,?,?,?,'','')"),
            {p.at(0), p.at(1), p.at(2), p.at(3)});
    }
}

QStringList customerRows(Database& db)
{
    QStringList out;
    for (const Row& r : db.query(QStringLiteral("select 编码,公司名,电话一 from 客户 order by ID")))
        out << r.value(0).toString() + QLatin1Char('|') + r.value(1).toString() + QLatin1Char('|') +
                   r.value(2).toString();
    return out;
}

FieldValues valuesOf(const Row& r)
{
    FieldValues v;
    for (int i = 0; i < r.count(); ++i)
        v.insert(r.fieldName(i), r.value(i).toString());
    return v;
}

QStringList codesOf(const Rows& rows)
{
    QStringList out;
    for (const Row& r : rows)
        out << r.value(QStringLiteral("编码")).toString();
    return out;
}

QStringList logTexts(Database& db)
{
    return db.column(QStringLiteral("select 性质 || ':' || 操作内容 from 日志"));
}

FieldValues boxes(const QString& code, const QString& name, const QString& address, const QString& priceClass)
{
    FieldValues v;
    for (const QString& f : customerListConfig().fields())
        v.insert(f, QString());
    v.insert(QStringLiteral("编码"), code);
    v.insert(QStringLiteral("公司名"), name);
    v.insert(QStringLiteral("电话一"), address);
    v.insert(QStringLiteral("性质"), priceClass);
    return v;
}

void revoke(Database& db, const QString& right)
{
    db.exec(QStringLiteral("update 权限密码 set ") + quoteIdentifier(right) +
            QStringLiteral("='0' where 工号='888'"));
}

const QString askInsert = QStringLiteral("是否保存此客户？");
const QString askUpdate =
    QStringLiteral("此客户编码已经存在,你是否要修改此编码的客户资料呢?如果不要，请你重新输入其它的客户编码!");

} // namespace

Q_DECLARE_METATYPE(mzt::SaveResult)

class TestCustomers final : public QObject
{
    Q_OBJECT
private slots:
    void save_data()
    {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("editedRow"); // "code|name" of the row clicked; empty for a new customer
        QTest::addColumn<QStringList>("typed"); // code, name, address, price class
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<SaveResult>("result");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<QStringList>("logs");

        const QStringList none;
        QTest::newRow("new customer inserted after Yes")
            << none << "" << QStringList{" K01 ", " 张三商店 ", "北京路1号", "售价"} << QList<bool>{true}
            << SaveResult::Inserted << QStringList{"K01|张三商店|北京路1号"} << QStringList{askInsert}
            << QStringList{"重要:新增加客户信息资料,新增加的客户名是:张三商店"};
        QTest::newRow("No writes nothing")
            << none << "" << QStringList{"K01", "张三商店", "", "售价"} << QList<bool>{false}
            << SaveResult::Cancelled << none << QStringList{askInsert} << none;
        QTest::newRow("code under another name makes a second customer")
            << QStringList{"K01|张三商店|旧址"} << "" << QStringList{"K01", "李四商行", "新址", "批价"}
            << QList<bool>{true} << SaveResult::Inserted
            << QStringList{"K01|张三商店|旧址", "K01|李四商行|新址"} << QStringList{askInsert}
            << QStringList{"重要:新增加客户信息资料,新增加的客户名是:李四商行"};
        QTest::newRow("new with an existing code and name offers the change")
            << QStringList{"K01|张三商店|旧址"} << "" << QStringList{"K01", "张三商店", "新址", "售价"}
            << QList<bool>{true} << SaveResult::Updated << QStringList{"K01|张三商店|新址"}
            << QStringList{askUpdate} << QStringList{"重要:修改客户信息资料,修改后的客户名是:张三商店"};
        QTest::newRow("rename matches the code and the old name")
            << QStringList{"K01|张三商店|旧址", "K01|李四商行|别处"} << "K01|张三商店"
            << QStringList{"K01", "张三百货", "旧址", "售价"} << QList<bool>{true} << SaveResult::Updated
            << QStringList{"K01|张三百货|旧址", "K01|李四商行|别处"} << QStringList{askUpdate}
            << QStringList{"重要:修改客户信息资料,修改后的客户名是:张三百货"};
        QTest::newRow("change answered No keeps the row")
            << QStringList{"K01|张三商店|旧址"} << "K01|张三商店"
            << QStringList{"K01", "张三百货", "新址", "售价"} << QList<bool>{false} << SaveResult::Cancelled
            << QStringList{"K01|张三商店|旧址"} << QStringList{askUpdate} << none;
        QTest::newRow("a changed code is a new customer")
            << QStringList{"K01|张三商店|旧址"} << "K01|张三商店"
            << QStringList{"K02", "张三商店", "旧址", "售价"} << QList<bool>{true} << SaveResult::Inserted
            << QStringList{"K01|张三商店|旧址", "K02|张三商店|旧址"} << QStringList{askInsert}
            << QStringList{"重要:新增加客户信息资料,新增加的客户名是:张三商店"};
        QTest::newRow("quotes and percent stay literal")
            << none << "" << QStringList{"K'1", "O'Neil 100%", "50% 'off'", "售价"} << QList<bool>{true}
            << SaveResult::Inserted << QStringList{"K'1|O'Neil 100%|50% 'off'"} << QStringList{askInsert}
            << QStringList{"重要:新增加客户信息资料,新增加的客户名是:O'Neil 100%"};
        for (const auto& [what, typed] : {std::pair{"code", QStringList{" ", "张三商店", "", "售价"}},
                                          std::pair{"name", QStringList{"K01", "", "", "售价"}},
                                          std::pair{"price class", QStringList{"K01", "张三商店", "", ""}}}) {
            QTest::addRow("empty %s refused", what)
                << none << "" << typed << QList<bool>{} << SaveResult::Refused << none << none << none;
        }
    }
    void save()
    {
        QFETCH(QStringList, existing);
        QFETCH(QString, editedRow);
        QFETCH(QStringList, typed);
        QFETCH(QList<bool>, answers);
        QFETCH(SaveResult, result);
        QFETCH(QStringList, rows);
        QFETCH(QStringList, questions);
        QFETCH(QStringList, logs);

        test::TestSession s;
        addCustomers(s.db(), existing);
        CustomerList logic(s.session());
        std::optional<FieldValues> edited;
        if (!editedRow.isEmpty()) {
            const QStringList p = editedRow.split(QLatin1Char('|'));
            edited = FieldValues{{QStringLiteral("编码"), p.at(0)}, {QStringLiteral("公司名"), p.at(1)}};
        }
        s.prompter().answers = answers;
        QCOMPARE(logic.SaveCustomer(boxes(typed.at(0), typed.at(1), typed.at(2), typed.at(3)), edited),
                 result);
        QCOMPARE(customerRows(s.db()), rows);
        QCOMPARE(logTexts(s.db()), logs);

        QStringList asked;
        for (const auto& shown : s.prompter().shown) {
            if (shown.question) {
                asked << shown.text;
                QCOMPARE(shown.title,
                         shown.text == askInsert ? QStringLiteral("系统提示") : QStringLiteral("进销存软件"));
            }
        }
        QCOMPARE(asked, questions);
        const QString expectedMessage = result == SaveResult::Inserted  ? QStringLiteral("保存成功！")
                                        : result == SaveResult::Updated ? QStringLiteral("修改成功！")
                                        : result == SaveResult::Refused
                                            ? QStringLiteral("请你确保带 [*] 的资料不为空!")
                                            : QString();
        if (!expectedMessage.isEmpty())
            QCOMPARE(s.prompter().last(), expectedMessage);
    }

    void updateKeepsTheOtherColumns()
    {
        test::TestSession s;
        CustomerList logic(s.session());
        FieldValues v = boxes(QStringLiteral("K01"), QStringLiteral("张三商店"), QStringLiteral("北京路"),
                              QStringLiteral("价格6"));
        v.insert(QStringLiteral("邮件地址"), QStringLiteral("zs@example.com"));
        v.insert(QStringLiteral("所处街区"), QStringLiteral("120.50"));
        QCOMPARE(logic.SaveCustomer(v, std::nullopt), SaveResult::Inserted);
        s.db().exec(QStringLiteral("update 客户 set 应收款='88' where 编码='K01'"));
        v.insert(QStringLiteral("公司名"), QStringLiteral("张三百货"));
        v.insert(QStringLiteral("负责人"), QStringLiteral("0571-1234"));
        QCOMPARE(logic.SaveCustomer(v, FieldValues{{QStringLiteral("编码"), QStringLiteral("K01")},
                                                   {QStringLiteral("公司名"), QStringLiteral("张三商店")}}),
                 SaveResult::Updated);
        const Rows r = s.db().query(QStringLiteral("select * from 客户"));
        QCOMPARE(r.size(), 1);
        QCOMPARE(r.at(0).value(QStringLiteral("公司名")).toString(), QStringLiteral("张三百货"));
        QCOMPARE(r.at(0).value(QStringLiteral("负责人")).toString(), QStringLiteral("0571-1234"));
        QCOMPARE(r.at(0).value(QStringLiteral("性质")).toString(), QStringLiteral("价格6"));
        QCOMPARE(r.at(0).value(QStringLiteral("所处街区")).toString(), QStringLiteral("120.50"));
        // Columns the window does not show are left alone.
        QCOMPARE(r.at(0).value(QStringLiteral("应收款")).toString(), QStringLiteral("88"));
    }

    void filter_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("codes");
        QTest::newRow("every box empty lists every customer")
            << "编码"
            << "  " << QStringList{"K01", "K02", "K03", "K04", "K05", "K06"};
        QTest::newRow("name fragment") << "公司名"
                                       << "商" << QStringList{"K01", "K02"};
        QTest::newRow("single quote is literal") << "公司名"
                                                 << "'S" << QStringList{"K02"};
        QTest::newRow("percent is literal") << "电话一"
                                            << "50%" << QStringList{"K03"};
        QTest::newRow("underscore is literal") << "公司名"
                                               << "a_c" << QStringList{"K04"};
        QTest::newRow("letter case is ignored") << "公司名"
                                                << "A_C" << QStringList{"K04"};
        QTest::newRow("price class") << "性质"
                                     << "批价" << QStringList{"K02", "K03"};
        QTest::newRow("no match") << "编码"
                                  << "Z" << QStringList{};
    }
    void filter()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QStringList, codes);
        test::TestSession s;
        addCustomers(s.db(),
                     {"K01|张三商店|北京路|售价", "K02|李四'S 商行|上海路|批价", "K03|王五|50% 折扣街|批价",
                      "K04|a_c|西湖路|售价", "K05||无名|售价", "K06|abc|东路|售价"});
        CustomerList logic(s.session());
        FieldValues v = boxes({}, {}, {}, {});
        v.insert(field, text);
        QCOMPARE(codesOf(logic.FilterCustomers(v)), codes);
        QCOMPARE(codesOf(logic.open()), (QStringList{"K01", "K02", "K03", "K04", "K06"}));
    }
    void filterCombinesBoxes()
    {
        test::TestSession s;
        addCustomers(s.db(), {"K01|张三商店|北京路|售价", "K02|张三商行|上海路|批价"});
        CustomerList logic(s.session());
        QCOMPARE(
            codesOf(logic.FilterCustomers(boxes({}, QStringLiteral("张三"), QStringLiteral("上海"), {}))),
            QStringList{"K02"});
    }

    void remove_data()
    {
        QTest::addColumn<bool>("customer");
        QTest::addColumn<bool>("prices");
        QTest::addColumn<bool>("sales");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QList<int>>("counts"); // 客户, 客户售价, 销售主, 销售子 afterwards
        QTest::addColumn<QStringList>("logs");
        QTest::addColumn<QStringList>("messages");
        const QString ask = QStringLiteral("确定删除此客户？");
        QTest::newRow("only the last prices keeps customer and bills")
            << false << true << false << true << QList<int>{3, 1, 2, 3}
            << QStringList{"重要:删除客户最近所有销售商品的历史售价,删除的客户名为: 张三商店"}
            << QStringList{ask, "删除成功！"};
        QTest::newRow("only the customer row")
            << true << false << false << true << QList<int>{2, 3, 2, 3}
            << QStringList{"重要:删除客户资料,删除的客户名为: 张三商店"} << QStringList{ask, "删除成功！"};
        QTest::newRow("everything, in order")
            << true << true << true << true << QList<int>{2, 1, 1, 1}
            << QStringList{"重要:删除客户资料,删除的客户名为: 张三商店",
                           "重要:删除客户最近所有销售商品的历史售价,删除的客户名为: 张三商店",
                           "重要:删除客户所有的销售记录,删除的客户名为: 张三商店"}
            << QStringList{ask, "删除成功！"};
        QTest::newRow("nothing ticked") << false << false << false << true << QList<int>{3, 3, 2, 3}
                                        << QStringList{} << QStringList{"请选择要删除的项目!"};
        QTest::newRow("No deletes nothing")
            << true << true << true << false << QList<int>{3, 3, 2, 3} << QStringList{} << QStringList{ask};
    }
    void remove()
    {
        QFETCH(bool, customer);
        QFETCH(bool, prices);
        QFETCH(bool, sales);
        QFETCH(bool, answer);
        QFETCH(QList<int>, counts);
        QFETCH(QStringList, logs);
        QFETCH(QStringList, messages);

        test::TestSession s;
        Database& db = s.db();
        addCustomers(db, {"K01|张三商店|北京路", "K01|张三分店|南京路", "K09|李四商行|上海路"});
        for (const char* c : {"K01", "K01", "K09"})
            db.exec(QStringLiteral("insert into 客户售价(客户编码,商品编码) values(?, 'G1')"),
                    {QString::fromLatin1(c)});
        db.exec(QStringLiteral("insert into 销售主(单号,客户编码,客户名称) "
                               "values('X1','K01','张三商店'),('X2','K09','李四商行')"));
        db.exec(QStringLiteral("insert into 销售子(单号,编码,客户编码) "
                               "values('X1','G1','K01'),('X1','G2','K01'),('X2','G1','K09')"));

        CustomerList logic(s.session());
        s.prompter().answers = {answer};
        logic.DeleteCustomerData(QStringLiteral(" K01 "), QStringLiteral("张三商店 "),
                                 {customer, prices, sales});
        QList<int> now;
        for (const char* t : {"客户", "客户售价", "销售主", "销售子"})
            now << int(db.countRows(QString::fromUtf8(t)));
        QCOMPARE(now, counts);
        QCOMPARE(logTexts(db), logs);
        QCOMPARE(s.prompter().texts(), messages);
        if (customer && answer)
            QCOMPARE(codesOf(logic.open()), (QStringList{"K01", "K09"}));
    }

    void sort_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("direction");
        QTest::addColumn<QStringList>("codes");
        QTest::newRow("empty means name ascending") << ""
                                                    << "" << QStringList{"B", "C", "A"};
        QTest::newRow("code descending") << "编码"
                                         << "降序" << QStringList{"C", "B", "A"};
        QTest::newRow("screen name of the address") << "电话和送货地址"
                                                    << "升序" << QStringList{"A", "C", "B"};
        QTest::newRow("unknown field falls back to the name") << "ID; drop table 客户"
                                                              << "降序" << QStringList{"A", "C", "B"};
    }
    void sort()
    {
        QFETCH(QString, field);
        QFETCH(QString, direction);
        QFETCH(QStringList, codes);
        test::TestSession s;
        addCustomers(s.db(), {"A|c-name|1", "B|a-name|3", "C|b-name|2", "D||0"});
        CustomerList logic(s.session());
        QCOMPARE(codesOf(logic.SortCustomers(field, direction)), codes);
    }

    void print()
    {
        test::TestSession s;
        addCustomers(s.db(), {"K01|张三商店|北京路", "K02|李四商行|上海路"});
        CustomerList logic(s.session());
        logic.FilterCustomers(boxes({}, QStringLiteral("李四"), {}, {}));
        const std::optional<Rows> rows = logic.PrintCustomers();
        QVERIFY(rows);
        QCOMPARE(rows->size(), 1);
        QCOMPARE(rows->at(0).value(QStringLiteral("公司名")).toString(), QStringLiteral("李四商行"));
        QCOMPARE(rows->at(0).count(), 7);
        QCOMPARE(logTexts(s.db()), QStringList{"一般:打印客户资料"});

        // The shipped template lays the rows out.
        const QString templates =
            QFileInfo(QStringLiteral(__FILE__)).dir().absoluteFilePath(QStringLiteral("../.."));
        Report report;
        QVERIFY(report.load(templates + QStringLiteral("/templates"), CustomerList::printTemplate()));
        report.setDataSet(*rows);
        const QList<ReportPage> pages = report.layout();
        QCOMPARE(pages.size(), 1);
        QVERIFY(pages.first().texts().contains(QStringLiteral("李四商行")));
        QVERIFY(pages.first().texts().contains(QStringLiteral("上海路")));
    }
    void printRefusedWithoutRight()
    {
        test::TestSession s;
        revoke(s.db(), CustomerList::printRight());
        CustomerList logic(s.session());
        logic.open();
        QVERIFY(!logic.PrintCustomers());
        QCOMPARE(s.prompter().texts(), QStringList{noRightText()});
        QCOMPARE(logTexts(s.db()), QStringList{});
    }

    void browse_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("phone");
        QTest::addColumn<int>("priceClass");
        QTest::addColumn<QStringList>("codes");
        QTest::newRow("all") << ""
                             << ""
                             << "" << int(PriceClassFilter::All) << QStringList{"K01", "K02", "K03", "K04"};
        QTest::newRow("retail") << ""
                                << ""
                                << "" << int(PriceClassFilter::Retail) << QStringList{"K01", "K04"};
        QTest::newRow("trade with name") << ""
                                         << "商"
                                         << "" << int(PriceClassFilter::Trade) << QStringList{"K02"};
        QTest::newRow("code and phone") << "k0"
                                        << ""
                                        << "路" << int(PriceClassFilter::All) << QStringList{"K01", "K02"};
        QTest::newRow("quote literal") << ""
                                       << "'"
                                       << "" << int(PriceClassFilter::All) << QStringList{"K02"};
        QTest::newRow("percent literal") << ""
                                         << ""
                                         << "%" << int(PriceClassFilter::All) << QStringList{"K03"};
    }
    void browse()
    {
        QFETCH(QString, code);
        QFETCH(QString, name);
        QFETCH(QString, phone);
        QFETCH(int, priceClass);
        QFETCH(QStringList, codes);
        test::TestSession s;
        addCustomers(s.db(), {"K01|张三商店|北京路|售价", "K02|李四'商行|上海路|批价", "K03|王五|50%街|批价",
                              "K04||空名|售价"});
        CustomerBrowse browse(s.session());
        QCOMPARE(codesOf(browse.open()), (QStringList{"K01", "K02", "K03", "K04"}));
        QCOMPARE(codesOf(browse.BrowseCustomers(code, name, phone, PriceClassFilter(priceClass))), codes);
    }
    void browsePick()
    {
        test::TestSession s;
        addCustomers(s.db(), {"K01|张三商店|北京路|批价"});
        s.db().exec(QStringLiteral("update 客户 set 应收款='12.5', 联系人='张三'"));
        CustomerBrowse browse(s.session());
        const Rows rows = browse.open();
        const std::optional<CustomerChoice> c = browse.pick(valuesOf(rows.value(0)));
        QVERIFY(c);
        QCOMPARE(c->code, QStringLiteral("K01"));
        QCOMPARE(c->name, QStringLiteral("张三商店"));
        QCOMPARE(c->priceClass, QStringLiteral("批价"));
        QCOMPARE(c->account, QStringLiteral("现金"));
        QCOMPARE(c->contact, QStringLiteral("张三"));
        QCOMPARE(c->receivable, QStringLiteral("12.5"));
        QVERIFY(s.prompter().shown.isEmpty());

        QVERIFY(!browse.pick(std::nullopt));
        QCOMPARE(s.prompter().texts(), QStringList{"对不起当前无客户资料!"});
    }
    void browseAddNeedsRight()
    {
        test::TestSession s;
        CustomerBrowse browse(s.session());
        QVERIFY(browse.mayAddCustomer());
        revoke(s.db(), CustomerList::windowRight());
        QVERIFY(!browse.mayAddCustomer());
        QCOMPARE(s.prompter().texts(), QStringList{noRightText()});
    }

    void lookup()
    {
        test::TestSession s;
        addCustomers(s.db(),
                     {"ZS01|张三商店|北京路|批价", "LS02|李四%商行|上海路|售价", "W03|王五 zs|西路|售价"});
        s.db().exec(QStringLiteral("update 客户 set 结账方式='月结' where 编码='ZS01'"));
        CustomerLookup lookup(s.db());
        QCOMPARE(codesOf(lookup.FindCustomers(QStringLiteral(" zs "))), (QStringList{"ZS01", "W03"}));
        QCOMPARE(codesOf(lookup.FindCustomers(QStringLiteral("%"))), QStringList{"LS02"});
        QCOMPARE(codesOf(lookup.FindCustomers(QStringLiteral("'"))), QStringList{});
        QCOMPARE(codesOf(lookup.FindCustomersByCode(QStringLiteral("ZS0"))), QStringList{});
        const Rows byCode = lookup.FindCustomersByCode(QStringLiteral("ZS01 "));
        QCOMPARE(byCode.size(), 1);
        const CustomerChoice c = CustomerChoice::fromRow(byCode.first());
        QCOMPARE(c.priceClass, QStringLiteral("批价"));
        QCOMPARE(c.account, QStringLiteral("月结"));
    }
};

MZT_TEST_MAIN(TestCustomers)
#include "tst_customers.moc"
