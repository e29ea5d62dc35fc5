#include "msg/Messages.h"
#include "msg/MsgCenter.h"

#include <gtest/gtest.h>

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Probe_Msg {
    int value = 0;
};
struct Other_Msg {};

// Receivers that log their calls into a shared journal.
struct Listener {
    std::vector<std::string>* journal = nullptr;
    std::string name;

    void OnProbe(const Probe_Msg* m) { journal->push_back(name + ":" + std::to_string(m->value)); }
    void OnProbeAgain(const Probe_Msg*) { journal->push_back(name + ":again"); }
};

class MsgCenterTest : public ::testing::Test {
protected:
    MsgCenter& center = MsgCenter::Instance();
    std::vector<std::string> journal;
};

TEST_F(MsgCenterTest, SendingATypeWithoutHandlersDoesNothingAndCreatesNoEntry)
{
    const auto before = center.HandlerSetCount();
    center.Send(Timer_Msg<50>{50, 50});
    center.Send(Other_Msg{});
    EXPECT_EQ(center.HandlerSetCount(), before);
    EXPECT_EQ(center.FindHandlerSet(MsgCenter::TypeName<Other_Msg>()), nullptr);
}

TEST_F(MsgCenterTest, RegisteringTwiceIsOneRegistrationAndOneUnregisterRemovesTheEntry)
{
    Listener a{&journal, "a"};
    center.Register(&a, &Listener::OnProbe);
    center.Register(&a, &Listener::OnProbe);
    center.Send(Probe_Msg{1});
    EXPECT_EQ(journal, std::vector<std::string>{"a:1"});

    center.Unregister(&a, &Listener::OnProbe);
    EXPECT_EQ(center.FindHandlerSet(MsgCenter::TypeName<Probe_Msg>()), nullptr);
    center.Send(Probe_Msg{2});
    EXPECT_EQ(journal.size(), 1u);
}

TEST_F(MsgCenterTest, UnregisteringWhatIsNotRegisteredDoesNothing)
{
    Listener a{&journal, "a"};
    Listener b{&journal, "b"};
    center.Unregister(&a, &Listener::OnProbe);
    center.Register(&b, &Listener::OnProbe);
    center.Unregister(&a, &Listener::OnProbe);
    center.Unregister(&b, &Listener::OnProbeAgain);
    center.Send(Probe_Msg{3});
    EXPECT_EQ(journal, std::vector<std::string>{"b:3"});
    center.Unregister(&b, &Listener::OnProbe);
}

TEST_F(MsgCenterTest, ReceiversAreCalledInAddressOrderWhateverTheRegistrationOrder)
{
    std::array<Listener, 3> listeners{Listener{&journal, "low"}, Listener{&journal, "mid"}, Listener{&journal, "high"}};
    center.Register(&listeners[2], &Listener::OnProbe);
    center.Register(&listeners[0], &Listener::OnProbe);
    center.Register(&listeners[1], &Listener::OnProbe);
    center.Send(Probe_Msg{7});
    EXPECT_EQ(journal, (std::vector<std::string>{"low:7", "mid:7", "high:7"}));
    for (auto& l : listeners)
        center.Unregister(&l, &Listener::OnProbe);
}

TEST_F(MsgCenterTest, OneObjectMayRegisterTwoMethodsForOneType)
{
    Listener a{&journal, "a"};
    center.Register(&a, &Listener::OnProbe);
    center.Register(&a, &Listener::OnProbeAgain);
    center.Send(Probe_Msg{1});
    EXPECT_EQ(journal.size(), 2u);
    center.Unregister(&a, &Listener::OnProbe);
    journal.clear();
    center.Send(Probe_Msg{1});
    EXPECT_EQ(journal, std::vector<std::string>{"a:again"});
    center.Unregister(&a, &Listener::OnProbeAgain);
}

TEST_F(MsgCenterTest, TemplateInstancesAreDistinctTypes)
{
    EXPECT_NE(MsgCenter::TypeName<Timer_Msg<200>>(), MsgCenter::TypeName<Timer_Msg<1000>>());
    EXPECT_NE(MsgCenter::TypeName<LoadMapFile_Msg>(), MsgCenter::TypeName<SaveMapFile_Msg>());
}

// A receiver whose handler changes the registrations of others mid-delivery.
struct Meddler {
    MsgCenter* center = nullptr;
    Listener* victim = nullptr;
    Listener* newcomer = nullptr;
    std::vector<std::string>* journal = nullptr;

    void OnProbe(const Probe_Msg*)
    {
        journal->push_back("meddler");
        if (victim)
            center->Unregister(victim, &Listener::OnProbe);
        if (newcomer)
            center->Register(newcomer, &Listener::OnProbe);
    }
};

