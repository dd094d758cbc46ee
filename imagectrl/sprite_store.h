// Sprite objects: bitmaps drawn over the picture, known by process-wide ids. Each belongs to one
// control (its owner). Clones share their bitmap and the bitmap's prepared looks, so a few
// thousand markers cost one small bitmap and one prepared copy per zoom.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "imagectrl/compositor.h"

// A sprite bitmap with straight alpha, and the looks it was last drawn with.
class SpriteBitmap {
public:
    SpriteBitmap(int width, int height, std::vector<uint32_t> pixels);
    int Width() const { return width_; }
    int Height() const { return height_; }
    // The bitmap prepared for `look`, made on first use; a few recent looks are kept.
    const PreparedSprite& Prepared(const SpriteLook& look);

private:
    int width_, height_;
    std::vector<uint32_t> pixels_;
    std::vector<PreparedSprite> looks_;
};

// An angle in degrees as clockwise quarter turns 0..3, to the nearest quarter turn.
int QuarterTurns(long degrees);

// The position that hides a sprite: it is never drawn there.
constexpr int kParkedPosition = 8000;

struct SpriteObject {
    uintptr_t owner = 0;
    std::shared_ptr<SpriteBitmap> bitmap;
    int x = kParkedPosition;
    int y = kParkedPosition;
    bool visible = true;
    int zorder = 0;         // higher is drawn later, above
    uint64_t sequence = 0;  // creation order, for equal z-orders
    int quarterTurns = 0;
    bool useAlpha = false;
    uint8_t opacity = 255;
    bool scrolls = false;  // at picture pixels, moving and scaling with the picture; else at client pixels
    bool smooth = false;

    bool operator==(const SpriteObject&) const = default;
};

class SpriteStore {
public:
    // nullptr when no object has this id.
    SpriteObject* Find(long id);
    // Makes object `id` on `owner`, replacing any object of that id.
    SpriteObject& Create(long id, uintptr_t owner, std::shared_ptr<SpriteBitmap> bitmap);
    // A copy of `sourceId` as `id` at (x, y), above the objects before it; nullptr when the source
    // does not exist.
    SpriteObject* Clone(long sourceId, long id, int x, int y);
    void SetZorder(SpriteObject& object, int zorder);
    // Forgets every object of a control that is going away.
    void RemoveOwner(uintptr_t owner);
    // The owner's objects in drawing order.
    const std::vector<SpriteObject*>& DrawOrder(uintptr_t owner);

private:
    struct OwnerList {
        std::vector<SpriteObject*> order;
        bool sorted = true;
    };
    // Makes `object` the object `id`, replacing any object of that id, and the latest made: it is
    // drawn above the others of its z-order.
    SpriteObject& Insert(long id, SpriteObject object);
    void Remove(long id);

    std::unordered_map<long, SpriteObject> objects_;  // element addresses survive rehashing
    std::unordered_map<uintptr_t, OwnerList> owners_;
    uint64_t nextSequence_ = 0;
};

// Blends the owner's visible objects over a target that shows the picture at `view`, in z-order.
// Objects at the parked position, outside the target, or larger than kMaxSpriteSide when drawn
// are skipped.
constexpr int kMaxSpriteSide = 4096;
void DrawSprites(SpriteStore& store, uintptr_t owner, const ViewGeometry& view, const PixelBuffer& target);
