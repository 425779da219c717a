#pragma once

// The logic behind every master-data list window (warehouses, salespersons, members,
// customers, suppliers, handlers ...): one list of a table plus one box per column.
//
// A window describes its table once in a MasterListConfig and hands it to a
// MasterListLogic (or a subclass that adds checks and follow-up work):
//
//   MasterListConfig c;
//   c.table = QStringLiteral("业务员");
//   c.columns = {{.field = "客服代号", .caption = "客服代号*", .required = true},
//                {.field = "业务员姓名", .caption = "业务员姓名*", .required = true}, ...};
//   c.saveKeys = {{"客服代号", KeySource::Box}, {"业务员姓名", KeySource::CurrentRow}};
//   c.orderBy = QStringLiteral("客服代号 asc");
//   c.requiredMessage = QStringLiteral("请你确保:带[*]的资料不为空!");
//   c.askInsertText = QStringLiteral("是否保存此业务员？");
//   c.logNameField = QStringLiteral("业务员姓名");
//   c.logInsert = QStringLiteral("新增加业务员资料,业务员名为:");
//   MasterListLogic logic(session, c);
//   logic.save(boxes, currentRow);   // looks the row up, asks, inserts or updates
//   logic.filter(boxes);             // one like term per non-empty box
//
// Values travel as FieldValues (column name → text); the logic trims them. Every text is
// bound, never spliced; the typed filter text is matched literally ("%", "_" and "'" are
// plain characters), ignoring letter case. Messages and questions go through the session's
// prompter with the texts of the config. Save and delete each run in one transaction,
// together with the subclass's hooks; a hook that throws rolls the whole action back.

#include "database.h"
#include "prompter.h"
#include "session.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace mzt {

using FieldValues = QHash<QString, QString>;

// How a box is edited in the window.
enum class BoxKind
{
    Text,           // single-line edit box
    Choice,         // drop-down list of the choices only
    EditableChoice, // drop-down list that also takes typed text
    Number,         // edit box taking digits, "." and "-" only
};

// Where the save look-up takes a key column's value from.
enum class KeySource
{
    Box,        // the text typed in the column's box
    CurrentRow, // the value of the list row being edited (empty when the list is empty)
};

struct MasterColumn
{
    QString field;          // column of the table
    QString caption = {};   // label of the box; the field name when empty
    QString listTitle = {}; // title in the list; the caption without "*" and "：" when empty
    BoxKind kind = BoxKind::Text;
    QStringList choices = {}; // items of a Choice / EditableChoice box
    int width = 0;            // list column width in pixels; 0 fits the contents
    int boxWidth = 0;         // minimum box width in pixels; 0 uses the window's default
    bool required = false;    // must not be empty (trimmed) when saving
    bool filter = true;       // gives a like term in query mode
    bool fillFromRow = true;  // a row click puts the row's value into the box
    bool inList = true;       // shown as a list column
    bool saved = true;        // written by insert and update
};

struct MasterKey
{
    QString field;
    KeySource source = KeySource::Box;
};

// A where clause with its bound values; empty sql means "every row".
struct SqlCondition
{
    QString sql;
    QVariantList values;
};

struct MasterListConfig
{
    QString table;
    QList<MasterColumn> columns;
    // Columns the save look-up matches ("... where 货位编码=? and 货位名称=?").
    QList<MasterKey> saveKeys;
    // Columns of the current row a delete matches; the saveKeys' fields when empty.
    QStringList deleteKeys;
    // Fixed order clauses written by the window ("货位编码 asc"), never typed text.
    QString openOrderBy; // the list when the window opens
    QString orderBy;     // every reload
    // Fixed condition of the unfiltered list ("公司名<>''"); empty for all rows.
    QString listCondition;

