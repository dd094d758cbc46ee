#include "annotations/annotation_file.h"

#include "app/number_text.h"

namespace {

constexpr char kHeader[] = "\"X-axis\",\"Y-axis\",\"Level\",\"Comments\"\r\n";

// A number as the file writes it: the number text without its leading blank (12, -1, 2.5).
void AppendNumber(std::string& file, const std::string& text) {
    std::string number = TextFromNumber(NumberFromText(text), kNumberDigits);
    file.append(number, number.front() == ' ' ? 1 : 0);
}

// A double quote inside the text is doubled, so that it cannot end the text early.
void AppendQuoted(std::string& file, std::string_view text) {
    file += '"';
    for (char c : text) {
        if (c == '"') {
            file += '"';
        }
        file += c;
    }
    file += '"';
}

}  // namespace

int CountLines(std::string_view bytes) {
    int lines = 0;
    bool rest = false;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            ++lines;
            rest = false;
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                ++i;
            }
        } else {
            rest = true;
        }
    }
    return lines + (rest ? 1 : 0);
}

std::string FieldReader::Next() {
    while (At(' ')) {
        ++pos_;
    }
    if (pos_ == bytes_.size()) {
        return {};
    }
    std::string field = At('"') ? QuotedText() : PlainText();
    SkipSeparator();
    return field;
}

std::string FieldReader::QuotedText() {
    std::string text;
    for (++pos_; pos_ < bytes_.size(); ++pos_) {
        if (bytes_[pos_] == '"') {
            ++pos_;
            if (!At('"')) {  // the closing quote; a doubled one is a quote of the text
                break;
            }
        }
        text += bytes_[pos_];
    }
    while (At(' ') || At('\t') || At('\n')) {
        ++pos_;
    }
    return text;
}

std::string FieldReader::PlainText() {
    std::string text;
    for (; pos_ < bytes_.size() && bytes_[pos_] != ',' && bytes_[pos_] != '\r'; ++pos_) {
        if (bytes_[pos_] != '\t' && bytes_[pos_] != '\n') {
            text += bytes_[pos_];
        }
    }
    return text;
}

void FieldReader::SkipSeparator() {
    if (At(',')) {
        ++pos_;
    } else if (At('\r')) {
        ++pos_;
        if (At('\n')) {
            ++pos_;
        }
    }
}

AnnotationTable TableFromFile(std::string_view bytes) {
    int lines = CountLines(bytes);
    AnnotationTable table;
    table.Create(lines);
    FieldReader reader(bytes);
    for (int i = 0; i < 4; ++i) {
        reader.Next();  // the header, whatever it holds
    }
    for (int row = 1; row < lines; ++row) {
        AnnotationRow& r = table.Row(row);
        r.x = reader.Next();
        r.y = reader.Next();
        r.level = reader.Next();
        r.comments = reader.Next();
    }
    return table;
}

std::string FileFromTable(const AnnotationTable& table) {
    std::string file = kHeader;
    for (int i = 1; i <= table.RowLimit(); ++i) {
        const AnnotationRow& row = table.Row(i);
        if (!row.InUse()) {
            continue;
        }
        AppendNumber(file, row.x);
        file += ',';
        AppendNumber(file, row.y);
        file += ',';
        AppendNumber(file, row.level);
        file += ',';
        AppendQuoted(file, row.comments);
        file += "\r\n";
    }
    return file;
}
