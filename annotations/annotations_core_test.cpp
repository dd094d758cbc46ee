#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "annotations/annotation_file.h"
#include "annotations/annotation_table.h"

namespace {

constexpr char kHeader[] = "\"X-axis\",\"Y-axis\",\"Level\",\"Comments\"\r\n";

// The note of the file's own example: two comment lines make it cover two lines of the file.
const std::string kExample = std::string(kHeader) + "12,34,5,\"Lever on wall\r\nopens gate\"\r\n";

std::vector<std::string> Fields(std::string_view bytes, int count) {
    FieldReader reader(bytes);
    std::vector<std::string> fields;
    for (int i = 0; i < count; ++i) {
        fields.push_back(reader.Next());
    }
    return fields;
}

AnnotationRow Note(std::string x, std::string y, std::string level, std::string comments = "") {
    return {std::move(x), std::move(y), std::move(level), std::move(comments)};
}

}  // namespace

TEST(AnnotationFile, CountsEveryLineEnd) {
    const struct {
        const char* bytes;
        int lines;
    } cases[] = {
        {"", 0},
        {"a", 1},
        {"a\r\n", 1},
        {"a\r\nb", 2},
        {"\r\r\n\r\n", 3},        // empty lines count
        {"a\rb\r", 2},            // a CR alone ends a line
        {"a\nb\n", 2},            // so does an LF alone, as in a hand-edited file
        {"a\n\rb", 3},            // an LF before a CR is a line end of its own
        {"a\x1A\r\nb\x1A", 2},    // 0x1A is a byte like any other
        {"\"a\r\nb\",\"c\"", 2},  // a line break inside a quoted text counts
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CountLines(c.bytes), c.lines) << c.bytes;
    }
}

TEST(AnnotationFile, ReadsFieldsByTheFilesRules) {
    const struct {
        const char* bytes;
        std::vector<std::string> fields;
    } cases[] = {
        {"12,34\r\n5", {"12", "34", "5", ""}},
        // Blanks before the opening quote are skipped; inside, commas, blanks and line breaks stay.
        {"  \" a, b \r\nc \",x", {" a, b \r\nc ", "x", "", ""}},
        // After the closing quote blanks, tabs and LFs are skipped, then a comma or CR LF ends it.
        {"\"a\" \t\n\r\n\"b\"\n,c", {"a", "b", "c", ""}},
        // Any other byte after the closing quote begins the next field.
        {"\"a\"b,c", {"a", "b", "c", ""}},
        {"\"\",\"\"\r\n", {"", "", "", ""}},
        {"\"say \"\"hi\"\"\",\"\"\"\"", {"say \"hi\"", "\"", "", ""}},
        {"\"open to the end\r\n", {"open to the end\r\n", "", "", ""}},
        // A plain field loses its tabs and LFs and keeps its blanks and quotes.
        {"a\tb\nc \"d\" ,e", {"abc \"d\" ", "e", "", ""}},
        {"x\ry", {"x", "y", "", ""}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Fields(c.bytes, 4), c.fields) << c.bytes;
    }
}

TEST(AnnotationFile, LoadsRowsForEveryLineAfterTheHeader) {
    AnnotationTable table = TableFromFile(kExample);
    EXPECT_EQ(table.Count(), 3);
    EXPECT_EQ(table.RowLimit(), 1003);
    EXPECT_EQ(table.Row(1).x, "12");
    EXPECT_EQ(table.Row(1).y, "34");
    EXPECT_EQ(table.Row(1).level, "5");
    EXPECT_EQ(table.Row(1).comments, "Lever on wall\r\nopens gate");
    EXPECT_FALSE(table.Row(2).InUse());

    const struct {
        std::string bytes;
        int count;
    } empty[] = {{"", 0}, {kHeader, 1}};
    for (const auto& c : empty) {
        table = TableFromFile(c.bytes);
        EXPECT_EQ(table.Count(), c.count);
        EXPECT_EQ(table.RowLimit(), c.count + 1000);
        EXPECT_FALSE(table.Row(1).InUse());
    }

    // Lines ended by LF alone, and a comment holding 0x1A: every note is read.
    table = TableFromFile("\"X-axis\",\"Y-axis\",\"Level\",\"Comments\"\n1,2,3,\"a\x1A\"\n4,5,6,\"b\"\n");
    EXPECT_EQ(table.Count(), 3);
    EXPECT_EQ(table.Row(1).comments, "a\x1A");
    EXPECT_EQ(table.Row(2).x, "4");
    EXPECT_EQ(table.Row(2).comments, "b");
}

