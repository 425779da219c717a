#include "product_frm.h"

#include "categories.h"
#include "datagrid.h"
#include "editsmode.h"
#include "prompter.h"
#include "quickcode.h"
#include "tree_check_frm.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableView>
#include <QVBoxLayout>

namespace mzt {

namespace {

const QString priceCaptions[] = {
    QStringLiteral("价格一"), QStringLiteral("价格二"), QStringLiteral("价格三"), QStringLiteral("价格四"),
    QStringLiteral("价格五"), QStringLiteral("价格六"), QStringLiteral("价格七"), QStringLiteral("价格八"),
    QStringLiteral("价格九"), QStringLiteral("价格十"), QStringLiteral("价格11"), QStringLiteral("价格12"),
    QStringLiteral("价格13"), QStringLiteral("价格14"), QStringLiteral("价格15"), QStringLiteral("价格16"),
    QStringLiteral("价格17"), QStringLiteral("价格18"), QStringLiteral("价格19"), QStringLiteral("价格20")};

QValidator* numberValidator(QObject* parent)
{
    return new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]*\\.?[0-9]*")), parent);
}

// A small list to choose one supplier from when the typed text fits several.
class SupplierPickDialog final : public QDialog
{
public:
    SupplierPickDialog(const Rows& rows, QWidget* parent) : QDialog(parent)
    {
        setWindowTitle(QStringLiteral("选择供应商"));
        resize(460, 320);
        m_grid = new DataGrid(this);
        m_grid->setColumns({GridColumn{.field = QStringLiteral("编码"),
                                       .title = QStringLiteral("供应商编码"),
                                       .width = 120,
                                       .kind = ColumnKind::Text},
                            GridColumn{.field = QStringLiteral("公司名"),
                                       .title = QStringLiteral("供应商名称"),
                                       .width = 300,
                                       .kind = ColumnKind::Text}});
        m_grid->setRows(rows);
        auto* hint = new QLabel(QStringLiteral("双击或按回车选择供应商："), this);
        auto* buttons = new QDialogButtonBox(this);
        buttons->addButton(QStringLiteral("选择"), QDialogButtonBox::AcceptRole);
        buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(hint);
        layout->addWidget(m_grid, 1);
        layout->addWidget(buttons);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        connect(m_grid, &DataGrid::rowActivated, this, [this](int) { accept(); });
        m_grid->view()->setFocus();
    }
    QString code() const { return m_grid->currentValue(QStringLiteral("编码")).toString(); }
    QString name() const { return m_grid->currentValue(QStringLiteral("公司名")).toString(); }
    bool hasRow() const { return m_grid->currentRow() >= 0; }

private:
    DataGrid* m_grid = nullptr;
};

} // namespace

GoodsWindowOpeners& GoodsWindowOpeners::defaults()
{
    static GoodsWindowOpeners openers;
    return openers;
}

TFrm_product::TFrm_product(Session& session, QWidget* parent, GoodsWindowOpeners openers)
    : QDialog(parent), m_s(session), m_logic(session), m_openers(std::move(openers))
{
    setWindowTitle(QStringLiteral("商品资料管理"));
    setObjectName(QStringLiteral("TFrm_product"));
    try {
        m_seesPurchasePrice = m_logic.canSeePurchasePrice();
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
    }
    buildUi();
    reloadLists();
    startAdd();
}

TFrm_product::~TFrm_product() = default;