TEST_F(MsgCenterTest, ReceiverRemovedDuringDeliveryIsSkippedAndNewcomerWaitsForNextSend)
{
    // One block so the addresses are ordered: meddler first, then the others.
    struct Block {
        Meddler meddler;
        Listener victim;
        Listener newcomer;
    } block;
    block.victim = Listener{&journal, "victim"};
    block.newcomer = Listener{&journal, "newcomer"};
    block.meddler = Meddler{&center, &block.victim, &block.newcomer, &journal};

    center.Register(&block.victim, &Listener::OnProbe);
    center.Register(&block.meddler, &Meddler::OnProbe);
    center.Send(Probe_Msg{1});
    EXPECT_EQ(journal, std::vector<std::string>{"meddler"});

    journal.clear();
    block.meddler.victim = nullptr;
    block.meddler.newcomer = nullptr;
    center.Send(Probe_Msg{2});
    EXPECT_EQ(journal, (std::vector<std::string>{"meddler", "newcomer:2"}));

    center.Unregister(&block.meddler, &Meddler::OnProbe);
    center.Unregister(&block.newcomer, &Listener::OnProbe);
}

struct SelfRemover {
    MsgCenter* center = nullptr;
    int calls = 0;
    void OnProbe(const Probe_Msg*)
    {
        ++calls;
        center->Unregister(this, &SelfRemover::OnProbe);
    }
};

TEST_F(MsgCenterTest, LastReceiverMayLeaveDuringItsOwnDelivery)
{
    SelfRemover r{&center};
    center.Register(&r, &SelfRemover::OnProbe);
    center.Send(Probe_Msg{});
    center.Send(Probe_Msg{});
    EXPECT_EQ(r.calls, 1);
    EXPECT_EQ(center.FindHandlerSet(MsgCenter::TypeName<Probe_Msg>()), nullptr);
}

struct Relay {
    MsgCenter* center = nullptr;
    std::vector<std::string>* journal = nullptr;
    void OnProbe(const Probe_Msg* m)
    {
        journal->push_back("outer-begin");
        if (m->value < 2)
            center->Send(Probe_Msg{m->value + 1});
        journal->push_back("outer-end:" + std::to_string(m->value));
    }
};

TEST_F(MsgCenterTest, NestedSendsAreDeliveredAtOnce)
{
    Relay relay{&center, &journal};
    center.Register(&relay, &Relay::OnProbe);
    center.Send(Probe_Msg{0});
    EXPECT_EQ(journal, (std::vector<std::string>{"outer-begin", "outer-begin", "outer-begin", "outer-end:2",
                                                 "outer-end:1", "outer-end:0"}));
    center.Unregister(&relay, &Relay::OnProbe);
}

struct Thrower {
    void OnProbe(const Probe_Msg*) { throw std::runtime_error("handler failed"); }
};

TEST_F(MsgCenterTest, ExceptionEndsTheDeliveryAndReachesTheSender)
{
    struct Block {
        Thrower thrower;
        Listener later;
    } block;
    block.later = Listener{&journal, "later"};
    center.Register(&block.thrower, &Thrower::OnProbe);
    center.Register(&block.later, &Listener::OnProbe);
    EXPECT_THROW(center.Send(Probe_Msg{}), std::runtime_error);
    EXPECT_TRUE(journal.empty());

    center.Unregister(&block.thrower, &Thrower::OnProbe);
    center.Send(Probe_Msg{5});
    EXPECT_EQ(journal, std::vector<std::string>{"later:5"});
    center.Unregister(&block.later, &Listener::OnProbe);
}

struct Answerer {
    void OnInput(const InputString_Msg* m)
    {
        m->ok = true;
        m->result = m->initial + "!";
    }
};

TEST_F(MsgCenterTest, HandlersAnswerThroughOutFields)
{
    Answerer answerer;
    center.Register(&answerer, &Answerer::OnInput);
    InputString_Msg msg;
    msg.initial = "name";
    center.Send(msg);
    EXPECT_TRUE(msg.ok);
    EXPECT_EQ(msg.result, "name!");
    center.Unregister(&answerer, &Answerer::OnInput);

    InputString_Msg unanswered;
    unanswered.result = "kept";
    center.Send(unanswered);
    EXPECT_FALSE(unanswered.ok);
    EXPECT_EQ(unanswered.result, "kept");
}

struct FinishWatcher {
    int finished = 0;
    int probes = 0;
    void OnFinished(const BuildSearchFinished_Msg*) { ++finished; }
    void OnProbe(const Probe_Msg*) { ++probes; }
};

TEST_F(MsgCenterTest, OnlySearchFinishedIsDeliveredByName)
{
    FinishWatcher w;
    center.Register(&w, &FinishWatcher::OnFinished);
    center.Register(&w, &FinishWatcher::OnProbe);

    SpanProcessMsg_Recv byName;
    byName.targetName = std::string(MsgCenter::TypeName<BuildSearchFinished_Msg>());
    center.Send(byName);
    EXPECT_EQ(w.finished, 1);

    byName.targetName = std::string(MsgCenter::TypeName<Probe_Msg>());
    byName.body.assign(3, 0xff);  // too short for a Probe_Msg: must not be read
    center.Send(byName);
    byName.targetName = "no such type";
    center.Send(byName);
    EXPECT_EQ(w.probes, 0);
    EXPECT_EQ(w.finished, 1);

    center.Unregister(&w, &FinishWatcher::OnFinished);
    center.Unregister(&w, &FinishWatcher::OnProbe);
}

}  // namespace