TEST(AnnotationFile, WritesTheRowsInUseInOrderWithoutGaps) {
    AnnotationTable table;
    table.Create(0);
    table.AddNote(Note(" 12", " 34", " 5", "Lever on wall\r\nopens gate"));
    table.AddNote(Note("-1", " 0", " 0"));
    table.AddNote(Note("2.50", "007", "3", " a, \"b\" "));
    table.Row(2) = {};  // deleted
    table.AddNote(Note("-1", "-2", "1", "\""));

    EXPECT_EQ(FileFromTable(table), std::string(kHeader) +
                                        "12,34,5,\"Lever on wall\r\nopens gate\"\r\n"
                                        "2.5,7,3,\" a, \"\"b\"\" \"\r\n"
                                        "-1,-2,1,\"\"\"\"\r\n");
}

TEST(AnnotationFile, WrittenFilesReadBackUnchanged) {
    const std::string files[] = {
        kHeader,
        kExample,
        std::string(kHeader) + "1,2,3,\"\"\r\n-4,5,6,\"  commas, \"\"quotes\"\" and\r\n\r\nlines  \"\r\n",
    };
    for (const std::string& file : files) {
        EXPECT_EQ(FileFromTable(TableFromFile(file)), file);
    }
}

TEST(AnnotationTable, NewNotesTakeTheRowAfterTheCountAndTheTableGrows) {
    AnnotationTable table = TableFromFile(kExample);
    EXPECT_EQ(table.AddNote(Note(" 1", " 1", " 1")), 4);  // row 2 stays empty: the count is 3
    EXPECT_EQ(table.Count(), 4);

    table.Create(0);
    for (int i = 1; i <= 1001; ++i) {
        ASSERT_EQ(table.AddNote(Note(std::to_string(i), "0", "0")), i);
    }
    EXPECT_EQ(table.RowLimit(), 1001);
    EXPECT_EQ(table.Row(1001).x, "1001");
    EXPECT_EQ(table.Row(1000).x, "1000");
}

TEST(AnnotationTable, FindsTheLastNoteOnTheCellOfTheLevel) {
    AnnotationTable table;
    table.Create(0);
    table.AddNote(Note("12", "34", "5", "first"));
    table.AddNote(Note(" 12", " 34", " 5", "second"));  // the read-outs' form means the same numbers
    table.AddNote(Note("12", "34", "6"));
    table.AddNote(Note("12.5", "34", "5"));
    table.AddNote(Note("-1", "-2", "0"));
    table.AddNote(Note("", "", ""));  // deleted

    EXPECT_EQ(table.FindNote(12, 34, 5), 2);
    EXPECT_EQ(table.FindNote(12, 34, 6), 3);
    EXPECT_EQ(table.FindNote(34, 12, 5), 0);
    EXPECT_EQ(table.FindNote(13, 34, 5), 0);  // a fractional cell never matches a click
    EXPECT_EQ(table.FindNote(-1, -2, 0), 5);
    EXPECT_EQ(table.FindNote(0, 0, 0), 0);  // an empty row is no note
}

TEST(AnnotationTable, PlacesMarkersOfTheLevelOnTheirCells) {
    const struct {
        AnnotationRow row;
        int level;
        MarkerPlace place;
    } cases[] = {
        {Note("12", "34", "5"), 5, {true, 156, 155}},
        {Note(" 1", " 1", " 5"), 5, {true, 2, 617}},  // one row below the arrow's 616
        {Note("12", "34", "5"), 6, {false, 0, 0}},
        {Note("0", "0", "0"), 0, {true, -12, 631}},
        {Note("-1", "46", "0"), 0, {true, -26, -13}},
        {Note("2.5", "3.5", "4.5"), 4, {true, 16, 575}},  // halves round to the even neighbour
        {Note("1.5", "0.49", "5.5"), 6, {true, 16, 631}},
        {Note("1E300", "-1E300", "1"), 1, {true, INT_MAX, INT_MAX}},
        {Note("", "", ""), 0, {false, 0, 0}},  // a deleted note has no marker, even in the town
    };
    for (const auto& c : cases) {
        MarkerPlace place = PlaceMarker(c.row, c.level);
        EXPECT_EQ(place.visible, c.place.visible) << c.row.x << "," << c.row.y << "," << c.row.level;
        if (c.place.visible) {
            EXPECT_EQ(place.x, c.place.x) << c.row.x;
            EXPECT_EQ(place.y, c.place.y) << c.row.y;
        }
    }
}
