#include "masterlist.h"

#include "rights.h"

#include <exception>
#include <utility>

namespace mzt {

namespace {

// "!" escapes the LIKE wildcards; both engines take an explicit ESCAPE character.
constexpr QChar likeEscape = QLatin1Char('!');

QString fieldOrThrow(const MasterListConfig& config, const QString& field)
{
    if (!config.column(field))
        throw InvalidNameError(field, QStringLiteral("不是本资料的列"));
    return quoteIdentifier(field);
}

// The server's text of a refused statement, else the text of whatever a hook threw.
QString errorText(const std::exception& e)
{
    if (const auto* db = dynamic_cast<const DbError*>(&e))
        return db->message();
    return QString::fromUtf8(e.what());
}

} // namespace

FieldValues trimmedValues(const FieldValues& values)
{
    FieldValues out;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        out.insert(it.key(), it.value().trimmed());
    return out;
}

const MasterColumn* MasterListConfig::column(const QString& field) const
{
    for (const MasterColumn& c : columns) {
        if (c.field == field)
            return &c;
    }
    return nullptr;
}

QStringList MasterListConfig::fields() const
{
    QStringList out;
    for (const MasterColumn& c : columns)
        out << c.field;
    return out;
}

QStringList MasterListConfig::savedFields() const
{
    QStringList out;
    for (const MasterColumn& c : columns) {
        if (c.saved)
            out << c.field;
    }
    return out;
}

MasterListLogic::MasterListLogic(Session& session, MasterListConfig config)
    : m_session(session), m_config(std::move(config))
{
    quoteIdentifier(m_config.table);
    for (const MasterColumn& c : m_config.columns)
        quoteIdentifier(c.field);
}

MasterListLogic::~MasterListLogic() = default;

QString MasterListLogic::selectList() const
{
    QStringList parts;
    for (const MasterColumn& c : m_config.columns)
        parts << quoteIdentifier(c.field);
    return parts.join(QLatin1Char(','));
}

QString MasterListLogic::baseSelect() const
{
    return QStringLiteral("select ") + selectList() + QStringLiteral(" from ") +
           quoteIdentifier(m_config.table);
}

QString MasterListLogic::containsPattern(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size() + 4);
    for (const QChar c : text) {
        if (c == likeEscape || c == QLatin1Char('%') || c == QLatin1Char('_'))
            escaped += likeEscape;
        escaped += c;
    }
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}

Rows MasterListLogic::select(const QString& selectList, const SqlCondition& condition, const QString& orderBy)
{
    QString sql =
        QStringLiteral("select ") + selectList + QStringLiteral(" from ") + quoteIdentifier(m_config.table);
    if (!condition.sql.isEmpty())
        sql += QStringLiteral(" where ") + condition.sql;
    if (!orderBy.isEmpty())
        sql += QStringLiteral(" order by ") + orderBy;
    return m_session.db.query(sql, condition.values);
}

Rows MasterListLogic::loadOpening()
{
    m_lastCondition = {m_config.listCondition, {}};
    return select(selectList(), m_lastCondition, m_config.openOrderBy);
}

Rows MasterListLogic::loadAll()
{
    m_lastCondition = {m_config.listCondition, {}};
    return select(selectList(), m_lastCondition, m_config.orderBy);
}

Rows MasterListLogic::loadOrdered(const QString& field, bool ascending)
{
    const QString order =
        fieldOrThrow(m_config, field) + (ascending ? QStringLiteral(" asc") : QStringLiteral(" desc"));
    m_lastCondition = {m_config.listCondition, {}};
    return select(selectList(), m_lastCondition, order);
}

Rows MasterListLogic::loadWhereEquals(const QString& field, const QString& value)
{
    m_lastCondition = {fieldOrThrow(m_config, field) + QStringLiteral("=?"), {value.trimmed()}};
    return select(selectList(), m_lastCondition, m_config.orderBy);
}

