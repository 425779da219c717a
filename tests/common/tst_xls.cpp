#include "decimal.h"
#include "testdb.h"
#include "xlsworkbook.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-input.h>
#include <gsf/gsf-utils.h>

using namespace mzt;

using CellRows = QList<QList<XlsCell>>;
using Formats = QHash<int, QString>;
Q_DECLARE_METATYPE(CellRows)
Q_DECLARE_METATYPE(Formats)

namespace {

struct Record
{
    quint16 id;
    qsizetype offset;
    QByteArray data;
};

QList<Record> records(const QByteArray& stream)
{
    QList<Record> out;
    qsizetype pos = 0;
    while (pos + 4 <= stream.size()) {
        const quint16 id = qFromLittleEndian<quint16>(stream.constData() + pos);
        const quint16 size = qFromLittleEndian<quint16>(stream.constData() + pos + 2);
        out.append({id, pos, stream.mid(pos + 4, size)});
        pos += 4 + size;
    }
    return out;
}

// The strings of the shared string table, put together again across CONTINUE records.
QStringList sharedStrings(const QByteArray& stream)
{
    QByteArray data;         // SST and CONTINUE bodies, one after the other
    QList<qsizetype> starts; // where each record's body starts in data
    bool inSst = false;
    for (const Record& r : records(stream)) {
        if (r.id == 0x00FC) {
            inSst = true;
        } else if (r.id != 0x003C || !inSst) {
            if (inSst)
                break;
            continue;
        }
        starts.append(data.size());
        data.append(r.data);
    }
    starts.append(data.size());
    auto recordEnd = [&](qsizetype pos) {
        for (qsizetype s : starts) {
            if (s > pos)
                return s;
        }
        return data.size();
    };
    QStringList out;
    const quint32 unique = qFromLittleEndian<quint32>(data.constData() + 4);
    qsizetype pos = 8;
    for (quint32 i = 0; i < unique; ++i) {
        // A string's header never straddles a record boundary.
        if (recordEnd(pos) - pos < 3)
            return {};
        const quint16 length = qFromLittleEndian<quint16>(data.constData() + pos);
        quint8 flags = quint8(data.at(pos + 2));
        if (flags & 0x0C) // rich text or phonetic runs are not written
            return {};
        pos += 3;
        QString s;
        while (s.size() < length) {
            if (pos >= data.size())
                return {};
            if (starts.contains(pos)) {
                flags = quint8(data.at(pos)); // a continued string restates its flags
                ++pos;
                continue;
            }
            if (flags & 0x01) {
                // A character never straddles a record boundary.
                if (recordEnd(pos) - pos < 2)
                    return {};
                s.append(QChar(qFromLittleEndian<quint16>(data.constData() + pos)));
                pos += 2;
            } else {
                s.append(QChar(quint8(data.at(pos))));
                pos += 1;
            }
        }
        out.append(s);
    }
    return out;
}

// What the reader must give back for what was written.
QList<QList<QVariant>> expected(const CellRows& rows)
{
    qsizetype width = 0;
    for (const auto& r : rows)
        width = std::max(width, r.size());
    QList<QList<QVariant>> out;
    for (const auto& r : rows) {
        QList<QVariant> row;
        for (qsizetype c = 0; c < width; ++c) {
            if (c >= r.size() || r.at(c).isEmpty())
                row.append(QVariant());
            else if (r.at(c).kind() == XlsCell::Kind::Text)
                row.append(r.at(c).text());
            else
                row.append(r.at(c).number());
        }
        out.append(row);
    }
    return out;
}

QString chineseText(int length, int seed)
{
    static const QString chars =
        QStringLiteral("库存商品客户供应商销售进货退货金额数量单价合计铭泽通仓库货位");
    QString s;
    s.reserve(length);
    for (int i = 0; i < length; ++i)
        s.append(chars.at((i * 7 + seed) % chars.size()));
    return s;
}

// The "Workbook" stream as another reader of compound files finds it.
QByteArray workbookStreamOf(const QString& path)
{
    gsf_init();
    GError* err = nullptr;
    GsfInput* input = gsf_input_stdio_new(QFile::encodeName(path).constData(), &err);
    if (!input) {
        g_clear_error(&err);
        return {};
    }
    GsfInfile* ole = gsf_infile_msole_new(input, &err);
    g_object_unref(input);
    if (!ole) {
        g_clear_error(&err);
        return {};
    }
    QByteArray out;
    if (GsfInput* child = gsf_infile_child_by_name(ole, "Workbook")) {
        const gsf_off_t size = gsf_input_size(child);
        out.resize(qsizetype(size));
        if (!gsf_input_read(child, size_t(size), reinterpret_cast<guint8*>(out.data())))
            out.clear();
        g_object_unref(child);
    }
    g_object_unref(ole);
    return out;
}

} // namespace

