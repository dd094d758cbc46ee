#include "imagectrl/view_geometry.h"

#include <algorithm>
#include <cmath>

int RoundHalfEven(double value) {
    return static_cast<int>(std::nearbyint(value));  // the default rounding mode is to nearest, ties to even
}

int ViewAxis::DestEnd() const {
    return std::min(client, offset + zoomed - scroll);
}

ViewAxis LayoutAxis(int picture, double zoom, int client, int requestedScroll) {
    ViewAxis axis;
    axis.picture = std::max(picture, 0);
    axis.client = std::max(client, 0);
    axis.zoomed = zoom > 0 ? RoundHalfEven(zoom * axis.picture) : 0;
    axis.offset = axis.client > axis.zoomed ? (axis.client - axis.zoomed) / 2 : 0;
    axis.maxScroll = std::max(axis.zoomed - axis.client, 0);
    axis.scroll = std::clamp(requestedScroll, 0, axis.maxScroll);
    return axis;
}

ViewGeometry LayoutView(int pictureWidth,
                        int pictureHeight,
                        double zoom,
                        int clientWidth,
                        int clientHeight,
                        int requestedScrollX,
                        int requestedScrollY) {
    return {zoom, LayoutAxis(pictureWidth, zoom, clientWidth, requestedScrollX),
            LayoutAxis(pictureHeight, zoom, clientHeight, requestedScrollY)};
}

double AcceptableZoom(double zoom) {
    if (!(zoom > 0)) {  // also NaN
        return 0;
    }
    return std::clamp(zoom, kMinZoom, kMaxZoom);
}

int SteadyScroll(int scroll, int picture, int client, double oldZoom, double newZoom) {
    // The zooms come from the caller: take them as the control would show them, so that a NaN, an
    // infinity or a huge value never reaches the integer arithmetic.
    oldZoom = AcceptableZoom(oldZoom);
    newZoom = AcceptableZoom(newZoom);
    if (oldZoom == 0 || newZoom == 0) {
        return 0;
    }
    ViewAxis before = LayoutAxis(picture, oldZoom, client, scroll);
    ViewAxis after = LayoutAxis(picture, newZoom, client, 0);
    double centre = (before.scroll + client / 2.0 - before.offset) / oldZoom;  // picture pixels
    double wanted = centre * newZoom - client / 2.0 + after.offset;
    return std::clamp(RoundHalfEven(std::clamp(wanted, -1e9, 1e9)), 0, after.maxScroll);
}

float FitZoom(int pictureWidth, int pictureHeight, int clientWidth, int clientHeight) {
    if (pictureWidth <= 0 || pictureHeight <= 0 || clientWidth <= 0 || clientHeight <= 0) {
        return 1.0f;
    }
    auto zoom = static_cast<float>(AcceptableZoom(
        std::min(static_cast<double>(clientWidth) / pictureWidth, static_cast<double>(clientHeight) / pictureHeight)));
    // Rounding the zoomed size must not make it one pixel larger than the client.
    while (zoom > kMinZoom && (RoundHalfEven(static_cast<double>(zoom) * pictureWidth) > clientWidth ||
                               RoundHalfEven(static_cast<double>(zoom) * pictureHeight) > clientHeight)) {
        zoom = std::nextafter(zoom, 0.0f);
    }
    return zoom;
}

int SourceIndex(const ViewAxis& axis, double zoom, int dest) {
    double u = dest - axis.offset + axis.scroll + 0.5;  // centre of the client pixel, zoomed pixels
    return std::clamp(static_cast<int>(u / zoom), 0, axis.picture - 1);
}

SourceRange VisibleSource(const ViewAxis& axis, double zoom) {
    if (axis.DestEnd() <= axis.DestStart() || axis.picture <= 0) {
        return {};
    }
    return {SourceIndex(axis, zoom, axis.DestStart()), SourceIndex(axis, zoom, axis.DestEnd() - 1)};
}

std::vector<int> NearestTable(const ViewAxis& axis, double zoom) {
    std::vector<int> table;
    for (int dest = axis.DestStart(); dest < axis.DestEnd(); ++dest) {
        table.push_back(SourceIndex(axis, zoom, dest));
    }
    return table;
}

std::vector<BilinearTap> BilinearTable(const ViewAxis& axis, double zoom) {
    std::vector<BilinearTap> table;
    int last = axis.picture - 1;
    for (int dest = axis.DestStart(); dest < axis.DestEnd(); ++dest) {
        double s = (dest - axis.offset + axis.scroll + 0.5) / zoom - 0.5;
        if (s <= 0) {
            table.push_back({0, 0, 0});
        } else if (s >= last) {
            table.push_back({last, last, 0});
        } else {
            int index = static_cast<int>(s);
            auto weight = static_cast<uint32_t>(RoundHalfEven((s - index) * 256));
            table.push_back({index, index + 1, weight});
        }
    }
    return table;
}

bool PictureSizeAcceptable(int64_t width, int64_t height) {
    return width >= 1 && height >= 1 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           width * height <= kMaxPicturePixels;
}

bool StripFitSuffix(std::wstring& path) {
    constexpr std::wstring_view suffix = L"<fit>";
    if (path.size() < suffix.size() || path.compare(path.size() - suffix.size(), suffix.size(), suffix) != 0) {
        return false;
    }
    path.resize(path.size() - suffix.size());
    return true;
}
