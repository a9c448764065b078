#pragma once

#include "app/Connections.hpp"
#include "notes/vault/FileNode.hpp"
#include "reader/model/ReaderModel.hpp"

#include <gtkmm/listitem.h>
#include <gtkmm/listview.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/singleselection.h>
#include <gtkmm/stringlist.h>
#include <gtkmm/treelistmodel.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace app {

/// The folder's file tree beside the page. It follows the model: its tree, the folders the
/// model has expanded, and the note shown, which is the selected row. Picking a note opens it
/// with history; picking a folder expands or collapses it and selects it instead, until a note
/// is shown: one row is selected at a time. The disclosure arrow only expands or collapses.
class FileSidebar : public Gtk::ScrolledWindow {
public:
    explicit FileSidebar(reader::ReaderModel& model);
    ~FileSidebar() override;

    /// One visible row, top to bottom.
    struct Row {
        std::string name;
        markdown::URL url;
        unsigned depth = 0;
        bool isFolder = false;
        bool isExpanded = false;
        bool isSelected = false;
        friend bool operator==(const Row&, const Row&) = default;
    };
    [[nodiscard]] std::vector<Row> rows() const;
    /// Picks the visible row at the position as the user's click would.
    void pick(unsigned position);

private:
    /// A node of the shown tree with its key in the model's expanded folders.
    struct Entry {
        const notes::FileNode* node = nullptr;
        std::vector<unsigned> children;
        std::string expansionKey;
    };

    void treeChanged();
    void addEntries(const std::vector<notes::FileNode>& nodes, std::vector<unsigned>& into);
    Glib::RefPtr<Gio::ListModel> childrenOf(const Glib::RefPtr<Glib::ObjectBase>& item);
    [[nodiscard]] const Entry* entryOf(const Glib::RefPtr<Glib::ObjectBase>& item) const;
    [[nodiscard]] const Entry* entryAt(unsigned position) const;
    void setupRow(const Glib::RefPtr<Gtk::ListItem>& item);
    void bindRow(const Glib::RefPtr<Gtk::ListItem>& item);
    void unbindRow(const Glib::RefPtr<Gtk::ListItem>& item);
    void rowExpansionChanged(const Glib::RefPtr<Gtk::TreeListRow>& row);
    void followExpandedFolders();
    void fileChanged();
    void followFile();
    void selectionChanged();
    void toggleFolderAt(unsigned position);

    reader::ReaderModel& model;
    /// The tree as last installed; entries point into it.
    std::vector<notes::FileNode> tree;
    /// Every node of the tree; list items name their entry by its index.
    std::vector<Entry> entries;
    Glib::RefPtr<Gtk::StringList> root;
    Glib::RefPtr<Gtk::TreeListModel> treeModel;
    Glib::RefPtr<Gtk::SingleSelection> selection;
    Gtk::ListView list;
    /// The rows' widgets and models outlive this object until the window is destroyed, so
    /// every handler that reaches it is disconnected when it ends.
    std::map<Gtk::ListItem*, sigc::connection> expansionWatches;
    /// The expansion key of the folder the user picked while it holds the selection.
    std::optional<std::string> pickedFolder;
    /// Set while the sidebar itself changes rows, so that it does not take that for the user.
    bool following = false;
    Connections connections;
};

} // namespace app
