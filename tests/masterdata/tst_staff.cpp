#include "testdb.h"

#include "decimal.h"
#include "members.h"
#include "salespersons.h"

using namespace mzt;

namespace {

FieldValues person(const QString& code, const QString& name, const QString& phone = {})
{
    FieldValues v;
    for (const QString& f : salespersonListConfig().fields())
        v.insert(f, QString());
    v.insert(QStringLiteral("客服代号"), code);
    v.insert(QStringLiteral("业务员姓名"), name);
    v.insert(QStringLiteral("电话"), phone);
    return v;
}

FieldValues personRow(const QString& code, const QString& name)
{
    return {{QStringLiteral("客服代号"), code}, {QStringLiteral("业务员姓名"), name}};
}

QStringList persons(Database& db)
{
    QStringList out;
    for (const Row& r : db.query(QStringLiteral("select 客服代号,业务员姓名,电话 from 业务员 order by ID")))
        out << r.value(0).toString() + QLatin1Char('|') + r.value(1).toString() + QLatin1Char('|') +
                   r.value(2).toString();
    return out;
}

FieldValues member(const QString& key, const QString& name, const QString& card = QStringLiteral("C1"),
                   const QString& type = QStringLiteral("普通会员折扣"))
{
    FieldValues v;
    for (const QString& f : memberListConfig().fields())
        v.insert(f, QString());
    v.insert(QStringLiteral("快捷码"), key);
    v.insert(QStringLiteral("持卡人姓名"), name);
    v.insert(QStringLiteral("身份证号"), QStringLiteral("110101199001011234"));
    v.insert(QStringLiteral("卡号"), card);
    v.insert(QStringLiteral("会员售价"), type);
    v.insert(QStringLiteral("性别"), QStringLiteral("女"));
    return v;
}

QStringList members(Database& db)
{
    QStringList out;
    for (const Row& r :
         db.query(QStringLiteral("select 快捷码,持卡人姓名,卡号,会员售价,性别 from 会员 order by 快捷码")))
        out << QStringList{r.value(0).toString(), r.value(1).toString(), r.value(2).toString(),
                           r.value(3).toString(), r.value(4).toString()}
                   .join(QLatin1Char('|'));
    return out;
}

QStringList logRows(Database& db)
{
    QStringList out;
    for (const Row& r : db.query(QStringLiteral("select 性质,操作内容,工号 from 日志")))
        out << r.value(0).toString() + QLatin1Char(':') + r.value(1).toString() + QLatin1Char(':') +
                   r.value(2).toString();
    return out;
}

QStringList column(const Rows& rows, const QString& field)
{
    QStringList out;
    for (const Row& r : rows)
        out << r.value(field).toString();
    return out;
}

QString discounts(Database& db)
{
    QStringList out;
    for (const Row& r : db.query(QStringLiteral("select 会员类型,折扣 from 会员活动 order by 会员类型")))
        out << r.value(0).toString() + QLatin1Char('=') + Decimal::fromVariant(r.value(1)).toString();
    return out.join(QLatin1Char(';'));
}

} // namespace

class TestStaff final : public QObject
{
    Q_OBJECT

private slots:
    void salespersonInsertAskedAndLogged()
    {
        test::TestSession s;
        SalespersonList list(s.session());

        QCOMPARE(
            list.SaveSalesperson(
                person(QStringLiteral(" 001 "), QStringLiteral(" 王'五 "), QStringLiteral("5551234")), {}),
            SaveResult::Inserted);

        QCOMPARE(s.prompter().texts(),
                 (QStringList{QStringLiteral("是否保存此业务员？"), QStringLiteral("保存成功！")}));
        QCOMPARE(s.prompter().shown.first().title, QStringLiteral("系统提示"));
        QCOMPARE(persons(s.db()), QStringList{QStringLiteral("001|王'五|5551234")});
        QCOMPARE(logRows(s.db()), QStringList{QStringLiteral("重要:新增加业务员资料,业务员名为:王'五:888")});
    }

