#include "document/undo_stack.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace plantrek {
namespace {

struct NumberSnapshot : CUndoSnapshot {
    explicit NumberSnapshot(int v) : value(v) {}
    int value;
};

// A source whose whole state is one number; it counts the snapshots it has disposed of.
struct NumberSource : CUndoSource {
    int value = 0;
    int deleted = 0;
    std::unique_ptr<CUndoSnapshot> CreateSnapshot() override {
        return std::make_unique<NumberSnapshot>(value);
    }
    void RestoreSnapshot(const CUndoSnapshot& s) override {
        value = static_cast<const NumberSnapshot&>(s).value;
    }
    void DeleteSnapshot(std::unique_ptr<CUndoSnapshot> s) override {
        ++deleted;
        s.reset();
    }
};

// A stack of ten over a number source, and what it takes to push the values given.
class UndoStackTest : public ::testing::Test {
protected:
    void SetUp() override { stack.Reset(&source, 10); }
    void Push(std::initializer_list<int> values) {
        for (int v : values) {
            source.value = v;
            ASSERT_TRUE(stack.Push());
        }
    }
    NumberSource source;
    CUndoStack stack;
};

TEST(UndoStackAloneTest, WithoutASourceNothingIsPushed) {
    CUndoStack stack;
    EXPECT_FALSE(stack.Push());
    EXPECT_EQ(stack.Count(), 0);
    EXPECT_EQ(stack.Position(), -1);
    EXPECT_FALSE(stack.Step(-1));
}

TEST_F(UndoStackTest, AChangeAfterUndoDiscardsRedo) {
    Push({0, 1, 2, 3});
    stack.Step(-1);
    stack.Step(-1);
    EXPECT_TRUE(stack.CanRedo());
    EXPECT_TRUE(stack.Step(+1));
    EXPECT_EQ(source.value, 2);
    Push({42});
    EXPECT_FALSE(stack.CanRedo());
    EXPECT_EQ(stack.Count(), 4);
    EXPECT_EQ(source.deleted, 1);
    stack.Step(-1);
    EXPECT_EQ(source.value, 2);
}

TEST(UndoStackAloneTest, ResetAndDestructionDisposeThroughTheSource) {
    NumberSource source;
    {
        CUndoStack stack;
        stack.Reset(&source, 3);
        stack.Push();
        stack.Push();
        stack.Reset(&source, 3);
        EXPECT_EQ(source.deleted, 2);
        EXPECT_EQ(stack.Position(), -1);
        stack.Push();
    }
    EXPECT_EQ(source.deleted, 3);
}

TEST_F(UndoStackTest, TinyCapacityStillKeepsThePresent) {
    stack.Reset(&source, 0);
    Push({5, 6});
    EXPECT_EQ(stack.Count(), 1);
    EXPECT_FALSE(stack.CanUndo());
}

// The saved state is the entry marked clean; the mark follows it while it is kept and is gone
// for good once the entry is evicted or discarded.
TEST(UndoStackAloneTest, TheCleanMarkFollowsTheSavedEntryUntilItCanNeverComeBack) {
    struct Case {
        const char* what;
        int pushesBeforeSave;
        int undosAfterSave;
        int pushesAfterUndo;
        bool cleanAfter;
        int stepsBackToClean;  // undo (-) or redo (+) steps that reach it again; 0: none do
    };
    const Case cases[] = {
        {"undo moves off the saved state", 3, 1, 0, false, +1},
        {"a later change, undone", 3, 0, 1, false, -1},
        {"the saved entry shifts as the oldest is evicted", 5, 0, 7, false, -7},
        {"the saved entry evicted", 5, 0, 10, false, 0},
        {"an edit after undo discards the saved entry", 3, 2, 1, false, 0},
        {"nothing done since the save", 2, 0, 0, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        NumberSource source;
        CUndoStack stack;
        stack.Reset(&source, 10);
        for (int i = 0; i < c.pushesBeforeSave; ++i) {
            source.value = i;
            stack.Push();
        }
        stack.MarkClean();
        EXPECT_TRUE(stack.IsClean());
        for (int i = 0; i < c.undosAfterSave; ++i) {
            stack.Step(-1);
        }
        for (int i = 0; i < c.pushesAfterUndo; ++i) {
            source.value = 100 + i;
            stack.Push();
        }
        EXPECT_EQ(stack.IsClean(), c.cleanAfter);
        if (c.stepsBackToClean != 0) {
            const int direction = c.stepsBackToClean > 0 ? +1 : -1;
            for (int i = 0; i < std::abs(c.stepsBackToClean); ++i) {
                ASSERT_TRUE(stack.Step(direction));
            }
            EXPECT_TRUE(stack.IsClean());
            EXPECT_EQ(source.value, c.pushesBeforeSave - 1);
        } else if (!c.cleanAfter) {
            // No step leads back to the saved state.
            while (stack.Step(-1)) {
                EXPECT_FALSE(stack.IsClean());
            }
            while (stack.Step(+1)) {
                EXPECT_FALSE(stack.IsClean());
            }
        }
    }
}

}  // namespace
}  // namespace plantrek
