// The update-file reader on any file: its lines rebuild the file, read as a
// text file is read on the logger's home platform.
#include <unistd.h>

#include <fstream>
#include <string>

#include "tests/fuzz/require.h"
#include "update/update_file.h"

namespace {

// The text the lines stand for: up to a Ctrl-Z, "\r\n" read as "\n".
std::string TextModeContent(const std::string& content) {
    std::string text = content.substr(0, content.find('\x1A'));
    for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos; ++at) {
        text.erase(at, 1);
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string content(reinterpret_cast<const char*>(data), size);
    static const std::string path = "/tmp/datadock_fuzz_" + std::to_string(::getpid()) + ".dat";
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;

    const UpdateFile file = ReadUpdateFile(path);
    Require(file.error.empty(), "a small regular file is read");
    std::string rebuilt;
    for (std::size_t i = 0; i < file.lines.size(); ++i) {
        const std::string_view line = file.lines[i];
        Require(line.find_first_of(std::string_view("\n\0", 2)) == std::string_view::npos,
                "a line holds no line feed and no NUL");
        rebuilt.append(line).append("\n");
    }
    const std::string text = TextModeContent(content);
    if (text.find('\0') == std::string::npos) {
        Require(rebuilt == text || rebuilt == text + "\n", "the lines rebuild the file");
    }
    if (file.lines.size() >= 2) {
        (void)FileVersionText(file.lines[1]);
    }
    (void)DeviceVersionText(content);
    return 0;
}
