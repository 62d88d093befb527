// CUndoQueue: pushing clones, stepping within bounds, dropping the redo side, the record limit.
#include <gtest/gtest.h>

#include <string>

#include "core/Owned.h"
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

    const int m_n;
    static int s_live;

protected:
    ~CNumberCommand() override { --s_live; }
};
int CNumberCommand::s_live = 0;

// Pushes the numbers from .. to - 1; the pushed commands are given back right away.
void Push(CUndoQueue& queue, int from, int to) {
    for (int n = from; n < to; ++n)
        queue.Push(TOwned<ICommand>(new CNumberCommand(n)).get());
}

// The records' numbers with '|' at the position: "01|2" has two to undo and one to redo.
std::string State(const CUndoQueue& queue) {
    std::string s;
    for (int i = 0; i <= queue.GetCount(); ++i) {
        if (i == queue.GetPos())
            s += '|';
        if (i < queue.GetCount())
            s += std::to_string(static_cast<CNumberCommand*>(queue.GetAt(i))->m_n);
    }
    return s;
}

}  // namespace

TEST(UndoQueue, StepsStayInBoundsAndAPushDropsTheRedoSide) {
    {
        CUndoQueue queue;
        EXPECT_EQ(queue.Current(), nullptr);
        Push(queue, 0, 3);
        EXPECT_EQ(State(queue), "012|");
        EXPECT_EQ(CNumberCommand::s_live, 3);  // the queue's clones

        // A step moves one way only, to a position inside 0..count.
        EXPECT_FALSE(queue.UndoStep(3));
        EXPECT_FALSE(queue.UndoStep(-1));
        EXPECT_FALSE(queue.RedoStep(4));
        EXPECT_TRUE(queue.UndoStep(2));
        EXPECT_EQ(static_cast<CNumberCommand*>(queue.Current())->m_n, 2);
        EXPECT_FALSE(queue.RedoStep(2));
        EXPECT_TRUE(queue.RedoStep(3));
        EXPECT_TRUE(queue.UndoStep(1));

        Push(queue, 9, 10);
        queue.Push(nullptr);  // ignored
        EXPECT_EQ(State(queue), "09|");
        EXPECT_EQ(CNumberCommand::s_live, 2);
    }
    EXPECT_EQ(CNumberCommand::s_live, 0);  // the destructor gives the records back
}

TEST(UndoQueue, LimitKeepsTheNewestRecords) {
    CUndoQueue queue;
    Push(queue, 0, 5);
    queue.SetLimit(2);
    EXPECT_EQ(State(queue), "34|");
    Push(queue, 5, 6);  // every push keeps to the limit
    EXPECT_EQ(State(queue), "45|");

    // Any negative limit means none. With three of five undone, a limit of 2 drops three
    // records and the position falls to 0, not below; the two left stay redo-able.
    queue.SetLimit(-7);
    EXPECT_EQ(queue.GetLimit(), -1);
    queue.Clear();
    Push(queue, 0, 5);
    queue.UndoStep(2);
    queue.SetLimit(2);
    EXPECT_EQ(State(queue), "|34");

    // Limit 0 keeps nothing, not even what is pushed afterwards.
    queue.SetLimit(0);
    Push(queue, 7, 8);
    EXPECT_EQ(State(queue), "|");
    EXPECT_EQ(CNumberCommand::s_live, 0);
}
