#include "app/FileSidebar.hpp"

#include "notes/files/LenientUTF8.hpp"
#include "reader/model/DiskPath.hpp"

#include <gtkmm/box.h>
#include <gtkmm/gestureclick.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>
#include <gtkmm/signallistitemfactory.h>
#include <gtkmm/stringobject.h>
#include <gtkmm/treeexpander.h>

#include <charconv>

namespace app {

namespace {

std::optional<unsigned> indexOf(const Glib::RefPtr<Glib::ObjectBase>& item) {
    auto text = std::dynamic_pointer_cast<Gtk::StringObject>(item);
    if (!text)
        return std::nullopt;
    const std::string digits = text->get_string();
    unsigned index = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return index;
}

std::vector<Glib::ustring> indexTexts(const std::vector<unsigned>& indices) {
    std::vector<Glib::ustring> texts;
    texts.reserve(indices.size());
    for (unsigned index : indices)
        texts.push_back(std::to_string(index));
    return texts;
}

} // namespace

FileSidebar::FileSidebar(reader::ReaderModel& model)
    : model(model), root(Gtk::StringList::create({})) {
    treeModel = Gtk::TreeListModel::create(root, sigc::mem_fun(*this, &FileSidebar::childrenOf));
    selection = Gtk::SingleSelection::create(treeModel);
    selection->set_autoselect(false);
    selection->set_can_unselect(true);
    selection->signal_selection_changed().connect([this](guint, guint) { selectionChanged(); });

    auto factory = Gtk::SignalListItemFactory::create();
    factory->signal_setup().connect(sigc::mem_fun(*this, &FileSidebar::setupRow));
    factory->signal_bind().connect(sigc::mem_fun(*this, &FileSidebar::bindRow));
    factory->signal_unbind().connect(sigc::mem_fun(*this, &FileSidebar::unbindRow));
    list.set_model(selection);
    list.set_factory(factory);
    list.add_css_class("navigation-sidebar");

    set_child(list);
    set_policy(Gtk::PolicyType::NEVER, Gtk::PolicyType::AUTOMATIC);

    connections += model.tree.connect(sigc::mem_fun(*this, &FileSidebar::treeChanged));
    connections +=
        model.expandedFolders.connect(sigc::mem_fun(*this, &FileSidebar::followExpandedFolders));
    connections += model.file.connect(sigc::mem_fun(*this, &FileSidebar::fileChanged));
    treeChanged();
}

FileSidebar::~FileSidebar() {
    connections.disconnect();
    for (auto& [item, watch] : expansionWatches)
        watch.disconnect();
}

void FileSidebar::treeChanged() {
    tree = model.tree.get();
    entries.clear();
    std::vector<unsigned> top;
    addEntries(tree, top);
    following = true;
    root->splice(0, root->get_n_items(), indexTexts(top));
    following = false;
    followExpandedFolders();
}

void FileSidebar::addEntries(const std::vector<notes::FileNode>& nodes,
                             std::vector<unsigned>& into) {
    for (const auto& node : nodes) {
        const auto index = static_cast<unsigned>(entries.size());
        into.push_back(index);
        entries.push_back({&node, {}, {}});
        if (node.children) {
            entries[index].expansionKey = reader::resolvedPath(node.url);
            std::vector<unsigned> children;
            addEntries(*node.children, children);
            entries[index].children = std::move(children);
        }
    }
}

Glib::RefPtr<Gio::ListModel> FileSidebar::childrenOf(const Glib::RefPtr<Glib::ObjectBase>& item) {
    const Entry* entry = entryOf(item);
    if (!entry || !entry->node->isFolder())
        return {};
    return Gtk::StringList::create(indexTexts(entry->children));
}

const FileSidebar::Entry* FileSidebar::entryOf(const Glib::RefPtr<Glib::ObjectBase>& item) const {
    auto index = indexOf(item);
    if (!index || *index >= entries.size())
        return nullptr;
    return &entries[*index];
}

const FileSidebar::Entry* FileSidebar::entryAt(unsigned position) const {
    auto row = treeModel->get_row(position);
    return row ? entryOf(row->get_item()) : nullptr;
}

void FileSidebar::setupRow(const Glib::RefPtr<Gtk::ListItem>& item) {
    auto* box = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 6);
    box->append(*Gtk::make_managed<Gtk::Image>());
    auto* label = Gtk::make_managed<Gtk::Label>();
    label->set_ellipsize(Pango::EllipsizeMode::END);
    label->set_xalign(0);
    box->append(*label);
    auto* expander = Gtk::make_managed<Gtk::TreeExpander>();
    expander->set_child(*box);
    // A click on a folder's row toggles it, also when the folder is selected already, which
    // changes no selection. The disclosure arrow takes its own clicks first.
    auto click = Gtk::GestureClick::create();
    connections +=
        click->signal_pressed().connect([this, row = item.get()](int presses, double, double) {
            if (presses == 1)
                toggleFolderAt(row->get_position());
        });
    expander->add_controller(click);
    item->set_child(*expander);
}