void TFrm_product::buildUi()
{
    auto edit = [this](int width = 0) {
        auto* e = new QLineEdit(this);
        if (width > 0)
            e->setMinimumWidth(width);
        e->installEventFilter(this);
        return e;
    };
    auto rightLabel = [this](const QString& text) {
        auto* l = new QLabel(text, this);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return l;
    };
    auto unitLabel = [this] {
        auto* l = new QLabel(this);
        l->setMinimumWidth(70);
        l->setStyleSheet(QStringLiteral("color:#1f4e8c;"));
        return l;
    };

    // Toolbar.
    m_save = new QPushButton(QStringLiteral("保存商品资料"), this);
    m_close = new QPushButton(QStringLiteral("退出"), this);
    m_save->setMinimumWidth(120);
    m_close->setMinimumWidth(90);
    m_categoryHint = new QLabel(QStringLiteral("请先选择[品类]"), this);
    m_categoryHint->setStyleSheet(QStringLiteral("color:#b03a2e;font-weight:bold;"));
    m_changeNote =
        new QLabel(QStringLiteral("注：如果你要修改的商品已经开始作为销售数据了,请不要随意修改规格."), this);
    m_changeNote->setStyleSheet(QStringLiteral("color:#b03a2e;"));
    auto* bar = new QHBoxLayout;
    bar->addWidget(m_save);
    bar->addWidget(m_close);
    bar->addSpacing(16);
    bar->addWidget(m_categoryHint);
    bar->addWidget(m_changeNote);
    bar->addStretch();

    // [第一步] units and pack specification.
    m_unitsPanel = new QGroupBox(QStringLiteral("[第一步] 设置商品的计量单位及换算关系(最大单位在前)"), this);
    auto* ug = new QGridLayout(m_unitsPanel);
    ug->setHorizontalSpacing(8);
    const QString unitCaptions[] = {QStringLiteral("大单位*："), QStringLiteral("第二单位："),
                                    QStringLiteral("第三单位：")};
    for (int i = 0; i < 3; ++i) {
        m_units[i] = new QComboBox(m_unitsPanel);
        m_units[i]->setMinimumWidth(110);
        m_units[i]->installEventFilter(this);
        ug->addWidget(rightLabel(unitCaptions[i]), 0, i * 2);
        ug->addWidget(m_units[i], 0, i * 2 + 1);
    }
    m_unitsButton = new QPushButton(QStringLiteral("增加计量单位资料>>"), m_unitsPanel);
    ug->addWidget(m_unitsButton, 0, 6);
    for (int i = 0; i < 2; ++i) {
        m_ratioLabels[i] = rightLabel(QString());
        m_ratios[i] = edit(70);
        m_ratios[i]->setMaximumWidth(90);
        m_ratios[i]->setAlignment(Qt::AlignRight);
        m_ratios[i]->setText(QStringLiteral("1"));
        m_ratios[i]->setProperty(keepTextProperty, true);
        // Digits and "." may be typed; a ratio that is not a whole number is refused on leaving.
        m_ratios[i]->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.]*")), m_ratios[i]));
        m_ratioSuffix[i] = unitLabel();
        auto* row = new QHBoxLayout;
        row->addWidget(m_ratios[i]);
        row->addWidget(m_ratioSuffix[i]);
        row->addStretch();
        ug->addWidget(m_ratioLabels[i], 1, i * 2 + 2);
        ug->addLayout(row, 1, i * 2 + 3);
    }
    ug->addWidget(rightLabel(QStringLiteral("换算关系：")), 1, 0);
    auto* ratioNote = new QLabel(QStringLiteral("(换算数须为整数)"), m_unitsPanel);
    ratioNote->setStyleSheet(QStringLiteral("color:#666;"));
    ug->addWidget(ratioNote, 1, 1);
    m_specLabel = new QLabel(m_unitsPanel);
    QFont sf = m_specLabel->font();
    sf.setBold(true);
    m_specLabel->setFont(sf);
    ug->addWidget(m_specLabel, 2, 0, 1, 7);
    m_hint = new QLabel(m_unitsPanel);
    m_hint->setWordWrap(true);
    m_hint->setStyleSheet(QStringLiteral("color:#b03a2e;"));
    ug->addWidget(m_hint, 3, 0, 1, 7);
    ug->setColumnStretch(7, 1);

    // [第二步] goods data.
    auto* data = new QGroupBox(QStringLiteral("[第二步] 填写商品资料(带 [*] 号的为必填项)"), this);
    auto* dg = new QGridLayout(data);
    dg->setHorizontalSpacing(8);
    m_category = new QComboBox(data);
    m_category->setMinimumWidth(240);
    m_category->setPlaceholderText(QStringLiteral("请选择品类"));
    m_category->installEventFilter(this);
    m_treeButton = new QPushButton(QStringLiteral("树状选择>"), data);
    m_fillButton = new QPushButton(QStringLiteral("填写资料>>"), data);
    m_number = edit(100);
    m_number->setProperty(keepTextProperty, true);
    m_codeLabel = new QLabel(data);
    m_codeLabel->setStyleSheet(QStringLiteral("color:#1f4e8c;font-weight:bold;"));
    m_name = edit(300);
    m_name->setPlaceholderText(QStringLiteral("如 达利可比克[1件*6袋*12包]"));
    m_quick = edit(140);
    m_barcode = edit(140);
    m_supplierName = edit(200);
    m_supplierName->setPlaceholderText(QStringLiteral("输入编码或名称后回车"));
    m_supplierButton = new QPushButton(QStringLiteral("..."), data);
    m_supplierButton->setToolTip(QStringLiteral("浏览供应商"));
    m_supplierButton->setFixedWidth(32);
    m_supplierCode = edit(100);
    m_supplierCode->setReadOnly(true);
    m_supplierCode->setFocusPolicy(Qt::NoFocus);
    m_shelfLife = edit(140);
    m_productionDate = edit(140);
    m_discontinued = new QComboBox(data);
    m_discontinued->addItems({QStringLiteral("否"), QStringLiteral("是")});
    m_discontinued->installEventFilter(this);
    m_upper = edit(100);
    m_lower = edit(100);
    m_upper->setValidator(numberValidator(m_upper));
    m_lower->setValidator(numberValidator(m_lower));
    m_upperUnit = unitLabel();
    m_lowerUnit = unitLabel();
    m_purchase = edit(100);
    m_wholesale = edit(100);
    m_retail = edit(100);
    for (QLineEdit* e : {m_purchase, m_wholesale, m_retail, m_upper, m_lower})
        e->setValidator(numberValidator(e));
    m_purchaseUnit = unitLabel();
    m_wholesaleUnit = unitLabel();
    m_retailUnit = unitLabel();
    for (QPushButton* b : {m_treeButton, m_fillButton, m_supplierButton})
        b->setAutoDefault(false);

    auto withSuffix = [](QLineEdit* e, QLabel* l) {
        auto* h = new QHBoxLayout;
        h->setSpacing(4);
        h->addWidget(e, 1);
        h->addWidget(l);
        return h;
    };
    auto* categoryRow = new QHBoxLayout;
    categoryRow->addWidget(m_category, 1);
    categoryRow->addWidget(m_treeButton);
    categoryRow->addWidget(m_fillButton);
    dg->addWidget(rightLabel(QStringLiteral("品类*：")), 0, 0);
    dg->addLayout(categoryRow, 0, 1, 1, 3);
    dg->addWidget(rightLabel(QStringLiteral("商品编码：")), 0, 4);
    dg->addWidget(m_codeLabel, 0, 5);
    dg->addWidget(rightLabel(QStringLiteral("编号*：")), 1, 0);
    dg->addWidget(m_number, 1, 1);
    dg->addWidget(rightLabel(QStringLiteral("品名规格*：")), 1, 2);
    dg->addWidget(m_name, 1, 3, 1, 3);
    dg->addWidget(rightLabel(QStringLiteral("速记码*：")), 2, 0);
    dg->addWidget(m_quick, 2, 1);
    dg->addWidget(rightLabel(QStringLiteral("条形码：")), 2, 2);
    dg->addWidget(m_barcode, 2, 3);
    dg->addWidget(rightLabel(QStringLiteral("淘汰否：")), 2, 4);
    dg->addWidget(m_discontinued, 2, 5);
    auto* supplierRow = new QHBoxLayout;
    supplierRow->setSpacing(4);
    supplierRow->addWidget(m_supplierName, 1);
    supplierRow->addWidget(m_supplierButton);
    dg->addWidget(rightLabel(QStringLiteral("供应商：")), 3, 0);
    dg->addLayout(supplierRow, 3, 1, 1, 3);
    dg->addWidget(rightLabel(QStringLiteral("供应商编码：")), 3, 4);
    dg->addWidget(m_supplierCode, 3, 5);
    dg->addWidget(rightLabel(QStringLiteral("保质期：")), 4, 0);
    dg->addWidget(m_shelfLife, 4, 1);
    dg->addWidget(rightLabel(QStringLiteral("生产日期：")), 4, 2);
    dg->addWidget(m_productionDate, 4, 3);
    dg->addWidget(rightLabel(QStringLiteral("库存上限：")), 5, 0);
    dg->addLayout(withSuffix(m_upper, m_upperUnit), 5, 1);
    dg->addWidget(rightLabel(QStringLiteral("库存下限：")), 5, 2);
    dg->addLayout(withSuffix(m_lower, m_lowerUnit), 5, 3);
    m_purchaseLabel = rightLabel(QStringLiteral("进价："));
    dg->addWidget(m_purchaseLabel, 6, 0);
    dg->addLayout(withSuffix(m_purchase, m_purchaseUnit), 6, 1);
    dg->addWidget(rightLabel(QStringLiteral("批价：")), 6, 2);
    dg->addLayout(withSuffix(m_wholesale, m_wholesaleUnit), 6, 3);
    dg->addWidget(rightLabel(QStringLiteral("售价：")), 6, 4);
    dg->addLayout(withSuffix(m_retail, m_retailUnit), 6, 5);
    dg->setColumnStretch(1, 1);
    dg->setColumnStretch(3, 1);
    dg->setColumnStretch(5, 1);

    // The further prices.
    auto* pricePanel = new QGroupBox(QStringLiteral("更多价格(客户的价格类别取其中之一)"), this);
    auto* pg = new QGridLayout(pricePanel);
    pg->setHorizontalSpacing(6);
    pg->setVerticalSpacing(4);
    for (int i = 0; i < 20; ++i) {
        QLineEdit* e = edit(70);
        e->setValidator(numberValidator(e));
        e->setProperty(keepTextProperty, true);
        QLabel* u = unitLabel();
        m_prices.append(e);
        m_priceUnits.append(u);
        const int row = i % 5;
        const int col = (i / 5) * 3;
        pg->addWidget(rightLabel(priceCaptions[i] + QStringLiteral("：")), row, col);
        pg->addWidget(e, row, col + 1);
        pg->addWidget(u, row, col + 2);
        pg->setColumnStretch(col + 1, 1);
    }

    m_lastAdded = new QLabel(this);
    m_lastAdded->setStyleSheet(QStringLiteral("color:#1e7b34;"));

    auto* main = new QVBoxLayout(this);
    main->addLayout(bar);
    main->addWidget(m_unitsPanel);
    main->addWidget(data);
    main->addWidget(pricePanel);
    main->addWidget(m_lastAdded);
    main->addStretch();
    setStyleSheet(QStringLiteral("QLineEdit:read-only { background: #eeeeee; }"));

    // Keyboard order follows the steps.
    QList<QWidget*> order{m_units[0],     m_units[1],     m_ratios[0], m_units[2],       m_ratios[1],
                          m_category,     m_number,       m_name,      m_quick,          m_barcode,
                          m_discontinued, m_supplierName, m_shelfLife, m_productionDate, m_upper,
                          m_lower,        m_purchase,     m_wholesale, m_retail};
    for (QLineEdit* e : m_prices)
        order.append(e);
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));

    for (QPushButton* b : {m_save, m_close, m_unitsButton})
        b->setAutoDefault(false);

    connect(m_save, &QPushButton::clicked, this, [this] { save(); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_unitsButton, &QPushButton::clicked, this, [this] { openUnits(); });
    connect(m_treeButton, &QPushButton::clicked, this, [this] { openTreePicker(); });
    connect(m_fillButton, &QPushButton::clicked, this, [this] {
        categoryChanged();
        m_name->setFocus();
    });
    connect(m_supplierButton, &QPushButton::clicked, this, [this] { browseSuppliers(); });
    for (int i = 0; i < 3; ++i)
        connect(m_units[i], &QComboBox::currentIndexChanged, this, [this] { unitsChanged(); });
    for (int i = 0; i < 2; ++i) {
        connect(m_ratios[i], &QLineEdit::textEdited, this, [this] { unitsChanged(); });
        connect(m_ratios[i], &QLineEdit::editingFinished, this, [this, i] { checkRatio(i); });
    }
    connect(m_category, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling)
            categoryChanged();
    });
    connect(m_number, &QLineEdit::textChanged, this, [this] { updateCodeLabel(); });
    auto quick = [this] { m_quick->setText(MakeQuickCode(m_name->text())); };
    connect(m_name, &QLineEdit::textEdited, this, quick);
    connect(m_productionDate, &QLineEdit::textEdited, this, quick);
    connect(m_barcode, &QLineEdit::editingFinished, this, [this] { checkBarcodeBox(); });
    for (QLineEdit* e : {m_upper, m_lower, m_purchase, m_wholesale, m_retail})
        connect(e, &QLineEdit::textChanged, this, [this] { updatePackTexts(); });
    for (QLineEdit* e : m_prices)
        connect(e, &QLineEdit::textChanged, this, [this] { updatePackTexts(); });
    connect(m_supplierName, &QLineEdit::textEdited, this, [this] { m_lastResolvedSupplier.clear(); });

    m_purchaseLabel->setVisible(m_seesPurchasePrice);
    m_purchase->setVisible(m_seesPurchasePrice);
    m_purchaseUnit->setVisible(m_seesPurchasePrice);
    resize(940, sizeHint().height() + 10);
}

