#include "categories.h"
#include "testdb.h"

#include <QTest>

using namespace mzt;
using namespace mzt::test;

namespace {

struct CategoryRow
{
    QString name;
    QString parent;
    QString flag;
    int level = -1;
};

std::optional<CategoryRow> categoryRow(Database& db, const QString& code)
{
    const Rows rows =
        db.query(QStringLiteral("select 类名,父项编码,未级标志,层次码 from 类别 where 编码=?"), {code});
    if (rows.isEmpty())
        return std::nullopt;
    return CategoryRow{rows.first().value(0).toString(), rows.first().value(1).toString(),
                       rows.first().value(2).toString(), rows.first().value(3).toInt()};
}

} // namespace

class TestCategories final : public QObject
{
    Q_OBJECT

private slots:
    void addRefused_data();
    void addRefused();
    void addBuildsTheTree();
    void childrenAndExpansion();
    void deleteRules_data();
    void deleteRules();
    void rename();
    void changesNeedTheRight();
    void pickRefusesRoot();
    void choiceTexts_data();
    void choiceTexts();
    void pathToNestedCategory();
};

void TestCategories::addRefused_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("root's name") << "05"
                                 << "商品类别"
                                 << "类别名称不能为[商品类别]!";
    QTest::newRow("root's name before an empty code") << ""
                                                      << " 商品类别 "
                                                      << "类别名称不能为[商品类别]!";
    QTest::newRow("no code") << " "
                             << "饮料"
                             << "请输入类别编码!";
    QTest::newRow("no name") << "05"
                             << ""
                             << "请输入类别名称!";
    QTest::newRow("code zero") << "0"
                               << "饮料"
                               << "类别编码不能为0(零)!";
    QTest::newRow("code in use") << "01"
                                 << "饮料"
                                 << "已经有此[类别编码],请用其它的编码!";
}

void TestCategories::addRefused()
{
    QFETCH(QString, code);
    QFETCH(QString, name);
    QFETCH(QString, message);
    TestSession s;
    Categories c(s.session());
    QVERIFY(c.AddCategory(QStringLiteral("01"), QStringLiteral("食品"), Categories::rootCode()));
    s.prompter().clear();
    QVERIFY(!c.AddCategory(code, name, QStringLiteral("01")));
    QCOMPARE(s.prompter().texts(), QStringList{message});
    QCOMPARE(s.db().countRows(QStringLiteral("类别")), 1);
    QCOMPARE(categoryRow(s.db(), QStringLiteral("01"))->flag, QStringLiteral("是"));
}

void TestCategories::addBuildsTheTree()
{
    TestSession s;
    Categories c(s.session());
    QVERIFY(c.AddCategory(QStringLiteral("01"), QStringLiteral("食品"), Categories::rootCode()));
    QCOMPARE(s.prompter().last(), QStringLiteral("增加成功!"));
    QVERIFY(c.AddCategory(QStringLiteral(" 0101 "), QStringLiteral(" 饼干 "), QStringLiteral("01")));
    QVERIFY(c.AddCategory(QStringLiteral("010101"), QStringLiteral("夹心饼干"), QStringLiteral("0101")));
    // An empty parent means the root, as "设为根结点" does.
    QVERIFY(c.AddCategory(QStringLiteral("02"), QStringLiteral("饮料"), QString()));

    const CategoryRow top = *categoryRow(s.db(), QStringLiteral("01"));
    QCOMPARE(top.parent, QStringLiteral("0"));
    QCOMPARE(top.level, 0);
    QCOMPARE(top.flag, QStringLiteral("否"));
    const CategoryRow mid = *categoryRow(s.db(), QStringLiteral("0101"));
    QCOMPARE(mid.name, QStringLiteral("饼干"));
    QCOMPARE(mid.parent, QStringLiteral("01"));
    QCOMPARE(mid.level, 1);
    QCOMPARE(mid.flag, QStringLiteral("否"));
    const CategoryRow leaf = *categoryRow(s.db(), QStringLiteral("010101"));
    QCOMPARE(leaf.level, 2);
    QCOMPARE(leaf.flag, QStringLiteral("是"));
    QCOMPARE(categoryRow(s.db(), QStringLiteral("02"))->parent, QStringLiteral("0"));
}

