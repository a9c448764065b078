#include "bench/support/InstalledMarkdown.hpp"

#include <benchmark/benchmark.h>
#include <gio/gio.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <set>
#include <system_error>

namespace bench {
namespace {

namespace fs = std::filesystem;

struct ObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
template <typename T> using GObjectPtr = std::unique_ptr<T, ObjectUnref>;

bool isMarkdownName(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (name.ends_with(".gz"))
        name.resize(name.size() - 3);
    return name.ends_with(".md") || name.ends_with(".markdown");
}

// The file's bytes, unpacked when its name ends in ".gz"; empty when it cannot be read.
std::string readText(const fs::path& path) {
    GObjectPtr<GFile> file(g_file_new_for_path(path.c_str()));
    GObjectPtr<GInputStream> stream(G_INPUT_STREAM(g_file_read(file.get(), nullptr, nullptr)));
    if (!stream)
        return {};
    if (path.extension() == ".gz") {
        GObjectPtr<GZlibDecompressor> gunzip(
            g_zlib_decompressor_new(G_ZLIB_COMPRESSOR_FORMAT_GZIP));
        stream.reset(g_converter_input_stream_new(stream.get(), G_CONVERTER(gunzip.get())));
    }
    std::string text;
    char buffer[65536];
    while (true) {
        gssize count = g_input_stream_read(stream.get(), buffer, sizeof buffer, nullptr, nullptr);
        if (count < 0)
            return {};
        if (count == 0)
            return text;
        text.append(buffer, static_cast<std::size_t>(count));
    }
}

} // namespace

InstalledMarkdown::InstalledMarkdown(const fs::path& root) {
    std::set<fs::path> files;
    std::error_code error;
    auto options = fs::directory_options::follow_directory_symlink |
                   fs::directory_options::skip_permission_denied;
    for (fs::recursive_directory_iterator entry(root, options, error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code typeError;
        if (entry->is_regular_file(typeError) && isMarkdownName(entry->path().filename()))
            files.insert(fs::canonical(entry->path(), typeError));
    }
    for (const fs::path& file : files)
        if (std::string text = readText(file); !text.empty())
            texts.push_back(std::move(text));
}

const InstalledMarkdown& InstalledMarkdown::shared() {
    static const InstalledMarkdown collection;
    return collection;
}

void InstalledMarkdown::addSharedToContext() {
    const InstalledMarkdown& docs = shared();
    benchmark::AddCustomContext("installed Markdown documentation",
                                std::to_string(docs.fileCount()) + " files, " +
                                    std::to_string(docs.byteCount()) + " bytes");
}

std::size_t InstalledMarkdown::byteCount() const {
    return std::accumulate(
        texts.begin(), texts.end(), std::size_t{0},
        [](std::size_t sum, const std::string& text) { return sum + text.size(); });
}

std::string InstalledMarkdown::concatenated(std::size_t size) const {
    return joinToSize(texts, size);
}

std::string joinToSize(const std::vector<std::string>& texts, std::size_t size) {
    std::string out;
    if (texts.empty())
        return out;
    out.reserve(size + texts.front().size());
    for (std::size_t i = 0; out.size() < size; i = (i + 1) % texts.size()) {
        if (!out.empty())
            out += "\n\n";
        out += texts[i];
    }
    std::size_t lineEnd = out.rfind('\n', size - 1);
    out.resize(lineEnd == std::string::npos ? 0 : lineEnd + 1);
    return out;
}

} // namespace bench
