// Where the picture lands in the control's client area: its zoomed size, the centring margin of a
// picture smaller than the client, the scroll range, and which picture pixel each client pixel
// shows. Plain arithmetic, shared by painting, the scroll bars and the tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Nearest integer, a half to the even neighbour.
int RoundHalfEven(double value);

// One direction of the view.
struct ViewAxis {
    int picture = 0;    // picture size, unzoomed pixels
    int client = 0;     // client size
    int zoomed = 0;     // picture size at the zoom
    int offset = 0;     // margin before a picture smaller than the client: (client - zoomed) / 2
    int maxScroll = 0;  // largest scroll position
    int scroll = 0;     // scroll position in zoomed pixels, within 0..maxScroll

    // Client pixels that show the picture: [DestStart, DestEnd).
    int DestStart() const { return offset; }
    int DestEnd() const;
};

ViewAxis LayoutAxis(int picture, double zoom, int client, int requestedScroll);

struct ViewGeometry {
    double zoom = 1.0;
    ViewAxis x, y;
};

ViewGeometry LayoutView(int pictureWidth,
                        int pictureHeight,
                        double zoom,
                        int clientWidth,
                        int clientHeight,
                        int requestedScrollX,
                        int requestedScrollY);

// Zooms outside kMinZoom..kMaxZoom are brought to the nearest end; a zoom that is not a positive
// number is refused (0 returned), so the view keeps the zoom it has.
constexpr double kMinZoom = 1.0 / 64;
constexpr double kMaxZoom = 64.0;
double AcceptableZoom(double zoom);

// The scroll position that keeps the picture point under the client's centre in place when the
// zoom changes from oldZoom to newZoom (clamped into the new range). The zooms are taken as
// AcceptableZoom takes them; with one refused the position is 0.
int SteadyScroll(int scroll, int picture, int client, double oldZoom, double newZoom);

// The largest zoom at which the whole picture fits into the client; 1 without a picture or client.
float FitZoom(int pictureWidth, int pictureHeight, int clientWidth, int clientHeight);

// The picture pixel that client pixel `dest` shows with nearest-neighbour sampling (the axis must
// have DestStart() <= dest < DestEnd()).
int SourceIndex(const ViewAxis& axis, double zoom, int dest);

// Picture pixels [first, last] that the client shows on this axis; first > last when none.
struct SourceRange {
    int first = 0;
    int last = -1;
};
SourceRange VisibleSource(const ViewAxis& axis, double zoom);

// Sampling tables for one axis, one entry per client pixel from DestStart() to DestEnd().
std::vector<int> NearestTable(const ViewAxis& axis, double zoom);
struct BilinearTap {
    int index;        // first picture pixel
    int next;         // second picture pixel (the same at the picture's edge)
    uint32_t weight;  // of the second, 0..256
};
std::vector<BilinearTap> BilinearTable(const ViewAxis& axis, double zoom);

// A picture is decoded only when each side is 1..kMaxPictureSide and the whole is at most
// kMaxPicturePixels; larger claims (a damaged or hostile header) are refused before any memory is
// taken.
constexpr int kMaxPictureSide = 16384;
constexpr int64_t kMaxPicturePixels = 48ll * 1024 * 1024;
bool PictureSizeAcceptable(int64_t width, int64_t height);

// The window text or path: a trailing "<fit>" asks for the picture to be fitted into the control.
// Removes the suffix and tells whether it was there.
bool StripFitSuffix(std::wstring& path);
