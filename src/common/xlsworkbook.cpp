#include "xlsworkbook.h"

#include "decimal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <cmath>
#include <cstring>
#include <mutex>

#include <freexl.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-stdio.h>
#include <gsf/gsf-output.h>
#include <gsf/gsf-utils.h>

namespace mzt {

// ---------------------------------------------------------------------------------------------
// Cells

XlsCell::XlsCell(const Decimal& number) : XlsCell(number.toDouble()) {}

XlsCell XlsCell::fromVariant(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return {};
    if (value.metaType() == QMetaType::fromType<Decimal>())
        return XlsCell(value.value<Decimal>());
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return XlsCell(value.toDouble());
    default:
        return XlsCell(value.toString());
    }
}

QString xlsFileName(const QString& chosen)
{
    if (chosen.right(3).compare(QLatin1String("xls"), Qt::CaseInsensitive) == 0)
        return chosen;
    return chosen + QStringLiteral(".xls");
}

// ---------------------------------------------------------------------------------------------
// BIFF8 records

namespace {

// Largest record body BIFF8 allows; longer data goes on in CONTINUE records.
constexpr int maxRecordData = 8224;

enum RecordId : quint16
{
    BOF = 0x0809,
    EOF_ = 0x000A,
    CODEPAGE = 0x0042,
    WINDOW1 = 0x003D,
    DATEMODE = 0x0022,
    FONT = 0x0031,
    FORMAT = 0x041E,
    XF = 0x00E0,
    STYLE = 0x0293,
    BOUNDSHEET = 0x0085,
    SST = 0x00FC,
    CONTINUE = 0x003C,
    EXTSST = 0x00FF,
    COLINFO = 0x007D,
    DIMENSIONS = 0x0200,
    WINDOW2 = 0x023E,
    LABELSST = 0x00FD,
    NUMBER = 0x0203,
};

// Little-endian record body under construction.
class Body
{
public:
    Body& u8(quint8 v)
    {
        m_data.append(char(v));
        return *this;
    }
    Body& u16(quint16 v)
    {
        char b[2];
        qToLittleEndian(v, b);
        m_data.append(b, 2);
        return *this;
    }
    Body& u32(quint32 v)
    {
        char b[4];
        qToLittleEndian(v, b);
        m_data.append(b, 4);
        return *this;
    }
    Body& f64(double v)
    {
        quint64 bits;
        std::memcpy(&bits, &v, sizeof bits);
        char b[8];
        qToLittleEndian(bits, b);
        m_data.append(b, 8);
        return *this;
    }
    // UTF-16LE characters, no length.
    Body& utf16(const QString& s)
    {
        for (QChar c : s)
            u16(c.unicode());
        return *this;
    }
    // Length byte, flags byte (uncompressed), characters.
    Body& shortString(const QString& s)
    {
        u8(quint8(s.size())).u8(0x01);
        return utf16(s);
    }
    // Length word, flags byte (uncompressed), characters.
    Body& longString(const QString& s)
    {
        u16(quint16(s.size())).u8(0x01);
        return utf16(s);
    }
    const QByteArray& data() const { return m_data; }
    int size() const { return int(m_data.size()); }

private:
    QByteArray m_data;
};

void appendRecord(QByteArray& out, quint16 id, const QByteArray& body)
{
    Q_ASSERT(body.size() <= maxRecordData);
    char h[4];
    qToLittleEndian(id, h);
    qToLittleEndian(quint16(body.size()), h + 2);
    out.append(h, 4);
    out.append(body);
}

void appendRecord(QByteArray& out, quint16 id, const Body& body)
{
    appendRecord(out, id, body.data());
}

Body bof(quint16 kind)
{
    // BIFF8, written as by the 97 release; lowest version able to read it: BIFF8.
    return std::move(Body().u16(0x0600).u16(kind).u16(0x0DBB).u16(0x07CC).u32(0).u32(0x06));
}

// XF record. Style XFs stand alone (parent 0xFFF); cell XFs inherit from the Normal style.
Body xf(quint16 font, quint16 format, bool style, quint8 usedAttributes)
{
    Body b;
    b.u16(font).u16(format);
    b.u16(style ? 0xFFF5 : 0x0001); // locked; style flag and parent
    b.u8(0x20);                     // general horizontal, bottom vertical alignment
    b.u8(0x00);                     // no rotation
    b.u8(0x00);                     // no indent, no shrink
    b.u8(usedAttributes);
    b.u32(0).u32(0); // no borders, no fill pattern
    b.u16(0x20C0);   // automatic pattern colours
    return b;
}

bool isValidSheetName(const QString& name)
{
    if (name.isEmpty() || name.size() > 31)
        return false;
    for (QChar c : name) {
        if (QStringLiteral("[]:*?/\\").contains(c))
            return false;
    }
    return !name.startsWith(QLatin1Char('\'')) && !name.endsWith(QLatin1Char('\''));
}

// Built-in number formats that need no FORMAT record.
int builtinFormat(const QString& picture)
{
    if (picture.isEmpty())
        return 0;
    if (picture == QLatin1String("0"))
        return 1;
    if (picture == QLatin1String("0.00"))
        return 2;
    if (picture == QLatin1String("#,##0"))
        return 3;
    if (picture == QLatin1String("#,##0.00"))
        return 4;
    return -1;
}

// Our pictures keep any text around the digits ("0.00元"); Excel wants such text quoted.
QString excelFormatCode(const QString& picture)
{
    QString out;
    QString literal;
    auto flushLiteral = [&] {
        if (!literal.isEmpty())
            out += QLatin1Char('"') + literal + QLatin1Char('"');
        literal.clear();
    };
    for (QChar c : picture) {
        if (QStringLiteral("0#.,").contains(c)) {
            flushLiteral();
            out += c;
        } else if (c != QLatin1Char('"')) {
            literal += c;
        }
    }
    flushLiteral();
    return out;
}

} // namespace