void TFrm_product::reloadLists()
{
    const QString category =
        m_category->currentIndex() >= 0 ? Categories::codeFromChoice(m_category->currentText()) : QString();
    QString units[3];
    for (int i = 0; i < 3; ++i)
        units[i] = m_units[i]->currentText();
    QStringList unitChoices;
    QStringList categoryChoices;
    try {
        unitChoices = m_logic.unitChoices();
        categoryChoices = m_logic.categoryChoices();
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
    }
    m_filling = true;
    for (int i = 0; i < 3; ++i) {
        const QSignalBlocker block(m_units[i]);
        m_units[i]->clear();
        m_units[i]->addItems(unitChoices);
        setUnitCombo(m_units[i], units[i]);
    }
    {
        const QSignalBlocker block(m_category);
        m_category->clear();
        m_category->addItems(categoryChoices);
        m_category->setCurrentIndex(categoryIndex(category));
    }
    m_filling = false;
    updatePackTexts();
}

void TFrm_product::setUnitCombo(QComboBox* box, const QString& unit)
{
    if (!PackSpec::isUnit(unit)) {
        box->setCurrentIndex(box->count() > 0 ? 0 : -1);
        return;
    }
    int i = box->findText(unit);
    if (i < 0) {
        // A stored unit that is no longer in the unit list still shows.
        box->addItem(unit);
        i = box->count() - 1;
    }
    box->setCurrentIndex(i);
}

