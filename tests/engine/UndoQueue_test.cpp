// CUndoQueue: pushing and truncating, stepping, the record limit and the record storage.
#include <gtest/gtest.h>

#include <vector>

#include "engine/Command.h"
#include "engine/UndoQueue.h"

namespace {

// A record that only carries a number and counts the live instances.
class CNumberCommand : public ICommand {
public:
    explicit CNumberCommand(int n) : m_n(n) { ++s_live; }
    ICommand* Clone() override { return new CNumberCommand(m_n); }
    void Destroy() override { delete this; }
    void SetTarget(IEditTarget*) override {}
    BOOL Do() override { return TRUE; }
    BOOL Undo() override { return TRUE; }
    static int Of(ICommand* cmd) { return cmd ? static_cast<CNumberCommand*>(cmd)->m_n : -1; }

    static int s_live;

protected:
    ~CNumberCommand() override { --s_live; }

private:
    int m_n;
};
int CNumberCommand::s_live = 0;

// Pushes the numbers from .. to - 1, each as a command the caller then destroys.
void Push(CUndoQueue& queue, int from, int to) {
    for (int n = from; n < to; ++n) {
        ICommand* cmd = new CNumberCommand(n);
        queue.Push(cmd);
        cmd->Destroy();
    }
    queue.AssertValid();
}

std::vector<int> Numbers(const CUndoQueue& queue) {
    std::vector<int> numbers;
    for (int i = 0; i < queue.GetCount(); ++i)
        numbers.push_back(CNumberCommand::Of(queue.GetAt(i)));
    return numbers;
}

}  // namespace

TEST(UndoQueue, PushStepsAndTruncatesTheRedoSide) {
    {
        CUndoQueue queue;
        EXPECT_TRUE(queue.IsUndoEmpty() && queue.IsRedoEmpty());
        EXPECT_EQ(queue.Current(), nullptr);
        EXPECT_EQ(queue.GetLimit(), -1);

        Push(queue, 0, 3);
        EXPECT_EQ(Numbers(queue), (std::vector<int>{0, 1, 2}));
        EXPECT_EQ(queue.GetPos(), 3);
        EXPECT_EQ(CNumberCommand::s_live, 3);  // the queue keeps clones, the callers' are gone
        EXPECT_TRUE(queue.IsRedoEmpty());

        // Steps move one way only and stay inside 0..count.
        EXPECT_FALSE(queue.RedoStep(4));
        EXPECT_TRUE(queue.UndoStep(2));
        EXPECT_EQ(CNumberCommand::Of(queue.Current()), 2);
        EXPECT_FALSE(queue.UndoStep(2));
        EXPECT_FALSE(queue.UndoStep(-1));
        EXPECT_FALSE(queue.RedoStep(4));
        EXPECT_TRUE(queue.RedoStep(3));
        EXPECT_TRUE(queue.UndoStep(1));

        // A push after undoing drops the undone records; a null push is ignored.
        Push(queue, 9, 10);
        queue.Push(nullptr);
        EXPECT_EQ(Numbers(queue), (std::vector<int>{0, 9}));
        EXPECT_EQ(queue.GetPos(), 2);
        EXPECT_EQ(CNumberCommand::s_live, 2);
        Push(queue, 0, 4);
    }
    EXPECT_EQ(CNumberCommand::s_live, 0);  // the destructor destroys the records
}

TEST(UndoQueue, LimitKeepsTheNewestRecordsAndLowersPos) {
    CUndoQueue queue;
    Push(queue, 0, 5);
    queue.SetLimit(2);
    EXPECT_EQ(Numbers(queue), (std::vector<int>{3, 4}));
    EXPECT_EQ(queue.GetPos(), 2);
    Push(queue, 5, 6);  // every push enforces the limit
    EXPECT_EQ(Numbers(queue), (std::vector<int>{4, 5}));

    // Three of five undone (pos 2): three records go, pos falls to 0, two stay redo-able.
    queue.SetLimit(-1);
    queue.Clear();
    Push(queue, 0, 5);
    queue.UndoStep(2);
    queue.SetLimit(2);
    queue.AssertValid();
    EXPECT_EQ(Numbers(queue), (std::vector<int>{3, 4}));
    EXPECT_EQ(queue.GetPos(), 0);
    EXPECT_EQ(CNumberCommand::Of(queue.Current()), 3);

    // Limit 0 keeps nothing, not even what is pushed afterwards.
    queue.SetLimit(0);
    Push(queue, 7, 8);
    EXPECT_TRUE(queue.IsUndoEmpty() && queue.IsRedoEmpty());
    EXPECT_EQ(CNumberCommand::s_live, 0);

    // Any negative limit means no limit.
    queue.SetLimit(-7);
    EXPECT_EQ(queue.GetLimit(), -1);
    Push(queue, 0, 12);
    EXPECT_EQ(queue.GetCount(), 12);
    queue.Clear();
    EXPECT_EQ(queue.GetPos(), 0);
    EXPECT_EQ(CNumberCommand::s_live, 0);
}

TEST(UndoQueue, StorageShrinksAsRecordsAreDropped) {
    CUndoQueue queue;
    Push(queue, 0, 20000);  // enough for the capacity to pass the array's growth step
    const uint32_t full = queue.GetCapacity();
    queue.SetLimit(2);
    const uint32_t afterLimit = queue.GetCapacity();
    EXPECT_LT(afterLimit, full);
    Push(queue, 0, 3);  // each push drops the oldest record and may halve again
    EXPECT_LT(queue.GetCapacity(), afterLimit);
    EXPECT_EQ(CNumberCommand::s_live, 2);
    queue.Clear();
    EXPECT_EQ(queue.GetCapacity(), 0u);
}
