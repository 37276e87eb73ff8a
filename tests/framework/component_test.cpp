#include "framework/component.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace vistrel {
namespace {

// Records its own destruction.
class Probe : public TComponent {
public:
    Probe(TComponent* owner, std::string name, std::vector<std::string>& log)
        : TComponent(owner), name_(std::move(name)), log_(log) {}
    ~Probe() override { log_.push_back("free " + name_); }

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

TEST(ComponentRef, ReadsNullOnceTheComponentIsFreedAndThenRunsItsAction) {
    struct Case {
        const char* name;
        bool through_owner;  // freed with its owner rather than on its own
    };
    for (const Case& c : {Case{"freed on its own", false}, Case{"freed with its owner", true}}) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> log;
        auto form = std::make_unique<Probe>(nullptr, "form", log);
        auto* menu = new Probe(form.get(), "menu", log);
        ComponentRef<Probe> first([&] { log.emplace_back("first cleared"); });
        ComponentRef<Probe> second;
        first = menu;
        second = menu;
        EXPECT_EQ(first.get(), menu);
        EXPECT_EQ(second, menu);
        bool null_when_told = false;
        first = menu;  // setting the same component again changes nothing
        ComponentRef<Probe> watcher([&] { null_when_told = watcher.get() == nullptr; });
        watcher = menu;
        if (c.through_owner) {
            form.reset();
        } else {
            delete menu;
        }
        EXPECT_EQ(first, nullptr);
        EXPECT_EQ(second, nullptr);
        EXPECT_TRUE(null_when_told);
        EXPECT_EQ(std::count(log.begin(), log.end(), "first cleared"), 1);
    }
}

TEST(ComponentRef, PointedElsewhereOrGoneItNoLongerHearsOfTheOldComponent) {
    std::vector<std::string> log;
    int cleared = 0;
    auto* old_menu = new Probe(nullptr, "old", log);
    auto* new_menu = new Probe(nullptr, "new", log);
    {
        ComponentRef<Probe> reference([&] { ++cleared; });
        reference = old_menu;
        reference = new_menu;
        delete old_menu;
        EXPECT_EQ(reference, new_menu);
        EXPECT_EQ(cleared, 0);
        ComponentRef<Probe> short_lived([&] { ++cleared; });
        short_lived = new_menu;
    }
    delete new_menu;  // both references are gone: nothing may touch them
    EXPECT_EQ(cleared, 0);
}

}  // namespace
}  // namespace vistrel
