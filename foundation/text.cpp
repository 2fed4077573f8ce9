#include "foundation/text.h"

#include <algorithm>
#include <cstring>
#include <numbers>

namespace tamblo {

namespace {

int foldCompare(unsigned char a, unsigned char b) {
    a = static_cast<unsigned char>(upperOf(static_cast<char>(a)));
    b = static_cast<unsigned char>(upperOf(static_cast<char>(b)));
    return a == b ? 0 : (a < b ? -1 : 1);
}

bool matchesNoCaseAt(std::string_view text, size_t at, std::string_view needle) {
    for (size_t k = 0; k < needle.size(); ++k) {
        if (foldCompare(static_cast<unsigned char>(text[at + k]), static_cast<unsigned char>(needle[k])) != 0)
            return false;
    }
    return true;
}

size_t skipSpaces(std::string_view v) {
    size_t i = 0;
    while (i < v.size() && v[i] == ' ') ++i;
    return i;
}

}  // namespace

DynString concatText(TextRef a, TextRef b, TextRef c) {
    DynString s;
    s.set(a, b, c);
    return s;
}

DynString repeatChar(int n, char c) {
    DynString s;
    if (n > 0) s.adopt(std::string(static_cast<size_t>(n), c));
    return s;
}

DynString spaces(int n) { return repeatChar(n, ' '); }

int textLength(const char* s) { return s ? static_cast<int>(std::strlen(s)) : 0; }
bool isEmptyText(const char* s) { return s == nullptr || *s == '\0'; }
bool notEmptyText(const char* s) { return !isEmptyText(s); }
char lastChar(const char* s) {
    int n = textLength(s);
    return n ? s[n - 1] : '\0';
}
char* endOf(char* s) { return s + std::strlen(s); }

char upperOf(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool equalsNoCase(TextRef a, TextRef b) {
    if (a.size() != b.size()) return false;
    return matchesNoCaseAt(a.view(), 0, b.view());
}

bool startsWithNoCase(TextRef text, TextRef prefix) {
    std::string_view t = text.view();
    t.remove_prefix(skipSpaces(t));
    if (prefix.view().size() > t.size()) return false;
    return matchesNoCaseAt(t, 0, prefix.view());
}

bool endsWithNoCase(TextRef text, TextRef suffix) {
    std::string_view t = text.view(), s = suffix.view();
    if (s.empty() || s.size() > t.size()) return false;
    return matchesNoCaseAt(t, t.size() - s.size(), s);
}

int compareNoCase(TextRef a, TextRef b) {
    std::string_view x = a.view(), y = b.view();
    size_t n = std::min(x.size(), y.size());
    for (size_t i = 0; i < n; ++i) {
        int c = foldCompare(static_cast<unsigned char>(x[i]), static_cast<unsigned char>(y[i]));
        if (c != 0) return c > 0 ? 1 : 2;
    }
    if (x.size() == y.size()) return 0;
    return x.size() > y.size() ? 1 : 2;
}

int find(TextRef text, TextRef needle) {
    std::string_view t = text.view(), n = needle.view();
    if (n.empty() || n.size() > t.size()) return 0;
    size_t p = t.find(n);
    return p == std::string_view::npos ? 0 : static_cast<int>(p) + 1;
}

int findNoCase(TextRef text, TextRef needle) {
    std::string_view t = text.view(), n = needle.view();
    if (n.empty() || n.size() > t.size()) return 0;
    for (size_t i = 0; i + n.size() <= t.size(); ++i)
        if (matchesNoCaseAt(t, i, n)) return static_cast<int>(i) + 1;
    return 0;
}

int findLast(TextRef text, TextRef needle) {
    std::string_view t = text.view(), n = needle.view();
    if (n.empty() || n.size() > t.size()) return 0;
    size_t p = t.rfind(n);
    return p == std::string_view::npos ? 0 : static_cast<int>(p) + 1;
}

bool contains(TextRef text, TextRef needle) { return find(text, needle) != 0; }
bool containsNoCase(TextRef text, TextRef needle) { return findNoCase(text, needle) != 0; }

int findChar(TextRef text, char c) {
    size_t p = text.view().find(c);
    return p == std::string_view::npos ? 0 : static_cast<int>(p) + 1;
}

void dropFirst(char* s, int n) {
    int len = textLength(s);
    if (n <= 0 || len == 0) return;
    if (n >= len) {
        s[0] = '\0';
        return;
    }
    std::memmove(s, s + n, static_cast<size_t>(len - n + 1));
}

void dropLast(char* s, int n) {
    int len = textLength(s);
    if (n <= 0 || len == 0) return;
    s[n >= len ? 0 : len - n] = '\0';
}

void truncateText(char* s, int n) {
    if (s == nullptr) return;
    if (n < 0) n = 0;
    if (n < textLength(s)) s[n] = '\0';
}

void keepLast(char* s, int n) {
    int len = textLength(s);
    if (n < 0) n = 0;
    if (n < len) dropFirst(s, len - n);
}

void padWithSpaces(char* s, int n) {
    int len = textLength(s);
    if (s == nullptr || n <= len) return;
    std::memset(s + len, ' ', static_cast<size_t>(n - len));
    s[n] = '\0';
}

void trimLeft(char* s) {
    if (s == nullptr) return;
    dropFirst(s, static_cast<int>(skipSpaces(s)));
}

void trimRight(char* s) {
    int len = textLength(s);
    while (len > 0 && s[len - 1] == ' ') s[--len] = '\0';
}

void trim(char* s) {
    trimRight(s);
    trimLeft(s);
}

bool stripPrefix(char* s, TextRef prefix) {
    if (s == nullptr || !startsWithNoCase(s, prefix)) return false;
    size_t lead = skipSpaces(s);
    size_t cut = lead + prefix.view().size();
    cut += skipSpaces(std::string_view(s + cut));
    dropFirst(s, static_cast<int>(cut));
    return true;
}

void replaceChar(char* s, char from, char to) {
    if (s == nullptr) return;
    for (; *s; ++s)
        if (*s == from) *s = to;
}

void deleteChar(char* s, char c) {
    if (s == nullptr) return;
    char* out = s;
    for (char* in = s; *in; ++in)
        if (*in != c) *out++ = *in;
    *out = '\0';
}

void translateChars(char* s, TextRef from, TextRef to) {
    if (s == nullptr) return;
    std::string_view f = from.view().substr(0, std::min(from.view().size(), to.view().size()));
    for (; *s; ++s) {
        size_t p = f.find(*s);
        if (p != std::string_view::npos) *s = to.view()[p];
    }
}

void upperText(char* s) {
    if (s == nullptr) return;
    for (; *s; ++s) *s = upperOf(*s);
}

void sortChars(char* s) {
    if (s == nullptr) return;
    std::sort(s, s + std::strlen(s), [](char a, char b) {
        return static_cast<signed char>(a) < static_cast<signed char>(b);
    });
}

void reverseText(char* s) {
    if (s != nullptr) std::reverse(s, s + std::strlen(s));
}

void reverseRange(char* s, int from, int to) {
    int len = textLength(s);
    if (from > to) std::swap(from, to);
    from = std::max(from, 1);
    to = std::min(to, len);
    if (from < to) std::reverse(s + from - 1, s + to);
}

void backslashesToSlashes(char* s) { replaceChar(s, '\\', '/'); }
void slashesToBackslashes(char* s) { replaceChar(s, '/', '\\'); }

void dropItems(char* s, int n) {
    DynString item;
    for (int i = 0; i < n && notEmptyText(s); ++i) item.popItem(s);
}

int replaceInPlace(char* s, TextRef from, TextRef to, int maxCount) {
    if (s == nullptr || from.empty() || to.size() > from.size()) return 0;
    int done = 0;
    char* at = s;
    while (done < maxCount) {
        int p = findNoCase(at, from);
        if (p == 0) break;
        char* hit = at + p - 1;
        size_t tail = std::strlen(hit + from.size());
        std::memcpy(hit, to.data(), static_cast<size_t>(to.size()));
        std::memmove(hit + to.size(), hit + from.size(), tail + 1);
        at = hit + to.size();
        ++done;
    }
    return done;
}

long wrapInto(long x, long lo, long hi) {
    long width = hi - lo + 1;
    if (width <= 0) return lo;
    long r = (x - lo) % width;
    if (r < 0) r += width;
    return lo + r;
}

float degToRad(float deg) { return deg * std::numbers::pi_v<float> / 180.0f; }

bool inRanges(char c, TextRef pairs) {
    std::string_view p = pairs.view();
    for (size_t i = 0; i + 1 < p.size(); i += 2)
        if (c >= p[i] && c <= p[i + 1]) return true;
    return false;
}

}  // namespace tamblo
