#include "foundation/dyn_string.h"

#include <climits>
#include <cstring>

#include "foundation/text.h"

namespace tamblo {

namespace {

std::string joined(TextRef a, TextRef b, TextRef c) {
    std::string out;
    out.reserve(static_cast<size_t>(a.size() + b.size() + c.size()));
    out.append(a.view()).append(b.view()).append(c.view());
    return out;
}

bool isSpace(char c) { return c == ' '; }

std::string_view trimmedView(std::string_view v) {
    size_t b = 0;
    while (b < v.size() && isSpace(v[b])) ++b;
    size_t e = v.size();
    while (e > b && isSpace(v[e - 1])) --e;
    return v.substr(b, e - b);
}

std::string_view leftTrimmedView(std::string_view v) {
    size_t b = 0;
    while (b < v.size() && isSpace(v[b])) ++b;
    return v.substr(b);
}

// Splits the first comma item off `buffer`: returns the item (trimmed) and the rest (left-trimmed).
std::pair<std::string, std::string> splitItem(std::string_view buffer) {
    size_t comma = buffer.find(',');
    if (comma == std::string_view::npos) return {std::string(trimmedView(buffer)), std::string()};
    return {std::string(trimmedView(buffer.substr(0, comma))),
            std::string(leftTrimmedView(buffer.substr(comma + 1)))};
}

void storeInto(char* buffer, const std::string& rest) {
    std::memmove(buffer, rest.c_str(), rest.size() + 1);
}

std::string replaced(std::string_view text, TextRef from, TextRef to, bool all) {
    if (from.empty()) return std::string(text);
    std::string out;
    size_t start = 0;
    while (start <= text.size()) {
        int pos = findNoCase(text.substr(start), from);
        if (pos == 0) break;
        out.append(text.substr(start, static_cast<size_t>(pos - 1)));
        out.append(to.view());
        start += static_cast<size_t>(pos - 1 + from.size());
        if (!all) break;
    }
    if (start < text.size()) out.append(text.substr(start));
    return out;
}

}  // namespace

char DynString::at(int position) const {
    if (position < 1 || position > length()) return '\0';
    return s_[static_cast<size_t>(position - 1)];
}

void DynString::set(TextRef a, TextRef b, TextRef c) { s_ = joined(a, b, c); }

void DynString::append(TextRef a, TextRef b, TextRef c) { s_ = s_ + joined(a, b, c); }

void DynString::setRepeat(int count, TextRef piece) {
    std::string out;
    for (int i = 0; i < count; ++i) out.append(piece.view());
    s_ = std::move(out);
}

void DynString::setNumbered(TextRef pattern, long n) {
    std::string out(pattern.view());
    size_t hash = out.find('#');
    if (hash != std::string::npos) out.replace(hash, 1, intText(n));
    s_ = std::move(out);
}

void DynString::setNumbered(TextRef pattern, long first, long second) {
    std::string out(pattern.view());
    size_t hash = out.find('#');
    if (hash != std::string::npos) {
        std::string t = intText(first);
        out.replace(hash, 1, t);
        hash = out.find('#', hash + t.size());
        if (hash != std::string::npos) out.replace(hash, 1, intText(second));
    }
    s_ = std::move(out);
}

void DynString::setRange(char from, char to) {
    std::string out;
    int step = (static_cast<unsigned char>(to) < static_cast<unsigned char>(from)) ? -1 : 1;
    for (int c = static_cast<unsigned char>(from);; c += step) {
        out.push_back(static_cast<char>(c));
        if (c == static_cast<unsigned char>(to)) break;
    }
    s_ = std::move(out);
}

void DynString::padRight(int n) {
    if (n > length()) s_.append(static_cast<size_t>(n - length()), ' ');
}

void DynString::truncate(int n) {
    if (n < 0) n = 0;
    if (n < length()) s_.resize(static_cast<size_t>(n));
}

void DynString::takeHead(DynString& buffer, int n) {
    if (n <= 0) {
        s_.clear();
        return;
    }
    size_t k = std::min(static_cast<size_t>(n), buffer.s_.size());
    std::string head = buffer.s_.substr(0, k);
    buffer.s_.erase(0, k);
    s_ = std::move(head);
}

void DynString::takeHead(char* buffer, int n) {
    if (n <= 0 || buffer == nullptr) {
        s_.clear();
        return;
    }
    size_t len = std::strlen(buffer);
    size_t k = std::min(static_cast<size_t>(n), len);
    std::string head(buffer, k);
    std::memmove(buffer, buffer + k, len - k + 1);
    s_ = std::move(head);
}

void DynString::popItem(DynString& buffer) {
    auto [item, rest] = splitItem(buffer.s_);
    buffer.s_ = std::move(rest);
    s_ = std::move(item);
}

void DynString::popItem(char* buffer) {
    if (buffer == nullptr) {
        s_.clear();
        return;
    }
    auto [item, rest] = splitItem(buffer);
    storeInto(buffer, rest);
    s_ = std::move(item);
}

void DynString::popItemUpper(DynString& buffer) {
    popItem(buffer);
    toUpper();
}

void DynString::popItemUpper(char* buffer) {
    popItem(buffer);
    toUpper();
}

bool DynString::equals(TextRef t) const { return equalsNoCase(s_, t); }

void DynString::replaceAll(TextRef from, TextRef to) { s_ = replaced(s_, from, to, true); }

void DynString::replaceFirst(TextRef from, TextRef to) { s_ = replaced(s_, from, to, false); }

void DynString::toUpper() {
    for (char& c : s_) c = upperOf(c);
}

void DynString::readLine(std::FILE* file, bool& atEnd) {
    s_.clear();
    if (file == nullptr) {
        atEnd = true;
        return;
    }
    bool any = false;
    for (;;) {
        int c = std::fgetc(file);
        if (c == EOF) {
            if (!any) atEnd = true;
            break;
        }
        any = true;
        if (c == '\r' || c == '\n') {
            int pair = (c == '\r') ? '\n' : '\r';
            int next = std::fgetc(file);
            if (next != pair && next != EOF) std::ungetc(next, file);
            break;
        }
        s_.push_back(static_cast<char>(c));
    }
    while (!s_.empty() && s_.back() == ' ') s_.pop_back();
}

std::string intText(long n) { return std::to_string(n); }

std::string intTextPadded(long n, int width) {
    std::string t = std::to_string(n);
    if (width < 0) width = 0;
    size_t w = static_cast<size_t>(width);
    if (t.size() < w) t.insert(0, w - t.size(), '0');
    else if (t.size() > w) t.erase(0, t.size() - w);
    return t;
}

std::string floatText(double x) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%f", x);
    if (std::strlen(buf) >= sizeof buf - 1) return std::to_string(x);
    return buf;
}

std::string charText(char c) { return std::string(1, c); }

namespace {

int parseInt(std::string_view item) {
    size_t i = 0;
    while (i < item.size() && item[i] == ' ') ++i;
    bool negative = false;
    if (i < item.size() && item[i] == '-') {
        negative = true;
        ++i;
    }
    long long value = 0;
    for (; i < item.size() && isDigit(item[i]); ++i) {
        value = value * 10 + (item[i] - '0');
        if (value > INT_MAX) value = INT_MAX + 1LL;  // saturate; keeps reading without overflow
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    if (value < INT_MIN) value = INT_MIN;
    return static_cast<int>(value);
}

}  // namespace

int popInt(DynString& buffer) {
    DynString item;
    item.popItem(buffer);
    return parseInt(item.view());
}

int popInt(char* buffer) {
    DynString item;
    item.popItem(buffer);
    return parseInt(item.view());
}

}  // namespace tamblo
