#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <optional>

namespace mzt {

class Decimal;

// One cell of a worksheet being written: empty, a text or a number.
class XlsCell final
{
public:
    enum class Kind
    {
        Empty,
        Text,
        Number
    };

    XlsCell() = default;
    XlsCell(const QString& text) : m_kind(Kind::Text), m_text(text) {}
    XlsCell(const char* text) : XlsCell(QString::fromUtf8(text)) {}
    XlsCell(double number) : m_kind(Kind::Number), m_number(number) {}
    XlsCell(int number) : XlsCell(double(number)) {}
    XlsCell(qint64 number) : XlsCell(double(number)) {}
    XlsCell(const Decimal& number);

    // null → empty, numbers → number, anything else → its text.
    static XlsCell fromVariant(const QVariant& value);

    Kind kind() const { return m_kind; }
    bool isEmpty() const { return m_kind == Kind::Empty; }
    const QString& text() const { return m_text; }
    double number() const { return m_number; }

private:
    Kind m_kind = Kind::Empty;
    QString m_text;
    double m_number = 0;
};

// Writes one worksheet into an Excel 97-2003 workbook (.xls): BIFF8 records in the
// "Workbook" stream of an OLE2 compound file. Rows are encoded as they are appended,
// so only the encoded records and the shared string table stay in memory.
class XlsWorkbookWriter final
{
public:
    static constexpr int maxRows = 65536;
    static constexpr int maxColumns = 256;
    static constexpr int maxTextLength = 32767;

    explicit XlsWorkbookWriter(const QString& sheetName = QStringLiteral("Sheet1"));
    ~XlsWorkbookWriter();
    XlsWorkbookWriter(const XlsWorkbookWriter&) = delete;
    XlsWorkbookWriter& operator=(const XlsWorkbookWriter&) = delete;

    // Number picture ("0.00", "#,##0.00", "0" …) for the numbers of a column; General otherwise.
    void setColumnFormat(int column, const QString& picture);
    // Column width in characters of the default font.
    void setColumnWidth(int column, double characters);

    // Appends the next row; false (and errorString()) once a limit of the format is passed,
    // after which the workbook can no longer be saved.
    bool appendRow(const QList<XlsCell>& cells, bool bold = false);
    int rowCount() const { return m_rowCount; }

    // Writes the workbook; false with errorString() when the file cannot be written
    // or a row was refused. An existing file is replaced only once the new one is complete.
    bool save(const QString& path);
    // The complete "Workbook" stream, for inspection.
    QByteArray workbookStream() const;

    QString errorString() const { return m_error; }

private:
    struct Sst;
    quint16 formatXf(int column, bool bold);
    QByteArray sheet() const;

    QString m_sheetName;
    QString m_error;
    QHash<int, QString> m_columnFormats;
    QHash<int, double> m_columnWidths;
    QStringList m_customFormats;       // index 0 ↔ format id 164
    QList<QPair<quint16, bool>> m_xfs; // number format id and bold, for cell XFs after the 16 fixed ones
    QHash<quint32, quint16> m_xfIndex;
    QByteArray m_cells;
    std::unique_ptr<Sst> m_sst;
    int m_rowCount = 0;
    int m_columnCount = 0;
};

// Reads the worksheets of an .xls workbook (Excel 97-2003 and older BIFF files).
class XlsWorkbookReader final
{
public:
    using Sheet = QList<QList<QVariant>>;

    XlsWorkbookReader() = default;
    ~XlsWorkbookReader();
    XlsWorkbookReader(const XlsWorkbookReader&) = delete;
    XlsWorkbookReader& operator=(const XlsWorkbookReader&) = delete;

    // false with errorString() when the file is missing, not a workbook, protected or damaged.
    bool open(const QString& path);
    void close();
    bool isOpen() const { return m_handle != nullptr; }

    QStringList sheetNames() const { return m_sheetNames; }
    // Every row of the sheet, each as wide as the sheet: texts as QString, numbers as
    // double, dates and times as their ISO text, empty cells as a null QVariant.
    std::optional<Sheet> readSheet(int index);
    std::optional<Sheet> readSheet(const QString& name);

    QString errorString() const { return m_error; }

private:
    const void* m_handle = nullptr;
    QString m_path;
    QStringList m_sheetNames;
    QString m_error;
};

// The file name an export writes to: the chosen name, with ".xls" appended unless it
// already ends in "xls" in any letter case.
QString xlsFileName(const QString& chosen);

} // namespace mzt
