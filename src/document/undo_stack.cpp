#include "document/undo_stack.h"

#include <utility>

namespace plantrek {

CUndoStack::~CUndoStack() {
    Reset(source_, capacity_);
}

void CUndoStack::DeleteEntry(std::unique_ptr<CUndoSnapshot> snapshot) {
    if (source_ != nullptr) {
        source_->DeleteSnapshot(std::move(snapshot));
    }
}

void CUndoStack::Reset(CUndoSource* source, int capacity) {
    while (!entries_.empty()) {
        DeleteEntry(std::move(entries_.back()));
        entries_.pop_back();
    }
    source_ = source;
    capacity_ = capacity;
    position_ = -1;
    cleanIndex_ = -1;
}

bool CUndoStack::Push() {
    if (source_ == nullptr) {
        return false;
    }
    while (position_ + 1 < Count()) {
        DeleteEntry(std::move(entries_.back()));
        entries_.pop_back();
    }
    if (cleanIndex_ >= Count()) {
        cleanIndex_ = -1;
    }
    // A capacity below one would keep nothing; one entry is always kept so the present state
    // has its snapshot.
    while (!entries_.empty() && Count() >= capacity_) {
        DeleteEntry(std::move(entries_.front()));
        entries_.pop_front();
        cleanIndex_ = cleanIndex_ > 0 ? cleanIndex_ - 1 : -1;
    }
    entries_.push_back(source_->CreateSnapshot());
    position_ = Count() - 1;
    return true;
}

bool CUndoStack::Step(int delta) {
    const int target = position_ + delta;
    if (target < 0 || target >= Count() || source_ == nullptr) {
        return false;
    }
    source_->RestoreSnapshot(*entries_[static_cast<std::size_t>(target)]);
    position_ = target;
    return true;
}

bool CUndoStack::RefreshPresent() {
    if (source_ == nullptr || position_ < 0) {
        return false;
    }
    auto& entry = entries_[static_cast<std::size_t>(position_)];
    DeleteEntry(std::exchange(entry, source_->CreateSnapshot()));
    return true;
}

}  // namespace plantrek
