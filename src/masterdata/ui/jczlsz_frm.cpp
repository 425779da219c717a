#include "jczlsz_frm.h"

#include "codelistpage.h"
#include "settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace mzt {

Tfrm_jczlsz::Tfrm_jczlsz(Session& session, QWidget* parent, int page)
    : QDialog(parent), m_s(session), m_settings(session)
{
    setObjectName(QStringLiteral("Tfrm_jczlsz"));
    setWindowTitle(QStringLiteral("基础资料设置"));
    resize(780, 520);

    m_tabs = new QTabWidget(this);
    for (CodeListKind kind : allCodeListKinds()) {
        auto* list = new CodeListPage(session, kind, m_tabs);
        m_lists.append(list);
        m_tabs->addTab(list, codeListDefinition(kind).pageCaption);
    }
    m_tabs->addTab(buildDefaultsPage(), QStringLiteral("默认资料设置"));

    m_startup = new QCheckBox(QStringLiteral("下次启动时不再显示本窗口"), this);
    m_apply = new QPushButton(QStringLiteral("应用"), this);
    m_close = new QPushButton(QStringLiteral("关闭"), this);
    m_apply->setMinimumWidth(80);
    m_close->setMinimumWidth(80);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_startup);
    bottom->addStretch();
    bottom->addWidget(m_apply);
    bottom->addWidget(m_close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(bottom);

    // Enter belongs to the boxes of the pages, never to a button of the window.
    for (QPushButton* b : findChildren<QPushButton*>())
        b->setAutoDefault(false);

    connect(m_apply, &QPushButton::clicked, this, [this] { apply(); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_startup, &QCheckBox::toggled, this, [this](bool ticked) {
        if (!m_loading)
            m_settings.SetStartupPrompt(ticked);
    });

    loadDefaults();
    m_tabs->setCurrentIndex(page >= 0 && page < m_tabs->count() ? page : UnitsPage);
}

int Tfrm_jczlsz::currentPage() const
{
    return m_tabs->currentIndex();
}

CodeListPage* Tfrm_jczlsz::codeListPage(int page) const
{
    return page >= 0 && page < m_lists.size() ? m_lists.at(page) : nullptr;
}

QWidget* Tfrm_jczlsz::buildDefaultsPage()
{
    auto* page = new QWidget(m_tabs);
    page->setObjectName(QStringLiteral("defaultsPage"));

    auto* stores = new QGroupBox(QStringLiteral("各模块默认仓库设置"), page);
    auto* storeGrid = new QGridLayout(stores);
    storeGrid->setHorizontalSpacing(12);
    const QStringList keys = BdChangeSettings::warehouseKeys();
    for (int i = 0; i < keys.size(); ++i) {
        auto* box = new QComboBox(stores);
        box->setObjectName(keys.at(i));
        box->setMinimumWidth(170);
        m_warehouses.insert(keys.at(i), box);
        const int row = i / 2;
        const int col = (i % 2) * 2;
        storeGrid->addWidget(new QLabel(keys.at(i) + QStringLiteral("："), stores), row, col, Qt::AlignRight);
        storeGrid->addWidget(box, row, col + 1);
        connect(box, &QComboBox::currentIndexChanged, this, [this] { defaultsChanged(); });
    }
    storeGrid->setColumnStretch(1, 1);
    storeGrid->setColumnStretch(3, 1);

    auto* other = new QGroupBox(QStringLiteral("其它辅助设置"), page);
    auto* otherGrid = new QGridLayout(other);
    m_decimals = new QSpinBox(other);
    m_decimals->setRange(0, BasicSettings::MaxDecimals);
    m_decimals->setMinimumWidth(70);
    m_discount = new QLineEdit(other);
    m_discount->setMaximumWidth(90);
    m_discount->setAlignment(Qt::AlignRight);
    m_discount->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("(10(\\.0*)?|\\d(\\.\\d{0,4})?)?")), m_discount));
    m_noDiscount = new QCheckBox(QStringLiteral("不打折"), other);

    auto* decimalsRow = new QHBoxLayout;
    decimalsRow->addWidget(m_decimals);
    decimalsRow->addWidget(new QLabel(QStringLiteral("位"), other));
    decimalsRow->addStretch();
    auto* discountRow = new QHBoxLayout;
    discountRow->addWidget(m_discount);
    discountRow->addWidget(new QLabel(QStringLiteral("折"), other));
    discountRow->addSpacing(16);
    discountRow->addWidget(m_noDiscount);
    discountRow->addStretch();
    otherGrid->addWidget(new QLabel(QStringLiteral("单价小数位数："), other), 0, 0, Qt::AlignRight);
    otherGrid->addLayout(decimalsRow, 0, 1);
    otherGrid->addWidget(new QLabel(QStringLiteral("销售出货默认折扣："), other), 1, 0, Qt::AlignRight);
    otherGrid->addLayout(discountRow, 1, 1);
    auto* note = new QLabel(QStringLiteral("说明:输入0为不打折,1为1折,8.8为8.8折,..."), other);
    note->setStyleSheet(QStringLiteral("color:#1f5fa8;"));
    otherGrid->addWidget(note, 2, 1);
    otherGrid->setColumnStretch(1, 1);

    m_saveSettings = new QPushButton(QStringLiteral("保存设置"), page);
    m_saveSettings->setMinimumWidth(100);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_saveSettings);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(stores);
    layout->addWidget(other);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(m_decimals, &QSpinBox::valueChanged, this, [this] { defaultsChanged(); });
    connect(m_discount, &QLineEdit::textChanged, this, [this] { defaultsChanged(); });
    connect(m_noDiscount, &QCheckBox::toggled, this, [this](bool ticked) {
        if (ticked)
            m_discount->setText(QStringLiteral("0"));
        m_discount->setEnabled(!ticked);
    });
    connect(m_saveSettings, &QPushButton::clicked, this, [this] { saveSettings(); });
    return page;
}

void Tfrm_jczlsz::loadDefaults()
{
    m_loading = true;
    const QStringList names = m_settings.warehouseNames();
    const DefaultSettings d = m_settings.load();
    for (auto it = m_warehouses.cbegin(); it != m_warehouses.cend(); ++it) {
        QComboBox* box = it.value();
        box->clear();
        box->addItems(names);
        // A name that is no longer a warehouse selects nothing.
        box->setCurrentIndex(names.indexOf(d.warehouses.value(it.key())));
    }
    m_decimals->setValue(d.decimals);
    if (d.discount)
        m_discount->setText(*d.discount);
    m_startup->setChecked(m_settings.startupBoxTicked());
    m_apply->setEnabled(false);
    m_loading = false;
}

DefaultSettings Tfrm_jczlsz::collectDefaults() const
{
    DefaultSettings d;
    for (auto it = m_warehouses.cbegin(); it != m_warehouses.cend(); ++it)
        d.warehouses.insert(it.key(), it.value()->currentText());
    d.decimals = m_decimals->value();
    d.discount = m_discount->text();
    return d;
}

void Tfrm_jczlsz::defaultsChanged()
{
    if (!m_loading)
        m_apply->setEnabled(true);
}

void Tfrm_jczlsz::apply()
{
    if (m_settings.ApplyDefaultSettings(collectDefaults()))
        m_apply->setEnabled(false);
}

void Tfrm_jczlsz::saveSettings()
{
    if (m_settings.SaveDefaultSettings(collectDefaults()))
        m_apply->setEnabled(false);
}

} // namespace mzt
