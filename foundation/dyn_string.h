// Owned texts and the comma-list reader that every subsystem packs its values with.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace tamblo {

class DynString;

// A read-only text argument. A null pointer counts as the empty text, so callers can pass
// whatever they hold without checking first.
class TextRef {
public:
    TextRef() = default;
    TextRef(const char* s) : view_(s ? std::string_view(s) : std::string_view()) {}  // NOLINT: implicit on purpose
    TextRef(std::string_view s) : view_(s) {}                                        // NOLINT
    TextRef(const std::string& s) : view_(s) {}                                      // NOLINT
    TextRef(const DynString& s);                                                     // NOLINT

    std::string_view view() const { return view_; }
    const char* data() const { return view_.data() ? view_.data() : ""; }
    int size() const { return static_cast<int>(view_.size()); }
    bool empty() const { return view_.empty(); }

private:
    std::string_view view_;
};

// The system's owned text: never null, bytes throughout (accented letters are single bytes or
// UTF-8 sequences, compared as bytes). Positions handed out are 1-based, 0 meaning "not found".
// Every change builds the new text before dropping the old one, so a string's own text may be
// passed back to it.
class DynString {
public:
    DynString() = default;
    explicit DynString(TextRef t) : s_(t.view()) {}
    DynString(const DynString&) = default;
    DynString(DynString&&) noexcept = default;
    DynString& operator=(const DynString&) = default;
    DynString& operator=(DynString&&) noexcept = default;

    const char* text() const { return s_.c_str(); }
    const std::string& str() const { return s_; }
    std::string_view view() const { return s_; }
    int length() const { return static_cast<int>(s_.size()); }
    bool isEmpty() const { return s_.empty(); }
    bool notEmpty() const { return !s_.empty(); }
    char at(int position) const;  // 1-based; 0 outside the text

    void clear() { s_.clear(); }
    void set(TextRef a, TextRef b = {}, TextRef c = {});
    void append(TextRef a, TextRef b = {}, TextRef c = {});
    void adopt(std::string&& text) { s_ = std::move(text); }
    void setRepeat(int count, TextRef piece);
    void setNumbered(TextRef pattern, long n);
    void setNumbered(TextRef pattern, long first, long second);
    void setRange(char from, char to);
    void padRight(int n);
    void reserve(int n) { s_.reserve(s_.size() + (n > 0 ? static_cast<size_t>(n) : 0)); }
    void truncate(int n);

    // Comma-list reading: the item taken is removed, with its comma, from the buffer.
    void takeHead(DynString& buffer, int n);
    void takeHead(char* buffer, int n);
    void popItem(DynString& buffer);
    void popItem(char* buffer);
    void popItemUpper(DynString& buffer);
    void popItemUpper(char* buffer);

    bool equals(TextRef t) const;
    void replaceAll(TextRef from, TextRef to);
    void replaceFirst(TextRef from, TextRef to);
    void toUpper();

    // Reads one line ending at CR, LF, CR LF or LF CR, with its trailing spaces removed. Sets
    // `atEnd` when the file ended before the first byte of the line.
    void readLine(std::FILE* file, bool& atEnd);

    friend bool operator==(const DynString& a, const DynString& b) { return a.s_ == b.s_; }
    friend bool operator==(const DynString& a, std::string_view b) { return a.s_ == b; }

private:
    std::string s_;
};

inline TextRef::TextRef(const DynString& s) : view_(s.view()) {}

// Number texts. They are owned strings rather than pointers into a shared scratch area, so a
// caller that keeps one is never surprised by a later conversion.
std::string intText(long n);
std::string intTextPadded(long n, int width);
std::string floatText(double x);
std::string charText(char c);

// Takes the first comma item off the buffer and reads it as a decimal number: an optional "-",
// then digits up to the first non-digit; no digit gives 0. Values beyond the 32-bit range
// saturate instead of wrapping.
int popInt(DynString& buffer);
int popInt(char* buffer);

}  // namespace tamblo