int TFrm_product::categoryIndex(const QString& categoryCode) const
{
    if (categoryCode.isEmpty())
        return -1;
    for (int i = 0; i < m_category->count(); ++i) {
        if (Categories::codeFromChoice(m_category->itemText(i)) == categoryCode)
            return i;
    }
    return -1;
}

void TFrm_product::startAdd(const QString& categoryCode)
{
    m_logic.startAdd();
    m_packTouched = true;
    m_filling = true;
    SetEditsMode(this, 1);
    for (QLineEdit* e : m_ratios)
        e->setText(QStringLiteral("1"));
    for (QLineEdit* e : m_prices)
        e->clear();
    m_number->clear();
    m_supplierCode->setReadOnly(true);
    for (QComboBox* u : m_units)
        u->setCurrentIndex(u->count() > 0 ? 0 : -1);
    m_discontinued->setCurrentIndex(0);
    m_discontinued->setEnabled(false);
    m_category->setEnabled(true);
    m_treeButton->setEnabled(true);
    m_fillButton->setEnabled(true);
    m_number->setReadOnly(false);
    m_category->setCurrentIndex(
        categoryIndex(categoryCode == Categories::rootCode() ? QString() : categoryCode));
    m_filling = false;
    m_unitsPanel->setVisible(true);
    m_categoryHint->setVisible(true);
    m_changeNote->setVisible(false);
    m_lastAdded->clear();
    if (m_category->currentIndex() >= 0)
        categoryChanged();
    updateCodeLabel();
    updatePackTexts();
    m_units[0]->setFocus();
}

