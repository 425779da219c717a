#include "testdb.h"

#include "suppliers.h"

using namespace mzt;

namespace {

// "编码|公司名|联系人|电话一" rows.
void addSuppliers(Database& db, const QStringList& rows)
{
    for (const QString& r : rows) {
        QStringList p = r.split(QLatin1Char('|'));
        while (p.size() < 4)
            p << QString();
        db.exec(QStringLiteral("insert into 供应商(编码,公司名,联系人,电话一,电话二) values(?,?,?,?,'')"),
                {p.at(0), p.at(1), p.at(2), p.at(3)});
    }
}

QStringList supplierRows(Database& db)
{
    QStringList out;
    for (const Row& r : db.query(QStringLiteral("select 编码,公司名,联系人 from 供应商 order by ID")))
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

FieldValues boxes(const QString& code, const QString& name, const QString& contact)
{
    FieldValues v;
    for (const QString& f : supplierListConfig().fields())
        v.insert(f, QString());
    v.insert(QStringLiteral("编码"), code);
    v.insert(QStringLiteral("公司名"), name);
    v.insert(QStringLiteral("联系人"), contact);
    return v;
}

FieldValues row(const QString& code, const QString& name)
{
    return {{QStringLiteral("编码"), code}, {QStringLiteral("公司名"), name}};
}

} // namespace

Q_DECLARE_METATYPE(mzt::SaveResult)
Q_DECLARE_METATYPE(mzt::DeleteResult)

class TestSuppliers final : public QObject
{
    Q_OBJECT
private slots:
    void save_data()
    {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("editedRow"); // "code|name" of the row clicked; empty for a new supplier
        QTest::addColumn<QStringList>("typed"); // code, name, contact
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<SaveResult>("result");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("questions");
        QTest::addColumn<QStringList>("logs");
        QTest::addColumn<QString>("message");

        const QStringList none;
        QTest::newRow("empty list inserts after Yes")
            << none << "" << QStringList{" G01 ", " 华联批发 ", "王工"} << QList<bool>{true}
            << SaveResult::Inserted << QStringList{"G01|华联批发|王工"} << 1
            << QStringList{"重要:新增加供应商资料,新增的供应商名称是：华联批发"} << "保存成功！";
        QTest::newRow("No writes nothing")
            << none << "" << QStringList{"G01", "华联批发", ""} << QList<bool>{false} << SaveResult::Cancelled
            << none << 1 << none << "是否保存此客户？";
        QTest::newRow("code under another name makes a second supplier")
            << QStringList{"G01|华联批发|王工"} << "" << QStringList{"G01", "联华超市", "李工"}
            << QList<bool>{true} << SaveResult::Inserted
            << QStringList{"G01|华联批发|王工", "G01|联华超市|李工"} << 1
            << QStringList{"重要:新增加供应商资料,新增的供应商名称是：联华超市"} << "保存成功！";
        QTest::newRow("another row selected does not take the change")
            << QStringList{"G01|华联批发|王工", "G02|联华超市|李工"} << "G02|联华超市"
            << QStringList{"G01", "华联商厦", "赵工"} << QList<bool>{true} << SaveResult::Inserted
            << QStringList{"G01|华联批发|王工", "G02|联华超市|李工", "G01|华联商厦|赵工"} << 1
            << QStringList{"重要:新增加供应商资料,新增的供应商名称是：华联商厦"} << "保存成功！";
        QTest::newRow("rename updates without a question")
            << QStringList{"G01|华联批发|王工", "G01|联华超市|李工"} << "G01|华联批发"
            << QStringList{"G01", "华联商厦", "赵工"} << QList<bool>{} << SaveResult::Updated
            << QStringList{"G01|华联商厦|赵工", "G01|联华超市|李工"} << 0
            << QStringList{"重要:修改供应商资料,修改后的供应商名称是：华联商厦"} << "修改成功！";
        QTest::newRow("new with an existing code and name changes that supplier")
            << QStringList{"G01|华联批发|王工"} << "" << QStringList{"G01", "华联批发", "赵工"}
            << QList<bool>{} << SaveResult::Updated << QStringList{"G01|华联批发|赵工"} << 0
            << QStringList{"重要:修改供应商资料,修改后的供应商名称是：华联批发"} << "修改成功！";
        QTest::newRow("quotes and percent stay literal")
            << none << "" << QStringList{"G'1", "100% O'Hara", "'"} << QList<bool>{true}
            << SaveResult::Inserted << QStringList{"G'1|100% O'Hara|'"} << 1
            << QStringList{"重要:新增加供应商资料,新增的供应商名称是：100% O'Hara"} << "保存成功！";
        QTest::newRow("empty code refused")
            << none << "" << QStringList{"  ", "华联批发", ""} << QList<bool>{} << SaveResult::Refused << none
            << 0 << none << "请你确保:带[*]号的资料不为空!";
        QTest::newRow("empty name refused")
            << QStringList{"G01|华联批发|王工"} << "G01|华联批发" << QStringList{"G01", " ", ""}
            << QList<bool>{} << SaveResult::Refused << QStringList{"G01|华联批发|王工"} << 0 << none
            << "请你确保:带[*]号的资料不为空!";
    }
    void save()
    {
        QFETCH(QStringList, existing);
        QFETCH(QString, editedRow);
        QFETCH(QStringList, typed);
        QFETCH(QList<bool>, answers);
        QFETCH(SaveResult, result);
        QFETCH(QStringList, rows);
        QFETCH(int, questions);
        QFETCH(QStringList, logs);
        QFETCH(QString, message);

        test::TestSession s;
        addSuppliers(s.db(), existing);
        SupplierList logic(s.session());
        std::optional<FieldValues> edited;
        if (!editedRow.isEmpty())
            edited =
                row(editedRow.section(QLatin1Char('|'), 0, 0), editedRow.section(QLatin1Char('|'), 1, 1));
        s.prompter().answers = answers;
        QCOMPARE(logic.SaveSupplier(boxes(typed.at(0), typed.at(1), typed.at(2)), edited), result);
        QCOMPARE(supplierRows(s.db()), rows);
        QCOMPARE(logTexts(s.db()), logs);
        int asked = 0;
        for (const auto& shown : s.prompter().shown) {
            if (shown.question) {
                ++asked;
                QCOMPARE(shown.text, QStringLiteral("是否保存此客户？"));
                QCOMPARE(shown.title, QStringLiteral("系统提示"));
            }
        }
        QCOMPARE(asked, questions);
        QCOMPARE(s.prompter().last(), message);
    }

