#include "model/site.h"

#include <algorithm>
#include <atomic>
#include <cassert>
#include <climits>
#include <set>
#include <unordered_map>

#include "model/closing.h"
#include "model/site_visitor.h"
#include "model/units.h"

namespace plantrek {

namespace {

bool SameNameIgnoringCase(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

// Level revisions are drawn from one counter for every site, so that no two states of any
// site's level share a number.
std::uint64_t NextRevision() {
    static std::atomic<std::uint64_t> last{0};
    return ++last;
}

}  // namespace

Site::Site()
    : levels_{Level{Level::FirstLevelName(), 0.0, 0.0}}, levelRevisions_{NextRevision()} {
    materials_.push_back(
        std::make_unique<Material>(QStringLiteral("Default"), 0, DefaultMaterialColour()));
}

Site::Site(const Site& other)
    : name_(other.name_),
      levels_(other.levels_),
      startPoint_(other.startPoint_),
      annotations_(other.annotations_),
      levelRevisions_(other.levels_.size(), NextRevision()) {
    rooms_.reserve(other.rooms_.size());
    for (const auto& room : other.rooms_) {
        rooms_.push_back(std::make_unique<Room>(*room));
    }
    materials_.reserve(other.materials_.size());
    for (const auto& material : other.materials_) {
        materials_.push_back(std::make_unique<Material>(*material));
    }
}

std::shared_ptr<const Site> Site::Snapshot() const {
    std::shared_ptr<Site> snapshot(new Site(EmptyTag{}));
    snapshot->name_ = name_;
    snapshot->levels_ = levels_;
    snapshot->startPoint_ = startPoint_;
    snapshot->annotations_ = annotations_;
    snapshot->rooms_.reserve(rooms_.size());
    // The snapshot's level index is built now, while nobody else reads it (it is never changed
    // after), from the rooms being read here anyway.
    snapshot->roomsOnLevel_.resize(levels_.size());
    for (const auto& room : rooms_) {
        bool renewed = false;
        std::shared_ptr<Room> copy = room->SharedCopy(&renewed);
        const int level = room->GetLevel();
        if (renewed) {
            BumpRevision(level);
        }
        snapshot->roomsOnLevel_[static_cast<std::size_t>(IsLevel(level) ? level : 0)].push_back(
            copy.get());
        snapshot->rooms_.push_back(std::move(copy));
    }
    snapshot->roomsOnLevelKnown_ = true;
    snapshot->levelRevisions_ = levelRevisions_;
    snapshot->materials_.reserve(materials_.size());
    for (const auto& material : materials_) {
        snapshot->materials_.push_back(std::make_unique<Material>(*material));
    }
    return snapshot;
}

void Site::RestoreSnapshot(const Site& snapshot) {
    // Rooms that still are what the snapshot shares are kept; the others are copied from it.
    // The levels whose rooms come back changed, or go, or come, are marked as changed; with
    // other levels, every level is.
    // A kept room that comes back at another place in the drawing order counts as changed.
    const bool sameLevels = levels_ == snapshot.levels_;
    std::vector<int> changedLevels;
    struct Kept {
        std::shared_ptr<Room> room;
        std::size_t place;
    };
    std::unordered_map<const Room*, Kept> unchanged;
    for (std::size_t place = 0; place < rooms_.size(); ++place) {
        auto& room = rooms_[place];
        if (const Room* copy = room->UnchangedSharedCopy()) {
            unchanged.emplace(copy, Kept{std::move(room), place});
        } else {
            changedLevels.push_back(room->GetLevel());
        }
    }
    RoomList rooms;
    rooms.reserve(snapshot.rooms_.size());
    for (const auto& copy : snapshot.rooms_) {
        const auto kept = unchanged.find(copy.get());
        if (kept != unchanged.end() && kept->second.room != nullptr) {
            if (kept->second.place != rooms.size()) {
                changedLevels.push_back(copy->GetLevel());
            }
            rooms.push_back(std::move(kept->second.room));
        } else {
            rooms.push_back(Room::FromSharedCopy(copy));
            changedLevels.push_back(copy->GetLevel());
        }
    }
    for (const auto& [copy, kept] : unchanged) {
        if (kept.room != nullptr) {
            changedLevels.push_back(kept.room->GetLevel());
        }
    }
    rooms_ = std::move(rooms);
    roomsOnLevelKnown_ = false;
    name_ = snapshot.name_;
    levels_ = snapshot.levels_;
    if (sameLevels) {
        for (const int level : changedLevels) {
            MarkLevelChanged(level);
        }
    } else {
        MarkLevelChanged(kEveryLevel);
    }
    startPoint_ = snapshot.startPoint_;
    annotations_ = snapshot.annotations_;
    materials_.clear();
    materials_.reserve(snapshot.materials_.size());
    for (const auto& material : snapshot.materials_) {
        materials_.push_back(std::make_unique<Material>(*material));
    }
}

Site& Site::operator=(const Site& other) {
    if (this != &other) {
        Site copy(other);
        *this = std::move(copy);
    }
    return *this;
}

// ---------------------------------------------------------------------------------------------
// Rooms

Site::RoomList::const_iterator Site::FindRoom(const Room* room) const {
    return std::find_if(rooms_.begin(), rooms_.end(),
                        [room](const std::shared_ptr<Room>& r) { return r.get() == room; });
}

Room* Site::AddRoom(const QString& name, int materialIndex, int level) {
    auto room = std::make_unique<Room>(startPoint_);
    room->SetName(name);
    room->SetMaterial(FindMaterialByIndex(materialIndex) != nullptr ? materialIndex : 0);
    room->SetLevel(IsLevel(level) ? level : 0);
    Room* added = room.get();
    rooms_.push_back(std::move(room));
    MarkLevelChanged(added->GetLevel());
    return added;
}

Room* Site::InsertRoomAfter(std::unique_ptr<Room> room, const Room* after) {
    if (!room) {
        return nullptr;
    }
    Room* inserted = room.get();
    auto at = after != nullptr ? FindRoom(after) : rooms_.end();
    if (at == rooms_.end()) {
        rooms_.push_back(std::move(room));
    } else {
        rooms_.insert(at + 1, std::move(room));
    }
    MarkLevelChanged(inserted->GetLevel());
    return inserted;
}

Room* Site::GetRoom(int index) {
    return const_cast<Room*>(static_cast<const Site*>(this)->GetRoom(index));
}

const Room* Site::GetRoom(int index) const {
    if (index < 0 || index >= RoomCount()) {
        return nullptr;
    }
    return rooms_[static_cast<std::size_t>(index)].get();
}

int Site::IndexOfRoom(const Room* room) const {
    if (room == nullptr) {
        return -1;
    }
    const auto at = FindRoom(room);
    return at == rooms_.end() ? -1 : static_cast<int>(at - rooms_.begin());
}

Room* Site::FindRoomByName(const QString& name) {
    return const_cast<Room*>(static_cast<const Site*>(this)->FindRoomByName(name));
}

const Room* Site::FindRoomByName(const QString& name) const {
    for (const auto& room : rooms_) {
        if (SameNameIgnoringCase(room->GetName(), name)) {
            return room.get();
        }
    }
    return nullptr;
}

QString Site::NextRoomName(const QString& prefix, int first) const {
    // At most RoomCount() numbers can be taken, so the search ends; it is done in a wider type
    // so that a first number near the top of int cannot overflow.
    for (long long n = first;; ++n) {
        const QString name = prefix + QStringLiteral(" %1").arg(n);
        if (FindRoomByName(name) == nullptr) {
            return name;
        }
    }
}

void Site::RemoveRoom(const Room* room) {
    if (room == nullptr) {
        return;
    }
    const auto at = FindRoom(room);
    if (at != rooms_.end()) {
        MarkLevelChanged(room->GetLevel());
        rooms_.erase(at);
    }
}

void Site::BringToFront(const Room* room) {
    const int at = IndexOfRoom(room);
    if (at < 0) {
        return;
    }
    std::rotate(rooms_.begin() + at, rooms_.begin() + at + 1, rooms_.end());
    MarkLevelChanged(room->GetLevel());
}

void Site::SendToBack(const Room* room) {
    const int at = IndexOfRoom(room);
    if (at < 0) {
        return;
    }
    std::rotate(rooms_.begin(), rooms_.begin() + at, rooms_.begin() + at + 1);
    MarkLevelChanged(room->GetLevel());
}

int Site::CountClosedRooms(int level) const {
    if (level != kEveryLevel) {
        const auto& rooms = RoomsOnLevel(level);
        return static_cast<int>(std::count_if(rooms.begin(), rooms.end(),
                                              [](const Room* room) { return room->IsClosed(); }));
    }
    return static_cast<int>(std::count_if(rooms_.begin(), rooms_.end(),
                                          [](const auto& room) { return room->IsClosed(); }));
}

PlanRect Site::GetBounds(int level) const {
    PlanRect box = PlanRect::Around(startPoint_);
    if (level != kEveryLevel) {
        for (const Room* room : RoomsOnLevel(level)) {
            box.Include(room->GetBounds());
        }
        return box;
    }
    for (const auto& room : rooms_) {
        box.Include(room->GetBounds());
    }
    return box;
}

void Site::Traverse(CSiteVisitor& visitor, int level) const {
    visitor.VisitSiteBegin(*this);
    if (level != kEveryLevel) {
        for (const Room* room : RoomsOnLevel(level)) {
            TraverseRoom(*room, visitor);
        }
    } else {
        for (const auto& room : rooms_) {
            TraverseRoom(*room, visitor);
        }
    }
    visitor.VisitSiteEnd(*this);
}

void Site::MoveStartPoint(double length, double direction) {
    startPoint_ += PolarToCartesian(length, direction);
}

// ---------------------------------------------------------------------------------------------
// Levels

const Level& Site::GetLevel(int index) const {
    return levels_[static_cast<std::size_t>(IsLevel(index) ? index : 0)];
}

int Site::FindLevelByName(const QString& name) const {
    for (int i = 0; i < LevelCount(); ++i) {
        if (SameNameIgnoringCase(levels_[static_cast<std::size_t>(i)].name, name)) {
            return i;
        }
    }
    return -1;
}

QString Site::NextLevelName() const {
    for (long long n = 2;; ++n) {
        const QString name = QStringLiteral("Level %1").arg(n);
        if (FindLevelByName(name) < 0) {
            return name;
        }
    }
}

int Site::SortLevels(int follow) {
    std::vector<int> order(levels_.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = static_cast<int>(i);
    }
    std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
        return levels_[static_cast<std::size_t>(a)].elevation <
               levels_[static_cast<std::size_t>(b)].elevation;
    });
    std::vector<int> placeOf(levels_.size());
    std::vector<Level> sorted;
    sorted.reserve(levels_.size());
    for (std::size_t place = 0; place < order.size(); ++place) {
        placeOf[static_cast<std::size_t>(order[place])] = static_cast<int>(place);
        sorted.push_back(levels_[static_cast<std::size_t>(order[place])]);
    }
    levels_ = std::move(sorted);
    MarkLevelChanged(kEveryLevel);
    for (const auto& room : rooms_) {
        const int level = room->GetLevel();
        const int place = level >= 0 && level < static_cast<int>(placeOf.size())
                              ? placeOf[static_cast<std::size_t>(level)]
                              : 0;
        if (place != level) {
            room->SetLevel(place);
        }
    }
    return follow >= 0 && follow < static_cast<int>(placeOf.size())
               ? placeOf[static_cast<std::size_t>(follow)]
               : -1;
}

