// The form of annotate.csv: a header line, then one record per note (X, Y and Level as numbers,
// the comment as a quoted text that may span lines), every line ended by CR LF.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "annotations/annotation_table.h"

// The lines of the file: each CR ends one (with an LF right after it), so does each LF on its own,
// and a rest after the last line end counts as one more.
int CountLines(std::string_view bytes);

// Reads the file field by field, not line by line, from its first byte.
class FieldReader {
public:
    explicit FieldReader(std::string_view bytes) : bytes_(bytes) {}

    // The next field, without its quotes; empty at the end of the file and ever after.
    std::string Next();

private:
    bool At(char c) const { return pos_ < bytes_.size() && bytes_[pos_] == c; }
    std::string QuotedText();
    std::string PlainText();
    // A comma, or a CR with one LF right after it.
    void SkipSeparator();

    std::string_view bytes_;
    size_t pos_ = 0;
};

// The table that a file's bytes give: the count is the file's line count, and rows 1 to the count
// - 1 are read from the records after the header.
AnnotationTable TableFromFile(std::string_view bytes);

// The whole file for the table: the header, then each row in use in row order.
std::string FileFromTable(const AnnotationTable& table);
