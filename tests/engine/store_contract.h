#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "engine/key_value_store.h"

namespace vistrel {

/// A KeyValueStore under test, empty at the start, with a way to plant a value of a type the settings never use.
class StoreUnderTest {
public:
    virtual ~StoreUnderTest() = default;
    virtual KeyValueStore& store() = 0;
    virtual void put_blob(std::string_view path, std::string_view name) = 0;
};

struct StoreFactory {
    std::string name;
    std::function<std::unique_ptr<StoreUnderTest>()> make;
};

/// The behaviour every KeyValueStore and the settings on it share; instantiated once per store.
class StoreContract : public ::testing::TestWithParam<StoreFactory> {
protected:
    void SetUp() override { fresh_store(); }
    /// Starts again from an empty store, for tables of cases.
    void fresh_store() { subject_ = GetParam().make(); }
    KeyValueStore& store() { return subject_->store(); }
    StoreUnderTest& subject() { return *subject_; }

private:
    std::unique_ptr<StoreUnderTest> subject_;
};

inline std::string store_name(const ::testing::TestParamInfo<StoreFactory>& info) {
    return info.param.name;
}

}  // namespace vistrel