bool TFrm_product::startChange(const QString& code)
{
    if (!m_logic.startChange(code))
        return false;
    bool locked = false;
    try {
        locked = m_logic.unitsLocked();
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
        locked = true;
    }
    fillForm(m_logic.stored());
    m_packTouched = false;
    // The category shown is the one whose part the code carries, the longest part first.
    int best = -1;
    qsizetype bestLength = 0;
    for (int i = 0; i < m_category->count(); ++i) {
        const QString part = Categories::goodsCodePart(Categories::codeFromChoice(m_category->itemText(i)));
        if (!part.isEmpty() && part.size() > bestLength && code.startsWith(QStringLiteral("B") + part)) {
            best = i;
            bestLength = part.size();
        }
    }
    {
        const QSignalBlocker block(m_category);
        m_category->setCurrentIndex(best);
    }
    if (best >= 0)
        m_number->setText(code.mid(bestLength + 1));
    m_category->setEnabled(false);
    m_treeButton->setEnabled(false);
    m_fillButton->setEnabled(false);
    m_number->setReadOnly(true);
    m_discontinued->setEnabled(true);
    m_unitsPanel->setVisible(!locked);
    m_categoryHint->setVisible(false);
    m_changeNote->setVisible(true);
    m_lastAdded->clear();
    updatePackTexts();
    m_name->setFocus();
    return true;
}