void TestCategories::childrenAndExpansion()
{
    TestSession s;
    Categories c(s.session());
    QVERIFY(c.AddCategory(QStringLiteral("02"), QStringLiteral("饮料"), Categories::rootCode()));
    QVERIFY(c.AddCategory(QStringLiteral("01"), QStringLiteral("食品"), Categories::rootCode()));
    QVERIFY(c.AddCategory(QStringLiteral("0101"), QStringLiteral("饼干"), QStringLiteral("01")));
    // A stale flag alone does not make a node expandable.
    s.db().exec(QStringLiteral("update 类别 set 未级标志='否' where 编码='02'"));

    const QList<CategoryNode> top = c.children(Categories::rootCode());
    QCOMPARE(top.size(), 2);
    QCOMPARE(top.at(0).code, QStringLiteral("01"));
    QCOMPARE(top.at(0).caption(), QStringLiteral("食品(01)"));
    QVERIFY(top.at(0).hasChildren);
    QCOMPARE(top.at(1).code, QStringLiteral("02"));
    QVERIFY(!top.at(1).hasChildren);
    const QList<CategoryNode> below = c.children(QStringLiteral("01"));
    QCOMPARE(below.size(), 1);
    QCOMPARE(below.first().name, QStringLiteral("饼干"));
    QVERIFY(!below.first().hasChildren);
    QCOMPARE(Categories::rootNode().caption(), QStringLiteral("商品类别"));
}

void TestCategories::deleteRules_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("deleted");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("parentFlag"); // 01's flag afterwards
    QTest::newRow("has a sub-category") << "01" << false << "此大类下面还有子类,您必须先将子类删除!"
                                        << "否";
    QTest::newRow("not the last child") << "0101" << true << "删除成功!"
                                        << "否";
    QTest::newRow("root") << "0" << false << "父结点为[商品类别]不能删除"
                          << "否";
}

void TestCategories::deleteRules()
{
    QFETCH(QString, code);
    QFETCH(bool, deleted);
    QFETCH(QString, message);
    QFETCH(QString, parentFlag);
    TestSession s;
    Categories c(s.session());
    QVERIFY(c.AddCategory(QStringLiteral("01"), QStringLiteral("食品"), Categories::rootCode()));
    QVERIFY(c.AddCategory(QStringLiteral("0101"), QStringLiteral("饼干"), QStringLiteral("01")));
    QVERIFY(c.AddCategory(QStringLiteral("0102"), QStringLiteral("糖果"), QStringLiteral("01")));
    s.db().exec(QStringLiteral("insert into 商品(编码,品名) values('B01011','夹心饼干')"));
    s.prompter().clear();
    QCOMPARE(c.DeleteCategory(code), deleted);
    QCOMPARE(s.prompter().last(), message);
    QCOMPARE(categoryRow(s.db(), code).has_value(), !deleted && code != QLatin1String("0"));
    QCOMPARE(categoryRow(s.db(), QStringLiteral("01"))->flag, parentFlag);
    // Goods of a category stay.
    QCOMPARE(s.db().countRows(QStringLiteral("商品")), 1);
}

void TestCategories::rename()
{
    TestSession s;
    Categories c(s.session());
    QVERIFY(c.AddCategory(QStringLiteral("01"), QStringLiteral("食品"), Categories::rootCode()));
    QVERIFY(c.AddCategory(QStringLiteral("0101"), QStringLiteral("饼干"), QStringLiteral("01")));
    s.prompter().clear();
    QVERIFY(!c.RenameCategory(Categories::rootCode(), QStringLiteral("全部")));
    QCOMPARE(s.prompter().last(), QStringLiteral("父结点为[商品类别]不能修改"));
    QVERIFY(!c.RenameCategory(QStringLiteral("01"), QStringLiteral("商品类别")));
    QCOMPARE(s.prompter().last(), QStringLiteral("类别名称不能为[商品类别]!"));
    QVERIFY(c.RenameCategory(QStringLiteral("01"), QStringLiteral(" 休闲食品 ")));
    QCOMPARE(s.prompter().last(), QStringLiteral("修改成功！"));
    QCOMPARE(categoryRow(s.db(), QStringLiteral("01"))->name, QStringLiteral("休闲食品"));
    QCOMPARE(categoryRow(s.db(), QStringLiteral("0101"))->parent, QStringLiteral("01"));

    // Deleting the last child gives the parent back its leaf flag.
    QVERIFY(c.DeleteCategory(QStringLiteral("0101")));
    QCOMPARE(categoryRow(s.db(), QStringLiteral("01"))->flag, QStringLiteral("是"));
    QVERIFY(c.DeleteCategory(QStringLiteral("01")));
    QCOMPARE(s.db().countRows(QStringLiteral("类别")), 0);
}

