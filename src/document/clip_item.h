#pragma once

#include <memory>

#include "model/room.h"
#include "model/wall.h"

// Cut, Copy and Paste: the main frame keeps one clip item, a copy of a wall or of a room, and
// hands it to the active document. Nothing goes through the system clipboard.
namespace plantrek {

enum class ClipKind { Wall, Room };

class CClipItem {
public:
    static std::unique_ptr<CClipItem> OfWall(const Wall& wall);
    static std::unique_ptr<CClipItem> OfRoom(const Room& room);

    ClipKind Kind() const { return kind_; }
    // The copy this item holds; null for the other kind.
    const Wall* GetWall() const { return wall_.get(); }
    const Room* GetRoom() const { return room_.get(); }

private:
    explicit CClipItem(ClipKind kind) : kind_(kind) {}

    ClipKind kind_;
    std::unique_ptr<Wall> wall_;
    std::unique_ptr<Room> room_;
};

// What a document offers to the clip commands, for the selection it holds.
class CClipSource {
public:
    virtual ~CClipSource() = default;
    // A copy of the selected wall or room; null when neither is selected.
    virtual std::unique_ptr<CClipItem> Copy() const = 0;
    virtual bool CanCopy() const = 0;
    virtual bool CanPaste(ClipKind kind) const = 0;
    virtual void Delete() = 0;
    virtual void Paste(const CClipItem& item) = 0;
};

// The one kept item: Copy keeps a copy of the selection, Cut is Copy and then Delete, Paste hands
// the kept item to a document. The main frame holds one for all its documents.
class CClipHolder {
public:
    const CClipItem* Item() const { return item_.get(); }
    // False, keeping what was kept, when the source has nothing selected to copy.
    bool Copy(const CClipSource& source);
    bool Cut(CClipSource& source);
    // False when nothing is kept or the source has no place for it.
    bool Paste(CClipSource& source) const;

private:
    std::unique_ptr<CClipItem> item_;
};

}  // namespace plantrek