SqlCondition MasterListLogic::filterCondition(const FieldValues& boxes) const
{
    SqlCondition c;
    QStringList terms;
    const Dialect& dialect = m_session.db.dialect();
    for (const MasterColumn& col : m_config.columns) {
        if (!col.filter)
            continue;
        const QString text = boxes.value(col.field).trimmed();
        if (text.isEmpty())
            continue;
        terms << dialect.likeInsensitive(quoteIdentifier(col.field)) + QStringLiteral(" escape '!'");
        c.values << containsPattern(text);
    }
    c.sql = terms.join(QStringLiteral(" and "));
    return c;
}

Rows MasterListLogic::filter(const FieldValues& boxes)
{
    m_lastCondition = filterCondition(boxes);
    return select(selectList(), m_lastCondition, m_config.orderBy);
}

SqlCondition MasterListLogic::keyCondition(const QStringList& fields, const FieldValues& values) const
{
    SqlCondition c;
    QStringList terms;
    for (const QString& f : fields) {
        terms << quoteIdentifier(f) + QStringLiteral("=?");
        c.values << values.value(f).trimmed();
    }
    c.sql = terms.join(QStringLiteral(" and "));
    return c;
}

void MasterListLogic::log(const QString& text, const FieldValues& boxes)
{
    if (text.isEmpty())
        return;
    const LoginContext& login = m_session.login;
    WriteOperationLog(m_session.db, login.ComputerName, login.OperatorName, login.JobNo,
                      QStringLiteral("重要"), text + boxes.value(m_config.logNameField).trimmed());
}

bool MasterListLogic::checkBeforeSave(const FieldValues&, bool)
{
    return true;
}
void MasterListLogic::beforeInsert(const FieldValues&) {}
void MasterListLogic::afterInsert(const FieldValues&) {}
void MasterListLogic::afterUpdate(const FieldValues&, const FieldValues&) {}
void MasterListLogic::beforeDelete(const FieldValues&) {}
void MasterListLogic::afterDelete(const FieldValues&) {}

SaveResult MasterListLogic::save(const FieldValues& rawBoxes, const FieldValues& rawCurrentRow)
{
    Prompter& prompter = m_session.prompter;
    Database& db = m_session.db;
    const FieldValues boxes = trimmedValues(rawBoxes);
    const FieldValues currentRow = trimmedValues(rawCurrentRow);

    for (const MasterColumn& c : m_config.columns) {
        if (c.required && boxes.value(c.field).isEmpty()) {
            if (!m_config.requiredMessage.isEmpty())
                prompter.message(m_config.requiredMessage, m_config.requiredTitle, MessageKind::Warning);
            return SaveResult::Refused;
        }
    }

    // The row being saved: key values from the boxes or from the row being edited.
    FieldValues keys;
    QStringList keyFields;
    for (const MasterKey& k : m_config.saveKeys) {
        keyFields << k.field;
        keys.insert(k.field, k.source == KeySource::Box ? boxes.value(k.field) : currentRow.value(k.field));
    }
    const SqlCondition where = keyCondition(keyFields, keys);

    bool found = false;
    try {
        found = db.exists(QStringLiteral("select 1 from ") + quoteIdentifier(m_config.table) +
                              QStringLiteral(" where ") + where.sql,
                          where.values);
    } catch (const DbError& e) {
        prompter.error(e.message(), m_config.messageTitle);
        return SaveResult::Failed;
    }

    if (!checkBeforeSave(boxes, !found))
        return SaveResult::Refused;

    const QStringList saved = m_config.savedFields();
    if (!found) {
        if (!m_config.askInsertText.isEmpty() &&
            !prompter.ask(m_config.askInsertText, m_config.askInsertTitle))
            return SaveResult::Cancelled;
        try {
            TransactionGuard tx(db);
            log(m_config.logInsert, boxes);
            beforeInsert(boxes);
            QStringList names;
            QStringList marks;
            QVariantList values;
            for (const QString& f : saved) {
                names << quoteIdentifier(f);
                marks << QStringLiteral("?");
                values << boxes.value(f);
            }
            db.exec(QStringLiteral("insert into ") + quoteIdentifier(m_config.table) + QLatin1Char('(') +
                        names.join(QLatin1Char(',')) + QStringLiteral(") values(") +
                        marks.join(QLatin1Char(',')) + QLatin1Char(')'),
                    values);
            afterInsert(boxes);
            tx.commit();
        } catch (const std::exception& e) {
            prompter.error(m_config.insertFailedMessage.isEmpty() ? errorText(e)
                                                                  : m_config.insertFailedMessage,
                           m_config.messageTitle);
            return SaveResult::Failed;
        }
        if (!m_config.insertedMessage.isEmpty())
            prompter.message(m_config.insertedMessage, m_config.messageTitle);
        return SaveResult::Inserted;
    }

    if (!m_config.askUpdateText.isEmpty() && !prompter.ask(m_config.askUpdateText, m_config.askUpdateTitle))
        return SaveResult::Cancelled;
    try {
        TransactionGuard tx(db);
        log(m_config.logUpdate, boxes);
        // Key columns matched by their own box hold that value already.
        QStringList sets;
        QVariantList values;
        for (const QString& f : saved) {
            bool boxKey = false;
            for (const MasterKey& k : m_config.saveKeys)
                boxKey = boxKey || (k.field == f && k.source == KeySource::Box);
            if (boxKey)
                continue;
            sets << quoteIdentifier(f) + QStringLiteral("=?");
            values << boxes.value(f);
        }
        if (!sets.isEmpty()) {
            db.exec(QStringLiteral("update ") + quoteIdentifier(m_config.table) + QStringLiteral(" set ") +
                        sets.join(QLatin1Char(',')) + QStringLiteral(" where ") + where.sql,
                    values + where.values);
        }
        afterUpdate(boxes, keys);
        tx.commit();
    } catch (const std::exception& e) {
        prompter.error(m_config.updateFailedMessage.isEmpty() ? errorText(e) : m_config.updateFailedMessage,
                       m_config.messageTitle);
        return SaveResult::Failed;
    }
    if (!m_config.updatedMessage.isEmpty())
        prompter.message(m_config.updatedMessage, m_config.messageTitle);
    return SaveResult::Updated;
}