int Site::AddLevel(const Level& level) {
    levels_.push_back(level);
    return SortLevels(LevelCount() - 1);
}

int Site::SetLevel(int index, const Level& level) {
    if (!IsLevel(index)) {
        return -1;
    }
    levels_[static_cast<std::size_t>(index)] = level;
    return SortLevels(index);
}

bool Site::RemoveLevel(int index) {
    if (!IsLevel(index) || LevelCount() == 1) {
        return false;
    }
    rooms_.erase(std::remove_if(rooms_.begin(), rooms_.end(),
                                [index](const auto& room) { return room->GetLevel() == index; }),
                 rooms_.end());
    for (const auto& room : rooms_) {
        if (room->GetLevel() > index) {
            room->SetLevel(room->GetLevel() - 1);
        }
    }
    levels_.erase(levels_.begin() + index);
    MarkLevelChanged(kEveryLevel);
    return true;
}

void Site::MoveRoomToLevel(Room* room, int level) {
    if (room != nullptr && IsLevel(level) && FindRoom(room) != rooms_.end()) {
        MarkLevelChanged(room->GetLevel());
        room->SetLevel(level);
        MarkLevelChanged(level);
    }
}

int Site::CountRoomsOnLevel(int level) const {
    return static_cast<int>(RoomsOnLevel(level).size());
}

