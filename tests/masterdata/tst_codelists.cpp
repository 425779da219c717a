#include "codelists.h"
#include "decimal.h"
#include "testdb.h"

using namespace mzt;

Q_DECLARE_METATYPE(mzt::CodeListKind)

namespace {

void insertCode(Database& db, CodeListKind kind, const QString& code, const QString& name)
{
    const CodeListDefinition& d = codeListDefinition(kind);
    db.exec(QStringLiteral("insert into ") + d.table + QLatin1Char('(') + d.codeField + QLatin1Char(',') +
                d.nameField + QStringLiteral(") values (?,?)"),
            {code, name});
}

int rowsWithCode(Database& db, CodeListKind kind, const QString& code)
{
    const CodeListDefinition& d = codeListDefinition(kind);
    return db
        .scalar(QStringLiteral("select count(*) from ") + d.table + QStringLiteral(" where ") + d.codeField +
                    QStringLiteral("=?"),
                {code})
        ->toInt();
}

QString nameOf(Database& db, CodeListKind kind, const QString& code)
{
    const CodeListDefinition& d = codeListDefinition(kind);
    return db
        .scalar(QStringLiteral("select ") + d.nameField + QStringLiteral(" from ") + d.table +
                    QStringLiteral(" where ") + d.codeField + QStringLiteral("=?"),
                {code})
        .value_or(QVariant())
        .toString();
}

void addKindRows()
{
    QTest::addColumn<CodeListKind>("kind");
    for (CodeListKind k : allCodeListKinds())
        QTest::newRow(qPrintable(codeListDefinition(k).table)) << k;
}

} // namespace

class TestCodeLists final : public QObject
{
    Q_OBJECT

private slots:
    void nextListCode_data()
    {
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<QString>("next");
        QTest::newRow("empty table") << QStringList{} << "01";
        QTest::newRow("after 05") << QStringList{"01", "05", "03"} << "06";
        QTest::newRow("after 09") << QStringList{"01", "09"} << "010";
        // Sorted as text "09" > "010": the proposal must still move past 010.
        QTest::newRow("after 010") << QStringList{"09", "010", "01"} << "011";
        QTest::newRow("after 099") << QStringList{"099", "0100"} << "0101";
        QTest::newRow("only letters") << QStringList{"A1", "X"} << "01";
        QTest::newRow("letters beside digits") << QStringList{"Z9", "03", "B12"} << "04";
        QTest::newRow("zero codes") << QStringList{"0", "00"} << "01";
        QTest::newRow("blanks around") << QStringList{" 07 ", ""} << "08";
        QTest::newRow("carry") << QStringList{"99"} << "0100";
        QTest::newRow("beyond 64 bits") << QStringList{"99999999999999999999"} << "0100000000000000000000";
    }
    void nextListCode()
    {
        QFETCH(QStringList, codes);
        QFETCH(QString, next);
        QCOMPARE(NextListCode(codes), next);
        QVERIFY(!codes.contains(next));
    }

    void proposeOnEveryPage_data()
    {
        QTest::addColumn<CodeListKind>("kind");
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<QString>("next");
        for (CodeListKind k : allCodeListKinds()) {
            const QByteArray t = codeListDefinition(k).table.toUtf8();
            QTest::newRow(QByteArray(t + " empty").constData()) << k << QStringList{} << "01";
            QTest::newRow(QByteArray(t + " after 09").constData()) << k << QStringList{"08", "09"} << "010";
            QTest::newRow(QByteArray(t + " after 010").constData()) << k << QStringList{"09", "010"} << "011";
            QTest::newRow(QByteArray(t + " letters").constData()) << k << QStringList{"现金", "A"} << "01";
        }
    }
    void proposeOnEveryPage()
    {
        QFETCH(CodeListKind, kind);
        QFETCH(QStringList, codes);
        QFETCH(QString, next);
        test::TestSession s;
        int n = 0;
        for (const QString& c : codes)
            insertCode(s.db(), kind, c, QStringLiteral("名称%1").arg(++n));
        CodeList list(s.session(), kind);
        QCOMPARE(list.ProposeListCode(), next);
        // The proposal saves, and the next one moves on.
        QCOMPARE(list.SaveListEntry({next, QStringLiteral("新名称"), {}}, CodeListMode::Add),
                 ListSaveResult::Saved);
        QVERIFY(list.ProposeListCode() != next);
        QVERIFY(s.prompter().shown.isEmpty());
    }

