#pragma once

#include <deque>
#include <memory>

// Undo over whole-document snapshots: every undoable change pushes a copy of the complete
// state, and undo and redo restore an earlier or later copy wholesale.
namespace plantrek {

class CUndoSnapshot {
public:
    virtual ~CUndoSnapshot() = default;
};

// Makes, restores and disposes of snapshots; the document is the one source.
class CUndoSource {
public:
    virtual ~CUndoSource() = default;
    virtual std::unique_ptr<CUndoSnapshot> CreateSnapshot() = 0;
    virtual void RestoreSnapshot(const CUndoSnapshot& snapshot) = 0;
    // Every snapshot leaves the stack through here, evicted, discarded or reset.
    virtual void DeleteSnapshot(std::unique_ptr<CUndoSnapshot> snapshot) { snapshot.reset(); }
};

class CUndoStack {
public:
    CUndoStack() = default;
    CUndoStack(const CUndoStack&) = delete;
    CUndoStack& operator=(const CUndoStack&) = delete;
    ~CUndoStack();

    // Stores the source and capacity and deletes every entry.
    void Reset(CUndoSource* source, int capacity);
    // Discards the redo entries, evicts the oldest while full, and appends a snapshot of the
    // present state. False, doing nothing, without a source.
    bool Push();
    // Restores the entry delta steps away; false, changing nothing, when there is none.
    bool Step(int delta);
    // Takes a new snapshot of the present state into the present entry, for changes made
    // without a step of their own. False, doing nothing, without a source or an entry.
    bool RefreshPresent();
    // The present entry, for a source that notes in it what it may without a new snapshot;
    // null when there is none.
    CUndoSnapshot* Present() {
        return position_ >= 0 ? entries_[static_cast<std::size_t>(position_)].get() : nullptr;
    }

    // The present entry is the state last saved. The mark is lost for good when that entry is
    // evicted or discarded with the redo entries: no step can lead back to the saved state.
    void MarkClean() { cleanIndex_ = position_; }
    bool IsClean() const { return cleanIndex_ >= 0 && cleanIndex_ == position_; }
    // The present entry changes without a step: it no longer holds the saved state.
    void ForgetCleanPresent() {
        if (IsClean()) {
            cleanIndex_ = -1;
        }
    }
    // The entry of the saved state; -1 when no entry holds it.
    int CleanIndex() const { return cleanIndex_; }

    bool CanUndo() const { return position_ > 0; }
    bool CanRedo() const { return position_ + 1 < Count(); }
    int Count() const { return static_cast<int>(entries_.size()); }
    int Position() const { return position_; }
    int Capacity() const { return capacity_; }

private:
    void DeleteEntry(std::unique_ptr<CUndoSnapshot> snapshot);

    CUndoSource* source_ = nullptr;
    std::deque<std::unique_ptr<CUndoSnapshot>> entries_;
    int position_ = -1;
    int cleanIndex_ = -1;
    int capacity_ = 10;
};

}  // namespace plantrek