void TFrm_product::fillForm(const GoodsForm& f)
{
    m_filling = true;
    SetEditsMode(this, 2);
    for (int i = 0; i < 3; ++i) {
        const QSignalBlocker block(m_units[i]);
        setUnitCombo(m_units[i], i == 0 ? f.pack.u1 : i == 1 ? f.pack.u2 : f.pack.u3);
    }
    m_ratios[0]->setText(f.pack.n1);
    m_ratios[1]->setText(f.pack.n2);
    m_category->setCurrentIndex(-1);
    m_number->setText(QString());
    m_codeLabel->setText(f.code);
    m_name->setText(f.name);
    m_quick->setText(f.quickCode);
    m_barcode->setText(f.barcode);
    m_supplierName->setText(f.supplierName);
    m_supplierCode->setText(f.supplierCode);
    m_lastResolvedSupplier = f.supplierName;
    m_shelfLife->setText(f.shelfLife);
    m_productionDate->setText(f.productionDate);
    m_discontinued->setCurrentIndex(f.discontinued == QStringLiteral("是") ? 1 : 0);
    m_upper->setText(f.upperLimit);
    m_lower->setText(f.lowerLimit);
    m_purchase->setText(f.purchasePrice);
    m_wholesale->setText(f.wholesalePrice);
    m_retail->setText(f.retailPrice);
    for (int i = 0; i < m_prices.size(); ++i)
        m_prices[i]->setText(i < f.prices.size() ? f.prices.at(i) : QString());
    m_filling = false;
}

GoodsForm TFrm_product::form() const
{
    GoodsForm f;
    f.code = m_logic.mode() == GoodsEditor::Mode::Change ? m_logic.stored().code : QString();
    f.categoryPart = categoryPart();
    f.number = m_number->text();
    f.name = m_name->text();
    f.quickCode = m_quick->text();
    f.barcode = m_barcode->text();
    f.supplierCode = m_supplierCode->text();
    f.supplierName = m_supplierName->text();
    f.shelfLife = m_shelfLife->text();
    f.productionDate = m_productionDate->text();
    f.discontinued = m_discontinued->currentText();
    f.pack.u1 = m_units[0]->currentText();
    f.pack.u2 = m_units[1]->currentText();
    f.pack.u3 = m_units[2]->currentText();
    f.pack.n1 = m_ratios[0]->text();
    f.pack.n2 = m_ratios[1]->text();
    f.packChanged = m_packTouched && m_unitsPanel->isVisibleTo(const_cast<TFrm_product*>(this));
    f.purchasePrice = m_purchase->text();
    f.wholesalePrice = m_wholesale->text();
    f.retailPrice = m_retail->text();
    f.upperLimit = m_upper->text();
    f.lowerLimit = m_lower->text();
    for (const QLineEdit* e : m_prices)
        f.prices.append(e->text());
    return f;
}

QString TFrm_product::categoryPart() const
{
    if (m_category->currentIndex() < 0)
        return {};
    return Categories::goodsCodePart(Categories::codeFromChoice(m_category->currentText()));
}

void TFrm_product::unitsChanged()
{
    if (m_filling)
        return;
    m_packTouched = true;
    updatePackTexts();
}