    void listOrder()
    {
        test::TestSession s;
        addSuppliers(s.db(), {"G3|c", "G1|a", "G2|b"});
        SupplierList logic(s.session());
        QCOMPARE(codesOf(logic.open()), (QStringList{"G3", "G1", "G2"}));
        QCOMPARE(codesOf(logic.inNameOrder()), (QStringList{"G1", "G2", "G3"}));
        QCOMPARE(logic.open().first().count(), 11);
    }

    void remove_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("current"); // "code|name"; empty: the list is empty
        QTest::addColumn<DeleteResult>("result");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("logs");
        QTest::addColumn<QStringList>("messages");
        const QStringList both{"G01|华联批发|王工", "G01|联华超市|李工"};
        QTest::newRow("Yes deletes the row of code and name")
            << true << " G01 | 华联批发 " << DeleteResult::Deleted << QStringList{"G01|联华超市|李工"}
            << QStringList{"重要:删除供应商资料,删除的供应商名称是：华联批发"}
            << QStringList{"是否删除当前供应商？", "删除成功！"};
        QTest::newRow("No deletes nothing") << false << "G01|华联批发" << DeleteResult::Cancelled << both
                                            << QStringList{} << QStringList{"是否删除当前供应商？"};
        QTest::newRow("nothing selected")
            << true << "" << DeleteResult::NoRow << both << QStringList{} << QStringList{};
    }
    void remove()
    {
        QFETCH(bool, answer);
        QFETCH(QString, current);
        QFETCH(DeleteResult, result);
        QFETCH(QStringList, rows);
        QFETCH(QStringList, logs);
        QFETCH(QStringList, messages);
        test::TestSession s;
        addSuppliers(s.db(), {"G01|华联批发|王工", "G01|联华超市|李工"});
        SupplierList logic(s.session());
        s.prompter().answers = {answer};
        const FieldValues cur = current.isEmpty() ? FieldValues{}
                                                  : row(current.section(QLatin1Char('|'), 0, 0),
                                                        current.section(QLatin1Char('|'), 1, 1));
        QCOMPARE(logic.DeleteSupplier(cur, boxes(QStringLiteral("G01"), QStringLiteral(" 华联批发 "), {})),
                 result);
        QCOMPARE(supplierRows(s.db()), rows);
        QCOMPARE(logTexts(s.db()), logs);
        QCOMPARE(s.prompter().texts(), messages);
        for (const auto& shown : s.prompter().shown) {
            if (shown.question)
                QCOMPARE(shown.title, QStringLiteral("删除提示"));
        }
    }

