#include "foundation/files.h"

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "foundation/text.h"

namespace tamblo {

namespace {

std::string pathOf(TextRef path) {
    std::string p(path.view());
    for (char& c : p)
        if (c == '\\') c = '/';
    return p;
}

std::FILE* open(TextRef path, const char* mode) {
    if (path.empty()) return nullptr;
    return std::fopen(pathOf(path).c_str(), mode);
}

// Runs of the separator become one.
void collapse(std::string& s, char separator) {
    std::string out;
    out.reserve(s.size());
    for (char c : s)
        if (c != separator || out.empty() || out.back() != separator) out.push_back(c);
    s = std::move(out);
}

}  // namespace

std::FILE* openRead(TextRef path, bool& atEnd) {
    atEnd = false;
    return open(path, "rb");
}

std::FILE* openUpdate(TextRef path, bool& atEnd) {
    atEnd = false;
    return open(path, "rb+");
}

std::FILE* openAppend(TextRef path) { return open(path, "ab"); }
std::FILE* openWrite(TextRef path) { return open(path, "wb"); }

void closeFile(std::FILE* stream) {
    if (stream) std::fclose(stream);
}

bool fileExists(TextRef path) {
    std::FILE* f = open(path, "rb");
    if (f == nullptr) return false;
    std::fclose(f);
    return true;
}

long fileSize(std::FILE* stream) {
    if (stream == nullptr) return -1;
    long here = std::ftell(stream);
    if (here < 0 || std::fseek(stream, 0, SEEK_END) != 0) return -1;
    long size = std::ftell(stream);
    std::fseek(stream, here, SEEK_SET);
    return size;
}

bool removeFile(TextRef path) { return !path.empty() && std::remove(pathOf(path).c_str()) == 0; }

bool renameFile(TextRef from, TextRef to) {
    return !from.empty() && !to.empty() && std::rename(pathOf(from).c_str(), pathOf(to).c_str()) == 0;
}

bool copyFile(TextRef from, TextRef to) {
    if (from.empty() || to.empty()) return false;
    std::error_code ec;
    std::filesystem::path source(pathOf(from)), target(pathOf(to));
    if (std::filesystem::exists(target, ec) && std::filesystem::equivalent(source, target, ec)) return true;
    return std::filesystem::copy_file(source, target, std::filesystem::copy_options::overwrite_existing, ec) && !ec;
}

bool writeText(std::FILE* stream, TextRef text, bool lineEnd) {
    if (stream == nullptr) return false;
    size_t n = static_cast<size_t>(text.size());
    bool ok = std::fwrite(text.data(), 1, n, stream) == n;
    if (lineEnd) ok = std::fwrite("\r\n", 1, 2, stream) == 2 && ok;
    return ok;
}

bool writeLine(std::FILE* stream, TextRef text) { return writeText(stream, text, true); }

void PathParts::clear() {
    drive_.clear();
    directory_.clear();
    name_.clear();
    extension_.clear();
}

void PathParts::split(TextRef path) {
    clear();
    std::string rest = pathOf(path);
    size_t colon = rest.find(':');
    // A colon past the seventh character does not fit a drive; it stays in the path.
    if (colon != std::string::npos && colon < 7) {
        drive_.set(std::string_view(rest).substr(0, colon + 1));
        drive_.toUpper();
        rest.erase(0, colon + 1);
    }
    size_t slash = rest.rfind('/');
    if (slash != std::string::npos) {
        directory_.set(std::string_view(rest).substr(0, slash + 1));
        rest.erase(0, slash + 1);
    }
    setFileName(rest);
}

void PathParts::setFileName(TextRef fileName) {
    std::string_view f = fileName.view();
    size_t dot = f.find('.');
    std::string name(f.substr(0, dot));
    std::vector<char> buffer(name.begin(), name.end());
    buffer.push_back('\0');
    trim(buffer.data());
    name_.set(buffer.data());
    extension_.clear();
    if (dot != std::string_view::npos && dot + 1 < f.size()) extension_.set(".", f.substr(dot + 1));
}

void PathParts::compose(TextRef selector, DynString& result) const {
    DynString sel(selector);
    sel.toUpper();
    bool ur = contains(sel, "UR"), rf = contains(sel, "RF"), fx = contains(sel, "FX");
    std::string out;
    for (char c : sel.view()) {
        switch (c) {
        case 'U':
            if (drive_.notEmpty()) {
                out.append(drive_.view());
                if (ur) out.push_back('/');
            }
            break;
        case 'R':
            if (directory_.notEmpty()) {
                out.append(directory_.view());
                if (rf) out.push_back('/');
            }
            break;
        case 'F':
            out.append(name_.view());
            if (fx) out.push_back('.');
            break;
        case 'X':
            // The dot that F adds before the extension and the extension's own dot make one dot.
            if (!out.empty() && out.back() == '.' && extension_.at(1) == '.') out.append(extension_.view().substr(1));
            else out.append(extension_.view());
            break;
        default:
            break;
        }
    }
    collapse(out, '/');
    collapse(out, '\\');
    result.adopt(std::move(out));
}

}  // namespace tamblo