void TFrm_product::updatePackTexts()
{
    PackSpec p;
    p.u1 = m_units[0]->currentText();
    p.u2 = m_units[1]->currentText();
    p.u3 = m_units[2]->currentText();
    p.n1 = m_ratios[0]->text();
    p.n2 = m_ratios[1]->text();
    const bool stored = m_logic.mode() == GoodsEditor::Mode::Change && !m_packTouched;
    const QString spec = stored ? m_logic.storedSpecification() : p.specification();
    m_specLabel->setText(QStringLiteral("商品规格:") + spec);

    const QString smallest = p.smallestUnit();
    const QString big = PackSpec::isUnit(p.u1) ? p.u1.trimmed() : QString();
    m_hint->setText(QStringLiteral("请注意：下面的:进价，批价，售价，及更多价格中的价格应为最小单位:【") +
                    smallest + QStringLiteral("】的价格"));

    // The ratio boxes name the units they join; a ratio without its unit is not used.
    m_ratioLabels[0]->setText(QStringLiteral("1") + (big.isEmpty() ? QStringLiteral("大单位") : big) +
                              QStringLiteral(" ="));
    m_ratioSuffix[0]->setText(PackSpec::isUnit(p.u2) ? p.u2.trimmed() : QStringLiteral("第二单位"));
    m_ratioLabels[1]->setText(QStringLiteral("1") +
                              (PackSpec::isUnit(p.u2) ? p.u2.trimmed() : QStringLiteral("第二单位")) +
                              QStringLiteral(" ="));
    m_ratioSuffix[1]->setText(PackSpec::isUnit(p.u3) ? p.u3.trimmed() : QStringLiteral("第三单位"));
    m_ratios[0]->setEnabled(p.unitCount() >= 2);
    m_ratios[1]->setEnabled(p.unitCount() == 3);
    m_units[2]->setEnabled(p.unitCount() >= 2);

    auto show = [](const QLineEdit* e) {
        return e->text().trimmed().isEmpty() ? QStringLiteral("0") : e->text().trimmed();
    };
    m_upperUnit->setText(show(m_upper) + big);
    m_lowerUnit->setText(show(m_lower) + big);
    const QString per = QStringLiteral("元/") + smallest;
    m_purchaseUnit->setText(show(m_purchase) + per);
    m_wholesaleUnit->setText(show(m_wholesale) + per);
    m_retailUnit->setText(show(m_retail) + per);
    for (int i = 0; i < m_prices.size(); ++i)
        m_priceUnits[i]->setText(show(m_prices.at(i)) + per);
}

void TFrm_product::checkRatio(int i)
{
    QLineEdit* box = m_ratios[i];
    if (box->text().trimmed().isEmpty()) {
        box->setText(QStringLiteral("1"));
        unitsChanged();
        return;
    }
    if (!box->isEnabled() || PackSpec::ratioValue(box->text()))
        return;
    if (box->property("checking").toBool())
        return;
    box->setProperty("checking", true);
    m_s.prompter.warn(QStringLiteral("单位换算数必须是1至999999之间的整数,请重新输入!"));
    box->setProperty("checking", false);
    box->setFocus();
    box->selectAll();
}

void TFrm_product::checkBarcodeBox()
{
    if (m_checkingBarcode)
        return;
    m_checkingBarcode = true;
    const bool ok = m_logic.checkBarcode(m_barcode->text());
    m_checkingBarcode = false;
    if (!ok) {
        m_barcode->setFocus();
        m_barcode->selectAll();
    }
}

void TFrm_product::categoryChanged()
{
    if (m_logic.mode() != GoodsEditor::Mode::Add || m_category->currentIndex() < 0) {
        updateCodeLabel();
        return;
    }
    try {
        if (const std::optional<QString> n = m_logic.proposeNumber(categoryPart()))
            m_number->setText(*n);
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
    }
    m_categoryHint->setVisible(false);
    updateCodeLabel();
}

void TFrm_product::chooseCategory(const QString& categoryCode)
{
    const int i = categoryIndex(categoryCode);
    if (i < 0)
        return;
    if (m_category->currentIndex() == i)
        categoryChanged();
    else
        m_category->setCurrentIndex(i);
}

void TFrm_product::updateCodeLabel()
{
    if (m_logic.mode() == GoodsEditor::Mode::Change) {
        m_codeLabel->setText(m_logic.stored().code);
        return;
    }
    if (m_category->currentIndex() < 0) {
        m_codeLabel->setText(QStringLiteral("(请先选择品类)"));
        return;
    }
    m_codeLabel->setText(GoodsEditor::goodsCode(categoryPart(), m_number->text()));
}

void TFrm_product::openTreePicker()
{
    const QString current =
        m_category->currentIndex() >= 0 ? Categories::codeFromChoice(m_category->currentText()) : QString();
    Tfrm_tree_check picker(m_s, this, current);
    if (picker.exec() != QDialog::Accepted || !picker.chosen())
        return;
    chooseCategory(picker.chosen()->code);
    m_number->setFocus();
}

void TFrm_product::openUnits()
{
    if (!m_logic.mayOpenUnits())
        return;
    if (!m_openers.units)
        return;
    try {
        m_openers.units(m_s, this);
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
    }
    reloadLists();
}

void TFrm_product::supplierEnter()
{
    const QString text = m_supplierName->text().trimmed();
    if (text.isEmpty() || text == m_lastResolvedSupplier.trimmed()) {
        save();
        return;
    }
    Rows rows;
    try {
        rows = m_logic.findSuppliers(text);
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
        return;
    }
    pickSupplier(rows);
}

