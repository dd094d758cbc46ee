#include "annotations/annotations.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "app/map_state.h"
#include "common/dib.h"
#include "common/win_handles.h"
#include "dialogs/dialog_layer.h"
#include "gamelink/player_state.h"
#include "imagectrl/image_control.h"
#include "imagectrl/image_control_internal.h"  // where the markers are
#include "tools/testkit/dialog_checks.h"
#include "tools/testkit/ui_script.h"

namespace {

constexpr char kHeader[] = "\"X-axis\",\"Y-axis\",\"Level\",\"Comments\"\r\n";
const std::string kExample = std::string(kHeader) + "12,34,5,\"Lever on wall\r\nopens gate\"\r\n";
constexpr wchar_t kFile[] = L"annotate.csv";
constexpr wchar_t kTemporary[] = L"annotate.csv.tmp";

std::string FileBytes() {
    std::ifstream file("annotate.csv", std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::string& bytes) {
    std::ofstream("annotate.csv", std::ios::binary | std::ios::trunc) << bytes;
}

bool Exists(const wchar_t* name) {
    return GetFileAttributesW(name) != INVALID_FILE_ATTRIBUTES;
}

const SpriteObject* Marker(int row) {
    return Sprites().Find(kAnnotationTemplateSprite + row);
}

void Type(HWND dialog, int id, const std::string& text) {
    for (char c : text) {
        PostMessageW(GetDlgItem(dialog, id), WM_CHAR, static_cast<unsigned char>(c), 1);
    }
}

void Click(HWND dialog, int id) {
    PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

class Annotations : public testing::Test {
protected:
    static void SetUpTestSuite() {
        CreateDirectoryW(L"annotations_work", nullptr);
        SetCurrentDirectoryW(L"annotations_work");
        RegisterGDImageClass();
    }

    void SetUp() override {
        for (const wchar_t* name : {kFile, kTemporary}) {
            SetFileAttributesW(name, FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(name);
        }
        mapWindow = CreateWindowExW(0, L"STATIC", L"Map", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 700, nullptr,
                                    nullptr, nullptr, nullptr);
        image_ = CreateWindowExW(0, L"ZIMAGECTRL", L"", WS_CHILD | WS_VISIBLE, 20, 40, 700, 600, mapWindow,
                                 reinterpret_cast<HMENU>(kImageControl), nullptr, nullptr);
        ASSERT_TRUE(image_);
        // The annotation template sprite, as the Map window draws it.
        BitmapHandle bitmap = CreateTopDownDib(13, 13);
        ZD_DrawBitmapToCtrl(image_, 8000, 8000, bitmap.Get(), ZD_ColorARGB(255, 0), kAnnotationTemplateSprite, 1);
        ASSERT_TRUE(Marker(0));
        playerState = {};
        clickX = clickY = 0;
        annotationTable = {};
    }

    void TearDown() override {
        DestroyWindow(mapWindow);  // and the image control with its sprites
    }

    // A fresh map and work folder, for a test that tries several cases.
    void Restart() {
        TearDown();
        SetUp();
    }

    void Load(const std::string& bytes) {
        WriteFileBytes(bytes);
        LoadAnnotations();
    }

    // Opens the dialog on a cell of a level, as a right-click on the map does, and runs the steps
    // one after another (tools/testkit/ui_script.h): the input a step posts is handled before the
    // next step runs. The last step ends the dialog.
    void RunDialog(float x, float y, int level, std::vector<std::function<void(HWND)>> script) {
        clickX = x;
        clickY = y;
        playerState.level = level;
        std::vector<DialogStep> steps;
        for (auto& step : script) {
            steps.push_back([step = std::move(step)](HWND dialog) {
                if (dialog) {
                    step(dialog);
                }
                return dialog != nullptr;
            });
        }
        RunWithDialogSteps([this] { ShowAnnotationDialog(image_); }, L"Annotation", std::move(steps),
                           [](HWND dialog) { SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
    }

    HWND image_ = nullptr;
};

}  // namespace

TEST_F(Annotations, LoadsTheFileAndClonesAParkedMarkerPerRowRead) {
    Load(kExample);
    EXPECT_EQ(annotationTable.Count(), 3);
    EXPECT_EQ(annotationTable.RowLimit(), 1003);
    EXPECT_EQ(annotationTable.Row(1).comments, "Lever on wall\r\nopens gate");
    for (int row : {1, 2}) {  // row 2 is empty, but a line of the file stands for it
        ASSERT_TRUE(Marker(row)) << row;
        EXPECT_EQ(Marker(row)->x, 8000);
        EXPECT_EQ(Marker(row)->y, 8000);
    }
    EXPECT_FALSE(Marker(3));
}

TEST_F(Annotations, LoadsNoNotesFromAMissingOrLockedFile) {
    for (bool locked : {false, true}) {
        Restart();  // forgets the markers of the last load
        FileHandle holder;
        if (locked) {
            WriteFileBytes(kExample);
            holder.Reset(CreateFileW(kFile, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
            ASSERT_TRUE(holder);
        }
        LoadAnnotations();
        EXPECT_EQ(annotationTable.Count(), 0) << locked;
        EXPECT_EQ(annotationTable.RowLimit(), 1000) << locked;
        EXPECT_FALSE(Marker(1)) << locked;
    }
}

TEST_F(Annotations, SaveReplacesTheWholeFile) {
    LoadAnnotations();  // no file yet
    annotationTable.AddNote({" 12", " 34", " 5", "Lever on wall\r\nopens gate"});
    SaveAnnotations();
    EXPECT_EQ(FileBytes(), kExample);

    Load(kExample + "1,2,3,\"a long note that the next save drops\"\r\n");
    annotationTable.Row(2) = {};  // rows are numbered by record, not by line
    SaveAnnotations();
    EXPECT_EQ(FileBytes(), kExample);  // the file ends right after the last note
    EXPECT_FALSE(Exists(kTemporary));
}

TEST_F(Annotations, AFailedSaveLeavesTheFileAsItWas) {
    enum Obstacle { kReadOnly, kHeldOpen, kTemporaryBlocked };
    for (Obstacle obstacle : {kReadOnly, kHeldOpen, kTemporaryBlocked}) {
        Restart();
        Load(kExample);
        FileHandle holder;
        switch (obstacle) {
            case kReadOnly:
                SetFileAttributesW(kFile, FILE_ATTRIBUTE_READONLY);
                // Wine keeps the read-only attribute as Unix permissions, which do not bind root.
                if (FileHandle(CreateFileW(kFile, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr))) {
                    std::cout << "read-only files can be written here: that case is not tried\n";
                    continue;
                }
                break;
            case kHeldOpen:
                holder.Reset(CreateFileW(kFile, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
                ASSERT_TRUE(holder);
                break;
            case kTemporaryBlocked:
                ASSERT_TRUE(CreateDirectoryW(kTemporary, nullptr));
                break;
        }
        annotationTable.AddNote({" 1", " 2", " 3", "new"});
        SaveAnnotations();
        holder.Reset();
        EXPECT_EQ(FileBytes(), kExample) << obstacle;
        if (obstacle == kTemporaryBlocked) {
            RemoveDirectoryW(kTemporary);
        }
        EXPECT_FALSE(Exists(kTemporary)) << obstacle;

        // The table kept the note; the next save that succeeds writes it.
        SetFileAttributesW(kFile, FILE_ATTRIBUTE_NORMAL);
        SaveAnnotations();
        EXPECT_EQ(FileBytes(), kExample + "1,2,3,\"new\"\r\n") << obstacle;
    }
}

TEST_F(Annotations, PlacesTheMarkersOfTheCurrentLevelOnly) {
    Load(std::string(kHeader) +
         "12,34,5,\"\"\r\n"
         "2.5,3.5,5,\"rounds to cell 2, 4\"\r\n"
         "1,1,6,\"\"\r\n"
         "0,0,0,\"deleted below\"\r\n");
    annotationTable.Row(4) = {};
    const struct {
        int level;
        std::vector<bool> visible;  // rows 1 to 4
    } cases[] = {{5, {true, true, false, false}}, {6, {false, false, true, false}}, {0, {false, false, false, false}}};
    for (const auto& c : cases) {
        playerState.level = c.level;
        PlaceMarkers();
        for (int row = 1; row <= 4; ++row) {
            EXPECT_EQ(Marker(row)->visible, c.visible[row - 1]) << c.level << " row " << row;
        }
    }
    // A hidden marker keeps the place it was last given.
    EXPECT_EQ(Marker(1)->x, 156);
    EXPECT_EQ(Marker(1)->y, 155);
    EXPECT_EQ(Marker(2)->x, 16);
    EXPECT_EQ(Marker(2)->y, 575);
    EXPECT_EQ(Marker(3)->x, 2);
    EXPECT_EQ(Marker(3)->y, 617);
}

TEST_F(Annotations, BuildsTheDialogOverTheMap) {
    RunDialog(12, 34, 5, {[this](HWND dialog) {
                  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE)) & ~WS_CLIPSIBLINGS,
                            0x80C000D4u | WS_VISIBLE);
                  ExpectDialogPlacement(dialog, image_, {129, 158, 150, 155});
                  const ExpectedControl controls[] = {
                      {2000, L"Edit", "", {5, 30, 140, 100}, 0x50211084, 0x200},
                      {2001, L"Button", "&Save", {5, 135, 40, 15}, 0x50010000, 0},
                      {2002, L"Button", "&Delete", {55, 135, 40, 15}, 0x50010000, 0},
                      {2003, L"Button", "&Cancel", {105, 135, 40, 15}, 0x50010000, 0},
                      {2004, L"Static", "Horizontal", {5, 5, 35, 10}, 0x50000000, 0},
                      {2005, L"Edit", " 12", {5, 15, 35, 13}, 0x58010080, 0x200},
                      {2006, L"Static", "Vertical", {55, 5, 35, 10}, 0x50000000, 0},
                      {2007, L"Edit", " 34", {55, 15, 35, 13}, 0x58010080, 0x200},
                      {2008, L"Static", "Level", {105, 5, 35, 10}, 0x50000000, 0},
                      {2009, L"Edit", " 5", {105, 15, 35, 13}, 0x58010080, 0x200},
                  };
                  HWND control = GetWindow(dialog, GW_CHILD);  // children in creation order
                  for (const ExpectedControl& c : controls) {
                      ExpectControl(dialog, control, c);
                      if (!control) {
                          break;
                      }
                      control = GetWindow(control, GW_HWNDNEXT);
                  }
                  EXPECT_FALSE(control);
                  EndDialogWindow(dialog, 0);
              }});
}

TEST_F(Annotations, CancelAndEscChangeNothing) {
    Load(kExample);
    enum Way { kEscInCommentBox, kEscOnButton, kCancelClick };
    for (Way way : {kEscInCommentBox, kEscOnButton, kCancelClick}) {
        RunDialog(12, 34, 5, {[way](HWND dialog) {
                      Type(dialog, kCommentBox, "changed");
                      switch (way) {
                          case kEscInCommentBox:
                              PostMessageW(GetDlgItem(dialog, kCommentBox), WM_KEYDOWN, VK_ESCAPE, 1);
                              break;
                          case kEscOnButton:
                              PostMessageW(GetDlgItem(dialog, kSaveButton), WM_KEYDOWN, VK_ESCAPE, 1);
                              break;
                          case kCancelClick:
                              Click(dialog, kCancelButton);
                              break;
                      }
                  }});
        EXPECT_FALSE(HasFailure()) << way;
        EXPECT_EQ(annotationTable.Count(), 3) << way;
        EXPECT_EQ(annotationTable.Row(1).comments, "Lever on wall\r\nopens gate") << way;
        EXPECT_EQ(FileBytes(), kExample) << way;
    }
}

TEST_F(Annotations, SaveChangesTheLastNoteOfTheCellInItsRow) {
    Load(std::string(kHeader) +
         "12,34,5,\"first\"\r\n"
         "12,34,5,\"Lever on wall\r\nopens gate\"\r\n"
         "12,34,6,\"other level\"\r\n");
    RunDialog(12, 34, 5,
              {[](HWND dialog) {
                   EXPECT_EQ(GetControlText(dialog, kCommentBox), "Lever on wall\r\nopens gate");
                   SetControlText(dialog, kCommentBox, "");
                   Type(dialog, kCommentBox, "Lever\ropens \"the\" gate");  // Enter is a new line
               },
               [](HWND dialog) { Click(dialog, kSaveButton); }});
    EXPECT_EQ(annotationTable.Count(), 5);  // the note's two lines count
    const AnnotationRow& row = annotationTable.Row(2);
    EXPECT_EQ(row.x, " 12");
    EXPECT_EQ(row.y, " 34");
    EXPECT_EQ(row.level, " 5");
    EXPECT_EQ(row.comments, "Lever\r\nopens \"the\" gate");
    EXPECT_EQ(Marker(2)->x, 8000);  // its marker is not touched
    EXPECT_FALSE(Marker(6));
    EXPECT_EQ(FileBytes(), std::string(kHeader) +
                               "12,34,5,\"first\"\r\n"
                               "12,34,5,\"Lever\r\nopens \"\"the\"\" gate\"\r\n"
                               "12,34,6,\"other level\"\r\n");
}

TEST_F(Annotations, SaveOnACellWithoutANoteAddsOneWithItsMarker) {
    Load(kExample);
    RunDialog(12, 34, 5, {[](HWND dialog) { Click(dialog, kCancelButton); }});  // the note found stays as it is
    RunDialog(-1, 7, 5,
              {[](HWND dialog) {
                   EXPECT_EQ(GetControlText(dialog, kCellXReadout), "-1");
                   EXPECT_EQ(GetControlText(dialog, kCommentBox), "");
                   Type(dialog, kCommentBox, "Trap");
               },
               [](HWND dialog) { Click(dialog, kSaveButton); }});
    EXPECT_EQ(annotationTable.Count(), 4);
    EXPECT_EQ(annotationTable.Row(4).x, "-1");
    EXPECT_EQ(annotationTable.Row(4).y, " 7");
    EXPECT_EQ(annotationTable.Row(4).comments, "Trap");
    ASSERT_TRUE(Marker(4));
    EXPECT_TRUE(Marker(4)->visible);
    EXPECT_EQ(Marker(4)->x, -26);
    EXPECT_EQ(Marker(4)->y, 533);
    EXPECT_EQ(Marker(1)->x, 156);  // all markers were placed
    EXPECT_FALSE(Marker(2)->visible);

    // In the town, on cell 0, 0, with an empty comment: still a new note, not the empty row 2.
    RunDialog(0, 0, 0, {[](HWND dialog) {
                  EXPECT_EQ(GetControlText(dialog, kCellLevelReadout), " 0");
                  Click(dialog, kSaveButton);
              }});
    EXPECT_EQ(annotationTable.Count(), 5);
    EXPECT_TRUE(Marker(5)->visible);
    EXPECT_EQ(FileBytes(), kExample + "-1,7,5,\"Trap\"\r\n0,0,0,\"\"\r\n");
}

TEST_F(Annotations, DeleteEmptiesTheRowAndRewritesTheFileEvenWithoutANote) {
    // A hand-edited file: LF line ends and numbers in other forms.
    Load(std::string(kHeader) + "007,34,5,\"first\"\n2,3,5.0,\"second\"\n");
    RunDialog(9, 9, 5, {[](HWND dialog) { Click(dialog, kDeleteButton); }});
    EXPECT_EQ(FileBytes(), std::string(kHeader) + "7,34,5,\"first\"\r\n2,3,5,\"second\"\r\n");
    EXPECT_TRUE(Marker(1)->visible);  // the markers were placed

    RunDialog(7, 34, 5, {[](HWND dialog) {
                  EXPECT_EQ(GetControlText(dialog, kCommentBox), "first");
                  Click(dialog, kDeleteButton);
              }});
    EXPECT_FALSE(annotationTable.Row(1).InUse());
    EXPECT_FALSE(Marker(1)->visible);
    EXPECT_EQ(FileBytes(), std::string(kHeader) + "2,3,5,\"second\"\r\n");
}
