#include "foundation/text_lines.h"

#include <algorithm>
#include <cstdio>
#include <unistd.h>

#include "foundation/text.h"

namespace tamblo {

const char* TextLines::lineAt(int i) const {
    return valid(i) ? lines_[static_cast<size_t>(i - 1)].c_str() : nullptr;
}

const std::string* TextLines::lineRef(int i) const {
    return valid(i) ? &lines_[static_cast<size_t>(i - 1)] : nullptr;
}

const char* TextLines::append(TextRef text) {
    lines_.emplace_back(text.view());
    return lines_.back().c_str();
}

const char* TextLines::append(TextRef a, TextRef b) {
    std::string line(a.view());
    line.append(b.view());
    lines_.push_back(std::move(line));
    return lines_.back().c_str();
}

bool TextLines::appendIfAbsent(TextRef text) {
    if (indexOf(text) != 0) return false;
    append(text);
    return true;
}

int TextLines::orderedPosition(std::string_view text) const {
    int n = count();
    for (int i = 0; i < n; ++i)
        if (compareNoCase(text, lines_[static_cast<size_t>(i)]) != 1) return i;
    return n;
}

int TextLines::insertOrdered(TextRef text) {
    int at = orderedPosition(text.view());
    lines_.insert(lines_.begin() + at, std::string(text.view()));
    return at + 1;
}

bool TextLines::insertOrderedIfAbsent(TextRef text) {
    if (indexOf(text) != 0) return false;
    insertOrdered(text);
    return true;
}

void TextLines::replaceLine(int i, TextRef text) {
    if (valid(i)) lines_[static_cast<size_t>(i - 1)] = std::string(text.view());
}

void TextLines::removeLine(int i) {
    if (valid(i)) lines_.erase(lines_.begin() + (i - 1));
}

void TextLines::popFront(DynString& into) {
    if (lines_.empty()) {
        into.clear();
        return;
    }
    into.adopt(std::move(lines_.front()));
    lines_.erase(lines_.begin());
}

int TextLines::indexOf(TextRef text) const {
    for (size_t i = 0; i < lines_.size(); ++i)
        if (equalsNoCase(lines_[i], text)) return static_cast<int>(i) + 1;
    return 0;
}

int TextLines::indexOfPrefix(TextRef text) const {
    for (size_t i = 0; i < lines_.size(); ++i)
        if (startsWithNoCase(lines_[i], text)) return static_cast<int>(i) + 1;
    return 0;
}

void TextLines::sort() {
    // Taking lines from the front and inserting each in order puts equal lines in reverse order;
    // a stable sort of the reversed list gives exactly that, without the quadratic walk.
    std::vector<std::string> v(std::make_move_iterator(lines_.rbegin()), std::make_move_iterator(lines_.rend()));
    std::stable_sort(v.begin(), v.end(),
                     [](const std::string& a, const std::string& b) { return compareNoCase(a, b) == 2; });
    lines_ = std::move(v);
}

void TextLines::removeAdjacentDuplicates() {
    for (int i = count(); i >= 2; --i)
        if (equalsNoCase(lines_[static_cast<size_t>(i - 2)], lines_[static_cast<size_t>(i - 1)])) removeLine(i);
}

void TextLines::sortUnique() {
    sort();
    removeAdjacentDuplicates();
}

void TextLines::moveAllFrom(TextLines& other) {
    if (&other == this) return;
    for (auto& line : other.lines_) lines_.push_back(std::move(line));
    other.lines_.clear();
}

void TextLines::appendCopiesOf(const TextLines& other) {
    std::vector<std::string> copy = other.lines_;  // safe when other is this list
    for (auto& line : copy) lines_.push_back(std::move(line));
}

void TextLines::moveLineTo(int i, TextLines& other) {
    if (!valid(i)) return;
    std::string line = lines_[static_cast<size_t>(i - 1)];
    removeLine(i);
    other.lines_.push_back(std::move(line));
}

void TextLines::drainToCommaText(DynString& out) {
    std::string text;
    for (const auto& line : lines_) text.append(line).push_back(',');
    lines_.clear();
    out.adopt(std::move(text));
}

void TextLines::load(const char* path) {
    if (path == nullptr) return;
    std::FILE* f = std::fopen(path, "rb");
    if (f == nullptr) return;
    DynString line;
    bool atEnd = false;
    for (;;) {
        line.readLine(f, atEnd);
        if (atEnd) break;
        std::string_view v = line.view();
        if (v.find_first_not_of(' ') != std::string_view::npos) lines_.push_back(line.str());
    }
    std::fclose(f);
}

bool TextLines::save(const char* path) const {
    if (path == nullptr || *path == '\0') return false;
    std::string temp = std::string(path) + ".new";
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (f == nullptr) return false;
    bool ok = true;
    for (const auto& line : lines_) {
        if (std::fwrite(line.data(), 1, line.size(), f) != line.size() || std::fwrite("\r\n", 1, 2, f) != 2) {
            ok = false;
            break;
        }
    }
    if (std::fflush(f) != 0) ok = false;
    if (ok && fsync(fileno(f)) != 0) ok = false;
    if (std::fclose(f) != 0) ok = false;
    if (ok && std::rename(temp.c_str(), path) != 0) ok = false;
    if (!ok) std::remove(temp.c_str());
    return ok;
}

int TextLines::findKey(TextRef name) const {
    std::string prefix(name.view());
    prefix.push_back('=');
    return indexOfPrefix(prefix);
}

void TextLines::setValue(TextRef name, TextRef value) {
    std::string line(name.view());
    line.push_back('=');
    line.append(value.view());
    int at = findKey(name);
    if (at != 0) replaceLine(at, line);
    else insertOrdered(line);
}

int TextLines::getValue(TextRef name, DynString& value) const {
    int at = findKey(name);
    if (at == 0) {
        value.clear();
        return 0;
    }
    std::string_view line = lines_[static_cast<size_t>(at - 1)];
    size_t i = line.find_first_not_of(' ');
    i += static_cast<size_t>(name.size()) + 1;  // the name and its "="
    while (i < line.size() && line[i] == ' ') ++i;
    value.set(line.substr(i));
    return at;
}

int TextLines::getInt(TextRef name) const {
    DynString value;
    getValue(name, value);
    return popInt(value);
}

void TextLines::splitLine(int i, DynString& key, DynString& value) const {
    key.clear();
    value.clear();
    if (!valid(i)) return;
    std::string_view line = lines_[static_cast<size_t>(i - 1)];
    size_t eq = line.find('=');
    if (eq == std::string_view::npos) return;
    key.set(line.substr(0, eq));
    value.set(line.substr(eq + 1));
}

}  // namespace tamblo
