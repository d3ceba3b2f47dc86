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

bool CClipHolder::Copy(const CClipSource& source) {
    std::unique_ptr<CClipItem> item = source.CanCopy() ? source.Copy() : nullptr;
    if (item == nullptr) {
        return false;
    }
    item_ = std::move(item);
    return true;
}

bool CClipHolder::Cut(CClipSource& source) {
    if (!Copy(source)) {
        return false;
    }
    source.Delete();
    return true;
}

bool CClipHolder::Paste(CClipSource& source) const {
    if (item_ == nullptr || !source.CanPaste(item_->Kind())) {
        return false;
    }
    source.Paste(*item_);
    return true;
}

}  // namespace plantrek