    void addThenChange_data() { addKindRows(); }
    void addThenChange()
    {
        QFETCH(CodeListKind, kind);
        test::TestSession s;
        CodeList list(s.session(), kind);
        const CodeListDefinition& d = list.definition();
        QCOMPARE(
            list.SaveListEntry({QStringLiteral(" 01 "), QStringLiteral("  件  "), QStringLiteral("100.5")},
                               CodeListMode::Add),
            ListSaveResult::Saved);
        QCOMPARE(nameOf(s.db(), kind, QStringLiteral("01")), QStringLiteral("件"));
        QCOMPARE(list.SaveListEntry({QStringLiteral("01"), QStringLiteral("箱"), QStringLiteral("7")},
                                    CodeListMode::Change),
                 ListSaveResult::Saved);
        QCOMPARE(nameOf(s.db(), kind, QStringLiteral("01")), QStringLiteral("箱"));
        QCOMPARE(rowsWithCode(s.db(), kind, QStringLiteral("01")), 1);

        const Rows rows = list.list();
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.first().value(d.codeField).toString(), QStringLiteral("01"));
        if (d.fixedBase)
            QCOMPARE(rows.first().value(QStringLiteral("进制")).toInt(), 1);
        if (!d.amountField.isEmpty()) {
            // An account keeps its opening amount; a payment subject takes the new one.
            const Decimal opening = Decimal::fromVariant(rows.first().value(d.amountField));
            QCOMPARE(opening.toString(),
                     d.amountOnlyWhenAdding ? QStringLiteral("100.5") : QStringLiteral("7"));
        }
        if (d.balanceFromOpening) {
            const QVariant balance =
                s.db()
                    .scalar(QStringLiteral("select 期未额 from 银行帐户表 where 编号='01'"))
                    .value_or(QVariant());
            QCOMPARE(Decimal::fromVariant(balance).toString(), QStringLiteral("100.5"));
        }
        QVERIFY(s.prompter().shown.isEmpty());
    }

    void listOrderFollowsValue()
    {
        test::TestSession s;
        for (const char* c : {"010", "02", "09", "01"})
            insertCode(s.db(), CodeListKind::Handlers, QString::fromLatin1(c), QStringLiteral("张"));
        QStringList order;
        for (const Row& r : CodeList(s.session(), CodeListKind::Handlers).list())
            order.append(r.value(QStringLiteral("编号")).toString());
        QCOMPARE(order, (QStringList{"01", "02", "09", "010"}));
    }

    void duplicateCodeRefused_data() { addKindRows(); }
    void duplicateCodeRefused()
    {
        QFETCH(CodeListKind, kind);
        test::TestSession s;
        insertCode(s.db(), kind, QStringLiteral("03"), QStringLiteral("原名"));
        CodeList list(s.session(), kind);
        QCOMPARE(list.SaveListEntry({QStringLiteral("03"), QStringLiteral("新名"), {}}, CodeListMode::Add),
                 ListSaveResult::Refused);
        QCOMPARE(s.prompter().last(), QStringLiteral("已经有此编码,请重新获取编码!"));
        QCOMPARE(rowsWithCode(s.db(), kind, QStringLiteral("03")), 1);
        QCOMPARE(nameOf(s.db(), kind, QStringLiteral("03")), QStringLiteral("原名"));
    }

    void emptyNameDoesNothing_data() { addKindRows(); }
    void emptyNameDoesNothing()
    {
        QFETCH(CodeListKind, kind);
        test::TestSession s;
        CodeList list(s.session(), kind);
        QCOMPARE(list.SaveListEntry({QStringLiteral("01"), QStringLiteral("   "), {}}, CodeListMode::Add),
                 ListSaveResult::Ignored);
        QCOMPARE(rowsWithCode(s.db(), kind, QStringLiteral("01")), 0);
        QVERIFY(s.prompter().shown.isEmpty());
    }

    void deleteAsksThePagesQuestion_data()
    {
        QTest::addColumn<CodeListKind>("kind");
        QTest::addColumn<QString>("question");
        QTest::newRow("units") << CodeListKind::Units << "是否删除此单位？";
        QTest::newRow("handlers") << CodeListKind::Handlers << "是否删除此经手人？";
        QTest::newRow("other expense") << CodeListKind::OtherExpense << "是否删除此项目名称？";
        QTest::newRow("other income") << CodeListKind::OtherIncome << "是否删除此项目名称？";
        QTest::newRow("bank accounts") << CodeListKind::BankAccounts << "是否删除此账户？";
        QTest::newRow("payment methods") << CodeListKind::PaymentMethods << "是否删除此账户编码？";
    }
    void deleteAsksThePagesQuestion()
    {
        QFETCH(CodeListKind, kind);
        QFETCH(QString, question);
        test::TestSession s;
        insertCode(s.db(), kind, QStringLiteral("01"), QStringLiteral("甲"));
        insertCode(s.db(), kind, QStringLiteral("02"), QStringLiteral("乙"));
        CodeList list(s.session(), kind);

        s.prompter().answers = {false};
        QCOMPARE(list.DeleteListEntry(CodeListEntry{QStringLiteral("01"), QStringLiteral("甲"), {}}),
                 ListDeleteResult::Cancelled);
        QCOMPARE(rowsWithCode(s.db(), kind, QStringLiteral("01")), 1);
        QCOMPARE(s.prompter().shown.size(), 1);
        QCOMPARE(s.prompter().shown.first().text, question);
        QCOMPARE(s.prompter().shown.first().title, QStringLiteral("删除提示"));
        QVERIFY(s.prompter().shown.first().question);

        // Code and name must both match the row.
        QCOMPARE(list.DeleteListEntry(CodeListEntry{QStringLiteral("01"), QStringLiteral("乙"), {}}),
                 ListDeleteResult::Deleted);
        QCOMPARE(rowsWithCode(s.db(), kind, QStringLiteral("01")), 1);
        QCOMPARE(list.DeleteListEntry(CodeListEntry{QStringLiteral(" 01 "), QStringLiteral(" 甲 "), {}}),
                 ListDeleteResult::Deleted);
        QCOMPARE(rowsWithCode(s.db(), kind, QStringLiteral("01")), 0);
        QCOMPARE(rowsWithCode(s.db(), kind, QStringLiteral("02")), 1);
    }

    void withoutRowNothingToChangeOrDelete()
    {
        test::TestSession s;
        CodeList list(s.session(), CodeListKind::Handlers);
        QVERIFY(!list.BeginChange(std::nullopt));
        QCOMPARE(s.prompter().last(), QStringLiteral("当前没有记录可修改!"));
        QCOMPARE(list.DeleteListEntry(std::nullopt), ListDeleteResult::NoRow);
        QCOMPARE(s.prompter().last(), QStringLiteral("当前没有记录可删除!"));
        QCOMPARE(s.prompter().shown.size(), 2);
    }

    void accountDeleteTakesItsLedgerRows()
    {
        test::TestSession s;
        Database& db = s.db();
        CodeList list(s.session(), CodeListKind::BankAccounts);
        QCOMPARE(list.SaveListEntry({QStringLiteral("01"), QStringLiteral("现金"), QStringLiteral("50")},
                                    CodeListMode::Add),
                 ListSaveResult::Saved);
        const QString ledger = QStringLiteral("insert into 现金明细表(自动编码,备注) values (?,?)");
        db.exec(ledger, {QStringLiteral("ZDBM1"), QStringLiteral("现金")});
        db.exec(ledger, {QStringLiteral("ZDBM2"), QStringLiteral("工商银行")});

        // A row that does not match leaves the ledger alone.
        QCOMPARE(list.DeleteListEntry(CodeListEntry{QStringLiteral("01"), QStringLiteral("工商银行"), {}}),
                 ListDeleteResult::Deleted);
        QCOMPARE(db.countRows(QStringLiteral("现金明细表")), 2);

        QCOMPARE(list.DeleteListEntry(CodeListEntry{QStringLiteral("01"), QStringLiteral("现金"), {}}),
                 ListDeleteResult::Deleted);
        QCOMPARE(db.countRows(QStringLiteral("银行帐户表")), 0);
        QCOMPARE(db.column(QStringLiteral("select 自动编码 from 现金明细表")), QStringList{"ZDBM2"});
    }

    void accountDeleteIsAllOrNothing()
    {
        test::TestSession s;
        Database& db = s.db();
        CodeList list(s.session(), CodeListKind::BankAccounts);
        QCOMPARE(list.SaveListEntry({QStringLiteral("01"), QStringLiteral("现金"), {}}, CodeListMode::Add),
                 ListSaveResult::Saved);
        db.exec(QStringLiteral("drop table 现金明细表"));
        QCOMPARE(list.DeleteListEntry(CodeListEntry{QStringLiteral("01"), QStringLiteral("现金"), {}}),
                 ListDeleteResult::Failed);
        QCOMPARE(s.prompter().shown.last().kind, MessageKind::Error);
        QCOMPARE(db.countRows(QStringLiteral("银行帐户表")), 1);
    }

    void accountNamesStayUnique()
    {
        test::TestSession s;
        CodeList list(s.session(), CodeListKind::BankAccounts);
        QCOMPARE(list.SaveListEntry({QStringLiteral("01"), QStringLiteral("现金"), {}}, CodeListMode::Add),
                 ListSaveResult::Saved);
        QCOMPARE(list.SaveListEntry({QStringLiteral("02"), QStringLiteral("银行"), {}}, CodeListMode::Add),
                 ListSaveResult::Saved);
        QCOMPARE(list.SaveListEntry({QStringLiteral("03"), QStringLiteral("现金"), {}}, CodeListMode::Add),
                 ListSaveResult::Refused);
        QCOMPARE(s.prompter().last(), QStringLiteral("已经有此账户名称,请用其它的名称!"));
        QCOMPARE(list.SaveListEntry({QStringLiteral("02"), QStringLiteral("现金"), {}}, CodeListMode::Change),
                 ListSaveResult::Refused);
        QCOMPARE(nameOf(s.db(), CodeListKind::BankAccounts, QStringLiteral("02")), QStringLiteral("银行"));
        // Keeping its own name is no clash.
        QCOMPARE(list.SaveListEntry({QStringLiteral("02"), QStringLiteral("银行"), {}}, CodeListMode::Change),
                 ListSaveResult::Saved);
    }

    void openingAmount_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored"); // empty: refused
        QTest::newRow("empty") << ""
                               << "0";
        QTest::newRow("dot") << "."
                             << "0";
        QTest::newRow("decimal") << "1234.5"
                                 << "1234.5";
        QTest::newRow("not a number") << "12a"
                                      << "";
    }
    void openingAmount()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        test::TestSession s;
        CodeList list(s.session(), CodeListKind::PaymentMethods);
        const ListSaveResult r =
            list.SaveListEntry({QStringLiteral("01"), QStringLiteral("现金"), typed}, CodeListMode::Add);
        if (stored.isEmpty()) {
            QCOMPARE(r, ListSaveResult::Refused);
            QCOMPARE(s.prompter().last(), QStringLiteral("请输入正确的期初金额!"));
            QCOMPARE(s.db().countRows(QStringLiteral("银行账户")), 0);
            return;
        }
        QCOMPARE(r, ListSaveResult::Saved);
        const QVariant v = s.db().scalar(QStringLiteral("select 期初额 from 银行账户")).value_or(QVariant());
        QCOMPARE(Decimal::fromVariant(v).toString(), stored);
    }

    void textsAreValuesNotSql()
    {
        test::TestSession s;
        CodeList list(s.session(), CodeListKind::OtherIncome);
        const QString name = QStringLiteral("房租'); delete from 其它收入; --");
        QCOMPARE(list.SaveListEntry({QStringLiteral("01"), name, {}}, CodeListMode::Add),
                 ListSaveResult::Saved);
        QCOMPARE(nameOf(s.db(), CodeListKind::OtherIncome, QStringLiteral("01")), name);
    }
};

MZT_TEST_MAIN(TestCodeLists)
#include "tst_codelists.moc"