    void salespersonSaveMatchesCodeAndEditedRow_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("currentName");
        QTest::addColumn<int>("result");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("log");
        // The row of 001 张三 is current: a changed name renames it.
        QTest::newRow("rename current row")
            << QStringLiteral("001") << QStringLiteral("张三丰") << QStringLiteral("张三")
            << int(SaveResult::Updated) << QStringList{"001|张三丰|new", "002|李四|"}
            << QStringLiteral("重要:修改业务员资料,修改后的业务员名为:张三丰:888");
        // The current row belongs to another code: a further salesperson with that code.
        QTest::newRow("code of another row")
            << QStringLiteral("001") << QStringLiteral("张三") << QStringLiteral("李四")
            << int(SaveResult::Inserted) << QStringList{"001|张三|", "002|李四|", "001|张三|new"}
            << QStringLiteral("重要:新增加业务员资料,业务员名为:张三:888");
        // With an empty list the look-up uses an empty name: always an insert.
        QTest::newRow("no current row")
            << QStringLiteral("002") << QStringLiteral("李四") << QString() << int(SaveResult::Inserted)
            << QStringList{"001|张三|", "002|李四|", "002|李四|new"}
            << QStringLiteral("重要:新增加业务员资料,业务员名为:李四:888");
    }
    void salespersonSaveMatchesCodeAndEditedRow()
    {
        QFETCH(QString, code);
        QFETCH(QString, name);
        QFETCH(QString, currentName);
        QFETCH(int, result);
        QFETCH(QStringList, expected);
        QFETCH(QString, log);
        test::TestSession s;
        s.db().exec(QStringLiteral(
            "insert into 业务员(客服代号,业务员姓名,电话) values('001','张三',''),('002','李四','')"));
        SalespersonList list(s.session());
        const FieldValues current = currentName.isEmpty() ? FieldValues{} : personRow(QString(), currentName);

        QCOMPARE(int(list.SaveSalesperson(person(code, name, QStringLiteral("new")), current)), result);

        QCOMPARE(persons(s.db()), expected);
        QCOMPARE(logRows(s.db()), QStringList{log});
        // An update asks nothing.
        QCOMPARE(s.prompter().shown.first().question, result == int(SaveResult::Inserted));
    }

    void salespersonRequiredBoxes_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::newRow("no code") << QStringLiteral(" ") << QStringLiteral("张三");
        QTest::newRow("no name") << QStringLiteral("001") << QString();
    }
    void salespersonRequiredBoxes()
    {
        QFETCH(QString, code);
        QFETCH(QString, name);
        test::TestSession s;
        SalespersonList list(s.session());
        QCOMPARE(list.SaveSalesperson(person(code, name), {}), SaveResult::Refused);
        QCOMPARE(s.prompter().texts(), QStringList{QStringLiteral("请你确保:带[*]的资料不为空!")});
        QVERIFY(persons(s.db()).isEmpty());
        QVERIFY(logRows(s.db()).isEmpty());
    }

    void salespersonDelete_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }
    void salespersonDelete()
    {
        QFETCH(bool, answer);
        test::TestSession s;
        s.db().exec(
            QStringLiteral("insert into 业务员(客服代号,业务员姓名) values('001','张三'),('001','张三2')"));
        s.prompter().answers = {answer};
        SalespersonList list(s.session());

        const DeleteResult r = list.DeleteSalesperson(
            personRow(QStringLiteral("001 "), QStringLiteral("张三")), person({}, QStringLiteral(" 张三 ")));

        QCOMPARE(s.prompter().shown.first().text, QStringLiteral("是否删除当前业务员？"));
        QCOMPARE(s.prompter().shown.first().title, QStringLiteral("删除提示"));
        if (answer) {
            QCOMPARE(r, DeleteResult::Deleted);
            QCOMPARE(s.prompter().last(), QStringLiteral("删除成功！"));
            QCOMPARE(persons(s.db()), QStringList{QStringLiteral("001|张三2|")});
            QCOMPARE(logRows(s.db()),
                     QStringList{QStringLiteral("重要:删除业务员资料,删除的业务员名为:张三:888")});
        } else {
            QCOMPARE(r, DeleteResult::Cancelled);
            QCOMPARE(persons(s.db()).size(), 2);
            QVERIFY(logRows(s.db()).isEmpty());
        }
    }

    void salespersonFilterIsLiteral_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("all") << QStringLiteral("业务员姓名") << QString()
                             << QStringList{"O'Brien", "100%", "1000", "a_b", "AXB"};
        QTest::newRow("quote") << QStringLiteral("业务员姓名") << QStringLiteral("o'")
                               << QStringList{"O'Brien"};
        QTest::newRow("percent") << QStringLiteral("业务员姓名") << QStringLiteral("0%")
                                 << QStringList{"100%"};
        QTest::newRow("underscore") << QStringLiteral("业务员姓名") << QStringLiteral("a_")
                                    << QStringList{"a_b"};
        QTest::newRow("any case") << QStringLiteral("业务员姓名") << QStringLiteral("xb")
                                  << QStringList{"AXB"};
        QTest::newRow("phone") << QStringLiteral("电话") << QStringLiteral("88") << QStringList{"1000"};
        QTest::newRow("no match") << QStringLiteral("所属片区") << QStringLiteral("东") << QStringList{};
    }
    void salespersonFilterIsLiteral()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QStringList, expected);
        test::TestSession s;
        const QStringList names = {"O'Brien", "100%", "1000", "a_b", "AXB"};
        for (int i = 0; i < names.size(); ++i)
            s.db().exec(
                QStringLiteral("insert into 业务员(客服代号,业务员姓名,电话) values(?,?,?)"),
                {QStringLiteral("0%1").arg(i), names.at(i), i == 2 ? QStringLiteral("88") : QString()});
        SalespersonList list(s.session());
        FieldValues b = person({}, {});
        b.insert(field, typed);
        QCOMPARE(column(list.FilterSalespersons(b), QStringLiteral("业务员姓名")), expected);
        // The condition is kept for printing, with the text as a bound value.
        QVERIFY(!list.lastCondition().sql.contains(typed) || typed.isEmpty());
    }

    void memberSaveByQuickCode()
    {
        test::TestSession s;
        MemberList list(s.session());
        QCOMPARE(list.SaveMember(member(QStringLiteral("zs"), QStringLiteral("张三"))), SaveResult::Inserted);
        QCOMPARE(s.prompter().texts(),
                 (QStringList{QStringLiteral("是否保存此会员？"), QStringLiteral("保存成功！")}));
        s.prompter().clear();

        // The same 快捷码 changes that member, whatever the other fields hold.
        QCOMPARE(list.SaveMember(member(QStringLiteral("zs"), QStringLiteral("李四"), QStringLiteral("C9"),
                                        QStringLiteral("黄金会员折扣"))),
                 SaveResult::Updated);

        QCOMPARE(s.prompter().texts(), QStringList{QStringLiteral("修改成功！")});
        QCOMPARE(members(s.db()), QStringList{QStringLiteral("zs|李四|C9|黄金会员折扣|女")});
        QCOMPARE(logRows(s.db()),
                 (QStringList{QStringLiteral("重要:新增加会员信息资料,新增加的会员名是:张三:888"),
                              QStringLiteral("重要:修改会员信息资料,修改后的会员名是:李四:888")}));
        QCOMPARE(column(list.loadWhereEquals(QStringLiteral("持卡人姓名"), QStringLiteral("李四")),
                        QStringLiteral("快捷码")),
                 QStringList{QStringLiteral("zs")});
    }

    void memberRequiredFields_data()
    {
        QTest::addColumn<QString>("field");
        const QStringList required = {"快捷码", "持卡人姓名", "身份证号", "卡号", "会员售价", "性别"};
        for (const QString& f : required)
            QTest::newRow(qPrintable(f)) << f;
    }
    void memberRequiredFields()
    {
        QFETCH(QString, field);
        test::TestSession s;
        MemberList list(s.session());
        FieldValues m = member(QStringLiteral("zs"), QStringLiteral("张三"));
        m.insert(field, QStringLiteral("  "));
        QCOMPARE(list.SaveMember(m), SaveResult::Refused);
        QCOMPARE(s.prompter().texts(), QStringList{QStringLiteral("请你确保带 [*] 的资料不为空!")});
        QVERIFY(members(s.db()).isEmpty());
    }

    void memberDelete()
    {
        test::TestSession s;
        s.db().exec(QStringLiteral("insert into 会员(快捷码,持卡人姓名) values('zs','张三'),('ls','李四')"));
        MemberList list(s.session());

        QCOMPARE(list.DeleteMember({{QStringLiteral("快捷码"), QStringLiteral("zs")},
                                    {QStringLiteral("持卡人姓名"), QStringLiteral("张三")}}),
                 DeleteResult::Deleted);
        QCOMPARE(s.prompter().texts(), QStringList{QStringLiteral("删除成功！")});
        QCOMPARE(column(list.open(), QStringLiteral("快捷码")), QStringList{QStringLiteral("ls")});
        s.prompter().clear();

        // An empty list, or a row gone meanwhile.
        QCOMPARE(list.DeleteMember({}), DeleteResult::NoRow);
        QCOMPARE(list.DeleteMember({{QStringLiteral("快捷码"), QStringLiteral("zs")},
                                    {QStringLiteral("持卡人姓名"), QStringLiteral("张三")}}),
                 DeleteResult::NoRow);
        QCOMPARE(s.prompter().texts(),
                 (QStringList{QStringLiteral("当前无资料可删除！"), QStringLiteral("当前无资料可删除！")}));
        QCOMPARE(s.db().countRows(QStringLiteral("会员")), 1);
    }

    void memberFindAndSort()
    {
        test::TestSession s;
        MemberList list(s.session());
        list.SaveMember(member(QStringLiteral("a1"), QStringLiteral("Ann"), QStringLiteral("100%")));
        list.SaveMember(member(QStringLiteral("b2"), QStringLiteral("Bob"), QStringLiteral("1000")));
        list.SaveMember(member(QStringLiteral("c3"), QStringLiteral("Cid"), QStringLiteral("C'3"),
                               QStringLiteral("黄金会员折扣")));

        FieldValues find;
        find.insert(QStringLiteral("卡号"), QStringLiteral("0%"));
        QCOMPARE(column(list.FindMembers(find), QStringLiteral("快捷码")), QStringList{QStringLiteral("a1")});
        find.insert(QStringLiteral("卡号"), QString());
        find.insert(QStringLiteral("会员售价"), QStringLiteral("黄金"));
        // 性别 takes no part in the search.
        find.insert(QStringLiteral("性别"), QStringLiteral("男"));
        QCOMPARE(column(list.FindMembers(find), QStringLiteral("快捷码")), QStringList{QStringLiteral("c3")});

        QCOMPARE(column(list.SortMembers(QStringLiteral("持卡人姓名"), false), QStringLiteral("快捷码")),
                 (QStringList{QStringLiteral("c3"), QStringLiteral("b2"), QStringLiteral("a1")}));
        QCOMPARE(column(list.SortMembers(QStringLiteral("快捷码"), true), QStringLiteral("快捷码")),
                 (QStringList{QStringLiteral("a1"), QStringLiteral("b2"), QStringLiteral("c3")}));
        QVERIFY_THROWS_EXCEPTION(InvalidNameError,
                                 list.SortMembers(QStringLiteral("1; drop table 会员"), true));
        QCOMPARE(MemberList::sortFields().size(), 11);
        QVERIFY(!MemberList::sortFields().contains(QStringLiteral("性别")));
    }

    void memberDiscounts()
    {
        test::TestSession s;
        MemberList list(s.session());
        MemberDiscountTexts t = list.loadDiscounts();
        QCOMPARE(t.gold, QStringLiteral("0.0"));
        QCOMPARE(t.normal, QStringLiteral("0.0"));

        QVERIFY(list.mayEditDiscounts());
        QVERIFY(list.SetMemberDiscounts(QStringLiteral(" 0.85"), QStringLiteral("0.95 ")));
        QCOMPARE(s.prompter().last(), QStringLiteral("设置成功!"));
        QCOMPARE(discounts(s.db()), QStringLiteral("普通会员折扣=0.95;黄金会员折扣=0.85"));
        t = list.loadDiscounts();
        QCOMPARE(t.gold, QStringLiteral("0.85"));
        QCOMPARE(t.normal, QStringLiteral("0.95"));

        // Setting again keeps exactly the two rows.
        QVERIFY(list.SetMemberDiscounts(QStringLiteral("1"), QStringLiteral("0.9")));
        QCOMPARE(discounts(s.db()), QStringLiteral("普通会员折扣=0.9;黄金会员折扣=1"));
    }

    void memberDiscountsRefused_data()
    {
        QTest::addColumn<QString>("gold");
        QTest::addColumn<QString>("normal");
        QTest::newRow("gold empty") << QString() << QStringLiteral("0.9");
        QTest::newRow("normal empty") << QStringLiteral("0.9") << QStringLiteral(" ");
        QTest::newRow("two points") << QStringLiteral("0.8.5") << QStringLiteral("0.9");
        QTest::newRow("negative") << QStringLiteral("-1") << QStringLiteral("0.9");
    }
    void memberDiscountsRefused()
    {
        QFETCH(QString, gold);
        QFETCH(QString, normal);
        test::TestSession s;
        s.db().exec(QStringLiteral(
            "insert into 会员活动(会员类型,折扣) values('黄金会员折扣',0.8),('普通会员折扣',0.9)"));
        MemberList list(s.session());
        QVERIFY(!list.SetMemberDiscounts(gold, normal));
        QCOMPARE(s.prompter().shown.size(), 1);
        QVERIFY(s.prompter().last() != QStringLiteral("设置成功!"));
        QCOMPARE(discounts(s.db()), QStringLiteral("普通会员折扣=0.9;黄金会员折扣=0.8"));
    }

    void memberDiscountsNeedTheRight()
    {
        test::TestSession s;
        s.db().exec(QStringLiteral("update 权限密码 set 会员折扣设置=0 where 工号='888'"));
        MemberList list(s.session());
        QVERIFY(!list.mayEditDiscounts());
        QCOMPARE(s.prompter().texts(), QStringList{noRightText()});
    }
};

MZT_TEST_MAIN(TestStaff)
#include "tst_staff.moc"
