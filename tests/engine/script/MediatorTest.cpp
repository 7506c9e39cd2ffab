// Dispatch order, re-entrancy and subscription changes during a dispatch.
#include "engine/core/tr_Listener.h"
#include "engine/core/tr_Mediator.h"
#include "engine/core/tr_MediatorDataTable.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

class RecordingListener : public tr_Listener {
public:
    RecordingListener(std::string name, std::vector<std::string>* log)
        : name_(std::move(name)), log_(log) {}

    void OnMessage(int id, tr_MediatorDataTable& data) override {
        log_->push_back(name_ + ":" + std::to_string(id));
        if (action) {
            action(id, data);
        }
    }

    std::function<void(int, tr_MediatorDataTable&)> action;

private:
    std::string name_;
    std::vector<std::string>* log_;
};

class MediatorTest : public ::testing::Test {
protected:
    tr_Mediator mediator;
    std::vector<std::string> calls;
    tr_MediatorDataTable data;
};

TEST_F(MediatorTest, ProcessPointerFollowsLifetime) {
    EXPECT_EQ(tr_Mediator::Get(), &mediator);
    {
        tr_Mediator* second = new tr_Mediator();
        EXPECT_EQ(tr_Mediator::Get(), second);
        delete second;
    }
    EXPECT_EQ(tr_Mediator::Get(), nullptr);
}

TEST_F(MediatorTest, CallsListenersInSubscriptionOrderAndOnlyForTheirId) {
    RecordingListener a("a", &calls), b("b", &calls), c("c", &calls);
    mediator.Subscribe(7, &b);
    mediator.Subscribe(7, &a);
    mediator.Subscribe(8, &c);
    mediator.Send(7, data);
    EXPECT_EQ(calls, (std::vector<std::string>{"b:7", "a:7"}));
    calls.clear();
    mediator.Send(99, data); // nobody listens: nothing happens
    EXPECT_TRUE(calls.empty());
}

TEST_F(MediatorTest, DuplicateSubscriptionDeliversTwiceAndUnsubscribeRemovesAll) {
    RecordingListener a("a", &calls);
    mediator.Subscribe(1, &a);
    mediator.Subscribe(1, &a);
    mediator.Subscribe(2, &a);
    mediator.Send(1, data);
    EXPECT_EQ(calls.size(), 2u);
    mediator.Unsubscribe(&a);
    calls.clear();
    mediator.Send(1, data);
    mediator.Send(2, data);
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(mediator.CountListeners(1), 0);
}

TEST_F(MediatorTest, ReplyWrittenByListenerIsVisibleToSender) {
    RecordingListener a("a", &calls);
    a.action = [](int, tr_MediatorDataTable& table) {
        table.SetInt("result", table.Find("query")->GetInt() * 2);
    };
    mediator.Subscribe(4, &a);
    data.SetInt("query", 21);
    mediator.Send(4, data);
    ASSERT_NE(data.Find("result"), nullptr);
    EXPECT_EQ(data.Find("result")->GetInt(), 42);
}

TEST_F(MediatorTest, ListenerMaySendWhileHandling) {
    RecordingListener outer("outer", &calls), inner("inner", &calls), after("after", &calls);
    outer.action = [this](int, tr_MediatorDataTable& table) {
        tr_MediatorDataTable nested;
        mediator.Send(2, nested);
        table.SetString("inner_said", nested.Find("said")->GetString());
    };
    inner.action = [](int, tr_MediatorDataTable& table) { table.SetString("said", "hi"); };
    mediator.Subscribe(1, &outer);
    mediator.Subscribe(1, &after);
    mediator.Subscribe(2, &inner);
    mediator.Send(1, data);
    EXPECT_EQ(calls, (std::vector<std::string>{"outer:1", "inner:2", "after:1"}));
    EXPECT_EQ(data.Find("inner_said")->GetString(), "hi");
}

TEST_F(MediatorTest, ListenerSubscribedDuringDispatchIsCalledInTheSameDispatch) {
    RecordingListener a("a", &calls), late("late", &calls);
    a.action = [&](int, tr_MediatorDataTable&) {
        if (mediator.CountListeners(3) == 1) {
            mediator.Subscribe(3, &late);
        }
    };
    mediator.Subscribe(3, &a);
    mediator.Send(3, data);
    EXPECT_EQ(calls, (std::vector<std::string>{"a:3", "late:3"}));
}

TEST_F(MediatorTest, UnsubscribingSelfDuringDispatchDoesNotSkipTheNextListener) {
    RecordingListener a("a", &calls), b("b", &calls), c("c", &calls);
    a.action = [&](int, tr_MediatorDataTable&) { mediator.Unsubscribe(&a); };
    mediator.Subscribe(5, &a);
    mediator.Subscribe(5, &b);
    mediator.Subscribe(5, &c);
    mediator.Send(5, data);
    EXPECT_EQ(calls, (std::vector<std::string>{"a:5", "b:5", "c:5"}));
    calls.clear();
    mediator.Send(5, data);
    EXPECT_EQ(calls, (std::vector<std::string>{"b:5", "c:5"}));
    EXPECT_EQ(mediator.CountListeners(5), 2);
}

TEST_F(MediatorTest, ListenerDestroyedDuringDispatchIsNotCalled) {
    RecordingListener a("a", &calls), c("c", &calls);
    auto* doomed = new RecordingListener("doomed", &calls);
    a.action = [&](int, tr_MediatorDataTable&) {
        delete doomed; // the destructor unsubscribes it
        doomed = nullptr;
    };
    mediator.Subscribe(6, &a);
    mediator.Subscribe(6, doomed);
    mediator.Subscribe(6, &c);
    mediator.Send(6, data);
    EXPECT_EQ(calls, (std::vector<std::string>{"a:6", "c:6"}));
}

TEST_F(MediatorTest, UnsubscribeInsideNestedSendKeepsOuterDispatchIntact) {
    RecordingListener a("a", &calls), b("b", &calls), c("c", &calls), inner("inner", &calls);
    a.action = [&](int, tr_MediatorDataTable&) {
        tr_MediatorDataTable nested;
        mediator.Send(9, nested);
    };
    inner.action = [&](int, tr_MediatorDataTable&) { mediator.Unsubscribe(&b); };
    mediator.Subscribe(8, &a);
    mediator.Subscribe(8, &b);
    mediator.Subscribe(8, &c);
    mediator.Subscribe(9, &inner);
    mediator.Send(8, data);
    EXPECT_EQ(calls, (std::vector<std::string>{"a:8", "inner:9", "c:8"}));
}

TEST(MediatorLifetimeTest, ListenerOutlivingTheMediatorIsSafe) {
    std::vector<std::string> calls;
    auto* mediator = new tr_Mediator();
    {
        RecordingListener a("a", &calls);
        mediator->Subscribe(1, &a);
        delete mediator;
        EXPECT_EQ(tr_Mediator::Get(), nullptr);
    }
    SUCCEED();
}

} // namespace
