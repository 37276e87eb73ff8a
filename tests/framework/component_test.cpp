#include "framework/component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vistrel {
namespace {

// Records its own destruction and the removals it hears of.
class Probe : public TComponent {
public:
    Probe(TComponent* owner, std::string name, std::vector<std::string>& log)
        : TComponent(owner), name_(std::move(name)), log_(log) {}
    ~Probe() override { log_.push_back("free " + name_); }

    TComponent* referred = nullptr;

protected:
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == opRemove && component == referred) {
            log_.push_back(name_ + " lost its reference");
            referred = nullptr;
        }
    }

private:
    std::string name_;
    std::vector<std::string>& log_;
};

TEST(Component, OwnerFreesWhatItOwnsNewestFirst) {
    std::vector<std::string> log;
    {
        Probe owner(nullptr, "owner", log);
        new Probe(&owner, "a", log);
        auto* b = new Probe(&owner, "b", log);
        new Probe(b, "b.child", log);
        EXPECT_EQ(owner.Components().size(), 2u);
    }
    EXPECT_EQ(log, (std::vector<std::string>{"free owner", "free b", "free b.child", "free a"}));
}

TEST(Component, FreeingOneEarlyTakesItOffItsOwner) {
    std::vector<std::string> log;
    Probe owner(nullptr, "owner", log);
    auto* a = new Probe(&owner, "a", log);
    delete a;
    EXPECT_TRUE(owner.Components().empty());
}

TEST(Component, ReferencesAreClearedWhenTheOtherGoesAway) {
    struct Case {
        const char* name;
        bool siblings;  // same owner: told through the owner; else through FreeNotification
    };
    for (const Case& c : {Case{"siblings", true}, Case{"strangers", false}}) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> log;
        Probe form(nullptr, "form", log);
        Probe elsewhere(nullptr, "elsewhere", log);
        auto* holder = new Probe(&form, "holder", log);
        auto* menu = new Probe(c.siblings ? &form : &elsewhere, "menu", log);
        holder->referred = menu;
        if (!c.siblings) {
            holder->FreeNotification(menu);
        }
        delete menu;
        EXPECT_EQ(holder->referred, nullptr);
        EXPECT_EQ(log, (std::vector<std::string>{"free menu", "holder lost its reference"}));
    }
}

}  // namespace
}  // namespace vistrel
