#pragma once

// Members (会员) with their two discount levels (会员活动); the POS window finds a member
// by 卡号 and reads the factor of the member's type.

#include "decimal.h"
#include "masterlist.h"

#include <optional>

namespace mzt {

// The twelve columns of the member window, in the order an insert lists them; 性别 is
// a choice that takes no part in the filter and keeps its choice on a row click.
MasterListConfig memberListConfig();

// The two discount factors as the panel shows them ("0.00"; "0.0" when 会员活动 is empty).
struct MemberDiscountTexts
{
    QString gold;   // 黄金会员折扣
    QString normal; // 普通会员折扣
};

// The member window's logic (Tfrm_hyxx).
//
// SaveMember looks the member up by 快捷码 alone: no row asks "是否保存此会员？" and
// inserts, a row is changed without a question, whatever the other fields hold. Both write
// a log row. DeleteMember removes the current row without a question.
class MemberList final : public MasterListLogic
{
public:
    explicit MemberList(Session& session);

    static QStringList memberTypes()
    {
        return {QStringLiteral("普通会员折扣"), QStringLiteral("黄金会员折扣")};
    }
    static QStringList sexes() { return {QStringLiteral("男"), QStringLiteral("女")}; }
    static QString instructions()
    {
        return QStringLiteral(
            "操作说明:点击[开始]按钮，在下面的输入框中输入会员资料后点击[保存]按钮则为新增会员,"
            "如果点击[查找]按钮则为查询会员资料.");
    }
    // The columns the sort panel offers (every column but 性别).
    static QStringList sortFields();

    Rows open() { return loadOpening(); }
    Rows FindMembers(const FieldValues& boxes) { return filter(boxes); }
    Rows SortMembers(const QString& field, bool ascending) { return loadOrdered(field, ascending); }
    SaveResult SaveMember(const FieldValues& fields) { return save(fields); }
    DeleteResult DeleteMember(const FieldValues& currentRow) { return remove(currentRow, {}, false); }

    // "会员打折设置": false, after the standard refusal, without the right "会员折扣设置".
    bool mayEditDiscounts();
    MemberDiscountTexts loadDiscounts();
    // "设 置": both factors must be numbers not below 0; then 会员活动 holds exactly the two
    // rows, written in one transaction, and "设置成功!" is shown.
    bool SetMemberDiscounts(const QString& gold, const QString& normal);
};

} // namespace mzt