void FileSidebar::bindRow(const Glib::RefPtr<Gtk::ListItem>& item) {
    auto row = std::dynamic_pointer_cast<Gtk::TreeListRow>(item->get_item());
    auto* expander = dynamic_cast<Gtk::TreeExpander*>(item->get_child());
    const Entry* entry = row ? entryOf(row->get_item()) : nullptr;
    if (!expander || !entry)
        return;
    expander->set_list_row(row);
    auto* box = dynamic_cast<Gtk::Box*>(expander->get_child());
    auto* icon = dynamic_cast<Gtk::Image*>(box->get_first_child());
    auto* label = dynamic_cast<Gtk::Label*>(icon->get_next_sibling());
    icon->set_from_icon_name(entry->node->isFolder() ? "folder-symbolic"
                                                     : "text-x-generic-symbolic");
    label->set_text(notes::replacingInvalidUTF8(entry->node->name));
    expansionWatches[item.get()] = row->property_expanded().signal_changed().connect(
        [this, row] { rowExpansionChanged(row); });
}

void FileSidebar::unbindRow(const Glib::RefPtr<Gtk::ListItem>& item) {
    if (auto watch = expansionWatches.find(item.get()); watch != expansionWatches.end()) {
        watch->second.disconnect();
        expansionWatches.erase(watch);
    }
    if (auto* expander = dynamic_cast<Gtk::TreeExpander*>(item->get_child()))
        expander->set_list_row({});
}

void FileSidebar::rowExpansionChanged(const Glib::RefPtr<Gtk::TreeListRow>& row) {
    const Entry* entry = entryOf(row->get_item());
    if (following || !entry || entry->expansionKey.empty())
        return;
    auto expanded = model.expandedFolders.get();
    if (row->get_expanded())
        expanded.insert(entry->expansionKey);
    else
        expanded.erase(entry->expansionKey);
    model.expandedFolders.set(std::move(expanded));
}

// Expanding a row inserts its children right after it, so one pass from the top also reaches
// the folders inside a folder it has just expanded.
void FileSidebar::followExpandedFolders() {
    const auto& expanded = model.expandedFolders.get();
    following = true;
    for (guint position = 0; position < treeModel->get_n_items(); ++position) {
        auto row = treeModel->get_row(position);
        const Entry* entry = row ? entryOf(row->get_item()) : nullptr;
        if (!entry || !entry->node->isFolder())
            continue;
        const bool wanted = expanded.contains(entry->expansionKey);
        if (row->get_expanded() != wanted)
            row->set_expanded(wanted);
    }
    following = false;
    followFile();
}

void FileSidebar::fileChanged() {
    pickedFolder.reset();
    followFile();
}

// The picked folder while it is shown, else the note shown.
void FileSidebar::followFile() {
    const auto& file = model.file.get();
    const auto selects = [&](const Entry& entry) {
        if (pickedFolder)
            return entry.node->isFolder() && entry.expansionKey == *pickedFolder;
        return file && !entry.node->isFolder() && entry.node->url == *file;
    };
    guint selected = GTK_INVALID_LIST_POSITION;
    for (guint position = 0; position < treeModel->get_n_items(); ++position) {
        if (const Entry* entry = entryAt(position); entry && selects(*entry)) {
            selected = position;
            break;
        }
    }
    if (selected == GTK_INVALID_LIST_POSITION && pickedFolder) {
        fileChanged();
        return;
    }
    if (selection->get_selected() == selected)
        return;
    following = true;
    selection->set_selected(selected);
    following = false;
}

void FileSidebar::selectionChanged() {
    if (following)
        return;
    const Entry* entry = entryAt(selection->get_selected());
    pickedFolder.reset();
    if (entry && entry->node->isFolder())
        pickedFolder = entry->expansionKey;
    else if (entry)
        model.open(entry->node->url);
    // A refused note leaves the open one selected.
    followFile();
}

void FileSidebar::toggleFolderAt(unsigned position) {
    auto row = treeModel->get_row(position);
    const Entry* entry = row ? entryOf(row->get_item()) : nullptr;
    if (entry && entry->node->isFolder())
        row->set_expanded(!row->get_expanded());
}

std::vector<FileSidebar::Row> FileSidebar::rows() const {
    std::vector<Row> out;
    for (guint position = 0; position < treeModel->get_n_items(); ++position) {
        auto row = treeModel->get_row(position);
        const Entry* entry = row ? entryOf(row->get_item()) : nullptr;
        if (!entry)
            continue;
        out.push_back({entry->node->name, entry->node->url, row->get_depth(),
                       entry->node->isFolder(), row->get_expanded(),
                       selection->get_selected() == position});
    }
    return out;
}

void FileSidebar::pick(unsigned position) {
    toggleFolderAt(position);
    selection->set_selected(position);
}

} // namespace app