class TestXls final : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void sharedStringsContinue();
    void textsOverManyRecords_data();
    void textsOverManyRecords();
    void decimalsComeBackExactly();
    void workbookStructure();
    void largestSheet();
    void limitsRefused_data();
    void limitsRefused();
    void invalidSheetName_data();
    void invalidSheetName();
    void unwritablePath();
    void replacesExistingFile();
    void readerErrors_data();
    void readerErrors();
    void sheetByName();
    void fileName_data();
    void fileName();

private:
    QTemporaryDir m_dir;
};

void TestXls::roundTrip_data()
{
    QTest::addColumn<CellRows>("rows");
    QTest::addColumn<Formats>("formats");

    QTest::newRow("chinese titles and texts") << CellRows{{"编码", "品名", "规格", "单位"},
                                                          {"001", "康师傅红烧牛肉面", "1件*12袋*24包", "包"},
                                                          {"0002", "可口可乐(罐装)", "330ml", "罐"}}
                                              << Formats{};
    QTest::newRow("integers and negatives")
        << CellRows{{"数量", "金额"}, {0, -1}, {12, -250}, {2147483647, qint64(-9007199254740991)}}
        << Formats{};
    QTest::newRow("decimals in pictures")
        << CellRows{{"单价", "金额", "数量"},
                    {Decimal::fromText(u"12.50"), Decimal::fromText(u"1234567.89"),
                     Decimal::fromText(u"0.125")},
                    {Decimal::fromText(u"-0.01"), Decimal::fromText(u"-98765.43"), Decimal::fromText(u"3")}}
        << Formats{
               {0, QStringLiteral("0.00")}, {1, QStringLiteral("#,##0.00")}, {2, QStringLiteral("0.000元")}};
    QTest::newRow("empty cells and ragged rows")
        << CellRows{{"甲", XlsCell(), "丙"}, {}, {XlsCell(), XlsCell(), XlsCell(), 4}, {"末行"}} << Formats{};
    QTest::newRow("texts that look like numbers stay texts")
        << CellRows{{"1.50", "-3", "0012", "1e5", " "}} << Formats{};
    QTest::newRow("repeated texts") << CellRows{{"现金", "现金"}, {"现金", "银行"}, {"银行", "现金"}}
                                    << Formats{};
    QTest::newRow("long text over two records")
        << CellRows{{"前", chineseText(8221, 3)}, {"后面的单元格"}} << Formats{};
}

void TestXls::roundTrip()
{
    QFETCH(CellRows, rows);
    QFETCH(Formats, formats);
    const QString path = m_dir.filePath(QStringLiteral("往返.xls"));

    XlsWorkbookWriter writer(QStringLiteral("Sheet1"));
    for (auto it = formats.cbegin(); it != formats.cend(); ++it)
        writer.setColumnFormat(it.key(), it.value());
    for (int i = 0; i < rows.size(); ++i)
        QVERIFY(writer.appendRow(rows.at(i), i == 0));
    QVERIFY2(writer.save(path), qPrintable(writer.errorString()));

    XlsWorkbookReader reader;
    QVERIFY2(reader.open(path), qPrintable(reader.errorString()));
    QCOMPARE(reader.sheetNames(), QStringList{QStringLiteral("Sheet1")});
    const auto sheet = reader.readSheet(0);
    QVERIFY2(sheet, qPrintable(reader.errorString()));
    QCOMPARE(*sheet, expected(rows));
}

void TestXls::sharedStringsContinue()
{
    // Thousands of distinct strings of every length from 1 to 300 characters end at every
    // offset of the string records, and some lengths just fill or just overflow one record.
    CellRows rows;
    QStringList written;
    int bytes = 0;
    for (int i = 0; i < 3000; ++i) {
        const QString s = chineseText(1 + (i * 37) % 300, i) + QString::number(i);
        rows.append({s, i});
        written.append(s);
        bytes += 3 + 2 * int(s.size());
    }
    for (int length : {4109, 4110, 4111, 4112, 8221}) {
        rows.append({chineseText(length, length), length});
        written.append(rows.last().first().text());
    }
    QVERIFY(bytes > 8224 * 10);

    XlsWorkbookWriter writer;
    for (const auto& r : rows)
        QVERIFY(writer.appendRow(r));
    const QByteArray stream = writer.workbookStream();
    int continues = 0;
    for (const Record& r : records(stream)) {
        QVERIFY2(r.data.size() <= 8224, qPrintable(QString::number(r.id, 16)));
        if (r.id == 0x003C)
            ++continues;
    }
    QVERIFY(continues >= 10);
    QCOMPARE(sharedStrings(stream), written);

    const QString path = m_dir.filePath(QStringLiteral("sst.xls"));
    QVERIFY2(writer.save(path), qPrintable(writer.errorString()));
    XlsWorkbookReader reader;
    QVERIFY2(reader.open(path), qPrintable(reader.errorString()));
    const auto sheet = reader.readSheet(0);
    QVERIFY2(sheet, qPrintable(reader.errorString()));
    QCOMPARE(sheet->size(), rows.size());
    const auto want = expected(rows);
    for (int i = 0; i < rows.size(); ++i)
        QCOMPARE(sheet->at(i), want.at(i));
}

