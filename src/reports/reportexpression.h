#pragma once

#include "decimal.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <memory>
#include <optional>

namespace mzt {

// One value inside a template expression. Numbers stay exact; text that reads as a
// number takes part in arithmetic as that number.
class ReportValue final
{
public:
    enum class Type
    {
        Null,
        Number,
        Text,
        Bool
    };

    ReportValue() = default;
    static ReportValue number(const Decimal& d);
    static ReportValue text(const QString& t);
    static ReportValue boolean(bool b);
    // Database and function values: numbers, text, dates, booleans; null stays null.
    static ReportValue fromVariant(const QVariant& v);

    Type type() const { return m_type; }
    bool isNull() const { return m_type == Type::Null; }
    // The number a value stands for: a number, a boolean as 1/0, or text that parses.
    std::optional<Decimal> toNumber() const;
    // Shown text; numbers in their shortest plain form, null as empty.
    QString toText() const;
    // Shown text with a number picture such as "#,##0.00"; values that are not
    // numbers are shown unchanged.
    QString toText(const QString& picture) const;
    bool isTrue() const;
    // Numbers go out as their decimal text so a window's function reads them exactly.
    QVariant toVariant() const;

private:
    Type m_type = Type::Null;
    Decimal m_number;
    QString m_text;
    bool m_bool = false;
};

// A parsed expression; built by ParseReportExpression, read by the evaluator.
struct ReportExpr
{
    enum class Kind
    {
        Literal,
        Name,
        Call,
        Unary,
        Binary
    };
    Kind kind = Kind::Literal;
    ReportValue literal;
    QString name; // a column, variable or function name; dotted names kept whole
    QString op; // "-", "not" for Unary; "+", "-", "*", "/", "&", "=", "<>", "<", ">", "<=", ">=", "and", "or"
    QList<std::shared_ptr<const ReportExpr>> args;
};
using ReportExprPtr = std::shared_ptr<const ReportExpr>;

// Answers names and function calls while an expression is evaluated. Calls receive the
// unevaluated arguments so aggregates can evaluate them once per row.
class ReportScope
{
public:
    virtual ~ReportScope() = default;
    virtual ReportValue lookup(const QString& name) const = 0;
    virtual ReportValue call(const QString& name, const QList<ReportExprPtr>& args) const = 0;
};

// Null when the text is not a well-formed expression.
ReportExprPtr ParseReportExpression(const QString& text);
// Never throws: division by zero and any failure inside a function give null.
ReportValue EvaluateReportExpression(const ReportExpr& expr, const ReportScope& scope);

// A field text split into literal pieces and [expression] pieces. "[[" stands for a
// literal "["; an unclosed "[" and everything after it is literal text.
struct ReportTextPart
{
    QString literal;
    ReportExprPtr expr;  // null for a literal piece
    bool isExpr = false; // an expression piece that failed to parse has isExpr and no expr
};
using CompiledReportText = QList<ReportTextPart>;
CompiledReportText CompileReportText(const QString& text);
// Joins the pieces; numeric expression results are shown with the picture when one is given.
QString EvaluateReportText(const CompiledReportText& text, const ReportScope& scope,
                           const QString& picture = {});

} // namespace mzt