DeleteResult MasterListLogic::remove(const FieldValues& rawCurrentRow, const FieldValues& rawBoxes,
                                     bool askFirst)
{
    Prompter& prompter = m_session.prompter;
    Database& db = m_session.db;
    const FieldValues row = trimmedValues(rawCurrentRow);
    const FieldValues boxes = trimmedValues(rawBoxes);

    QStringList keyFields = m_config.deleteKeys;
    if (keyFields.isEmpty()) {
        for (const MasterKey& k : m_config.saveKeys)
            keyFields << k.field;
    }
    if (row.isEmpty()) {
        if (!m_config.nothingToDeleteMessage.isEmpty())
            prompter.message(m_config.nothingToDeleteMessage, m_config.messageTitle);
        return DeleteResult::NoRow;
    }
    if (askFirst && !m_config.askDeleteText.isEmpty() &&
        !prompter.ask(m_config.askDeleteText, m_config.askDeleteTitle))
        return DeleteResult::Cancelled;

    const SqlCondition where = keyCondition(keyFields, row);
    try {
        TransactionGuard tx(db);
        log(m_config.logDelete, boxes);
        beforeDelete(row);
        const int n = db.exec(QStringLiteral("delete from ") + quoteIdentifier(m_config.table) +
                                  QStringLiteral(" where ") + where.sql,
                              where.values);
        if (n == 0) {
            // The row went away meanwhile (another workstation): nothing to report as deleted.
            if (!m_config.nothingToDeleteMessage.isEmpty())
                prompter.message(m_config.nothingToDeleteMessage, m_config.messageTitle);
            return DeleteResult::NoRow;
        }
        afterDelete(row);
        tx.commit();
    } catch (const std::exception& e) {
        if (!m_config.deleteFailedMessage.isEmpty())
            prompter.error(m_config.deleteFailedMessage, m_config.messageTitle);
        else if (m_config.showDeleteError)
            prompter.error(errorText(e), m_config.messageTitle);
        return DeleteResult::Failed;
    }
    if (!m_config.deletedMessage.isEmpty())
        prompter.message(m_config.deletedMessage, m_config.messageTitle);
    return DeleteResult::Deleted;
}

} // namespace mzt
