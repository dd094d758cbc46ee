// The table's life: loaded from annotate.csv once, saved whole after every change, and shown as
// marker sprites in the Map window's image control.
#include <string>

#include "annotations/annotation_file.h"
#include "annotations/annotations.h"
#include "app/map_state.h"
#include "common/win_handles.h"
#include "gamelink/player_state.h"
#include "imagectrl/image_control.h"

AnnotationTable annotationTable;

namespace {

constexpr wchar_t kFileName[] = L"annotate.csv";
// A save writes here first and then puts this file in place of annotate.csv.
constexpr wchar_t kTemporaryName[] = L"annotate.csv.tmp";

// The whole file, opened without sharing; empty when it cannot be opened.
std::string ReadAnnotationFile() {
    std::string bytes;
    FileHandle file(CreateFileW(kFileName, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return bytes;
    }
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
        bytes.append(buffer, read);
    }
    return bytes;
}

bool WriteTemporaryFile(const std::string& bytes) {
    FileHandle file(
        CreateFileW(kTemporaryName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size() && FlushFileBuffers(file.Get());
}

// annotate.csv is either the new file whole or the old one unchanged. The move refuses to replace
// a read-only file and one that another program holds open.
void ReplaceAnnotationFile(const std::string& bytes) {
    if (!WriteTemporaryFile(bytes) ||
        !MoveFileExW(kTemporaryName, kFileName, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(kTemporaryName);
    }
}

}  // namespace

void LoadAnnotations() {
    try {
        annotationTable = TableFromFile(ReadAnnotationFile());
    } catch (...) {  // a file too large for memory gives no notes, as an unreadable one does
        annotationTable = TableFromFile("");
    }
    for (int row = 1; row < annotationTable.Count(); ++row) {
        ZD_CloneObject(kAnnotationTemplateSprite, kAnnotationTemplateSprite + row, kParked, kParked);
    }
}

void SaveAnnotations() {
    try {
        ReplaceAnnotationFile(FileFromTable(annotationTable));
    } catch (...) {  // out of memory: nothing is written and the table keeps its change
    }
}

void PlaceMarkers() {
    for (int row = 1; row <= annotationTable.RowLimit(); ++row) {
        LONG marker = kAnnotationTemplateSprite + row;
        MarkerPlace place = PlaceMarker(annotationTable.Row(row), playerState.level);
        ZD_SetObjectVisibility(marker, place.visible ? 1 : 0);
        if (place.visible) {
            ZD_SetObjectXY(marker, place.x, place.y, 0);
        }
    }
    ZI_UpdateWindow(GetDlgItem(mapWindow, kImageControl), 0);
}
