// Savepoint guards: a routine undoes only its own writes, nested guards undo
// only their part, and the guards stay usable across a commit retaining.

#include "tests/support/TestDatabase.h"

#include <stdexcept>

using host::db::Savepoint;
using testsupport::DatabaseTest;

namespace {

class Savepoints : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        exec("create table T (ID integer not null primary key)");
        tr().commitRetaining();
    }
    void put(int id) { exec("insert into T (ID) values (:ID)", {{"ID", id}}); }
    // The rows of T as this transaction sees them, in order.
    QList<int> ids() {
        QList<int> out;
        host::db::Statement st(tr(), "select ID from T order by ID");
        st.execute();
        while (st.fetch()) out.append(st.value(0).toInt());
        return out;
    }
    // The rows another attachment sees: what is committed.
    QList<int> committedIds() {
        auto other = openSecondConnection();
        host::db::Transaction otherTr(*other);
        QList<int> out;
        host::db::Statement st(otherTr, "select ID from T order by ID");
        st.execute();
        while (st.fetch()) out.append(st.value(0).toInt());
        return out;
    }
};

TEST_F(Savepoints, LeavingTheScopeUndoesOnlyTheGuardedWork) {
    put(1);   // someone else's pending work
    {
        Savepoint sp(tr());
        put(2);
        put(3);
    }
    EXPECT_EQ(QList<int>({1}), ids());
    try {
        Savepoint sp(tr());
        put(4);
        put(1);   // duplicate key: the routine fails half-way
        sp.release();
        FAIL() << "the duplicate key was accepted";
    } catch (const host::db::DbError&) {
    }
    EXPECT_EQ(QList<int>({1}), ids());
    EXPECT_TRUE(tr().active());
    tr().commit();
    EXPECT_EQ(QList<int>({1}), committedIds());
}

TEST_F(Savepoints, ReleasedWorkJoinsTheTransaction) {
    Savepoint sp(tr());
    put(1);
    sp.release();
    EXPECT_FALSE(sp.active());
    sp.rollback();   // an ended guard has nothing left to undo
    EXPECT_EQ(QList<int>({1}), ids());
    tr().commit();
    EXPECT_EQ(QList<int>({1}), committedIds());
}

TEST_F(Savepoints, NestedGuardsUndoTheirOwnPartOnly) {
    {
        Savepoint outer(tr());
        put(1);
        try {
            Savepoint inner(tr());
            put(2);
            throw std::runtime_error("inner step failed");
        } catch (const std::runtime_error&) {
        }
        put(3);
        {
            Savepoint kept(tr());
            put(4);
            kept.release();
        }
        outer.release();
    }
    EXPECT_EQ(QList<int>({1, 3, 4}), ids());

    {
        Savepoint outer(tr());
        put(5);
        Savepoint inner(tr());
        put(6);
        inner.release();   // joins the outer guard's work, which is then undone
    }
    EXPECT_EQ(QList<int>({1, 3, 4}), ids());

    Savepoint outer(tr());
    Savepoint inner(tr());
    put(7);
    outer.release();   // the engine ends the later savepoints with it
    EXPECT_FALSE(inner.active());
    inner.rollback();
    EXPECT_EQ(QList<int>({1, 3, 4, 7}), ids());
}

TEST_F(Savepoints, CommitRetainingInsideKeepsTheGuardsForTheWorkAfterIt) {
    {
        Savepoint outer(tr());
        put(1);
        {
            Savepoint inner(tr());
            put(2);
            tr().commitRetaining();   // a step of the routine saves: 1 and 2 are committed
            EXPECT_TRUE(inner.active());
            put(3);
        }   // inner undone: only 3
        EXPECT_EQ(QList<int>({1, 2}), ids());
        put(4);
        EXPECT_TRUE(outer.active());
    }   // outer undone: only what followed the commit
    EXPECT_EQ(QList<int>({1, 2}), ids());
    EXPECT_EQ(QList<int>({1, 2}), committedIds());

    Savepoint sp(tr());
    put(5);
    tr().rollbackRetaining();
    put(6);
    sp.rollback();
    EXPECT_EQ(QList<int>({1, 2}), ids());
}

