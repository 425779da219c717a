#include "spzl_frm.h"

#include "categorytree.h"
#include "datagrid.h"
#include "gridexport.h"
#include "prompter.h"
#include "reportpreview.h"
#include "settings.h"
#include "splebei_new_frm.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTreeWidgetItem>
#include <QVBoxLayout>

namespace mzt {

namespace {

QString titleOf(const QString& field)
{
    static const QHash<QString, QString> titles{
        {QStringLiteral("条码"), QStringLiteral("速记码")},
        {QStringLiteral("品名"), QStringLiteral("品名规格")},
        {QStringLiteral("上限"), QStringLiteral("库存上限")},
        {QStringLiteral("下限"), QStringLiteral("库存下限")},
        {QStringLiteral("供应商"), QStringLiteral("供应商编码")},
        {QStringLiteral("公司名"), QStringLiteral("供应商名称")},
        {QStringLiteral("柜组"), QStringLiteral("商品规格")},
        {QStringLiteral("备注"), QStringLiteral("条形码")},
    };
    return titles.value(field, field);
}

} // namespace

Tfrm_spzl::Tfrm_spzl(Session& session, QWidget* parent, GoodsSelectionList* selection,
                     const QString& warehouse, GoodsWindowOpeners openers)
    : QDialog(parent), m_s(session), m_logic(session), m_selection(selection), m_warehouse(warehouse),
      m_openers(std::move(openers))
{
    setWindowTitle(QStringLiteral("商品资料管理"));
    setObjectName(QStringLiteral("Tfrm_spzl"));
    try {
        m_seesPurchasePrice = m_logic.canSeePurchasePrice();
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
    }
    buildUi();
    try {
        showRows(m_logic.ListGoods());
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
    }
}

Tfrm_spzl::~Tfrm_spzl() = default;

void Tfrm_spzl::buildUi()
{
    resize(1100, 680);

    // Buttons.
    auto* bar = new QHBoxLayout;
    auto addButton = [this, bar](const QString& caption, auto handler) {
        auto* b = new QPushButton(caption, this);
        b->setAutoDefault(false);
        b->setMinimumWidth(b->sizeHint().width() + 8);
        connect(b, &QPushButton::clicked, this, handler);
        bar->addWidget(b);
        m_buttons.insert(caption, b);
        return b;
    };
    addButton(QStringLiteral("新增商品资料"), [this] { addGoods(); });
    addButton(QStringLiteral("修改商品资料"), [this] { changeGoods(); });
    addButton(QStringLiteral("删除商品资料"), [this] { deleteGoods(); });
    addButton(QStringLiteral("类别设置"), [this] { manageCategories(); });
    addButton(QStringLiteral("按品名排序"), [this] { sortByName(); });
    addButton(QStringLiteral("打印商品资料"), [this] { printGoods(); });
    addButton(QStringLiteral("导出EXCEL"), [this] { exportGoods(); });
    bar->addStretch();
    addButton(QStringLiteral("退出管理"), [this] { reject(); });

    // Filter boxes.
    auto* queryBoxGroup = new QGroupBox(QStringLiteral("商品查询(支持模糊查找)"), this);
    auto* qh = new QHBoxLayout(queryBoxGroup);
    const std::pair<QString, QString> boxes[] = {
        {QStringLiteral("编码"), QStringLiteral("编码：")},
        {QStringLiteral("条码"), QStringLiteral("速记码：")},
        {QStringLiteral("品名"), QStringLiteral("品名：")},
        {QStringLiteral("公司名"), QStringLiteral("供应商：")},
        {QStringLiteral("备注"), QStringLiteral("条形码：")},
    };
    for (const auto& [field, caption] : boxes) {
        auto* e = new QLineEdit(queryBoxGroup);
        e->setMinimumWidth(field == QStringLiteral("品名") || field == QStringLiteral("公司名") ? 140 : 90);
        connect(e, &QLineEdit::returnPressed, this, [this] { runQuery(); });
        qh->addWidget(new QLabel(caption, queryBoxGroup));
        qh->addWidget(e, 1);
        m_query.insert(field, e);
    }
    auto* find = new QPushButton(QStringLiteral("开始查询商品"), queryBoxGroup);
    find->setAutoDefault(false);
    connect(find, &QPushButton::clicked, this, [this] { runQuery(); });
    m_buttons.insert(QStringLiteral("开始查询商品"), find);
    qh->addWidget(find);

    // Grid.
    m_grid = new DataGrid(this);
    const QString pricePicture = m_s.settings.pricePicture();
    QList<GridColumn> columns;
    for (const QString& f : GoodsList::listFields()) {
        GridColumn c;
        c.field = f;
        c.title = titleOf(f);
        if (f == QStringLiteral("上限") || f == QStringLiteral("下限") || f == QStringLiteral("小包装")) {
            c.kind = ColumnKind::Number;
            c.picture = QStringLiteral("0.##");
        } else if (f.startsWith(QStringLiteral("价格")) || f == QStringLiteral("进价") ||
                   f == QStringLiteral("批价") || f == QStringLiteral("售价")) {
            c.kind = ColumnKind::Number;
            c.picture = pricePicture;
        } else {
            c.kind = ColumnKind::Text;
        }
        if (f == QStringLiteral("编码"))
            c.footer = FooterKind::Count;
        if (f == QStringLiteral("品名"))
            c.width = 240;
        c.hidden = f == QStringLiteral("进价") && !m_seesPurchasePrice;
        columns.append(c);
    }
    m_grid->setColumns(columns);
    m_grid->setFooterVisible(false);
    connect(m_grid, &DataGrid::rowActivated, this, [this](int) {
        if (isPicker())
            importSelected();
        else
            changeGoods();
    });
    connect(m_grid->view(), &QTableView::clicked, this, [this](const QModelIndex& i) {
        if (i.isValid())
            rowClicked(i.row());
    });

    m_rowMenu = new QMenu(this);
    m_rowMenu->addAction(QStringLiteral("新增商品资料"), this, [this] { addGoods(); });
    m_rowMenu->addAction(QStringLiteral("修改商品资料"), this, [this] { changeGoods(); });
    m_rowMenu->addAction(QStringLiteral("删除商品资料"), this, [this] { deleteGoods(); });
    m_rowMenu->addSeparator();
    m_importAction =
        m_rowMenu->addAction(QStringLiteral("导入选中行的商品"), this, [this] { importSelected(); });
    m_importAction->setVisible(isPicker());
    m_grid->view()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_grid->view(), &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { m_rowMenu->popup(m_grid->view()->viewport()->mapToGlobal(p)); });

