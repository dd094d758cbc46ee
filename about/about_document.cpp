#include "about/about_document.h"

#include <cstdlib>

#include "about/web_addresses.h"

namespace {

constexpr uint8_t kLightGrey = 0xE0;
constexpr uint8_t kDarkGrey = 0x70;

// Metafile record functions.
constexpr uint16_t kSetWindowOrg = 0x020B;
constexpr uint16_t kSetWindowExt = 0x020C;
constexpr uint16_t kStretchDib = 0x0F43;
constexpr uint16_t kEndOfFile = 0x0000;
constexpr uint32_t kSourceCopy = 0x00CC0020;

constexpr uint32_t kHeaderWords = 9;
constexpr uint32_t kBitmapInfoSize = 40;

// Little-endian writers: the metafile's byte order on every platform.
void Put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// DIB rows are DWORD-aligned.
uint32_t RowBytes() {
    return (kSeparatorWidth * 3 + 3) / 4 * 4;
}

std::vector<uint8_t> SeparatorDib() {
    std::vector<uint8_t> dib;
    Put32(dib, kBitmapInfoSize);
    Put32(dib, kSeparatorWidth);
    Put32(dib, kSeparatorHeight);
    Put16(dib, 1);   // planes
    Put16(dib, 24);  // bits per pixel
    Put32(dib, 0);   // BI_RGB
    Put32(dib, RowBytes() * kSeparatorHeight);
    Put32(dib, 0);  // pixels per metre: none given
    Put32(dib, 0);
    Put32(dib, 0);  // colours used and important: none, 24-bit
    Put32(dib, 0);
    for (int y = 0; y < kSeparatorHeight; ++y) {
        for (int x = 0; x < kSeparatorWidth; ++x) {
            uint8_t grey = SeparatorGrey(x);
            dib.insert(dib.end(), {grey, grey, grey});
        }
        dib.resize(dib.size() + RowBytes() - kSeparatorWidth * 3);
    }
    return dib;
}

// Twips to the 0.01 mm units that \picw and \pich take for a metafile.
int HiMetricFromTwips(int twips) {
    return (twips * 2540 + 720) / 1440;
}

std::string HexLines(const std::vector<uint8_t>& bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (size_t i = 0; i < bytes.size(); ++i) {
        hex += kDigits[bytes[i] >> 4];
        hex += kDigits[bytes[i] & 15];
        if (i % 64 == 63 || i + 1 == bytes.size()) {
            hex += '\n';
        }
    }
    return hex;
}

std::string SeparatorPicture() {
    return "\\pard\\qc\\sb120\\sa120{\\pict\\wmetafile8\\picw" +
           std::to_string(HiMetricFromTwips(kSeparatorWidthTwips)) + "\\pich" +
           std::to_string(HiMetricFromTwips(kSeparatorHeightTwips)) + "\\picwgoal" +
           std::to_string(kSeparatorWidthTwips) + "\\pichgoal" + std::to_string(kSeparatorHeightTwips) + "\n" +
           HexLines(BuildSeparatorMetafile()) + "}\\par\n";
}

// Paragraph styles: font 0 is the serif face, font 1 the sans-serif one; colour 1 is red, 2 blue,
// 3 teal. Sizes are in half points. Every paragraph keeps clear of the viewer's edges: some rich edits
// lay the text out under the scroll bar.
std::string Heading(const std::string& text) {
    return "\\pard\\li100\\ri300\\sb240\\sa80\\plain\\f1\\fs28\\b\\cf1 " + text + "\\par\n";
}
std::string SubHeading(const std::string& text) {
    return "\\pard\\li100\\ri300\\sb160\\sa80\\plain\\f1\\fs24\\b " + text + "\\par\n";
}
std::string Body(const std::string& text) {
    return "\\pard\\li100\\ri300\\sa120\\plain\\f0\\fs24 " + text + "\\par\n";
}
std::string Indented(const std::string& text) {
    return "\\pard\\li580\\ri300\\sa80\\plain\\f0\\fs24 " + text + "\\par\n";
}
std::string Bullet(const std::string& text, int colour) {
    return "\\pard\\fi-280\\li660\\ri300\\tx660\\sa60\\plain\\f0\\fs24{\\cf" + std::to_string(colour) + "\\'95}\\tab " +
           text + "\\par\n";
}

std::string Header() {
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033\n"
           "{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}{\\f1\\fswiss\\fcharset0 Arial;}}\n"
           "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;\\red0\\green128\\blue128;}\n"
           "\\viewkind4\\uc1\n";
}

std::string Title() {
    return std::string(
               "\\pard\\qc\\ri300\\sb60\\plain\\f1\\fs32\\b KOR, the Vorkal Map Viewer, v12.24.16\\line "
               "released 11 December 2026\\par\n"
               "\\pard\\qc\\ri300\\sa60\\plain\\f1\\fs24\\b by the KOR developers, ") +
           kMakerEmail + "\\par\n";
}

std::string Trademarks() {
    return Heading("Trademarks") +
           // Readers that drop fields (Wine's) still get a whole sentence: the comma goes with the link.
           Body(
               "Vorkal and the names of its world are trademarks of their owners. KOR is a program of its own: "
               "the owners of the game have not made, checked or endorsed it. Everything about the game itself "
               "is on its own web site{\\field{\\*\\fldinst{HYPERLINK \"http://" +
               std::string(kGameHost) + "/\"}}{\\fldrslt{, }{\\ul\\cf2 " + kGameHost + "}}}.");
}

std::string Introduction() {
    return Heading("Introduction") +
           Body(
               "KOR shows the map of the dungeon level your party stands on and marks the party's cell with a "
               "green arrow that points the way the party faces. As the party walks, the arrow follows it; "
               "when it takes the stairs, the map of the new level takes the old one's place. Put KOR on a "
               "second monitor and keep a large map in view while you play.") +
           Body(
               "You can also pin notes to the cells of the map: where the lever is, which door is locked, "
               "what the riddle said.");
}

std::string HowItWorks() {
    return Heading("How KOR works") +
           Body(
               "{\\b Map pictures.} KOR looks for its maps in the folder {\\b Levels} below the folder it is "
               "started from: {\\b town.jpg} for the town and {\\b Level01.png}, {\\b Level02.png} and so on "
               "for the dungeon levels. The folder {\\b Levels - YEL} holds a second set of maps, shown while "
               "{\\b YEL Version} is ticked. Without Levels\\\\town.jpg KOR does not start.") +
           Body(
               "{\\b Reading the game.} Four times a second KOR looks for the running game, vorkal.exe, and "
               "reads the party's level, position and facing from the game's memory. It only reads: nothing "
               "in the game is changed. The boxes {\\b Horizontal}, {\\b Vertical} and {\\b Level} show what "
               "it read; while the game is not running they show 0, 0 and Town. Start the game before or "
               "after KOR, as you like.") +
           Body(
               "{\\b Notes.} Right-click a cell of the map to write a note on it. {\\b Save} keeps the note, "
               "{\\b Delete} removes it and {\\b Cancel} leaves it as it was. Each note shows as a small "
               "marker on the map of its level. The notes are kept in the file annotate.csv in the folder "
               "KOR is started from, which is written again after every change. A note may run over several "
               "lines. A sample annotate.csv with two notes:") +
           "\\pard\\li580\\ri300\\sa120\\plain\\f1\\fs20 \"X-axis\",\"Y-axis\",\"Level\",\"Comments\"\\line\n"
           "12,34,5,\"Lever on wall\\line\n"
           "opens gate\"\\line\n"
           "20,41,2,\"Locked door: the key is on level 3\"\\par\n" +
           SubHeading("Buttons and keys") +
           Indented("{\\b About} (Alt+A) shows this page; {\\b Close} or Esc closes it.") +
           Indented("{\\b Exit} (Alt+X), Esc or the close box end KOR. The notes are already saved.") +
           Indented("{\\b YEL Version} switches between the two sets of maps at once.") +
           Indented(
               "The {\\b zoom slider} at the left edge zooms the map from its own size up to 5 times: down "
               "to zoom in, up to zoom out. Page Up and Page Down move it a step at a time. In the town "
               "the slider is switched off.") +
           Indented("The window can be made larger, and the map grows with it.");
}

std::string WishList() {
    return Heading("Wish list") + Body("Ideas for later releases. Tell us which you would like first.") +
           Bullet("Remember the window's size, place and zoom from one run to the next.", 3) +
           Bullet("Show a note's text when the mouse rests on its marker.", 3) +
           Bullet("A key that scrolls the map to the party.", 3) +
           Bullet("A search through the notes of all levels.", 3);
}

std::string History() {
    return Heading("Release history") + SubHeading("v12.24.16, 11 December 2026") +
           Bullet("First release: the map follows the party through the town and the dungeon levels.", 0) +
           Bullet("Notes on map cells, kept in annotate.csv.", 0) +
           Bullet("Zoom up to 5 times, kept when the party changes levels.", 0) +
           Bullet("The second set of maps in Levels - YEL.", 0) + Bullet("This help page.", 0);
}

// The document is written with LF line ends for readability here; the file has CR LF.
std::string WithCrLf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') {
            out += '\r';
        }
        out += c;
    }
    return out;
}

}  // namespace

