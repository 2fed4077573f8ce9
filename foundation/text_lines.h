// Ordered lists of owned text lines, with key=value access and CR LF files.
#pragma once

#include <string>
#include <vector>

#include "foundation/dyn_string.h"

namespace tamblo {

// Lines are addressed from 1; 0 means "none". Positions out of range are ignored by changes and
// give a null text from lineAt. Comparisons ignore case (a..z only).
class TextLines {
public:
    void clear() { lines_.clear(); }
    int count() const { return static_cast<int>(lines_.size()); }
    bool isEmpty() const { return lines_.empty(); }
    bool notEmpty() const { return !lines_.empty(); }

    const char* lineAt(int i) const;
    const std::string* lineRef(int i) const;  // the line itself, null out of range

    const char* append(TextRef text);
    const char* append(TextRef a, TextRef b);
    bool appendIfAbsent(TextRef text);
    // Inserts before the first line that is greater than or equal to the text, so among equal
    // lines the newest comes first.
    int insertOrdered(TextRef text);
    bool insertOrderedIfAbsent(TextRef text);
    void replaceLine(int i, TextRef text);
    void removeLine(int i);
    void popFront(DynString& into);

    int indexOf(TextRef text) const;
    int indexOfPrefix(TextRef text) const;  // leading spaces of the line skipped

    void sort();
    void removeAdjacentDuplicates();
    void sortUnique();
    void moveAllFrom(TextLines& other);
    void appendCopiesOf(const TextLines& other);
    void moveLineTo(int i, TextLines& other);
    void drainToCommaText(DynString& out);

    // Appends the non-empty lines of a file; a file that cannot be opened changes nothing.
    void load(const char* path);
    // Writes every line followed by CR LF. The new text goes to a file beside the old one, which
    // it replaces only once complete, so a failed save leaves the previous file whole.
    bool save(const char* path) const;

    int findKey(TextRef name) const;
    void setValue(TextRef name, TextRef value);
    int getValue(TextRef name, DynString& value) const;
    int getInt(TextRef name) const;
    void splitLine(int i, DynString& key, DynString& value) const;

    const std::vector<std::string>& lines() const { return lines_; }

private:
    bool valid(int i) const { return i >= 1 && i <= count(); }
    int orderedPosition(std::string_view text) const;

    std::vector<std::string> lines_;
};

}  // namespace tamblo
