#include "bench/support/MarkdownInputs.hpp"

#include "bench/support/InstalledMarkdown.hpp"
#include "bench/support/NoteVault.hpp"

#include <map>
#include <mutex>
#include <utility>

namespace bench {

const std::string& MarkdownInput::text() const {
    static std::mutex lock;
    static std::map<std::pair<std::string, std::size_t>, std::string> made;
    std::lock_guard guard(lock);
    auto [entry, isNew] = made.try_emplace({corpus, size});
    if (isNew)
        entry->second = corpus == "docs" ? InstalledMarkdown::shared().concatenated(size)
                                         : NoteVault(10'000, 200).concatenated(size);
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

} // namespace bench
