#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/framework_types.h"

namespace vistrel {

class TComponent;

/// What ComponentRef shares for every type: the registration with the referenced component.
class ComponentRefBase {
public:
    ComponentRefBase(const ComponentRefBase&) = delete;
    ComponentRefBase& operator=(const ComponentRefBase&) = delete;

protected:
    explicit ComponentRefBase(std::function<void()> on_cleared) : on_cleared_(std::move(on_cleared)) {}
    ~ComponentRefBase() { set(nullptr); }

    void set(TComponent* component);
    TComponent* component() const { return component_; }

private:
    friend class TComponent;
    /// The component is being freed.
    void clear();

    TComponent* component_ = nullptr;  // not owned
    std::function<void()> on_cleared_;
};

/// A reference to a component that is not owned: it reads null from the moment that component is freed, and
/// then runs its `on_cleared` action, if it has one. Every such reference is held in one of these.
template <typename T>
class ComponentRef : private ComponentRefBase {
public:
    explicit ComponentRef(std::function<void()> on_cleared = {}) : ComponentRefBase(std::move(on_cleared)) {}

    ComponentRef& operator=(T* component) {
        set(component);
        return *this;
    }
    T* get() const { return static_cast<T*>(component()); }
    T* operator->() const { return get(); }
    operator T*() const { return get(); }
};

/// A component: owned by its owner, which frees it; references to it held in a ComponentRef are cleared when it
/// is freed.
class TComponent : public TObject {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    TComponent* Owner() const { return owner_; }
    const std::vector<TComponent*>& Components() const { return components_; }

    /// Called once the owner has created this component and set its stored values.
    virtual void Loaded();
    bool Destroying() const { return destroying_; }

    std::wstring Name;
    int Tag = 0;

private:
    friend class ComponentRefBase;
    void remove_component(TComponent* component);

    TComponent* owner_;  // not owned
    std::vector<TComponent*> components_;
    std::vector<ComponentRefBase*> references_;  // not owned: the references to this component
    bool destroying_ = false;
};

}  // namespace vistrel
