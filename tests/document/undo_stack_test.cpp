#include "document/undo_stack.h"

#include <gtest/gtest.h>

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

TEST(UndoStackTest, WithoutASourceNothingIsPushed) {
    CUndoStack stack;
    EXPECT_FALSE(stack.Push());
    EXPECT_EQ(stack.Count(), 0);
    EXPECT_EQ(stack.Position(), -1);
    EXPECT_FALSE(stack.Step(-1));
}

TEST(UndoStackTest, TwelveChangesAllowNineUndos) {
    NumberSource source;
    CUndoStack stack;
    stack.Reset(&source, 10);
    for (int i = 1; i <= 12; ++i) {
        source.value = i;
        ASSERT_TRUE(stack.Push());
        EXPECT_EQ(stack.Position(), stack.Count() - 1);
    }
    EXPECT_EQ(stack.Count(), 10);
    EXPECT_EQ(source.deleted, 2);
    int undos = 0;
    while (stack.CanUndo()) {
        ASSERT_TRUE(stack.Step(-1));
        ++undos;
    }
    EXPECT_EQ(undos, 9);
    EXPECT_EQ(source.value, 3);
    EXPECT_FALSE(stack.Step(-1));
    EXPECT_EQ(source.value, 3);
}

TEST(UndoStackTest, AChangeAfterUndoDiscardsRedo) {
    NumberSource source;
    CUndoStack stack;
    stack.Reset(&source, 10);
    for (int i = 0; i < 4; ++i) {
        source.value = i;
        stack.Push();
    }
    stack.Step(-1);
    stack.Step(-1);
    EXPECT_TRUE(stack.CanRedo());
    EXPECT_TRUE(stack.Step(+1));
    EXPECT_EQ(source.value, 2);
    source.value = 42;
    stack.Push();
    EXPECT_FALSE(stack.CanRedo());
    EXPECT_EQ(stack.Count(), 4);
    EXPECT_EQ(source.deleted, 1);
    stack.Step(-1);
    EXPECT_EQ(source.value, 2);
}

TEST(UndoStackTest, ResetAndDestructionDisposeThroughTheSource) {
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

TEST(UndoStackTest, TinyCapacityStillKeepsThePresent) {
    NumberSource source;
    CUndoStack stack;
    stack.Reset(&source, 0);
    source.value = 5;
    stack.Push();
    source.value = 6;
    stack.Push();
    EXPECT_EQ(stack.Count(), 1);
    EXPECT_FALSE(stack.CanUndo());
}

}  // namespace
}  // namespace plantrek
