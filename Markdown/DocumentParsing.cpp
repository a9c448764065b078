#include "Markdown/elements/Document.hpp"

#include "Markdown/cmark/CommonMarkConverter.hpp"
#include "Markdown/directives/ContainerConversion.hpp"
#include "Markdown/directives/ParseContainerStack.hpp"
#include "Markdown/support/UnicodeText.hpp"
#include "Markdown/tree/LazySplitLines.hpp"

#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace markdown {
namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd(fd) {}
    ~FileDescriptor() {
        if (fd >= 0)
            ::close(fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    [[nodiscard]] int get() const { return fd; }

private:
    int fd;
};

[[noreturn]] void failReading(const URL& file, std::error_code code) {
    throw std::filesystem::filesystem_error("cannot read the text of the file",
                                            file.filesystemPath(), code);
}

[[noreturn]] void failReadingWithErrno(const URL& file) {
    failReading(file, std::error_code(errno, std::system_category()));
}

// The file's text: UTF-8, without a leading byte-order mark.
std::string readText(const URL& file) {
    const FileDescriptor descriptor(::open(file.path().c_str(), O_RDONLY | O_CLOEXEC));
    if (descriptor.get() < 0)
        failReadingWithErrno(file);
    struct stat status {};
    if (::fstat(descriptor.get(), &status) != 0)
        failReadingWithErrno(file);
    if (S_ISDIR(status.st_mode))
        failReading(file, std::make_error_code(std::errc::is_a_directory));

    std::string text;
    if (S_ISREG(status.st_mode) && status.st_size > 0)
        text.reserve(static_cast<std::size_t>(status.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t count = ::read(descriptor.get(), buffer, sizeof buffer);
        if (count == 0)
            break;
        if (count < 0) {
            if (errno == EINTR)
                continue;
            failReadingWithErrno(file);
        }
        text.append(buffer, static_cast<std::size_t>(count));
    }

    if (!isWellFormedUTF8(text))
        failReading(file, std::make_error_code(std::errc::illegal_byte_sequence));
    if (text.starts_with(byteOrderMark))
        text.erase(0, byteOrderMark.size());
    return text;
}

} // namespace

Document Document::parsing(std::string_view text, const std::optional<URL>& source,
                           ParseOptions options) {
    if (!options.contains(ParseOptions::parseBlockDirectives))
        return parseString(text, source, options);
    // The argument tokens in the container tree are views of `text`, alive until we return.
    const ParseContainerStack stack = parseLines(LazySplitLines{text, source}, options);
    return convertToDocument(stack.root(), text, source, options);
}

ParseContainerStack Document::parseLines(const LazySplitLines& lines, ParseOptions options) {
    ParseContainerStack stack(options);
    LazySplitLines::Iterator iterator = lines.makeIterator();
    while (std::optional<TrimmedLine> line = iterator.next())
        stack.accept(*line);
    while (stack.stack().size() > 1)
        stack.closeTop();
    return stack;
}

Document Document::parsing(const URL& file, ParseOptions options) {
    const std::string text = readText(file);
    return parsing(text, file, options);
}

} // namespace markdown