uint8_t SeparatorGrey(int x) {
    // |2x - (w - 1)| runs from w - 1 at both ends down to 0 or 1 in the middle.
    int last = kSeparatorWidth - 1;
    int distance = std::abs(2 * x - last);
    return static_cast<uint8_t>(kDarkGrey + ((kLightGrey - kDarkGrey) * distance + last / 2) / last);
}

std::vector<uint8_t> BuildSeparatorMetafile() {
    std::vector<uint8_t> dib = SeparatorDib();
    const uint32_t stretchWords = (6 + 4 + 2 + 8 * 2 + static_cast<uint32_t>(dib.size())) / 2;
    const uint32_t totalWords = kHeaderWords + 5 + 5 + stretchWords + 3;

    std::vector<uint8_t> out;
    Put16(out, 1);  // in memory
    Put16(out, kHeaderWords);
    Put16(out, 0x0300);  // version
    Put32(out, totalWords);
    Put16(out, 0);             // no objects
    Put32(out, stretchWords);  // the largest record
    Put16(out, 0);

    Put32(out, 5);
    Put16(out, kSetWindowOrg);
    Put16(out, 0);  // y, then x
    Put16(out, 0);

    Put32(out, 5);
    Put16(out, kSetWindowExt);
    Put16(out, kSeparatorHeight);
    Put16(out, kSeparatorWidth);

    Put32(out, stretchWords);
    Put16(out, kStretchDib);
    Put32(out, kSourceCopy);
    Put16(out, 0);  // DIB_RGB_COLORS
    for (int value : {kSeparatorHeight, kSeparatorWidth, 0, 0, kSeparatorHeight, kSeparatorWidth, 0, 0}) {
        Put16(out, value);  // source height, width, y, x; destination height, width, y, x
    }
    out.insert(out.end(), dib.begin(), dib.end());

    Put32(out, 3);
    Put16(out, kEndOfFile);
    return out;
}

std::string BuildAboutDocument() {
    std::string document = WithCrLf(Header() + Title() + SeparatorPicture() + Trademarks() + Introduction() +
                                    HowItWorks() + WishList() + History() + "}\n");
    document += '\0';
    return document;
}
