#include "app/OutlineView.hpp"

#include "notes/files/LenientUTF8.hpp"

#include <gtkmm/gestureclick.h>
#include <gtkmm/label.h>
#include <gtkmm/signallistitemfactory.h>
#include <gtkmm/tooltip.h>

#include <algorithm>

namespace app {

namespace {

constexpr int indentPerLevel = 12;

} // namespace

OutlineView::OutlineView(reader::ReaderModel& model)
    : model(model), items(Gio::ListStore<OutlineItem>::create()),
      selection(Gtk::SingleSelection::create(items)) {
    selection->set_autoselect(false);
    selection->set_can_unselect(true);

    auto factory = Gtk::SignalListItemFactory::create();
    factory->signal_setup().connect(sigc::mem_fun(*this, &OutlineView::setUpRow));
    factory->signal_bind().connect(sigc::mem_fun(*this, &OutlineView::bindRow));
    list.set_factory(factory);
    list.set_model(selection);
    list.add_css_class("navigation-sidebar");
    connections +=
        list.signal_activate().connect([this](unsigned position) { scrollPageTo(position); });
    set_child(list);
    set_policy(Gtk::PolicyType::NEVER, Gtk::PolicyType::AUTOMATIC);

    connections +=
        model.currentHeadingID.connect(sigc::mem_fun(*this, &OutlineView::followCurrentHeading));
    connections += property_visible().signal_changed().connect(
        sigc::mem_fun(*this, &OutlineView::followVisibility));
    showModelOutline();
}

void OutlineView::setUpRow(const Glib::RefPtr<Gtk::ListItem>& row) {
    ++madeRows;
    auto* label = Gtk::make_managed<Gtk::Label>();
    label->set_xalign(0);
    label->set_ellipsize(Pango::EllipsizeMode::END);
    // Made when the pointer rests on the row, never ahead.
    label->set_has_tooltip(true);
    label->signal_query_tooltip().connect(
        [label](int, int, bool, const Glib::RefPtr<Gtk::Tooltip>& tooltip) {
            tooltip->set_text(label->get_text());
            return true;
        },
        false);
    // A click on the row already selected scrolls to its heading too.
    auto click = Gtk::GestureClick::create();
    click->signal_released().connect(
        [this, item = row.get()](int, double, double) { scrollPageTo(item->get_position()); });
    label->add_controller(click);
    row->set_child(*label);
}

void OutlineView::bindRow(const Glib::RefPtr<Gtk::ListItem>& row) {
    auto item = std::dynamic_pointer_cast<OutlineItem>(row->get_item());
    auto* label = dynamic_cast<Gtk::Label*>(row->get_child());
    if (!item || !label)
        return;
    label->set_text(notes::replacingInvalidUTF8(item->heading().text));
    label->set_margin_start(item->depth() * indentPerLevel);
}

void OutlineView::showModelOutline() {
    const auto& headings = model.headings.get();
    const int topLevel = headings.empty() ? 1 : std::ranges::min_element(headings, {}, [](auto& h) {
                                                    return h.level;
                                                })->level;
    std::vector<Glib::RefPtr<OutlineItem>> replacing;
    replacing.reserve(headings.size());
    for (const auto& heading : headings)
        replacing.push_back(OutlineItem::create(heading, heading.level - topLevel));
    items->splice(0, items->get_n_items(), replacing);
    followCurrentHeading();
}

void OutlineView::followCurrentHeading() {
    unsigned current = GTK_INVALID_LIST_POSITION;
    if (const auto& id = model.currentHeadingID.get()) {
        for (unsigned position = 0, count = items->get_n_items(); position < count; ++position) {
            if (items->get_item(position)->heading().id == *id) {
                current = position;
                break;
            }
        }
    }
    selection->set_selected(current);
}

void OutlineView::scrollPageTo(unsigned position) {
    if (position < items->get_n_items())
        model.web.scrollToAnchor(items->get_item(position)->heading().id);
}

void OutlineView::followVisibility() {
    // A hidden list view would still make rows for its model.
    list.set_model(get_visible() ? selection : Glib::RefPtr<Gtk::SingleSelection>());
}

std::vector<std::string> OutlineView::rowTexts() const {
    std::vector<std::string> texts;
    for (unsigned position = 0, count = items->get_n_items(); position < count; ++position)
        texts.push_back(notes::replacingInvalidUTF8(items->get_item(position)->heading().text));
    return texts;
}

std::optional<std::string> OutlineView::selectedID() const {
    const auto position = selection->get_selected();
    if (position >= items->get_n_items())
        return std::nullopt;
    return items->get_item(position)->heading().id;
}

void OutlineView::pick(int position) {
    if (position < 0 || static_cast<unsigned>(position) >= items->get_n_items())
        return;
    selection->set_selected(static_cast<unsigned>(position));
    scrollPageTo(static_cast<unsigned>(position));
}

} // namespace app
