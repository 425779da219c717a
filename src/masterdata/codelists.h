#pragma once

// The code lists of the basic-settings window: units, handlers, other expense and income
// items, bank accounts and payment subjects. Each is a table of a code ("01", "02" ...)
// and a name, the two account tables with an opening amount as well; one page component
// edits all of them, configured by the definition of its kind.

#include "database.h"
#include "session.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace mzt {

enum class CodeListKind
{
    Units,          // 单位
    Handlers,       // 经手人
    OtherExpense,   // 其它支出
    OtherIncome,    // 其它收入
    BankAccounts,   // 银行帐户表
    PaymentMethods, // 银行账户 (account subjects)
};

enum class CodeListMode
{
    Add,
    Change,
};

struct CodeListDefinition
{
    CodeListKind kind = CodeListKind::Units;
    QString pageCaption = {}; // tab of the basic-settings window
    QString table = {};
    QString codeField = {};
    QString nameField = {};
    QString amountField = {}; // the opening amount of the account tables; empty elsewhere
    QString codeTitle = {};   // list column titles
    QString nameTitle = {};
    QString amountTitle = {};
    QString codeLabel = {}; // box labels
    QString nameLabel = {};
    QString amountLabel = {};
    QString deleteQuestion = {};
    QString hint = {};                 // line under the list; none when empty
    bool fetchCodeButton = false;      // the page has "获取编码"
    bool amountOnlyWhenAdding = false; // an account's opening amount is fixed once it exists
    bool balanceFromOpening = false;   // a new account's 期未额 starts at its 期初额
    bool deletesLedgerRows = false;    // an account takes its cash-ledger rows with it
    bool uniqueName = false;           // other tables refer to accounts by name
    bool fixedBase = false;            // units: 进制 is always 1
};

const CodeListDefinition& codeListDefinition(CodeListKind kind);
// In the order of the basic-settings window's pages.
const QList<CodeListKind>& allCodeListKinds();

struct CodeListEntry
{
    QString code;
    QString name;
    QString amount; // opening amount as typed; empty counts as 0
};

// "0" followed by the highest all-digit code plus one, "01" when no code is all digits.
// Codes are compared by value, so "010" follows "09" and the next after "010" is "011";
// a code of other characters never equals a proposal.
QString NextListCode(const QStringList& existingCodes);

enum class ListSaveResult
{
    Ignored, // the name is empty: nothing happens
    Refused, // a message told why; nothing written
    Saved,
    Failed, // the database refused; rolled back, its text shown
};

enum class ListDeleteResult
{
    NoRow,
    Cancelled,
    Deleted,
    Failed,
};

class CodeList final
{
public:
    CodeList(Session& session, CodeListKind kind);

    const CodeListDefinition& definition() const { return m_def; }
    CodeListKind kind() const { return m_def.kind; }

    // Code, name (and amount) columns under the field names of the table.
    Rows list();

    QString ProposeListCode();
    bool codeExists(const QString& code);

    // The row to load into the boxes for a change; shows "当前没有记录可修改!" without one.
    std::optional<CodeListEntry> BeginChange(const std::optional<CodeListEntry>& current);

    ListSaveResult SaveListEntry(const CodeListEntry& entry, CodeListMode mode);

    // Asks the page's question first; shows "当前没有记录可删除!" without a current row.
    ListDeleteResult DeleteListEntry(const std::optional<CodeListEntry>& current);

private:
    ListSaveResult insert(const CodeListEntry& e);
    ListSaveResult update(const CodeListEntry& e);
    std::optional<QString> amountText(const QString& typed);
    bool nameTaken(const QString& name, const QString& exceptCode);

    Session& m_s;
    const CodeListDefinition& m_def;
};

} // namespace mzt