// The shared string table: every distinct text once, cells refer to it by index.
struct XlsWorkbookWriter::Sst
{
    QHash<QString, quint32> index;
    QStringList strings;
    quint32 total = 0;

    quint32 add(const QString& s)
    {
        ++total;
        auto it = index.constFind(s);
        if (it != index.constEnd())
            return it.value();
        const quint32 i = quint32(strings.size());
        strings.append(s);
        index.insert(s, i);
        return i;
    }
};

XlsWorkbookWriter::XlsWorkbookWriter(const QString& sheetName)
    : m_sheetName(sheetName), m_sst(std::make_unique<Sst>())
{
    if (!isValidSheetName(sheetName))
        m_error = QStringLiteral("工作表名称“%1”无效:须为1到31个字符,且不含 [ ] : * ? / \\").arg(sheetName);
}

XlsWorkbookWriter::~XlsWorkbookWriter() = default;

void XlsWorkbookWriter::setColumnFormat(int column, const QString& picture)
{
    m_columnFormats.insert(column, picture);
}

void XlsWorkbookWriter::setColumnWidth(int column, double characters)
{
    m_columnWidths.insert(column, characters);
}

quint16 XlsWorkbookWriter::formatXf(int column, bool bold)
{
    const QString picture = m_columnFormats.value(column);
    int format = builtinFormat(picture);
    if (format < 0) {
        int i = int(m_customFormats.indexOf(picture));
        if (i < 0) {
            i = int(m_customFormats.size());
            m_customFormats.append(picture);
        }
        format = 164 + i;
    }
    if (format == 0 && !bold)
        return 15;
    const quint32 key = (quint32(format) << 1) | (bold ? 1u : 0u);
    auto it = m_xfIndex.constFind(key);
    if (it != m_xfIndex.constEnd())
        return it.value();
    const quint16 index = quint16(16 + m_xfs.size());
    m_xfs.append({quint16(format), bold});
    m_xfIndex.insert(key, index);
    return index;
}

bool XlsWorkbookWriter::appendRow(const QList<XlsCell>& cells, bool bold)
{
    if (!m_error.isEmpty())
        return false;
    if (m_rowCount >= maxRows) {
        m_error = QStringLiteral("数据超过Excel工作表的行数上限(%1行),无法导出").arg(maxRows);
        return false;
    }
    if (cells.size() > maxColumns) {
        m_error = QStringLiteral("数据超过Excel工作表的列数上限(%1列),无法导出").arg(maxColumns);
        return false;
    }
    const quint16 row = quint16(m_rowCount);
    for (int col = 0; col < cells.size(); ++col) {
        const XlsCell& cell = cells.at(col);
        switch (cell.kind()) {
        case XlsCell::Kind::Empty:
            break;
        case XlsCell::Kind::Text: {
            if (cell.text().size() > maxTextLength) {
                m_error = QStringLiteral("第%1行第%2列的文字超过Excel单元格的上限(%3个字符),无法导出")
                              .arg(m_rowCount + 1)
                              .arg(col + 1)
                              .arg(maxTextLength);
                return false;
            }
            Body b;
            b.u16(row).u16(quint16(col)).u16(bold ? formatXf(-1, true) : 15).u32(m_sst->add(cell.text()));
            appendRecord(m_cells, LABELSST, b);
            break;
        }
        case XlsCell::Kind::Number: {
            if (!std::isfinite(cell.number())) {
                m_error =
                    QStringLiteral("第%1行第%2列不是有效的数值,无法导出").arg(m_rowCount + 1).arg(col + 1);
                return false;
            }
            Body b;
            b.u16(row).u16(quint16(col)).u16(formatXf(col, bold)).f64(cell.number());
            appendRecord(m_cells, NUMBER, b);
            break;
        }
        }
    }
    m_columnCount = std::max(m_columnCount, int(cells.size()));
    ++m_rowCount;
    return true;
}

