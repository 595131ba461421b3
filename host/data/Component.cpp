#include "host/data/Component.h"

#include <algorithm>

namespace host {

Component::Component(Component* owner, const QString& name) : name_(name)
{
    setOwner(owner);
}

Component::~Component()
{
    // Owned components go first, while their owner is still whole.
    while (!owned_.empty()) {
        std::unique_ptr<Component> last = std::move(owned_.back());
        owned_.pop_back();
        last.reset();
    }
    for (Component* child : children_)
        child->owner_ = nullptr;
    children_.clear();
    setOwner(nullptr);
}

void Component::setOwner(Component* owner)
{
    if (owner_ == owner)
        return;
    if (owner_) {
        auto& list = owner_->children_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    owner_ = owner;
    if (owner_)
        owner_->children_.push_back(this);
}

Component* Component::findComponent(const QString& name) const
{
    for (Component* child : children_)
        if (child->name_.compare(name, Qt::CaseInsensitive) == 0)
            return child;
    return nullptr;
}

}  // namespace host
