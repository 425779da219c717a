#include "codelists.h"

#include "decimal.h"
#include "prompter.h"

#include <algorithm>

namespace mzt {

namespace {

CodeListDefinition itemList(CodeListKind kind, const QString& caption, const QString& table)
{
    CodeListDefinition d{.kind = kind,
                         .pageCaption = caption,
                         .table = table,
                         .codeField = QStringLiteral("编号"),
                         .nameField = QStringLiteral("账户名称"),
                         .codeTitle = QStringLiteral("编码"),
                         .nameTitle = QStringLiteral("项目名称"),
                         .codeLabel = QStringLiteral("编   码"),
                         .nameLabel = QStringLiteral("项目名称"),
                         .deleteQuestion = QStringLiteral("是否删除此项目名称？"),
                         .hint = QStringLiteral("双击可以修改记录哦"),
                         .fetchCodeButton = true};
    return d;
}

QList<CodeListDefinition> makeDefinitions()
{
    QList<CodeListDefinition> defs;
    defs.append(CodeListDefinition{.kind = CodeListKind::Units,
                                   .pageCaption = QStringLiteral("计量单位"),
                                   .table = QStringLiteral("单位"),
                                   .codeField = QStringLiteral("编号"),
                                   .nameField = QStringLiteral("单位名"),
                                   .codeTitle = QStringLiteral("编号"),
                                   .nameTitle = QStringLiteral("单位名"),
                                   .codeLabel = QStringLiteral("编   号"),
                                   .nameLabel = QStringLiteral("单位名称"),
                                   .deleteQuestion = QStringLiteral("是否删除此单位？"),
                                   .hint = QStringLiteral("双击可以修改记录哦"),
                                   .fixedBase = true});
    defs.append(CodeListDefinition{.kind = CodeListKind::Handlers,
                                   .pageCaption = QStringLiteral("经手人"),
                                   .table = QStringLiteral("经手人"),
                                   .codeField = QStringLiteral("编号"),
                                   .nameField = QStringLiteral("经手人"),
                                   .codeTitle = QStringLiteral("编码"),
                                   .nameTitle = QStringLiteral("经手人"),
                                   .codeLabel = QStringLiteral("编   码"),
                                   .nameLabel = QStringLiteral("经手人"),
                                   .deleteQuestion = QStringLiteral("是否删除此经手人？"),
                                   .hint = QStringLiteral("双击可以修改记录哦")});
    defs.append(
        itemList(CodeListKind::OtherExpense, QStringLiteral("其它支出项目"), QStringLiteral("其它支出")));
    defs.append(
        itemList(CodeListKind::OtherIncome, QStringLiteral("其它收入项目"), QStringLiteral("其它收入")));
    defs.append(CodeListDefinition{.kind = CodeListKind::BankAccounts,
                                   .pageCaption = QStringLiteral("银行账户资料"),
                                   .table = QStringLiteral("银行帐户表"),
                                   .codeField = QStringLiteral("编号"),
                                   .nameField = QStringLiteral("账户名称"),
                                   .amountField = QStringLiteral("期初额"),
                                   .codeTitle = QStringLiteral("编码"),
                                   .nameTitle = QStringLiteral("账户名称"),
                                   .amountTitle = QStringLiteral("期初金额"),
                                   .codeLabel = QStringLiteral("科目编码"),
                                   .nameLabel = QStringLiteral("账户名称"),
                                   .amountLabel = QStringLiteral("期初金额"),
                                   .deleteQuestion = QStringLiteral("是否删除此账户？"),
                                   .hint = QStringLiteral("双击可以修改记录哦"),
                                   .fetchCodeButton = true,
                                   .amountOnlyWhenAdding = true,
                                   .balanceFromOpening = true,
                                   .deletesLedgerRows = true,
                                   .uniqueName = true});
    defs.append(CodeListDefinition{.kind = CodeListKind::PaymentMethods,
                                   .pageCaption = QStringLiteral("付款方式"),
                                   .table = QStringLiteral("银行账户"),
                                   .codeField = QStringLiteral("科目编码"),
                                   .nameField = QStringLiteral("科目名称"),
                                   .amountField = QStringLiteral("期初额"),
                                   .codeTitle = QStringLiteral("科目编码"),
                                   .nameTitle = QStringLiteral("科目名称"),
                                   .amountTitle = QStringLiteral("期初金额"),
                                   .codeLabel = QStringLiteral("科目编码"),
                                   .nameLabel = QStringLiteral("账户名称"),
                                   .amountLabel = QStringLiteral("期初金额"),
                                   .deleteQuestion = QStringLiteral("是否删除此账户编码？"),
                                   .hint = QStringLiteral("双击可以修改记录哦"),
                                   .fetchCodeButton = true});
    return defs;
}

const QList<CodeListDefinition>& definitions()
{
    static const QList<CodeListDefinition> defs = makeDefinitions();
    return defs;
}

bool allDigits(const QString& s)
{
    return !s.isEmpty() && std::all_of(s.cbegin(), s.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// Digits without leading zeros, "0" for zero.
QString canonicalDigits(const QString& digits)
{
    qsizetype i = 0;
    while (i + 1 < digits.size() && digits.at(i) == u'0')
        ++i;
    return digits.mid(i);
}

bool lessByValue(const QString& a, const QString& b)
{
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

QString plusOne(QString digits)
{
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits.at(i) != u'9') {
            digits[i] = QChar(digits.at(i).unicode() + 1);
            return digits;
        }
        digits[i] = u'0';
    }
    return QLatin1Char('1') + digits;
}

QString duplicateCodeText()
{
    return QStringLiteral("已经有此编码,请重新获取编码!");
}

} // namespace

const CodeListDefinition& codeListDefinition(CodeListKind kind)
{
    return definitions().at(static_cast<int>(kind));
}

const QList<CodeListKind>& allCodeListKinds()
{
    static const QList<CodeListKind> kinds = {CodeListKind::Units,        CodeListKind::Handlers,
                                              CodeListKind::OtherExpense, CodeListKind::OtherIncome,
                                              CodeListKind::BankAccounts, CodeListKind::PaymentMethods};
    return kinds;
}

QString NextListCode(const QStringList& existingCodes)
{
    std::optional<QString> highest;
    for (const QString& raw : existingCodes) {
        const QString code = raw.trimmed();
        if (!allDigits(code))
            continue;
        const QString value = canonicalDigits(code);
        if (!highest || lessByValue(*highest, value))
            highest = value;
    }
    if (!highest)
        return QStringLiteral("01");
    return QLatin1Char('0') + plusOne(*highest);
}

CodeList::CodeList(Session& session, CodeListKind kind) : m_s(session), m_def(codeListDefinition(kind)) {}

Rows CodeList::list()
{
    QString select = m_def.codeField + QLatin1Char(',') + m_def.nameField;
    if (!m_def.amountField.isEmpty())
        select += QLatin1Char(',') + m_def.amountField;
    if (m_def.fixedBase)
        select += QStringLiteral(",进制");
    // By length first, so that "010" comes after "09" as the proposals count.
    try {
        return m_s.db.query(QStringLiteral("select ") + select + QStringLiteral(" from ") + m_def.table +
                            QStringLiteral(" order by length(") + m_def.codeField + QStringLiteral("),") +
                            m_def.codeField);
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
        return {};
    }
}

QString CodeList::ProposeListCode()
{
    try {
        return NextListCode(m_s.db.column(QStringLiteral("select ") + m_def.codeField +
                                          QStringLiteral(" from ") + m_def.table));
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
        return {};
    }
}

bool CodeList::codeExists(const QString& code)
{
    return m_s.db.exists(QStringLiteral("select ") + m_def.codeField + QStringLiteral(" from ") +
                             m_def.table + QStringLiteral(" where ") + m_def.codeField + QStringLiteral("=?"),
                         {code.trimmed()});
}

bool CodeList::nameTaken(const QString& name, const QString& exceptCode)
{
    return m_s.db.exists(QStringLiteral("select ") + m_def.nameField + QStringLiteral(" from ") +
                             m_def.table + QStringLiteral(" where ") + m_def.nameField +
                             QStringLiteral("=? and ") + m_def.codeField + QStringLiteral("<>?"),
                         {name, exceptCode});
}

std::optional<QString> CodeList::amountText(const QString& typed)
{
    const QString t = typed.trimmed();
    if (t.isEmpty() || t == QStringLiteral("."))
        return QStringLiteral("0");
    const std::optional<Decimal> d = Decimal::parse(t);
    if (!d)
        return std::nullopt;
    return d->toString();
}

std::optional<CodeListEntry> CodeList::BeginChange(const std::optional<CodeListEntry>& current)
{
    if (!current || current->code.trimmed().isEmpty()) {
        m_s.prompter.message(QStringLiteral("当前没有记录可修改!"));
        return std::nullopt;
    }
    return current;
}

ListSaveResult CodeList::SaveListEntry(const CodeListEntry& entry, CodeListMode mode)
{
    CodeListEntry e{entry.code.trimmed(), entry.name.trimmed(), entry.amount.trimmed()};
    if (e.name.isEmpty())
        return ListSaveResult::Ignored;
    if (e.code.isEmpty()) {
        m_s.prompter.message(mode == CodeListMode::Add ? QStringLiteral("请先获取编码!")
                                                       : QStringLiteral("当前没有记录可修改!"));
        return ListSaveResult::Refused;
    }
    try {
        return mode == CodeListMode::Add ? insert(e) : update(e);
    } catch (const DbError& err) {
        m_s.prompter.error(err.message());
        return ListSaveResult::Failed;
    }
}

ListSaveResult CodeList::insert(const CodeListEntry& e)
{
    QString amount;
    if (!m_def.amountField.isEmpty()) {
        const std::optional<QString> a = amountText(e.amount);
        if (!a) {
            m_s.prompter.message(QStringLiteral("请输入正确的期初金额!"));
            return ListSaveResult::Refused;
        }
        amount = *a;
    }
    TransactionGuard tx(m_s.db);
    // The proposal is made when "增加" is pressed; another workstation may have taken the
    // code since, and a repeated code would make the change and delete statements hit two rows.
    if (codeExists(e.code)) {
        m_s.prompter.message(duplicateCodeText());
        return ListSaveResult::Refused;
    }
    if (m_def.uniqueName && nameTaken(e.name, e.code)) {
        m_s.prompter.message(QStringLiteral("已经有此账户名称,请用其它的名称!"));
        return ListSaveResult::Refused;
    }
    const QString head = QStringLiteral("insert into ") + m_def.table + QLatin1Char('(') + m_def.codeField +
                         QLatin1Char(',') + m_def.nameField;
    if (m_def.fixedBase)
        m_s.db.exec(head + QStringLiteral(",进制) values (?,?,1)"), {e.code, e.name});
    else if (m_def.balanceFromOpening)
        m_s.db.exec(head + QStringLiteral(",") + m_def.amountField +
                        QStringLiteral(",期未额) values (?,?,?,?)"),
                    {e.code, e.name, amount, amount});
    else if (!m_def.amountField.isEmpty())
        m_s.db.exec(head + QStringLiteral(",") + m_def.amountField + QStringLiteral(") values (?,?,?)"),
                    {e.code, e.name, amount});
    else
        m_s.db.exec(head + QStringLiteral(") values (?,?)"), {e.code, e.name});
    tx.commit();
    return ListSaveResult::Saved;
}

ListSaveResult CodeList::update(const CodeListEntry& e)
{
    const QString where = QStringLiteral(" where ") + m_def.codeField + QStringLiteral("=?");
    const QString head = QStringLiteral("update ") + m_def.table + QStringLiteral(" set ") + m_def.nameField +
                         QStringLiteral("=?");
    TransactionGuard tx(m_s.db);
    if (m_def.uniqueName && nameTaken(e.name, e.code)) {
        m_s.prompter.message(QStringLiteral("已经有此账户名称,请用其它的名称!"));
        return ListSaveResult::Refused;
    }
    if (m_def.fixedBase) {
        m_s.db.exec(head + QStringLiteral(",进制=1") + where, {e.name, e.code});
    } else if (!m_def.amountField.isEmpty() && !m_def.amountOnlyWhenAdding) {
        const std::optional<QString> a = amountText(e.amount);
        if (!a) {
            m_s.prompter.message(QStringLiteral("请输入正确的期初金额!"));
            return ListSaveResult::Refused;
        }
        m_s.db.exec(head + QLatin1Char(',') + m_def.amountField + QStringLiteral("=?") + where,
                    {e.name, *a, e.code});
    } else {
        m_s.db.exec(head + where, {e.name, e.code});
    }
    tx.commit();
    return ListSaveResult::Saved;
}

ListDeleteResult CodeList::DeleteListEntry(const std::optional<CodeListEntry>& current)
{
    if (!current || current->code.trimmed().isEmpty()) {
        m_s.prompter.message(QStringLiteral("当前没有记录可删除!"));
        return ListDeleteResult::NoRow;
    }
    if (!m_s.prompter.ask(m_def.deleteQuestion, QStringLiteral("删除提示")))
        return ListDeleteResult::Cancelled;
    const QString code = current->code.trimmed();
    const QString name = current->name.trimmed();
    try {
        TransactionGuard tx(m_s.db);
        const int removed = m_s.db.exec(
            QStringLiteral("delete from ") + m_def.table + QStringLiteral(" where ") + m_def.codeField +
                QStringLiteral("=? and ") + m_def.nameField + QStringLiteral("=?"),
            {code, name});
        // The ledger rows of an account go with it, and only when the account itself went.
        if (m_def.deletesLedgerRows && removed > 0)
            m_s.db.exec(QStringLiteral("delete from 现金明细表 where 备注=?"), {name});
        tx.commit();
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
        return ListDeleteResult::Failed;
    }
    return ListDeleteResult::Deleted;
}

} // namespace mzt
