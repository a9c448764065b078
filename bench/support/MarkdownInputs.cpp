#include "bench/support/MarkdownInputs.hpp"

#include "bench/support/InstalledMarkdown.hpp"
#include "bench/support/NoteLikeText.hpp"
#include "bench/support/NoteVault.hpp"
#include "bench/support/PathologicalInputs.hpp"

#include <map>
#include <mutex>
#include <utility>

namespace bench {

const std::string& MarkdownInput::text() const {
    static std::mutex lock;
    static std::map<std::pair<std::string, std::size_t>, std::string> made;
    std::lock_guard guard(lock);
    auto [entry, isNew] = made.try_emplace({corpus, size});
    if (!isNew)
        return entry->second;
    if (corpus == "docs")
        entry->second = InstalledMarkdown::shared().concatenated(size);
    else if (corpus == "vault")
        entry->second = NoteVault(10'000, 200).concatenated(size);
    else if (corpus == "notes")
        entry->second = noteLikeText(size);
    else
        entry->second = pathologicalText(corpus, size);
    return entry->second;
}

std::vector<MarkdownInput> markdownInputs() {
    std::vector<MarkdownInput> inputs;
    for (const char* corpus : {"docs", "vault"}) {
        inputs.push_back({corpus, 10'000, "10KB"});
        inputs.push_back({corpus, 100'000, "100KB"});
        inputs.push_back({corpus, 1'000'000, "1MB"});
        inputs.push_back({corpus, 10'000'000, "10MB"});
    }
    return inputs;
}

std::vector<MarkdownInput> pathologicalInputs() {
    std::vector<MarkdownInput> inputs;
    for (const std::string& name : pathologicalInputNames()) {
        inputs.push_back({name, 1'000'000, "1MB"});
        inputs.push_back({name, 4'000'000, "4MB"});
    }
    return inputs;
}

} // namespace bench
