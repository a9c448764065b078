#include "reader/model/ReaderModel.hpp"

#include "notes/text/PercentEncoding.hpp"

namespace reader {

void ReaderModel::revealInFinder() {
    const auto& item = file.get() ? file.get() : folder.get();
    if (item)
        services.desktop.reveal(*item);
}

void ReaderModel::openInObsidian() {
    if (file.get())
        services.desktop.openURL(obsidianURL(**file));
}

void ReaderModel::openInDefaultEditor() {
    if (file.get())
        services.desktop.openWithOtherApplication(**file);
}

bool ReaderModel::isObsidianInstalled() const {
    // The first window's desktop answers for the whole process.
    static const bool installed = services.desktop.isObsidianInstalled();
    return installed;
}

std::string ReaderModel::obsidianURL(const markdown::URL& note) {
    return "obsidian://open?path=" + notes::percentEncodeQueryValue(note.path());
}

} // namespace reader