const std::vector<const Room*>& Site::RoomsOnLevel(int level) const {
    static const std::vector<const Room*> kNone;
    if (!IsLevel(level)) {
        return kNone;
    }
    if (!roomsOnLevelKnown_) {
        BuildLevelIndex();
    }
    assert(LevelIndexMatchesRooms());
    return roomsOnLevel_[static_cast<std::size_t>(level)];
}

std::vector<const Room*> Site::RoomsOf(int level) const {
    if (level != kEveryLevel) {
        return RoomsOnLevel(level);
    }
    std::vector<const Room*> rooms;
    rooms.reserve(rooms_.size());
    for (const auto& room : rooms_) {
        rooms.push_back(room.get());
    }
    return rooms;
}

std::uint64_t Site::LevelRevision(int level) const {
    return IsLevel(level) && static_cast<std::size_t>(level) < levelRevisions_.size()
               ? levelRevisions_[static_cast<std::size_t>(level)]
               : 0;
}

void Site::MarkLevelChanged(int level) const {
    roomsOnLevelKnown_ = false;
    BumpRevision(level);
}

void Site::BumpRevision(int level) const {
    if (levelRevisions_.size() != levels_.size() || level == kEveryLevel) {
        levelRevisions_.assign(levels_.size(), NextRevision());
    } else if (IsLevel(level)) {
        levelRevisions_[static_cast<std::size_t>(level)] = NextRevision();
    }
}

