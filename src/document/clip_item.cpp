#include "document/clip_item.h"

namespace plantrek {

std::unique_ptr<CClipItem> CClipItem::OfWall(const Wall& wall) {
    std::unique_ptr<CClipItem> item(new CClipItem(ClipKind::Wall));
    item->wall_ = std::make_unique<Wall>(wall);
    return item;
}

std::unique_ptr<CClipItem> CClipItem::OfRoom(const Room& room) {
    std::unique_ptr<CClipItem> item(new CClipItem(ClipKind::Room));
    item->room_ = std::make_unique<Room>(room);
    return item;
}

}  // namespace plantrek