QByteArray XlsWorkbookWriter::workbookStream() const
{
    QByteArray out;
    appendRecord(out, BOF, bof(0x0005));
    appendRecord(out, CODEPAGE, Body().u16(1200)); // UTF-16
    appendRecord(
        out, WINDOW1,
        Body().u16(0x01E0).u16(0x005A).u16(0x3FCF).u16(0x2A4E).u16(0x0038).u16(0).u16(0).u16(1).u16(0x0258));
    appendRecord(out, DATEMODE, Body().u16(0)); // dates count from 1900

    // Fonts 0 to 3 are the defaults; index 4 is never written, so the bold font is index 5.
    auto font = [](bool bold) {
        Body b;
        // The old bold bit goes with the weight: some readers look only at it.
        b.u16(220)
            .u16(bold ? 0x0001 : 0)
            .u16(0x7FFF)
            .u16(bold ? 700 : 400)
            .u16(0)
            .u8(0)
            .u8(0x02)
            .u8(134)
            .u8(0);
        b.shortString(QStringLiteral("宋体"));
        return b;
    };
    for (int i = 0; i < 4; ++i)
        appendRecord(out, FONT, font(false));
    appendRecord(out, FONT, font(true));

    for (int i = 0; i < m_customFormats.size(); ++i)
        appendRecord(out, FORMAT,
                     Body().u16(quint16(164 + i)).longString(excelFormatCode(m_customFormats.at(i))));

    // 15 style XFs (0 = Normal), then the default cell XF 15, then one per format in use.
    appendRecord(out, XF, xf(0, 0, true, 0x00));
    for (int i = 1; i < 15; ++i)
        appendRecord(out, XF, xf(i <= 2 ? 1 : i <= 4 ? 2 : 0, 0, true, 0xF4));
    appendRecord(out, XF, xf(0, 0, false, 0x00));
    for (const auto& [format, bold] : m_xfs)
        appendRecord(out, XF,
                     xf(bold ? 5 : 0, format, false, quint8((format ? 0x04 : 0) | (bold ? 0x08 : 0))));
    appendRecord(out, STYLE, Body().u16(0x8000).u8(0).u8(0xFF)); // built-in Normal on XF 0

    Body sheetEntry;
    sheetEntry.u32(0).u16(0).shortString(m_sheetName);
    const qsizetype offsetPos = out.size() + 4;
    appendRecord(out, BOUNDSHEET, sheetEntry);

    // Shared strings: a string goes whole into the record it starts in; one that does not fit
    // the rest of the record starts the next CONTINUE record, and only a string longer than a
    // whole record is split, at a character, each piece after the first led by its flags byte.
    // Starting long strings afresh also keeps strings of up to 8221 characters within two
    // records, the most some readers follow.
    const int perBucket = std::max(8, int((m_sst->strings.size() + 127) / 128));
    Body ext;
    ext.u16(quint16(perBucket));
    QByteArray record;
    Body head;
    head.u32(m_sst->total).u32(quint32(m_sst->strings.size()));
    record = head.data();
    quint16 recordId = SST;
    auto flush = [&]() {
        appendRecord(out, recordId, record);
        record.clear();
        recordId = CONTINUE;
    };
    for (int i = 0; i < m_sst->strings.size(); ++i) {
        const QString& s = m_sst->strings.at(i);
        const int need = 3 + 2 * int(s.size());
        if (maxRecordData - record.size() < need)
            flush();
        if (i % perBucket == 0) {
            ext.u32(quint32(out.size() + 4 + record.size())).u16(quint16(4 + record.size())).u16(0);
        }
        Body h;
        h.u16(quint16(s.size())).u8(0x01);
        record.append(h.data());
        qsizetype done = 0;
        while (true) {
            const qsizetype room = (maxRecordData - record.size()) / 2;
            const qsizetype n = std::min(room, s.size() - done);
            Body chars;
            chars.utf16(s.mid(done, n));
            record.append(chars.data());
            done += n;
            if (done >= s.size())
                break;
            flush();
            record.append(char(0x01));
        }
    }
    flush();
    appendRecord(out, EXTSST, ext);
    appendRecord(out, EOF_, Body());

    // The sheet's substream starts right after the globals.
    qToLittleEndian(quint32(out.size()), out.data() + offsetPos);
    out.append(sheet());
    return out;
}