    // Texts. Empty message texts show nothing; an empty question text asks nothing.
    QString requiredMessage = QStringLiteral("请你确保带 [*] 的资料不为空!");
    QString requiredTitle = QStringLiteral("操作提示");
    QString askInsertText;
    QString askInsertTitle = QStringLiteral("系统提示");
    QString askUpdateText; // asked before an update when given
    QString askUpdateTitle = QStringLiteral("系统提示");
    QString insertedMessage = QStringLiteral("保存成功！");
    QString insertFailedMessage = QStringLiteral("保存失败！"); // any failure of the insert branch
    QString updatedMessage = QStringLiteral("修改成功！");
    QString updateFailedMessage; // empty: the database's own text is shown
    QString askDeleteText;
    QString askDeleteTitle = QStringLiteral("删除提示");
    QString deletedMessage = QStringLiteral("删除成功！");
    QString deleteFailedMessage;    // empty: a failing delete is silent
    QString nothingToDeleteMessage; // empty list; empty text: silent
    QString emptyExportMessage = QStringLiteral("当前无数据可导出!");
    QString messageTitle = QStringLiteral("操作提示");

    // Operation log rows (nature "重要"): content = text + the trimmed box of logNameField.
    // An empty text writes no row.
    QString logNameField;
    QString logInsert;
    QString logUpdate;
    QString logDelete;

    // A failing delete shows the database's text when deleteFailedMessage is empty.
    bool showDeleteError = false;

    const MasterColumn* column(const QString& field) const;
    QStringList fields() const;      // every configured column, in order
    QStringList savedFields() const; // the columns insert writes
};

enum class SaveResult
{
    Refused,   // a required box empty or a check refused; nothing written
    Cancelled, // the question was answered No
    Inserted,
    Updated,
    Failed, // the database refused; rolled back, message shown
};

enum class DeleteResult
{
    NoRow, // nothing to delete
    Cancelled,
    Deleted,
    Failed,
};

class MasterListLogic
{
public:
    MasterListLogic(Session& session, MasterListConfig config);
    virtual ~MasterListLogic();
    MasterListLogic(const MasterListLogic&) = delete;
    MasterListLogic& operator=(const MasterListLogic&) = delete;

    Session& session() { return m_session; }
    const MasterListConfig& config() const { return m_config; }

    // The list: opening order, reload order, or by one configured column (others refused
    // with InvalidNameError).
    Rows loadOpening();
    Rows loadAll();
    Rows loadOrdered(const QString& field, bool ascending);
    // Rows whose column equals the value (the list after an insert shows the new row).
    Rows loadWhereEquals(const QString& field, const QString& value);

    // Query mode: "<column> like '%text%'" for every non-empty filter box, joined by "and",
    // the text literal and case-insensitive. Remembered as lastCondition().
    Rows filter(const FieldValues& boxes);
    SqlCondition filterCondition(const FieldValues& boxes) const;
    const SqlCondition& lastCondition() const { return m_lastCondition; }
    // Rows of any select list over the table under a condition (print queries).
    Rows select(const QString& selectList, const SqlCondition& condition, const QString& orderBy = {});

    // Looks the row up by the save keys, then asks and inserts, or (asking when configured)
    // updates it. Messages as configured.
    SaveResult save(const FieldValues& boxes, const FieldValues& currentRow = {});
    // Deletes the row matched by the current row's delete keys; asks when askFirst and a
    // question is configured.
    DeleteResult remove(const FieldValues& currentRow, const FieldValues& boxes = {}, bool askFirst = true);

    // Select list of the configured columns: "货位编码,货位名称,...".
    QString selectList() const;
    // Binds a typed text as a "contains" pattern for "... like ? escape '!'".
    static QString containsPattern(const QString& text);

protected:
    // Runs after the look-up and before the question; show a message and return false to
    // refuse (nothing written). Default: accepts.
    virtual bool checkBeforeSave(const FieldValues& values, bool inserting);
    // Inside the save transaction, before / after the row is written. Throw to roll back.
    virtual void beforeInsert(const FieldValues& values);
    virtual void afterInsert(const FieldValues& values);
    virtual void afterUpdate(const FieldValues& values, const FieldValues& keys);
    // Inside the delete transaction, before / after the row is deleted. Throw to roll back.
    virtual void beforeDelete(const FieldValues& row);
    virtual void afterDelete(const FieldValues& row);

    void log(const QString& text, const FieldValues& boxes);
    SqlCondition keyCondition(const QStringList& fields, const FieldValues& values) const;
    QString baseSelect() const;

private:
    Session& m_session;
    MasterListConfig m_config;
    SqlCondition m_lastCondition;
};

// Trimmed copies of every value.
FieldValues trimmedValues(const FieldValues& values);

} // namespace mzt