void TestXls::textsOverManyRecords_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("length");
    QTest::newRow("three records") << 0 << 9000;
    QTest::newRow("after a nearly full record") << 4100 << 12000;
    QTest::newRow("longest cell text") << 10 << XlsWorkbookWriter::maxTextLength;
}

void TestXls::textsOverManyRecords()
{
    // Cells may hold up to 32767 characters; such a string is split over several CONTINUE
    // records, each piece led by its flags byte, and must come back whole.
    QFETCH(int, before);
    QFETCH(int, length);
    QStringList written;
    XlsWorkbookWriter writer;
    if (before > 0) {
        written.append(chineseText(before, 1));
        QVERIFY(writer.appendRow({written.last()}));
    }
    written.append(chineseText(length, 2));
    written.append(QStringLiteral("尾"));
    QVERIFY(writer.appendRow({written.at(written.size() - 2), written.last()}));
    const QByteArray stream = writer.workbookStream();
    for (const Record& r : records(stream))
        QVERIFY(r.data.size() <= 8224);
    QCOMPARE(sharedStrings(stream), written);
}

void TestXls::decimalsComeBackExactly()
{
    const QList<Decimal> values = {Decimal::fromText(u"0.1"),           Decimal::fromText(u"0.3"),
                                   Decimal::fromText(u"-12.345678"),    Decimal::fromText(u"99999999.99"),
                                   Decimal::fromText(u"0.000001"),      Decimal::fromText(u"-0.5"),
                                   Decimal::fromText(u"123456.654321"), Decimal(0)};
    XlsWorkbookWriter writer;
    for (const Decimal& d : values)
        QVERIFY(writer.appendRow({d}));
    const QString path = m_dir.filePath(QStringLiteral("decimals.xls"));
    QVERIFY(writer.save(path));
    XlsWorkbookReader reader;
    QVERIFY(reader.open(path));
    const auto sheet = reader.readSheet(0);
    QVERIFY(sheet);
    QCOMPARE(sheet->size(), values.size());
    for (int i = 0; i < values.size(); ++i) {
        QCOMPARE(sheet->at(i).at(0).typeId(), QMetaType::Double);
        QCOMPARE(Decimal::fromDouble(sheet->at(i).at(0).toDouble()), values.at(i));
    }
}

void TestXls::workbookStructure()
{
    XlsWorkbookWriter writer(QStringLiteral("库存查询"));
    writer.setColumnFormat(1, QStringLiteral("0.000"));
    writer.setColumnWidth(0, 20);
    QVERIFY(writer.appendRow({"品名", "数量"}, true));
    QVERIFY(writer.appendRow({"面粉", Decimal::fromText(u"2.5")}));
    const QByteArray stream = writer.workbookStream();
    const QList<Record> recs = records(stream);

    // Globals: BOF for a workbook, codepage UTF-16, 16 XFs at least, the sheet entry.
    QVERIFY(!recs.isEmpty());
    QCOMPARE(recs.first().id, quint16(0x0809));
    QCOMPARE(qFromLittleEndian<quint16>(recs.first().data.constData()), quint16(0x0600));
    QCOMPARE(qFromLittleEndian<quint16>(recs.first().data.constData() + 2), quint16(0x0005));
    int xfs = 0;
    int eofs = 0;
    qsizetype sheetOffset = -1;
    bool codepage = false;
    for (const Record& r : recs) {
        if (r.id == 0x00E0)
            ++xfs;
        if (r.id == 0x000A)
            ++eofs;
        if (r.id == 0x0042)
            codepage = qFromLittleEndian<quint16>(r.data.constData()) == 1200;
        if (r.id == 0x0085) {
            sheetOffset = qFromLittleEndian<quint32>(r.data.constData());
            QCOMPARE(quint8(r.data.at(6)), quint8(4)); // name length in characters
        }
    }
    QVERIFY(codepage);
    QVERIFY(xfs >= 16);
    QCOMPARE(eofs, 2);
    // The back-patched offset points at the sheet's BOF.
    QVERIFY(sheetOffset > 0 && sheetOffset < stream.size());
    QCOMPARE(qFromLittleEndian<quint16>(stream.constData() + sheetOffset), quint16(0x0809));
    QCOMPARE(qFromLittleEndian<quint16>(stream.constData() + sheetOffset + 6), quint16(0x0010));
    QCOMPARE(qFromLittleEndian<quint16>(stream.constData() + stream.size() - 4), quint16(0x000A));

    // The file is a compound document whose "Workbook" stream is exactly those records.
    const QString path = m_dir.filePath(QStringLiteral("结构.xls"));
    QVERIFY(writer.save(path));
    QCOMPARE(workbookStreamOf(path), stream);
}

