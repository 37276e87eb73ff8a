#include "framework/component.h"

#include <algorithm>

namespace vistrel {
namespace {

template <typename T>
void erase_one(std::vector<T*>& list, T* item) {
    const auto it = std::find(list.begin(), list.end(), item);
    if (it != list.end()) {
        list.erase(it);
    }
}

}  // namespace

void ComponentRefBase::set(TComponent* component) {
    if (component == component_) {
        return;
    }
    if (component_ != nullptr) {
        erase_one(component_->references_, this);
    }
    component_ = component;
    if (component_ != nullptr) {
        component_->references_.push_back(this);
    }
}

void ComponentRefBase::clear() {
    component_ = nullptr;
    if (on_cleared_) {
        on_cleared_();
    }
}

TComponent::TComponent(TComponent* owner) : owner_(owner) {
    if (owner_ != nullptr) {
        owner_->components_.push_back(this);
    }
}

TComponent::~TComponent() {
    destroying_ = true;
    // An action of a cleared reference may set other references: take one at a time.
    while (!references_.empty()) {
        ComponentRefBase* reference = references_.back();
        references_.pop_back();
        reference->clear();
    }
    while (!components_.empty()) {
        delete components_.back();  // its destructor takes it off the list
    }
    if (owner_ != nullptr) {
        owner_->remove_component(this);
    }
}

void TComponent::Loaded() {}

void TComponent::remove_component(TComponent* component) {
    erase_one(components_, component);
}

}  // namespace vistrel
