#pragma once

#include <string>
#include <vector>

#include "framework/framework_types.h"

namespace vistrel {

enum TOperation { opInsert, opRemove };

/// A component: owned by its owner, which frees it, and told when components it refers to go away.
class TComponent : public TObject {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    TComponent* Owner() const { return owner_; }
    const std::vector<TComponent*>& Components() const { return components_; }

    /// Called once the owner has created this component and set its stored values.
    virtual void Loaded();
    /// Asks to be told (through Notification) when `component`, which this one does not own, goes away.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);
    bool Destroying() const { return destroying_; }

    std::wstring Name;
    int Tag = 0;

protected:
    /// A component was inserted into or is being removed from the owner tree or the free-notify list.
    virtual void Notification(TComponent* component, TOperation operation);

private:
    void insert_component(TComponent* component);
    void remove_component(TComponent* component);

    TComponent* owner_;  // not owned
    std::vector<TComponent*> components_;
    std::vector<TComponent*> free_notifies_;  // not owned
    bool destroying_ = false;
};

}  // namespace vistrel
