#include "annotations/annotation_table.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "app/number_text.h"

namespace {

constexpr int kSpareRows = 1000;

// A marker coordinate from a hand-edited number of any size: clamped to what a sprite call takes.
int PixelFromReal(long double value) {
    return static_cast<int>(std::clamp(value, static_cast<long double>(INT_MIN), static_cast<long double>(INT_MAX)));
}

}  // namespace

void AnnotationTable::Create(int lineCount) {
    rows_.assign(static_cast<size_t>(lineCount) + kSpareRows + 1, AnnotationRow{});
    count_ = lineCount;
}

int AnnotationTable::AddNote(AnnotationRow note) {
    int row = ++count_;
    if (row > RowLimit()) {
        rows_.resize(static_cast<size_t>(row) + 1);
    }
    rows_[row] = std::move(note);
    return row;
}

int AnnotationTable::FindNote(long double x, long double y, long double level) const {
    int found = 0;
    for (int i = 1; i <= count_; ++i) {  // AddNote keeps the count within the rows
        const AnnotationRow& row = rows_[i];
        // An empty row is no note: matching it would put a new note into a row that may have no
        // marker.
        if (row.InUse() && NumberFromText(row.x) == x && NumberFromText(row.y) == y &&
            NumberFromText(row.level) == level) {
            found = i;
        }
    }
    return found;
}

MarkerPlace PlaceMarker(const AnnotationRow& row, int level) {
    // The default rounding mode rounds to nearest, a half to the even neighbour.
    if (!row.InUse() || std::nearbyint(NumberFromText(row.level)) != level) {
        return {false, 0, 0};
    }
    long double x = std::nearbyint(NumberFromText(row.x));
    long double y = std::nearbyint(NumberFromText(row.y));
    return {true, PixelFromReal(14 * x - 12), PixelFromReal(631 - 14 * y)};
}