void TestXls::largestSheet()
{
    // The last row and the last column a BIFF8 sheet has.
    XlsWorkbookWriter writer;
    QList<XlsCell> wide;
    for (int c = 0; c < XlsWorkbookWriter::maxColumns; ++c)
        wide.append(c % 2 ? XlsCell(c) : XlsCell(QStringLiteral("列%1").arg(c)));
    QVERIFY(writer.appendRow(wide));
    for (int r = 1; r < XlsWorkbookWriter::maxRows; ++r)
        QVERIFY(writer.appendRow({r, QStringLiteral("行%1").arg(r % 100)}));
    QCOMPARE(writer.rowCount(), XlsWorkbookWriter::maxRows);
    const QString path = m_dir.filePath(QStringLiteral("largest.xls"));
    QVERIFY2(writer.save(path), qPrintable(writer.errorString()));

    XlsWorkbookReader reader;
    QVERIFY(reader.open(path));
    const auto sheet = reader.readSheet(0);
    QVERIFY2(sheet, qPrintable(reader.errorString()));
    QCOMPARE(sheet->size(), XlsWorkbookWriter::maxRows);
    QCOMPARE(sheet->first().size(), XlsWorkbookWriter::maxColumns);
    QCOMPARE(sheet->first().last(), QVariant(255.0));
    QCOMPARE(sheet->first().at(254), QVariant(QStringLiteral("列254")));
    QCOMPARE(sheet->last().at(0), QVariant(65535.0));
    QCOMPARE(sheet->last().at(1), QVariant(QStringLiteral("行35")));
    QVERIFY(sheet->last().at(2).isNull());
}

void TestXls::limitsRefused_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("textLength");
    QTest::addColumn<QString>("reason");
    QTest::newRow("one row too many")
        << XlsWorkbookWriter::maxRows + 1 << 1 << 1 << QStringLiteral("65536行");
    QTest::newRow("one column too many")
        << 1 << XlsWorkbookWriter::maxColumns + 1 << 1 << QStringLiteral("256列");
    QTest::newRow("text too long") << 1 << 1 << XlsWorkbookWriter::maxTextLength + 1
                                   << QStringLiteral("32767个字符");
}

void TestXls::limitsRefused()
{
    QFETCH(int, rows);
    QFETCH(int, columns);
    QFETCH(int, textLength);
    QFETCH(QString, reason);
    XlsWorkbookWriter writer;
    QList<XlsCell> row;
    for (int c = 0; c < columns; ++c)
        row.append(QString(textLength, QLatin1Char('x')));
    bool refused = false;
    for (int r = 0; r < rows && !refused; ++r)
        refused = !writer.appendRow(row);
    QVERIFY(refused);
    QVERIFY2(writer.errorString().contains(reason), qPrintable(writer.errorString()));
    const QString path = m_dir.filePath(QStringLiteral("refused.xls"));
    QVERIFY(!writer.save(path));
    QVERIFY(!QFile::exists(path));
}

void TestXls::invalidSheetName_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("empty") << QString();
    QTest::newRow("slash") << QStringLiteral("库存/查询");
    QTest::newRow("bracket") << QStringLiteral("[1]");
    QTest::newRow("32 characters") << QString(32, QChar(u'表'));
}

void TestXls::invalidSheetName()
{
    QFETCH(QString, name);
    XlsWorkbookWriter writer(name);
    QVERIFY(!writer.appendRow({"a"}));
    const QString path = m_dir.filePath(QStringLiteral("badname.xls"));
    QVERIFY(!writer.save(path));
    QVERIFY(writer.errorString().contains(QStringLiteral("工作表名称")));
    QVERIFY(!QFile::exists(path));
}

