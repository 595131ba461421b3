#pragma once
// A named part of a data module or form. The owner lists its components and
// finds them by name in any letter case; it owns (deletes) only those handed
// to it with adopt(), so components held as members stay the owner's members.

#include <QString>

#include <memory>
#include <vector>

namespace host {

class Component {
public:
    explicit Component(Component* owner = nullptr, const QString& name = {});
    virtual ~Component();
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    QString name() const { return name_; }
    void setName(const QString& name) { name_ = name; }

    Component* owner() const { return owner_; }
    void setOwner(Component* owner);

    const std::vector<Component*>& components() const { return children_; }
    Component* findComponent(const QString& name) const;   // nullptr when absent
    template <class T>
    T* find(const QString& name) const { return dynamic_cast<T*>(findComponent(name)); }

    // Takes a component created at run time; it lives as long as the owner.
    template <class T>
    T* adopt(std::unique_ptr<T> component)
    {
        T* raw = component.get();
        raw->setOwner(this);
        owned_.push_back(std::move(component));
        return raw;
    }

private:
    QString name_;
    Component* owner_ = nullptr;
    std::vector<Component*> children_;
    std::vector<std::unique_ptr<Component>> owned_;
};

}  // namespace host