// A commit retaining ends the engine's savepoints: the guards are taken
// again only when a statement follows. A guard released or undone right
// after a commit costs no statement; one that work follows still undoes that
// work, and a guard nested after the commit undoes only its own part.
TEST_F(Savepoints, AfterACommitTheGuardsAreTakenAgainOnlyWhenWorkFollows) {
    {
        Savepoint sp(tr());
        put(1);
        tr().commitRetaining();
        testsupport::StatementCounter released;
        sp.release();
        EXPECT_EQ(0, released.count());
        EXPECT_FALSE(sp.active());
    }
    {
        Savepoint sp(tr());
        put(2);
        tr().commitRetaining();
        testsupport::StatementCounter undone;
        sp.rollback();
        EXPECT_EQ(0, undone.count()) << "nothing was written since the commit";
    }
    EXPECT_EQ(QList<int>({1, 2}), committedIds());
    {
        Savepoint sp(tr());
        put(3);
        tr().commitRetaining();
        tr().commitRetaining();   // no work between the commits
        testsupport::StatementCounter taken;
        put(4);
        EXPECT_EQ(2, taken.count()) << "the guard's savepoint taken again, then the insert";
    }   // undone: 4
    EXPECT_EQ(QList<int>({1, 2, 3}), ids());
    {
        Savepoint outer(tr());
        put(5);
        tr().commitRetaining();
        {
            Savepoint inner(tr());   // the outer one is taken again before it
            put(6);
        }   // inner undone: 6
        put(7);
        EXPECT_EQ(QList<int>({1, 2, 3, 5, 7}), ids());
    }   // outer undone: 7
    EXPECT_EQ(QList<int>({1, 2, 3, 5}), ids());
    EXPECT_EQ(QList<int>({1, 2, 3, 5}), committedIds());
}

TEST_F(Savepoints, HardCommitOrRollbackEndsTheGuards) {
    {
        Savepoint sp(tr());
        put(1);
        tr().commit();
        EXPECT_FALSE(sp.active());
    }
    EXPECT_EQ(QList<int>({1}), committedIds());
    {
        Savepoint sp(tr());
        put(2);
        tr().rollback();
        EXPECT_FALSE(sp.active());
        put(3);   // a new transaction, which this guard does not cover
    }
    EXPECT_EQ(QList<int>({1, 3}), ids());
}

TEST_F(Savepoints, GuardOutlivingItsTransactionIsHarmless) {
    auto sp = std::make_unique<Savepoint>(tr());
    put(1);
    transaction.reset();
    EXPECT_FALSE(sp->active());
    sp.reset();
}

TEST_F(Savepoints, CostTwoStatementsKeptThreeUndone) {
    testsupport::StatementCounter kept;
    {
        Savepoint sp(tr());
        sp.release();
    }
    EXPECT_EQ(2, kept.count());
    EXPECT_EQ(2, kept.prepares()); // the first guard prepares its statements
    testsupport::StatementCounter undone;
    { Savepoint sp(tr()); }
    EXPECT_EQ(3, undone.count());
    EXPECT_EQ(1, undone.prepares()); // only the rollback is new
    // Kept prepared: later guards, nested or not, prepare only what is new.
    testsupport::StatementCounter later;
    for (int i = 0; i < 3; ++i) {
        Savepoint outer(tr());
        Savepoint inner(tr());
        EXPECT_NE(outer.name(), inner.name());
        inner.release();
        outer.release();
    }
    EXPECT_EQ(12, later.count());
    EXPECT_EQ(2, later.prepares()) << "the inner guard's two statements, once";
}

}  // namespace

// Commit holds: the commits of a routine's steps wait for its end, so its
// savepoint can still undo every step.
TEST_F(Savepoints, HeldCommitsWaitForTheEndAndAFailureUndoesEveryStep) {
    put(1);
    {
        host::db::CommitHold hold(tr());
        Savepoint sp(tr());
        put(2);
        tr().commitRetaining();   // a step's own commit: noted, not made
        EXPECT_TRUE(hold.commitAsked());
        put(3);
        tr().commitRetaining();
        EXPECT_EQ(QList<int>(), committedIds());
        // the routine fails here: leaving the scope undoes 2 and 3
    }
    EXPECT_EQ(QList<int>({1}), ids());
    tr().commitRetaining();   // no hold any more: a real commit
    EXPECT_EQ(QList<int>({1}), committedIds());

    {
        host::db::CommitHold hold(tr());
        Savepoint sp(tr());
        put(4);
        tr().commitRetaining();
        sp.release();
        EXPECT_EQ(QList<int>({1}), committedIds());
        hold.release();   // the commit asked is made now
    }
    EXPECT_EQ(QList<int>({1, 4}), committedIds());
}

TEST_F(Savepoints, NestedHoldsCommitOnceAtTheOutermostAndRollbacksAreNeverHeld) {
    {
        host::db::CommitHold outer(tr());
        {
            host::db::CommitHold inner(tr());
            put(1);
            tr().commitRetaining();
            inner.release();
        }
        EXPECT_EQ(QList<int>(), committedIds());
        outer.release();
    }
    EXPECT_EQ(QList<int>({1}), committedIds());
    {
        host::db::CommitHold hold(tr());
        put(2);
        tr().commitRetaining();
        tr().rollbackRetaining();   // undoes 2 and forgets the commit asked
        EXPECT_FALSE(hold.commitAsked());
        hold.release();
    }
    EXPECT_EQ(QList<int>({1}), ids());
    // Nothing asked: releasing commits nothing.
    put(3);
    {
        host::db::CommitHold hold(tr());
        hold.release();
    }
    EXPECT_EQ(QList<int>({1}), committedIds());
}