void Site::BuildLevelIndex() const {
    roomsOnLevel_.resize(levels_.size());
    for (auto& rooms : roomsOnLevel_) {
        rooms.clear();
    }
    for (const auto& room : rooms_) {
        // A room that names no level is drawn and counted with the first, as everywhere else.
        const int level = IsLevel(room->GetLevel()) ? room->GetLevel() : 0;
        roomsOnLevel_[static_cast<std::size_t>(level)].push_back(room.get());
    }
    roomsOnLevelKnown_ = true;
}

#ifndef NDEBUG
bool Site::LevelIndexMatchesRooms() const {
    std::size_t counted = 0;
    for (const auto& rooms : roomsOnLevel_) {
        counted += rooms.size();
    }
    if (counted != rooms_.size()) {
        return false;
    }
    std::vector<std::size_t> next(roomsOnLevel_.size(), 0);
    for (const auto& room : rooms_) {
        const auto level = static_cast<std::size_t>(IsLevel(room->GetLevel()) ? room->GetLevel() : 0);
        if (next[level] >= roomsOnLevel_[level].size() ||
            roomsOnLevel_[level][next[level]++] != room.get()) {
            return false;
        }
    }
    return true;
}
#endif

bool Site::HasLevels() const {
    return levels_.size() > 1 || !(levels_.front() == Level{Level::FirstLevelName(), 0.0, 0.0});
}

