#include "templatedocument.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace mzt {

namespace {
constexpr int undoDepth = 100;
constexpr double minBandHeight = 1;
} // namespace

double TemplateDocument::roundLength(double mm)
{
    if (!std::isfinite(mm))
        return 0;
    return std::round(mm * 10) / 10;
}

TemplateDocument::OpenResult TemplateDocument::open(const QString& path)
{
    m_path = path;
    m_undo.clear();
    m_redo.clear();
    m_modified = false;
    if (std::optional<ReportTemplate> t = ReportTemplate::readFile(path)) {
        m_tmpl = *t;
        return OpenResult::Opened;
    }
    m_tmpl = ReportTemplate::blank();
    return QFileInfo::exists(path) ? OpenResult::Unreadable : OpenResult::Created;
}

bool TemplateDocument::save()
{
    return saveAs(m_path);
}

bool TemplateDocument::saveAs(const QString& path)
{
    if (path.isEmpty() || !m_tmpl.writeFile(path))
        return false;
    m_path = path;
    m_modified = false;
    return true;
}

void TemplateDocument::setTemplate(const ReportTemplate& t)
{
    if (t == m_tmpl)
        return;
    remember();
    m_tmpl = t;
}

const ReportItem* TemplateDocument::item(const ItemRef& ref) const
{
    const ReportBand* b = m_tmpl.band(ref.band);
    if (!b || ref.index < 0 || ref.index >= b->items.size())
        return nullptr;
    return &b->items.at(ref.index);
}

ReportItem* TemplateDocument::mutableItem(const ItemRef& ref)
{
    ReportBand* b = m_tmpl.band(ref.band);
    if (!b || ref.index < 0 || ref.index >= b->items.size())
        return nullptr;
    return &b->items[ref.index];
}

void TemplateDocument::remember()
{
    m_modified = true;
    if (m_inGesture) {
        if (m_gestureRemembered)
            return;
        m_gestureRemembered = true;
    }
    m_undo.append(m_tmpl);
    if (m_undo.size() > undoDepth)
        m_undo.removeFirst();
    m_redo.clear();
}

ItemRef TemplateDocument::addItem(BandKind band, const ReportItem& item)
{
    remember();
    ReportBand& b = m_tmpl.ensureBand(band);
    ReportItem it = item;
    it.x = roundLength(it.x);
    it.y = roundLength(it.y);
    it.width = roundLength(it.width);
    it.height = roundLength(it.height);
    b.items.append(it);
    return ItemRef{band, int(b.items.size()) - 1};
}

bool TemplateDocument::removeItem(const ItemRef& ref)
{
    if (!item(ref))
        return false;
    remember();
    m_tmpl.band(ref.band)->items.removeAt(ref.index);
    return true;
}

bool TemplateDocument::setItem(const ItemRef& ref, const ReportItem& newItem)
{
    const ReportItem* old = item(ref);
    if (!old)
        return false;
    if (*old == newItem)
        return true;
    remember();
    *mutableItem(ref) = newItem;
    return true;
}

bool TemplateDocument::moveItem(const ItemRef& ref, double dx, double dy)
{
    const ReportItem* it = item(ref);
    if (!it)
        return false;
    return setItemGeometry(ref, QRectF(it->x + dx, it->y + dy, it->width, it->height));
}

bool TemplateDocument::setItemGeometry(const ItemRef& ref, const QRectF& rect)
{
    const ReportItem* old = item(ref);
    if (!old)
        return false;
    ReportItem it = *old;
    const bool isLine = it.kind == ItemKind::Line;
    it.x = roundLength(std::max(0.0, rect.x()));
    it.y = roundLength(std::max(0.0, rect.y()));
    // A line keeps its direction; fields and rectangles keep a positive size.
    it.width = roundLength(isLine ? rect.width() : std::max(0.0, rect.width()));
    it.height = roundLength(isLine ? rect.height() : std::max(0.0, rect.height()));
    return setItem(ref, it);
}

bool TemplateDocument::setBandHeight(BandKind band, double height)
{
    ReportBand* b = m_tmpl.band(band);
    if (!b)
        return false;
    const double h = roundLength(
        std::clamp(height, minBandHeight, std::max(minBandHeight, m_tmpl.page.contentSize().height())));
    if (h == b->height)
        return true;
    remember();
    m_tmpl.band(band)->height = h;
    return true;
}

void TemplateDocument::addBand(BandKind band)
{
    if (m_tmpl.band(band))
        return;
    remember();
    m_tmpl.ensureBand(band);
}

void TemplateDocument::removeBand(BandKind band)
{
    if (!m_tmpl.band(band))
        return;
    remember();
    m_tmpl.removeBand(band);
}

void TemplateDocument::setPageSetup(const PageSetup& page)
{
    if (page == m_tmpl.page)
        return;
    remember();
    m_tmpl.page = page;
}

void TemplateDocument::setTitle(const QString& title)
{
    if (title == m_tmpl.title)
        return;
    remember();
    m_tmpl.title = title;
}

void TemplateDocument::beginGesture()
{
    m_inGesture = true;
    m_gestureRemembered = false;
}

void TemplateDocument::endGesture()
{
    m_inGesture = false;
    m_gestureRemembered = false;
}

void TemplateDocument::undo()
{
    if (m_undo.isEmpty())
        return;
    m_redo.append(m_tmpl);
    m_tmpl = m_undo.takeLast();
    m_modified = true;
}

void TemplateDocument::redo()
{
    if (m_redo.isEmpty())
        return;
    m_undo.append(m_tmpl);
    m_tmpl = m_redo.takeLast();
    m_modified = true;
}

} // namespace mzt