QByteArray XlsWorkbookWriter::sheet() const
{
    QByteArray out;
    appendRecord(out, BOF, bof(0x0010));
    QList<int> widthColumns = m_columnWidths.keys();
    std::sort(widthColumns.begin(), widthColumns.end());
    for (int col : widthColumns) {
        if (col < 0 || col >= maxColumns)
            continue;
        const int width = std::clamp(int(std::lround(m_columnWidths.value(col) * 256)), 256, 255 * 256);
        appendRecord(out, COLINFO,
                     Body().u16(quint16(col)).u16(quint16(col)).u16(quint16(width)).u16(15).u16(0).u16(0));
    }
    Body dim;
    if (m_rowCount > 0 && m_columnCount > 0)
        dim.u32(0).u32(quint32(m_rowCount)).u16(0).u16(quint16(m_columnCount)).u16(0);
    else
        dim.u32(0).u32(0).u16(0).u16(0).u16(0);
    appendRecord(out, DIMENSIONS, dim);
    out.append(m_cells);
    // Grid lines, headers and zeros shown; the one sheet selected and active.
    appendRecord(out, WINDOW2, Body().u16(0x06B6).u16(0).u16(0).u32(0x40).u16(0).u16(0).u32(0));
    appendRecord(out, EOF_, Body());
    return out;
}

