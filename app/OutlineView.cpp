#include "app/OutlineView.hpp"

#include "notes/files/LenientUTF8.hpp"

#include <gtkmm/label.h>

#include <algorithm>

namespace app {

namespace {

constexpr int indentPerLevel = 12;

} // namespace

OutlineView::OutlineView(reader::ReaderModel& model) : model(model) {
    list.set_selection_mode(Gtk::SelectionMode::SINGLE);
    list.set_activate_on_single_click(true);
    list.add_css_class("navigation-sidebar");
    connections += list.signal_row_activated().connect([this](Gtk::ListBoxRow* row) {
        const auto position = static_cast<std::size_t>(row->get_index());
        if (position < headings.size())
            this->model.web.scrollToAnchor(headings[position].id);
    });
    set_child(list);
    set_policy(Gtk::PolicyType::NEVER, Gtk::PolicyType::AUTOMATIC);

    connections += model.headings.connect(sigc::mem_fun(*this, &OutlineView::headingsChanged));
    connections +=
        model.currentHeadingID.connect(sigc::mem_fun(*this, &OutlineView::followCurrentHeading));
    headingsChanged();
}

void OutlineView::headingsChanged() {
    headings = model.headings.get();
    while (auto* row = list.get_row_at_index(0))
        list.remove(*row);
    const int topLevel = headings.empty() ? 1 : std::ranges::min_element(headings, {}, [](auto& h) {
                                                    return h.level;
                                                })->level;
    for (const auto& heading : headings) {
        auto* label = Gtk::make_managed<Gtk::Label>(notes::replacingInvalidUTF8(heading.text));
        label->set_xalign(0);
        label->set_ellipsize(Pango::EllipsizeMode::END);
        label->set_margin_start((heading.level - topLevel) * indentPerLevel);
        label->set_tooltip_text(label->get_text());
        list.append(*label);
    }
    followCurrentHeading();
}

void OutlineView::followCurrentHeading() {
    Gtk::ListBoxRow* current = nullptr;
    if (const auto& id = model.currentHeadingID.get()) {
        auto found = std::ranges::find(headings, *id, &notes::OutlineHeading::id);
        if (found != headings.end())
            current = list.get_row_at_index(static_cast<int>(found - headings.begin()));
    }
    following = true;
    if (current)
        list.select_row(*current);
    else
        list.unselect_all();
    following = false;
}

std::vector<std::string> OutlineView::rowTexts() const {
    std::vector<std::string> texts;
    for (int position = 0; const auto* row = list.get_row_at_index(position); ++position) {
        if (const auto* label = dynamic_cast<const Gtk::Label*>(row->get_child()))
            texts.push_back(label->get_text());
    }
    return texts;
}

std::optional<std::string> OutlineView::selectedID() const {
    const auto* row = list.get_selected_row();
    if (!row)
        return std::nullopt;
    const auto position = static_cast<std::size_t>(row->get_index());
    if (position >= headings.size())
        return std::nullopt;
    return headings[position].id;
}

void OutlineView::pick(int position) {
    if (auto* row = list.get_row_at_index(position)) {
        list.select_row(*row);
        row->activate();
    }
}

} // namespace app