    m_count = new QLabel(QStringLiteral("记录数：0"), this);

    // Tree.
    m_tree = new CategoryTree(m_s, this);
    connect(m_tree, &CategoryTree::nodeChosen, this, [this](const CategoryNode& n) { showCategory(n.code); });
    // A click on the node already chosen shows its goods again after a search.
    connect(m_tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem*, int) {
        if (m_shownCategory != m_tree->currentCode())
            showCategory(m_tree->currentCode());
    });
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* treeMenu = new QMenu(this);
    treeMenu->addAction(QStringLiteral("类别设置"), this, [this] { manageCategories(); });
    connect(m_tree, &QWidget::customContextMenuRequested, this,
            [this, treeMenu](const QPoint& p) { treeMenu->popup(m_tree->viewport()->mapToGlobal(p)); });

    auto* right = new QWidget(this);
    auto* rv = new QVBoxLayout(right);
    rv->setContentsMargins(0, 0, 0, 0);
    rv->addWidget(queryBoxGroup);
    if (isPicker()) {
        auto* hint = new QLabel(
            QStringLiteral(
                "按住Ctrl键点击可选择多个商品；双击或右键“导入选中行的商品”把选中的商品带回单据。"),
            right);
        hint->setStyleSheet(QStringLiteral("color:#1f4e8c;"));
        rv->addWidget(hint);
    }
    rv->addWidget(m_grid, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_count);
    bottom->addStretch();
    rv->addLayout(bottom);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(m_tree);
    splitter->addWidget(right);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({220, 880});

    auto* main = new QVBoxLayout(this);
    main->addLayout(bar);
    main->addWidget(splitter, 1);
}

void Tfrm_spzl::showRows(const Rows& rows)
{
    m_shownCategory.clear();
    m_grid->setRows(rows);
    m_count->setText(QStringLiteral("记录数：") + QString::number(rows.size()));
}

void Tfrm_spzl::showCategory(const QString& categoryCode)
{
    try {
        showRows(m_logic.ListGoodsInCategory(categoryCode));
        m_shownCategory = categoryCode;
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
    }
}