void TestCategories::changesNeedTheRight()
{
    TestSession s;
    Categories c(s.session());
    QVERIFY(c.AddCategory(QStringLiteral("01"), QStringLiteral("食品"), Categories::rootCode()));
    s.db().exec(QStringLiteral("insert into 权限密码(工号,姓名,密码) values('101','张三','')"));
    s.login().JobNo = QStringLiteral("101");
    s.prompter().clear();
    QVERIFY(!c.AddCategory(QStringLiteral("02"), QStringLiteral("饮料"), Categories::rootCode()));
    QVERIFY(!c.RenameCategory(QStringLiteral("01"), QStringLiteral("饮料")));
    QVERIFY(!c.DeleteCategory(QStringLiteral("01")));
    QCOMPARE(s.prompter().texts(), QStringList(3, noRightText()));
    QCOMPARE(s.db().column(QStringLiteral("select 类名 from 类别")), QStringList{QStringLiteral("食品")});
}

void TestCategories::pickRefusesRoot()
{
    TestSession s;
    Categories c(s.session());
    const QString refusal = QStringLiteral("选中的项目-不能为[根目录]或不能为\"空\",请重新选择!");
    QVERIFY(!c.checkPick(std::nullopt));
    QCOMPARE(s.prompter().last(), refusal);
    s.prompter().clear();
    QVERIFY(!c.checkPick(Categories::rootNode()));
    QCOMPARE(s.prompter().last(), refusal);
    s.prompter().clear();
    CategoryNode n;
    n.code = QStringLiteral("01");
    n.name = QStringLiteral("食品");
    QVERIFY(c.checkPick(n));
    QVERIFY(s.prompter().shown.isEmpty());
}

void TestCategories::choiceTexts_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("part");
    QTest::newRow("two characters") << "食品(01)"
                                    << "01"
                                    << "0100";
    QTest::newRow("four characters") << "饼干(0101)"
                                     << "0101"
                                     << "0101";
    QTest::newRow("parentheses in the name") << "饼干(散装)(0101)"
                                             << "0101"
                                             << "0101";
    QTest::newRow("no code") << "食品"
                             << ""
                             << "";
}

void TestCategories::choiceTexts()
{
    QFETCH(QString, choice);
    QFETCH(QString, code);
    QFETCH(QString, part);
    QCOMPARE(Categories::codeFromChoice(choice), code);
    QCOMPARE(Categories::goodsCodePart(code), part);
}

void TestCategories::pathToNestedCategory()
{
    TestSession s;
    Categories c(s.session());
    QVERIFY(c.AddCategory(QStringLiteral("02"), QStringLiteral("饮料"), Categories::rootCode()));
    QVERIFY(c.AddCategory(QStringLiteral("01"), QStringLiteral("食品"), Categories::rootCode()));
    QVERIFY(c.AddCategory(QStringLiteral("0101"), QStringLiteral("饼干"), QStringLiteral("01")));
    QVERIFY(c.AddCategory(QStringLiteral("010101"), QStringLiteral("夹心饼干"), QStringLiteral("0101")));
    QCOMPARE(c.pathTo(QStringLiteral("010101")),
             (QStringList{QStringLiteral("01"), QStringLiteral("0101"), QStringLiteral("010101")}));
    QCOMPARE(c.pathTo(QStringLiteral("99")), QStringList{});
    // The editor lists categories by name.
    QCOMPARE(c.choiceTexts().size(), 4);
    QVERIFY(c.choiceTexts().contains(QStringLiteral("夹心饼干(010101)")));
}

MZT_TEST_MAIN(TestCategories)
#include "tst_categories.moc"
