#include "gui/CNimbWindowProcFilters.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// A filter that records what it was asked and answers as told.
class Recorder : public INimbWindowFilter {
public:
    explicit Recorder(std::vector<int>& log, int name, bool handles = false)
        : Log(log), Name(name), Handles(handles) {}
    bool FilterMessage(void*, uint32_t message, uintptr_t, intptr_t, intptr_t& result) override {
        Log.push_back(Name);
        if (Then)
            Then();
        result = static_cast<intptr_t>(message) + Name;
        return Handles;
    }

    std::vector<int>& Log;
    int Name;
    bool Handles;
    std::function<void()> Then;
};

int gWindow;
void* const kWindow = &gWindow;

} // namespace

TEST(CNimbWindowProcFilters, NewestFirstUntilOneHandles) {
    std::vector<int> log;
    Recorder first(log, 1), second(log, 2, true), third(log, 3);
    CNimbWindowProcFilters chain;
    chain.AddFilter(&first);
    chain.AddFilter(&second);
    chain.AddFilter(&third);
    chain.AddFilter(&second); // already there: one node
    intptr_t result = 0;
    EXPECT_TRUE(chain.RunFilters(kWindow, 100, 0, 0, result));
    EXPECT_EQ(log, (std::vector<int>{3, 2}));
    EXPECT_EQ(result, 102);

    EXPECT_FALSE(chain.RunFilters(nullptr, 100, 0, 0, result)); // no window, no filters
    EXPECT_EQ(log.size(), 2u);

    EXPECT_TRUE(chain.RemoveFilter(&second));
    EXPECT_FALSE(chain.RemoveFilter(&second));
    log.clear();
    EXPECT_FALSE(chain.RunFilters(kWindow, 100, 0, 0, result));
    EXPECT_EQ(log, (std::vector<int>{3, 1}));

    EXPECT_TRUE(chain.RemoveFilter(nullptr)); // clears the chain
    EXPECT_TRUE(chain.IsEmpty());
    log.clear();
    EXPECT_FALSE(chain.RunFilters(kWindow, 100, 0, 0, result));
    EXPECT_TRUE(log.empty());
}

// Filters may change the chain while it runs them, themselves included.
TEST(CNimbWindowProcFilters, FiltersMayChangeTheChainWhileItRuns) {
    std::vector<int> log;
    Recorder first(log, 1), second(log, 2), added(log, 9);
    CNimbWindowProcFilters chain;
    chain.AddFilter(&first);
    chain.AddFilter(&second);
    second.Then = [&] {
        chain.RemoveFilter(&second);
        chain.RemoveFilter(&first); // not reached yet: not asked any more
        chain.AddFilter(&added);
    };
    intptr_t result = 0;
    EXPECT_FALSE(chain.RunFilters(kWindow, 1, 0, 0, result));
    EXPECT_EQ(log, (std::vector<int>{2}));
    log.clear();
    EXPECT_FALSE(chain.RunFilters(kWindow, 1, 0, 0, result));
    EXPECT_EQ(log, (std::vector<int>{9}));

    added.Then = [&] { chain.ClearFilters(); };
    log.clear();
    EXPECT_FALSE(chain.RunFilters(kWindow, 1, 0, 0, result));
    EXPECT_TRUE(chain.IsEmpty());
}
