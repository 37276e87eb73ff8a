#include "framework/component.h"

#include <algorithm>

namespace vistrel {
namespace {

void erase_one(std::vector<TComponent*>& list, TComponent* item) {
    const auto it = std::find(list.begin(), list.end(), item);
    if (it != list.end()) {
        list.erase(it);
    }
}

}  // namespace

TComponent::TComponent(TComponent* owner) : owner_(owner) {
    if (owner_ != nullptr) {
        owner_->insert_component(this);
    }
}

TComponent::~TComponent() {
    destroying_ = true;
    while (!free_notifies_.empty()) {
        TComponent* other = free_notifies_.back();
        free_notifies_.pop_back();
        erase_one(other->free_notifies_, this);
        other->Notification(this, opRemove);
    }
    while (!components_.empty()) {
        delete components_.back();  // its destructor takes it off the list
    }
    if (owner_ != nullptr) {
        owner_->remove_component(this);
    }
}

void TComponent::Loaded() {}

void TComponent::FreeNotification(TComponent* component) {
    if (component == nullptr || component == this ||
        std::find(free_notifies_.begin(), free_notifies_.end(), component) != free_notifies_.end()) {
        return;
    }
    free_notifies_.push_back(component);
    component->free_notifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    erase_one(free_notifies_, component);
    erase_one(component->free_notifies_, this);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    // The owner passes news on to everything it owns, so siblings learn of each other.
    const std::vector<TComponent*> owned = components_;
    for (TComponent* c : owned) {
        if (c != component) {
            c->Notification(component, operation);
        }
    }
}

void TComponent::insert_component(TComponent* component) {
    components_.push_back(component);
    Notification(component, opInsert);
}

void TComponent::remove_component(TComponent* component) {
    erase_one(components_, component);
    Notification(component, opRemove);
}

}  // namespace vistrel