void TFrm_product::pickSupplier(const Rows& rows)
{
    if (rows.isEmpty())
        return;
    QString code;
    QString name;
    if (rows.size() == 1) {
        code = rows.first().value(0).toString();
        name = rows.first().value(1).toString();
    } else {
        SupplierPickDialog pick(rows, this);
        if (pick.exec() != QDialog::Accepted || !pick.hasRow())
            return;
        code = pick.code();
        name = pick.name();
    }
    m_supplierCode->setText(code);
    m_supplierName->setText(name);
    m_lastResolvedSupplier = name;
    m_shelfLife->setFocus();
}

void TFrm_product::browseSuppliers()
{
    Rows rows;
    try {
        rows = m_logic.findSuppliers(QString());
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
        return;
    }
    if (rows.isEmpty())
        return;
    // The list is offered even for a single supplier, so that the choice stays the user's.
    SupplierPickDialog pick(rows, this);
    if (pick.exec() != QDialog::Accepted || !pick.hasRow())
        return;
    m_supplierCode->setText(pick.code());
    m_supplierName->setText(pick.name());
    m_lastResolvedSupplier = pick.name();
}

void TFrm_product::save()
{
    const GoodsEditor::SaveResult r = m_logic.save(form());
    switch (r.status) {
    case GoodsEditor::SaveStatus::Saved:
        if (m_logic.mode() == GoodsEditor::Mode::Add)
            afterAdd(r.code);
        else
            accept();
        return;
    case GoodsEditor::SaveStatus::NoWarehouse:
        if (m_logic.mayOpenWarehouses() && m_openers.warehouses) {
            try {
                m_openers.warehouses(m_s, this);
            } catch (const DbError& e) {
                m_s.prompter.error(e.message());
            }
        }
        reloadLists();
        return;
    case GoodsEditor::SaveStatus::Refused:
        focusField(r.focus, r.priceIndex);
        return;
    case GoodsEditor::SaveStatus::Cancelled:
    case GoodsEditor::SaveStatus::Failed:
        return;
    }
}

void TFrm_product::afterAdd(const QString& code)
{
    const QString name = m_name->text().trimmed();
    // The next goods item usually shares the units, the category and the further prices.
    m_filling = true;
    SetEditsMode(this, 1);
    m_filling = false;
    m_lastResolvedSupplier.clear();
    categoryChanged();
    updatePackTexts();
    m_lastAdded->setText(QStringLiteral("已增加商品：") + name + QStringLiteral("  编码：") + code);
    emit goodsAdded(code);
    m_name->setFocus();
}

void TFrm_product::focusField(GoodsField field, int priceIndex)
{
    QWidget* w = nullptr;
    switch (field) {
    case GoodsField::Category:
        w = m_category;
        break;
    case GoodsField::Number:
        w = m_number;
        break;
    case GoodsField::Name:
        w = m_name;
        break;
    case GoodsField::QuickCode:
        w = m_quick;
        break;
    case GoodsField::Barcode:
        w = m_barcode;
        break;
    case GoodsField::Supplier:
        w = m_supplierName;
        break;
    case GoodsField::Unit1:
        w = m_units[0];
        break;
    case GoodsField::Ratio1:
        w = m_ratios[0];
        break;
    case GoodsField::Ratio2:
        w = m_ratios[1];
        break;
    case GoodsField::PurchasePrice:
        w = m_purchase;
        break;
    case GoodsField::WholesalePrice:
        w = m_wholesale;
        break;
    case GoodsField::RetailPrice:
        w = m_retail;
        break;
    case GoodsField::UpperLimit:
        w = m_upper;
        break;
    case GoodsField::LowerLimit:
        w = m_lower;
        break;
    case GoodsField::Price:
        if (priceIndex >= 0 && priceIndex < m_prices.size())
            w = m_prices.at(priceIndex);
        break;
    case GoodsField::None:
        break;
    }
    if (w && w->isVisible() && w->isEnabled()) {
        w->setFocus();
        if (auto* e = qobject_cast<QLineEdit*>(w))
            e->selectAll();
    }
}

bool TFrm_product::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (watched == m_supplierName) {
                supplierEnter();
                return true;
            }
            // Enter moves on to the next box, as Tab does.
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace mzt
