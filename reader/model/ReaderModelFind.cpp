// Find in the page while reading and in the editor while editing.
#include "reader/model/ReaderModel.hpp"

namespace reader {

void ReaderModel::performInEditor(EditorTextView::FinderAction action) {
    auto view = editor.textView();
    if (!view)
        return;
    view->focus();
    view->performTextFinderAction(action);
}

void ReaderModel::showFind() {
    if (mode.get() == Mode::edit) {
        performInEditor(EditorTextView::FinderAction::showFindInterface);
        return;
    }
    isFindVisible.set(true);
    if (const auto& focus = web.focusFindField())
        focus();
}

void ReaderModel::findNext(bool forward) {
    if (mode.get() == Mode::edit) {
        performInEditor(forward ? EditorTextView::FinderAction::nextMatch
                                : EditorTextView::FinderAction::previousMatch);
        return;
    }
    if (!isFindVisible.get()) {
        showFind();
        return;
    }
    // The bar opened on the kept query without searching: the first step searches.
    if (!pageSearched) {
        find();
        return;
    }
    findStep(forward);
}

void ReaderModel::find() {
    pageSearched = true;
    askPage("mdr.find", {findQuery.get()});
}

void ReaderModel::findStep(bool forward) {
    askPage("mdr.findStep", {forward});
}

void ReaderModel::askPage(std::string_view function, const WebBridge::Arguments& arguments) {
    std::uint64_t request = ++findRequests;
    std::weak_ptr<ReaderModel> weak = weak_from_this();
    web.evaluate(function, arguments, [weak, request](FindStatus status) {
        auto model = weak.lock();
        if (!model || request <= model->findShown)
            return;
        model->findShown = request;
        model->showFindStatus(status);
    });
}

void ReaderModel::closeFind() {
    isFindVisible.set(false);
    forgetPageSearch();
    if (auto view = web.webView())
        view->evaluate(WebBridge::call("mdr.clearFind", {}));
}

void ReaderModel::forgetPageSearch() {
    pageSearched = false;
    showFindStatus({});
    findShown = findRequests;
}

// Whether the page was searched changes what "0 of 0" means to the bar, so an answer equal to
// the status held still tells it.
void ReaderModel::showFindStatus(FindStatus status) {
    findStatus.modify([&](FindStatus& shown) { shown = status; });
}

// The page searched the note's new text for the query it held.
void ReaderModel::findRefreshed(FindStatus status) {
    if (isFindVisible.get() && pageSearched)
        findStatus.set(status);
}

} // namespace reader
