#include "hyxx_frm.h"

#include "datagrid.h"
#include "members.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace mzt {

MasterListSetup Tfrm_hyxx::windowSetup()
{
    MasterListSetup s;
    s.title = QStringLiteral("会员信息管理");
    s.instructions = MemberList::instructions();
    s.newCaption = QStringLiteral("新增或查找开始");
    s.saveCaption = QStringLiteral("保存会员资料");
    s.deleteCaption = QStringLiteral("删除当前会员资料");
    s.findCaption = QStringLiteral("开始查找会员资料");
    s.find = FindBehaviour::FilterOnce;
    s.focusField = QStringLiteral("快捷码");
    s.newBeforeSave = false;
    s.afterInsert = AfterSave::DisableBoxes;
    s.listAfterInsert = ListAfterSave::OnlyByName;
    s.showOnlyField = QStringLiteral("持卡人姓名");
    s.afterUpdate = AfterSave::EmptyBoxes;
    s.afterDelete = AfterSave::KeepBoxes;
    s.boxColumns = 4;
    s.defaultBoxWidth = 130;
    s.size = QSize(1000, 620);
    return s;
}

Tfrm_hyxx::Tfrm_hyxx(Session& session, QWidget* parent, bool pickerMode)
    : MasterListWindow(session, std::make_unique<MemberList>(session), windowSetup(), parent),
      m_picker(pickerMode)
{
    addButton(QStringLiteral("排序资料"), [this] { showSortPanel(); });
    addButton(QStringLiteral("会员打折设置"), [this] { showDiscountPanel(); });
    if (QPushButton* b = button(setup().saveCaption))
        b->setEnabled(false);
    buildSortPanel();
    buildDiscountPanel();
    connect(grid(), &DataGrid::rowActivated, this, [this](int row) {
        if (!m_picker || row < 0)
            return;
        m_pickedCard = grid()->rowValue(row, QStringLiteral("卡号")).toString().trimmed();
        accept();
    });
    if (m_picker)
        setWindowTitle(setup().title + QStringLiteral(" - 双击选择会员"));
    reload(true);
}

MemberList& Tfrm_hyxx::members()
{
    return static_cast<MemberList&>(logic());
}

void Tfrm_hyxx::startNew()
{
    if (QPushButton* b = button(setup().saveCaption))
        b->setEnabled(true);
    // Only the member type is cleared; the sex keeps its choice.
    QComboBox* sex = comboBox(QStringLiteral("性别"));
    const int sexChoice = sex ? sex->currentIndex() : -1;
    MasterListWindow::startNew();
    if (sex)
        sex->setCurrentIndex(sexChoice);
}

void Tfrm_hyxx::rowClicked(int row)
{
    MasterListWindow::rowClicked(row);
    if (boxesEnabled())
        focusBox(QStringLiteral("快捷码"));
}

void Tfrm_hyxx::afterSaved(SaveResult result, const FieldValues& values)
{
    MasterListWindow::afterSaved(result, values);
    if (result == SaveResult::Refused) {
        if (!boxesEnabled())
            startNew();
        focusBox(QStringLiteral("会员售价"));
    } else if (result == SaveResult::Updated) {
        startNew();
    }
}

void Tfrm_hyxx::buildSortPanel()
{
    m_sortPanel = new QFrame(this, Qt::Popup);
    m_sortPanel->setFrameShape(QFrame::StyledPanel);
    auto* l = new QHBoxLayout(m_sortPanel);
    l->addWidget(new QLabel(QStringLiteral("排序字段："), m_sortPanel));
    m_sortField = new QComboBox(m_sortPanel);
    m_sortField->addItems(MemberList::sortFields());
    m_sortField->setCurrentText(QStringLiteral("持卡人姓名"));
    l->addWidget(m_sortField);
    m_sortDirection = new QComboBox(m_sortPanel);
    m_sortDirection->addItems({QStringLiteral("升序"), QStringLiteral("降序")});
    m_sortDirection->setCurrentText(QStringLiteral("降序"));
    l->addWidget(m_sortDirection);
    auto* go = new QPushButton(QStringLiteral("排序"), m_sortPanel);
    go->setAutoDefault(false);
    connect(go, &QPushButton::clicked, this, [this] { sortByPanel(); });
    l->addWidget(go);
    m_sortPanel->hide();
}

void Tfrm_hyxx::showSortPanel()
{
    m_sortPanel->adjustSize();
    QWidget* anchor = button(QStringLiteral("排序资料"));
    const QPoint at = anchor ? anchor->mapToGlobal(QPoint(0, anchor->height())) : mapToGlobal(QPoint(40, 40));
    m_sortPanel->move(at);
    m_sortPanel->show();
    m_sortField->setFocus();
}

void Tfrm_hyxx::sortByPanel()
{
    try {
        showRows(members().SortMembers(m_sortField->currentText(),
                                       m_sortDirection->currentText() == QStringLiteral("升序")));
    } catch (const DbError& e) {
        session().prompter.error(e.message());
    }
    m_sortPanel->hide();
}

void Tfrm_hyxx::buildDiscountPanel()
{
    m_discountPanel = new QFrame(this);
    m_discountPanel->setFrameShape(QFrame::StyledPanel);
    auto* l = new QHBoxLayout(m_discountPanel);
    const auto factorBox = [this] {
        auto* e = new QLineEdit(m_discountPanel);
        e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.]*")), e));
        e->setMaximumWidth(90);
        e->setAlignment(Qt::AlignRight);
        return e;
    };
    m_gold = factorBox();
    m_normal = factorBox();
    l->addWidget(new QLabel(QStringLiteral("黄金会员折扣："), m_discountPanel));
    l->addWidget(m_gold);
    l->addWidget(new QLabel(QStringLiteral("折"), m_discountPanel));
    l->addSpacing(16);
    l->addWidget(new QLabel(QStringLiteral("普通会员折扣："), m_discountPanel));
    l->addWidget(m_normal);
    l->addWidget(new QLabel(QStringLiteral("折"), m_discountPanel));
    l->addSpacing(16);
    auto* set = new QPushButton(QStringLiteral("设 置"), m_discountPanel);
    auto* cancel = new QPushButton(QStringLiteral("取 消"), m_discountPanel);
    set->setAutoDefault(false);
    cancel->setAutoDefault(false);
    l->addWidget(set);
    l->addWidget(cancel);
    l->addStretch(1);
    connect(set, &QPushButton::clicked, this, [this] { applyDiscounts(); });
    connect(cancel, &QPushButton::clicked, m_discountPanel, &QWidget::hide);
    connect(m_gold, &QLineEdit::returnPressed, m_normal, [this] { m_normal->setFocus(); });
    connect(m_normal, &QLineEdit::returnPressed, this, [this] { applyDiscounts(); });
    extraArea()->addWidget(m_discountPanel);
    m_discountPanel->hide();
}

void Tfrm_hyxx::showDiscountPanel()
{
    try {
        if (!members().mayEditDiscounts())
            return;
        const MemberDiscountTexts t = members().loadDiscounts();
        m_gold->setText(t.gold);
        m_normal->setText(t.normal);
    } catch (const DbError& e) {
        session().prompter.error(e.message());
        return;
    }
    m_discountPanel->show();
    m_gold->setFocus();
    m_gold->selectAll();
}

void Tfrm_hyxx::applyDiscounts()
{
    if (members().SetMemberDiscounts(m_gold->text(), m_normal->text()))
        m_discountPanel->hide();
}

} // namespace mzt
