#include "reportexpression.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <exception>

namespace mzt {

ReportValue ReportValue::number(const Decimal& d)
{
    ReportValue v;
    v.m_type = Type::Number;
    v.m_number = d;
    return v;
}

ReportValue ReportValue::text(const QString& t)
{
    ReportValue v;
    v.m_type = Type::Text;
    v.m_text = t;
    return v;
}

ReportValue ReportValue::boolean(bool b)
{
    ReportValue v;
    v.m_type = Type::Bool;
    v.m_bool = b;
    return v;
}

ReportValue ReportValue::fromVariant(const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return {};
    if (v.metaType() == QMetaType::fromType<Decimal>())
        return number(v.value<Decimal>());
    switch (v.metaType().id()) {
    case QMetaType::Bool:
        return boolean(v.toBool());
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return number(Decimal(v.toLongLong()));
    case QMetaType::Double:
    case QMetaType::Float:
        return number(Decimal::fromDouble(v.toDouble()));
    case QMetaType::QDate:
        return text(v.toDate().toString(QStringLiteral("yyyy-MM-dd")));
    case QMetaType::QTime:
        return text(v.toTime().toString(QStringLiteral("HH:mm:ss")));
    case QMetaType::QDateTime:
        return text(v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    case QMetaType::QByteArray:
        return text(QString::fromUtf8(v.toByteArray()));
    default:
        return text(v.toString());
    }
}

std::optional<Decimal> ReportValue::toNumber() const
{
    switch (m_type) {
    case Type::Number:
        return m_number;
    case Type::Bool:
        return Decimal(m_bool ? 1 : 0);
    case Type::Text:
        return Decimal::parse(m_text);
    case Type::Null:
        break;
    }
    return std::nullopt;
}

QString ReportValue::toText() const
{
    switch (m_type) {
    case Type::Number:
        return m_number.toString();
    case Type::Text:
        return m_text;
    case Type::Bool:
        return m_bool ? QStringLiteral("1") : QStringLiteral("0");
    case Type::Null:
        break;
    }
    return {};
}

QString ReportValue::toText(const QString& picture) const
{
    if (picture.isEmpty() || m_type == Type::Bool || m_type == Type::Null)
        return toText();
    const std::optional<Decimal> n = toNumber();
    if (!n)
        return toText();
    return n->format(picture);
}

bool ReportValue::isTrue() const
{
    switch (m_type) {
    case Type::Bool:
        return m_bool;
    case Type::Number:
        return !m_number.isZero();
    case Type::Text: {
        if (const std::optional<Decimal> n = Decimal::parse(m_text))
            return !n->isZero();
        return !m_text.isEmpty();
    }
    case Type::Null:
        break;
    }
    return false;
}

QVariant ReportValue::toVariant() const
{
    switch (m_type) {
    case Type::Number:
        return m_number.toString();
    case Type::Text:
        return m_text;
    case Type::Bool:
        return m_bool;
    case Type::Null:
        break;
    }
    return {};
}

namespace {

struct Token
{
    enum class Kind
    {
        End,
        Number,
        String,
        Name,
        Op,
        Error
    };
    Kind kind = Kind::End;
    QString text;
};

bool isNameStart(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_');
}

bool isNamePart(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c.category() == QChar::Mark_NonSpacing;
}

class Lexer final
{
public:
    explicit Lexer(const QString& text) : m_text(text) {}

    Token next()
    {
        while (m_pos < m_text.size() && m_text.at(m_pos).isSpace())
            ++m_pos;
        if (m_pos >= m_text.size())
            return {Token::Kind::End, {}};
        const QChar c = m_text.at(m_pos);
        if (c.isDigit() ||
            (c == QLatin1Char('.') && m_pos + 1 < m_text.size() && m_text.at(m_pos + 1).isDigit()))
            return number();
        if (c == QLatin1Char('\'') || c == QLatin1Char('"'))
            return quoted(c, Token::Kind::String);
        if (c == QLatin1Char('`'))
            return quoted(c, Token::Kind::Name);
        if (isNameStart(c)) {
            const qsizetype start = m_pos;
            while (m_pos < m_text.size() && isNamePart(m_text.at(m_pos)))
                ++m_pos;
            const QString word = m_text.mid(start, m_pos - start);
            const QString lower = word.toLower();
            if (lower == u"and" || lower == u"or" || lower == u"not")
                return {Token::Kind::Op, lower};
            return {Token::Kind::Name, word};
        }
        static const QStringList twoChar = {QStringLiteral("<="), QStringLiteral(">="), QStringLiteral("<>"),
                                            QStringLiteral("!=")};
        const QString two = m_text.mid(m_pos, 2);
        if (twoChar.contains(two)) {
            m_pos += 2;
            return {Token::Kind::Op, two == u"!=" ? QStringLiteral("<>") : two};
        }
        if (QStringLiteral("+-*/&=<>(),.").contains(c)) {
            ++m_pos;
            return {Token::Kind::Op, QString(c)};
        }
        m_pos = m_text.size();
        return {Token::Kind::Error, {}};
    }

private:
    Token number()
    {
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && m_text.at(m_pos).isDigit())
            ++m_pos;
        if (m_pos < m_text.size() && m_text.at(m_pos) == QLatin1Char('.')) {
            ++m_pos;
            while (m_pos < m_text.size() && m_text.at(m_pos).isDigit())
                ++m_pos;
        }
        return {Token::Kind::Number, m_text.mid(start, m_pos - start)};
    }

    // A quote inside is written twice.
    Token quoted(QChar quote, Token::Kind kind)
    {
        QString out;
        ++m_pos;
        while (m_pos < m_text.size()) {
            const QChar c = m_text.at(m_pos++);
            if (c == quote) {
                if (m_pos < m_text.size() && m_text.at(m_pos) == quote) {
                    out.append(quote);
                    ++m_pos;
                    continue;
                }
                return {kind, out};
            }
            out.append(c);
        }
        return {Token::Kind::Error, {}};
    }

    const QString& m_text;
    qsizetype m_pos = 0;
};

class Parser final
{
public:
    explicit Parser(const QString& text) : m_lexer(text) { advance(); }

    ReportExprPtr parseAll()
    {
        ReportExprPtr e = orExpr();
        if (!e || m_tok.kind != Token::Kind::End)
            return nullptr;
        return e;
    }

private:
    void advance() { m_tok = m_lexer.next(); }
    bool isOp(const char* op) const
    {
        return m_tok.kind == Token::Kind::Op && m_tok.text == QLatin1String(op);
    }

    static ReportExprPtr binary(const QString& op, ReportExprPtr a, ReportExprPtr b)
    {
        auto e = std::make_shared<ReportExpr>();
        e->kind = ReportExpr::Kind::Binary;
        e->op = op;
        e->args = {std::move(a), std::move(b)};
        return e;
    }

    // Nesting deeper than any real field text is refused rather than run off the stack.
    struct DepthGuard
    {
        explicit DepthGuard(int& depth) : m_depth(depth) { ++m_depth; }
        ~DepthGuard() { --m_depth; }
        int& m_depth;
    };
    static constexpr int maxDepth = 64;

    ReportExprPtr orExpr()
    {
        const DepthGuard guard(m_depth);
        if (m_depth > maxDepth)
            return nullptr;
        ReportExprPtr left = andExpr();
        while (left && isOp("or")) {
            advance();
            ReportExprPtr right = andExpr();
            if (!right)
                return nullptr;
            left = binary(QStringLiteral("or"), left, right);
        }
        return left;
    }

    ReportExprPtr andExpr()
    {
        ReportExprPtr left = notExpr();
        while (left && isOp("and")) {
            advance();
            ReportExprPtr right = notExpr();
            if (!right)
                return nullptr;
            left = binary(QStringLiteral("and"), left, right);
        }
        return left;
    }

    ReportExprPtr notExpr()
    {
        const DepthGuard guard(m_depth);
        if (m_depth > maxDepth)
            return nullptr;
        if (isOp("not")) {
            advance();
            ReportExprPtr inner = notExpr();
            if (!inner)
                return nullptr;
            auto e = std::make_shared<ReportExpr>();
            e->kind = ReportExpr::Kind::Unary;
            e->op = QStringLiteral("not");
            e->args = {inner};
            return e;
        }
        return comparison();
    }

    ReportExprPtr comparison()
    {
        ReportExprPtr left = additive();
        if (!left)
            return nullptr;
        if (isOp("=") || isOp("<>") || isOp("<") || isOp(">") || isOp("<=") || isOp(">=")) {
            const QString op = m_tok.text;
            advance();
            ReportExprPtr right = additive();
            if (!right)
                return nullptr;
            return binary(op, left, right);
        }
        return left;
    }

    ReportExprPtr additive()
    {
        ReportExprPtr left = multiplicative();
        while (left && (isOp("+") || isOp("-") || isOp("&"))) {
            const QString op = m_tok.text;
            advance();
            ReportExprPtr right = multiplicative();
            if (!right)
                return nullptr;
            left = binary(op, left, right);
        }
        return left;
    }

    ReportExprPtr multiplicative()
    {
        ReportExprPtr left = unary();
        while (left && (isOp("*") || isOp("/"))) {
            const QString op = m_tok.text;
            advance();
            ReportExprPtr right = unary();
            if (!right)
                return nullptr;
            left = binary(op, left, right);
        }
        return left;
    }

    ReportExprPtr unary()
    {
        const DepthGuard guard(m_depth);
        if (m_depth > maxDepth)
            return nullptr;
        if (isOp("-") || isOp("+")) {
            const bool negate = isOp("-");
            advance();
            ReportExprPtr inner = unary();
            if (!inner || !negate)
                return inner;
            auto e = std::make_shared<ReportExpr>();
            e->kind = ReportExpr::Kind::Unary;
            e->op = QStringLiteral("-");
            e->args = {inner};
            return e;
        }
        return primary();
    }

    ReportExprPtr primary()
    {
        auto e = std::make_shared<ReportExpr>();
        switch (m_tok.kind) {
        case Token::Kind::Number: {
            const std::optional<Decimal> d = Decimal::parse(m_tok.text);
            if (!d)
                return nullptr;
            e->literal = ReportValue::number(*d);
            advance();
            return e;
        }
        case Token::Kind::String:
            e->literal = ReportValue::text(m_tok.text);
            advance();
            return e;
        case Token::Kind::Name: {
            QString name = m_tok.text;
            advance();
            while (isOp(".")) {
                advance();
                if (m_tok.kind != Token::Kind::Name)
                    return nullptr;
                name += QLatin1Char('.') + m_tok.text;
                advance();
            }
            e->name = name;
            if (!isOp("(")) {
                e->kind = ReportExpr::Kind::Name;
                return e;
            }
            advance();
            e->kind = ReportExpr::Kind::Call;
            if (isOp(")")) {
                advance();
                return e;
            }
            for (;;) {
                ReportExprPtr arg = orExpr();
                if (!arg)
                    return nullptr;
                e->args.append(arg);
                if (isOp(",")) {
                    advance();
                    continue;
                }
                if (isOp(")")) {
                    advance();
                    return e;
                }
                return nullptr;
            }
        }
        case Token::Kind::Op:
            if (isOp("(")) {
                advance();
                ReportExprPtr inner = orExpr();
                if (!inner || !isOp(")"))
                    return nullptr;
                advance();
                return inner;
            }
            return nullptr;
        case Token::Kind::End:
        case Token::Kind::Error:
            break;
        }
        return nullptr;
    }

    Lexer m_lexer;
    Token m_tok;
    int m_depth = 0;
};

int compareValues(const ReportValue& a, const ReportValue& b)
{
    if (a.isNull() && b.isNull())
        return 0;
    const std::optional<Decimal> x = a.toNumber();
    const std::optional<Decimal> y = b.toNumber();
    if (x && y)
        return *x < *y ? -1 : (*y < *x ? 1 : 0);
    return a.toText().compare(b.toText());
}

// A blank operand beside a number counts as 0, as a report's empty cell would.
bool numericOperands(const ReportValue& a, const ReportValue& b, Decimal& x, Decimal& y)
{
    const std::optional<Decimal> na = a.toNumber();
    const std::optional<Decimal> nb = b.toNumber();
    if (na && nb) {
        x = *na;
        y = *nb;
        return true;
    }
    if (na && b.isNull()) {
        x = *na;
        y = Decimal();
        return true;
    }
    if (nb && a.isNull()) {
        x = Decimal();
        y = *nb;
        return true;
    }
    return false;
}

ReportValue evaluate(const ReportExpr& e, const ReportScope& scope)
{
    switch (e.kind) {
    case ReportExpr::Kind::Literal:
        return e.literal;
    case ReportExpr::Kind::Name:
        return scope.lookup(e.name);
    case ReportExpr::Kind::Call:
        return scope.call(e.name, e.args);
    case ReportExpr::Kind::Unary: {
        const ReportValue v = evaluate(*e.args.at(0), scope);
        if (e.op == u"not")
            return ReportValue::boolean(!v.isTrue());
        if (const std::optional<Decimal> n = v.toNumber())
            return ReportValue::number(-*n);
        return {};
    }
    case ReportExpr::Kind::Binary:
        break;
    }

    if (e.op == u"and") {
        if (!evaluate(*e.args.at(0), scope).isTrue())
            return ReportValue::boolean(false);
        return ReportValue::boolean(evaluate(*e.args.at(1), scope).isTrue());
    }
    if (e.op == u"or") {
        if (evaluate(*e.args.at(0), scope).isTrue())
            return ReportValue::boolean(true);
        return ReportValue::boolean(evaluate(*e.args.at(1), scope).isTrue());
    }

    const ReportValue a = evaluate(*e.args.at(0), scope);
    const ReportValue b = evaluate(*e.args.at(1), scope);
    const QString& op = e.op;
    if (op == u"&")
        return a.isNull() && b.isNull() ? ReportValue() : ReportValue::text(a.toText() + b.toText());
    if (op == u"=")
        return ReportValue::boolean(compareValues(a, b) == 0);
    if (op == u"<>")
        return ReportValue::boolean(compareValues(a, b) != 0);
    if (op == u"<")
        return ReportValue::boolean(compareValues(a, b) < 0);
    if (op == u">")
        return ReportValue::boolean(compareValues(a, b) > 0);
    if (op == u"<=")
        return ReportValue::boolean(compareValues(a, b) <= 0);
    if (op == u">=")
        return ReportValue::boolean(compareValues(a, b) >= 0);

    if (a.isNull() && b.isNull())
        return {};
    Decimal x;
    Decimal y;
    if (!numericOperands(a, b, x, y)) {
        // "+" between texts joins them; the other operators need numbers.
        if (op == u"+")
            return ReportValue::text(a.toText() + b.toText());
        return {};
    }
    if (op == u"+")
        return ReportValue::number(x + y);
    if (op == u"-")
        return ReportValue::number(x - y);
    if (op == u"*")
        return ReportValue::number(x * y);
    if (op == u"/")
        return ReportValue::number(x / y);
    return {};
}

} // namespace

ReportExprPtr ParseReportExpression(const QString& text)
{
    return Parser(text).parseAll();
}

ReportValue EvaluateReportExpression(const ReportExpr& expr, const ReportScope& scope)
{
    try {
        return evaluate(expr, scope);
    } catch (const std::exception&) {
        // Division by zero, overflow or a failing function: the field stays blank.
        return {};
    }
}

CompiledReportText CompileReportText(const QString& text)
{
    CompiledReportText parts;
    QString literal;
    auto flushLiteral = [&] {
        if (!literal.isEmpty()) {
            ReportTextPart p;
            p.literal = literal;
            parts.append(p);
            literal.clear();
        }
    };

    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('[')) {
            literal.append(c);
            ++i;
            continue;
        }
        if (i + 1 < n && text.at(i + 1) == QLatin1Char('[')) {
            literal.append(c);
            i += 2;
            continue;
        }
        // Find the closing bracket, stepping over quoted texts and nested brackets.
        qsizetype j = i + 1;
        int depth = 1;
        QChar quote;
        for (; j < n; ++j) {
            const QChar d = text.at(j);
            if (!quote.isNull()) {
                if (d == quote)
                    quote = QChar();
                continue;
            }
            if (d == QLatin1Char('\'') || d == QLatin1Char('"') || d == QLatin1Char('`'))
                quote = d;
            else if (d == QLatin1Char('['))
                ++depth;
            else if (d == QLatin1Char(']') && --depth == 0)
                break;
        }
        if (j >= n) {
            literal.append(text.mid(i));
            break;
        }
        flushLiteral();
        ReportTextPart p;
        p.isExpr = true;
        p.expr = ParseReportExpression(text.mid(i + 1, j - i - 1));
        parts.append(p);
        i = j + 1;
    }
    flushLiteral();
    return parts;
}

QString EvaluateReportText(const CompiledReportText& text, const ReportScope& scope, const QString& picture)
{
    QString out;
    for (const ReportTextPart& p : text) {
        if (!p.isExpr)
            out += p.literal;
        else if (p.expr)
            out += EvaluateReportExpression(*p.expr, scope).toText(picture);
    }
    return out;
}

} // namespace mzt
