// Files opened in binary mode, and paths split into drive, directory, name and extension.
// Paths use "/" inside the program: every function that examines a path turns "\" into "/".
#pragma once

#include <cstdio>

#include "foundation/dyn_string.h"

namespace tamblo {

// `atEnd` is the end flag that DynString::readLine sets; opening clears it.
std::FILE* openRead(TextRef path, bool& atEnd);
std::FILE* openUpdate(TextRef path, bool& atEnd);
std::FILE* openAppend(TextRef path);
std::FILE* openWrite(TextRef path);
void closeFile(std::FILE* stream);
bool fileExists(TextRef path);
// Size in bytes; the stream position is left where it was. -1 when it cannot be told.
long fileSize(std::FILE* stream);
bool removeFile(TextRef path);
bool renameFile(TextRef from, TextRef to);
// Replaces an existing target.
bool copyFile(TextRef from, TextRef to);
bool writeText(std::FILE* stream, TextRef text, bool lineEnd);
bool writeLine(std::FILE* stream, TextRef text);

class PathParts {
public:
    void clear();
    void split(TextRef path);
    // Builds a path from the parts named by the selector's letters, in order: U drive,
    // R directory, F file name, X extension.
    void compose(TextRef selector, DynString& result) const;
    void setFileName(TextRef fileName);

    const DynString& drive() const { return drive_; }
    const DynString& directory() const { return directory_; }
    const DynString& name() const { return name_; }
    const DynString& extension() const { return extension_; }

private:
    DynString drive_;  // at most 7 characters, such as "C:"
    DynString directory_;
    DynString name_;
    DynString extension_;
};

}  // namespace tamblo