void TestXls::unwritablePath()
{
    XlsWorkbookWriter writer;
    QVERIFY(writer.appendRow({"a"}));
    const QString path = m_dir.filePath(QStringLiteral("没有的目录/库存.xls"));
    QVERIFY(!writer.save(path));
    QVERIFY2(writer.errorString().contains(QStringLiteral("库存.xls")), qPrintable(writer.errorString()));
    QVERIFY(!QFile::exists(path));
}

void TestXls::replacesExistingFile()
{
    const QString path = m_dir.filePath(QStringLiteral("旧文件.xls"));
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(100000, 'z'));
    }
    XlsWorkbookWriter writer;
    QVERIFY(writer.appendRow({"新"}));
    QVERIFY(writer.save(path));
    XlsWorkbookReader reader;
    QVERIFY2(reader.open(path), qPrintable(reader.errorString()));
    const auto sheet = reader.readSheet(0);
    QVERIFY(sheet);
    QCOMPARE(*sheet, (QList<QList<QVariant>>{{QStringLiteral("新")}}));
}

void TestXls::readerErrors_data()
{
    QTest::addColumn<QByteArray>("content"); // empty name: no file at all
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QString>("reason");

    XlsWorkbookWriter writer;
    for (int i = 0; i < 500; ++i)
        writer.appendRow({chineseText(40, i), i});
    const QString good = m_dir.filePath(QStringLiteral("good.xls"));
    writer.save(good);
    QFile f(good);
    f.open(QIODevice::ReadOnly);
    const QByteArray whole = f.readAll();

    QTest::newRow("missing file") << QByteArray() << false << QStringLiteral("文件不存在");
    QTest::newRow("empty file") << QByteArray() << true << QString();
    QTest::newRow("text file") << QByteArray("编码,品名\n001,面粉\n") << true
                               << QStringLiteral("不是Excel 97-2003工作簿");
    QTest::newRow("truncated workbook") << whole.left(whole.size() / 2) << true << QString();
}

void TestXls::readerErrors()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, exists);
    QFETCH(QString, reason);
    const QString path = m_dir.filePath(QStringLiteral("坏文件.xls"));
    QFile::remove(path);
    if (exists) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    XlsWorkbookReader reader;
    bool ok = reader.open(path);
    if (ok)
        ok = reader.readSheet(0).has_value();
    QVERIFY(!ok);
    QVERIFY2(reader.errorString().contains(QStringLiteral("坏文件.xls")), qPrintable(reader.errorString()));
    QVERIFY2(reader.errorString().contains(reason), qPrintable(reader.errorString()));
}

void TestXls::sheetByName()
{
    XlsWorkbookWriter writer(QStringLiteral("客户信息"));
    QVERIFY(writer.appendRow({"公司名", "电话"}));
    QVERIFY(writer.appendRow({"铭泽商贸", "0755-1234"}));
    const QString path = m_dir.filePath(QStringLiteral("客户信息.xls"));
    QVERIFY(writer.save(path));

    XlsWorkbookReader reader;
    QVERIFY(reader.open(path));
    QCOMPARE(reader.sheetNames(), QStringList{QStringLiteral("客户信息")});
    const auto sheet = reader.readSheet(QStringLiteral("客户信息"));
    QVERIFY(sheet);
    QCOMPARE(sheet->at(1).at(0), QVariant(QStringLiteral("铭泽商贸")));
    QVERIFY(!reader.readSheet(QStringLiteral("供应商")));
    QVERIFY(reader.errorString().contains(QStringLiteral("供应商")));
    QVERIFY(!reader.readSheet(1));
}

void TestXls::fileName_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("upper case kept") << QStringLiteral("库存.XLS") << QStringLiteral("库存.XLS");
    QTest::newRow("lower case kept") << QStringLiteral("库存.xls") << QStringLiteral("库存.xls");
    QTest::newRow("mixed case kept") << QStringLiteral("库存.Xls") << QStringLiteral("库存.Xls");
    QTest::newRow("no extension") << QStringLiteral("库存") << QStringLiteral("库存.xls");
    QTest::newRow("other extension") << QStringLiteral("a.txt") << QStringLiteral("a.txt.xls");
    QTest::newRow("full path") << QStringLiteral("/home/用户/客户信息")
                               << QStringLiteral("/home/用户/客户信息.xls");
    QTest::newRow("newer format gets xls too")
        << QStringLiteral("库存.xlsx") << QStringLiteral("库存.xlsx.xls");
}

void TestXls::fileName()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QCOMPARE(xlsFileName(chosen), written);
}

MZT_TEST_MAIN(TestXls)
#include "tst_xls.moc"
