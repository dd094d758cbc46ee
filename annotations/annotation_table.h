// The notes in memory: the annotation table, the search for a cell's note and where a note's
// marker goes on the map.
#pragma once

#include <string>
#include <vector>

// The marker of row i is sprite object kAnnotationTemplateSprite + i, cloned from the template.
inline constexpr long kAnnotationTemplateSprite = 11000;

// One row: a note's cell, level and text. X, Y and Level keep the text they came with ("12" from
// the file, " 12" from the dialog's read-outs); every use reads them as numbers.
struct AnnotationRow {
    std::string x, y, level, comments;

    // A row without an X text holds no note.
    bool InUse() const { return !x.empty(); }
};

// Rows 1 to the row limit (row 0 exists but is never used) and the annotation count, which bounds
// the search and gives the row of the next new note.
class AnnotationTable {
public:
    // Rows 0 to lineCount + 1000, all empty; the count is the line count of the file.
    void Create(int lineCount);

    int RowLimit() const { return static_cast<int>(rows_.size()) - 1; }
    int Count() const { return count_; }
    AnnotationRow& Row(int row) { return rows_[row]; }
    const AnnotationRow& Row(int row) const { return rows_[row]; }

    // Puts a new note into the row after the count and returns that row. The table grows when the
    // row is beyond its limit, so no note is ever lost.
    int AddNote(AnnotationRow note);

    // The last of rows 1 to the count whose note lies on cell (x, y) of `level`, by exact numeric
    // equality; 0 when there is none.
    int FindNote(long double x, long double y, long double level) const;

private:
    std::vector<AnnotationRow> rows_;
    int count_ = 0;
};

// Where a marker goes, in picture pixels.
struct MarkerPlace {
    bool visible;
    int x, y;
};

// The marker of a row while `level` is on show: on its cell (each number rounded half to even)
// when the row holds a note of that level, else hidden.
MarkerPlace PlaceMarker(const AnnotationRow& row, int level);
