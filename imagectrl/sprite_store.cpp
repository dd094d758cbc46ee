#include "imagectrl/sprite_store.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr size_t kKeptLooks = 8;  // enough for every object of one bitmap at one zoom, and then some

}  // namespace

int QuarterTurns(long degrees) {
    long turns = std::lround(degrees / 90.0) % 4;
    return static_cast<int>(turns < 0 ? turns + 4 : turns);
}

SpriteBitmap::SpriteBitmap(int width, int height, std::vector<uint32_t> pixels)
    : width_(width), height_(height), pixels_(std::move(pixels)) {}

const PreparedSprite& SpriteBitmap::Prepared(const SpriteLook& look) {
    for (const PreparedSprite& prepared : looks_) {
        if (prepared.look == look) {
            return prepared;
        }
    }
    if (looks_.size() == kKeptLooks) {
        looks_.erase(looks_.begin());
    }
    looks_.push_back(PrepareSprite({pixels_.data(), width_, height_, width_}, look));
    return looks_.back();
}

SpriteObject* SpriteStore::Find(long id) {
    auto found = objects_.find(id);
    return found == objects_.end() ? nullptr : &found->second;
}

void SpriteStore::Remove(long id) {
    auto found = objects_.find(id);
    if (found == objects_.end()) {
        return;
    }
    std::vector<SpriteObject*>& order = owners_[found->second.owner].order;
    order.erase(std::find(order.begin(), order.end(), &found->second));
    objects_.erase(found);
}

SpriteObject& SpriteStore::Insert(long id, SpriteObject object) {
    Remove(id);
    object.sequence = nextSequence_++;
    SpriteObject& inserted = objects_.emplace(id, std::move(object)).first->second;
    OwnerList& list = owners_[inserted.owner];
    // The newest object belongs last unless an earlier one lies above it. A list out of order stays
    // so until DrawOrder sorts it.
    if (!list.order.empty() && list.order.back()->zorder > inserted.zorder) {
        list.sorted = false;
    }
    list.order.push_back(&inserted);
    return inserted;
}

SpriteObject& SpriteStore::Create(long id, uintptr_t owner, std::shared_ptr<SpriteBitmap> bitmap) {
    SpriteObject object;
    object.owner = owner;
    object.bitmap = std::move(bitmap);
    return Insert(id, std::move(object));
}

SpriteObject* SpriteStore::Clone(long sourceId, long id, int x, int y) {
    SpriteObject* source = Find(sourceId);
    if (!source || sourceId == id) {
        return nullptr;
    }
    SpriteObject copy = *source;
    copy.x = x;
    copy.y = y;
    return &Insert(id, std::move(copy));
}

void SpriteStore::SetZorder(SpriteObject& object, int zorder) {
    if (object.zorder != zorder) {
        object.zorder = zorder;
        owners_[object.owner].sorted = false;
    }
}

void SpriteStore::RemoveOwner(uintptr_t owner) {
    auto list = owners_.find(owner);
    if (list == owners_.end()) {
        return;
    }
    std::erase_if(objects_, [owner](const auto& entry) { return entry.second.owner == owner; });
    owners_.erase(list);
}

const std::vector<SpriteObject*>& SpriteStore::DrawOrder(uintptr_t owner) {
    OwnerList& list = owners_[owner];
    if (!list.sorted) {
        std::sort(list.order.begin(), list.order.end(), [](const SpriteObject* a, const SpriteObject* b) {
            return a->zorder != b->zorder ? a->zorder < b->zorder : a->sequence < b->sequence;
        });
        list.sorted = true;
    }
    return list.order;
}

void DrawSprites(SpriteStore& store, uintptr_t owner, const ViewGeometry& view, const PixelBuffer& target) {
    for (SpriteObject* object : store.DrawOrder(owner)) {
        if (!object->visible || (object->x == kParkedPosition && object->y == kParkedPosition)) {
            continue;
        }
        const SpriteBitmap& bitmap = *object->bitmap;
        bool sideways = object->quarterTurns % 2 != 0;
        int width = sideways ? bitmap.Height() : bitmap.Width();
        int height = sideways ? bitmap.Width() : bitmap.Height();
        // Turned about its centre.
        double x = object->x + (bitmap.Width() - width) / 2.0, y = object->y + (bitmap.Height() - height) / 2.0;
        double left = x, top = y, right = x + width, bottom = y + height;
        if (object->scrolls) {
            // The client pixels that show picture pixels x .. x + width - 1 (see SourceIndex).
            auto place = [&](double p, const ViewAxis& axis) {
                return std::ceil(p * view.zoom - 0.5) - axis.scroll + axis.offset;
            };
            left = place(x, view.x), right = place(x + width, view.x);
            top = place(y, view.y), bottom = place(y + height, view.y);
        }
        if (right <= 0 || bottom <= 0 || left >= target.width || top >= target.height ||
            right - left > kMaxSpriteSide || bottom - top > kMaxSpriteSide) {
            continue;
        }
        SpriteLook look{object->quarterTurns,
                        std::max(1, static_cast<int>(right - left)),
                        std::max(1, static_cast<int>(bottom - top)),
                        object->useAlpha,
                        object->opacity,
                        object->smooth};
        BlendSprite(object->bitmap->Prepared(look), target, static_cast<int>(left), static_cast<int>(top));
    }
}