void Tfrm_spzl::runQuery()
{
    GoodsQuery q;
    q.code = m_query.value(QStringLiteral("编码"))->text();
    q.quickCode = m_query.value(QStringLiteral("条码"))->text();
    q.name = m_query.value(QStringLiteral("品名"))->text();
    q.supplier = m_query.value(QStringLiteral("公司名"))->text();
    q.barcode = m_query.value(QStringLiteral("备注"))->text();
    try {
        showRows(m_logic.ListGoodsByQuery(q));
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
    }
}

void Tfrm_spzl::sortByName()
{
    try {
        showRows(m_logic.ListGoodsByName());
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
    }
}

void Tfrm_spzl::selectCode(const QString& code)
{
    for (int r = 0; r < m_grid->rowCount(); ++r) {
        if (m_grid->rowValue(r, QStringLiteral("编码")).toString() == code) {
            m_grid->setCurrentRow(r);
            return;
        }
    }
}

void Tfrm_spzl::addGoods()
{
    if (!m_logic.mayManage())
        return;
    TFrm_product editor(m_s, this, m_openers);
    editor.startAdd(m_tree->currentCode());
    connect(&editor, &TFrm_product::goodsAdded, this, [this](const QString& code) {
        try {
            showRows(m_logic.reload());
        } catch (const DbError& e) {
            m_s.prompter.error(e.message());
        }
        selectCode(code);
    });
    editor.exec();
    m_tree->reload();
}

void Tfrm_spzl::changeGoods()
{
    if (isPicker()) {
        importSelected();
        return;
    }
    if (!m_logic.mayManage())
        return;
    const QString code = m_grid->currentValue(QStringLiteral("编码")).toString();
    if (m_grid->currentRow() < 0 || code.isEmpty()) {
        m_s.prompter.warn(QStringLiteral("当前无资料可修改!"));
        return;
    }
    TFrm_product editor(m_s, this, m_openers);
    if (!editor.startChange(code))
        return;
    if (editor.exec() != QDialog::Accepted)
        return;
    try {
        showRows(m_logic.reload());
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
    }
    selectCode(code);
}

void Tfrm_spzl::deleteGoods()
{
    if (m_grid->currentRow() < 0)
        return;
    const QString code = m_grid->currentValue(QStringLiteral("编码")).toString();
    const QString name = m_grid->currentValue(QStringLiteral("品名")).toString();
    if (!m_logic.DeleteGoods(code, name))
        return;
    if (m_selection)
        m_selection->remove(code);
    sortByName();
}

void Tfrm_spzl::printGoods()
{
    const std::optional<GoodsList::PrintJob> job = m_logic.PrintGoods();
    if (!job)
        return;
    Report report;
    report.setTitle(QStringLiteral("商品资料"));
    report.setDatabase(&m_s.db);
    report.setCompanyData(ReadCompanyData(m_s.db));
    report.setDataSet(job->rows);
    LoadReportTemplate(this, report, m_s.programFolder, job->templateFile);
}

void Tfrm_spzl::exportGoods()
{
    if (m_grid->rowCount() == 0) {
        m_s.prompter.warn(QStringLiteral("当前无数据可导出!"));
        return;
    }
    ExportGridToExcel(this, m_s, QStringLiteral("商品信息"), *m_grid);
}

void Tfrm_spzl::manageCategories()
{
    if (!m_logic.mayManage())
        return;
    Tfrm_splebei_new editor(m_s, this, m_tree->currentCode());
    editor.exec();
    if (editor.changedAny())
        m_tree->reload();
}

void Tfrm_spzl::rowClicked(int row)
{
    if (!m_selection || row < 0)
        return;
    const QList<int> selected = m_grid->selectedRows();
    if (selected.size() == 1)
        m_selection->clear();
    const QString code = m_grid->rowValue(row, QStringLiteral("编码")).toString();
    if (selected.contains(row)) {
        m_selection->add(
            GoodsList::selectionEntry(code, m_grid->rowValue(row, QStringLiteral("单位")).toString(),
                                      m_grid->rowValue(row, QStringLiteral("售价")),
                                      m_grid->rowValue(row, QStringLiteral("品名")).toString(), m_warehouse));
    } else {
        m_selection->remove(code);
    }
}

void Tfrm_spzl::importSelected()
{
    if (!m_selection)
        return;
    accept();
}

} // namespace mzt