void Site::SetLevels(std::vector<Level> levels) {
    if (levels.empty()) {
        levels.push_back(Level{Level::FirstLevelName(), 0.0, 0.0});
    }
    levels_ = std::move(levels);
    for (const auto& room : rooms_) {
        if (!IsLevel(room->GetLevel())) {
            room->SetLevel(0);
        }
    }
    SortLevels(0);
}

double Site::DefaultHeightOf(const Room& room, double programDefault) const {
    return DefaultHeightOnLevel(room.GetLevel(), programDefault);
}

double Site::DefaultHeightOnLevel(int level, double programDefault) const {
    const double height = GetLevel(level).height;
    return height > 0.0 ? height : programDefault;
}

// ---------------------------------------------------------------------------------------------
// Materials

Material* Site::AddMaterial(const QString& name, int index, Colour colour) {
    if (Material* existing = FindMaterialByIndex(index)) {
        return existing;
    }
    materials_.push_back(std::make_unique<Material>(name, index, colour));
    return materials_.back().get();
}

Material* Site::FindMaterialByName(const QString& name) {
    return const_cast<Material*>(static_cast<const Site*>(this)->FindMaterialByName(name));
}

const Material* Site::FindMaterialByName(const QString& name) const {
    for (const auto& material : materials_) {
        if (SameNameIgnoringCase(material->GetName(), name)) {
            return material.get();
        }
    }
    return nullptr;
}

Material* Site::FindMaterialByIndex(int index) {
    return const_cast<Material*>(static_cast<const Site*>(this)->FindMaterialByIndex(index));
}

const Material* Site::FindMaterialByIndex(int index) const {
    for (const auto& material : materials_) {
        if (material->GetIndex() == index) {
            return material.get();
        }
    }
    return nullptr;
}

Material* Site::FindMaterialByColour(Colour colour) {
    return const_cast<Material*>(static_cast<const Site*>(this)->FindMaterialByColour(colour));
}

const Material* Site::FindMaterialByColour(Colour colour) const {
    for (const auto& material : materials_) {
        if (material->GetColour() == colour) {
            return material.get();
        }
    }
    return nullptr;
}

int Site::NextMaterialIndex() const {
    if (materials_.empty()) {
        return 1;
    }
    int largest = INT_MIN;
    for (const auto& material : materials_) {
        largest = std::max(largest, material->GetIndex());
    }
    if (largest < INT_MAX) {
        return largest + 1;
    }
    // A file may carry any index; one past the largest would overflow, so the smallest unused
    // index from 1 up serves instead. It stays unique, which is all an index has to be.
    std::set<int> used;
    for (const auto& material : materials_) {
        used.insert(material->GetIndex());
    }
    int candidate = 1;
    while (used.count(candidate) != 0) {
        ++candidate;
    }
    return candidate;
}

QStringList Site::MaterialNames() const {
    QStringList names;
    names.reserve(static_cast<qsizetype>(materials_.size()));
    for (const auto& material : materials_) {
        names.append(material->GetName());
    }
    return names;
}

const Material* Site::GetMaterial(int position) const {
    if (position < 0 || position >= MaterialCount()) {
        return nullptr;
    }
    return materials_[static_cast<std::size_t>(position)].get();
}

std::vector<const Room*> Site::RoomsWithMaterial(int index) const {
    std::vector<const Room*> found;
    for (const auto& room : rooms_) {
        if (room->GetMaterial() == index) {
            found.push_back(room.get());
        }
    }
    return found;
}

bool Site::IsMaterialUsed(const Material& material) const {
    return std::any_of(rooms_.begin(), rooms_.end(), [&material](const auto& room) {
        return room->GetMaterial() == material.GetIndex();
    });
}

}  // namespace plantrek