    void filter_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("codes");
        QTest::newRow("all boxes empty") << "编码"
                                         << "" << QStringList{"G1", "G2", "G3", "G4"};
        QTest::newRow("quote literal") << "公司名"
                                       << "O'H" << QStringList{"G2"};
        QTest::newRow("percent literal") << "联系人"
                                         << "%" << QStringList{"G3"};
        QTest::newRow("underscore literal") << "公司名"
                                            << "_" << QStringList{"G4"};
        QTest::newRow("case ignored") << "编码"
                                      << "g1" << QStringList{"G1"};
        QTest::newRow("contact fragment") << "联系人"
                                          << "王" << QStringList{"G1", "G3"};
    }
    void filter()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QStringList, codes);
        test::TestSession s;
        addSuppliers(s.db(), {"G1|a 批发|王工", "G2|b O'Hara|李工", "G3|c 商行|王 100%", "G4|d_x|赵工"});
        SupplierList logic(s.session());
        FieldValues v = boxes({}, {}, {});
        v.insert(field, text);
        QCOMPARE(codesOf(logic.FilterSuppliers(v)), codes);
    }

    void browse_data()
    {
        QTest::addColumn<QStringList>("fragments"); // code, name, phone, contact
        QTest::addColumn<QStringList>("codes");
        QTest::newRow("all") << QStringList{"", "", "", ""} << QStringList{"G1", "G2", "", "G4"};
        QTest::newRow("name") << QStringList{"", "批发", "", ""} << QStringList{"G1", ""};
        QTest::newRow("phone and contact") << QStringList{"", "", "0571", "王"} << QStringList{"G1"};
        QTest::newRow("percent literal") << QStringList{"", "", "%", ""} << QStringList{"G4"};
        QTest::newRow("quote literal") << QStringList{"", "'", "", ""} << QStringList{"G2"};
    }
    void browse()
    {
        QFETCH(QStringList, fragments);
        QFETCH(QStringList, codes);
        test::TestSession s;
        addSuppliers(s.db(), {"G1|华联批发|王工|0571-1", "G2|O'Hara|李工|0571-2", "|无码批发|赵工|021",
                              "G4|百分|钱工|5%"});
        SupplierBrowse browse(s.session());
        QCOMPARE(browse.open().first().count(), 5);
        QCOMPARE(codesOf(browse.BrowseSuppliers(fragments.at(0), fragments.at(1), fragments.at(2),
                                                fragments.at(3))),
                 codes);
    }
    void browsePick()
    {
        test::TestSession s;
        addSuppliers(s.db(), {"G1|华联批发|王工|0571-1", "|无码批发|赵工|021"});
        SupplierBrowse browse(s.session());
        const Rows rows = browse.open();

        const std::optional<SupplierChoice> both =
            browse.pick(valuesOf(rows.at(0)), SupplierPickMode::CodeAndName);
        QVERIFY(both);
        QCOMPARE(both->code, QStringLiteral("G1"));
        QCOMPARE(both->name, QStringLiteral("华联批发"));
        QCOMPARE(both->phone, QStringLiteral("0571-1"));

        // A row without a code gives a code-and-name caller nothing, silently.
        QVERIFY(!browse.pick(valuesOf(rows.at(1)), SupplierPickMode::CodeAndName));
        QVERIFY(s.prompter().shown.isEmpty());
        const std::optional<SupplierChoice> nameOnly =
            browse.pick(valuesOf(rows.at(1)), SupplierPickMode::NameOnly);
        QVERIFY(nameOnly);
        QCOMPARE(nameOnly->name, QStringLiteral("无码批发"));

        QVERIFY(!browse.pick(std::nullopt, SupplierPickMode::NameOnly));
        QCOMPARE(s.prompter().texts(), QStringList{"对不起当前无客户资料!"});
    }
    void browseAddNeedsRight()
    {
        test::TestSession s;
        SupplierBrowse browse(s.session());
        QVERIFY(browse.mayAddSupplier());
        s.db().exec(QStringLiteral("update 权限密码 set 供应商信息管理='0' where 工号='888'"));
        QVERIFY(!browse.mayAddSupplier());
        QCOMPARE(s.prompter().texts(), QStringList{noRightText()});
    }

    void lookup()
    {
        test::TestSession s;
        addSuppliers(s.db(), {"HL01|华联批发", "LH02|联华%超市", "X3|hl 商行"});
        SupplierLookup lookup(s.db());
        QCOMPARE(codesOf(lookup.FindSuppliers(QStringLiteral(" hl "))), (QStringList{"X3", "HL01"}));
        QCOMPARE(codesOf(lookup.FindSuppliers(QStringLiteral("%"))), QStringList{"LH02"});
        QCOMPARE(codesOf(lookup.FindSuppliers(QStringLiteral("华联"))), QStringList{"HL01"});
        QCOMPARE(lookup.FindSuppliers(QStringLiteral("华")).first().count(), 2);
    }
};

MZT_TEST_MAIN(TestSuppliers)
#include "tst_suppliers.moc"
