#include "frontend/qt/picture.h"

#include <map>

namespace tolvane::qt {

namespace {

// The icons behind the pictures' handles, which travel in the tray's records.
class IconRegistry {
  public:
    std::uintptr_t add(const QIcon& icon) {
        icons_.emplace(++lastHandle_, icon);
        return lastHandle_;
    }
    void remove(std::uintptr_t handle) { icons_.erase(handle); }
    QIcon find(std::uintptr_t handle) {
        const auto found = icons_.find(handle);
        return found == icons_.end() ? QIcon() : found->second;
    }

  private:
    std::map<std::uintptr_t, QIcon> icons_;
    std::uintptr_t lastHandle_ = 0;
};

IconRegistry& registry() {
    static IconRegistry instance;
    return instance;
}

class IconPicture : public Picture {
  public:
    explicit IconPicture(const QIcon& icon) : handle_(registry().add(icon)) {}
    ~IconPicture() override { registry().remove(handle_); }
    IconPicture(const IconPicture&) = delete;
    IconPicture& operator=(const IconPicture&) = delete;

    int type() const override { return kIcon; }
    std::uintptr_t handle() const override { return handle_; }

  private:
    std::uintptr_t handle_;
};

} // namespace

std::shared_ptr<Picture> makeIconPicture(const QIcon& icon) {
    return std::make_shared<IconPicture>(icon);
}

QIcon iconOfHandle(std::uintptr_t handle) {
    return registry().find(handle);
}

} // namespace tolvane::qt
