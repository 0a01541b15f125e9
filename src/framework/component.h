// Objects, persistent objects and components: a component is created with an owner, which destroys it.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vantrel {

class TApplication;

class TObject {
 public:
  virtual ~TObject() = default;
};

class TPersistent : public TObject {};

class TComponent;

enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  const std::vector<TComponent*>& Components() const { return components_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  // The application at the root of the ownership chain; nullptr for a component without one.
  virtual TApplication* Application() const { return owner_ ? owner_->Application() : nullptr; }

  // Called once the stored properties have been applied.
  virtual void Loaded() {}
  // Tells the component that a sibling under the same owner has come or is going.
  virtual void Notification(TComponent* AComponent, TOperation Operation);

 private:
  void insertComponent(TComponent* component);
  void removeComponent(TComponent* component);

  TComponent* owner_;
  std::string name_;
  std::vector<TComponent*> components_;
};

// Events are optional handlers bound to an object; an empty one is skipped.
using TNotifyEvent = std::function<void(TObject* Sender)>;

}  // namespace vantrel