bool XlsWorkbookWriter::save(const QString& path)
{
    if (!m_error.isEmpty())
        return false;
    static std::once_flag gsfReady;
    std::call_once(gsfReady, [] { gsf_init(); });

    const QByteArray stream = workbookStream();
    const QByteArray fileName = QFile::encodeName(QFileInfo(path).absoluteFilePath());
    auto fail = [&](const QString& why) {
        m_error = QStringLiteral("无法写入文件“%1”:%2").arg(QDir::toNativeSeparators(path), why);
        return false;
    };
    auto errorText = [](const GError* e) {
        return e && e->message ? QString::fromUtf8(e->message) : QStringLiteral("写入失败");
    };

    GError* err = nullptr;
    // The stdio sink writes a temporary file beside the target and renames it on close.
    GsfOutput* sink = gsf_output_stdio_new(fileName.constData(), &err);
    if (!sink) {
        const QString why = errorText(err);
        if (err)
            g_error_free(err);
        return fail(why);
    }
    GsfOutfile* ole = gsf_outfile_msole_new(sink);
    g_object_unref(sink);
    if (!ole)
        return fail(QStringLiteral("无法创建复合文档"));

    bool ok = true;
    QString why;
    GsfOutput* workbook = gsf_outfile_new_child(ole, "Workbook", FALSE);
    if (!workbook) {
        ok = false;
        why = QStringLiteral("无法创建工作簿数据流");
    } else {
        if (!gsf_output_write(workbook, size_t(stream.size()),
                              reinterpret_cast<const guint8*>(stream.constData()))) {
            ok = false;
            why = errorText(gsf_output_error(workbook));
        }
        if (!gsf_output_close(workbook) && ok) {
            ok = false;
            why = errorText(gsf_output_error(workbook));
        }
        g_object_unref(workbook);
    }
    if (!gsf_output_close(GSF_OUTPUT(ole)) && ok) {
        ok = false;
        why = errorText(gsf_output_error(GSF_OUTPUT(ole)));
    }
    g_object_unref(ole);
    if (!ok)
        return fail(why);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Reading

namespace {

QString freexlErrorText(int code)
{
    switch (code) {
    case FREEXL_FILE_NOT_FOUND:
        return QStringLiteral("文件不存在或无法读取");
    case FREEXL_INSUFFICIENT_MEMORY:
        return QStringLiteral("内存不足");
    case FREEXL_INVALID_CFBF_HEADER:
    case FREEXL_CFBF_INVALID_SIGNATURE:
    case FREEXL_CFBF_INVALID_SECTOR_SIZE:
    case FREEXL_BIFF_WORKBOOK_NOT_FOUND:
        return QStringLiteral("不是Excel 97-2003工作簿(.xls)文件");
    case FREEXL_BIFF_ILLEGAL_SHEET_INDEX:
        return QStringLiteral("工作表不存在");
    case FREEXL_UNSUPPORTED_CHARSET:
    case FREEXL_INVALID_CHARACTER:
        return QStringLiteral("文件的字符编码无法识别");
    default:
        return QStringLiteral("文件已损坏或格式无法识别(错误代码 %1)").arg(code);
    }
}

} // namespace

XlsWorkbookReader::~XlsWorkbookReader()
{
    close();
}

void XlsWorkbookReader::close()
{
    if (m_handle)
        freexl_close(m_handle);
    m_handle = nullptr;
    m_sheetNames.clear();
}

bool XlsWorkbookReader::open(const QString& path)
{
    close();
    m_error.clear();
    m_path = path;
    auto fail = [&](const QString& why) {
        m_error = QStringLiteral("无法读取文件“%1”:%2").arg(QDir::toNativeSeparators(path), why);
        close();
        return false;
    };
    if (!QFileInfo(path).isFile())
        return fail(QStringLiteral("文件不存在"));

    const QByteArray fileName = QFile::encodeName(path);
    const void* handle = nullptr;
    {
        // Anything without the compound-file signature is no workbook at all.
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return fail(QStringLiteral("文件无法打开:%1").arg(f.errorString()));
        if (f.read(8) != QByteArray::fromHex("d0cf11e0a1b11ae1"))
            return fail(freexlErrorText(FREEXL_INVALID_CFBF_HEADER));
    }
    const int rc = freexl_open(fileName.constData(), &handle);
    m_handle = handle;
    if (rc != FREEXL_OK)
        return fail(freexlErrorText(rc));
    // FreeXL reports success without a handle for records it cannot follow.
    if (!m_handle)
        return fail(QStringLiteral("文件内容无法识别(已损坏,或单元格文字过长)"));

    unsigned int info = 0;
    if (freexl_get_info(m_handle, FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK && info == FREEXL_BIFF_OBFUSCATED)
        return fail(QStringLiteral("工作簿设有密码保护"));
    if (freexl_get_info(m_handle, FREEXL_BIFF_SHEET_COUNT, &info) != FREEXL_OK)
        return fail(QStringLiteral("无法读出工作表"));
    for (unsigned int i = 0; i < info; ++i) {
        const char* name = nullptr;
        const int r = freexl_get_worksheet_name(m_handle, quint16(i), &name);
        if (r != FREEXL_OK)
            return fail(freexlErrorText(r));
        m_sheetNames.append(QString::fromUtf8(name ? name : ""));
    }
    return true;
}

std::optional<XlsWorkbookReader::Sheet> XlsWorkbookReader::readSheet(const QString& name)
{
    const int index = int(m_sheetNames.indexOf(name));
    if (index < 0) {
        m_error = QStringLiteral("工作簿中没有工作表“%1”").arg(name);
        return std::nullopt;
    }
    return readSheet(index);
}

std::optional<XlsWorkbookReader::Sheet> XlsWorkbookReader::readSheet(int index)
{
    if (!m_handle) {
        m_error = QStringLiteral("没有打开的工作簿");
        return std::nullopt;
    }
    if (index < 0 || index >= m_sheetNames.size()) {
        m_error = QStringLiteral("工作表不存在");
        return std::nullopt;
    }
    auto fail = [&](int code) {
        m_error = QStringLiteral("无法读取工作表“%1”:%2").arg(m_sheetNames.at(index), freexlErrorText(code));
        return std::nullopt;
    };
    int rc = freexl_select_active_worksheet(m_handle, quint16(index));
    if (rc != FREEXL_OK)
        return fail(rc);
    unsigned int rows = 0;
    unsigned short columns = 0;
    rc = freexl_worksheet_dimensions(m_handle, &rows, &columns);
    if (rc != FREEXL_OK)
        return fail(rc);

    Sheet sheet;
    sheet.reserve(rows);
    for (unsigned int r = 0; r < rows; ++r) {
        QList<QVariant> row;
        row.reserve(columns);
        for (unsigned short c = 0; c < columns; ++c) {
            FreeXL_CellValue v;
            rc = freexl_get_cell_value(m_handle, r, c, &v);
            if (rc != FREEXL_OK)
                return fail(rc);
            switch (v.type) {
            case FREEXL_CELL_INT:
                row.append(double(v.value.int_value));
                break;
            case FREEXL_CELL_DOUBLE:
                row.append(v.value.double_value);
                break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
            case FREEXL_CELL_TIME:
                row.append(QString::fromUtf8(v.value.text_value ? v.value.text_value : ""));
                break;
            default:
                row.append(QVariant());
                break;
            }
        }
        sheet.append(row);
    }
    return sheet;
}

} // namespace mzt
